// The measurement-history and max/min/average pages of a project with
// 50,000 steps and 16 recorded channels: opening a page (initial update and
// the first paint) and scrolling it a page at a time, each repaint beside
// the floor of drawing the same cells' texts straight on the device. Each
// should stay under 16 ms a page.

#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcClasses.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/TankClasses.h"
#include "framework/core/DC.h"
#include "framework/core/Object.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ServiceScope.h"
#include "framework/ui/QPainterSink.h"
#include "grid/model/GridClasses.h"
#include "grid/views/GridPane.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/pages/PrjHistoryView.h"
#include "project/views/pages/PrjMMAView.h"

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

constexpr int kSteps = 50000;
constexpr int kChannels = 16;
constexpr int kWidth = 1280;
constexpr int kHeight = 1000;

class CBenchHost : public IProjectHost {
public:
    CBenchHost()
    {
        profile.SetCount(1);
        for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
            profile.m_unitTypes[0].SetAt(p, 1);
    }
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    CMeterInterfacePrf profile;
    CADSetPrf adSet;
};

struct Environment {
    Environment()
    {
        fw::RegisterClasses();
        RegisterCommonBaseClasses();
        RegisterTankClasses();
        RegisterCacheClasses();
        RegisterCalcClasses();
        RegisterUnitClasses();
        RegisterMeterClasses();
        RegisterSystemClasses();
        RegisterCheckClasses();
        RegisterGridClasses();
        InstallProgramStrings();
        const fs::path dir = fs::temp_directory_path() / ("kiv-historypage-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        CCacheDataTank<float>::SetTempFolder(dir.c_str());
        CCacheDataTank<double>::SetTempFolder(dir.c_str());
        fw::Install<IProjectHost>(&host);
    }
    fw::test::ServiceScope services;
    CBenchHost host;
};

Environment& Env()
{
    static Environment env;
    return env;
}

std::unique_ptr<CKIV5980Doc> BigHistory()
{
    Env();
    auto doc = std::make_unique<CKIV5980Doc>();
    if (!doc->OnNewDocument())
        return nullptr;
    CMMAObject& history = doc->GetHistory();
    history.RemoveAll();
    history.InitColumns();
    history.Grow(kSteps - 1);
    for (int s = 0; s < kSteps; ++s) {
        history.SetStepTime(s, 45000 + s / 1440.0);
        history.SetDataFileName(s, fw::CString("D" + std::to_string(s)));
        history.SetTitle(s, fw::CString("試験"));
        history.SetDuration(s, 10);
        history.SetDurationUnit(s, 155);
    }
    for (int c = 0; c < kChannels; ++c) {
        CMMAObject::ChannelRecord record;
        record.channel = c;
        record.name = fw::CString("CH" + std::to_string(c + 1));
        int at = 0;
        for (int s = 0; s < kSteps; ++s) {
            CMMAObject::ValuesRecord values{s * 0.5, -s * 0.25, s * 0.125, fw::CString("V")};
            at = history.MergeChannelValues(s, record, values, c) - 1;
        }
        (void)at;
    }
    return doc;
}

template <class View> struct Window {
    QWidget host;
    View* view = new View;
    QImage image{kWidth, kHeight, QImage::Format_RGB32};

    explicit Window(CKIV5980Doc& doc)
    {
        host.resize(kWidth, kHeight);
        view->Create(&host, &doc);
        view->Widget()->resize(kWidth, kHeight);
        view->OnInitialUpdate();
        view->GetGrid()->MoveWindow(fw::CRect(0, 0, kWidth, kHeight), false);
        view->GetGrid()->RecalcLayout(false);
    }
    void Repaint()
    {
        QPainter painter(&image);
        fw::QPainterSink sink(&painter);
        fw::CDC dc(&sink);
        for (int i = 0; i < 4; ++i) {
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

template <class View> void OpenPage(benchmark::State& state)
{
    auto doc = BigHistory();
    if (!doc) {
        state.SkipWithError("no project");
        return;
    }
    for (auto _ : state) {
        Window<View> window(*doc);
        window.Repaint();
    }
}

template <class View> void ScrollPages(benchmark::State& state)
{
    auto doc = BigHistory();
    if (!doc) {
        state.SkipWithError("no project");
        return;
    }
    Window<View> window(*doc);
    int32_t cols = 0, rows = 0;
    window.view->GetGrid()->GetVisibleCellCount(cols, rows);
    int32_t top = 0;
    for (auto _ : state) {
        top = (top + std::max(rows, 1)) % (kSteps - rows);
        window.view->GetGrid()->ScrollTo(0, top);
        window.Repaint();
    }
    state.counters["rows"] = rows;
    state.counters["cols"] = cols;
}

void BM_HistoryPageOpen(benchmark::State& state) { OpenPage<CPrjHistoryView>(state); }
BENCHMARK(BM_HistoryPageOpen)->Unit(benchmark::kMillisecond);

void BM_HistoryPageScroll(benchmark::State& state) { ScrollPages<CPrjHistoryView>(state); }
BENCHMARK(BM_HistoryPageScroll)->Unit(benchmark::kMillisecond);

void BM_StatisticsPageOpen(benchmark::State& state) { OpenPage<CPrjMMAView>(state); }
BENCHMARK(BM_StatisticsPageOpen)->Unit(benchmark::kMillisecond);

void BM_StatisticsPageScroll(benchmark::State& state) { ScrollPages<CPrjMMAView>(state); }
BENCHMARK(BM_StatisticsPageScroll)->Unit(benchmark::kMillisecond);

// The floor: the same area filled and a page of cell texts drawn plainly.
void BM_BaselinePlainPage(benchmark::State& state)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(0, 0, kWidth, kHeight, Qt::white);
        for (int y = 0; y < 55; ++y)
            for (int x = 0; x < 10; ++x)
                painter.drawText(x * 120, y * 18 + 14, QStringLiteral("2024/05/01 10:20:30"));
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
