// The emulator builds large blocks of recorded rows by stepping each series'
// value from row to row; every byte must still be the sample its row and
// series define, wherever a block starts.

#include "tests/emulator/RecordedData.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct RowsCase {
    const char* name;
    std::vector<int> widths;
    uint64_t first;
    uint64_t count;
};

TEST(EmulatorRows, EveryByteIsTheSampleOfItsRowAndSeries)
{
    std::vector<int> eighty(80, 2);
    std::vector<int> mixed;
    for (int s = 0; s < 99; ++s)
        mixed.push_back(s % 3 == 1 ? 4 : 2);
    const RowsCase cases[] = {
        {"one_series_from_the_start", {2}, 0, 500},
        {"eighty_narrow_series_past_wraps", eighty, 60001 * 2 - 7, 400},
        {"mixed_widths_more_series_than_the_marker_period", mixed, 12345, 300},
        {"wide_series_near_their_wrap", {4, 4, 4}, 2000000001ull / 100003 * 3 - 5, 200},
        {"late_block_of_a_long_recording", {2, 4}, 123456789, 250},
        {"no_rows", {2, 4}, 96, 0},
    };
    for (const RowsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> rows = kivemu::RecordedRows(c.widths, c.first, c.count);
        size_t rowBytes = 0;
        for (int w : c.widths)
            rowBytes += static_cast<size_t>(w);
        ASSERT_EQ(rows.size(), rowBytes * c.count);
        size_t at = 0;
        int markers = 0;
        for (uint64_t r = c.first; r < c.first + c.count; ++r) {
            for (size_t s = 0; s < c.widths.size(); ++s) {
                const int bytes = c.widths[s];
                const auto want = static_cast<uint32_t>(kivemu::RecordedSample(r, static_cast<int>(s), bytes));
                uint32_t got = 0;
                for (int b = 0; b < bytes; ++b)
                    got |= static_cast<uint32_t>(rows[at + static_cast<size_t>(b)]) << (8 * b);
                const uint32_t mask = bytes == 4 ? 0xFFFFFFFFu : 0xFFFFu;
                ASSERT_EQ(got, want & mask) << "row " << r << " series " << s;
                markers += (want == 32767u || want == 2147483647u) ? 1 : 0;
                at += static_cast<size_t>(bytes);
            }
        }
        // The rows of a long enough block hold the "no value" markers too.
        if (c.count >= 97) {
            EXPECT_GT(markers, 0);
        }
    }
}

} // namespace
