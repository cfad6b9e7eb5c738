// The self-check pages: the list of records by check time, deletion undone
// back into place, and the record page following the list.

#include "tests/project/views/pages/HistoryPageFixture.h"

#include "instrument/check/CheckData.h"
#include "project/views/pages/PageHints.h"
#include "project/views/pages/PrjCheckView.h"

namespace prjview {
namespace {

class SelfCheckPageTest : public HistoryPageFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
        list = Show<CPrjCheckHistoryView>(prjcmd::kPageCheck);
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(splitter.CreateStatic(nullptr, 1, 1, fw::AFX_IDW_PANE_FIRST + 2));
        ASSERT_TRUE(splitter.CreateView(0, 0, FW_RUNTIME_CLASS(CPrjCheckView), fw::CSize(), doc));
        record = dynamic_cast<CPrjCheckView*>(splitter.GetPane(0, 0));
        ASSERT_NE(record, nullptr);
        record->OnInitialUpdate();
        list->SetRecordPage(record);
    }
    void AddRecord(int minute)
    {
        auto* data = new CCheckData;
        ASSERT_TRUE(data->BuildFromSystem(&doc->GetBoxArray()));
        data->SetCheckTime(fw::COleDateTime(2024, 7, 1, 9, minute, 0));
        doc->GetCheckRecords().push_back(data);
    }
    std::string ListCell(int row)
    {
        fw::CString text;
        list->GetSheetText(text, 0, row, 1);
        return text.str();
    }

    CZELGridSplitter splitter;
    CPrjCheckHistoryView* list = nullptr;
    CPrjCheckView* record = nullptr;
};

TEST_F(SelfCheckPageTest, WithoutRecordsTheListIsEmptyAndTheRecordPageShowsTheChannels)
{
    EXPECT_EQ(list->GetGrid()->GetSheetPane()->RowCount(), 1);
    EXPECT_EQ(ListCell(0), "");
    EXPECT_FALSE(Enabled(list, CPrjCheckHistoryView::kIdDelete));
    EXPECT_EQ(record->GetRecord(), nullptr);
    EXPECT_EQ(record->GetGrid()->GetSheetPane()->RowCount(), doc->GetBoxArray().GetMeasuringCount());
    fw::CString text;
    record->GetSheetText(text, 0, 0, 1);
    EXPECT_EQ(text.str(), "");
    record->GetColumnHeaderText(text, 8, 0, 1);
    EXPECT_EQ(text.str(), "ダイレクト");
}

TEST_F(SelfCheckPageTest, ANewRecordIsSelectedAndADeletionIsUndoneIntoPlace)
{
    AddRecord(1);
    AddRecord(2);
    doc->UpdateAllViews(nullptr, prjpage::kHintSelfCheck);
    EXPECT_EQ(list->GetGrid()->GetSheetPane()->RowCount(), 2);
    EXPECT_EQ(record->GetRecord(), doc->GetCheckRecords()[1]);
    EXPECT_NE(ListCell(0), ListCell(1));
    const std::string first = ListCell(0);
    Select(list, 0, 0, 0, 0);
    ASSERT_TRUE(Enabled(list, CPrjCheckHistoryView::kIdDelete));
    FrameOf(doc)->ExecuteCommand(CPrjCheckHistoryView::kIdDelete);
    ASSERT_EQ(doc->GetCheckRecords().size(), 1u);
    EXPECT_NE(ListCell(0), first);
    list->Undo();
    ASSERT_EQ(doc->GetCheckRecords().size(), 2u);
    EXPECT_EQ(ListCell(0), first);
    EXPECT_EQ(record->GetRecord(), doc->GetCheckRecords()[0]);
    list->Undo();
    EXPECT_EQ(doc->GetCheckRecords().size(), 1u);
}

} // namespace
} // namespace prjview
