// The inputs that once made a fuzz target fail (fuzz/regressions/<target>/)
// and the seeds (fuzz/seeds/<target>/) run through their target: each must
// pass without an escaping exception. Under tools/sanitize.sh the
// sanitizers watch them too.

#include "fuzz/FuzzTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void RunFolders(const std::filesystem::path& root)
{
    ASSERT_TRUE(std::filesystem::is_directory(root)) << root;
    for (const auto& folder : std::filesystem::directory_iterator(root)) {
        if (!folder.is_directory())
            continue;
        const std::string name = folder.path().filename().string();
        const auto target = kivfuzz::Targets().find(name);
        ASSERT_NE(target, kivfuzz::Targets().end()) << "no fuzz target " << name;
        for (const auto& input : std::filesystem::directory_iterator(folder.path())) {
            SCOPED_TRACE(input.path().string());
            const std::vector<uint8_t> bytes = ReadFile(input.path());
            EXPECT_NO_THROW(target->second(bytes.data(), bytes.size()));
        }
    }
}

TEST(FuzzRegressions, EveryKeptInputPassesItsTarget)
{
    RunFolders(KIV_FUZZ_REGRESSIONS);
}

TEST(FuzzRegressions, EverySeedPassesItsTarget)
{
    RunFolders(KIV_FUZZ_SEEDS);
}

TEST(FuzzRegressions, EveryTargetTakesEmptyAndTinyInputs)
{
    for (const auto& [name, run] : kivfuzz::Targets()) {
        SCOPED_TRACE(name);
        EXPECT_NO_THROW(run(nullptr, 0));
        // The first byte picks the reader in most targets: every pick once.
        for (int first = 0; first < 64; ++first) {
            const uint8_t tiny[] = {static_cast<uint8_t>(first), 0xFF, 0xFF, 0x01};
            for (size_t n = 1; n <= sizeof tiny; ++n)
                EXPECT_NO_THROW(run(tiny, n));
        }
    }
    EXPECT_TRUE(kivfuzz::Targets().count("archive_fuzz"));
}

} // namespace
