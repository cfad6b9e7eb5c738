// Long runs of one byte or of one eight-byte word and runs of short codes
// take the coder's shortcuts (several copies of a word at once both ways,
// whole input words of a one-bit code on the way out); the bytes written
// must be those of coding every byte on its own, and must expand to the
// source.

#include "common/cache/HuffmanFile.h"

#include "framework/core/File.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class BitWriter {
public:
    void Put(bool bit)
    {
        if (m_used == 8) {
            m_bytes.push_back(0);
            m_used = 0;
        }
        if (bit)
            m_bytes.back() |= static_cast<uint8_t>(0x80 >> m_used);
        ++m_used;
    }
    void PutByte(uint8_t b)
    {
        for (int i = 7; i >= 0; --i)
            Put((b >> i) & 1);
    }
    Bytes Finish(size_t unit)
    {
        while (m_bytes.size() % unit)
            m_bytes.push_back(0);
        return m_bytes;
    }
    Bytes m_bytes;
    int m_used = 8;
};

// The coded form written bit by bit from the coder's own tree.
Bytes ReferenceCode(const Bytes& source, int unit)
{
    std::array<uint64_t, CHuffmanFile::kLeafCount> freq{};
    for (uint8_t b : source)
        ++freq[b];
    CHuffmanFile tree;
    const int root = tree.BuildTree(freq);
    BitWriter out;
    for (int i = 0; i < 8; ++i)
        out.m_bytes.push_back(static_cast<uint8_t>(uint64_t{source.size()} >> (8 * i)));
    const auto writeTree = [&](auto&& self, int node) -> void {
        if (node < CHuffmanFile::kLeafCount) {
            out.Put(false);
            out.PutByte(static_cast<uint8_t>(node));
            return;
        }
        out.Put(true);
        self(self, tree.LeftChild(node));
        self(self, tree.RightChild(node));
    };
    writeTree(writeTree, root);
    std::array<std::vector<bool>, CHuffmanFile::kLeafCount> codes;
    for (int b = 0; b < CHuffmanFile::kLeafCount; ++b) {
        for (int node = b; node != root && tree.Parent(node) != 0;) {
            const int p = tree.Parent(node);
            codes[b].insert(codes[b].begin(), p < 0);
            node = p < 0 ? -p : p;
        }
    }
    for (uint8_t b : source)
        for (bool bit : codes[b])
            out.Put(bit);
    return out.Finish(static_cast<size_t>(unit));
}

Bytes Encode(const Bytes& source, int unit)
{
    fw::CMemFile in{std::span<const uint8_t>(source)};
    fw::CMemFile out;
    CHuffmanFile coder;
    coder.EncodeStream(in, out, unit);
    return out.Detach();
}

Bytes Decode(const Bytes& coded)
{
    fw::CMemFile in{std::span<const uint8_t>(coded)};
    fw::CMemFile out;
    CHuffmanFile coder;
    coder.DecodeStream(in, out);
    return out.Detach();
}

// Mostly one byte, with others scattered: a sparse channel's floats.
Bytes Sparse(size_t n, int others, uint32_t seed, uint8_t common)
{
    std::mt19937 gen(seed);
    Bytes b(n, common);
    for (size_t i = 0; others > 0 && i < n; i += 1 + gen() % static_cast<uint32_t>(others))
        b[i] = static_cast<uint8_t>(gen());
    return b;
}

struct RunCase {
    std::string name;
    Bytes source;
};

std::vector<RunCase> RunCases()
{
    Bytes blocks;
    // Runs of a two- to four-bit code between runs of others.
    for (int k = 0; k < 3000; ++k)
        blocks.insert(blocks.end(), static_cast<size_t>(1 + k % 37), static_cast<uint8_t>(k % 5));
    // Empty floats (00 00 80 7F) with a value now and then: codes of two
    // bits, several to one table index.
    Bytes empty;
    std::mt19937 gen(5);
    for (int k = 0; k < 100003; ++k) {
        const uint8_t word[4] = {0, 0, 0x80, 0x7F};
        for (uint8_t b : word)
            empty.push_back(k % 97 == 0 ? static_cast<uint8_t>(gen()) : b);
    }
    // Empty doubles (00 .. F0 7F): runs of an eight-byte word.
    Bytes emptyDoubles;
    for (int k = 0; k < 40009; ++k) {
        const uint8_t word[8] = {0, 0, 0, 0, 0, 0, 0xF0, 0x7F};
        for (uint8_t b : word)
            emptyDoubles.push_back(k % 211 == 0 ? static_cast<uint8_t>(gen()) : b);
    }
    // Runs of a word of every length from one byte to a few hundred, so
    // that runs end inside the words and blocks taken at once.
    Bytes wordRuns;
    for (int len = 1; len < 400; len += 1 + len / 16) {
        const uint8_t word[8] = {static_cast<uint8_t>(len % 3), 0, 0x80, 0x3F, static_cast<uint8_t>(len % 2), 0, 0x80, 0x3F};
        for (int i = 0; i < len; ++i)
            wordRuns.push_back(word[i % 8]);
        wordRuns.push_back(static_cast<uint8_t>(gen()));
    }
    // Noise with a word of eight rare bytes repeated in it: the codes of one
    // copy are longer than a run may take at once.
    Bytes rareWord;
    for (int k = 0; k < 30000; ++k)
        rareWord.push_back(static_cast<uint8_t>(gen() % 200));
    for (int k = 0; k < 64; ++k)
        for (uint8_t b = 200; b < 208; ++b)
            rareWord.push_back(b);
    for (int k = 0; k < 30000; ++k)
        rareWord.push_back(static_cast<uint8_t>(gen() % 200));
    return {
        {"EmptyFloatsWithRareValues", empty},
        {"EmptyDoublesWithRareValues", emptyDoubles},
        {"WordRunsOfEveryLength", wordRuns},
        {"RepeatedWordOfLongCodes", rareWord},
        {"LongRunsOfOnesAcrossBufferEnds", Sparse(3 * 64 * 1024 + 77, 30000, 6, 0xFF)},
        {"LongRunsOfZerosAcrossBufferEnds", Sparse(3 * 64 * 1024 + 77, 30000, 7, 0)},
        {"ZerosWithRareValues", Sparse(4 * 997 * 301 + 5, 997, 1, 0)},
        {"OnesCodedAsRightChild", Sparse(200003, 50, 2, 0xFF)},
        {"DenseNoise", Sparse(70001, 2, 3, 0x40)},
        {"ShortRunsOfSeveralBytes", blocks},
        {"RunAcrossTheBufferEnd", Sparse(64 * 1024 * 2 + 31, 64 * 1024 - 3, 4, 0)},
    };
}

class HuffmanRuns : public ::testing::TestWithParam<RunCase> {};

TEST_P(HuffmanRuns, CodeBitForBitAndExpandToTheSource)
{
    const Bytes& source = GetParam().source;
    for (int unit : {4, 8}) {
        SCOPED_TRACE(unit);
        const Bytes coded = Encode(source, unit);
        EXPECT_EQ(coded, ReferenceCode(source, unit));
        EXPECT_EQ(Decode(coded), source);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, HuffmanRuns, ::testing::ValuesIn(RunCases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
