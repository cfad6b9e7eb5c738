#include "docbase/graphpage/ZELBitmap.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Print.h"
#include "graphdoc/model/DrawTextObj.h"
#include "graphdoc/model/EmfWriter.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphDocHooks.h"
#include "graphdoc/model/GraphPageHost.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/views/GraphFontChooser.h"
#include "graphdoc/views/GraphView.h"
#include "graphdoc/views/GraphViewFrame.h"
#include "graphdoc/views/PagePicture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <regex>

namespace {

int PdfPageCount(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.rfind("%PDF", 0) != 0)
        return -1;
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    uint32_t v = 0;
    std::memcpy(&v, &b[at], 4);
    return v;
}

// A page with its view, no window.
struct Page {
    explicit Page(const char* title, fw::CSize size)
    {
        doc.m_bAutoDelete = false;
        doc.m_pageSize = size;
        doc.SetTitle(title);
        view.AttachDocument(&doc);
    }
    ~Page() { view.AttachDocument(nullptr); }
    CGraphViewDoc doc;
    CGraphView view;
};

class ScriptedDialogs final : public IGraphDocDialogs {
public:
    bool EditText(fw::CString& text, bool& vertical, bool) override
    {
        text = m_text;
        vertical = m_vertical;
        return true;
    }
    fw::CString m_text = "ABC";
    bool m_vertical = false;
};

class ScriptedFont final : public IGraphFontChooser {
public:
    bool Choose(GraphFontChoice& choice) override
    {
        m_seen = choice;
        choice.pointTenths = m_tenths;
        choice.color = fw::RGB(200, 0, 0);
        return true;
    }
    int32_t m_tenths = 95;
    GraphFontChoice m_seen;
};

class GraphViewTest : public ::testing::Test {
protected:
    GraphViewTest() : hostScope(host), dialogScope(dialogs), fontScope(font)
    {
        RegisterGraphDocClasses();
        host.m_paperSize = false;
    }

    fw::test::ServiceScope services;
    CGraphPageHost host;
    fw::ScopedInstall<IGraphPageHost> hostScope;
    ScriptedDialogs dialogs;
    fw::ScopedInstall<IGraphDocDialogs> dialogScope;
    ScriptedFont font;
    fw::ScopedInstall<IGraphFontChooser> fontScope;
};

TEST_F(GraphViewTest, TileOrigins)
{
    const fw::CSize tile(100, 50);
    EXPECT_EQ(CGraphView::TileOrigin(2, 1, 3, tile), fw::CPoint(0, 100));
    EXPECT_EQ(CGraphView::TileOrigin(2, 3, 1, tile), fw::CPoint(200, 0));
    // 2 columns, 3 rows: tile n at column n mod 2, row n div 2.
    EXPECT_EQ(CGraphView::TileOrigin(3, 2, 3, tile), fw::CPoint(100, 50));
    EXPECT_EQ(CGraphView::TileOrigin(4, 2, 3, tile), fw::CPoint(0, 100));
}

TEST_F(GraphViewTest, WidePageTilesOverThreeSheets)
{
    Page page("wide", fw::CSize(300, 200));
    fw::RecordingSink printer(4960, 7016, 600, true);
    fw::CDC dc(&printer);
    fw::CPrintInfo info;
    page.view.OnBeginPrinting(&dc, &info);
    const fw::CSize tile = page.view.GetPrintArea().Size();
    page.view.OnEndPrinting(&dc, &info);

    page.doc.m_pageSize = fw::CSize(tile.cx * 5 / 2, tile.cy / 2);
    fw::CPrintInfo tiled;
    page.view.OnBeginPrinting(&dc, &tiled);
    ASSERT_EQ(tiled.GetMaxPage(), 3u);
    for (unsigned n = 1; n <= 3; ++n) {
        tiled.m_nCurPage = n;
        const int saved = dc.SaveDC();
        page.view.OnPrepareDC(&dc, &tiled);
        EXPECT_TRUE(tiled.m_bContinuePrinting);
        EXPECT_EQ(dc.GetWindowOrg(), fw::CPoint(static_cast<int>(n - 1) * tile.cx, 0));
        dc.RestoreDC(saved);
    }
    page.view.OnEndPrinting(&dc, &tiled);
    EXPECT_EQ(page.view.m_columns, 1);

    // The same page count through the print loop into a PDF.
    kivtest::TempDir dir;
    fw::CPrintInfo probe;
    probe.m_bDirect = true;
    page.doc.m_pageSize = fw::CSize(100, 100);
    ASSERT_TRUE(fw::PrintViewToPdf(page.view, (dir / "probe.pdf").string(), probe));
    const fw::CSize pdfTile = page.view.GetPrintArea().Size();
    page.doc.m_pageSize = fw::CSize(pdfTile.cx * 5 / 2, pdfTile.cy / 2);
    fw::CPrintInfo pdf;
    pdf.m_bDirect = true;
    ASSERT_TRUE(fw::PrintViewToPdf(page.view, (dir / "wide.pdf").string(), pdf));
    EXPECT_EQ(PdfPageCount(dir / "wide.pdf"), 3);
}

