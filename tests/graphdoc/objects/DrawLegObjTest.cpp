#include "graphdoc/model/objects/DrawLegObj.h"

#include "chart/model/GraphParamArray.h"
#include "framework/core/Archive.h"
#include "framework/core/RecordingSink.h"
#include "graphdoc/model/DisplayContext.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "tests/support/ArchiveBytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A page with a main graph of three series and a legend on it.
class LegendPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        page.m_pageSize = fw::CSize(2000, 1500);
        graph = new CDrawGraphObj(page.GetPageRect());
        page.AddObject(graph);
        for (const char* name : {"A", "", "CH3"})
            graph->Draw().AddSeries(true)->SetName(name);
        legend = new CDrawLegObj(page.GetPageRect());
        page.AddObject(legend);
    }
    fw::CSize Measure(const char* text)
    {
        CDisplayContext display;
        fw::CFont font;
        font.CreatePointFontIndirect(legend->m_font);
        fw::CFont* old = display->SelectObject(&font);
        const fw::CSize extent = display->GetTextExtent(text);
        display->SelectObject(old);
        return extent;
    }

    CGraphViewDoc page;
    CDrawGraphObj* graph = nullptr;
    CDrawLegObj* legend = nullptr;
};

TEST_F(LegendPage, SizeFollowsTheEntries)
{
    legend->ResetSize();
    const fw::CSize wide = Measure("CH3");
    const fw::CSize blank = Measure(" ");
    const fw::CRect inner = legend->GetFrameRect();
    EXPECT_EQ(inner.Width(), std::max(50, wide.cx + 55));
    EXPECT_EQ(inner.Height(), 5 + 2 * static_cast<int>(1.5 * wide.cy) + static_cast<int>(1.5 * blank.cy));

    legend->SetVertical(true);
    legend->ResetSize();
    const fw::CRect turned = legend->GetFrameRect();
    EXPECT_EQ(turned.Height(), std::max(50, Measure("CH3").cx + 55));
}

TEST_F(LegendPage, DrawsOneEntryPerSeriesAndABlankForAnEmptyText)
{
    legend->ResetSize();
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    legend->Draw(&dc);
    std::vector<std::string> texts;
    for (const std::string& line : sink.Log())
        if (line.rfind("text ", 0) == 0)
            texts.push_back(line.substr(line.find('"')));
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].substr(0, 3), "\"A\"");
    EXPECT_EQ(texts[1].substr(0, 3), "\" \"");
    EXPECT_EQ(texts[2].substr(0, 5), "\"CH3\"");
}

TEST_F(LegendPage, ColumnGraphsDrawFilledBoxes)
{
    graph->Draw().SetGraphType(6);
    legend->ResetSize();
    fw::RecordingSink sink;
    fw::CDC dc(&sink);
    legend->Draw(&dc);
    const auto boxes = std::count_if(sink.Log().begin(), sink.Log().end(),
                                     [](const std::string& line) { return line.rfind("rect ", 0) == 0; });
    EXPECT_GE(boxes, 3);
}

TEST_F(LegendPage, FitToPageKeepsTheBoxInsideThePageWidth)
{
    legend->m_position = fw::CRect(1950, 100, 1960, 110);
    legend->FitToPage();
    EXPECT_LE(legend->m_position.right, 2000);
    EXPECT_GE(legend->m_position.left, 0);
}

TEST(DrawLegObj, RecordIsTheObjectAndItsFontWithoutColour)
{
    CDrawLegObj legend(fw::CRect(0, 0, 1000, 1000));
    legend.m_textColor = 0x00FF00;
    const kivtest::Bytes stored = kivtest::StoreBody(legend);
    CDrawObj plain(legend.m_position);
    plain.m_relX = legend.m_relX;
    plain.m_relY = legend.m_relY;
    plain.m_frame = legend.m_frame;
    kivtest::Bytes expected = kivtest::StoreBody(plain);
    const kivtest::Bytes font = kivtest::StoredBytes([&](fw::CArchive& ar) {
        LOGFONT copy = legend.m_font;
        SerializeLogFont(ar, copy);
    });
    expected.insert(expected.end(), font.begin(), font.end());
    EXPECT_EQ(stored, expected) << kivtest::Hex(stored);
    EXPECT_EQ(legend.m_relX, 0.8);
    EXPECT_EQ(legend.m_relY, 0.08);
    EXPECT_EQ(legend.m_frame.m_sides, 15);

    CDrawLegObj loaded;
    EXPECT_TRUE(loaded.IsVertical());
    kivtest::LoadBody(loaded, stored);
    EXPECT_FALSE(loaded.IsVertical());
    EXPECT_EQ(loaded.m_textColor, 0u);
    EXPECT_EQ(loaded.m_position, legend.m_position);
}

} // namespace
