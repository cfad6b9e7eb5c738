#include "framework/core/DC.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/PreviewView.h"
#include "framework/ui/Print.h"
#include "framework/ui/PrintDialogs.h"
#include "framework/ui/QPainterSink.h"
#include "framework/ui/View.h"
#include "framework/ui/testing/ScriptedPrintDialogs.h"
#include "tests/support/TestSupport.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

using namespace fw;

// What the view saw of one printed page.
struct PageSeen {
    unsigned page;
    bool preview;
    int dpi;
    CRect rectDraw;
};

class SheetsView : public CView {
public:
    explicit SheetsView(unsigned pages) : m_pages(pages) { Create(nullptr, nullptr); SetAutoDelete(false); }
    bool OnPreparePrinting(CPrintInfo* info) override
    {
        ++prepareCalls;
        info->SetMaxPage(m_pages);
        return !refuse;
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        pages.push_back({info->m_nCurPage, info->m_bPreview, dc->GetDeviceCaps(LOGPIXELSX), info->m_rectDraw});
        dc->TextOut(100, 100, CString("Sheet ") + CString(std::to_string(info->m_nCurPage)));
    }
    void OnEndPrintPreview(CDC*, CPrintInfo*, CPoint, CPreviewView* preview) override
    {
        endedWith = preview ? preview->GetRuntimeClass() : nullptr;
        renderedAtEnd = preview ? preview->PagesRendered() : 0;
    }
    void OnDraw(CDC*) override {}

    bool refuse = false;
    int prepareCalls = 0;
    std::vector<PageSeen> pages;
    const CRuntimeClass* endedWith = nullptr;
    unsigned renderedAtEnd = 0;

private:
    unsigned m_pages;
};

// A view that takes the print commands with the framework's handlers.
class CommandView : public SheetsView {
    FW_DECLARE_COMMANDS()
public:
    CommandView() : SheetsView(2) {}
};

FW_BEGIN_COMMANDS(CommandView, SheetsView)
    FW_ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
    FW_ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrintDirect)
    FW_ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
FW_END_COMMANDS

class OwnPreview : public CPreviewView {
    FW_DECLARE_DYNCREATE(OwnPreview)
};
FW_IMPLEMENT_DYNCREATE(OwnPreview, CPreviewView)

int PdfPages(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.rfind("%PDF", 0) != 0)
        return -1;
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

void ToPdf(QPrinter& printer, const std::filesystem::path& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path.string()));
}

class PrintDialogsTest : public ::testing::Test {
protected:
    test::ServiceScope services;
    test::ScriptedPrintDialogs dialogs;
    kivtest::TempDir dir;
};

TEST_F(PrintDialogsTest, ThePrintDialogChoosesTheRangeAndDirectPrintingSkipsIt)
{
    struct Row { const char* name; bool direct; bool answer; unsigned from, to; int dialogCalls; int pages; };
    const Row rows[] = {
        {"range_chosen", false, true, 2, 3, 1, 2},
        {"cancelled", false, false, 0, 0, 1, 0},
        {"direct", true, false, 0, 0, 0, 4},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto path = dir / (std::string(r.name) + ".pdf");
        dialogs.printCalls = 0;
        dialogs.onPrint = [&](QPrinter& printer, CPrintInfo& info) {
            EXPECT_EQ(info.GetMaxPage(), 4u) << "the dialog knows the page count";
            ToPdf(printer, path);
            info.m_nFromPage = r.from;
            info.m_nToPage = r.to;
            return r.answer;
        };
        ToPdf(AppPrinter(), path);
        SheetsView view(4);
        CPrintInfo info;
        info.m_bDirect = r.direct;
        EXPECT_EQ(PrintView(view, info), r.pages > 0);
        EXPECT_EQ(dialogs.printCalls, r.dialogCalls);
        EXPECT_EQ(view.prepareCalls, 1);
        EXPECT_EQ(static_cast<int>(view.pages.size()), r.pages);
        if (r.pages > 0) {
            EXPECT_EQ(PdfPages(path), r.pages);
            EXPECT_EQ(view.pages.front().page, r.from ? r.from : 1u);
            EXPECT_EQ(view.pages.front().dpi, AppPrinter().resolution());
            EXPECT_FALSE(view.pages.front().preview);
        }
    }
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(PrintDialogsTest, AFailedStartShowsTheCouldNotStartPrompt)
{
    services.prompt.Expect(kIdpFailedToStartPrint, IDOK);
    ToPdf(AppPrinter(), "/nonexistent-folder/x.pdf");
    SheetsView view(1);
    CPrintInfo info;
    info.m_bDirect = true;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(PrintView(view, info));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(PrintDialogsTest, PageSetupKeepsPaperAndOrientationForTheSession)
{
    dialogs.onPageSetup = [](QPrinter& printer) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    };
    EXPECT_TRUE(RunPrintSetup(nullptr));
    EXPECT_EQ(dialogs.pageSetupCalls, 1);
    dialogs.onPageSetup = [](QPrinter& printer) {
        EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape) << "kept from the last setup";
        printer.setPageOrientation(QPageLayout::Portrait);
        return false;
    };
    EXPECT_FALSE(RunPrintSetup(nullptr));
    // The next job prints on the landscape sheet.
    const auto path = dir / "landscape.pdf";
    ToPdf(AppPrinter(), path);
    AppPrinter().setPageOrientation(QPageLayout::Landscape);
    SheetsView view(1);
    CPrintInfo info;
    info.m_bDirect = true;
    ASSERT_TRUE(PrintView(view, info));
    ASSERT_EQ(view.pages.size(), 1u);
    EXPECT_GT(view.pages[0].rectDraw.Width(), view.pages[0].rectDraw.Height());
}

