#include "app/shell/AboutDlg.h"
#include "app/shell/DummyDocTemplate.h"
#include "app/shell/MainFrame.h"
#include "app/shell/PrintOptionDlg.h"
#include "app/shell/ShellIds.h"
#include "docview/instrumentdlg/UnitTypeTable.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Gdi.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Menu.h"
#include "instrument/Kiv406UsbInterface.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/MeterSocket.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace shelltest {
namespace {

using fw::CString;

TEST_F(ShellTest, TheUnitTypeTableComesFromTheUnitTypeMenu)
{
    ASSERT_TRUE(Start());
    const CUnitTypeTable& types = app.GetUnitTypes();
    EXPECT_EQ(types.GetRowCount(), 10) << "KIV-489 is left out";
    EXPECT_EQ(types.GetTypeName(0), "未接続");
    EXPECT_EQ(types.GetModelName(0), "");
    EXPECT_EQ(types.GetTypeName(6), "未接続") << "codes without a type of their own answer row 0";
    EXPECT_EQ(types.GetModelName(8), "KIV-463");
    EXPECT_EQ(types.GetTypeName(10), "搬送波ひずみユニット");
    EXPECT_THROW(types.GetTypeName(11), fw::CInvalidArgException);
    EXPECT_THROW(types.GetModelName(-1), fw::CInvalidArgException);
    EXPECT_EQ(CUnitTypeTable::GetTypeCode("KIV-417"), 1);
    EXPECT_EQ(CUnitTypeTable::GetTypeCode("KIV-999"), -1);
    EXPECT_EQ(UnitTypeFromMenuId(33565), 10);
    EXPECT_EQ(UnitTypeFromMenuId(33334), 0);
}

TEST_F(ShellTest, TemplatesAreFoundByTheirFileNewName)
{
    ASSERT_TRUE(Start());
    fw::CDocTemplate* project = app.FindDocTemplate(kIdrProjectType);
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(project->GetResourceId(), kIdrProjectType);
    fw::CDocTemplate* graph = app.FindDocTemplate(kIdrGraphType);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->GetResourceId(), kIdrGraphType);
    EXPECT_EQ(app.FindDocTemplate(kIdrCombinedFilter), nullptr) << "the combined filter names no type";
}

TEST_F(ShellTest, TheCombinedFilterNeverYieldsADocument)
{
    ASSERT_TRUE(Start());
    struct Row { const char* name; const char* file; unsigned message; };
    const Row rows[] = {
        {"frequency_settings_any_case", "x.KIVS", IDP_NEEDS_HIST_PROGRAM},
        {"frequency_settings", "y.kivs", IDP_NEEDS_HIST_PROGRAM},
        {"unknown_type", "z.txt", AFX_IDP_FAILED_TO_OPEN_DOC},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        services.prompt.Expect(r.message, fw::IDOK);
        const std::string file = WriteFile(dir / r.file);
        EXPECT_EQ(app.OpenDocumentFile(file), nullptr);
    }
}

TEST_F(ShellTest, FreeDiskSpaceMustExceedTheRequiredSize)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(app.CheckFreeDiskSpace(CString(), 0, 3020));
    const uint64_t free = fw::fs::DiskFree(app.GetDataFolder()).value_or(0);
    ASSERT_GT(free, 0u);
    services.prompt.ExpectText(app.GetDataFolder(), fw::IDOK);
    EXPECT_FALSE(app.CheckFreeDiskSpace(CString(), free * 2, 61730));
}

TEST_F(ShellTest, ANewLinkReplacesTheOldOne)
{
    ASSERT_TRUE(Start());
    CMeterInterfacePrf prf;
    prf.m_interface = CMeterInterfacePrf::kInterfaceUsb;
    EXPECT_NE(dynamic_cast<CKiv406UsbInterface*>(app.CreateMeterInterface(prf)), nullptr);
    prf.m_interface = CMeterInterfacePrf::kInterfaceLan;
    EXPECT_NE(dynamic_cast<CMeterSocket*>(app.CreateMeterInterface(prf)), nullptr);
    prf.m_interface = 7;
    EXPECT_EQ(app.CreateMeterInterface(prf), nullptr);
    EXPECT_EQ(app.GetMeterInterface(), nullptr);
}

TEST_F(ShellTest, PrintOptionsAreCopiedBackOnlyOnOk)
{
    ASSERT_TRUE(Start());
    dialogs.On(IDD_PRINT_OPTION, [](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemAs<fw::CButton>(CPrintOptionDlg::IDC_LEFT_TO_RIGHT)->GetCheck(), 1);
        EXPECT_EQ(d.GetDlgItemAs<fw::CButton>(CPrintOptionDlg::IDC_PAPER_SIZE)->GetCheck(), 1);
        d.GetDlgItemAs<fw::CButton>(CPrintOptionDlg::IDC_PAPER_SIZE)->SetCheck(0);
        d.OnCancel();
        return fw::IDCANCEL;
    });
    dialogs.On(IDD_PRINT_OPTION, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CButton>(CPrintOptionDlg::IDC_TOP_TO_BOTTOM)->SetCheck(1);
        d.GetDlgItemAs<fw::CButton>(CPrintOptionDlg::IDC_PAPER_SIZE)->SetCheck(0);
        d.OnOK();
        return fw::IDOK;
    });
    app.m_printOptions.reserved = 5;
    EXPECT_TRUE(app.DoCommand(ID_PRINT_OPTION));
    EXPECT_EQ(app.m_printOptions.paperSize, 1);
    EXPECT_TRUE(app.DoCommand(ID_PRINT_OPTION));
    EXPECT_EQ(app.m_printOptions.pageOrder, 0);
    EXPECT_EQ(app.m_printOptions.paperSize, 0);
    EXPECT_EQ(app.m_printOptions.reserved, 5) << "carried through";
}

