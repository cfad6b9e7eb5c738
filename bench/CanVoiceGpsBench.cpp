// The GPS track and the voice folder scan at their sizes of use.
//
// A track of 10^6 positions is drawn by the track drawer into a
// 1000 x 1000 image (the picture the track view keeps), and a selected
// range of 10^4 positions is drawn over a copy of that picture, as every
// paint during a selection drag does. The floor beside them maps the same
// points to pixels and sets them, with no line drawing at all.
//
// The voice scan reads the information block of 50,000 recordings in a
// temporary folder (KIV_BENCH_DIR, default the system's temporary folder);
// its floor lists the same folder without opening a file.

#include "canvoicegps/model/GpsGraphDraw.h"
#include "canvoicegps/voice/VoiceFileInfo.h"
#include "chart/model/GraphParamArray.h"
#include "common/tank/DblDataTank.h"
#include "docview/graphpage/QtBitmap.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTrackPoints = 1'000'000;
constexpr int kHighlightPoints = 10'000;
constexpr int kPicture = 1000;
constexpr int kRecordings = 50'000;

double Longitude(int i) { return 135.5 + 0.02 * std::cos(i * 2e-5) + 1e-4 * std::sin(i * 0.01); }
double Latitude(int i) { return 34.7 + 0.02 * std::sin(i * 3e-5) + 1e-4 * std::cos(i * 0.013); }

// The drawer of the track view with its two series over one track.
struct Track {
    CGpsGraphDraw draw;
    fw::CRect plot{0, 0, kPicture - 1, kPicture - 1};
    Track()
    {
        auto* x = new CDblDataTank;
        auto* y = new CDblDataTank;
        for (int i = kTrackPoints - 1; i >= 0; --i) {
            x->SetValue(i, Longitude(i));
            y->SetValue(i, Latitude(i));
        }
        draw.SetGraphType(1);
        draw.Scale().m_x.autoMode = 1;
        draw.Scale().m_y.autoMode = 1;
        for (int s = 0; s < 2; ++s) {
            CGraphParamArray* series = draw.AddSeries(true);
            series->AppendItem(0, 0, x);
            series->AppendItem(0, 1, y);
        }
        ReleaseTank(x);
        ReleaseTank(y);
        draw.GetSeries(0)->SetDrawRange(0, kTrackPoints - 1);
        draw.GetSeries(1)->SetDrawRange(400'000, 400'000 + kHighlightPoints - 1);
        draw.AutoScale();
        draw.CreatePlot();
        draw.SetPlotRect(plot);
    }
};

Track& SharedTrack()
{
    static Track track;
    return track;
}

void BM_TrackIntoPicture(benchmark::State& state)
{
    Track& track = SharedTrack();
    QImage image(kPicture, kPicture, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        CPainterDC dc(&painter);
        track.draw.DrawAxes(dc, track.plot);
        track.draw.DrawSeries(dc, track.plot, 0);
    }
}
BENCHMARK(BM_TrackIntoPicture)->Unit(benchmark::kMillisecond);

void BM_HighlightOverPicture(benchmark::State& state)
{
    Track& track = SharedTrack();
    QImage picture(kPicture, kPicture, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        CPainterDC dc(&painter);
        track.draw.DrawSeries(dc, track.plot, 0);
    }
    QImage screen(kPicture, kPicture, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&screen);
        painter.drawImage(0, 0, picture);
        CPainterDC dc(&painter);
        track.draw.DrawSeries(dc, track.plot, 1);
    }
}
BENCHMARK(BM_HighlightOverPicture)->Unit(benchmark::kMillisecond);

// The floor: every point mapped to its pixel and set.
void BM_BaselinePlotPoints(benchmark::State& state)
{
    std::vector<double> xs(kTrackPoints), ys(kTrackPoints);
    for (int i = 0; i < kTrackPoints; ++i) {
        xs[size_t(i)] = Longitude(i);
        ys[size_t(i)] = Latitude(i);
    }
    QImage image(kPicture, kPicture, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        auto* bits = reinterpret_cast<uint32_t*>(image.bits());
        for (int i = 0; i < kTrackPoints; ++i) {
            const int px = std::clamp(static_cast<int>((xs[size_t(i)] - 135.47) / 0.06 * kPicture), 0, kPicture - 1);
            const int py = std::clamp(static_cast<int>((34.73 - ys[size_t(i)]) / 0.06 * kPicture), 0, kPicture - 1);
            bits[py * kPicture + px] = 0;
        }
        benchmark::DoNotOptimize(bits);
    }
}
BENCHMARK(BM_BaselinePlotPoints)->Unit(benchmark::kMillisecond);

void PutChunk(std::string& out, const char* id, const std::string& data)
{
    out.append(id, 4);
    const uint32_t n = static_cast<uint32_t>(data.size());
    for (int b = 0; b < 4; ++b)
        out.push_back(static_cast<char>(n >> (8 * b)));
    out += data;
    if (data.size() % 2)
        out.push_back('\0');
}

bool g_recordingsMade = false;

// 50,000 recordings with a second of sound each, made once.
const std::filesystem::path& RecordingFolder()
{
    static const std::filesystem::path folder = [] {
        const char* base = std::getenv("KIV_BENCH_DIR");
        std::filesystem::path dir =
            std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) /
            ("kiv_voice_bench_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        const std::string sound(16000, '\x80');
        for (int i = 0; i < kRecordings; ++i) {
            char stamp[16];
            std::snprintf(stamp, sizeof stamp, "25%02d%02d%02d%02d%02d", 1 + i % 12, 1 + i % 28, i % 24, i % 60,
                          (i / 60) % 60);
            std::string info("INFO");
            PutChunk(info, "IART", std::string("KIV-406\0", 8));
            PutChunk(info, "INAM", std::string("REC") + stamp + ".wav");
            PutChunk(info, "ICMT", std::to_string(i) + ",0.01");
            std::string body("WAVE");
            PutChunk(body, "LIST", info);
            PutChunk(body, "data", sound);
            std::string file;
            PutChunk(file, "RIFF", body);
            std::ofstream(dir / ("B1REC" + std::to_string(i) + ".wav"), std::ios::binary) << file;
        }
        g_recordingsMade = true;
        return dir;
    }();
    return folder;
}

void BM_ScanVoiceFolder(benchmark::State& state)
{
    const fw::CString folder(RecordingFolder().string());
    for (auto _ : state) {
        std::vector<CVoiceFileTriger> records;
        FindVoiceFiles(folder, fw::CString(), records);
        if (records.size() != kRecordings)
            state.SkipWithError("not every recording was found");
        benchmark::DoNotOptimize(records.data());
    }
}
BENCHMARK(BM_ScanVoiceFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor: the same folder listed, no file opened.
void BM_BaselineListFolder(benchmark::State& state)
{
    const std::filesystem::path& folder = RecordingFolder();
    for (auto _ : state) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}
BENCHMARK(BM_BaselineListFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_recordingsMade) {
        std::error_code ec;
        std::filesystem::remove_all(RecordingFolder(), ec);
    }
    return 0;
}
