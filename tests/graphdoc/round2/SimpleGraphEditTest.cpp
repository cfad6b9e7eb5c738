// A simple graph's editing commands against recording dialog stubs: the
// plot-data dialog's list rebuilds the series under paused polling, the
// plot-line dialog's styles reach the series, bar graphs take the bar-line
// dialog, distributions hide the symbol interval, and a time axis takes
// the time-axis dialog.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GrScaleRec.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/RecordingSink.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/objects/DrawPowObj.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "project/model/ProjectHost.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ThreeChannels : public CKivDocBase {
public:
    ThreeChannels()
    {
        m_docIdent = CDocIdent(6, 66);
        SetTitle("data");
        for (int c = 0; c < 3; ++c) {
            auto* tank = new CFltDataTank;
            tank->SetName(c == 0 ? "T" : "V");
            for (int i = 0; i < 10; ++i)
                tank->SetValue(i, c * 100 + i);
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    CDataTankList* GetOpDataList() override { return &m_opData; }
    CDataTankList m_list;
    CDataTankList m_opData;
};

class Lookup : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return ident == doc->GetDocIdent() ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

class Polling : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return *meter; }
    CADSetPrf& AdDefaults() override { return ad; }
    void StopPanelPolling() override { log += "stop "; }
    void RestartPanelPolling() override { log += "restart "; }
    CMeterInterfacePrf* meter = nullptr;
    CADSetPrf ad;
    std::string log;
};

// Records what each dialog was asked and answers with the scripted edit.
class Dialogs : public IGraphObjectDialogs {
public:
    bool EditPlotData(CSimpleGraphPrfList& list, int xAxisKind, int graphType, int dataMode,
                      bool projectOnly) override
    {
        log += "data ";
        seenProjectOnly = projectOnly;
        if (list.GetSize() > 1)
            list.GetAt(1)->m_yChannels = {1};
        return answer;
    }
    bool EditPlotLines(CGraphPrfList& list, bool bars, bool showInterval) override
    {
        log += bars ? "bars " : (showInterval ? "lines " : "lines-no-interval ");
        if (list.GetSize() > 1)
            list.GetAt(1)->m_symbol = 7;
        return answer;
    }
    bool EditTimeScales(CKivGraphDraw&) override
    {
        log += "time ";
        return answer;
    }
    bool answer = true;
    bool seenProjectOnly = false;
    std::string log;
};

class SimpleGraphEditTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        kivtest::RegisterAllClasses();
        RegisterGraphClasses();
        RegisterGraphDocClasses();
    }
    SimpleGraphEditTest() : lookupScope(lookup), pollingScope(polling), dialogScope(dialogs) { lookup.doc = &doc; }

    void Build(CSimpleGraphObj& graph, int creationKind)
    {
        CSimpleGraphPrfList list;
        list.m_creationKind = creationKind;
        list.Add(new CGraphPrf);
        auto* profile = new CGraphPrf;
        profile->m_docIdent = doc.GetDocIdent();
        profile->m_xChannels = {0};
        profile->m_xListKinds = {2};
        profile->m_yChannels = {2};
        profile->m_yListKinds = {2};
        list.Add(profile);
        graph.SetPrfList(list);
    }

    ThreeChannels doc;
    Lookup lookup;
    Polling polling;
    Dialogs dialogs;
    fw::ScopedInstall<IGraphDocumentLookup> lookupScope;
    fw::ScopedInstall<IProjectHost> pollingScope;
    fw::ScopedInstall<IGraphObjectDialogs> dialogScope;
};

TEST_F(SimpleGraphEditTest, PropertiesRebuildTheSeriesWithPollingPaused)
{
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    Build(graph, 7);
    graph.OnEditProperties();
    EXPECT_EQ(dialogs.log, "data ");
    EXPECT_TRUE(dialogs.seenProjectOnly);
    EXPECT_EQ(polling.log, "stop restart ");
    ASSERT_EQ(graph.Draw().GetSeriesCount(), 1);
    EXPECT_EQ(graph.Draw().GetSeries(0)->GetItemTank(1), doc.GetChannelTank(1, 2));

    dialogs.answer = false;
    graph.OnEditProperties();
    EXPECT_EQ(polling.log, "stop restart ");
}

TEST_F(SimpleGraphEditTest, PlotLineDialogByGraphType)
{
    struct Row {
        const char* name;
        int type;
        const char* dialog;
    };
    const Row rows[] = {
        {"line", 1, "lines "},
        {"history", 10, "lines "},
        {"x distribution", 31, "lines-no-interval "},
        {"vertical bars", 33, "bars "},
    };
    for (const Row& r : rows) {
        dialogs.log.clear();
        CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, r.type);
        Build(graph, 0);
        graph.SetRedrawState(CDrawGraphObj::kCopyPicture);
        EXPECT_TRUE(graph.EditPlotLines()) << r.name;
        EXPECT_EQ(dialogs.log, r.dialog) << r.name;
        ASSERT_EQ(graph.Draw().GetSeriesCount(), 1) << r.name;
        EXPECT_EQ(graph.Draw().GetSeries(0)->GetStyle().symbolType, 7) << r.name;
        EXPECT_EQ(graph.GetRedrawState(), CDrawGraphObj::kRedrawAll) << r.name;
    }
    dialogs.answer = false;
    CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, 1);
    Build(graph, 0);
    const int16_t before = graph.Draw().GetSeries(0)->GetStyle().symbolType;
    EXPECT_FALSE(graph.EditPlotLines());
    EXPECT_EQ(graph.Draw().GetSeries(0)->GetStyle().symbolType, before);
}

