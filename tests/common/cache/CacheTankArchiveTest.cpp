#include "tests/common/cache/CacheTestSupport.h"

#include "common/cache/HuffmanFile.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "tests/support/ArchiveBytes.h"

#include <cmath>
#include <memory>

#include <sys/stat.h>

namespace {

using cachetest::CacheTankTest;
using cachetest::Fill;
using cachetest::RawBytes;
using cachetest::ReadBytes;
using cachetest::Values;
using Bytes = std::vector<uint8_t>;

template <class T> void Append(Bytes& out, T v)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out.insert(out.end(), p, p + sizeof v);
}

Bytes HuffmanOf(const Bytes& raw, int unit)
{
    fw::CMemFile in{std::span<const uint8_t>(raw)};
    fw::CMemFile out;
    CHuffmanFile coder;
    coder.EncodeStream(in, out, unit);
    return out.Detach();
}

// The tank's object form as the tank stores it.
template <class Tank> Bytes Store(Tank& tank)
{
    return kivtest::StoreBody(tank);
}

// The part before the values: the tank base and both markers.
template <class Tank> Bytes StoredPrefix(Tank& tank)
{
    return kivtest::StoredBytes([&](fw::CArchive& ar) {
        tank.CDataTankObject::Serialize(ar);
        ar << tank.GetFillMarker() << tank.GetEmptyMarker();
    });
}

// Loads `bytes` into `tank`; answers the bytes the archive left unread.
template <class Tank> uint64_t Load(Tank& tank, const Bytes& bytes)
{
    return kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { tank.Serialize(ar); });
}

// Channel-like values: a quantised ramp with a few empty values.
std::vector<float> ChannelValues(int n)
{
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[i] = i % 97 == 3 ? HUGE_VALF : std::round(std::sin(i * 0.01) * 1000.0f) / 100.0f;
    return v;
}

// --- the value part, mode by mode ---------------------------------------------------

struct ModeCase {
    const char* name;
    int32_t mode;
    int count;
};

class CacheArchiveModes : public CacheTankTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(CacheArchiveModes, WritesTheLayoutAndReadsItBack)
{
    const ModeCase& c = GetParam();
    const std::vector<float> values = ChannelValues(c.count);
    CCacheFltDataTank tank;
    tank.SetName("ch1");
    Fill(tank, c.count, [&](int i) { return values[i]; });
    tank.SetMax(9.0);
    tank.SetStorageMode(c.mode);
    const fw::CString path = tank.GetFilePath();

    Bytes expected = StoredPrefix(tank);
    Append<int32_t>(expected, c.mode);
    if (c.count == 0) {
        Append<int32_t>(expected, 0);
    } else if (c.mode == kCacheStoreCompressed) {
        const Bytes coded = HuffmanOf(RawBytes(values), 4);
        Append<int32_t>(expected, static_cast<int32_t>(coded.size() / 4));
        expected.insert(expected.end(), coded.begin(), coded.end());
    } else {
        Append<int32_t>(expected, c.count);
        if (c.mode == kCacheStoreRaw) {
            const Bytes raw = RawBytes(values);
            expected.insert(expected.end(), raw.begin(), raw.end());
        }
    }
    const Bytes stored = Store(tank);
    EXPECT_EQ(stored, expected);
    // The tank works on its raw file again, and no other file is left.
    EXPECT_EQ(tank.GetFilePath(), path);
    EXPECT_TRUE(tank.GetPreviousPath().IsEmpty());
    EXPECT_EQ(CacheFiles().size(), 1u);
    EXPECT_EQ(Values(tank), values);
    EXPECT_TRUE(services.status.Current().IsEmpty());

