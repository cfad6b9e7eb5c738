#include "tests/support/TestSupport.h"

#include "common/base/CommonBaseClasses.h"
#include "common/cache/CacheClasses.h"
#include "common/calc/CalcClasses.h"
#include "common/tank/TankClasses.h"
#include "framework/core/Object.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace kivtest {

void RegisterAllClasses()
{
    fw::RegisterClasses();
    RegisterCommonBaseClasses();
    RegisterTankClasses();
    RegisterCacheClasses();
    RegisterCalcClasses();
}

TempDir::TempDir()
{
    const char* base = std::getenv("KIV_TEST_TMP");
    std::filesystem::path root = base ? base : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(root);
    std::string pattern = (root / "kivtest-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    if (info && info->result() && info->result()->Failed())
        return; // keep the evidence
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

} // namespace kivtest
