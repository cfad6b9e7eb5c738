#include "instrument/MeasureModeName.h"

#include <iterator>

namespace {

// By mode code; the program's string ids, not in code order, are 163, 164,
// 620, 715, 167, 165, 166, 168 and 655.
constexpr const char* kCaptions[] = {
    "マニュアル計測",          // 0 manual
    "データトリガ計測",        // 1 data trigger
    "フリーラン計測",          // 2 free run
    "プログラム計測",          // 3 program
    "サイクルトリガ計測",      // 4 cycle trigger
    "データコンパレータ計測",  // 5 data comparator
    "インターバル計測",        // 6 interval
    "外部トリガ計測",          // 7 external trigger
    "頻度計測",                // 8 frequency
};

} // namespace

void GetMeasureModeName(unsigned mode, fw::CString& name)
{
    name = mode < std::size(kCaptions) ? kCaptions[mode] : "";
}
