#include "framework/core/DC.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/Print.h"
#include "framework/ui/View.h"
#include "tests/support/TestSupport.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

using namespace fw;

// Prints "Page n" on each of `pages` pages (0: the page count is unknown).
class PagesView : public CView {
public:
    explicit PagesView(unsigned pages) : m_pages(pages) { Create(nullptr, nullptr); SetAutoDelete(false); }
    bool OnPreparePrinting(CPrintInfo* info) override
    {
        if (m_pages)
            info->SetMaxPage(m_pages);
        return !refuse;
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        rects.push_back(info->m_rectDraw);
        dc->TextOut(100, 100, CString("Page ") + CString(std::to_string(info->m_nCurPage)));
        ++printed;
    }
    void OnDraw(CDC*) override {}
    bool refuse = false;
    int printed = 0;
    std::vector<CRect> rects;

private:
    unsigned m_pages;
};

int PdfPageCount(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.rfind("%PDF", 0) != 0)
        return -1;
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

TEST(PrintToPdf, EveryPageOfTheRangeIsPrinted)
{
    test::ServiceScope services;
    kivtest::TempDir dir;
    struct Row { const char* name; unsigned pages; int from, to; int expected; };
    const Row rows[] = {
        {"known_count", 3, 0, 0, 3},
        {"unknown_count_prints_one", 0, 0, 0, 1},
        {"range", 5, 2, 3, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        PagesView view(r.pages);
        CPrintInfo info;
        info.m_nFromPage = static_cast<unsigned>(r.from);
        info.m_nToPage = static_cast<unsigned>(r.to);
        const auto path = dir / (std::string(r.name) + ".pdf");
        ASSERT_TRUE(PrintViewToPdf(view, CString(path.string()), info));
        EXPECT_EQ(view.printed, r.expected);
        EXPECT_EQ(PdfPageCount(path), r.expected);
        // A4 less 10-mm margins at 600 DPI: 190 x 277 mm (Qt keeps the page
        // in whole points, hence the half-millimetre slack).
        ASSERT_FALSE(view.rects.empty());
        EXPECT_NEAR(view.rects[0].Width(), 4488, 12);
        EXPECT_NEAR(view.rects[0].Height(), 6543, 12);
    }
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(PrintToPdf, ARefusedJobPrintsNothingAndSaysNothing)
{
    test::ServiceScope services;
    kivtest::TempDir dir;
    PagesView view(2);
    view.refuse = true;
    CPrintInfo info;
    EXPECT_FALSE(PrintViewToPdf(view, CString((dir / "x.pdf").string()), info));
    EXPECT_EQ(view.printed, 0);
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(PrintToPdf, AnUnwritablePathShowsTheCouldNotStartPrompt)
{
    test::ServiceScope services;
    services.prompt.Expect(kIdpFailedToStartPrint, IDOK);
    PagesView view(1);
    CPrintInfo info;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(PrintViewToPdf(view, "/nonexistent-folder/x.pdf", info));
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(services.prompt.Problems(), "");
}

} // namespace
