// Text exports of measurement data and the per-channel files of a data
// document, each beside the plain writing of the same bytes. The exports
// stream: the writer's buffer is flushed every 64 KiB, so memory does not
// grow with the row count.

#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcClasses.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/resources/ProgramStrings.h"
#include "common/tank/TankClasses.h"
#include "data/model/DataClasses.h"
#include "data/model/DataTextExport.h"
#include "data/model/ExportTextWriter.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/DataDocHost.h"
#include "docbase/doc/KivDocManager.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/Object.h"
#include "grid/model/GridClasses.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRows = 1000000;
constexpr int kColumns = 16;
constexpr int kChannels = 64;

fs::path BenchDir()
{
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("kiv-databench-" + std::to_string(::getpid()));
        fs::create_directories(d / "cache");
        return d;
    }();
    return dir;
}

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
        CCacheDataTank<float>::SetTempFolder(fw::CString((BenchDir() / "cache").string()));
        CCacheDataTank<double>::SetTempFolder(fw::CString((BenchDir() / "cache").string()));
        InstallDataDocHost(&host);
    }
    CKivDocManager manager;
    CDataDocHost host{&manager};
};

Environment& Env()
{
    static Environment env;
    return env;
}

// Values formatted on demand, as the value list formats its cells.
class NumberSheet : public IDataSheetSource {
public:
    int GetColumnCount() const override { return kColumns; }
    int GetRowCount() const override { return kRows; }
    int GetRowHeaderColumns() const override { return 2; }
    fw::CString GetCornerText(int, int) const override { return {}; }
    fw::CString GetColumnHeaderText(int row, int col) const override { return fw::Format("H%d_%d", row, col); }
    fw::CString GetRowHeaderText(int row, int col) const override { return Number(row, col); }
    fw::CString GetCellText(int row, int col) const override { return Number(row, col + 2); }
    int GetColumnChannel(int col) const override { return col; }
    fw::CString GetRecordText(char) const override { return {}; }
    fw::CString GetTimingText(char) const override { return {}; }

    // "%.4f" through std::to_chars: the same text without the locale and
    // format parsing of printf.
    static fw::CString Number(int row, int col)
    {
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, row * 0.001 + col, std::chars_format::fixed, 4).ptr;
        return fw::CString(std::string(text, end));
    }
};

tTextConvParam AllColumns()
{
    tTextConvParam options;
    options.bTitle = false;
    options.firstRow = 1;
    options.lastRow = kRows;
    for (int c = 0; c < kColumns; ++c)
        options.columns.push_back(c);
    return options;
}

void BM_PlainText(benchmark::State& state)
{
    const fs::path path = BenchDir() / "plain.csv";
    for (auto _ : state) {
        FILE* f = std::fopen(path.c_str(), "wb");
        std::string line;
        int64_t bytes = 0;
        for (int r = 0; r < kRows; ++r) {
            line = NumberSheet::Number(r, 0).str() + "," + NumberSheet::Number(r, 1).str();
            for (int c = 0; c < kColumns; ++c)
                line += "," + NumberSheet::Number(r, c + 2).str();
            line += "\r\n";
            std::fwrite(line.data(), 1, line.size(), f);
            bytes += static_cast<int64_t>(line.size());
        }
        std::fclose(f);
        state.SetBytesProcessed(state.bytes_processed() + bytes);
    }
    fs::remove(path);
}
BENCHMARK(BM_PlainText)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Export(benchmark::State& state)
{
    Env();
    CKivDataDoc doc;
    doc.CreateNewContents();
    NumberSheet sheet;
    CDataTextExport exporter(doc, sheet);
    const tTextConvParam options = AllColumns();
    const int kind = static_cast<int>(state.range(0));
    const fs::path path = BenchDir() / (kind == 2 ? "out.hed" : "out.txt");
    for (auto _ : state) {
        fs::remove(path);
        fs::remove(BenchDir() / "out.DAT");
        {
            fw::CFile file(fw::CString(path.string()), fw::CFile::modeCreate | fw::CFile::modeWrite | fw::CFile::typeBinary);
            CExportTextWriter out(file);
            if (kind == 2)
                exporter.WriteDadispText(out, fw::CString(path.string()), options);
            else
                exporter.WriteCsvText(out, kind == 1, options);
            out.Flush();
        }
        std::error_code ec;
        const auto data = fs::file_size(BenchDir() / "out.DAT", ec);
        state.SetBytesProcessed(state.bytes_processed() +
                                static_cast<int64_t>(fs::file_size(path) + (ec ? 0 : data)));
    }
    fs::remove(path);
    fs::remove(BenchDir() / "out.DAT");
}
// 0 TAB list, 1 CSV, 2 the DADiSP pair.
BENCHMARK(BM_Export)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);

