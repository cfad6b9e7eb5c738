#include "common/cache/HuffmanFile.h"

#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Packs a text of '0' and '1' (blanks ignored) most significant bit first,
// the last byte completed with zero bits.
Bytes PackBits(const std::string& bits)
{
    Bytes out;
    int used = 8;
    for (char c : bits) {
        if (c == ' ')
            continue;
        if (used == 8) {
            out.push_back(0);
            used = 0;
        }
        if (c == '1')
            out.back() |= static_cast<uint8_t>(0x80 >> used);
        ++used;
    }
    return out;
}

std::string ByteBits(uint8_t b)
{
    std::string s;
    for (int i = 7; i >= 0; --i)
        s += (b >> i) & 1 ? '1' : '0';
    return s;
}

// The 8-byte length, then the packed bits, then zero bytes to the unit.
Bytes CodedForm(uint64_t length, const std::string& bits, int unit)
{
    Bytes out;
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<uint8_t>(length >> (8 * i)));
    Bytes packed = PackBits(bits);
    out.insert(out.end(), packed.begin(), packed.end());
    while (out.size() % unit)
        out.push_back(0);
    return out;
}

Bytes Encode(const Bytes& source, int unit)
{
    fw::CMemFile in{std::span<const uint8_t>(source)};
    fw::CMemFile out;
    CHuffmanFile coder;
    coder.EncodeStream(in, out, unit);
    return out.Detach();
}

Bytes Decode(const Bytes& coded, uint64_t maxLength = UINT64_MAX)
{
    fw::CMemFile in{std::span<const uint8_t>(coded)};
    fw::CMemFile out;
    CHuffmanFile coder;
    coder.DecodeStream(in, out, maxLength);
    return out.Detach();
}

