#pragma once

// A test folder that is the cache folder of every tank type, the scripted
// services, and small helpers over cache tanks and their files.

#include "common/cache/CacheClasses.h"
#include "common/cache/CacheTanks.h"
#include "framework/core/testing/ServiceScope.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace cachetest {

class CacheTankTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterCacheClasses();
        SetCacheTankFolder(dir.Path().string());
    }
    void TearDown() override
    {
        EXPECT_EQ(services.prompt.Problems(), "");
        SetCacheTankFolder("");
    }

    // Names of the cache files in the test folder, sorted.
    std::vector<std::string> CacheFiles() const
    {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
            const std::string name = e.path().filename().string();
            if (name.rfind("~WW", 0) == 0)
                names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    kivtest::TempDir dir;
    fw::test::ServiceScope services;
};

// A tank with its file and n values, value i = f(i), written through SetAt.
template <class Tank, class F> void Fill(Tank& tank, int n, F f)
{
    ASSERT_TRUE(tank.GetFilePath().IsEmpty() ? tank.CreateCacheFile() : true);
    if (n > 0) {
        ASSERT_TRUE(tank.SetSize(n, false));
    }
    for (int i = 0; i < n; ++i)
        tank.SetAt(i, static_cast<typename Tank::value_type>(f(i)));
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

template <class T> std::vector<uint8_t> RawBytes(const std::vector<T>& values)
{
    std::vector<uint8_t> bytes(values.size() * sizeof(T));
    if (!values.empty())
        std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

// Every value of a tank, read one by one through GetAt.
template <class Tank> std::vector<typename Tank::value_type> Values(Tank& tank)
{
    std::vector<typename Tank::value_type> out(static_cast<size_t>(tank.GetArraySize()));
    for (size_t i = 0; i < out.size(); ++i)
        tank.GetAt(static_cast<int>(i), out[i]);
    return out;
}

} // namespace cachetest