    CCacheFltDataTank loaded;
    EXPECT_EQ(Load(loaded, stored), 0u);
    EXPECT_EQ(loaded.GetStorageMode(), c.mode);
    EXPECT_EQ(loaded.GetName(), "ch1");
    EXPECT_EQ(loaded.GetDataCount(), c.count);
    ASSERT_EQ(loaded.GetArraySize(), c.count);
    ASSERT_TRUE(loaded.CloseCacheFile());
    EXPECT_EQ(std::filesystem::file_size(loaded.GetFilePath().str()), size_t(c.count) * 4);
    switch (c.mode) {
    case kCacheStoreRaw:
    case kCacheStoreCompressed:
        EXPECT_EQ(ReadBytes(loaded.GetFilePath().str()), RawBytes(values));
        EXPECT_EQ(loaded.GetMax(), 9.0);
        break;
    case kCacheStoreFill:
        EXPECT_EQ(Values(loaded), std::vector<float>(size_t(c.count), HUGE_VALF));
        EXPECT_EQ(loaded.GetMax(), c.count ? HUGE_VAL : 9.0);
        EXPECT_EQ(loaded.GetMin(), HUGE_VAL);
        EXPECT_EQ(loaded.GetAverage(), HUGE_VAL);
        break;
    default:
        // Only the length: the owner computes the values again.
        EXPECT_EQ(Values(loaded), std::vector<float>(size_t(c.count), 0.0f));
        break;
    }
    EXPECT_TRUE(services.status.Current().IsEmpty());
    EXPECT_EQ(CacheFiles().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Cases, CacheArchiveModes,
                         ::testing::Values(ModeCase{"Raw", 0, 5000}, ModeCase{"Compressed", 1, 5000},
                                           ModeCase{"Fill", 2, 5000}, ModeCase{"LengthOnly", 3, 5000},
                                           ModeCase{"RawEmpty", 0, 0}, ModeCase{"CompressedEmpty", 1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A short archive may name a fill of any length: the markers cost the disk
// nothing until values behind them are written, and read and store as
// markers all the same.
TEST_F(CacheTankTest, FillModeLoadWritesNoMarkersUntilNeeded)
{
    CCacheFltDataTank source;
    source.SetName("ch1");
    Fill(source, 0, [](int) { return 0.0f; });
    Bytes archive = StoredPrefix(source);
    Append<int32_t>(archive, kCacheStoreFill);
    Append<int32_t>(archive, 400'000'000); // 1.6 GB of markers

    CCacheFltDataTank huge;
    EXPECT_EQ(Load(huge, archive), 0u);
    ASSERT_EQ(huge.GetArraySize(), 400'000'000);
    float v = 0;
    ASSERT_TRUE(huge.GetAt(399'999'999, v));
    EXPECT_EQ(v, HUGE_VALF);
    ASSERT_TRUE(huge.SetAt(5, 1.5f));
    huge.ReleaseWindow();
    ASSERT_TRUE(huge.GetAt(4, v));
    EXPECT_EQ(v, HUGE_VALF);
    ASSERT_EQ(CacheFiles().size(), 2u); // the source's and this one
    uint64_t onDisk = 0;
    for (const std::string& name : CacheFiles()) {
        struct stat st {};
        ASSERT_EQ(::stat((dir.Path() / name).c_str(), &st), 0);
        onDisk += uint64_t(st.st_blocks) * 512;
    }
    EXPECT_LT(onDisk, uint64_t(64) << 20);

    // A small one stores its markers raw around a written value.
    CCacheFltDataTank small;
    archive.resize(archive.size() - 4);
    Append<int32_t>(archive, 1000);
    EXPECT_EQ(Load(small, archive), 0u);
    const float written = 2.5f;
    ASSERT_TRUE(small.WriteValues(10, 1, &written));
    small.SetStorageMode(kCacheStoreRaw);
    std::vector<float> expectedValues(1000, HUGE_VALF);
    expectedValues[10] = 2.5f;
    EXPECT_EQ(Values(small), expectedValues);
    const Bytes stored = Store(small);
    const Bytes raw = RawBytes(expectedValues);
    ASSERT_GE(stored.size(), raw.size());
    EXPECT_TRUE(std::equal(raw.begin(), raw.end(), stored.end() - raw.size()));
    // Written out for callers that read the file by name.
    EXPECT_EQ(ReadBytes(small.GetFilePath().str()), raw);
}

TEST_F(CacheTankTest, CompressedFormIsSmallerForChannelData)
{
    CCacheFltDataTank tank;
    const std::vector<float> values = ChannelValues(20000);
    Fill(tank, 20000, [&](int i) { return values[i]; });
    tank.SetStorageMode(kCacheStoreCompressed);
    const Bytes stored = Store(tank);
    const size_t prefix = StoredPrefix(tank).size();
    int32_t count = 0;
    std::memcpy(&count, stored.data() + prefix + 4, 4);
    EXPECT_LT(count, 20000);
    EXPECT_EQ(stored.size(), prefix + 8 + size_t(count) * 4);
}

TEST_F(CacheTankTest, StatusTextsNameTheTankAndAreClearedAfterwards)
{
    CCacheDblDataTank tank;
    tank.SetName("温度");
    Fill(tank, 100, [](int i) { return i; });
    tank.SetStorageMode(kCacheStoreCompressed);
    const Bytes stored = Store(tank);
    CCacheDblDataTank loaded;
    Load(loaded, stored);
    const std::vector<fw::CString> expected = {"温度を書き込み中", "温度を圧縮中", "温度を読み込み中", "温度を解凍中"};
    EXPECT_EQ(services.status.Texts(), expected);
    EXPECT_TRUE(services.status.Current().IsEmpty());
}

template <class Tank> void ExpectTypedRoundTrip(int32_t mode)
{
    Tank tank;
    Fill(tank, 3000, [](int i) { return (i * 2654435761u) % 1000003u; });
    tank.SetStorageMode(mode);
    const auto values = Values(tank);
    Tank loaded;
    EXPECT_EQ(Load(loaded, Store(tank)), 0u);
    EXPECT_EQ(Values(loaded), values);
    EXPECT_EQ(loaded.GetDataType(), tank.GetDataType());
    EXPECT_EQ(loaded.GetEmptyMarker(), tank.GetEmptyMarker());
}

TEST_F(CacheTankTest, EveryLeafRoundTripsRawAndCompressed)
{
    for (int32_t mode : {kCacheStoreRaw, kCacheStoreCompressed}) {
        SCOPED_TRACE(mode);
        ExpectTypedRoundTrip<CCacheFltDataTank>(mode);
        ExpectTypedRoundTrip<CCacheDblDataTank>(mode);
        ExpectTypedRoundTrip<CCacheDateDataTank>(mode);
        ExpectTypedRoundTrip<CCacheLongDataTank>(mode);
        ExpectTypedRoundTrip<CCacheUnLongDataTank>(mode);
    }
    EXPECT_TRUE(CacheFiles().empty());
}

TEST_F(CacheTankTest, DocumentsStoreCacheTanksByClassName)
{
    CCacheUnLongDataTank tank;
    Fill(tank, 10, [](int i) { return i * 1000u; });
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        ar.WriteObject(&tank);
        ar.Close();
    }
    file.SeekToBegin();
    fw::CArchive ar(&file, fw::CArchive::load);
    std::unique_ptr<fw::CObject> object(ar.ReadObject(FW_RUNTIME_CLASS(CDataTankObject)));
    auto* loaded = dynamic_cast<CCacheUnLongDataTank*>(object.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Values(*loaded), Values(tank));
}

// --- damaged archives ---------------------------------------------------------------

struct DamageCase {
    const char* name;
    int32_t mode;
    // What is done to the stored form; `prefix` is where the value part starts.
    void (*damage)(Bytes& stored, size_t prefix);
    bool reported;  // a message is shown besides the exception
};

class CacheArchiveDamage : public CacheTankTest, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(CacheArchiveDamage, FailsAndLeavesNoFile)
{
    const DamageCase& c = GetParam();
    Bytes stored;
    size_t prefix = 0;
    {
        CCacheFltDataTank tank;
        const std::vector<float> values = ChannelValues(4000);
        Fill(tank, 4000, [&](int i) { return values[i]; });
        tank.SetStorageMode(c.mode);
        stored = Store(tank);
        prefix = StoredPrefix(tank).size();
    }
    ASSERT_TRUE(CacheFiles().empty());
    c.damage(stored, prefix);
    if (c.reported)
        services.prompt.Expect(fw::kIdpBadFormat, fw::IDOK);
    {
        CCacheFltDataTank loaded;
        EXPECT_ANY_THROW(Load(loaded, stored));
        // Gone at once, not only when the discarded tank dies.
        EXPECT_TRUE(CacheFiles().empty());
        EXPECT_TRUE(loaded.GetFilePath().IsEmpty());
    }
    EXPECT_TRUE(services.status.Current().IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CacheArchiveDamage,
    ::testing::Values(
        DamageCase{"RawValuesCut", 0, [](Bytes& b, size_t) { b.erase(b.end() - 100, b.end()); }, false},
        DamageCase{"RawCountTooLarge",
                   0,
                   [](Bytes& b, size_t p) {
                       const int32_t huge = 0x7FFFFFF0;
                       std::memcpy(b.data() + p + 4, &huge, 4);
                   },
                   false},
        DamageCase{"UnknownMode",
                   0,
                   [](Bytes& b, size_t p) {
                       const int32_t mode = 9;
                       std::memcpy(b.data() + p, &mode, 4);
                   },
                   false},
        DamageCase{"CompressedStreamCut", 1, [](Bytes& b, size_t) { b.erase(b.end() - 8, b.end()); }, false},
        // The stream's own stored length claims more than its bits carry.
        DamageCase{"CompressedLengthWrong",
                   1,
                   [](Bytes& b, size_t p) {
                       const uint64_t length = 1u << 30;
                       std::memcpy(b.data() + p + 8, &length, 8);
                   },
                   true},
        // A stream that expands to a length of no whole number of values.
        DamageCase{"CompressedPartValue",
                   1,
                   [](Bytes& b, size_t p) {
                       const Bytes coded = HuffmanOf(Bytes(4001, 0x41), 4);
                       b.resize(p + 4);
                       Append<int32_t>(b, static_cast<int32_t>(coded.size() / 4));
                       b.insert(b.end(), coded.begin(), coded.end());
                   },
                   true}),
    [](const auto& info) { return std::string(info.param.name); });

// --- compression and the files ---------------------------------------------------------

TEST_F(CacheTankTest, FailedCompressionKeepsTheRawFile)
{
    CCacheFltDataTank tank;
    const std::vector<float> values = ChannelValues(3000);
    Fill(tank, 3000, [&](int i) { return values[i]; });
    tank.SetStorageMode(kCacheStoreCompressed);
    const fw::CString path = tank.GetFilePath();
    // No new temporary file can be made: the cache folder is gone, which
    // the user is told once.
    SetCacheTankFolder((dir.Path() / "missing").string());
    services.prompt.Expect(fw::kIdpInvalidFileName, fw::IDOK);
    fw::CMemFile file;
    fw::CArchive ar(&file, fw::CArchive::store);
    EXPECT_THROW(tank.Serialize(ar), fw::CUserException);
    EXPECT_EQ(tank.GetFilePath(), path);
    EXPECT_TRUE(tank.GetPreviousPath().IsEmpty());
    EXPECT_EQ(Values(tank), values);
    ASSERT_TRUE(tank.CloseCacheFile());
    EXPECT_EQ(ReadBytes(path.str()), RawBytes(values));
    EXPECT_EQ(CacheFiles().size(), 1u);
    EXPECT_TRUE(services.status.Current().IsEmpty());
}

TEST_F(CacheTankTest, FailedCodingRemovesTheHalfWrittenFile)
{
    CCacheFltDataTank tank;
    Fill(tank, 100, [](int i) { return i; });
    ASSERT_TRUE(tank.CloseCacheFile());
    const fw::CString path = tank.GetFilePath();
    // The coder cannot read the raw file: a folder stands in its place.
    std::filesystem::remove(path.str());
    std::filesystem::create_directory(path.str());
    services.prompt.Expect(fw::kIdpAccessDeniedRead, fw::IDOK);
    EXPECT_FALSE(tank.CompressFile());
    EXPECT_EQ(tank.GetFilePath(), path);
    EXPECT_TRUE(tank.GetPreviousPath().IsEmpty());
    EXPECT_EQ(CacheFiles(), std::vector<std::string>{std::filesystem::path(path.str()).filename().string()});
    std::filesystem::remove(path.str());
}

TEST_F(CacheTankTest, CompressKeepsTheRawFileUntilDropped)
{
    CCacheLongDataTank tank;
    Fill(tank, 2000, [](int i) { return i % 7; });
    const auto values = Values(tank);
    const fw::CString raw = tank.GetFilePath();
    ASSERT_TRUE(tank.CompressFile());
    EXPECT_EQ(tank.GetPreviousPath(), raw);
    EXPECT_EQ(CacheFiles().size(), 2u);
    EXPECT_LT(tank.GetArraySize(), 2000); // units of the compressed file
    ASSERT_TRUE(tank.DropCompressedFile());
    EXPECT_EQ(tank.GetFilePath(), raw);
    EXPECT_TRUE(tank.GetPreviousPath().IsEmpty());
    EXPECT_EQ(CacheFiles().size(), 1u);
    EXPECT_EQ(Values(tank), values);
    EXPECT_TRUE(services.status.Current().IsEmpty());
}

TEST_F(CacheTankTest, CacheFileTransferRoundTrips)
{
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress);
        CCacheFltDataTank tank;
        const std::vector<float> values = ChannelValues(7000);
        Fill(tank, 7000, [&](int i) { return values[i]; });
        fw::CMemFile file;
        {
            fw::CArchive ar(&file, fw::CArchive::store);
            tank.SerializeCacheFile(ar, compress);
            ar.Close();
        }
        const Bytes stored = file.Detach();
        int32_t mode = -1;
        std::memcpy(&mode, stored.data(), 4);
        EXPECT_EQ(mode, compress ? 1 : 0);
        EXPECT_EQ(tank.GetStorageMode(), kCacheStoreRaw);

        CCacheFltDataTank other;
        ASSERT_TRUE(other.CreateCacheFile());
        fw::CMemFile in{std::span<const uint8_t>(stored)};
        fw::CArchive ar(&in, fw::CArchive::load);
        other.SerializeCacheFile(ar, false);
        EXPECT_EQ(Values(other), values);
        EXPECT_FALSE(other.IsFileOpen());
    }
    EXPECT_TRUE(CacheFiles().empty());
}

// Coded values go straight into the archive and expand from it straight
// into the loading tank's file, which keeps its name; the archive goes on
// right behind them.
TEST_F(CacheTankTest, CompressedTransfersCodeAndExpandInPlaceOneAfterAnother)
{
    const std::vector<float> first = ChannelValues(7000);
    std::vector<float> second(50000, HUGE_VALF);
    for (size_t i = 0; i < second.size(); i += 997)
        second[i] = static_cast<float>(i) * 0.5f;
    fw::CMemFile file;
    {
        CCacheFltDataTank a;
        CCacheFltDataTank b;
        Fill(a, 7000, [&](int i) { return first[i]; });
        Fill(b, 50000, [&](int i) { return second[i]; });
        fw::CArchive ar(&file, fw::CArchive::store);
        a.SerializeCacheFile(ar, true);
        b.SerializeCacheFile(ar, true);
        ar << int32_t{0x5A5A};
        ar.Close();
    }
    const Bytes stored = file.Detach();
    // Coded straight into the archive, each as the coder codes its file.
    Bytes expected;
    for (const std::vector<float>* values : {&first, static_cast<const std::vector<float>*>(&second)}) {
        const Bytes coded = HuffmanOf(RawBytes(*values), 4);
        Append<int32_t>(expected, kCacheStoreCompressed);
        Append<int32_t>(expected, static_cast<int32_t>(coded.size() / 4));
        expected.insert(expected.end(), coded.begin(), coded.end());
    }
    Append<int32_t>(expected, 0x5A5A);
    EXPECT_EQ(stored, expected);
    EXPECT_TRUE(CacheFiles().empty());

    CCacheFltDataTank a;
    CCacheFltDataTank b;
    Fill(a, 3, [](int) { return 1.0f; });
    ASSERT_TRUE(a.CloseCacheFile());
    ASSERT_TRUE(b.CreateCacheFile());
    const fw::CString path = a.GetFilePath();
    fw::CMemFile in{std::span<const uint8_t>(stored)};
    fw::CArchive ar(&in, fw::CArchive::load);
    a.SerializeCacheFile(ar, false);
    b.SerializeCacheFile(ar, false);
    int32_t marker = 0;
    ar >> marker;
    EXPECT_EQ(marker, 0x5A5A);
    EXPECT_EQ(ar.BytesLeft(), 0u);
    EXPECT_EQ(a.GetFilePath(), path);
    EXPECT_EQ(Values(a), first);
    EXPECT_EQ(Values(b), second);
    EXPECT_EQ(a.GetStorageMode(), kCacheStoreCompressed);
    EXPECT_EQ(CacheFiles().size(), 2u);
    EXPECT_TRUE(services.status.Current().IsEmpty());
}

// Values set one by one over a filled store of a closed file: the last of
// them are only in the window, which goes to the file before it is coded.
TEST_F(CacheTankTest, TransfersTakeTheUnwrittenWindowOfAClosedFile)
{
    for (bool compress : {false, true}) {
        SCOPED_TRACE(compress);
        CCacheFltDataTank tank;
        ASSERT_TRUE(tank.CreateCacheFile());
        tank.SetSize(20000, true);
        ASSERT_TRUE(tank.CloseCacheFile());
        for (int i = 0; i < 20000; ++i)
            tank.SetValue(i, i);
        ASSERT_FALSE(tank.IsFileOpen());
        ASSERT_TRUE(tank.IsDirty());
        fw::CMemFile file;
        {
            fw::CArchive ar(&file, fw::CArchive::store);
            tank.SerializeCacheFile(ar, compress);
            ar.Close();
        }
        const Bytes stored = file.Detach();
        CCacheFltDataTank other;
        ASSERT_TRUE(other.CreateCacheFile());
        fw::CMemFile in{std::span<const uint8_t>(stored)};
        fw::CArchive ar(&in, fw::CArchive::load);
        other.SerializeCacheFile(ar, false);
        std::vector<float> expected(20000);
        for (int i = 0; i < 20000; ++i)
            expected[size_t(i)] = float(i);
        EXPECT_EQ(Values(other), expected);
        EXPECT_EQ(Values(tank), expected);
    }
}

struct TransferDamage {
    const char* name;
    void (*damage)(Bytes& stored);
};

class CompressedTransferDamage : public CacheTankTest, public ::testing::WithParamInterface<TransferDamage> {};

// A damaged coded stream is told once and leaves the tank with no values
// (not half of them) on its one file.
TEST_P(CompressedTransferDamage, IsShownAndLeavesNoValues)
{
    Bytes stored;
    {
        CCacheFltDataTank tank;
        const std::vector<float> values = ChannelValues(6000);
        Fill(tank, 6000, [&](int i) { return values[i]; });
        fw::CMemFile file;
        fw::CArchive ar(&file, fw::CArchive::store);
        tank.SerializeCacheFile(ar, true);
        ar.Close();
        stored = file.Detach();
    }
    GetParam().damage(stored);
    services.prompt.Expect(fw::kIdpBadFormat, fw::IDOK);
    CCacheFltDataTank tank;
    Fill(tank, 100, [](int i) { return i; });
    fw::CMemFile in{std::span<const uint8_t>(stored)};
    fw::CArchive ar(&in, fw::CArchive::load);
    EXPECT_THROW(tank.SerializeCacheFile(ar, false), fw::CUserException);
    EXPECT_EQ(tank.GetArraySize(), 0);
    ASSERT_TRUE(tank.CloseCacheFile());
    EXPECT_EQ(std::filesystem::file_size(tank.GetFilePath().str()), 0u);
    EXPECT_EQ(CacheFiles().size(), 1u);
    EXPECT_TRUE(services.status.Current().IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompressedTransferDamage,
    ::testing::Values(
        // The stream's stored length claims more than its bits carry.
        TransferDamage{"LengthTooLarge",
                       [](Bytes& b) {
                           const uint64_t length = 1u << 30;
                           std::memcpy(b.data() + 8, &length, 8);
                       }},
        // A stream of no whole number of values.
        TransferDamage{"PartValue",
                       [](Bytes& b) {
                           const Bytes coded = HuffmanOf(Bytes(6001, 0x41), 4);
                           b.resize(4);
                           Append<int32_t>(b, static_cast<int32_t>(coded.size() / 4));
                           b.insert(b.end(), coded.begin(), coded.end());
                       }},
        // Bits cut from the middle: the stream ends before its length.
        TransferDamage{"StreamShort",
                       [](Bytes& b) {
                           const auto middle = static_cast<std::ptrdiff_t>(b.size() / 2);
                           b.erase(b.begin() + middle, b.begin() + middle + 400);
                           int32_t units = 0;
                           std::memcpy(&units, b.data() + 4, 4);
                           units -= 100;
                           std::memcpy(b.data() + 4, &units, 4);
                       }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheTankTest, TanksDeleteOnlyTheirOwnFiles)
{
    // A file of another running instance, in the same folder.
    const auto foreign = dir.Path() / "~WW0001.tmp";
    std::ofstream(foreign) << "not ours";
    {
        CCacheFltDataTank a;
        CCacheDblDataTank b;
        ASSERT_TRUE(a.CreateCacheFile());
        ASSERT_TRUE(b.CreateCacheFile());
        Fill(a, 10, [](int i) { return i; });
        a.SetStorageMode(kCacheStoreCompressed);
        Store(a);
        EXPECT_EQ(CacheFiles().size(), 3u);
        // A second file replaces the first; the first goes.
        ASSERT_TRUE(b.CreateCacheFile());
        EXPECT_EQ(CacheFiles().size(), 3u);
    }
    EXPECT_EQ(CacheFiles(), std::vector<std::string>{"~WW0001.tmp"});
}

TEST_F(CacheTankTest, DestroyedTankLeavesNoFileEvenWithUnsavedValues)
{
    {
        CCacheFltDataTank tank;
        Fill(tank, 10, [](int i) { return i; });
        tank.SetAt(3, 7.0f); // dirty window, never written
        EXPECT_EQ(CacheFiles().size(), 1u);
    }
    EXPECT_TRUE(CacheFiles().empty());
}

TEST_F(CacheTankTest, LeftoverFilesAreDeletedOnRequestOnly)
{
    for (const char* name : {"~WW12AB.tmp", "~ww0002.TMP", "~WX0003.tmp", "keep.tmp"})
        std::ofstream(dir.Path() / name) << "x";
    EXPECT_EQ(DeleteLeftoverCacheFiles(dir.Path().string()), 2);
    std::vector<std::string> left;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"keep.tmp", "~WX0003.tmp"}));
}

} // namespace
