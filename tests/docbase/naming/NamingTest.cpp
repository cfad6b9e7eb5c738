// Channel name lists, the data selection and the automatic naming rules.

#include "docbase/naming/NameListModel.h"
#include "docbase/naming/NameSetParam.h"
#include "docbase/naming/NamingStrings.h"

#include "common/tank/DataTankList.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/testing/ServiceScope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CDataTankObject* MakeTank(int16_t type, int32_t kind, const char* name)
{
    CDataTankObject* tank = nullptr;
    switch (type) {
    case kTankTypeText:
        tank = new CStringDataTank;
        break;
    case kTankTypeDouble:
        tank = new CDblDataTank;
        break;
    default:
        tank = new CFltDataTank;
        break;
    }
    tank->SetKind(kind);
    tank->SetName(name);
    return tank;
}

TEST(NameListModel, ListKindsChooseTheirTanks)
{
    struct Row {
        const char* name;
        int listKind;
        int16_t type;
        int32_t kind;
        bool skipDoubles;
        bool shown;
    } rows[] = {
        {"all: measured channel", 0, kTankTypeFloat, 0, false, true},
        {"all: channel switched off", 6, kTankTypeFloat, -1000, false, false},
        {"all: doubles left out by the flag", 7, kTankTypeDouble, 0, true, false},
        {"all: doubles without the flag", 0, kTankTypeDouble, 0, false, true},
        {"kind -12 only", 1, kTankTypeFloat, -12, false, true},
        {"kind -12 only: other", 1, kTankTypeFloat, 0, false, false},
        {"kinds 5 to 7", 2, kTankTypeFloat, 6, false, true},
        {"kinds 5 to 7: 8", 2, kTankTypeFloat, 8, false, false},
        {"no texts, no -2", 3, kTankTypeFloat, 3, false, true},
        {"no texts, no -2: text", 3, kTankTypeText, 3, false, false},
        {"no texts, no -2: -2", 3, kTankTypeFloat, -2, false, false},
        {"kind -1 or 22", 4, kTankTypeFloat, 22, false, true},
        {"kind -1 or 22: 21", 4, kTankTypeFloat, 21, false, false},
        {"no texts", 5, kTankTypeFloat, -2, false, true},
        {"no texts: text", 5, kTankTypeText, 0, false, false},
        {"no texts: off", 5, kTankTypeFloat, -1000, false, false},
        {"kind above 7", 8, kTankTypeFloat, 0, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        CDataTankObject* tank = MakeTank(r.type, r.kind, "A");
        EXPECT_EQ(CNameListModel::Qualifies(tank, r.listKind, r.skipDoubles), r.shown);
        tank->SetName("");
        EXPECT_FALSE(CNameListModel::Qualifies(tank, r.listKind, r.skipDoubles)) << "unnamed";
        ReleaseTank(tank);
    }
}

TEST(NameListModel, RunningNamesCountFromTheFirstIndex)
{
    CDataTankList list;
    for (const char* name : {"", "", "Load", "Off", "Speed"})
        list.AddTank(MakeTank(kTankTypeFloat, name == std::string("Off") ? -1000 : 0, name), false);

    CNameListModel model;
    model.AddNames(&list, "CH", 0, 0, -1, 3);
    model.AddNames(nullptr, "NO", 0, 0, -1, 4);
    ASSERT_EQ(model.Rows().size(), 2u);
    EXPECT_EQ(model.Rows()[0].name, "Load");
    EXPECT_EQ(model.Rows()[0].runningName, "CH3");
    EXPECT_EQ(model.Rows()[0].itemData, (3u << 16) | 2u);
    EXPECT_EQ(model.Rows()[1].runningName, "CH5");

    model.AddNames(&list, "NO", 0, 4, 4, 5);
    ASSERT_EQ(model.Rows().size(), 3u);
    EXPECT_EQ(model.Rows()[2].runningName, "NO1");
    EXPECT_EQ(model.FindItem(4, 5), 2);
    EXPECT_EQ(model.FindItem(4, 3), 1);
    EXPECT_EQ(model.FindItem(3, 3), -1);
}

TEST(NameListModel, ColumnsAndWidths)
{
    for (int kind : {1, 2, 6, 7})
        EXPECT_EQ(CNameListModel::ColumnCount(kind), 1) << kind;
    for (int kind : {0, 3, 4, 5})
        EXPECT_EQ(CNameListModel::ColumnCount(kind), 2) << kind;
    EXPECT_EQ(CNameListModel::ColumnWidth(0, 2, 318), 200);
    EXPECT_EQ(CNameListModel::ColumnWidth(1, 2, 318), 100);
    EXPECT_EQ(CNameListModel::ColumnWidth(0, 1, 318), 300);
}

TEST(DataSelectModel, ListsMeasuredThenCalculatedChannels)
{
    CDataTankList used;
    for (int i = 0; i < 502; ++i)
        used.AddTank(i == 1 || i == 500 || i == 501 ? MakeTank(kTankTypeFloat, 0, i == 1 ? "Load" : "Calc") : nullptr,
                     false);
    CDataSelectModel select;
    select.Fill(&used);
    std::vector<std::string> names;
    for (const NameListRow& row : select.List().Rows())
        names.push_back(row.runningName.str());
    EXPECT_EQ(names, (std::vector<std::string>{"CH2", "NO1", "NO2"}));
    EXPECT_EQ(select.RowOfTank(501), 2);
    EXPECT_EQ(select.RowOfTank(3), -1);

    fw::test::ServiceScope services;
    services.prompt.Expect(naming::kIdpNoDataSelected, fw::IDOK);
    uint32_t item = 0;
    EXPECT_FALSE(select.Choose(-1, item));
    ASSERT_TRUE(select.Choose(1, item));
    EXPECT_EQ(item, (2u << 16) | 500u);
    EXPECT_EQ(services.prompt.Problems(), "");
}

struct NamingCase {
    const char* name;
    int mode;
    const char* leading;
    const char* start;
    std::vector<std::string> names;
};

class NameSetParamNames : public ::testing::TestWithParam<NamingCase> {};

TEST_P(NameSetParamNames, FollowTheNumberingMode)
{
    const NamingCase& c = GetParam();
    CNameSetParam param;
    param.m_mode = c.mode;
    param.m_leading = c.leading;
    param.m_trailing = c.mode == 0 ? "_end" : "";
    param.m_startNumber = c.start;
    ASSERT_TRUE(param.ParseStartNumber());
    std::vector<std::string> made;
    for (size_t i = 0; i < c.names.size(); ++i) {
        fw::CString text("T");
        param.MakeNextName(text);
        made.push_back(text.str());
    }
    EXPECT_EQ(made, c.names);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, NameSetParamNames,
    ::testing::Values(NamingCase{"PlainTexts", 0, "-", "1", {"T-_end", "T-_end"}},
                      NamingCase{"SerialKeepsLeadingZeros", 1, "CH", "001", {"TCH001", "TCH002", "TCH003"}},
                      NamingCase{"SerialXY", 2, "-", "1", {"T-1X", "T-1Y", "T-2X", "T-2Y"}},
                      NamingCase{"SerialXYZ", 3, "-", "08", {"T-08X", "T-08Y", "T-08Z", "T-09X"}},
                      NamingCase{"FullWidthStart", 1, "-", "０１２", {"T-012", "T-013"}}),
    [](const ::testing::TestParamInfo<NamingCase>& info) { return std::string(info.param.name); });

TEST(NameSetParam, StartNumberMustBeANumberInTheNumberingModes)
{
    fw::test::ServiceScope services;
    for (const char* start : {"1a", "", "1 "}) {
        SCOPED_TRACE(start);
        CNameSetParam param;
        param.m_startNumber = start;
        EXPECT_TRUE(param.CheckOnOk()) << "mode 0 does not look at it";
        for (int mode = 1; mode <= 3; ++mode) {
            param.m_mode = mode;
            services.prompt.Expect(naming::kIdpEnterNumber, fw::IDOK);
            EXPECT_FALSE(param.CheckOnOk()) << mode;
        }
    }
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(NameSetParam, DefaultsComeBackAndTheDialogShowsControlsByMode)
{
    CNameSetParam param;
    param.m_leading = "x";
    param.m_mode = 3;
    param.m_added[2] = "Q";
    param.m_startNumber = "7";
    param.SetDefaults();
    EXPECT_EQ(param.m_leading, "-");
    EXPECT_EQ(param.m_trailing, "");
    EXPECT_EQ(param.m_mode, 0);
    EXPECT_EQ(param.m_added[2], "Z");
    EXPECT_EQ(param.m_startNumber, "1");

    EXPECT_FALSE(CNameSetParam::ShowsStartNumber(0));
    EXPECT_TRUE(CNameSetParam::ShowsStartNumber(1));
    EXPECT_FALSE(CNameSetParam::ShowsAddedText(1, 0));
    EXPECT_TRUE(CNameSetParam::ShowsAddedText(2, 1));
    EXPECT_FALSE(CNameSetParam::ShowsAddedText(2, 2));
    EXPECT_TRUE(CNameSetParam::ShowsAddedText(3, 2));
}

} // namespace
