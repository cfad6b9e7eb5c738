// The unit check table: building it from a measuring system and its
// archive form.

#include "instrument/check/CheckData.h"

#include "common/cache/CacheDataTank.h"
#include "common/tank/StringDataTank.h"
#include "framework/core/StringTable.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class CheckDataTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        systest::RegisterClassesOnce();
        RegisterCheckClasses();
    }

    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
        services.prompt.SetUnexpectedHandler(
            [](const auto& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.c_str(); });
    }

    // Control unit 0: two strain units and an output unit (16 measuring
    // channels, 8 outputs); control unit 1: one voltage unit. The system
    // numbers the outputs after every measuring channel.
    void BuildTwo()
    {
        ASSERT_TRUE(system.BuildFromProfile(systest::Profile({systest::Types({1, 1, 3}), systest::Types({2})})));
    }

    // What box `b` shows for its channel `k` in the attribute of `column`.
    std::string BoxText(int b, int k, int column)
    {
        fw::CString text;
        system.GetBox(b)->GetDisplayText(CCheckDataBoxPropaty::kColumnAttributes[size_t(column)], k, text);
        return text.str();
    }

    static std::string Cell(CCheckData& table, int row, int column)
    {
        fw::CString text;
        table.GetChannelText(row, column, text);
        return text.str();
    }

    kivtest::TempDir temp;
    fw::test::ServiceScope services;
    CBoxArray system;
};

TEST_F(CheckDataTest, EveryRowShowsItsOwnControlUnitsChannel)
{
    BuildTwo();
    CCheckData table;
    ASSERT_TRUE(table.BuildFromSystem(&system));

    ASSERT_EQ(table.GetBoxCount(), 2);
    EXPECT_EQ(table.GetBox(0)->GetName(), system.GetBox(0)->GetName());
    EXPECT_EQ(table.GetBox(0)->GetRowCount(), 24);
    EXPECT_EQ(table.GetBox(1)->GetRowCount(), 8);
    EXPECT_EQ(table.GetTotalRows(), 32);
    for (int i = 0; i < CCheckDataBoxPropaty::kColumns; ++i)
        EXPECT_EQ(table.GetBox(1)->Columns().GetObjectAt(i)->GetName(),
                  fw::LoadStringText(CCheckDataBoxPropaty::kColumnNames[size_t(i)]));

    // Rows 16-23 are control unit 0's outputs, not control unit 1's inputs.
    for (int row = 0; row < 32; ++row)
        for (int column = 0; column < CCheckDataBoxPropaty::kColumns; ++column) {
            SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
            EXPECT_EQ(Cell(table, row, column), row < 24 ? BoxText(0, row, column) : BoxText(1, row - 24, column));
        }
    EXPECT_NE(BoxText(0, 16, 1), BoxText(1, 0, 1)) << "the layout no longer tells the two orders apart";
}

TEST_F(CheckDataTest, MaskedCheckColumnsStayEmpty)
{
    BuildTwo();
    CCheckData table;
    table.SetColumnMask(~(uint32_t(1) << 3)); // column 5, sensitivity
    ASSERT_TRUE(table.BuildFromSystem(&system));
    for (int row : {0, 31}) {
        EXPECT_EQ(Cell(table, row, 5), "");
        EXPECT_EQ(Cell(table, row, 1), row ? BoxText(1, 7, 1) : BoxText(0, 0, 1));
    }
}

TEST_F(CheckDataTest, ArchiveFormEndsWithTheCheckTimeAndItsFormat)
{
    CCheckData table;
    auto* box = new CCheckDataBoxPropaty;
    box->SetName("KIV");
    box->SetRowCount(1);
    box->CreateColumns();
    table.AddBox(box);
    table.SetTotalRows(1);
    table.RebuildChannelMap();
    table.SetChannelText(0, 2, "1.2A");
    table.SetCheckTime(fw::COleDateTime(45000.5));
    table.SetTimeFormat(100);

    const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { table.Serialize(ar); });
    ASSERT_GE(bytes.size(), 14u);
    std::vector<uint8_t> tail(14);
    const double date = 45000.5;
    const int16_t format = 100;
    std::memcpy(tail.data() + 4, &date, 8);
    std::memcpy(tail.data() + 12, &format, 2);
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 14, bytes.end()), tail);

    CCheckData back;
    EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { back.Serialize(ar); }), 0u);
    EXPECT_EQ(back.GetCheckTime().m_dt, 45000.5);
    EXPECT_EQ(back.GetCheckTime().GetStatus(), fw::COleDateTime::valid);
    EXPECT_EQ(back.GetTimeFormat(), 100);
    EXPECT_EQ(Cell(back, 0, 2), "1.2A");
}

TEST(CheckDataDefaults, NewTableHasZeroTimeInDateTimeFormat)
{
    CCheckData table;
    EXPECT_EQ(table.GetCheckTime().m_dt, 0.0);
    EXPECT_EQ(table.GetTimeFormat(), 107);
    table.SetCheckTime(fw::COleDateTime(2024, 5, 6, 7, 8, 9));
    fw::CString text;
    table.FormatCheckTime(text);
    EXPECT_EQ(text, "2024/05/06 07:08:09");
}

} // namespace