// 64 channels of 10^6 values in a document of its own.
std::unique_ptr<CKivDataDoc> MakeChannels()
{
    Env();
    auto doc = std::make_unique<CKivDataDoc>();
    doc->CreateNewContents();
    CKivSPTankData& list = doc->GetBoxArray().GetTankList();
    list.SetDataCount(kRows, true);
    list.SetChannelCount(kChannels);
    for (int ch = 0; ch < kChannels; ++ch) {
        CDataTankObject* tank = list.GetObjectAt(ch);
        for (int i = 0; i < kRows; i += 997)
            tank->SetValue(i, ch + i * 0.5);
    }
    return doc;
}

void ChannelFiles(benchmark::State& state, bool compress)
{
    auto doc = MakeChannels();
    CKivDataBoxArray& boxes = doc->GetBoxArray();
    boxes.SetCompressFiles(compress);
    const fs::path folder = BenchDir() / "channels";
    fs::create_directories(folder);
    fw::CMemFile mem;
    using Clock = std::chrono::steady_clock;
    Clock::duration saving{};
    Clock::duration loading{};
    for (auto _ : state) {
        const auto start = Clock::now();
        {
            fw::CArchive ar(&mem, fw::CArchive::store);
            ar.m_pDocument = doc.get();
            for (int ch = 0; ch < kChannels; ++ch)
                boxes.SaveOrLoadChannelFile(ar, fw::fs::PathJoin(folder.string(), fw::Format("CH%d", ch + 1)),
                                            boxes.GetTankList().GetObjectAt(ch));
            boxes.CommitChannelFiles();
        }
        const auto saved = Clock::now();
        {
            fw::CMemFile empty;
            fw::CArchive ar(&empty, fw::CArchive::load);
            ar.m_pDocument = doc.get();
            for (int ch = 0; ch < kChannels; ++ch)
                boxes.SaveOrLoadChannelFile(ar, fw::fs::PathJoin(folder.string(), fw::Format("CH%d", ch + 1)),
                                            boxes.GetTankList().GetObjectAt(ch));
        }
        saving += saved - start;
        loading += Clock::now() - saved;
        state.SetBytesProcessed(state.bytes_processed() + int64_t(2) * kChannels * kRows * int64_t(sizeof(float)));
    }
    // Saving and loading apart: each has to keep its own pace.
    const auto ms = [&](Clock::duration d) {
        return std::chrono::duration<double, std::milli>(d).count() / static_cast<double>(state.iterations());
    };
    state.counters["save_ms"] = ms(saving);
    state.counters["load_ms"] = ms(loading);
    fs::remove_all(folder);
}

void BM_ChannelFiles(benchmark::State& state) { ChannelFiles(state, false); }
void BM_ChannelFilesCompressed(benchmark::State& state) { ChannelFiles(state, true); }
BENCHMARK(BM_ChannelFiles)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ChannelFilesCompressed)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same bytes written and read back with plain stdio.
void BM_PlainChannelFiles(benchmark::State& state)
{
    const fs::path folder = BenchDir() / "plain";
    fs::create_directories(folder);
    std::vector<float> values(kRows, 1.5f);
    for (auto _ : state) {
        for (int ch = 0; ch < kChannels; ++ch) {
            const fs::path p = folder / ("CH" + std::to_string(ch + 1));
            FILE* f = std::fopen(p.c_str(), "wb");
            std::fwrite(values.data(), sizeof(float), values.size(), f);
            std::fclose(f);
            f = std::fopen(p.c_str(), "rb");
            std::fread(values.data(), sizeof(float), values.size(), f);
            std::fclose(f);
        }
        state.SetBytesProcessed(state.bytes_processed() + int64_t(2) * kChannels * kRows * int64_t(sizeof(float)));
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_PlainChannelFiles)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
