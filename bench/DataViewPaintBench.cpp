// Repaints of the data views: a page of the value list (60 rows of 30
// cached channels) and the graph list while a cursor is dragged over rows
// of 10^7 samples, each beside the floor of drawing the same area plainly.
// The graph rows are drawn once into their pictures before timing, as the
// first paint of the window does.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphListPrf.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphClasses.h"
#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/KivSPTankData.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/TankClasses.h"
#include "data/model/DataClasses.h"
#include "data/model/KivDataBoxPropaty.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataGraphAccess.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataGraphView.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/GraphDocumentLookup.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/DC.h"
#include "framework/core/Object.h"
#include "framework/ui/QPainterSink.h"
#include "grid/model/GridClasses.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 1900;
constexpr int kHeight = 1200;

fs::path BenchDir()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("kiv-dataviewpaint-" + std::to_string(::getpid()));
        fs::create_directories(d / "cache");
        return d;
    }();
    return dir;
}

// The documents' time list graph made of the charting engine's list, as
// the program joins them.
class CBenchGraphTimeList final : public IGraphTimeList {
public:
    size_t GetRowCount() const override { return m_rows.GetRowCount(); }
    void EditRows(const GraphProfileList& profiles) override
    {
        m_rows.EditRows(profiles);
        CGraphPrfList chart;
        chart.push_back(Profile(m_rows.GetHead()));
        for (const GraphListProfile& row : m_rows.GetRowProfiles())
            chart.push_back(Profile(row));
        m_graph.EditRows(chart);
    }
    bool GetRows(GraphProfileList& profiles) const override { return m_rows.GetRows(profiles); }
    void HoldTank(CDataTankObject* tank) override { m_rows.HoldTank(tank); }
    CGraphTimeListObj& Graph() { return m_graph; }

private:
    static std::unique_ptr<CGraphListPrf> Profile(const GraphListProfile& row)
    {
        auto entry = std::make_unique<CGraphListPrf>();
        entry->xChannels = row.xChannels;
        entry->yChannels = row.yChannels;
        entry->xKinds = row.xLists;
        entry->yKinds = row.yLists;
        entry->document = row.docIdent;
        entry->firstSample = 1;
        entry->lastSample = std::max(row.rowCount, 1);
        return entry;
    }
    CGraphTimeListRows m_rows;
    CGraphTimeListObj m_graph;
};

struct Hooks : IGraphTimeListFactory, IDataGraphAccess, IGraphDocumentTanks {
    std::unique_ptr<IGraphTimeList> Create() override { return std::make_unique<CBenchGraphTimeList>(); }
    CGraphTimeListObj* TimeListGraph(IGraphTimeList& list) override
    {
        auto* bench = dynamic_cast<CBenchGraphTimeList*>(&list);
        return bench ? &bench->Graph() : nullptr;
    }
    CDataTankList* GetTankList(const fw::CDocument* document, int kind) override
    {
        auto* doc = dynamic_cast<CKivDocBase*>(const_cast<fw::CDocument*>(document));
        return doc && kind == CKivDocBase::kChannelList ? doc->GetChannelTankList() : nullptr;
    }
};

struct Environment {
    Environment()
    {
        InstallProgramStrings();
        fw::RegisterClasses();
        RegisterCommonBaseClasses();
        RegisterTankClasses();
        RegisterCacheClasses();
        RegisterCalcClasses();
        RegisterGridClasses();
        RegisterDataClasses();
        RegisterGraphClasses();
        RegisterListGraphClasses();
        CCacheDataTank<float>::SetTempFolder(fw::CString((BenchDir() / "cache").string()));
        CCacheDataTank<double>::SetTempFolder(fw::CString((BenchDir() / "cache").string()));
        InstallDataDocHost(&host);
        fw::Install<IGraphTimeListFactory>(&hooks);
        fw::Install<IDataGraphAccess>(&hooks);
        fw::Install<IGraphDocumentTanks>(&hooks);
        fw::Install<IGraphDocumentLookup>(&lookup);
    }
    ~Environment() { fs::remove_all(BenchDir()); }
    CKivDocManager manager;
    CDataDocHost host{&manager};
    Hooks hooks;
    CHostGraphDocumentLookup lookup;
};

