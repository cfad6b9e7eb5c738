#include "canvoicegps/model/CanGpsGraphClasses.h"
#include "canvoicegps/model/GpsGraphDraw.h"
#include "canvoicegps/model/GpsGraphTimeListObj.h"
#include "canvoicegps/model/UpdateSelArea.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/LinearPlot.h"
#include "chart/model/ListGraphClasses.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/TimeDataTank.h"
#include "framework/core/Document.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Announcement {
    intptr_t hint;
    int16_t source;
    int16_t mask;
    int32_t first;
    int32_t last;
};

// A view that keeps every selection the document sends.
class SelectionLog final : public fw::IDocumentView {
public:
    fw::CView* AsView() override { return nullptr; }
    void OnDocumentUpdate(fw::CView*, intptr_t hint, fw::CObject* info) override
    {
        if (const auto* area = dynamic_cast<CUpdateSelArea*>(info))
            seen.push_back({hint, area->m_source, area->m_mask, area->m_first, area->m_last});
    }
    std::vector<Announcement> seen;
};

class GpsSelection : public ::testing::Test {
protected:
    static constexpr int kSamples = 100;

    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        RegisterCanGpsGraphClasses();
        document.AddView(&log);
        list.AppendRow(list.CreateRow());
        auto* time = new CTimeDataTank;
        time->SetInterval(1.0);
        time->SetDataCount(kSamples);
        auto* speed = new CFltDataTank;
        for (int i = 0; i < kSamples; ++i)
            speed->SetValue(i, i * 0.5);
        CGraphParamArray* series = list.GetRow(0)->AddSeries(true);
        series->AppendItem(0, 0, time);
        series->AppendItem(0, 1, speed);
        ReleaseTank(time);
        ReleaseTank(speed);
        series->SetDrawRange(0, kSamples - 1);
        list.Recalculate(true);
    }
    void TearDown() override { document.RemoveView(&log); }

    fw::CDocument document;
    SelectionLog log;
    CGpsGraphTimeListObj list{&document};
};

TEST_F(GpsSelection, ChangesAreAnnouncedOnceNormalised)
{
    list.ClearSelection();
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].hint, kHintSelArea);
    EXPECT_EQ(log.seen[0].source, CUpdateSelArea::kFromGraph);
    EXPECT_EQ(log.seen[0].mask, 0) << "a clear is announced with mask 0";
    EXPECT_EQ(log.seen[0].first, -1);
    EXPECT_EQ(log.seen[0].last, -1);

    list.SetSelection(50, 20);
    ASSERT_EQ(log.seen.size(), 2u);
    EXPECT_EQ(log.seen[1].mask, 3);
    EXPECT_EQ(log.seen[1].first, 20);
    EXPECT_EQ(log.seen[1].last, 50);

    list.SetSelection(20, 50);
    EXPECT_EQ(log.seen.size(), 2u) << "the same range again announces nothing";

    list.SetSelectionEdge(CGraphTimeListObj::kEndEdge, 70.2);
    ASSERT_EQ(log.seen.size(), 3u);
    EXPECT_EQ(log.seen[2].mask, CUpdateSelArea::kLastChanged);
    EXPECT_EQ(log.seen[2].last, 70);
}

TEST_F(GpsSelection, ARangeFromTheListsIsTakenSilently)
{
    list.SetSelection(10, 30);
    log.seen.clear();
    CUpdateSelArea fromList(CUpdateSelArea::kFromList, 3, 40, 60);
    list.OnUpdate(kHintSelArea, &fromList);
    int32_t first = -1;
    int32_t last = -1;
    list.GetSelection(first, last);
    EXPECT_EQ(first, 40);
    EXPECT_EQ(last, 60);
    EXPECT_TRUE(log.seen.empty()) << "no echo back to the views";

    // The next change is measured against what was announced before.
    list.SetSelection(10, 60);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].mask, CUpdateSelArea::kLastChanged);
}

TEST_F(GpsSelection, ClearingThroughANoTimeEdgeAnnouncesOnce)
{
    list.SetSelection(5, 9);
    log.seen.clear();
    EXPECT_EQ(list.SetSelectionEdge(CGraphTimeListObj::kStartEdge, HUGE_VAL), 0);
    ASSERT_EQ(log.seen.size(), 1u);
    EXPECT_EQ(log.seen[0].mask, 0);
}