TEST_F(PrintDialogsTest, ThePreviewDrawsEveryPageAtPrinterResolutionAndNamesItsClassAtTheEnd)
{
    const auto path = dir / "preview.pdf";
    dialogs.onPreview = [&](QPrintPreviewDialog& dialog) {
        QPrinter pages(QPrinter::HighResolution);
        ToPdf(pages, path);
        emit dialog.paintRequested(&pages);
    };
    SheetsView view(3);
    EXPECT_TRUE(DoPrintPreview(&view, FW_RUNTIME_CLASS(OwnPreview)));
    EXPECT_EQ(dialogs.previewCalls, 1);
    EXPECT_EQ(view.prepareCalls, 1);
    EXPECT_EQ(PdfPages(path), 3);
    ASSERT_EQ(view.pages.size(), 3u);
    for (const PageSeen& seen : view.pages) {
        EXPECT_TRUE(seen.preview);
        EXPECT_EQ(seen.dpi, 1200);
    }
    EXPECT_EQ(view.pages[2].page, 3u);
    EXPECT_EQ(view.endedWith, FW_RUNTIME_CLASS(OwnPreview));
    EXPECT_EQ(view.renderedAtEnd, 3u);
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(PrintDialogsTest, APreviewThatCannotBeMadeOrDrawnShowsCommandFailed)
{
    struct Row { const char* name; const CRuntimeClass* cls; const char* pdf; bool refuse; bool prompt; int shown; };
    const Row rows[] = {
        {"not_a_preview_class", FW_RUNTIME_CLASS(CObject), nullptr, false, true, 0},
        {"pages_not_drawn", nullptr, "/nonexistent-folder/p.pdf", false, true, 1},
        {"refused_quietly", nullptr, nullptr, true, false, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        test::ServiceScope scope;
        if (r.prompt)
            scope.prompt.Expect(kIdpCommandFailure, IDOK);
        dialogs.previewCalls = 0;
        dialogs.onPreview = [&](QPrintPreviewDialog& dialog) {
            QPrinter pages(QPrinter::HighResolution);
            ToPdf(pages, r.pdf ? std::filesystem::path(r.pdf) : dir / "p.pdf");
            emit dialog.paintRequested(&pages);
        };
        SheetsView view(2);
        view.refuse = r.refuse;
        testing::internal::CaptureStderr();
        EXPECT_FALSE(DoPrintPreview(&view, r.cls));
        testing::internal::GetCapturedStderr();
        EXPECT_EQ(dialogs.previewCalls, r.shown);
        EXPECT_EQ(scope.prompt.Problems(), "");
    }
}

TEST_F(PrintDialogsTest, ThePrintCommandsOfAViewRunTheDialogTheLoopAndThePreview)
{
    struct Row { const char* name; unsigned id; int printCalls; int previewCalls; bool preview; };
    const Row rows[] = {
        {"print", ID_FILE_PRINT, 1, 0, false},
        {"print_direct", ID_FILE_PRINT_DIRECT, 0, 0, false},
        {"preview", ID_FILE_PRINT_PREVIEW, 0, 1, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const auto path = dir / (std::string(r.name) + ".pdf");
        dialogs.printCalls = dialogs.previewCalls = 0;
        ToPdf(AppPrinter(), path);
        dialogs.onPrint = [](QPrinter&, CPrintInfo&) { return true; };
        dialogs.onPreview = [&](QPrintPreviewDialog& dialog) { emit dialog.paintRequested(&AppPrinter()); };
        CommandView view;
        EXPECT_TRUE(view.OnCmdMsg(r.id, CN_COMMAND, nullptr));
        EXPECT_EQ(dialogs.printCalls, r.printCalls);
        EXPECT_EQ(dialogs.previewCalls, r.previewCalls);
        ASSERT_EQ(view.pages.size(), 2u);
        EXPECT_EQ(view.pages[0].preview, r.preview);
        EXPECT_EQ(PdfPages(path), 2);
    }
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(PrinterCaps, ThePaperAndTheOffsetOfTheDrawableAreaComeFromThePageLayout)
{
    kivtest::TempDir dir;
    QPdfWriter writer(QString::fromStdString((dir / "caps.pdf").string()));
    writer.setResolution(600);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(10, 15, 20, 25), QPageLayout::Millimeter));
    QPainter painter(&writer);
    struct Row { const char* name; bool printing; int offX, offY, physW, physH; };
    // mm * 600 / 25.4; the paper is A4. Qt keeps paper and margins in whole
    // points, hence up to half a point (4 pixels) of slack.
    const Row rows[] = {
        {"printer", true, 236, 354, 4961, 7016},
        {"not_a_printer", false, 0, 0, -1, -1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QPainterSink sink(&painter, 600, r.printing);
        EXPECT_NEAR(sink.DeviceCaps(PHYSICALOFFSETX), r.offX, 5);
        EXPECT_NEAR(sink.DeviceCaps(PHYSICALOFFSETY), r.offY, 5);
        if (r.physW < 0)
            continue;
        EXPECT_NEAR(sink.DeviceCaps(PHYSICALWIDTH), r.physW, 12);
        EXPECT_NEAR(sink.DeviceCaps(PHYSICALHEIGHT), r.physH, 12);
        // Right and bottom margins: the rest of the paper.
        EXPECT_NEAR(sink.DeviceCaps(PHYSICALWIDTH) - sink.DeviceCaps(HORZRES) - r.offX, 472, 12);
        EXPECT_NEAR(sink.DeviceCaps(PHYSICALHEIGHT) - sink.DeviceCaps(VERTRES) - r.offY, 591, 12);
    }
    painter.end();
}

} // namespace
