// The option sheet of the data lists' text export, driven by control id,
// and the export it leads to.

#include "tests/data/views/DataViewFixture.h"

#include "data/views/DataListTextSheet.h"
#include "data/views/FolderDialog.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataFrame.h"
#include "framework/ui/Controls.h"
#include "project/views/DataTextOptions.h"

#include <QWidget>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace dataview {
namespace {

using Sheet = CDataListTextSheet;
using Page = CDataListTextPageBase;

void Press(fw::CDialog& d, int id)
{
    auto* button = d.GetDlgItemAs<fw::CButton>(id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    button->Click();
}

bool Enabled(fw::CDialog& d, int id)
{
    fw::CWnd* w = d.GetDlgItem(id);
    return w && w->Widget() && w->Widget()->isEnabled();
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class TextOptionsSheetTest : public DataViewFixture {
protected:
    TextOptionsSheetTest() : m_saved(AppTextConvParam()) { AppTextConvParam() = tTextConvParam(); }
    ~TextOptionsSheetTest() override { AppTextConvParam() = m_saved; }

    CKivDataChDataView* ValueList(CKivDataDoc* doc)
    {
        FrameOf(doc)->OnDataView(datacmd::kPageValues);
        return ViewOf<CKivDataChDataView>(doc);
    }
    // The sheet as the export command runs it, the script seeing it open.
    int RunSheet(CKivDataDoc* doc, const CCellRange& selection, std::function<void(Sheet&)> script)
    {
        uiDialogs.On(Sheet::kIdsCaption, [&](fw::CDialog& d) {
            script(static_cast<Sheet&>(d));
            return d.IsEnded() ? d.GetResult() : fw::IDCANCEL;
        });
        Sheet sheet(Sheet::kIdsCaption, nullptr, AppTextConvParam().page);
        sheet.m_options = AppTextConvParam();
        sheet.m_pDoc = doc;
        sheet.m_selection = selection;
        sheet.m_nRowCount = doc->GetSampleCount();
        const int result = sheet.DoModal();
        if (result == fw::IDOK)
            AppTextConvParam() = sheet.m_options;
        return result;
    }
    static CDataListTextPage& SelectionPage(Sheet& s) { return static_cast<CDataListTextPage&>(*s.GetPage(0)); }

private:
    tTextConvParam m_saved;
};

TEST_F(TextOptionsSheetTest, ChosenChannelsPageListsInputsThenCalculatedChannelsWithTheirNumbers)
{
    CKivDataDoc* doc = OpenData(5);
    ASSERT_NE(doc, nullptr);
    RunSheet(doc, {}, [](Sheet& s) {
        EXPECT_EQ(s.GetActiveIndex(), 0);
        CDataListTextPage& page = SelectionPage(s);
        ASSERT_EQ(page.GetItemCount(), 4);
        const char* expected[][2] = {{"CH-A", "CH1"}, {"CH-B", "CH2"}, {"CH-C", "CH3"}, {"SUM", "NO1"}};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(page.GetItemText(i, 0).str(), expected[i][0]) << i;
            EXPECT_EQ(page.GetItemText(i, 1).str(), expected[i][1]) << i;
        }
        // A new document: all its rows.
        EXPECT_EQ(page.GetDlgItemText(Page::kIdFirst).str(), "1");
        EXPECT_EQ(page.GetDlgItemText(Page::kIdLast).str(), "5");
        Press(s, fw::IDCANCEL);
    });
}

TEST_F(TextOptionsSheetTest, AnotherDocumentForgetsTheRowsAndChannelsTheSameOneKeepsThem)
{
    CKivDataDoc* first = OpenData(5);
    CKivDataDoc* second = OpenData(7);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    int columnOfB = -1;
    ASSERT_EQ(RunSheet(first, {}, [&](Sheet& s) {
                  CDataListTextPage& page = SelectionPage(s);
                  page.SetItemSelected(1, true);
                  columnOfB = page.GetItemColumn(1);
                  page.SetDlgItemText(Page::kIdFirst, "2");
                  page.SetDlgItemText(Page::kIdLast, "4");
                  Press(s, fw::IDOK);
              }),
              fw::IDOK);
    EXPECT_EQ(AppTextConvParam().columns, std::vector<int>{columnOfB});
    EXPECT_EQ(AppTextConvParam().firstRow, 2);
    EXPECT_EQ(AppTextConvParam().lastRow, 4);

    RunSheet(first, {}, [](Sheet& s) {
        CDataListTextPage& page = SelectionPage(s);
        EXPECT_EQ(page.SelectedColumns().size(), 1u);
        EXPECT_EQ(page.GetDlgItemText(Page::kIdFirst).str(), "2");
        EXPECT_EQ(page.GetDlgItemText(Page::kIdLast).str(), "4");
        Press(s, fw::IDCANCEL);
    });
    RunSheet(second, {}, [](Sheet& s) {
        CDataListTextPage& page = SelectionPage(s);
        EXPECT_TRUE(page.SelectedColumns().empty());
        EXPECT_EQ(page.GetDlgItemText(Page::kIdFirst).str(), "1");
        EXPECT_EQ(page.GetDlgItemText(Page::kIdLast).str(), "7");
        Press(s, fw::IDCANCEL);
    });
}

TEST_F(TextOptionsSheetTest, OkOnChosenChannelsNeedsRowsInOrderAndAChannel)
{
    CKivDataDoc* doc = OpenData(5);
    ASSERT_NE(doc, nullptr);
    const int result = RunSheet(doc, {}, [this](Sheet& s) {
        CDataListTextPage& page = SelectionPage(s);
        page.SetDlgItemText(Page::kIdFirst, "4");
        page.SetDlgItemText(Page::kIdLast, "3");
        page.SetItemSelected(0, true);
        services.prompt.Expect(tTextConvParam::kMsgLastBeforeFirst, fw::IDOK);
        Press(s, fw::IDOK);
        EXPECT_FALSE(s.IsEnded());
        page.SetDlgItemText(Page::kIdLast, "5");
        page.SetItemSelected(0, false);
        services.prompt.Expect(tTextConvParam::kMsgNothingSelected, fw::IDOK);
        Press(s, fw::IDOK);
        EXPECT_FALSE(s.IsEnded());
        // Rows beyond the document are the framework's range message.
        page.SetItemSelected(0, true);
        page.SetDlgItemText(Page::kIdLast, "6");
        services.prompt.Expect(kIdpIntRange, fw::IDOK);
        Press(s, fw::IDOK);
        EXPECT_FALSE(s.IsEnded());
        page.SetDlgItemText(Page::kIdLast, "5");
        page.OnCmdMsg(CDataListTextPage::kIdSelectAll, fw::CN_COMMAND, nullptr);
        Press(s, fw::IDOK);
    });
    ASSERT_EQ(result, fw::IDOK);
    EXPECT_EQ(AppTextConvParam().columns.size(), 4u);
    EXPECT_EQ(AppTextConvParam().firstRow, 4);
    EXPECT_EQ(AppTextConvParam().lastRow, 5);
    EXPECT_EQ(AppTextConvParam().page, tTextConvParam::kPageSelection);
}

TEST_F(TextOptionsSheetTest, SelectionButtonTakesTheViewsRowsOnlyWhenItSpansRows)
{
    CKivDataDoc* doc = OpenData(9);
    ASSERT_NE(doc, nullptr);
    RunSheet(doc, CCellRange{2, 0, 2, 1}, [](Sheet& s) {
        EXPECT_FALSE(Enabled(SelectionPage(s), CDataListTextPage::kIdSelectionAsSteps));
        Press(s, fw::IDCANCEL);
    });
    RunSheet(doc, CCellRange{2, 0, 5, 1}, [](Sheet& s) {
        CDataListTextPage& page = SelectionPage(s);
        ASSERT_TRUE(Enabled(page, CDataListTextPage::kIdSelectionAsSteps));
        Press(page, CDataListTextPage::kIdSelectionAsSteps);
        EXPECT_EQ(page.GetDlgItemText(Page::kIdFirst).str(), "3");
        EXPECT_EQ(page.GetDlgItemText(Page::kIdLast).str(), "6");
        Press(s, fw::IDCANCEL);
    });
}

TEST_F(TextOptionsSheetTest, OneLineIsOfferedOnlyWithNamesAndUnits)
{
    CKivDataDoc* doc = OpenData(3);
    ASSERT_NE(doc, nullptr);
    RunSheet(doc, {}, [](Sheet& s) {
        for (int index : {0, 1}) {
            ASSERT_TRUE(s.SetActivePage(index));
            Page& page = *s.GetPage(index);
            EXPECT_TRUE(Enabled(page, Page::kIdOneLine)) << index;
            Press(page, Page::kIdUnit);
            EXPECT_FALSE(Enabled(page, Page::kIdOneLine)) << index;
            Press(page, Page::kIdUnit);
            Press(page, Page::kIdName);
            EXPECT_FALSE(Enabled(page, Page::kIdOneLine)) << index;
            Press(page, Page::kIdName);
            EXPECT_TRUE(Enabled(page, Page::kIdOneLine)) << index;
        }
        Press(s, fw::IDCANCEL);
    });
}

TEST_F(TextOptionsSheetTest, LimitsOutsideTheirRangesKeepThePage)
{
    CKivDataDoc* doc = OpenData(3);
    ASSERT_NE(doc, nullptr);
    struct Case {
        const char* name;
        int id;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"no columns", Page::kIdFirst, "0", false},     {"too many columns", Page::kIdFirst, "1321", false},
        {"most columns", Page::kIdFirst, "1320", true}, {"no rows", Page::kIdLast, "0", false},
        {"too many rows", Page::kIdLast, "10000001", false}, {"most rows", Page::kIdLast, "10000000", true},
    };
    for (const Case& c : cases) {
        for (int index : {1, 2, 3}) {
            SCOPED_TRACE(std::string(c.name) + " on page " + std::to_string(index));
            AppTextConvParam() = tTextConvParam();
            AppTextConvParam().page = index;
            const int result = RunSheet(doc, {}, [&](Sheet& s) {
                ASSERT_EQ(s.GetActiveIndex(), index);
                Page& page = *s.GetPage(index);
                page.SetDlgItemText(c.id, c.text);
                if (!c.accepted) {
                    services.prompt.Expect(kIdpIntRange, fw::IDOK);
                    // Neither another page nor OK lets go of it.
                    EXPECT_FALSE(s.SetActivePage(0)) << c.name;
                    services.prompt.Expect(kIdpIntRange, fw::IDOK);
                }
                Press(s, fw::IDOK);
                EXPECT_EQ(s.IsEnded(), c.accepted) << c.name;
                if (!s.IsEnded())
                    Press(s, fw::IDCANCEL);
            });
            EXPECT_EQ(result, c.accepted ? fw::IDOK : fw::IDCANCEL) << c.name << " page " << index;
        }
    }
    EXPECT_EQ(AppTextConvParam().rowLimit, 10000000);
}

TEST_F(TextOptionsSheetTest, EachPageShowsTheChoicesMadeOnAnother)
{
    CKivDataDoc* doc = OpenData(3);
    ASSERT_NE(doc, nullptr);
    const int result = RunSheet(doc, {}, [](Sheet& s) {
        ASSERT_TRUE(s.SetActivePage(1));
        Page& all = *s.GetPage(1);
        Press(all, Page::kIdName);
        all.SetDlgItemText(Page::kIdFirst, "17");
        ASSERT_TRUE(s.SetActivePage(3));
        Page& dadisp = *s.GetPage(3);
        EXPECT_FALSE(dadisp.GetDlgItemAs<fw::CButton>(Page::kIdName)->GetCheck());
        EXPECT_EQ(dadisp.GetDlgItemText(Page::kIdFirst).str(), "17");
        EXPECT_EQ(dadisp.GetDlgItem(Page::kIdTitle), nullptr);
        Press(s, fw::IDOK);
    });
    ASSERT_EQ(result, fw::IDOK);
    EXPECT_EQ(AppTextConvParam().page, tTextConvParam::kPageDadisp);
    EXPECT_FALSE(AppTextConvParam().bName);
    EXPECT_EQ(AppTextConvParam().columnLimit, 17);
}

// The export command: chosen channels into one file, the whole list into
// block files named after the chosen one.
TEST_F(TextOptionsSheetTest, ExportWritesChosenChannelsOrTheWholeListInBlocks)
{
    CKivDataDoc* doc = OpenData(5);
    ASSERT_NE(doc, nullptr);
    CKivDataChDataView* view = ValueList(doc);
    ASSERT_NE(view, nullptr);

    uiDialogs.On(Sheet::kIdsCaption, [](fw::CDialog& d) {
        auto& s = static_cast<Sheet&>(d);
        auto& page = static_cast<CDataListTextPage&>(*s.GetPage(0));
        page.SetItemSelected(2, true);
        page.SetDlgItemText(Page::kIdFirst, "2");
        page.SetDlgItemText(Page::kIdLast, "3");
        Press(s, fw::IDOK);
        return 0;
    });
    const auto chosen = dir / "chosen.csv";
    dialogs.AnswerSave(fw::CString(chosen.string()));
    Run(view, CKivDataViewBase::kIdTextSave);
    const std::string text = ReadFile(chosen);
    EXPECT_NE(text.find(",CH-C\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("CH-A"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n2,"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n3,"), std::string::npos) << text;
    EXPECT_EQ(text.find("\r\n4,"), std::string::npos) << text;

    uiDialogs.On(Sheet::kIdsCaption, [](fw::CDialog& d) {
        auto& s = static_cast<Sheet&>(d);
        EXPECT_EQ(s.GetActiveIndex(), 0) << "the last layout comes back";
        s.SetActivePage(1);
        s.GetPage(1)->SetDlgItemText(Page::kIdFirst, "3");
        s.GetPage(1)->SetDlgItemText(Page::kIdLast, "4");
        Press(s, fw::IDOK);
        return 0;
    });
    dialogs.AnswerSave(fw::CString((dir / "all.txt").string()));
    Run(view, CKivDataViewBase::kIdTextSave);
    EXPECT_EQ(AppTextConvParam().format, tTextConvParam::kTxt);
    for (const char* name : {"all_1_1.TXT", "all_1_2.TXT", "all_2_1.TXT", "all_2_2.TXT"})
        EXPECT_TRUE(std::filesystem::exists(dir / name)) << name;
    EXPECT_FALSE(std::filesystem::exists(dir / "all_3_1.TXT"));
    const std::string last = ReadFile(dir / "all_2_2.TXT");
    EXPECT_NE(last.find("\r\n5\t"), std::string::npos) << last;
    EXPECT_EQ(last.find("\r\n4\t"), std::string::npos) << last;
}

TEST(FolderDialogTest, LongPathsAreShownCutAfterThirtyFiveCharacters)
{
    const std::string forty(40, 'a');
    std::string shown(35, 'a');
    shown.append("...");
    EXPECT_EQ(CFolderDialog::ShownPath(fw::CString(forty)).str(), shown);
    EXPECT_EQ(CFolderDialog::ShownPath(fw::CString(std::string(35, 'b'))).str(), std::string(35, 'b'));
    // Characters, not bytes: a Japanese name is not cut inside a character.
    std::string japanese;
    for (int i = 0; i < 36; ++i)
        japanese += "デ";
    std::string cut = japanese.substr(0, 35 * 3);
    cut.append("...");
    EXPECT_EQ(CFolderDialog::ShownPath(fw::CString(japanese)).str(), cut);
}

TEST_F(TextOptionsSheetTest, FolderDialogAnswersTheChosenFolderAndKeepsTheCurrentOne)
{
    const auto before = std::filesystem::current_path();
    CFolderDialog dlg(fw::CString(dir.Path().string()), 0x1);
    EXPECT_EQ(dlg.GetFlags(), 0x41u);
    dialogs.AnswerFolder(fw::CString((dir / "out").string()));
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(dlg.GetFolderPath().str(), (dir / "out").string());
    dialogs.Cancel(fw::test::ScriptedFileDialogs::Kind::folder);
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(dlg.GetFolderPath().str(), dir.Path().string());
    EXPECT_EQ(std::filesystem::current_path(), before);
}

} // namespace
} // namespace dataview
