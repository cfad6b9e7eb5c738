#pragma once

// Raw data streams of a control unit ("BDT" blocks, "DAT" files). A unit
// that cannot send the data answers with an "ERR" line instead; that line
// ends the read at once with the unit's error rather than after the reply
// time-out, and anything else is taken as data, byte for byte.

#include <cstdint>
#include <span>

class CKivMeter;

// Reads exactly buffer.size() bytes of the running stream; an "ERR" line in
// place of the data raises the unit error (0x10000 + its number) naming
// `word`; link failures pass through.
void ReadDataStream(CKivMeter& meter, std::span<uint8_t> buffer, const char* word);

// The unit's error number when `bytes` hold an error line ("ERR", a blank
// or '-', three digits, an optional CR and the LF); -1 otherwise, and -2
// while the bytes are a proper start of such a line.
int ParseErrorLine(std::span<const uint8_t> bytes);
