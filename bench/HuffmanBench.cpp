// Throughput of the Huffman coder, memory to memory, on the bytes of a
// measured float channel (a noisy sine) and on random bytes.

#include "common/cache/HuffmanFile.h"

#include "framework/core/File.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr size_t kSourceBytes = 64u << 20;

std::vector<uint8_t> ChannelBytes()
{
    std::vector<uint8_t> bytes(kSourceBytes);
    std::mt19937 gen(1);
    std::normal_distribution<float> noise(0.0f, 0.01f);
    for (size_t i = 0; i < kSourceBytes / 4; ++i) {
        // Quantised as an A/D converter delivers it: a 16-bit step of 10 V.
        float v = static_cast<float>(std::sin(static_cast<double>(i) * 1e-4) * 5.0) + noise(gen);
        v = std::round(v * 6553.6f) / 6553.6f;
        std::memcpy(&bytes[i * 4], &v, 4);
    }
    return bytes;
}

std::vector<uint8_t> RandomBytes()
{
    std::vector<uint8_t> bytes(kSourceBytes);
    std::mt19937 gen(2);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(gen());
    return bytes;
}

const std::vector<uint8_t>& Source(int which)
{
    static const std::vector<uint8_t> channel = ChannelBytes();
    static const std::vector<uint8_t> random = RandomBytes();
    return which == 0 ? channel : random;
}

void BM_HuffmanEncode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    fw::CMemFile in{std::span<const uint8_t>(source)};
    CHuffmanFile coder;
    size_t coded = 0;
    for (auto _ : state) {
        fw::CMemFile out(16u << 20);
        coder.EncodeStream(in, out, 4);
        coded = out.GetLength();
        benchmark::DoNotOptimize(coded);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
    state.counters["ratio"] = static_cast<double>(coded) / static_cast<double>(source.size());
}

void BM_HuffmanDecode(benchmark::State& state)
{
    const auto& source = Source(static_cast<int>(state.range(0)));
    fw::CMemFile raw{std::span<const uint8_t>(source)};
    fw::CMemFile packed(16u << 20);
    CHuffmanFile coder;
    coder.EncodeStream(raw, packed, 4);
    const std::vector<uint8_t> coded = packed.Detach();
    fw::CMemFile in{std::span<const uint8_t>(coded)};
    for (auto _ : state) {
        fw::CMemFile out(16u << 20);
        coder.DecodeStream(in, out);
        benchmark::DoNotOptimize(out.GetLength());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

} // namespace

// Argument 0: channel bytes, 1: random bytes.
BENCHMARK(BM_HuffmanEncode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HuffmanDecode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
