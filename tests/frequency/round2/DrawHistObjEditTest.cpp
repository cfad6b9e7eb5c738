// The frequency graph on its page: the page's axis, grid and label
// commands, copies that draw like their original, and the hints of the
// measurement panel and of the reference file.
#ifdef KIV_FREQUENCY_VIEWS

#include "chart/model/ChartClasses.h"
#include "chart/model/GraphClasses.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GraphUpdateHints.h"
#include "chart/model/Oblique3D.h"
#include "framework/core/DC.h"
#include "framework/core/RecordingSink.h"
#include "docview/graphpage/QtBitmap.h"
#include "common/tank/DblDataTank.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "frequency/document/HistDoc.h"
#include "frequency/graph/DrawHistObj.h"
#include "frequency/model/HistTables.h"
#include "graphdoc/model/GraphDocHooks.h"
#include "graphdoc/model/GraphPrf.h"
#include "graphdoc/model/objects/ObjectDialogs.h"
#include "graphdoc/views/ScaleDlg.h"
#include "instrument/ADSetPrf.h"
#include "instrument/MeterInterfacePrf.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "tests/frequency/views/HistWindowFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <memory>
#include <numeric>

namespace {

using histview_test::MakeAnalysis;

class OneDocumentLookup final : public IGraphDocumentLookup {
public:
    explicit OneDocumentLookup(const CHistDoc& doc) : m_doc(doc) {}
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return ident == m_doc.GetDocIdent() ? &m_doc : nullptr;
    }

private:
    const CHistDoc& m_doc;
};

class NoDocumentLookup final : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent&) const override { return nullptr; }
};

class GridDialog final : public IGraphDocDialogs {
public:
    bool EditGrid(GrFrameRec& frame) override
    {
        frame.m_xGridMajorWidth = 3;
        return answer;
    }
    bool EditLabels(CKivGraphDraw& draw) override
    {
        draw.SetAxisTitle('Y', "Counts", {});
        return answer;
    }
    bool answer = true;
};

class BarDialog final : public IGraphObjectDialogs {
public:
    bool EditPlotLines(CGraphPrfList& list, bool asBars, bool showInterval) override
    {
        bars = asBars;
        profiles = list.GetSize();
        if (profiles > 1) {
            source = list.GetAt(1)->m_strSourceName;
            list.GetAt(1)->m_fillColor = 5;
            list.GetAt(1)->m_lineWidth = 3;
        }
        return answer;
    }
    bool answer = true;
    bool bars = false;
    int profiles = 0;
    fw::CString source;
};

class PanelHost final : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    bool IsMeasuring(const CKIV5980Doc&) override { return false; }

    CMeterInterfacePrf profile;
    CADSetPrf adSet;
};

std::vector<std::string> Drawn(CDrawHistObj& graph)
{
    fw::RecordingSink sink(fw::kDisplayWidthPx, fw::kDisplayHeightPx, fw::kDisplayDpi, true);
    fw::CDC dc(&sink);
    graph.Draw(&dc);
    return sink.Log();
}

class DrawHistObjEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        kivtest::RegisterAllClasses();
        RegisterChartClasses();
        RegisterGraphClasses();
        fw::RegisterClass(FW_RUNTIME_CLASS(CHistGraphDraw));
        fw::RegisterClass(FW_RUNTIME_CLASS(CDrawHistObj));
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
        profile.m_analyses = {0, 1};
        ASSERT_EQ(graph.SetGraphPrf(profile), 2);
    }

    fw::test::ServiceScope services;
    fw::test::ScriptedDialogs dialogs;
    CHistDoc doc;
    OneDocumentLookup lookup{doc};
    fw::ScopedInstall<IGraphDocumentLookup> installed{lookup};
    CHistGraphPrf profile;
    CDrawHistObj graph{fw::CRect(0, 0, 1000, 800)};
};

