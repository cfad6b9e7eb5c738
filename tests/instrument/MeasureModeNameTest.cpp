#include "instrument/MeasureModeName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MeasureModeName, NineCaptionsAndNothingBeyond)
{
    const struct {
        unsigned mode;
        const char* caption;
    } rows[] = {
        {0, "マニュアル計測"},     {1, "データトリガ計測"},         {2, "フリーラン計測"},
        {3, "プログラム計測"},     {4, "サイクルトリガ計測"},       {5, "データコンパレータ計測"},
        {6, "インターバル計測"},   {7, "外部トリガ計測"},           {8, "頻度計測"},
        {9, ""},                   {static_cast<unsigned>(-1), ""},
    };
    for (const auto& r : rows) {
        fw::CString name = "previous";
        GetMeasureModeName(r.mode, name);
        EXPECT_EQ(name.str(), r.caption) << r.mode;
    }
}

} // namespace
