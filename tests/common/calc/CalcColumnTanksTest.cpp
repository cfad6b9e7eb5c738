// The number-format table, the column tanks of the calculated-channel table
// and the owner's compile-and-calculate sequence.

#include "tests/common/calc/CalcTestSupport.h"

#include "common/calc/CalcDataSetOwner.h"
#include "common/calc/DataFormat.h"

#include <string>

namespace calctest {
namespace {

TEST(DataFormatTest, TextsAndCommandsOfTheFormatMenu)
{
    const CDataFormat table;
    struct Row {
        int16_t code;
        const char* text;
    };
    for (const Row& r : {Row{0, "0"}, Row{3, "0.000"}, Row{7, "0.0000000"}, Row{-9999, ""}, Row{9, ""},
                         Row{50, ""}}) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(table.GetFormatText(r.code), r.text);
    }
    EXPECT_EQ(table.GetFormatCode(32798), 0);
    EXPECT_EQ(table.GetFormatCode(32805), 7);
    EXPECT_EQ(table.GetFormatCode(100), -9999);
    EXPECT_EQ(table.GetFormatCode(0), -9999);
    EXPECT_EQ(table.FindFormatCode("0.00"), 2);
    EXPECT_EQ(table.FindFormatCode("0.0000000"), 7);
    EXPECT_EQ(table.FindFormatCode("#,##0"), 0);
    EXPECT_EQ(table.FindFormatCode(""), -9999);
}

TEST(DataFormatTest, LongerMenusTakeTheFollowingCodes)
{
    std::vector<CDataFormat::MenuItem> items = CDataFormat::DefaultMenuItems();
    items.push_back({"0.0E+00", 40000});
    items.push_back({"yyyy/mm/dd", 40001});
    const CDataFormat table(items);
    EXPECT_EQ(table.GetFormatCode(40000), 50);
    EXPECT_EQ(table.GetFormatText(51), "yyyy/mm/dd");
}

TEST_F(CalcTest, FormulaCellCutsTheNamePrefixAndCreatesTheChannel)
{
    DataSet data(1, 4);
    EXPECT_EQ(data.list.GetObjectAt(503), nullptr);
    EXPECT_TRUE(data.formulas->SetValueText(3, "Speed:x:=CH(1)*2"));
    fw::CString text;
    data.formulas->GetValueText(3, text, true);
    EXPECT_EQ(text, "=CH(1)*2");
    ASSERT_NE(data.list.GetCalcTank(503), nullptr);
    EXPECT_EQ(data.list.GetCalcTank(503)->GetDataCount(), 4);
    // A colon at the very start is no prefix.
    data.formulas->SetValueText(4, ":=1");
    data.formulas->GetValueText(4, text, true);
    EXPECT_EQ(text, ":=1");
    EXPECT_EQ(data.formulas->GetValue(3), 0.0);
    EXPECT_FALSE(data.formats->HasScale());
}

TEST_F(CalcTest, NameUnitAndFormatCellsReachTheChannel)
{
    DataSet data(1, 2);
    data.names->SetValueText(0, "Force");
    data.units->SetValueText(0, "kN");
    data.formats->SetValueText(0, "0.00");
    CCalcuDataTank* channel = data.list.GetCalcTank(500);
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(channel->GetName(), "Force");
    EXPECT_EQ(channel->GetUnit(), "kN");
    EXPECT_EQ(channel->GetFormat(), 2);
    fw::CString text;
    data.formats->GetValueText(0, text, true);
    EXPECT_EQ(text, "0.00");
    EXPECT_TRUE(data.formats->SetValue(1, 65536 + 3));  // cut to 16 bits
    EXPECT_EQ(data.list.GetCalcTank(501)->GetFormat(), 3);

    data.names->ClearRange(0, 1);
    data.units->ClearRange(0, 1);
    data.formats->ClearRange(0, 2);
    EXPECT_EQ(channel->GetName(), "");
    EXPECT_EQ(channel->GetUnit(), "");
    EXPECT_EQ(channel->GetFormat(), -9999);
    data.formats->GetValueText(0, text, true);
    EXPECT_EQ(text, "");
}

TEST_F(CalcTest, ClearingFormulaCellsRemovesTheFormulas)
{
    DataSet data(1, 3);
    data.Measure(1, [](int i) { return 1.0 + i; });
    data.Formula(1, "=CH(1)");
    data.Formula(2, "=NO(1)*2");
    data.Compile();
    EXPECT_EQ(data.Pass(2), 3);
    data.formulas->ClearRange(0, 1);
    fw::CString text = "x";
    data.formulas->GetValueText(0, text, true);
    EXPECT_EQ(text, "");
    EXPECT_EQ(data.Pass(1), 0);
    // NO(2) now reads the values NO(1) keeps.
    EXPECT_EQ(data.Pass(2), 3);
}

TEST_F(CalcTest, OnOffCells)
{
    COnOffTank tank;
    tank.SetValueText(0, "ON");
    tank.SetValueText(1, "on");
    tank.SetValueText(2, "ON");
    tank.SetValueText(3, "OFF");
    fw::CString text;
    tank.GetValueText(0, text, true);
    EXPECT_EQ(text, "ON");
    tank.GetValueText(1, text, true);
    EXPECT_EQ(text, "OFF");
    EXPECT_EQ(tank.GetLastFilledIndex(), 2);
    tank.SetValueText(2, "OFF");
    EXPECT_EQ(tank.GetLastFilledIndex(), 0);
}

// The document side, as the project document will do it.
class FakeOwner : public ICalcDataSetOwner {
public:
    explicit FakeOwner(DataSet& data) : m_data(data) {}
    CKivSPTankData& GetChannelList() override { return m_data.list; }
    CDataSPSetTank& GetSettingsList() override { return m_data.settings; }
    CDataTankObject* GetFormulaColumn() override { return m_data.formulas; }
    int16_t GetChLimit() const override { return m_data.chLimit; }
    void OnChannelsRecalculated() override { ++recalculated; }
    int recalculated = 0;

private:
    DataSet& m_data;
};

TEST_F(CalcTest, OwnerCompilesAndCalculatesEverything)
{
    DataSet data(2, 3);
    data.Measure(1, [](int i) { return 1.0 + i; });
    data.Measure(2, [](int i) { return 10.0; });
    data.Formula(1, "= ch(1) + ch(2)");
    FakeOwner owner(data);
    EXPECT_TRUE(CompileAndRecalculate(owner));
    EXPECT_EQ(owner.recalculated, 1);
    EXPECT_EQ(data.No(1, 2), 13.0);
    fw::CString text;
    data.formulas->GetValueText(0, text, true);
    EXPECT_EQ(text, "=CH(1)+CH(2)");
}

} // namespace
} // namespace calctest
