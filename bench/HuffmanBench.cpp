// Throughput of the Huffman coder, memory to memory with buffers made once
// and file to file as the cache tanks use it, on the bytes of float channels
// (a noisy sine, steps, a constant), beside zlib at level 1 (and zstd at
// level 1 where its headers are installed) on the same bytes. Decoding
// checks its answer.
//
// The files live in KIV_BENCH_DIR (default: the system's temporary folder).

#include "common/cache/HuffmanFile.h"

#include "framework/core/File.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#ifdef KIV_BENCH_ZSTD
#include <zstd.h>
#endif

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t kSourceBytes = 64u << 20;

// Float channels as an A/D converter delivers them (a 16-bit step of 10 V).
std::vector<uint8_t> Floats(float (*signal)(size_t, std::mt19937&))
{
    std::vector<uint8_t> bytes(kSourceBytes);
    std::mt19937 gen(1);
    for (size_t i = 0; i < kSourceBytes / 4; ++i) {
        float v = signal(i, gen);
        v = std::round(v * 6553.6f) / 6553.6f;
        std::memcpy(&bytes[i * 4], &v, 4);
    }
    return bytes;
}

float SineAndNoise(size_t i, std::mt19937& gen)
{
    std::normal_distribution<float> noise(0.0f, 0.01f);
    return static_cast<float>(std::sin(static_cast<double>(i) * 1e-4) * 5.0) + noise(gen);
}
float Steps(size_t i, std::mt19937&) { return (i / 50000) % 2 == 0 ? 1.0f : 4.0f; }
float Constant(size_t, std::mt19937&) { return 2.5f; }

const std::vector<uint8_t>& Source(int which)
{
    static const std::vector<uint8_t> sine = Floats(SineAndNoise);
    static const std::vector<uint8_t> steps = Floats(Steps);
    static const std::vector<uint8_t> constant = Floats(Constant);
    return which == 0 ? sine : which == 1 ? steps : constant;
}

void Rewind(fw::CMemFile& in, fw::CMemFile& out)
{
    in.SeekToBegin();
    out.SetLength(0);
    out.SeekToBegin();
}

// The buffers are made once: the coder, not the fresh memory of each run,
// is what is timed.
void BM_HuffmanEncode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    fw::CMemFile in{std::span<const uint8_t>(source)};
    fw::CMemFile out(kSourceBytes + (1u << 20));
    CHuffmanFile coder;
    for (auto _ : state) {
        Rewind(in, out);
        coder.EncodeStream(in, out, 4);
        benchmark::DoNotOptimize(out.GetLength());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    state.counters["ratio"] = static_cast<double>(out.GetLength()) / static_cast<double>(source.size());
}

void BM_HuffmanDecode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    fw::CMemFile raw{std::span<const uint8_t>(source)};
    fw::CMemFile packed(kSourceBytes + (1u << 20));
    CHuffmanFile coder;
    coder.EncodeStream(raw, packed, 4);
    const std::vector<uint8_t> coded = packed.Detach();
    fw::CMemFile in{std::span<const uint8_t>(coded)};
    fw::CMemFile out(kSourceBytes + (1u << 20));
    for (auto _ : state) {
        Rewind(in, out);
        coder.DecodeStream(in, out);
        benchmark::DoNotOptimize(out.GetLength());
    }
    if (out.Detach() != source)
        state.SkipWithError("the decoded bytes differ");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

