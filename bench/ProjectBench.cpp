// The measurement project's own costs: saving and opening a project of four
// full control units whose every calculated channel is named and whose
// history holds 50,000 steps, and rebuilding the history from a data folder
// of 1,000 recordings. Each has a baseline in this binary: the same number
// of bytes written and read as one plain file, and the same folder listed
// and its files read without building a history.
//
// Files go to KIV_BENCH_DIR (default: the system's temporary folder).

#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcClasses.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/TankClasses.h"
#include "framework/core/Object.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/testing/ServiceScope.h"
#include "grid/model/GridClasses.h"
#include "instrument/check/CheckClasses.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "project/model/DataHeaderReader.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kBoxes = 4;
constexpr int kSteps = 50000;
constexpr int kRecordings = 1000;

fs::path BenchDir()
{
    const char* dir = std::getenv("KIV_BENCH_DIR");
    fs::path root = dir ? fs::path(dir) : fs::temp_directory_path();
    root /= "kiv_project_bench";
    fs::create_directories(root);
    return root;
}

class CBenchHost : public IProjectHost {
public:
    CBenchHost()
    {
        profile.SetCount(kBoxes);
        for (auto& types : profile.m_unitTypes)
            for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
                types.SetAt(p, 1);
    }
    CMeterInterfacePrf& MeterProfile() override { return profile; }
    CADSetPrf& AdDefaults() override { return adSet; }
    CMeterInterfacePrf profile;
    CADSetPrf adSet;
};

// Reads "start title" files, as the data documents' header reader would
// read their headers.
class CBenchHeaderReader : public IDataHeaderReader {
public:
    bool ReadHeader(const fw::CString& path, CMMAHeader& header) override
    {
        std::ifstream in(path.str());
        std::string title;
        if (!(in >> header.startTime >> title))
            return false;
        header.title = fw::CString(title);
        for (int16_t c = 0; c < 16; ++c) {
            CMMAHeader::Channel channel;
            channel.number = c;
            channel.name = fw::CString("CH" + std::to_string(c + 1));
            channel.valueType = 'F';
            channel.max = header.startTime;
            header.channels.push_back(channel);
        }
        return true;
    }
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
        CCacheDataTank<float>::SetTempFolder(BenchDir().c_str());
        CCacheDataTank<double>::SetTempFolder(BenchDir().c_str());
        fw::Install<IProjectHost>(&host);
        fw::Install<IDataHeaderReader>(&reader);
    }
    fw::test::ServiceScope services;
    CBenchHost host;
    CBenchHeaderReader reader;
};

Environment& Env()
{
    static Environment env;
    return env;
}

// Four full control units, every calculated channel named, 50,000 steps.
std::unique_ptr<CKIV5980Doc> BigProject()
{
    Env();
    auto doc = std::make_unique<CKIV5980Doc>();
    if (!doc->OnNewDocument())
        return nullptr;
    for (int row = 0; row < CKIV5980Doc::kCalcRows; ++row)
        doc->SetCalcChannelText(0, row, fw::CString("NO" + std::to_string(row + 1)), nullptr);
    CMMAObject& history = doc->GetHistory();
    history.Grow(kSteps - 1);
    for (int s = 0; s < kSteps; ++s) {
        history.SetStepTime(s, 45000 + s / 1440.0);
        history.SetDataFileName(s, fw::CString("D" + std::to_string(s)));
    }
    doc->RefreshHistoryChannels(false);
    return doc;
}

void BM_ProjectSave(benchmark::State& state)
{
    auto doc = BigProject();
    const fw::CString path((BenchDir() / "big.kivp").string());
    for (auto _ : state)
        benchmark::DoNotOptimize(doc->OnSaveDocument(path));
    state.counters["bytes"] = static_cast<double>(fs::file_size(path.str()));
}
BENCHMARK(BM_ProjectSave)->Unit(benchmark::kMillisecond);

void BM_ProjectOpen(benchmark::State& state)
{
    {
        auto doc = BigProject();
        doc->OnSaveDocument(fw::CString((BenchDir() / "big.kivp").string()));
    }
    const fw::CString path((BenchDir() / "big.kivp").string());
    for (auto _ : state) {
        CKIV5980Doc doc;
        benchmark::DoNotOptimize(doc.OnOpenDocument(path));
    }
}
BENCHMARK(BM_ProjectOpen)->Unit(benchmark::kMillisecond);

// Baseline: the project file's bytes written and read back as one file.
void BM_ProjectFileBytesBaseline(benchmark::State& state)
{
    const fs::path source = BenchDir() / "big.kivp";
    if (!fs::exists(source)) {
        auto doc = BigProject();
        doc->OnSaveDocument(fw::CString(source.string()));
    }
    std::ifstream in(source, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const fs::path copy = BenchDir() / "plain.bin";
    for (auto _ : state) {
        std::ofstream(copy, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        std::ifstream back(copy, std::ios::binary);
        std::string read((std::istreambuf_iterator<char>(back)), {});
        benchmark::DoNotOptimize(read.data());
    }
}
BENCHMARK(BM_ProjectFileBytesBaseline)->Unit(benchmark::kMillisecond);

// A project beside a data folder of 1,000 recordings.
fs::path DataFolderProject(std::unique_ptr<CKIV5980Doc>& doc)
{
    Env();
    const fs::path project = BenchDir() / "rec.kivp";
    const fs::path data = BenchDir() / "rec_DATA";
    if (!fs::exists(data / ("D" + std::to_string(kRecordings - 1)))) {
        for (int i = 0; i < kRecordings; ++i) {
            const std::string name = "D" + std::to_string(i);
            fs::create_directories(data / name);
            std::ofstream(data / name / (name + ".kivd")) << 45000 + (kRecordings - i) / 1440.0 << " t" << i;
        }
    }
    doc = std::make_unique<CKIV5980Doc>();
    doc->OnNewDocument();
    doc->SetPathName(fw::CString(project.string()), false);
    return data;
}

void BM_HistoryRebuild(benchmark::State& state)
{
    std::unique_ptr<CKIV5980Doc> doc;
    DataFolderProject(doc);
    for (auto _ : state)
        doc->RebuildHistoryFromDataFiles();
    state.counters["steps"] = doc->GetHistory().GetLastIndex() + 1;
}
BENCHMARK(BM_HistoryRebuild)->Unit(benchmark::kMillisecond);

// Baseline: the same folder listed and every data file read, nothing kept.
void BM_DataFolderReadBaseline(benchmark::State& state)
{
    std::unique_ptr<CKIV5980Doc> doc;
    const fs::path data = DataFolderProject(doc);
    for (auto _ : state) {
        size_t total = 0;
        for (const auto& entry : fs::directory_iterator(data)) {
            const std::string name = entry.path().filename().string();
            std::ifstream in(entry.path() / (name + ".kivd"));
            std::stringstream text;
            text << in.rdbuf();
            total += text.str().size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_DataFolderReadBaseline)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
