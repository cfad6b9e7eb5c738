// The shared channel name list: columns by list kind, rows with their item
// data, finding and scrolling to a tank's row.

#include "common/tank/DataTankList.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "docview/naming/NameListCtrl.h"

#include <QTableWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CDataTankObject* Tank(const char* name, int32_t kind = 0, bool isDouble = false)
{
    CDataTankObject* tank = isDouble ? static_cast<CDataTankObject*>(new CDblDataTank) : new CFltDataTank;
    tank->SetKind(kind);
    tank->SetName(name);
    return tank;
}

std::vector<std::string> Column(const CNameListCtrl& list, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(list.GetItemText(row, column).str());
    return texts;
}

TEST(NameListCtrl, ListKindsGiveOneOrTwoColumnsOfTheUsableWidth)
{
    struct Row {
        const char* name;
        int listKind;
        std::vector<std::string> captions;
        std::vector<int> widths;
    } rows[] = {
        {"all_channels", 0, {"名前", "NO"}, {200, 100}},
        {"kind_minus_12", 1, {"名前"}, {300}},
        {"kinds_5_to_7", 2, {"名前"}, {300}},
        {"no_texts", 5, {"名前", "NO"}, {200, 100}},
        {"kind_7", 7, {"名前"}, {300}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CNameListCtrl list;
        list.Widget()->resize(318, 200);
        ASSERT_TRUE(list.InsertColumns(r.listKind));
        ASSERT_EQ(list.GetColumnCount(), int(r.captions.size()));
        for (int c = 0; c < list.GetColumnCount(); ++c) {
            EXPECT_EQ(list.Table()->horizontalHeaderItem(c)->text().toStdString(), r.captions[size_t(c)]);
            EXPECT_EQ(list.GetColumnWidth(c), r.widths[size_t(c)]);
        }
    }
}

TEST(NameListCtrl, RowsCarryTheirListAndTankAndCountFromTheFirstIndex)
{
    CDataTankList tanks;
    for (CDataTankObject* t : {Tank(""), Tank(""), Tank("Load"), Tank("Off", -1000), Tank("Speed"),
                               Tank("Wide", 0, true)})
        tanks.AddTank(t, false);

    CNameListCtrl list;
    ASSERT_TRUE(list.InsertColumns(0));
    EXPECT_TRUE(list.AddNames(nullptr, "CH", 0, 0, -1, 2));
    EXPECT_EQ(list.GetItemCount(), 0);
    ASSERT_TRUE(list.AddNames(&tanks, "CH", 0, 0, -1, 2));
    ASSERT_TRUE(list.AddNames(&tanks, "NO", 0, 4, 4, 5));
    EXPECT_EQ(Column(list, 0), (std::vector<std::string>{"Load", "Speed", "Wide", "Speed"}));
    EXPECT_EQ(Column(list, 1), (std::vector<std::string>{"CH3", "CH5", "CH6", "NO1"}));
    EXPECT_EQ(list.GetItemData(0), (2u << 16) | 2u);
    EXPECT_EQ(list.GetItemData(3), (5u << 16) | 4u);

    // The same tank in two lists is two rows, found by the list number.
    EXPECT_EQ(list.SelectItem(4, 5, false), 3);
    EXPECT_EQ(list.GetSelectedRow(), 3);
    EXPECT_EQ(list.SelectItem(4, 2, false), 1);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    EXPECT_LT(list.SelectItem(3, 2, false), 0) << "a tank without a row";
    list.ClearSelection();
    EXPECT_EQ(list.GetSelectedRow(), -1);

    CNameListCtrl noDoubles;
    noDoubles.SetSkipDoubles(true);
    noDoubles.InsertColumns(0);
    noDoubles.AddNames(&tanks, "CH", 0, 0, -1, 2);
    EXPECT_EQ(Column(noDoubles, 1), (std::vector<std::string>{"CH3", "CH5"}));
}

TEST(NameListCtrl, ARowOutOfSightBecomesTheTopRowOnlyWhenAsked)
{
    CDataTankList tanks;
    for (int i = 0; i < 100; ++i)
        tanks.AddTank(Tank(("T" + std::to_string(i)).c_str()), false);
    CNameListCtrl list;
    list.InsertColumns(0);
    list.AddNames(&tanks, "CH", 0, 0, -1, 2);
    list.Widget()->resize(300, 200);
    list.Widget()->show();
    ASSERT_EQ(list.GetTopIndex(), 0);

    EXPECT_EQ(list.SelectItem(80, 2, false), 80);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_EQ(list.SelectItem(60, 2, true), 60);
    EXPECT_EQ(list.GetTopIndex(), 60);
    // A row in sight does not move the list.
    EXPECT_EQ(list.SelectItem(61, 2, true), 61);
    EXPECT_EQ(list.GetTopIndex(), 60);
    EXPECT_EQ(list.SelectItem(10, 2, true), 10);
    EXPECT_EQ(list.GetTopIndex(), 10);
    list.Widget()->hide();
}

} // namespace