TEST_F(GraphViewTest, PaperSizeLayoutKeepsProportionsWhileLocked)
{
    Page page("p", fw::CSize(1000, 500));
    auto* text = new CDrawTextObj(fw::CRect(0, 0, 0, 0), "x");
    page.doc.AddObject(text);
    text->m_relX = 0.5;
    text->m_relY = 0.5;
    host.m_paperSize = true;
    page.doc.m_areaLock = 1;
    page.view.LayoutForPrint(fw::CRect(0, 0, 500, 500), nullptr, false);
    // Scale 2: the page takes (0, 0, 500, 250).
    EXPECT_EQ(text->GetPosition().TopLeft(), fw::CPoint(250, 125));
    page.doc.m_areaLock = 0;
    page.view.LayoutForPrint(fw::CRect(0, 0, 500, 500), nullptr, false);
    EXPECT_EQ(text->GetPosition().TopLeft(), fw::CPoint(250, 250));
    // A small page keeps its size unless enlarged.
    page.doc.m_areaLock = 1;
    page.doc.m_pageSize = fw::CSize(100, 50);
    page.view.LayoutForPrint(fw::CRect(0, 0, 500, 500), nullptr, false);
    EXPECT_EQ(text->GetPosition().TopLeft(), fw::CPoint(50, 25));
    page.view.LayoutForPrint(fw::CRect(0, 0, 500, 500), nullptr, true);
    EXPECT_EQ(text->GetPosition().TopLeft(), fw::CPoint(250, 125));
}

TEST_F(GraphViewTest, BatchOfFiveTitlesOnTwoByTwoPrintsTwoSheets)
{
    std::vector<std::unique_ptr<Page>> pages;
    for (const char* title : {"g1", "g2", "g3", "g4", "g5"}) {
        pages.push_back(std::make_unique<Page>(title, fw::CSize(400, 300)));
        pages.back()->doc.AddObject(new CDrawTextObj(fw::CRect(10, 10, 0, 0), title));
        host.m_pages.push_back(&pages.back()->doc);
    }
    host.m_jobs.m_titles = {"g1", "g2", "g3", "g4", "g5"};
    host.m_jobs.m_columns = 2;
    host.m_jobs.m_rows = 2;
    const fw::CRect before = pages[4]->doc.GetObjects()[0]->GetPosition();
    fw::CPrintInfo info;
    pages[0]->view.PrepareBatch(info);
    EXPECT_EQ(info.m_strDocName, "一括印刷");
    EXPECT_EQ(info.GetMaxPage(), 2u);
    kivtest::TempDir dir;
    ASSERT_TRUE(fw::PrintViewToPdf(pages[0]->view, (dir / "batch.pdf").string(), info));
    EXPECT_EQ(PdfPageCount(dir / "batch.pdf"), 2);
    // The user's print option is back; the cells went back to their pages.
    EXPECT_FALSE(host.m_paperSize);
    EXPECT_EQ(pages[4]->doc.GetObjects()[0]->GetPosition(), before);
}

TEST_F(GraphViewTest, PicturesByTheirEnding)
{
    Page page("pic", fw::CSize(800, 600));
    page.doc.AddObject(new CDrawTextObj(fw::CRect(20, 20, 0, 0), "ABC"));
    kivtest::TempDir dir;
    page.view.SavePicture((dir / "x.jpg").string(), true);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.jpg"));
    EXPECT_TRUE(services.prompt.Prompts().empty());

    page.view.SavePicture((dir / "x.BMP").string(), true);
    std::ifstream bmp(dir / "x.BMP", std::ios::binary);
    const std::vector<uint8_t> b((std::istreambuf_iterator<char>(bmp)), std::istreambuf_iterator<char>());
    ASSERT_GT(b.size(), 26u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(U32(b, 18), 800u);
    EXPECT_EQ(U32(b, 22), 600u);

    page.view.SavePicture((dir / "x.png").string(), true);
    EXPECT_TRUE(std::filesystem::exists(dir / "x.png"));
    page.view.SavePicture((dir / "x.emf").string(), true);
    EXPECT_TRUE(std::filesystem::exists(dir / "x.emf"));
}

// Reads the records back: type and size of each, in order.
std::vector<std::pair<uint32_t, uint32_t>> EmfRecords(const std::vector<uint8_t>& bytes)
{
    std::vector<std::pair<uint32_t, uint32_t>> records;
    size_t at = 0;
    while (at + 8 <= bytes.size()) {
        const uint32_t type = U32(bytes, at);
        const uint32_t size = U32(bytes, at + 4);
        if (size < 8 || size % 4 || at + size > bytes.size())
            break;
        records.emplace_back(type, size);
        at += size;
        if (type == CEmfWriter::EMR_EOF)
            break;
    }
    return records;
}

TEST_F(GraphViewTest, MetafileHeaderAndRecords)
{
    Page page("page", fw::CSize(800, 600));
    page.doc.AddObject(new CDrawTextObj(fw::CRect(20, 20, 0, 0), "ABC"));
    const std::vector<uint8_t> bytes = PageMetafile(page.view);
    ASSERT_GT(bytes.size(), 108u);
    EXPECT_EQ(U32(bytes, 0), 1u);
    // The frame: the display's 508 mm over 1920 pixels is 26 hundredths of a
    // millimetre per pixel in whole numbers; 286 mm over 1080 also 26.
    EXPECT_EQ(PageMetafileFrame(fw::CSize(800, 600)), fw::CRect(0, 0, 26 * 800, 26 * 600));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(static_cast<int32_t>(U32(bytes, 24 + 4 * i)), (i < 2 ? 0 : (i == 2 ? 20800 : 15600)));
    EXPECT_EQ(U32(bytes, 40), CEmfWriter::kSignature);
    EXPECT_EQ(U32(bytes, 48), bytes.size());
    // Description: program, NUL, page title, NUL.
    const uint32_t chars = U32(bytes, 60);
    const uint32_t offset = U32(bytes, 64);
    std::u16string description(chars, u'\0');
    std::memcpy(description.data(), &bytes[offset], chars * 2);
    EXPECT_EQ(description, std::u16string(u"KIV-5400\0page\0", 14));

    const auto records = EmfRecords(bytes);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.size(), U32(bytes, 52));
    EXPECT_EQ(records.back().first, CEmfWriter::EMR_EOF);
    const bool text = std::any_of(records.begin(), records.end(),
                                  [](const auto& r) { return r.first == CEmfWriter::EMR_EXTTEXTOUTW; });
    EXPECT_TRUE(text);
}

