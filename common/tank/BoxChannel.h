#pragma once

#include <cstdint>

// A channel named by two indices: box and row (or channel) in the data-set
// box arrays and the measuring system's map; unit port and control-unit
// channel in a box's channel map. Stored as two little-endian 16-bit values.
struct tagBOXCH {
    int16_t box;
    int16_t ch;
};
static_assert(sizeof(tagBOXCH) == 4);
