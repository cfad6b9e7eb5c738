// A channel of 10^8 values end to end: written, scanned, stored raw and
// compressed into archive files and loaded back, with the memory of the
// process bounded throughout. It takes a minute and 2 GB of disk, so it
// runs only when KIV_TEST_BIG is set.

#include "tests/common/cache/CacheTestSupport.h"

#include "common/tank/ZELDataPoter.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <sys/resource.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

namespace {

using cachetest::CacheTankTest;

constexpr int kCount = 100'000'000;

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool SameFiles(const std::string& a, const std::string& b)
{
    std::ifstream fa(a, std::ios::binary);
    std::ifstream fb(b, std::ios::binary);
    std::vector<char> ba(1 << 20), bb(1 << 20);
    for (;;) {
        fa.read(ba.data(), std::streamsize(ba.size()));
        fb.read(bb.data(), std::streamsize(bb.size()));
        if (fa.gcount() != fb.gcount() || !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin()))
            return false;
        if (fa.gcount() == 0)
            return true;
    }
}

TEST_F(CacheTankTest, HundredMillionValuesStayBoundedAndRoundTrip)
{
    if (!std::getenv("KIV_TEST_BIG"))
        GTEST_SKIP() << "set KIV_TEST_BIG=1 to run (10^8 values, about a minute, 2 GB of disk)";
    const long before = PeakRssKb();
    CCacheFltDataTank tank;
    tank.SetName("big");
    ASSERT_TRUE(tank.CreateCacheFile());
    for (int i = 0; i < kCount; ++i)
        ASSERT_TRUE(tank.SetValue(i, std::round(std::sin(i * 1e-5) * 5000.0) / 1000.0));
    ASSERT_TRUE(tank.CloseCacheFile());
    ASSERT_EQ(tank.GetArraySize(), kCount);

    double max = 0, min = 0;
    ASSERT_TRUE(GetTankMaxMin(&tank, max, min, 0, -1));
    EXPECT_EQ(max, 5.0);
    EXPECT_EQ(min, -5.0);
    EXPECT_TRUE(std::isfinite(GetTankAverage(&tank, 0, -1)));

    for (int32_t mode : {kCacheStoreRaw, kCacheStoreCompressed}) {
        SCOPED_TRACE(mode);
        tank.SetStorageMode(mode);
        const fw::CString archive = (dir.Path() / "big.arc").string();
        {
            fw::CFile file(archive, fw::CFile::modeCreate | fw::CFile::modeWrite);
            fw::CArchive ar(&file, fw::CArchive::store);
            tank.Serialize(ar);
            ar.Close();
            file.Close();
        }
        if (mode == kCacheStoreCompressed) {
            EXPECT_LT(std::filesystem::file_size(archive.str()), uint64_t(kCount) * 4);
        }
        CCacheFltDataTank loaded;
        {
            fw::CFile file(archive, fw::CFile::modeRead);
            fw::CArchive ar(&file, fw::CArchive::load);
            loaded.Serialize(ar);
        }
        ASSERT_EQ(loaded.GetArraySize(), kCount);
        ASSERT_TRUE(loaded.CloseCacheFile());
        EXPECT_TRUE(SameFiles(tank.GetFilePath().str(), loaded.GetFilePath().str()));
        std::filesystem::remove(archive.str());
    }
    // The windows, copies and transfer buffers are bounded; the values are not
    // in memory.
    EXPECT_LT(PeakRssKb() - before, 96 * 1024);
}

} // namespace