// The baseline: zlib at level 1 over the same bytes, into a reused buffer.
void BM_Zlib1Encode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    std::vector<uint8_t> out(compressBound(static_cast<uLong>(source.size())));
    uLongf length = 0;
    for (auto _ : state) {
        length = static_cast<uLongf>(out.size());
        if (compress2(out.data(), &length, source.data(), static_cast<uLong>(source.size()), 1) != Z_OK)
            state.SkipWithError("zlib failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    state.counters["ratio"] = static_cast<double>(length) / static_cast<double>(source.size());
}

void BM_Zlib1Decode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    std::vector<uint8_t> packed(compressBound(static_cast<uLong>(source.size())));
    uLongf packedLength = static_cast<uLongf>(packed.size());
    compress2(packed.data(), &packedLength, source.data(), static_cast<uLong>(source.size()), 1);
    std::vector<uint8_t> out(source.size());
    for (auto _ : state) {
        uLongf length = static_cast<uLongf>(out.size());
        if (uncompress(out.data(), &length, packed.data(), packedLength) != Z_OK)
            state.SkipWithError("zlib failed");
        benchmark::DoNotOptimize(out.data());
    }
    if (out != source)
        state.SkipWithError("the decoded bytes differ");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

std::string BenchPath(const char* name)
{
    const char* folder = std::getenv("KIV_BENCH_DIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/" + name;
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// File to file as a cache tank's file goes into a document and back; the
// page cache holds the files, so this is the coder plus the file calls.
void BM_HuffmanEncodeFile(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    const std::string raw = BenchPath("kiv_huffman_raw.bin");
    const std::string packed = BenchPath("kiv_huffman_packed.bin");
    WriteBytes(raw, source);
    CHuffmanFile coder;
    for (auto _ : state) {
        if (!coder.CodeFile(fw::CString(raw.c_str()), fw::CString(packed.c_str()), false, 4))
            state.SkipWithError("the coder failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    std::remove(raw.c_str());
    std::remove(packed.c_str());
}

void BM_HuffmanDecodeFile(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    const std::string raw = BenchPath("kiv_huffman_raw.bin");
    const std::string packed = BenchPath("kiv_huffman_packed.bin");
    const std::string back = BenchPath("kiv_huffman_back.bin");
    WriteBytes(raw, source);
    CHuffmanFile coder;
    coder.CodeFile(fw::CString(raw.c_str()), fw::CString(packed.c_str()), false, 4);
    for (auto _ : state) {
        if (!coder.CodeFile(fw::CString(packed.c_str()), fw::CString(back.c_str()), true, 4))
            state.SkipWithError("the coder failed");
    }
    if (ReadBytes(back) != source)
        state.SkipWithError("the decoded bytes differ");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    std::remove(raw.c_str());
    std::remove(packed.c_str());
    std::remove(back.c_str());
}

#ifdef KIV_BENCH_ZSTD
// The second baseline: zstd at level 1, with its context made once.
void BM_Zstd1Encode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    std::vector<uint8_t> out(ZSTD_compressBound(source.size()));
    ZSTD_CCtx* context = ZSTD_createCCtx();
    size_t length = 0;
    for (auto _ : state) {
        length = ZSTD_compressCCtx(context, out.data(), out.size(), source.data(), source.size(), 1);
        if (ZSTD_isError(length))
            state.SkipWithError("zstd failed");
        benchmark::DoNotOptimize(out.data());
    }
    ZSTD_freeCCtx(context);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    state.counters["ratio"] = static_cast<double>(length) / static_cast<double>(source.size());
}

void BM_Zstd1Decode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    std::vector<uint8_t> packed(ZSTD_compressBound(source.size()));
    const size_t packedLength = ZSTD_compress(packed.data(), packed.size(), source.data(), source.size(), 1);
    std::vector<uint8_t> out(source.size());
    ZSTD_DCtx* context = ZSTD_createDCtx();
    for (auto _ : state) {
        if (ZSTD_isError(ZSTD_decompressDCtx(context, out.data(), out.size(), packed.data(), packedLength)))
            state.SkipWithError("zstd failed");
        benchmark::DoNotOptimize(out.data());
    }
    ZSTD_freeDCtx(context);
    if (out != source)
        state.SkipWithError("the decoded bytes differ");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}
BENCHMARK(BM_Zstd1Encode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zstd1Decode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
#endif

} // namespace

// Argument 0: sine and noise, 1: steps, 2: a constant.
BENCHMARK(BM_HuffmanEncode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zlib1Encode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HuffmanDecode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Zlib1Decode)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HuffmanEncodeFile)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HuffmanDecodeFile)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
