// The frequency records of a full control unit: 80 PEAK/V analyses of
// 200 + 200 slices. The import of its header and count file, the save and
// load of its frequency-data file, and its VO-8025 CSV file with every
// block (each analysis also apart), each against a baseline in the same
// binary that only moves the same bytes.
//
// Files live in KIV_BENCH_DIR (default: the system's temporary folder).

#include "common/base/CommonBaseClasses.h"
#include "common/tank/TankClasses.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/Object.h"
#include "framework/core/testing/ServiceScope.h"
#include "frequency/document/FrequencyDocClasses.h"
#include "frequency/document/HistDoc.h"
#include "frequency/document/HistOutParam.h"
#include "frequency/model/FrequencyModelClasses.h"
#include "frequency/model/HistCountArray.h"
#include "grid/model/GridClasses.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kSeries = 80;
constexpr int kSlices = 200;
constexpr int kCountsPerSeries = 2 * (kSlices + kSlices);

void RegisterOnce()
{
    static const bool registered = [] {
        fw::RegisterClasses();
        RegisterCommonBaseClasses();
        RegisterTankClasses();
        RegisterGridClasses();
        RegisterFrequencyModelClasses();
        RegisterFrequencyDocClasses();
        return true;
    }();
    (void)registered;
}

std::filesystem::path BenchFolder()
{
    const char* folder = std::getenv("KIV_BENCH_DIR");
    std::filesystem::path root = folder ? folder : std::filesystem::temp_directory_path();
    root /= "kiv-frequency-bench";
    std::filesystem::create_directories(root);
    return root;
}

std::string Header()
{
    std::string series;
    for (int i = 1; i <= kSeries; ++i)
        series += (i > 1 ? "," : "") + std::string("DN_") + std::to_string(i);
    std::string channels;
    for (int i = 1; i <= kSeries; ++i)
        channels += (i > 1 ? "," : "") + std::to_string(i);
    const std::pair<const char*, std::string> keys[] = {
        {"SERIES", series}, {"NUM_SERIES", "80"}, {"RATE", "1000"}, {"OPERATION", "PEAK/V"},
        {"INPUT_CH", channels}, {"FULLSCALE", "2000"}, {"HYSTERISYS", "100"}, {"SLICE_XP", "200"},
        {"SLICE_XM", "200"}, {"MCL", "0"}, {"TIME_SAMPLE", "10"}, {"SENSOR_MODE", "33"},
        {"ATTENATE", "20000"}, {"FILTER", "300"}, {"F_PROPERTY", "1"}, {"AC_COUPLE", "0.5"}, {"DMC", "0"},
        {"RJC", "1"}, {"CAPACITY", "5"}, {"RATED_OUT", "2.5"}, {"COEFFICIENT", "0.5"}, {"POINT", "1"},
        {"PHY_UNITS", "kgf"}, {"INT_RESOLUTION", "1"},
    };
    std::string text;
    for (const auto& [key, value] : keys)
        text += std::string(key) + " " + value + "\r\n";
    return text;
}

std::vector<uint8_t> CountFile()
{
    std::vector<uint8_t> bytes(256 + 40 * kSeries, 0);
    const uint8_t start[] = {9, 3, 4, 5, 6, 7};
    std::memcpy(bytes.data(), start, sizeof start);
    std::memcpy(bytes.data() + 8, start, sizeof start);
    for (int i = 0; i < kSeries; ++i) {
        const int16_t extremes[] = {1200, -800, 150};
        std::memcpy(bytes.data() + 256 + 8 * kSeries + 32 * i, extremes, sizeof extremes);
    }
    for (int i = 0; i < kSeries * kCountsPerSeries; ++i) {
        const uint32_t count = static_cast<uint32_t>((i * 7919) % 100000);
        const auto* p = reinterpret_cast<const uint8_t*>(&count);
        bytes.insert(bytes.end(), p, p + 4);
    }
    return bytes;
}

struct Record {
    std::string header = Header();
    std::vector<uint8_t> counts = CountFile();
};

const Record& SharedRecord()
{
    static const Record record;
    return record;
}

