// The channel table and the calculated-channel table: their texts, which
// cells change, unit commands, fill down with renumbered formulas, the
// function picker and undo.

#include "tests/data/views/DataViewFixture.h"

#include "data/views/KivDataChView.h"
#include "data/views/KivDataEXChView.h"
#include "data/views/KivDataFrame.h"
#include "grid/views/GridPane.h"

namespace dataview {
namespace {

class ChannelTables : public DataViewFixture {
protected:
    void Select(CKivDataViewBase* view, int32_t top, int32_t left, int32_t bottom, int32_t right)
    {
        view->GetGrid()->SetSelection({top, left, bottom, right}, {top, left}, {top, left}, false);
    }
    fw::CString Sheet(CKivDataViewBase* view, int32_t row, int32_t col)
    {
        fw::CString text;
        view->GetSheetText(text, col, row, 0);
        return text;
    }
    fw::CString Formula(CKivDataEXChView* view, int32_t row)
    {
        fw::CString text;
        view->GetSheetEditText(row, CKivDataEXChView::kColFormula, text);
        return text;
    }
};

TEST_F(ChannelTables, ChannelTableShowsTheRecordedSettingsByControlUnit)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataChView>(doc);
    ASSERT_NE(view, nullptr);
    fw::CString text;
    view->GetRowHeaderText(text, 0, 2, 0);
    EXPECT_EQ(text, "3");
    view->GetRowHeaderText(text, 1, 2, 0);
    EXPECT_EQ(text, "BOX1");
    view->GetColumnHeaderText(text, 4, 1, 0);
    EXPECT_EQ(text, "周波数\n(Hz)");
    view->GetColumnHeaderText(text, 1, 1, 0);
    EXPECT_EQ(text, "") << "a caption over both rows is not repeated in text";
    view->GetColumnHeaderText(text, 1, 1, 1);
    EXPECT_EQ(text, "名前");
    EXPECT_EQ(Sheet(view, 1, 1), "CH-B");
    EXPECT_EQ(Sheet(view, 0, 13), "V");
}

TEST_F(ChannelTables, OnlyNameUnitAndFormatOfChannelsThatAreOnChange)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataChView>(doc);
    ASSERT_NE(view, nullptr);
    doc->GetBoxArray().SetChannelText(2, 0, "");
    fw::CString text;
    EXPECT_FALSE(view->GetSheetEditText(2, 1, text)) << "a channel that is off keeps its name";
    EXPECT_TRUE(view->GetSheetEditText(1, 1, text));
    EXPECT_FALSE(view->GetSheetEditText(1, 2, text)) << "the input mode is read-only";
    EXPECT_FALSE(view->SetSheetText(1, 2, "電圧", 1));
    EXPECT_TRUE(view->SetSheetText(1, 1, "荷重", 1));
    EXPECT_EQ(Sheet(view, 1, 1), "荷重");
}

TEST_F(ChannelTables, UnitCommandOnThreeChannelsUndoesAsOne)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataChView>(doc);
    ASSERT_NE(view, nullptr);
    Select(view, 0, 13, 2, 13);
    const unsigned unitId = CKivDataChView::kFirstUnitId + 1;
    ASSERT_TRUE(IsEnabled(view, unitId));
    Run(view, unitId);
    const fw::CString unit = Sheet(view, 0, 13);
    EXPECT_NE(unit, "V");
    EXPECT_EQ(Sheet(view, 2, 13), unit);
    Run(view, CKivDataViewBase::kIdUndo);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(Sheet(view, row, 13), "V") << row;
}

TEST_F(ChannelTables, CalculatedChannelFillDownRenumbersEachRowByItsDistance)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataEXChView>(doc);
    ASSERT_NE(view, nullptr);
    fw::CString text;
    view->GetTagText(text, 0, 0, 0);
    EXPECT_EQ(text, "NO");
    EXPECT_EQ(Formula(view, 0), "=CH(1)+CH(2)");
    ASSERT_TRUE(view->SetSheetText(1, CKivDataEXChView::kColFormula, "=CH(1)*2", 1));
    Select(view, 1, 1, 3, 1);
    ASSERT_TRUE(IsEnabled(view, CKivDataViewBase::kIdFillDown));
    Run(view, CKivDataViewBase::kIdFillDown);
    EXPECT_EQ(Formula(view, 1), "=CH(1)*2");
    EXPECT_EQ(Formula(view, 2), "=CH(2)*2");
    EXPECT_EQ(Formula(view, 3), "=CH(3)*2");
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(Formula(view, 1), "=CH(1)*2");
    EXPECT_EQ(Formula(view, 2), "");
    EXPECT_EQ(Formula(view, 3), "");
}

TEST_F(ChannelTables, InsertingIsRefusedWhenUsedRowsWouldPassTheLastRow)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataEXChView>(doc);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(doc->SetDefinitionText(0, 998, "LAST", nullptr));
    Select(view, 0, 0, 0, 3);
    EXPECT_TRUE(IsEnabled(view, CKivDataViewBase::kIdInsertRows));
    Select(view, 0, 0, 1, 3);
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdInsertRows));
    Select(view, 0, 0, 0, 2);
    EXPECT_FALSE(IsEnabled(view, CKivDataViewBase::kIdInsertRows)) << "whole rows only";
}

TEST_F(ChannelTables, PickedFunctionBecomesTheFormulaOfTheSelectedRowsAndUndoes)
{
    CKivDataDoc* doc = OpenData(10);
    auto* view = ViewOf<CKivDataEXChView>(doc);
    ASSERT_NE(view, nullptr);
    auto* pick = CKivDataEXChView::s_pickFunction;
    CKivDataEXChView::s_pickFunction = [](fw::CWnd*) { return fw::CString("ABS()"); };
    Select(view, 0, 1, 1, 1);
    ASSERT_TRUE(IsEnabled(view, CKivDataEXChView::kIdFunctionPaste));
    Run(view, CKivDataEXChView::kIdFunctionPaste);
    CKivDataEXChView::s_pickFunction = pick;
    EXPECT_EQ(Formula(view, 0), "ABS()");
    EXPECT_EQ(Formula(view, 1), "ABS()");
    Run(view, CKivDataViewBase::kIdUndo);
    EXPECT_EQ(Formula(view, 0), "=CH(1)+CH(2)");
    EXPECT_EQ(Formula(view, 1), "");
    EXPECT_EQ(Sheet(view, 0, 1), "=CH(1)+CH(2)");
}

} // namespace
} // namespace dataview