// A drawer with a track from X and Y values.
class GpsDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        RegisterCanGpsGraphClasses();
        draw.SetGraphType(1);
        draw.Scale().m_x.autoMode = 1;
        draw.Scale().m_y.autoMode = 1;
    }
    void Track(const std::vector<double>& xs, const std::vector<double>& ys)
    {
        auto* x = new CDblDataTank;
        auto* y = new CDblDataTank;
        for (size_t i = 0; i < xs.size(); ++i) {
            x->SetValue(static_cast<int>(i), xs[i]);
            y->SetValue(static_cast<int>(i), ys[i]);
        }
        CGraphParamArray* series = draw.AddSeries(true);
        series->AppendItem(0, 0, x);
        series->AppendItem(0, 1, y);
        ReleaseTank(x);
        ReleaseTank(y);
        series->SetDrawRange(0, static_cast<int>(xs.size()) - 1);
    }

    CGpsGraphDraw draw;
};

TEST_F(GpsDraw, BothAxesGetOneSpanWithTheNarrowOneCentred)
{
    Track({0, 50, 100}, {0, 5, 10});
    EXPECT_TRUE(draw.AutoScale());
    const GrScaleRec::Axis& x = draw.Scale().m_x;
    const GrScaleRec::Axis& y = draw.Scale().m_y;
    EXPECT_DOUBLE_EQ(x.maximum - x.minimum, y.maximum - y.minimum);
    EXPECT_DOUBLE_EQ((y.minimum + y.maximum) / 2, 5.0) << "Y centred on its data";
    EXPECT_LE(x.minimum, 0.0);
    EXPECT_GE(x.maximum, 100.0);
    EXPECT_DOUBLE_EQ(y.step, x.step) << "the widened axis takes the other's step";
}

TEST_F(GpsDraw, ConstantAxesGetATenWideRange)
{
    struct Case {
        const char* name;
        int logKind;
        double value;
        double minimum, maximum, step;
    };
    const Case cases[] = {
        {"linear 3", 0, 3.0, -2.0, 8.0, 2.0},
        {"linear 0", 0, 0.0, -5.0, 5.0, 2.0},
        {"logarithmic 7", 1, 7.0, 1.0, 10.0, 0.1},
    };
    for (const Case& c : cases) {
        draw.SetAxisRange('X', 100, 200, 50, 1);
        draw.ApplyNiceRange('X', c.logKind, c.value, c.value);
        EXPECT_DOUBLE_EQ(draw.Scale().m_x.minimum, c.minimum) << c.name;
        EXPECT_DOUBLE_EQ(draw.Scale().m_x.maximum, c.maximum) << c.name;
        EXPECT_DOUBLE_EQ(draw.Scale().m_x.step, c.step) << c.name;
        EXPECT_EQ(draw.Scale().m_x.subdivisions, 5) << c.name;
    }
    draw.SetAxisRange('X', 100, 200, 50, 1);
    draw.ApplyNiceRange('X', 1, 0.0, 0.0);
    EXPECT_DOUBLE_EQ(draw.Scale().m_x.minimum, 100.0) << "a logarithmic 0 leaves the axis";
}

TEST_F(GpsDraw, PlotHasAThinFrameAndALineButNoAxes)
{
    EXPECT_EQ(draw.Frame().m_frameWidth, 1);
    Track({0, 1}, {0, 1});
    draw.AutoScale();
    draw.CreatePlot();
    EXPECT_NE(draw.GetPlotFrame(), nullptr);
    EXPECT_NE(dynamic_cast<CLinearPlot*>(draw.GetSeriesPlot()), nullptr);
    EXPECT_EQ(draw.GetGridLines('X'), nullptr);
    EXPECT_EQ(draw.GetTickMarks('Y'), nullptr);
    EXPECT_EQ(draw.GetTickLabels('X'), nullptr);
    draw.SetGraphType(7);
    draw.CreatePlot();
    EXPECT_EQ(draw.GetSeriesPlot(), nullptr) << "no line plot for another graph type";
}

} // namespace
