#pragma once

// Recorded data as a control unit holds it after a measurement: the rows
// of the last recording in its memory (read with "ADR" and "BDT") and
// recorded file sets on its card (a ".hed" keyword header beside a ".dat"
// of rows, read with "DAT"). Every sample is a deterministic function of
// its row and series, so a dropped, doubled or shifted block changes the
// values a test reads back.

#include "tests/emulator/ControlUnit.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kivemu {

// The raw sample of series `series` (0-based) in row `row`, `bytes` wide
// (2 or 4). Every 97th row of a series holds the unit's "no value" marker.
int32_t RecordedSample(uint64_t row, int series, int bytes);

// Rows `first` .. first + count - 1 of series of the given widths, each
// sample little-endian.
std::vector<uint8_t> RecordedRows(const std::vector<int>& widths, uint64_t first, uint64_t count);

// One recorded file set as a unit writes it.
struct RecordedSetSpec {
    std::string name = "A0001";
    std::vector<int> channels;   // 1-based control-unit channels, in order
    std::vector<int> widths;     // bytes per sample of each series (2 or 4)
    std::vector<std::string> coefficients;  // per series; empty: "1"
    int samples = 100;
    std::array<int, 10> unitTypes{2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::string date = "12/24/2023";
    std::string time = "15:30:00";
    bool withBitLength = true;
};

struct RecordedSet {
    std::string header;          // the ".hed" text, CR LF lines
    std::vector<uint8_t> data;   // the ".dat" rows
};

RecordedSet MakeRecordedSet(const RecordedSetSpec& spec);

// A GPS file of a CAN/voice/GPS unit: a keyword header (FILE_OFFSET,
// NUM_SAMPS, SERIES, VERT_UNITS, SLOPE, POINT) padded to `offset`, then
// `records` records of eight 32-bit fields. `listedSamples` < 0 lists the
// real count.
extern const double kGpsSlopes[8];
int32_t GpsField(uint64_t record, int field);
std::vector<uint8_t> MakeGpsFile(int records, int offset = 512, int listedSamples = -1,
                                 const std::string& leaveOut = "");

// A CAN file of a CAN/voice/GPS unit: "FILE_OFFSET <n>" and the message
// database text, padded to the offset (0: just past the text), then the
// blocks as given. A block is an int16 length that counts itself
// (`length` < 0: the real one) and frame records (int32 time stamp, int8
// slot, int8 data length, the data).
struct CanFrame {
    uint32_t time = 0;
    int slot = 1;
    std::vector<uint8_t> data;
};
std::vector<uint8_t> CanBlock(const std::vector<CanFrame>& frames, int length = -1);
std::vector<uint8_t> MakeCanFile(const std::string& database, const std::vector<std::vector<uint8_t>>& blocks,
                                 int offset = 0);

// The rows of the last recording in the unit's memory. "ADR<row>" moves
// the read position (answered "OK"); "BDT<count>" sends `count` rows from
// there without a reply line, refusing rows past the end.
struct MemoryRecording {
    std::vector<int> widths;     // bytes per sample of each recorded series
    uint64_t rows = 0;
    uint64_t address = 0;
};

// Replaces "ADR" and "BDT" on the unit with the memory read-out.
void AddMemoryReadout(ControlUnit& unit, const std::shared_ptr<MemoryRecording>& memory);

} // namespace kivemu