TEST_F(DrawHistObjEditTest, AxisDialogOffersLinearOrLogarithmicCountsOnly)
{
    bool twoStyles = false;
    dialogs.On(CScaleDlg::IDD, [&](fw::CDialog& d) {
        auto& dlg = static_cast<CScaleDlg&>(d);
        twoStyles = dlg.m_settings.TwoStyles();
        dlg.m_settings.style = 1;
        dlg.EndDialog(fw::IDOK);
        return fw::IDOK;
    });
    EXPECT_TRUE(graph.EditScales());
    EXPECT_TRUE(twoStyles);
    EXPECT_EQ(graph.GraphDraw().Info().m_graphType, CHistGraphDraw::kLogType);
    EXPECT_NE(dynamic_cast<CHistLogColumnPlot*>(graph.GraphDraw().GetColumnPlot()), nullptr);
    EXPECT_NE(dynamic_cast<CYLogGridLine3D*>(graph.GraphDraw().GetGridLines('Y')), nullptr);
    EXPECT_TRUE(graph.NeedsRedraw());

    dialogs.On(CScaleDlg::IDD, [](fw::CDialog& d) {
        d.EndDialog(fw::IDCANCEL);
        return fw::IDCANCEL;
    });
    EXPECT_FALSE(graph.EditScales());
    EXPECT_EQ(graph.GraphDraw().Info().m_graphType, CHistGraphDraw::kLogType);
    EXPECT_EQ(dialogs.Problems(), "");
}

TEST_F(DrawHistObjEditTest, GridAndLabelDialogsChangeTheDrawerOnlyOnOk)
{
    GridDialog dialog;
    fw::ScopedInstall<IGraphDocDialogs> scoped(dialog);
    dialog.answer = false;
    const int16_t width = graph.GraphDraw().Frame().m_xGridMajorWidth;
    EXPECT_FALSE(graph.EditGrid());
    EXPECT_EQ(graph.GraphDraw().Frame().m_xGridMajorWidth, width);
    dialog.answer = true;
    EXPECT_TRUE(graph.EditGrid());
    EXPECT_EQ(graph.GraphDraw().Frame().m_xGridMajorWidth, 3);
    EXPECT_TRUE(graph.EditLabels());
    fw::CString text, unit;
    tTextAttributes attributes;
    int16_t side = 0;
    int colour = 0;
    graph.GraphDraw().GetAxisTitle('Y')->GetLabel(text, unit, attributes, side, colour);
    EXPECT_EQ(text, fw::CString("Counts"));
}

TEST_F(DrawHistObjEditTest, PlotLinesEditOutlineAndFillOfEachSeries)
{
    BarDialog dialog;
    fw::ScopedInstall<IGraphObjectDialogs> scoped(dialog);
    CGraphParamArray* first = graph.GraphDraw().GetSeries(0);
    ASSERT_NE(first, nullptr);
    const tSeriesStyle before = first->GetStyle();
    dialog.answer = false;
    EXPECT_FALSE(graph.EditPlotLines());
    EXPECT_EQ(first->GetStyle().fillColor, before.fillColor);

    dialog.answer = true;
    EXPECT_TRUE(graph.EditPlotLines());
    EXPECT_TRUE(dialog.bars);
    // A placeholder, then one profile per series named by its source.
    EXPECT_EQ(dialog.profiles, 3);
    EXPECT_EQ(dialog.source, fw::CString("REC"));
    EXPECT_EQ(first->GetStyle().fillColor, 5);
    EXPECT_EQ(first->GetStyle().lineWidth, 3);
    EXPECT_EQ(first->GetStyle().drawType, before.drawType);
    EXPECT_EQ(graph.GraphDraw().GetSeries(1)->GetStyle().fillColor, before.fillColor);
}

TEST_F(DrawHistObjEditTest, CopyDrawsLikeItsOriginalAlsoWithoutItsDocument)
{
    graph.GraphDraw().Frame().m_xGridMajorWidth = 3;
    graph.GraphDraw().CreatePlot();
    std::unique_ptr<CDrawObj> open(graph.Clone(nullptr));
    auto* copy = dynamic_cast<CDrawHistObj*>(open.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetGraphPrf()->m_analyses, profile.m_analyses);
    EXPECT_EQ(copy->GraphDraw().GetSeriesCount(), 2);
    // Shared with the document, not copied, while it is open.
    EXPECT_EQ(copy->Analyses().GetAt(0), doc.GetHistCountArray()->GetAt(0));
    EXPECT_EQ(Drawn(*copy), Drawn(graph));

    NoDocumentLookup closedLookup;
    fw::ScopedInstall<IGraphDocumentLookup> none(closedLookup);
    std::unique_ptr<CDrawObj> closed(graph.Clone(nullptr));
    auto* orphan = dynamic_cast<CDrawHistObj*>(closed.get());
    ASSERT_NE(orphan, nullptr);
    EXPECT_EQ(orphan->GraphDraw().GetSeriesCount(), 2);
    EXPECT_EQ(Drawn(*orphan), Drawn(graph));
}

