// The CAN and raw GPS value lists: a column per tank, the header from the
// tank, and the first column in its tank's own format even in plain text.

#include "canvoicegps/views/data/CanGpsListViews.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/tank/DblDataTank.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataDoc.h"
#include "framework/core/testing/ServiceScope.h"
#include "grid/model/GridClasses.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int16_t kTwoExponentDecimals = 52;

class CanGpsLists : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGridClasses();
        RegisterDataClasses();
        ASSERT_TRUE(doc.CreateNewContents());
        for (int t = 0; t < 3; ++t) {
            auto* tank = new CDblDataTank;
            tank->SetName(fw::CString("T" + std::to_string(t)));
            tank->SetUnit("km/h");
            tank->SetFormat(kTwoExponentDecimals);
            for (int i = 0; i < 4; ++i)
                tank->SetValue(i, 1.2345 * (i + 1) + t);
            doc.GetBoxArray().GetCanTanks().AddTank(tank, false);
        }
    }
    static std::string Text(CKivDataViewBase& view, int col, int row, int display)
    {
        fw::CString text;
        view.GetSheetText(text, col, row, display);
        return text.str();
    }
    static std::string Own(CDataTankObject* tank, int row, bool formatted)
    {
        fw::CString text;
        tank->GetValueText(row, text, formatted);
        return text.str();
    }

    fw::test::ServiceScope services;
    CKivDataDoc doc;
};

TEST_F(CanGpsLists, CanColumnsShowTheirTanksWithTheFirstOfEachPairFormatted)
{
    CCanDataListView view;
    view.Create(nullptr, &doc);
    CDataTankList& tanks = doc.GetBoxArray().GetCanTanks();
    ASSERT_NE(Own(tanks.GetObjectAt(0), 1, true), Own(tanks.GetObjectAt(0), 1, false)) << "the format shows";
    EXPECT_EQ(Text(view, 0, 1, 0), Own(tanks.GetObjectAt(0), 1, true)) << "column 0 always formatted";
    EXPECT_EQ(Text(view, 1, 1, 0), Own(tanks.GetObjectAt(1), 1, false)) << "column 1 plain in plain text";
    EXPECT_EQ(Text(view, 1, 1, 1), Own(tanks.GetObjectAt(1), 1, true)) << "and formatted for drawing";
    EXPECT_EQ(Text(view, 2, 1, 0), Own(tanks.GetObjectAt(2), 1, true)) << "every first tank of a pair";
    EXPECT_EQ(Text(view, 3, 1, 1), "") << "a column without a tank is empty";
    EXPECT_EQ(Text(view, 0, 9, 1), "") << "below the samples";

    fw::CString header;
    view.GetColumnHeaderText(header, 1, 0, 1);
    EXPECT_EQ(header, "T1");
    view.GetColumnHeaderText(header, 1, 1, 1);
    EXPECT_EQ(header, "km/h");
    EXPECT_FALSE(view.CanEdit());
    EXPECT_FALSE(view.CanPaste());
    EXPECT_FALSE(view.CanInsertRows());
    doc.RemoveView(&view);
}

TEST_F(CanGpsLists, RawGpsColumnZeroIsFormattedInTextToo)
{
    auto* tank = new CDblDataTank;
    tank->SetName("LAT");
    tank->SetUnit("deg");
    tank->SetFormat(kTwoExponentDecimals);
    tank->SetValue(0, 34.70123);
    doc.GetBoxArray().GetGpsTanks().AddTank(tank, false);
    CGpsNamaDataListView view;
    view.Create(nullptr, &doc);
    EXPECT_EQ(Text(view, 0, 0, 0), Own(tank, 0, true));
    fw::CString header;
    view.GetColumnHeaderText(header, 0, 0, 0);
    EXPECT_EQ(header, "LAT");
    view.GetColumnHeaderText(header, 0, 2, 0);
    EXPECT_EQ(header, "") << "only name and unit";
    doc.RemoveView(&view);
}

} // namespace
