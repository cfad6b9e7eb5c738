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

// Drops what the link received and nobody read, before a command whose
// reply is a raw stream: a late reply given up on must not become data.
void DropStaleInput(CKivMeter& meter);

// The unit's error number when `bytes` hold an error line ("ERR", a blank
// or '-', three digits, an optional CR and the LF); -1 otherwise, and -2
// while the bytes are a proper start of such a line.
int ParseErrorLine(std::span<const uint8_t> bytes);

namespace fw {
class CString;
}

// The ".HED" header of a recorded file through the unit ("DAT<name>.HED"):
// exactly `size` bytes, ended early by a NUL, decoded from CP932; an "ERR"
// line raises the unit error naming "HFL".
void ReadRecordedHeader(CKivMeter& meter, const char* name, int size, fw::CString& text);

// The size the unit lists for its memory file "<name>.<extension>" ("DIR"
// with the name, lines up to "END"); 0 when it is not listed.
int QueryMemoryFileSize(CKivMeter& meter, const char* name, const char* extension);
