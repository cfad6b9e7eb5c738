#include "chart/model/GraphDraw.h"
#include "chart/model/GraphClasses.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<double> ReadAll(CZELDataPoter* poter)
{
    std::vector<double> out;
    std::unique_ptr<CZELDataPtr> cursor(poter->CreateCursor());
    for (int i = 0; i < poter->GetCount(); ++i) {
        double v = 0;
        cursor->ReadNext(v);
        out.push_back(v);
    }
    return out;
}

// A drawer that records what each series drawing is handed instead of
// plotting it.
class RecordingDraw : public CGraphDraw {
public:
    struct Call {
        std::vector<double> x, y;
        bool restart;
    };
    void DrawSeriesData(fw::CDC&, const tSeriesStyle&, CZELDataPoter* xs, CZELDataPoter* ys, bool restart) override
    {
        calls.push_back({ReadAll(xs), ReadAll(ys), restart});
    }
    std::vector<Call> calls;
};

CGraphParamArray* AddLine(CGraphSetting& graph, int count)
{
    CGraphParamArray* series = graph.AddSeries(true);
    auto* tx = new CFltDataTank;
    auto* ty = new CFltDataTank;
    for (int i = 0; i < count; ++i) {
        tx->SetValue(i, i);
        ty->SetValue(i, 100 + i);
    }
    series->AppendItem(0, 0, tx);
    series->AppendItem(0, 1, ty);
    ReleaseTank(tx);
    ReleaseTank(ty);
    return series;
}

class GraphDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
    }
    fw::RecordingSink sink;
    fw::CDC dc{&sink};
    RecordingDraw draw;
    const fw::CRect rect{0, 0, 1000, 800};
};

TEST_F(GraphDraw, IncrementalDrawingTakesEverySampleSinceTheLastDrawing)
{
    CGraphParamArray* s = AddLine(draw, 10);
    s->SetDrawRange(0, 3);
    draw.DrawAllSeries(dc, rect);
    ASSERT_EQ(draw.calls.size(), 1u);
    EXPECT_EQ(draw.calls[0].x, (std::vector<double>{0, 1, 2, 3}));
    EXPECT_TRUE(draw.calls[0].restart);

    // One poll brings three samples: all of them are drawn, joined to 3.
    s->AddSampleIndex(false, 6);
    draw.DrawNewData(dc, rect, false);
    ASSERT_EQ(draw.calls.size(), 2u);
    EXPECT_EQ(draw.calls[1].x, (std::vector<double>{3, 4, 5, 6}));
    EXPECT_EQ(draw.calls[1].y, (std::vector<double>{103, 104, 105, 106}));
    EXPECT_FALSE(draw.calls[1].restart) << "the line continues";

    draw.DrawNewData(dc, rect, false);
    EXPECT_EQ(draw.calls.size(), 2u) << "nothing new, nothing drawn";

    s->AddSampleIndex(false, 7);
    draw.DrawNewData(dc, rect, false);
    ASSERT_EQ(draw.calls.size(), 3u);
    EXPECT_EQ(draw.calls[2].x, (std::vector<double>{6, 7}));
}

TEST_F(GraphDraw, AMissingCursorStartsANewLineNextTime)
{
    CGraphParamArray* s = AddLine(draw, 0);
    s->SetDrawRange(0, 0);
    draw.DrawAllSeries(dc, rect);
    EXPECT_TRUE(draw.calls.empty());
    EXPECT_EQ(s->GetRestart(), 1);
    for (int i = 0; i < 3; ++i) {
        s->GetItemTank(0)->SetValue(i, i);
        s->GetItemTank(1)->SetValue(i, i);
    }
    s->AddSampleIndex(false, 2);
    draw.DrawNewData(dc, rect, false);
    ASSERT_EQ(draw.calls.size(), 1u);
    EXPECT_TRUE(draw.calls[0].restart) << "no join across the gap";
    EXPECT_EQ(s->GetRestart(), 0);
}

TEST_F(GraphDraw, UnknownGraphTypeDrawsNoSeries)
{
    draw.SetGraphType(7);
    AddLine(draw, 5)->SetDrawRange(0, 4);
    draw.DrawAllSeries(dc, rect);
    EXPECT_TRUE(draw.calls.empty());
    EXPECT_TRUE(draw.HasXYAxes());
    draw.SetGraphType(33);
    EXPECT_FALSE(draw.HasXYAxes());
}

} // namespace
