// Graph page pictures: an A4 page with a simple graph of 4 channels x 10^6
// samples, 50 texts standing for the numeric monitors, a legend and a
// title saved as PNG, beside its floor: encoding an A4 picture of the same
// size as PNG without drawing anything.

#include "chart/model/GraphDocumentLookup.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/DataTankList.h"
#include "common/tank/FltDataTank.h"
#include "docbase/doc/KivDocBase.h"
#include "framework/core/ServiceSlot.h"
#include "graphdoc/model/DrawTextObj.h"
#include "graphdoc/model/GraphDocClasses.h"
#include "graphdoc/model/GraphViewDoc.h"
#include "graphdoc/model/objects/DrawLegObj.h"
#include "graphdoc/model/objects/GraphObjectClasses.h"
#include "graphdoc/model/objects/SimpleGraphObj.h"
#include "graphdoc/views/GraphView.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int kPoints = 1'000'000;
constexpr int kSeries = 4;
constexpr int kMonitors = 50;
const fw::CSize kA4(794, 1123);

class Project final : public CKivDocBase {
public:
    Project()
    {
        m_docIdent = CDocIdent(8, 88);
        for (int c = 0; c <= kSeries; ++c) {
            auto* tank = new CFltDataTank;
            tank->SetName(c == 0 ? "T" : "V");
            for (int i = 0; i < kPoints; ++i)
                tank->SetValue(i, c == 0 ? i : std::sin(i * 1e-4 + c) * 5.0);
            m_list.AddTank(tank, false);
        }
    }
    CDataTankList* GetChannelTankList() override { return &m_list; }
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

void BM_PagePng(benchmark::State& state)
{
    RegisterGraphDocClasses();
    RegisterGraphObjectClasses();
    Project project;
    OneProject lookup;
    lookup.doc = &project;
    fw::ScopedInstall<IGraphDocumentLookup> installed(lookup);
    CGraphViewDoc doc;
    doc.m_bAutoDelete = false;
    doc.m_pageSize = kA4;
    doc.SetTitle("bench");
    auto* graph = new CSimpleGraphObj(doc.GetPageRect(), 0, 1);
    CSimpleGraphPrfList list;
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
    graph->SetPrfList(list);
    doc.AddObject(graph);
    for (int i = 0; i < kMonitors; ++i)
        doc.AddObject(new CDrawTextObj(fw::CRect(10 + (i % 5) * 150, 800 + (i / 5) * 30, 0, 0), "-123.456"));
    doc.AddLegend();
    doc.AddObject(new CDrawTextObj(fw::CRect(20, 10, 0, 0), "台上試験 A"));
    CGraphView view;
    view.AttachDocument(&doc);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "kiv-bench-page.png";
    for (auto _ : state)
        view.SavePicture(path.string(), false);
    view.AttachDocument(nullptr);
    std::filesystem::remove(path);
}
BENCHMARK(BM_PagePng)->Unit(benchmark::kMillisecond);

void BM_PngEncodingAlone(benchmark::State& state)
{
    QImage image(kA4.cx, kA4.cy, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        benchmark::DoNotOptimize(bytes.size());
    }
}
BENCHMARK(BM_PngEncodingAlone)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    InstallProgramStrings();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