TEST_F(DrawHistObjEditTest, RepaintCopiesThePictureUntilTheGraphIsMarked)
{
    CQtBitmapMaker maker;
    fw::ScopedInstall<IBitmapMaker> bitmaps(maker);
    auto render = [&] {
        QImage image(1100, 900, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        {
            CPainterDC dc(&painter);
            graph.Draw(&dc);
        }
        painter.end();
        return image;
    };
    const QImage first = render();
    // The counts change without a word to the graph: a repaint shows the
    // picture it keeps.
    CDblDataTank* counts = graph.Analyses().GetAt(1)->GetCountTank();
    for (int i = 0; i < counts->GetDataCount(); ++i)
        counts->SetValue(i, 3.0);
    EXPECT_TRUE(render() == first);
    // Told that the page changed the graph, it draws the new counts.
    graph.OnUpdate(36, nullptr);
    EXPECT_FALSE(render() == first);
}

TEST_F(DrawHistObjEditTest, PanelHintsFollowTheDocumentAndStopFollowing)
{
    EXPECT_EQ(graph.OnUpdate(19, nullptr), 1);
    EXPECT_EQ(graph.GraphDraw().GetHighlightMode(), 1);
    graph.OnUpdate(20, nullptr);
    EXPECT_TRUE(graph.NeedsRedraw());
    EXPECT_EQ(graph.OnUpdate(21, nullptr), 1);
    EXPECT_EQ(graph.GraphDraw().GetHighlightMode(), 0);
    // The panel's project is no source of a frequency-data graph.
    CUpdateDataDoc panel(&doc);
    EXPECT_EQ(graph.OnUpdate(22, &panel), 0);
    EXPECT_EQ(graph.GetGraphPrf()->m_docIdent, doc.GetDocIdent());
}

TEST_F(DrawHistObjEditTest, OpenedPanelRetargetsOnlyAGraphOfProjectAnalyses)
{
    PanelHost host;
    fw::ScopedInstall<IProjectHost> installed(host);
    CKIV5980Doc project;
    CUpdateDataDoc panel(&project);
    EXPECT_EQ(graph.OnUpdate(22, &panel), 0);
    EXPECT_EQ(graph.GetGraphPrf()->m_docIdent, doc.GetDocIdent());
    CHistGraphPrf fromProject = profile;
    fromProject.m_projectSource = 1;
    graph.SetGraphPrf(fromProject);
    EXPECT_EQ(graph.OnUpdate(22, &panel), 1);
    EXPECT_EQ(graph.GetGraphPrf()->m_docIdent, project.GetDocIdent());
}

TEST_F(DrawHistObjEditTest, ReferenceFileHintRetargetsOnlyAGraphOfTheOldDocument)
{
    CUpdateGraph other;
    other.m_firstDoc = CDocIdent(99, 99);
    other.m_secondDoc = CDocIdent(98, 98);
    EXPECT_EQ(graph.OnUpdate(25, &other), 0);
    EXPECT_EQ(graph.GetGraphPrf()->m_docIdent, doc.GetDocIdent());

    CUpdateGraph moved;
    moved.m_firstDoc = doc.GetDocIdent();
    moved.m_secondDoc = CDocIdent(7, 8);
    moved.m_path = "NEW.KIVH";
    EXPECT_EQ(graph.OnUpdate(25, &moved), 1);
    EXPECT_EQ(graph.GetGraphPrf()->m_docIdent, CDocIdent(7, 8));
    EXPECT_EQ(graph.GetGraphPrf()->m_strTitle, fw::CString("NEW.KIVH"));
    // The new document is not open: the graph keeps what it shows.
    EXPECT_EQ(graph.GraphDraw().GetSeriesCount(), 2);
}

} // namespace

#endif
