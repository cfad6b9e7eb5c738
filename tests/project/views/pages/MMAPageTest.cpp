// The max/min/average page: three columns per recorded channel, channel
// labels from channel numbers, and the text file of chosen channels and
// steps.

#include "tests/project/views/pages/HistoryPageFixture.h"

#include "framework/ui/Controls.h"
#include "project/views/pages/MmaListTextDlg.h"
#include "project/views/pages/PrjMMAView.h"
#include "tests/support/ui/DialogFixture.h"

#include "framework/core/Cp932.h"

#include <QListWidget>

#include <functional>

namespace prjview {
namespace {

class MMAPageTest : public HistoryPageFixture {
protected:
    void Open()
    {
        MakeHistory(3, {"D1", "", "D3"});
        AddChannel(0, "温度", "℃");
        AddChannel(5, "圧力", "kPa");
        AddChannel(7, "流量", "L");
        AddChannel(512, "計算", "");
        page = Show<CPrjMMAView>(prjcmd::kPageStatistics);
        ASSERT_NE(page, nullptr);
        CMmaListTextOption::Current() = CMmaListTextOption();
    }
    std::string Header(int col, int row)
    {
        fw::CString text;
        page->GetColumnHeaderText(text, col, row, 1);
        return text.str();
    }
    std::string Cell(int col, int row)
    {
        fw::CString text;
        page->GetSheetText(text, col, row, 1);
        return text.str();
    }
    // Runs dialog 148 choosing the list items `items`.
    void ScriptDialog(std::vector<int> items, std::function<void(fw::CDialog&)> more = {})
    {
        uiDialogs.On(CMmaListTextDlg::kTemplateId, [items, more](fw::CDialog& d) {
            QListWidget* list = d.GetDlgItemAs<fw::CListBox>(CMmaListTextDlg::kIdList)->List();
            for (int i : items)
                list->item(i)->setSelected(true);
            if (more)
                more(d);
            appuitest::Click(d, fw::IDOK);
            return -1;
        });
    }
    std::string SaveText(const std::string& name)
    {
        dialogs.AnswerSave(fw::CString(PathOf(name)));
        FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdTextSave);
        return fw::cp932::FromCp932(ReadAll(PathOf(name)));
    }
    CPrjMMAView* page = nullptr;
};

TEST_F(MMAPageTest, ColumnsAreEachChannelsMaximumMinimumAndAverage)
{
    Open();
    EXPECT_EQ(Header(0, 0), "温度");
    EXPECT_EQ(Header(0, 1), "℃");
    EXPECT_EQ(Header(0, 2), " 最大値");
    EXPECT_EQ(Header(4, 2), " 最小値");
    EXPECT_EQ(Header(5, 0), "圧力");
    EXPECT_EQ(Cell(3, 2), "21");
    EXPECT_EQ(Cell(5, 1), "13");
    EXPECT_EQ(Cell(12, 0), "");
    fw::CString text;
    page->GetRowHeaderText(text, 1, 2, 1);
    EXPECT_EQ(text.str(), "2024/05/03 10:20:30");
    page->GetRowHeaderText(text, 2, 0, 1);
    EXPECT_EQ(text.str(), "");
    page->GetTagText(text, 2, 0, 1);
    EXPECT_EQ(text.str(), "サイクル数");
}

TEST_F(MMAPageTest, LabelsNameTheChannelNotItsPlaceInTheList)
{
    Open();
    const CMMAObject& history = doc->GetHistory();
    EXPECT_EQ(MmaChannelLabel(history, 0).str(), "CH1");
    EXPECT_EQ(MmaChannelLabel(history, 1).str(), "CH6");
    EXPECT_EQ(MmaChannelLabel(history, 2).str(), "CH8");
    EXPECT_EQ(MmaChannelLabel(history, 3).str(), "NO13");
}

TEST_F(MMAPageTest, TextOfChosenChannelsAndStepsWithNameAndUnitOnOneLine)
{
    Open();
    doc->SetTestTitle("T");
    ScriptDialog({1, 3}, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CButton>(CMmaListTextDlg::kIdOneLine)->SetCheck(1);
        d.SetDlgItemText(CMmaListTextDlg::kIdFirst, "2");
    });
    const std::string text = SaveText("mma.txt");
    const std::vector<int16_t> chosen{3, 9};
    EXPECT_EQ(CMmaListTextOption::Current().m_channels, chosen);
    std::vector<std::string> lines;
    for (size_t start = 0; start < text.size();) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 6u) << text;
    EXPECT_EQ(lines[0], "T");
    EXPECT_EQ(lines[2], "ステップ\t計測日時\t圧力 kPa\t圧力 kPa\t圧力 kPa\t計算 \t計算 \t計算 ");
    // The corner has one row: the lower header lines start with empty fields.
    EXPECT_EQ(lines[3], "\t 最大値\t 最小値\t 平均値\t 最大値\t 最小値\t 平均値");
    EXPECT_EQ(lines[4], "2\t2024/05/02 10:20:30\t11\t12\t13\t11\t12\t13");
    EXPECT_EQ(lines[5], "3\t2024/05/03 10:20:30\t21\t22\t23\t21\t22\t23");
}

TEST_F(MMAPageTest, TheDialogKeepsItsChoiceForTheSameProjectAndChecksItsEntries)
{
    Open();
    ScriptDialog({0});
    SaveText("a.txt");
    // Reopened for the same project: the choice stays, the last step moves to the end.
    doc->GetHistory().Grow(3);
    services.prompt.ExpectText("始めのステップより", fw::IDOK);
    uiDialogs.On(CMmaListTextDlg::kTemplateId, [](fw::CDialog& d) {
        QListWidget* list = d.GetDlgItemAs<fw::CListBox>(CMmaListTextDlg::kIdList)->List();
        EXPECT_TRUE(list->item(0)->isSelected());
        EXPECT_FALSE(list->item(1)->isSelected());
        EXPECT_EQ(d.GetDlgItemText(CMmaListTextDlg::kIdLast).str(), "4");
        d.SetDlgItemText(CMmaListTextDlg::kIdFirst, "3");
        d.SetDlgItemText(CMmaListTextDlg::kIdLast, "2");
        appuitest::Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        return fw::IDCANCEL;
    });
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdTextSave);
    // Another project: the choice is cleared and nothing chosen is refused.
    CMmaListTextOption::Current().m_document = CDocIdent(99, 99);
    services.prompt.Expect(CMmaListTextDlg::kMsgNothingChosen, fw::IDOK);
    uiDialogs.On(CMmaListTextDlg::kTemplateId, [](fw::CDialog& d) {
        QListWidget* list = d.GetDlgItemAs<fw::CListBox>(CMmaListTextDlg::kIdList)->List();
        EXPECT_EQ(list->selectedItems().size(), 0);
        appuitest::Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        return fw::IDCANCEL;
    });
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdTextSave);
}

TEST_F(MMAPageTest, OneLineNeedsBothNameAndUnit)
{
    Open();
    uiDialogs.On(CMmaListTextDlg::kTemplateId, [](fw::CDialog& d) {
        EXPECT_TRUE(appuitest::Enabled(d, CMmaListTextDlg::kIdOneLine));
        appuitest::Click(d, CMmaListTextDlg::kIdUnit);
        EXPECT_FALSE(appuitest::Enabled(d, CMmaListTextDlg::kIdOneLine));
        return fw::IDCANCEL;
    });
    FrameOf(doc)->ExecuteCommand(CProjectBaseView::kIdTextSave);
}

} // namespace
} // namespace prjview
