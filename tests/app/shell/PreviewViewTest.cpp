#include "app/shell/MainFrame.h"
#include "app/shell/ZELPreviewView.h"
#include "framework/core/DC.h"
#include "framework/ui/PreviewView.h"
#include "framework/ui/Print.h"
#include "framework/ui/View.h"
#include "framework/ui/testing/ScriptedPrintDialogs.h"
#include "tests/app/shell/ShellFixture.h"
#include "tests/support/TestSupport.h"
#include "tests/support/ui/UiTestSupport.h"

#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <memory>

namespace shelltest {
namespace {

// A view that, like the graph and list views, knows its own preview again
// by the preview object's class when the preview ends.
class OwnPreviewView : public fw::CView {
public:
    OwnPreviewView() { Create(nullptr, nullptr); SetAutoDelete(false); }
    void OnDraw(fw::CDC* dc) override { dc->TextOut(10, 10, "x"); }
    void OnEndPrintPreview(fw::CDC*, fw::CPrintInfo*, fw::CPoint, fw::CPreviewView* preview) override
    {
        ownPreview = preview && preview->IsKindOf(FW_RUNTIME_CLASS(CZELPreviewView));
        pages = preview ? preview->PagesRendered() : 0;
    }
    bool ownPreview = false;
    unsigned pages = 0;
};

TEST(ZELPreviewView, IsAFrameworkPreviewViewMadeByClassAndRecognisedWhenThePreviewEnds)
{
    std::unique_ptr<fw::CObject> made(FW_RUNTIME_CLASS(CZELPreviewView)->CreateObject());
    ASSERT_NE(dynamic_cast<fw::CPreviewView*>(made.get()), nullptr);

    fw::test::ScriptedPrintDialogs dialogs;
    kivtest::TempDir dir;
    dialogs.onPreview = [&](QPrintPreviewDialog& dialog) {
        QPrinter pages(QPrinter::HighResolution);
        pages.setOutputFormat(QPrinter::PdfFormat);
        pages.setOutputFileName(QString::fromStdString((dir / "preview.pdf").string()));
        emit dialog.paintRequested(&pages);
    };
    OwnPreviewView view;
    ASSERT_TRUE(fw::DoPrintPreview(&view, FW_RUNTIME_CLASS(CZELPreviewView)));
    EXPECT_TRUE(view.ownPreview);
    EXPECT_EQ(view.pages, 1u);

    ASSERT_TRUE(fw::DoPrintPreview(&view));
    EXPECT_FALSE(view.ownPreview) << "the framework's own preview class is not the program's";
}

TEST_F(ShellTest, PrintSetupRunsPageSetupOnTheSessionPrinter)
{
    ASSERT_TRUE(Start());
    fw::test::ScriptedPrintDialogs printDialogs;
    printDialogs.onPageSetup = [](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_NE(frame, nullptr);
    frame->ExecuteCommand(fw::ID_FILE_PRINT_SETUP);
    EXPECT_EQ(printDialogs.pageSetupCalls, 1);
    EXPECT_EQ(fw::AppPrinter().pageLayout().orientation(), QPageLayout::Landscape);
}

// A window whose view cannot print: 印刷 and its preview tell the user so;
// without a document window they stay disabled.
TEST_F(ShellTest, PrintingAWindowThatCannotPrintSaysSo)
{
    ASSERT_TRUE(Start());
    auto* frame = dynamic_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetActiveDocument(), nullptr) << "start-up makes a new project";
    auto enabled = [&](unsigned id) {
        fw::CCmdUI ui(id);
        ui.DoUpdate(frame, true);
        return ui.m_bEnabled;
    };
    EXPECT_TRUE(enabled(fw::ID_FILE_PRINT));
    services.prompt.Expect(fw::kIdpFailedToStartPrint, fw::IDOK);
    frame->ExecuteCommand(fw::ID_FILE_PRINT);
    services.prompt.Expect(fw::kIdpCommandFailure, fw::IDOK);
    frame->ExecuteCommand(fw::ID_FILE_PRINT_PREVIEW);
    EXPECT_EQ(services.prompt.Problems(), "");

    app.CloseAllDocuments(false);
    uitest::RunDeferredDeletes();
    EXPECT_FALSE(enabled(fw::ID_FILE_PRINT));
    EXPECT_FALSE(enabled(fw::ID_FILE_PRINT_PREVIEW));
}

} // namespace
} // namespace shelltest
