#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/views/PrintJobsDlg.h"
#include "tests/support/ui/DialogFixture.h"

#include <QListWidget>

#include <memory>

namespace {

using appuitest::Click;
using appuitest::Enabled;

class PrintJobsDlgTest : public appuitest::DialogFixture {
protected:
    PrintJobsDlgTest() : scope(host)
    {
        RegisterGraphDocClasses();
        for (const char* title : {"a", "b", "c", "d"}) {
            pages.push_back(std::make_unique<CGraphViewDoc>());
            pages.back()->m_bAutoDelete = false;
            pages.back()->SetTitle(title);
            dialog.m_pages.push_back(pages.back().get());
        }
    }

    static void SelectRows(fw::CDialog& d, int id, std::initializer_list<int> rows)
    {
        QListWidget* list = d.GetDlgItemAs<fw::CListBox>(id)->List();
        list->clearSelection();
        for (int row : rows)
            list->item(row)->setSelected(true);
    }

    static std::vector<std::string> Texts(fw::CDialog& d, int id)
    {
        std::vector<std::string> texts;
        auto* box = d.GetDlgItemAs<fw::CListBox>(id);
        for (int i = 0; i < box->GetCount(); ++i) {
            fw::CString text;
            box->GetText(i, text);
            texts.push_back(text.c_str());
        }
        return texts;
    }

    CGraphPageHost host;
    fw::ScopedInstall<IGraphPageHost> scope;
    std::vector<std::unique_ptr<CGraphViewDoc>> pages;
    CPrintJobsDlg dialog;
};

TEST_F(PrintJobsDlgTest, InsertBeforeTheFirstSelectedEntryThenPrint)
{
    dialog.m_jobs.m_titles = {"a", "b"};
    dialogs.On(CPrintJobsDlg::IDD, [](fw::CDialog& d) {
        EXPECT_EQ(Texts(d, CPrintJobsDlg::IDC_PRINT_LIST), (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(Texts(d, CPrintJobsDlg::IDC_CANDIDATES), (std::vector<std::string>{"c", "d"}));
        EXPECT_FALSE(Enabled(d, CPrintJobsDlg::IDC_INSERT));
        SelectRows(d, CPrintJobsDlg::IDC_CANDIDATES, {1});
        SelectRows(d, CPrintJobsDlg::IDC_PRINT_LIST, {1});
        EXPECT_TRUE(Enabled(d, CPrintJobsDlg::IDC_INSERT));
        Click(d, CPrintJobsDlg::IDC_INSERT);
        EXPECT_EQ(Texts(d, CPrintJobsDlg::IDC_PRINT_LIST), (std::vector<std::string>{"a", "d", "b"}));
        d.GetDlgItem(CPrintJobsDlg::IDC_COLUMNS)->SetWindowText("2");
        d.GetDlgItem(CPrintJobsDlg::IDC_ROWS)->SetWindowText("3");
        Click(d, fw::IDOK);
        return 0;
    });
    ASSERT_EQ(dialog.DoModal(), fw::IDOK);
    EXPECT_EQ(dialog.m_jobs.m_titles, (std::vector<fw::CString>{"a", "d", "b"}));
    EXPECT_EQ(dialog.m_jobs.m_columns, 2);
    EXPECT_EQ(dialog.m_jobs.m_rows, 3);
}

TEST_F(PrintJobsDlgTest, OutOfRangeCellsAreRefusedAndStoreKeepsTheDialogOpen)
{
    services.prompt.ExpectText("", fw::IDOK);
    dialogs.On(CPrintJobsDlg::IDD, [this](fw::CDialog& d) {
        SelectRows(d, CPrintJobsDlg::IDC_CANDIDATES, {0, 2});
        Click(d, CPrintJobsDlg::IDC_REGISTER);
        Click(d, CPrintJobsDlg::IDC_STORE);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_EQ(host.m_jobs.m_titles, (std::vector<fw::CString>{"a", "c"}));
        d.GetDlgItem(CPrintJobsDlg::IDC_COLUMNS)->SetWindowText("11");
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        Click(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(dialog.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(host.m_jobs.m_columns, 1);
}

} // namespace