CHistCountArray* Import()
{
    const Record& r = SharedRecord();
    auto* a = new CHistCountArray;
    if (!a->ReadHedHeader(r.header.c_str(), 0) || !a->ReadDatCounts(r.counts, 0))
        std::abort();
    return a;
}

// Baseline: the counts copied once into doubles, as a table needs them.
void BM_CopyCountsAsDoubles(benchmark::State& state)
{
    const Record& r = SharedRecord();
    const size_t n = (r.counts.size() - 256 - 40 * kSeries) / 4;
    std::vector<double> table(n * 2);
    for (auto _ : state) {
        const uint8_t* p = r.counts.data() + 256 + 40 * kSeries;
        for (size_t i = 0; i < n; ++i) {
            uint32_t c;
            std::memcpy(&c, p + 4 * i, 4);
            table[i] = c;
        }
        benchmark::DoNotOptimize(table.data());
    }
}
BENCHMARK(BM_CopyCountsAsDoubles)->Unit(benchmark::kMillisecond);

// Target 5 ms.
void BM_ImportHeaderAndCounts(benchmark::State& state)
{
    RegisterOnce();
    for (auto _ : state) {
        std::unique_ptr<CHistCountArray> a(Import());
        benchmark::DoNotOptimize(a.get());
    }
}
BENCHMARK(BM_ImportHeaderAndCounts)->Unit(benchmark::kMillisecond);

std::string SavedFile(CHistDoc& doc)
{
    const auto folder = BenchFolder();
    const auto path = folder / "H090304050607.kivh";
    std::filesystem::remove(path);
    doc.CreateNewContents();
    if (!doc.CreateFile(fw::CString(folder.string()), {}, "bench", Import(), "HIST.DAT"))
        std::abort();
    return doc.GetPathName().str();
}

// Baseline: the same number of bytes written and synced as one block.
void BM_WriteSameBytesRaw(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    CHistDoc doc;
    const std::string path = SavedFile(doc);
    const std::vector<char> bytes(std::filesystem::file_size(path), 'x');
    const auto raw = BenchFolder() / "raw.bin";
    for (auto _ : state) {
        fw::CFile file;
        file.Open(fw::CString(raw.string()), fw::CFile::modeCreate | fw::CFile::modeWrite);
        file.Write(bytes.data(), bytes.size());
        file.Flush();
        file.Close();
    }
    std::filesystem::remove(raw);
    std::filesystem::remove(path);
}
BENCHMARK(BM_WriteSameBytesRaw)->Unit(benchmark::kMillisecond);

// Target 50 ms: a new frequency-data file for the record.
void BM_SaveKivh(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    for (auto _ : state) {
        CHistDoc doc;
        const std::string path = SavedFile(doc);
        state.PauseTiming();
        std::filesystem::remove(path);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SaveKivh)->Unit(benchmark::kMillisecond);

// Target 50 ms: the file read back into a document.
void BM_LoadKivh(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    CHistDoc saved;
    const std::string path = SavedFile(saved);
    for (auto _ : state) {
        CHistDoc doc;
        fw::CFile file;
        file.Open(fw::CString(path), fw::CFile::modeRead);
        fw::CArchive ar(&file, fw::CArchive::load);
        doc.Serialize(ar);
        benchmark::DoNotOptimize(doc.GetHistCountArray());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadKivh)->Unit(benchmark::kMillisecond);

// Target 300 ms: every block, every analysis also in a block of its own.
void BM_Vo8025EveryBlock(benchmark::State& state)
{
    RegisterOnce();
    fw::test::ServiceScope services;
    CHistDoc doc;
    doc.CreateNewContents();
    doc.CreateFile({}, {}, "bench", Import(), "HIST.DAT");
    CHistOutParam options;
    options.m_inputChannels = options.m_conditions = options.m_mmData = 1;
    options.m_selection.assign(kSeries, true);
    const auto path = BenchFolder() / "bench.csv";
    for (auto _ : state) {
        if (!doc.Write8025CsvFile(fw::CString(path.string()), options))
            std::abort();
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_Vo8025EveryBlock)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