TEST_F(SimpleGraphEditTest, ATimeAxisTakesTheTimeAxisDialog)
{
    CSimpleGraphObj timed(fw::CRect(0, 0, 2000, 1500), 2, 10);
    EXPECT_TRUE(timed.EditAxes());
    EXPECT_EQ(dialogs.log, "time ");
    CSimpleGraphObj other(fw::CRect(0, 0, 2000, 1500), 3, 1);
    EXPECT_FALSE(other.EditAxes());
    EXPECT_EQ(dialogs.log, "time ");
}

TEST_F(SimpleGraphEditTest, SpectrumPlotLinesReachItsSeries)
{
    CDrawPowObj spectrum(fw::CRect(0, 0, 2000, 1500));
    ASSERT_EQ(spectrum.Draw().GetSeriesCount(), 1);
    spectrum.SetRedrawState(CDrawGraphObj::kCopyPicture);
    EXPECT_TRUE(spectrum.EditPlotLines());
    EXPECT_EQ(dialogs.log, "lines ");
    EXPECT_EQ(spectrum.Draw().GetSeries(0)->GetStyle().symbolType, 7);
    EXPECT_EQ(spectrum.GetRedrawState(), CDrawGraphObj::kRedrawAll);
}

// Bar and distribution graphs draw (they drew nothing before) and a poll
// redraws them whole instead of appending.
TEST_F(SimpleGraphEditTest, BarGraphsDrawAndRedrawWholeOnAPoll)
{
    for (int type : {31, 32, 33, 34}) {
        CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 1, type);
        Build(graph, 0);
        graph.Draw().m_dataMode = 2;
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph.Draw(&dc);
        EXPECT_FALSE(sink.Log().empty()) << type;
        graph.SetRedrawState(CSimpleGraphObj::kAppendData);
        graph.Draw(&dc);
        EXPECT_NE(graph.GetRedrawState(), CSimpleGraphObj::kAppendData) << type;
    }
}

// A distribution takes its positions from the operation-data tank of its
// base channel and its values from the chosen channels.
TEST_F(SimpleGraphEditTest, DistributionsPutTheOperationDataFirst)
{
    auto* positions = new CFltDataTank;
    for (int i = 0; i < 3; ++i)
        positions->SetValue(i, 10.0 * i);
    doc.m_opData.AddTank(positions, false);
    for (int type : {31, 34}) {
        CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 1, type);
        CSimpleGraphPrfList list;
        list.Add(new CGraphPrf);
        auto* profile = new CGraphPrf;
        profile->m_docIdent = doc.GetDocIdent();
        profile->m_rangeEnd = 10;
        const std::vector<int32_t> base{0};
        const std::vector<int32_t> values{1, 2};
        profile->m_xChannels = type == 31 ? base : values;
        profile->m_yChannels = type == 31 ? values : base;
        list.Add(profile);
        graph.SetPrfList(list);
        ASSERT_EQ(graph.Draw().GetSeriesCount(), 1) << type;
        CGraphParamArray& series = *graph.Draw().GetSeries(0);
        ASSERT_EQ(series.GetItemCount(), 3) << type;
        EXPECT_EQ(series.GetItemTank(0), positions) << type;
        EXPECT_EQ(series.GetItemTank(1), doc.GetChannelTank(1, 2)) << type;
        EXPECT_EQ(series.GetItemTank(2), doc.GetChannelTank(2, 2)) << type;
        fw::RecordingSink sink;
        fw::CDC dc(&sink);
        graph.Draw(&dc);
        EXPECT_FALSE(sink.Log().empty()) << type;
    }
}

TEST_F(SimpleGraphEditTest, AutoScrollDropsTheLogXAxisInTheScaleRecordToo)
{
    struct Case {
        int16_t before;
        int16_t after;
    } const cases[] = {
        {GrScaleRec::kLogXY, GrScaleRec::kLogY},
        {GrScaleRec::kLogX, GrScaleRec::kLinear},
        {GrScaleRec::kLogY, GrScaleRec::kLogY},
    };
    for (const Case& c : cases) {
        CSimpleGraphObj graph(fw::CRect(0, 0, 2000, 1500), 0, c.before);
        graph.Draw().Scale().m_scaleType = c.before;
        graph.Draw().SetGraphType(c.before);
        CSimpleGraphPrfList list;
        list.m_autoScroll = 1;
        list.Add(new CGraphPrf);
        graph.SetPrfList(list);
        EXPECT_EQ(graph.Draw().Scale().m_scaleType, c.after) << c.before;
        EXPECT_EQ(graph.Draw().Info().m_graphType, c.after) << c.before;
    }
}

} // namespace
