#pragma once

// Turns the instruments' big-endian 16-bit samples into little-endian ones
// in place: the two bytes of each of the byteCount / 2 words change places
// (an odd last byte stays). Returns 0.
int SwapBytes16(void* buffer, int byteCount);