Environment& Env()
{
    static Environment env;
    return env;
}

std::unique_ptr<CKivDataDoc> FilledDocument(int channels, int rows)
{
    auto doc = std::make_unique<CKivDataDoc>();
    doc->CreateNewContents();
    CKivDataBoxArray& boxes = doc->GetBoxArray();
    auto* box = new CKivDataBoxPropaty;
    box->SetName("BOX1");
    box->SetRowCount(channels);
    box->CreateColumns();
    boxes.AddBox(box);
    boxes.SetTotalRows(channels);
    boxes.RebuildChannelMap();
    CKivSPTankData& list = boxes.GetTankList();
    list.SetDataCount(rows, true);
    list.SetChannelCount(channels);
    for (int ch = 0; ch < channels; ++ch) {
        CDataTankObject* tank = list.GetObjectAt(ch);
        for (int i = 0; i < rows; ++i)
            tank->SetValue(i, ch + ((i * 7919) % 1000) * 0.001);
    }
    doc->GetAdSet().m_nNum = rows;
    doc->GetAdSet().m_dClk = 1;
    doc->SetTimeUnit(1);
    doc->RebuildChannels();
    return doc;
}

// A view in a window of its own, painted pane by pane as the window system
// would.
template <class View> struct Window {
    QWidget host;
    View* view = new View;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};

    explicit Window(CKivDataDoc& doc)
    {
        host.resize(kWidth, kHeight);
        view->Create(&host, &doc);
        view->Widget()->resize(kWidth, kHeight);
        view->OnInitialUpdate();
        host.show();
        view->GetGrid()->MoveWindow(fw::CRect(0, 0, kWidth, kHeight), false);
        view->GetGrid()->RecalcLayout(false);
        QApplication::processEvents();
    }
    void Repaint(bool sheetOnly)
    {
        QPainter painter(&image);
        fw::QPainterSink sink(&painter);
        fw::CDC dc(&sink);
        for (int i = 0; i < (sheetOnly ? 1 : 4); ++i) {
            CZELGridPane* pane = view->GetGrid()->GetPane(i);
            const QRect r = pane->Widget()->geometry();
            const int saved = dc.SaveDC();
            dc.SetViewportOrg(r.left(), r.top());
            dc.IntersectClipRect(0, 0, r.width(), r.height());
            pane->PaintArea(dc, fw::CRect(0, 0, r.width(), r.height()));
            dc.RestoreDC(saved);
        }
    }
};

void BM_ValueListPage(benchmark::State& state)
{
    Env();
    auto doc = FilledDocument(30, 100000);
    Window<CKivDataChDataView> window(*doc);
    window.view->GetGrid()->ScrollTo(0, 50000);
    for (auto _ : state)
        window.Repaint(false);
    int32_t cols = 0;
    int32_t rows = 0;
    window.view->GetGrid()->GetVisibleCellCount(cols, rows);
    const CCellIndices last = window.view->GetGrid()->GetBottomRightCell();
    const CCellIndices first = window.view->GetGrid()->GetTopLeftCell();
    state.counters["rows"] = last.row - first.row + 1;
    state.counters["cols"] = last.col - first.col + 1;
}
BENCHMARK(BM_ValueListPage)->Unit(benchmark::kMillisecond);

void BM_GraphListCursorDrag(benchmark::State& state)
{
    Env();
    auto doc = FilledDocument(4, 10000000);
    Window<CKivDataGraphView> window(*doc);
    CGraphTimeListObj* graph = window.view->GetGraphList();
    if (!graph) {
        state.SkipWithError("no graph");
        return;
    }
    window.Repaint(true);
    int32_t cursor = 1000;
    for (auto _ : state) {
        cursor += 12345;
        graph->SetSelection(1000, cursor);
        window.Repaint(true);
    }
}
BENCHMARK(BM_GraphListCursorDrag)->Unit(benchmark::kMillisecond);

// The floor: the same area filled and its text drawn straight on the device.
void BM_BaselinePlainPage(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.drawImage(0, 0, picture);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 16; ++x)
                painter.drawText(x * 70, y * 16 + 12, QStringLiteral("1234.567"));
    }
}
BENCHMARK(BM_BaselinePlainPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TZ", "JST-9", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
