// Graph pages: an A4 page with a data graph of 4 series x 10^6 points, 50
// boxed texts (the numeric monitors' stand-ins), a legend box and a text,
// redrawn in full (the graph rendered into its kept picture) and repainted
// from the picture; the metafile writer taking a polyline of 10^6 points;
// a ".kivg" page holding 8 x 10^6 floats of embedded bytes saved and
// loaded, and a page whose data graph keeps a series of 8 x 10^6 floats in
// its own tanks saved and loaded; one poll of a monitor graph of 4 channels x 10^6 samples that
// appends the poll's new samples to its kept picture. Each beside its
// floor: the plain line plot of the same points, the texts alone, copying
// the points to 16-bit pairs, writing and reading the same bytes raw, and
// the line plot of the poll's new points alone.

#include "chart/model/GraphClasses.h"
#include "chart/model/GraphDocumentLookup.h"
#include "chart/model/GraphParamArray.h"
#include "chart/model/GrRecord.h"
#include "chart/model/LinearPlot.h"
#include "chart/model/OGPRecord.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "common/tank/TankClasses.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "docbase/graphpage/DrawOleObj.h"
#include "docbase/graphpage/ZELBitmap.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/DrawSink.h"
#include "framework/core/File.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/DrawGraphObj.h"
#include "graphdoc/model/DrawTextObj.h"
#include "graphdoc/model/EmfWriter.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "docbase/doc/KivDocBase.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