TEST_F(GraphViewTest, AddedTurnedTextHasEscapement900)
{
    Page page("t", fw::CSize(400, 300));
    dialogs.m_vertical = true;
    page.view.OnAddText();
    ASSERT_EQ(page.doc.GetObjects().size(), 1u);
    auto* text = dynamic_cast<CDrawTextObj*>(page.doc.GetObjects()[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->m_font.lfEscapement, 900);
    EXPECT_EQ(text->m_font.lfOrientation, 900);
    EXPECT_EQ(text->m_strText, "ABC");
    EXPECT_GT(text->GetFrameRect().Height(), text->GetFrameRect().Width());
}

TEST_F(GraphViewTest, FontCommandKeepsHalfPointsRotationAndMarksModified)
{
    Page page("f", fw::CSize(400, 300));
    auto* text = new CDrawTextObj(fw::CRect(10, 10, 0, 0), "ABC");
    text->SetVertical(true);
    text->m_font.lfHeight = 105;
    page.doc.AddObject(text);
    page.doc.SetModifiedFlag(false);
    page.view.Select(text);
    page.view.OnGraphFont();
    EXPECT_EQ(font.m_seen.pointTenths, 105);
    EXPECT_EQ(text->m_font.lfHeight, 95);
    EXPECT_EQ(text->m_font.lfEscapement, 900);
    EXPECT_EQ(text->m_textColor, fw::RGB(200, 0, 0));
    EXPECT_TRUE(page.doc.IsModified());
}

TEST_F(GraphViewTest, TransferSuspendsDrawing)
{
    Page page("s", fw::CSize(400, 300));
    page.doc.AddObject(new CDrawTextObj(fw::CRect(10, 10, 0, 0), "ABC"));
    page.view.OnUpdate(nullptr, 37, nullptr);
    fw::RecordingSink screen;
    fw::CDC dc(&screen);
    page.view.OnDraw(&dc);
    for (const std::string& line : screen.Log())
        EXPECT_EQ(line.find("ABC"), std::string::npos);
    EXPECT_EQ(page.view.m_drawSkipped, 1);
    page.view.OnUpdate(nullptr, 38, nullptr);
    EXPECT_EQ(page.view.m_suspended, 0);
}

TEST_F(GraphViewTest, FrameTitleNamesTheGraphKind)
{
    EXPECT_EQ(CGraphViewFrame::PageTitle("a.kivg", -1), "a.kivg");
    EXPECT_EQ(CGraphViewFrame::PageTitle("a.kivg", 0), "a.kivg [データグラフ]");
    EXPECT_EQ(CGraphViewFrame::PageTitle("a.kivg", 1), "a.kivg [モニタグラフ]");
}

} // namespace

#include "graphdoc/model/objects/DrawMoniDataObj.h"
#include "graphdoc/model/objects/ObjectDialogs.h"

namespace {

class AcceptingObjectDialogs final : public IGraphObjectDialogs {
public:
    bool EditMonitor(CMoniDataPrf&) override { return true; }
};

TEST_F(GraphViewTest, AddedMonitorTakesTheDefaultFrameStyle)
{
    AcceptingObjectDialogs objectDialogs;
    fw::ScopedInstall<IGraphObjectDialogs> scope(objectDialogs);
    host.m_frameStyle.m_penWidth = 3;
    Page page("m", fw::CSize(400, 300));
    page.view.OnAddMoniData();
    ASSERT_EQ(page.doc.GetObjects().size(), 1u);
    auto* monitor = dynamic_cast<CDrawMoniDataObj*>(page.doc.GetObjects()[0]);
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(monitor->GetFrameStyle().m_penWidth, 3);
}

} // namespace
