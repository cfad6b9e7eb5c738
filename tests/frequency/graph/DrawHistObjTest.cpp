// The frequency graph object: slice edges per series from the chosen
// analyses, the count column by the profile's count type, surplus series
// dropped, and a page drawn the same after its record was stored and read.
#ifdef KIV_FREQUENCY_VIEWS

#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/DblDataTank.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/testing/ServiceScope.h"
#include "frequency/document/HistDoc.h"
#include "frequency/graph/DrawHistObj.h"
#include "frequency/model/HistTables.h"
#include "tests/frequency/views/HistWindowFixture.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using histview_test::MakeAnalysis;

std::vector<double> Values(CDblDataTank* tank)
{
    std::vector<double> out;
    for (int i = 0; tank && i < tank->GetDataCount(); ++i)
        out.push_back(tank->GetValue(i));
    return out;
}

class DrawHistObjTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterChartClasses();
        RegisterGraphClasses();
        fw::RegisterClass(FW_RUNTIME_CLASS(CHistGraphDraw));
        auto analyses = std::make_unique<CHistCountArray>();
        std::vector<double> peak(20);
        std::iota(peak.begin(), peak.end(), 1.0);
        analyses->Add(MakeAnalysis("DN_1", kHistPeakValley, 3, 2, 1000.0f, peak));
        analyses->Add(MakeAnalysis("DN_2", kHistAmp, 2, 2, 100.0f, std::vector<double>(12, 7.0)));
        ASSERT_TRUE(doc.CreateNewContents());
        ASSERT_TRUE(doc.CreateFile({}, {}, "t", analyses.release(), "c"));
        profile.m_docIdent = doc.GetDocIdent();
        profile.m_strTitle = "REC";
        profile.m_projectSource = 0;
    }

    fw::test::ServiceScope services;
    CHistDoc doc;
    CHistGraphPrf profile;
    CDrawHistObj graph{fw::CRect(0, 0, 1000, 800)};
};

TEST_F(DrawHistObjTest, SeriesTakeTheSliceEdgesOfTheirAnalysis)
{
    profile.m_analyses = {0, 1};
    ASSERT_EQ(graph.SetGraphPrf(profile, &doc), 2);
    ASSERT_EQ(graph.GraphDraw().GetSeriesCount(), 2);
    const double third = 1000.0 / 3;
    std::vector<double> block = {-1000, -500, third, 2 * third, 1000};
    std::vector<double> expected;
    for (int i = 0; i < 4; ++i)
        expected.insert(expected.end(), block.begin(), block.end());
    const std::vector<double> peak = Values(graph.XTank(0));
    ASSERT_EQ(peak.size(), expected.size());
    for (size_t i = 0; i < peak.size(); ++i)
        EXPECT_NEAR(peak[i], expected[i], 1e-9) << i;
    // Count type 2 of PEAK/V: the sum column, rows 10..14.
    EXPECT_EQ(graph.GraphDraw().GetSeries(0)->GetSampleIndex(0), 10);
    EXPECT_EQ(graph.GraphDraw().GetSeries(0)->GetSampleIndex(1), 14);
    // AMP counts both sides: the step of full scale 100 over 2 slices is 100.
    EXPECT_EQ(Values(graph.XTank(1)),
              (std::vector<double>{-200, -100, 100, 200, -200, -100, 100, 200, -200, -100, 100, 200}));
    EXPECT_EQ(graph.Analyses().GetAt(0)->GetRefCount(), 2);

    profile.m_analyses = {1};
    ASSERT_EQ(graph.SetGraphPrf(profile, &doc), 1);
    EXPECT_EQ(graph.GraphDraw().GetSeriesCount(), 1);
    EXPECT_EQ(graph.XTank(1), nullptr);
}

TEST_F(DrawHistObjTest, ClosedDocumentLeavesTheGraphAsItWas)
{
    profile.m_analyses = {0};
    ASSERT_EQ(graph.SetGraphPrf(profile, &doc), 1);
    CHistGraphPrf other = profile;
    other.m_analyses = {0, 1};
    EXPECT_EQ(graph.SetGraphPrf(other, nullptr), 0);
    EXPECT_EQ(graph.GraphDraw().GetSeriesCount(), 1);
    EXPECT_EQ(graph.GetGraphPrf()->m_analyses.size(), 2u);
}

TEST_F(DrawHistObjTest, StoredPageDrawsTheSameWithoutItsDocument)
{
    profile.m_analyses = {0, 1};
    graph.SetGraphPrf(profile, &doc);
    fw::RecordingSink before(fw::kDisplayWidthPx, fw::kDisplayHeightPx, fw::kDisplayDpi, true);
    fw::CDC beforeDc(&before);
    graph.Draw(&beforeDc);
    const auto bytes = kivtest::StoreBody(graph);
    CDrawHistObj loaded;
    kivtest::LoadBody(loaded, bytes);
    EXPECT_EQ(loaded.GetGraphPrf()->m_analyses, profile.m_analyses);
    EXPECT_EQ(loaded.GetGraphPrf()->m_countTypes, profile.m_countTypes);
    fw::RecordingSink after(fw::kDisplayWidthPx, fw::kDisplayHeightPx, fw::kDisplayDpi, true);
    fw::CDC afterDc(&after);
    loaded.Draw(&afterDc);
    // Five PEAK/V columns and four AMP columns over the frame and grid.
    int rects = 0;
    for (const std::string& line : before.Log())
        rects += line.rfind("rect ", 0) == 0;
    EXPECT_GE(rects, 9);

    EXPECT_EQ(after.Log(), before.Log());
}

} // namespace

#endif