namespace {

constexpr int kPoints = 1'000'000;
constexpr int kSeries = 4;
constexpr int kMonitors = 50;
const fw::CSize kA4(794, 1123);

class NullSink final : public fw::IDrawSink {
public:
    void Line(const fw::CDC&, fw::CPoint, fw::CPoint) override { ++calls; }
    void Polyline(const fw::CDC&, const std::vector<fw::CPoint>& p) override { calls += p.size(); }
    void Polygon(const fw::CDC&, const std::vector<fw::CPoint>&, int) override {}
    void Rectangle(const fw::CDC&, const fw::CRect&) override { ++calls; }
    void Ellipse(const fw::CDC&, const fw::CRect&) override {}
    void FillRect(const fw::CDC&, const fw::CRect&, const fw::CBrush&) override { ++calls; }
    void Text(const fw::CDC&, fw::CPoint, const fw::CString&, const fw::CRect*, const fw::CRect*) override { ++calls; }
    void SetPixel(const fw::CDC&, fw::CPoint, fw::COLORREF) override {}
    fw::CSize TextExtent(const fw::CDC&, const fw::CString& t) override { return {t.GetLength() * 6, 12}; }
    fw::TEXTMETRIC TextMetrics(const fw::CDC&) override { fw::TEXTMETRIC tm; tm.tmHeight = 12; return tm; }
    int DeviceCaps(int) const override { return 96; }
    size_t calls = 0;
};

NullSink g_sink;

// A picture kept in memory; copying it out costs nothing here.
class NullBitmap final : public CZELBitmap {
public:
    NullBitmap(int w, int h) : m_w(w), m_h(h) {}
    int GetWidth() const override { return m_w; }
    int GetHeight() const override { return m_h; }
    std::unique_ptr<fw::CDC> CreateMemoryDC() override { return std::make_unique<fw::CDC>(&g_sink); }
    fw::PixelBuffer GetPixels() const override { return {}; }
    bool CopyTo(fw::CDC&, fw::CPoint) const override { return true; }

private:
    int m_w, m_h;
};

struct Data {
    std::vector<float> xs, ys[kSeries];
    Data() : xs(kPoints)
    {
        for (int i = 0; i < kPoints; ++i)
            xs[size_t(i)] = static_cast<float>(i);
        for (int s = 0; s < kSeries; ++s) {
            ys[s].resize(kPoints);
            for (int i = 0; i < kPoints; ++i)
                ys[s][size_t(i)] = static_cast<float>(std::sin(i * 1e-4 + s) * 5.0);
        }
    }
};

const Data& SharedData()
{
    static const Data data;
    return data;
}

// Draws the four series with the line plot the drawers use.
void DrawSeries(fw::CDC& dc, const fw::CRect& rect)
{
    const Data& d = SharedData();
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(rect.left, rect.top, rect.right - 1, rect.bottom - 1, &rec);
    GrSetXRange(0, kPoints - 1, &rec);
    GrSetYRange(-6, 6, &rec);
    CLinearPlot plot;
    for (int s = 0; s < kSeries; ++s) {
        CZELFltDataPoter xs, ys;
        xs.Init(FW_RUNTIME_CLASS(CZELFloatPtr), const_cast<float*>(d.xs.data()), 0, kPoints, nullptr);
        ys.Init(FW_RUNTIME_CLASS(CZELFloatPtr), const_cast<float*>(d.ys[s].data()), 0, kPoints, nullptr);
        plot.DrawSeries(dc, &xs, &ys, &rec, 1);
    }
}

class BenchGraph final : public CDrawGraphObj {
public:
    explicit BenchGraph(const fw::CRect& area) : CDrawGraphObj(area) {}
    void Draw(fw::CDC* dc) override { DrawThroughPicture(dc); }

protected:
    void RenderGraph(fw::CDC& dc, const fw::CRect& rect) override { DrawSeries(dc, rect); }
};

struct Page {
    CGraphViewDoc doc;
    BenchGraph* graph = nullptr;
    Page()
    {
        RegisterGraphDocClasses();
        CZELBitmap::InstallFactory([](const fw::CDC*, int w, int h) { return std::make_unique<NullBitmap>(w, h); });
        doc.m_bAutoDelete = false;
        doc.m_pageSize = kA4;
        graph = new BenchGraph(doc.GetPageRect());
        doc.AddObject(graph);
        for (int i = 0; i < kMonitors; ++i) {
            auto* monitor = new CDrawTextObj(fw::CRect(10 + (i % 5) * 150, 800 + (i / 5) * 30, 0, 0), "-123.456");
            doc.AddObject(monitor);
        }
        doc.AddObject(new CDrawTextObj(fw::CRect(600, 60, 0, 0), "CH1\nCH2\nCH3\nCH4"));
        doc.AddObject(new CDrawTextObj(fw::CRect(20, 10, 0, 0), "台上試験 A"));
    }
    void Paint()
    {
        fw::CDC dc(&g_sink);
        for (CDrawObj* object : doc.GetObjects())
            object->Draw(&dc);
    }
};

Page& SharedPage()
{
    static Page page;
    return page;
}

void BM_PageFullRedraw(benchmark::State& state)
{
    Page& page = SharedPage();
    SharedData();
    for (auto _ : state) {
        page.graph->MarkRedraw();
        page.Paint();
    }
}
BENCHMARK(BM_PageFullRedraw)->Unit(benchmark::kMillisecond);

// Floor of the full redraw: the four series through the line plot alone.
void BM_LinePlotOfTheSamePoints(benchmark::State& state)
{
    fw::CDC dc(&g_sink);
    const fw::CRect rect = SharedPage().graph->GetFrameRect();
    for (auto _ : state)
        DrawSeries(dc, rect);
}
BENCHMARK(BM_LinePlotOfTheSamePoints)->Unit(benchmark::kMillisecond);

// Should stay under 5 ms: the graph comes from its picture.
void BM_PageCachedRepaint(benchmark::State& state)
{
    Page& page = SharedPage();
    page.graph->MarkRedraw();
    page.Paint();
    for (auto _ : state)
        page.Paint();
}
BENCHMARK(BM_PageCachedRepaint)->Unit(benchmark::kMicrosecond);

// Floor of the repaint: the texts alone.
void BM_TextsAlone(benchmark::State& state)
{
    Page& page = SharedPage();
    fw::CDC dc(&g_sink);
    for (auto _ : state) {
        for (CDrawObj* object : page.doc.GetObjects()) {
            if (object != page.graph)
                object->Draw(&dc);
        }
    }
}
BENCHMARK(BM_TextsAlone)->Unit(benchmark::kMicrosecond);

std::vector<fw::CPoint> Polyline()
{
    std::vector<fw::CPoint> points(kPoints);
    for (int i = 0; i < kPoints; ++i)
        points[size_t(i)] = fw::CPoint(i % 2000, (i * 7) % 1000);
    return points;
}

void BM_MetafileOfAMillionPoints(benchmark::State& state)
{
    const std::vector<fw::CPoint> points = Polyline();
    for (auto _ : state) {
        CEmfWriter writer(g_sink, fw::CRect(0, 0, 52000, 26000), fw::CSize(2000, 1000), u"KIV-5400\0p\0");
        fw::CDC dc(&writer);
        dc.Polyline(points.data(), kPoints);
        benchmark::DoNotOptimize(writer.Finish());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_MetafileOfAMillionPoints)->Unit(benchmark::kMillisecond);

void BM_PointsTo16BitPairs(benchmark::State& state)
{
    const std::vector<fw::CPoint> points = Polyline();
    std::vector<int16_t> out(points.size() * 2);
    for (auto _ : state) {
        for (size_t i = 0; i < points.size(); ++i) {
            out[2 * i] = static_cast<int16_t>(points[i].x);
            out[2 * i + 1] = static_cast<int16_t>(points[i].y);
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}
BENCHMARK(BM_PointsTo16BitPairs)->Unit(benchmark::kMillisecond);

constexpr size_t kFloatBytes = 8u * 1'000'000u * sizeof(float);

// 8 x 10^6 floats embedded in the page, saved and loaded through the archive.
void BM_KivgSaveAndLoad(benchmark::State& state)
{
    RegisterGraphDocClasses();
    CGraphViewDoc doc;
    doc.m_bAutoDelete = false;
    doc.m_pageSize = kA4;
    auto* ole = new CDrawOleObj(fw::CRect(0, 0, 100, 100));
    doc.AddObject(ole);
    ole->m_pClientItem = new CDrawItem(ole);
    ole->m_pClientItem->m_bytes.assign(kFloatBytes, 0x3F);
    for (auto _ : state) {
        fw::CMemFile file(kFloatBytes + 4096);
        {
            fw::CArchive ar(&file, fw::CArchive::store, 1 << 20);
            ar.m_pDocument = &doc;
            doc.Serialize(ar);
            ar.Close();
        }
        CGraphViewDoc copy;
        copy.m_bAutoDelete = false;
        fw::CMemFile in;
        in.Attach(file.Detach());
        fw::CArchive ar(&in, fw::CArchive::load, 1 << 20);
        ar.m_pDocument = &copy;
        copy.Serialize(ar);
        benchmark::DoNotOptimize(copy.GetObjects().size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(2 * kFloatBytes));
}
BENCHMARK(BM_KivgSaveAndLoad)->Unit(benchmark::kMillisecond);

// The same page saved to and loaded from a file, as "File > Save" and
// "File > Open" do (the file stays in the page cache).
void BM_KivgFileSaveAndLoad(benchmark::State& state)
{
    RegisterGraphDocClasses();
    CGraphViewDoc doc;
    doc.m_bAutoDelete = false;
    doc.m_pageSize = kA4;
    auto* ole = new CDrawOleObj(fw::CRect(0, 0, 100, 100));
    doc.AddObject(ole);
    ole->m_pClientItem = new CDrawItem(ole);
    ole->m_pClientItem->m_bytes.assign(kFloatBytes, 0x3F);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "kiv-bench-page.kivg";
    for (auto _ : state) {
        {
            fw::CFile file(path.string(), fw::CFile::modeCreate | fw::CFile::modeWrite);
            fw::CArchive ar(&file, fw::CArchive::store, 1 << 20);
            ar.m_pDocument = &doc;
            doc.Serialize(ar);
            ar.Close();
        }
        CGraphViewDoc copy;
        copy.m_bAutoDelete = false;
        fw::CFile file(path.string(), fw::CFile::modeRead);
        fw::CArchive ar(&file, fw::CArchive::load, 1 << 20);
        ar.m_pDocument = &copy;
        copy.Serialize(ar);
        benchmark::DoNotOptimize(copy.GetObjects().size());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(2 * kFloatBytes));
}
BENCHMARK(BM_KivgFileSaveAndLoad)->Unit(benchmark::kMillisecond);

// A page whose data graph keeps one series of 2 x 4 x 10^6 floats in its
// own tanks, as a page does for a document that is not open.
void MakeSeriesPage(CGraphViewDoc& doc)
{
    RegisterTankClasses();
    RegisterGraphClasses();
    RegisterGraphDocClasses();
    RegisterGraphObjectClasses();
    doc.m_bAutoDelete = false;
    doc.m_pageSize = kA4;
    auto* graph = new CSimpleGraphObj(doc.GetPageRect(), 0, 1);
    doc.AddObject(graph);
    CGraphParamArray* series = graph->Draw().AddSeries(true);
    constexpr int kHalf = static_cast<int>(kFloatBytes / sizeof(float) / 2);
    for (int item = 0; item < 2; ++item) {
        auto* tank = new CFltDataTank;
        tank->SetName(item == 0 ? "T" : "V");
        tank->SetSize(kHalf, false);
        std::span<float> values = tank->Values();
        for (int i = 0; i < kHalf; ++i)
            values[size_t(i)] = item == 0 ? float(i) : std::sin(float(i) * 1e-4f);
        series->SetItem(item, 2, item == 0 ? 499 : 0, tank, false);
    }
}

void BM_KivgFloatSeriesSaveAndLoad(benchmark::State& state)
{
    RegisterGraphDocClasses();
    CGraphViewDoc doc;
    MakeSeriesPage(doc);
    for (auto _ : state) {
        fw::CMemFile file(kFloatBytes + 4096);
        {
            fw::CArchive ar(&file, fw::CArchive::store, 1 << 20);
            ar.m_pDocument = &doc;
            doc.Serialize(ar);
            ar.Close();
        }
        file.SeekToBegin();
        CGraphViewDoc copy;
        copy.m_bAutoDelete = false;
        fw::CArchive ar(&file, fw::CArchive::load, 1 << 20);
        ar.m_pDocument = &copy;
        copy.Serialize(ar);
        benchmark::DoNotOptimize(copy.GetObjects().size());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(2 * kFloatBytes));
}
BENCHMARK(BM_KivgFloatSeriesSaveAndLoad)->Unit(benchmark::kMillisecond);

void BM_KivgFloatSeriesFileSaveAndLoad(benchmark::State& state)
{
    RegisterGraphDocClasses();
    CGraphViewDoc doc;
    MakeSeriesPage(doc);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "kiv-bench-series.kivg";
    for (auto _ : state) {
        {
            fw::CFile file(path.string(), fw::CFile::modeCreate | fw::CFile::modeWrite);
            fw::CArchive ar(&file, fw::CArchive::store, 1 << 20);
            ar.m_pDocument = &doc;
            doc.Serialize(ar);
            ar.Close();
        }
        CGraphViewDoc copy;
        copy.m_bAutoDelete = false;
        fw::CFile file(path.string(), fw::CFile::modeRead);
        fw::CArchive ar(&file, fw::CArchive::load, 1 << 20);
        ar.m_pDocument = &copy;
        copy.Serialize(ar);
        benchmark::DoNotOptimize(copy.GetObjects().size());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(2 * kFloatBytes));
}
BENCHMARK(BM_KivgFloatSeriesFileSaveAndLoad)->Unit(benchmark::kMillisecond);

void BM_RawCopyOfTheSameBytes(benchmark::State& state)
{
    std::vector<uint8_t> source(kFloatBytes, 0x3F);
    for (auto _ : state) {
        std::vector<uint8_t> stored(source);
        std::vector<uint8_t> loaded(stored);
        benchmark::DoNotOptimize(loaded.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(2 * kFloatBytes));
}
BENCHMARK(BM_RawCopyOfTheSameBytes)->Unit(benchmark::kMillisecond);

// --- one poll of a monitor graph -------------------------------------------------------

constexpr int kPollSamples = 100;

// A project whose channel 0 counts time and channels 1-4 hold the series.
class PolledProject final : public CKivDocBase {
public:
    PolledProject()
    {
        m_docIdent = CDocIdent(8, 88);
        const Data& d = SharedData();
        for (int c = 0; c <= kSeries; ++c) {
            auto* tank = new CFltDataTank;
            tank->SetName(c == 0 ? "T" : "V");
            for (int i = 0; i < kPoints; ++i)
                tank->SetValue(i, c == 0 ? d.xs[size_t(i)] : d.ys[c - 1][size_t(i)]);
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
    // The poll's new samples at the end of every channel.
    void Poll()
    {
        const int count = m_list.GetObjectAt(0)->GetDataCount();
        for (int c = 0; c <= kSeries; ++c)
            for (int i = 0; i < kPollSamples; ++i)
                m_list.GetObjectAt(c)->SetValue(count + i, c == 0 ? count + i : std::sin((count + i) * 1e-4 + c));
    }
    CDataTankList m_list;
};

class OneProject final : public IGraphDocumentLookup {
public:
    const fw::CDocument* FindDocument(const CDocIdent& ident) const override
    {
        return ident == doc->GetDocIdent() ? doc : nullptr;
    }
    const CKivDocBase* doc = nullptr;
};

void BM_MonitorGraphPollAppend(benchmark::State& state)
{
    RegisterGraphDocClasses();
    CZELBitmap::InstallFactory([](const fw::CDC*, int w, int h) { return std::make_unique<NullBitmap>(w, h); });
    PolledProject project;
    OneProject lookup;
    lookup.doc = &project;
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);
    CSimpleGraphObj graph(fw::CRect(0, 0, kA4.cx, kA4.cy), 0, 1);
    CSimpleGraphPrfList list;
    list.m_creationKind = 9;
    list.Add(new CGraphPrf);
    for (int c = 1; c <= kSeries; ++c) {
        auto* profile = new CGraphPrf;
        profile->m_docIdent = project.GetDocIdent();
        profile->m_xChannels = {0};
        profile->m_xListKinds = {2};
        profile->m_yChannels = {c};
        profile->m_yListKinds = {2};
        list.Add(profile);
    }
    graph.SetPrfList(list);
    graph.Draw().m_dataMode = 1;
    fw::CDC dc(&g_sink);
    graph.OnUpdate(19, nullptr);
    graph.Draw(&dc);
    for (auto _ : state) {
        state.PauseTiming();
        project.Poll();
        state.ResumeTiming();
        graph.OnUpdate(20, nullptr);
        graph.Draw(&dc);
    }
    state.SetItemsProcessed(state.iterations() * kSeries * kPollSamples);
}
BENCHMARK(BM_MonitorGraphPollAppend)->Unit(benchmark::kMicrosecond);

void BM_LinePlotOfThePollsPoints(benchmark::State& state)
{
    const Data& d = SharedData();
    OGPRecord rec;
    GrInitRecord(&rec);
    GrSetPlotRect(0, 0, kA4.cx - 1, kA4.cy - 1, &rec);
    GrSetXRange(0, kPoints - 1, &rec);
    GrSetYRange(-6, 6, &rec);
    CLinearPlot plot;
    fw::CDC dc(&g_sink);
    for (auto _ : state)
        for (int s = 0; s < kSeries; ++s) {
            CZELFltDataPoter xs, ys;
            xs.Init(FW_RUNTIME_CLASS(CZELFloatPtr), const_cast<float*>(d.xs.data()), 0, kPollSamples, nullptr);
            ys.Init(FW_RUNTIME_CLASS(CZELFloatPtr), const_cast<float*>(d.ys[s].data()), 0, kPollSamples, nullptr);
            plot.DrawSeries(dc, &xs, &ys, &rec, 1);
        }
    state.SetItemsProcessed(state.iterations() * kSeries * kPollSamples);
}
BENCHMARK(BM_LinePlotOfThePollsPoints)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