Bytes RandomBytes(size_t n, uint32_t seed)
{
    std::mt19937 gen(seed);
    Bytes b(n);
    for (auto& x : b)
        x = static_cast<uint8_t>(gen());
    return b;
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes ReadFile(const std::filesystem::path& path)
{
    std::ifstream f(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// --- round trips -------------------------------------------------------------

struct RoundTripCase {
    const char* name;
    Bytes source;
};

Bytes AllSymbolsSkewed()
{
    Bytes b;
    for (int v = 0; v < 256; ++v)
        b.insert(b.end(), static_cast<size_t>(1 + (v * v) % 97), static_cast<uint8_t>(v));
    return b;
}

Bytes FloatRamp()
{
    Bytes b;
    for (int i = 0; i < 50000; ++i) {
        float f = static_cast<float>(std::sin(i * 0.001) * 100.0);
        uint8_t raw[4];
        std::memcpy(raw, &f, 4);
        b.insert(b.end(), raw, raw + 4);
    }
    return b;
}

Bytes FibonacciSkew()
{
    // Frequencies 1, 1, 2, 3, 5 ... give the deepest tree a real file can
    // have: codes far longer than the decoding table.
    Bytes b;
    uint64_t f0 = 1, f1 = 1;
    for (int v = 0; v < 24; ++v) {
        b.insert(b.end(), static_cast<size_t>(f0), static_cast<uint8_t>(v));
        uint64_t next = f0 + f1;
        f0 = f1;
        f1 = next;
    }
    std::shuffle(b.begin(), b.end(), std::mt19937(7));
    return b;
}

std::vector<RoundTripCase> RoundTripCases()
{
    Bytes all;
    for (int v = 0; v < 256; ++v)
        all.push_back(static_cast<uint8_t>(v));
    return {
        {"Empty", {}},
        {"OneByte", {0x5A}},
        {"OneSymbolRepeated", Bytes(100000, 0xC3)},
        {"TwoSymbols", {1, 2, 2, 1, 1, 1, 2}},
        {"AllSymbolsOnce", all},
        {"AllSymbolsSkewed", AllSymbolsSkewed()},
        {"Random", RandomBytes(300001, 42)},
        {"FloatRamp", FloatRamp()},
        {"FibonacciSkew", FibonacciSkew()},
    };
}

class HuffmanRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(HuffmanRoundTrip, ExpandsToTheSourceWithEitherUnit)
{
    const Bytes& source = GetParam().source;
    for (int unit : {4, 8}) {
        SCOPED_TRACE(unit);
        Bytes coded = Encode(source, unit);
        EXPECT_EQ(coded.size() % unit, 0u);
        uint64_t stored = 0;
        for (int i = 0; i < 8; ++i)
            stored |= uint64_t{coded[i]} << (8 * i);
        EXPECT_EQ(stored, source.size());
        EXPECT_EQ(Decode(coded), source);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, HuffmanRoundTrip, ::testing::ValuesIn(RoundTripCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HuffmanFile, CodeFileRoundTripsRealFiles)
{
    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    const Bytes source = FloatRamp();
    WriteFile(dir / "raw", source);
    CHuffmanFile coder;
    ASSERT_TRUE(coder.CodeFile((dir / "raw").string(), (dir / "packed").string(), false, 4));
    const Bytes packed = ReadFile(dir / "packed");
    EXPECT_EQ(packed, Encode(source, 4));
    EXPECT_LT(packed.size(), source.size());
    ASSERT_TRUE(coder.CodeFile((dir / "packed").string(), (dir / "back").string(), true, 1));
    EXPECT_EQ(ReadFile(dir / "back"), source);
    EXPECT_EQ(services.prompt.Problems(), "");
}

// --- exact forms -------------------------------------------------------------

struct FormCase {
    const char* name;
    Bytes source;
    int unit;
    std::string bits;  // tree and data
};

std::vector<FormCase> FormCases()
{
    const std::string leafA = "0" + ByteBits('A');
    const std::string leafB = "0" + ByteBits('B');
    return {
        // The tree of the single leaf 0, nothing else.
        {"EmptyUnit4", {}, 4, "0" + ByteBits(0)},
        {"EmptyUnit8", {}, 8, "0" + ByteBits(0)},
        // One leaf, no data bits.
        {"OneSymbol", Bytes(5, 'A'), 4, leafA},
        // B is more frequent, so A (taken first from the heap) is left: 0.
        {"TwoSymbols", {'A', 'B', 'B'}, 4, "1" + leafA + leafB + "011"},
        // Equal counts: the one on top of the heap first (the smaller byte)
        // becomes the left child.
        {"EqualCounts", {'B', 'A'}, 8, "1" + leafA + leafB + "10"},
    };
}

class HuffmanForm : public ::testing::TestWithParam<FormCase> {};

TEST_P(HuffmanForm, WritesTheLayout)
{
    const FormCase& c = GetParam();
    EXPECT_EQ(Encode(c.source, c.unit), CodedForm(c.source.size(), c.bits, c.unit));
    EXPECT_EQ(Decode(CodedForm(c.source.size(), c.bits, c.unit)), c.source);
}

INSTANTIATE_TEST_SUITE_P(Layouts, HuffmanForm, ::testing::ValuesIn(FormCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HuffmanFile, EmptySourceGivesTwelveOrSixteenZeroBytes)
{
    EXPECT_EQ(Encode({}, 4), Bytes(12, 0));
    EXPECT_EQ(Encode({}, 8), Bytes(16, 0));
}

TEST(HuffmanFile, TreeKeepsBytesCountedBeyondThirtyTwoBits)
{
    // A count of 2^32 must not wrap to zero and drop its byte from the tree.
    std::array<uint64_t, CHuffmanFile::kLeafCount> freq{};
    freq['a'] = uint64_t{1} << 32;
    freq['b'] = 1;
    freq['c'] = 1;
    CHuffmanFile coder;
    const int root = coder.BuildTree(freq);
    EXPECT_GE(root, CHuffmanFile::kLeafCount);
    EXPECT_NE(coder.Parent('a'), 0);
    // 'a' outweighs the other two together, so it hangs right of the root.
    EXPECT_EQ(coder.RightChild(root), 'a');
}

// --- damaged coded files -------------------------------------------------------

struct DamageCase {
    const char* name;
    Bytes coded;
};

Bytes WithLength(Bytes coded, uint64_t length)
{
    for (int i = 0; i < 8; ++i)
        coded[i] = static_cast<uint8_t>(length >> (8 * i));
    return coded;
}

Bytes Cut(Bytes coded, size_t keep)
{
    coded.resize(keep);
    return coded;
}

std::vector<DamageCase> DamageCases()
{
    const Bytes good = Encode(RandomBytes(5000, 9), 4);
    return {
        {"NoBytes", {}},
        {"HalfLength", Cut(good, 4)},
        {"LengthOnly", Cut(good, 8)},
        {"InsideTree", Cut(good, 40)},
        {"InsideData", Cut(good, good.size() / 2)},
        {"LastDataByteMissing", Cut(good, good.size() - 4)},
        // The stored length asks for more bytes than the bits can carry.
        {"LengthTooLarge", WithLength(good, uint64_t{1} << 40)},
        {"LengthSomewhatTooLarge", WithLength(good, 5100)},
        // Decoding would stop early and leave most of the data unread.
        {"LengthTooSmall", WithLength(good, 100)},
    };
}

class HuffmanDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(HuffmanDamage, IsReportedAsBadData)
{
    EXPECT_THROW(Decode(GetParam().coded), fw::CArchiveException);
}

INSTANTIATE_TEST_SUITE_P(Inputs, HuffmanDamage, ::testing::ValuesIn(DamageCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HuffmanFile, EveryCutOfASmallFileFails)
{
    const Bytes good = Encode({'x', 'y', 'y', 'z', 'z', 'z', 'z'}, 1);
    for (size_t keep = 0; keep < good.size(); ++keep) {
        SCOPED_TRACE(keep);
        EXPECT_THROW(Decode(Cut(good, keep)), fw::CArchiveException);
    }
}

TEST(HuffmanFile, OneLeafLengthBeyondTheSpaceIsDiskFull)
{
    // A one-leaf tree carries no data bits, so nothing but the space left
    // limits what a damaged length would write.
    const Bytes coded = CodedForm(uint64_t{1} << 50, "0" + ByteBits('A'), 4);
    try {
        Decode(coded, 1u << 20);
        FAIL() << "no exception";
    } catch (const fw::CFileException& e) {
        EXPECT_EQ(e.m_cause, fw::CFileException::diskFull);
    }
}

TEST(HuffmanFile, TreeWithTooManyNodesIsABadTable)
{
    // Internal nodes without end: the 256th is refused.
    const Bytes coded = CodedForm(10, std::string(300, '1'), 4);
    EXPECT_THROW(Decode(coded), CHuffmanFile::BadTable);
    // 255 internal nodes are the most a tree can have and still fine.
    std::string bits(255, '1');
    for (int leaf = 0; leaf < 256; ++leaf)
        bits += "0" + ByteBits(static_cast<uint8_t>(leaf));
    Bytes deepest = CodedForm(0, bits, 4);
    EXPECT_NO_THROW(Decode(deepest));
}

TEST(HuffmanFile, CodeFileShowsTheBadTableMessageOnce)
{
    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    services.prompt.ExpectText("表が間違っています", fw::IDOK);
    WriteFile(dir / "bad", CodedForm(10, std::string(300, '1'), 4));
    CHuffmanFile coder;
    EXPECT_FALSE(coder.CodeFile((dir / "bad").string(), (dir / "out").string(), true, 1));
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_EQ(services.prompt.Prompts().size(), 1u);
}

TEST(HuffmanFile, CodeFileReportsATruncatedFile)
{
    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    services.prompt.Expect(fw::kIdpBadFormat, fw::IDOK);
    const Bytes good = Encode(RandomBytes(1000, 3), 4);
    WriteFile(dir / "cut", Cut(good, good.size() / 2));
    CHuffmanFile coder;
    EXPECT_FALSE(coder.CodeFile((dir / "cut").string(), (dir / "out").string(), true, 1));
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST(HuffmanFile, CodeFileReportsAMissingSource)
{
    kivtest::TempDir dir;
    fw::test::ServiceScope services;
    services.prompt.Expect(fw::kIdpInvalidFileName, fw::IDOK);
    CHuffmanFile coder;
    EXPECT_FALSE(coder.CodeFile((dir / "none").string(), (dir / "out").string(), false, 4));
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_FALSE(std::filesystem::exists(dir / "out"));
}

} // namespace
