// Thousands of channels under the default soft descriptor limit: every
// channel keeps a file, and the files share a bounded set of descriptors.

#include "tests/common/calc/CalcTestSupport.h"

#include "common/cache/CacheFile.h"
#include "framework/core/Archive.h"
#include "framework/core/DescriptorLimit.h"

#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <string>

namespace calctest {
namespace {

// The default soft limit of most systems, for the life of a test.
class SoftLimit {
public:
    explicit SoftLimit(rlim_t soft)
    {
        getrlimit(RLIMIT_NOFILE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = std::min(soft, m_old.rlim_max);
        setrlimit(RLIMIT_NOFILE, &lowered);
    }
    ~SoftLimit() { setrlimit(RLIMIT_NOFILE, &m_old); }

private:
    rlimit m_old{};
};

double Measured(int channel, int step) { return channel * 0.5 + step; }

// Calculated channel r (0-based) reads measured channel r % measured.
std::string FormulaOf(int r, int measured) { return "=CH(" + std::to_string(r % measured + 1) + ")*2+1"; }

void Build(DataSet& data, int measured, int calculated)
{
    for (int k = 1; k <= measured; ++k)
        data.Measure(k, [k](int i) { return Measured(k, i); });
    for (int r = 0; r < calculated; ++r) {
        ASSERT_NE(data.list.GetOrCreateChannel(500 + r), nullptr);
        ASSERT_TRUE(data.list.CompileChannel(FormulaOf(r, measured).c_str(), 500 + r, data.chLimit, -1)) << r;
    }
    data.list.OrderPasses();
}

void ExpectResults(CKivSPTankData& list, int measured, int calculated, int steps)
{
    int wrong = 0;
    for (int r = 0; r < calculated; ++r)
        for (int i = 0; i < steps; i += steps / 4 + 1) {
            const double want = static_cast<float>(Measured(r % measured + 1, i) * 2 + 1);
            wrong += list.GetStoredValue(static_cast<int16_t>(500 + r), i) != want;
        }
    EXPECT_EQ(wrong, 0);
}

struct ManyChannelsCase {
    const char* name;
    int dataSets;
    int measured;
    int calculated;
};

class ManyChannelsTest : public CalcTest, public ::testing::WithParamInterface<ManyChannelsCase> {};

TEST_P(ManyChannelsTest, CreateFillRecalculateAndSaveUnderTheDefaultLimit)
{
    const ManyChannelsCase c = GetParam();
    constexpr int kSteps = 120;
    SoftLimit limit(1024);
    ASSERT_LE(fw::GetDescriptorLimit(), 1024);
    std::vector<std::unique_ptr<DataSet>> sets;
    for (int s = 0; s < c.dataSets; ++s) {
        sets.push_back(std::make_unique<DataSet>(c.measured, kSteps));
        Build(*sets.back(), c.measured, c.calculated);
        ASSERT_EQ(sets.back()->list.GetSize(), 500 + c.calculated);
    }
    for (auto& data : sets) {
        data->list.RecalculateAll();
        ExpectResults(data->list, c.measured, c.calculated, kSteps);
    }
    EXPECT_LE(CCacheFile::GetDescriptorsHeld(), CCacheFile::GetDescriptorLimit());

    // Saved and loaded again, every channel keeps its values.
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        sets.back()->list.SetStorageMode(kCacheStoreRaw);
        sets.back()->list.Serialize(ar);
        ar.Close();
    }
    file.Seek(0, fw::CFile::begin);
    DataSet loaded(0, 0);
    fw::CArchive ar(&file, fw::CArchive::load);
    loaded.list.Serialize(ar);
    ar.Close();
    ExpectResults(loaded.list, c.measured, c.calculated, kSteps);
}

INSTANTIATE_TEST_SUITE_P(Channels, ManyChannelsTest,
                         ::testing::Values(ManyChannelsCase{"TwoThousand", 1, 320, 1680},
                                           ManyChannelsCase{"FiveThousand", 4, 250, 1000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CalcTest, LostChannelFilesAreToldOncePerRecalculation)
{
    DataSet data(20, 50);
    Build(data, 20, 200);
    // Every file goes, and with it every descriptor.
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        std::filesystem::remove(e.path());
    CCacheFile::MakeRoom(CCacheFile::kMaxDescriptors);
    data.list.RecalculateAll();
    EXPECT_EQ(services.prompt.Prompts().size(), 1u);
    services.prompt.Reset();
}

} // namespace
} // namespace calctest
