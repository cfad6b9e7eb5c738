// The frequency window's heavy paths: the text export of every analysis
// (80 analyses of 200 + 200 slices, one file each, drawing held off during
// the loop) beside writing the same bytes plainly, and one paint of the
// count table of 400 rows and 4 columns beside formatting its numbers.

#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/calc/CalcClasses.h"
#include "common/tank/DblDataTank.h"
#include "common/tank/TankClasses.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/Object.h"
#include "framework/ui/MultiDocTemplate.h"
#include "frequency/document/FrequencyDocClasses.h"
#include "frequency/document/HistDoc.h"
#include "frequency/model/FrequencyModelClasses.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistTables.h"
#include "frequency/views/HistAmpInView.h"
#include "frequency/views/HistCountView.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistOpeView.h"
#include "grid/model/GridClasses.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kAnalyses = 80;
constexpr int kSlices = 200;

fs::path BenchDir()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("freqviews-bench-" + std::to_string(getpid()));
        fs::create_directories(d);
        return d;
    }();
    return dir;
}

std::unique_ptr<CHistCountArray> Record()
{
    auto a = std::make_unique<CHistCountArray>();
    a->m_startTime = {{14, 10, 2, 10, 30, 0}};
    a->m_endTime = {{14, 10, 2, 11, 30, 0}};
    for (int i = 0; i < kAnalyses; ++i) {
        auto* h = new CHistCountObj;
        h->m_name = ("DN_" + std::to_string(i + 1)).c_str();
        h->m_operation = kHistPeakValley;
        h->m_plusSlices = kSlices;
        h->m_minusSlices = kSlices;
        h->CreateCountTank();
        CDblDataTank* tank = h->GetCountTank();
        for (int j = 0; j < tank->GetDataCount(); ++j)
            tank->SetValue(j, (j * 7 + i) % 1000);
        a->Add(h);
    }
    return a;
}

// One frequency document open in its window.
struct Window {
    Window()
    {
        tmpl = new fw::CMultiDocTemplate(132, FW_RUNTIME_CLASS(CHistDoc), FW_RUNTIME_CLASS(CHistFrame),
                                         FW_RUNTIME_CLASS(CHistAmpInView));
        tmpl->SetDocStrings("\n頻度データ\n頻度データ\n頻度データ(*.kivh)\n.kivh\nKIV-5400.HistData\nKIV-5400.頻度データ");
        manager.AddDocTemplate(tmpl);
        CHistDoc file;
        file.CreateNewContents();
        file.CreateFile(fw::CString(BenchDir().string()), "REC", "bench", Record().release(), "HIST0001.DAT");
        doc = dynamic_cast<CHistDoc*>(manager.OpenDocumentFile(file.GetPathName(), true));
        fw::POSITION pos = doc ? doc->GetFirstViewPosition() : nullptr;
        while (pos)
            if (auto* view = dynamic_cast<CHistAmpInView*>(doc->GetNextView(pos)))
                frame = dynamic_cast<CHistFrame*>(view->GetParentFrame());
    }
    ~Window() { manager.CloseAllDocuments(false); }

    CKivDocManager manager;
    fw::CMultiDocTemplate* tmpl = nullptr;
    CHistDoc* doc = nullptr;
    CHistFrame* frame = nullptr;
};

Window& TheWindow()
{
    static Window window;
    return window;
}

void BM_ExportEveryAnalysis(benchmark::State& state)
{
    Window& w = TheWindow();
    if (!w.frame) {
        state.SkipWithError("the window did not open");
        return;
    }
    CHistOpeView* view = w.frame->AnalysisView();
    view->SetTextMode(CHistOpeView::kSaveAllCounts);
    const fw::CString path((BenchDir() / "ALL.CSV").string().c_str());
    for (auto _ : state) {
        if (!view->ExportEachAnalysis(path, 1, true))
            state.SkipWithError("export failed");
    }
    const auto size = fs::file_size(BenchDir() / ("ALL_DN_" + std::to_string(kAnalyses) + ".CSV"));
    state.counters["bytes_per_file"] = static_cast<double>(size);
}

// The floor: the same number of files of the same size written plainly.
void BM_WriteSameBytesPlainly(benchmark::State& state)
{
    const auto size = fs::exists(BenchDir() / "ALL_DN_1.CSV") ? fs::file_size(BenchDir() / "ALL_DN_1.CSV") : 20000;
    const std::string bytes(size, 'x');
    for (auto _ : state) {
        for (int i = 0; i < kAnalyses; ++i) {
            std::ofstream out(BenchDir() / ("PLAIN_" + std::to_string(i) + ".CSV"), std::ios::binary);
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    }
}

// One paint of the count view in a window of 1024 x 768 (state 0) and of
// the whole table at once (state 1, 400 rows of 18 pixels).
void BM_PaintCountTable(benchmark::State& state)
{
    Window& w = TheWindow();
    if (!w.frame) {
        state.SkipWithError("the window did not open");
        return;
    }
    w.frame->OnSwitchClient(33193);
    CHistCountView* counts = w.frame->CountView();
    counts->SelectAnalysis(0);
    QWidget* widget = counts->Widget();
    widget->resize(1024, state.range(0) ? 2 * kSlices * 18 + 60 : 768);
    QImage image(widget->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        widget->render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
    state.counters["rows"] = counts->GetGrid()->GetSheetPane() ? 2.0 * kSlices : 0;
}

// The floor: formatting the table's 1600 counts and 800 row labels.
void BM_FormatCountNumbers(benchmark::State& state)
{
    char buf[32];
    for (auto _ : state) {
        for (int r = 0; r < 2 * kSlices; ++r) {
            std::snprintf(buf, sizeof buf, "%d", r);
            std::snprintf(buf, sizeof buf, "%g", r * 2.5);
            for (int c = 0; c < 4; ++c)
                std::snprintf(buf, sizeof buf, "%lu", static_cast<unsigned long>(r * 4 + c));
        }
        benchmark::DoNotOptimize(buf);
    }
}

BENCHMARK(BM_ExportEveryAnalysis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteSameBytesPlainly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintCountTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatCountNumbers)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    fw::RegisterClasses();
    RegisterCommonBaseClasses();
    RegisterTankClasses();
    RegisterCacheClasses();
    RegisterCalcClasses();
    RegisterFrequencyModelClasses();
    RegisterGridClasses();
    RegisterFrequencyDocClasses();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::remove_all(BenchDir());
    return 0;
}