TEST_F(ShellTest, TheHighPassDisplayIsAskedForThenSentToTheViews)
{
    ASSERT_TRUE(Start());  // one new project is open
    auto* view = dynamic_cast<ProjectView*>(dynamic_cast<CMainFrame*>(app.GetMainWnd())->GetActiveView());
    ASSERT_NE(view, nullptr);
    view->hints.clear();

    services.prompt.Expect(IDP_HIGHPASS_QUESTION, fw::IDNO);
    app.DoCommand(ID_HIGHPASS_DISPLAY);
    EXPECT_EQ(app.m_bHighPassDisplay, 0);
    EXPECT_TRUE(view->hints.empty());

    services.prompt.Expect(IDP_HIGHPASS_QUESTION, fw::IDYES);
    app.DoCommand(ID_HIGHPASS_DISPLAY);
    EXPECT_EQ(app.m_bHighPassDisplay, 1);
    EXPECT_EQ(view->hints, std::vector<intptr_t>{kHintHighPassDisplay});
}

TEST_F(ShellTest, TheAboutBoxNamesTheProgramAndItsVersion)
{
    ASSERT_TRUE(Start());
    dialogs.On(IDD_ABOUTBOX, [](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(CAboutDlg::IDC_ABOUT_TEXT),
                  fw::Format("KIV-5400 \n\tVer.%s \n\n%s ", kProgramVersion, kProgramCopyright));
        auto* icon = d.GetDlgItemAs<fw::CStatic>(CAboutDlg::IDC_ABOUT_ICON);
        EXPECT_TRUE(icon && !icon->Label()->pixmap().isNull()) << "the program's icon";
        d.OnOK();
        return fw::IDOK;
    });
    EXPECT_TRUE(app.GetMainWnd()->OnCmdMsg(fw::ID_APP_ABOUT, fw::CN_COMMAND, nullptr));
}

TEST_F(ShellTest, FontCharSizesGrowWithTheFont)
{
    fw::CFont small;
    fw::CFont large;
    ASSERT_TRUE(small.CreatePointFont(90, "ＭＳ Ｐゴシック"));
    ASSERT_TRUE(large.CreatePointFont(240, "ＭＳ Ｐゴシック"));
    const fw::CSize a = app.GetFontCharSize(&small);
    const fw::CSize b = app.GetFontCharSize(&large);
    EXPECT_GT(a.cx, 0);
    EXPECT_GT(a.cy, 0);
    EXPECT_GT(b.cx, a.cx);
    EXPECT_GT(b.cy, a.cy);
}

QAction* ItemOf(QMenu* menu, unsigned id)
{
    for (QAction* a : menu->actions()) {
        if (fw::CMenu::CommandOf(a) == id)
            return a;
    }
    return nullptr;
}

TEST_F(ShellTest, MenuItemsFollowTheirHandlersAndUpdateHandlers)
{
    ASSERT_TRUE(Start());
    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    const QList<QAction*> bar = frame->MainWindow()->menuBar()->actions();
    QMenu* file = bar.at(0)->menu();
    QMenu* view = bar.at(1)->menu();
    emit file->aboutToShow();
    emit view->aboutToShow();

    struct Row { const char* name; QMenu* menu; unsigned id; bool enabled; int checked; };
    const Row rows[] = {
        {"new_by_application", file, fw::ID_FILE_NEW, true, -1},
        {"print_options_by_application", file, ID_PRINT_OPTION, true, -1},
        {"print_setup_by_main_frame", file, fw::ID_FILE_PRINT_SETUP, true, -1},
        {"tool_bar_shown", view, ID_VIEW_TOOLBAR, true, 1},
        {"trigger_bar_shown", view, ID_VIEW_TRIGGER_BAR, true, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QAction* item = ItemOf(r.menu, r.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->isEnabled(), r.enabled);
        if (r.checked >= 0) {
            EXPECT_EQ(item->isChecked(), r.checked == 1);
        }
    }
    EXPECT_EQ(ItemOf(view, ID_CF_STATUS), nullptr) << "the card status item is never offered in a menu";

    frame->ExecuteCommand(ID_VIEW_TRIGGER_BAR);
    emit view->aboutToShow();
    EXPECT_FALSE(ItemOf(view, ID_VIEW_TRIGGER_BAR)->isChecked());
}

} // namespace
} // namespace shelltest
