#include "measure/model/RecordedRows.h"

#include "framework/core/CString.h"
#include "instrument/meter/HeaderKeys.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMaxSeries = 80;

} // namespace

int RecordedRowBytes(const char* header)
{
    const int series = std::clamp(std::atoi(HeaderValue(header, "NUM_SERIES").c_str()), 0, kMaxSeries);
    const fw::CString bits = HeaderValue(header, "BIT_LENGTH");
    int bytes = 0;
    for (int i = 1; i <= series; ++i) {
        fw::CString item;
        if (!bits.IsEmpty())
            SplitHeaderList(bits.c_str(), i, item);
        // The same widths as the channel selection takes: 32 bits or 16.
        bytes += !bits.IsEmpty() && std::atoi(item.c_str()) == 32 ? 4 : 2;
    }
    return bytes;
}

int64_t RecordedRowsInData(const char* header, int64_t dataBytes)
{
    const int row = RecordedRowBytes(header);
    return row > 0 && dataBytes > 0 ? dataBytes / row : 0;
}
