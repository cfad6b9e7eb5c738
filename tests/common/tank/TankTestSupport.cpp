#include "tests/common/tank/TankTestSupport.h"

#include "common/tank/TankClasses.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tanktest {

namespace {

class TankEnvironment : public ::testing::Environment {
public:
    void SetUp() override { RegisterTankClasses(); }
};

[[maybe_unused]] ::testing::Environment* const g_environment =
    ::testing::AddGlobalTestEnvironment(new TankEnvironment);

} // namespace

Bytes StoreObject(const fw::CObject* object)
{
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        ar.WriteObject(object);
        ar.Close();
    }
    auto data = file.Data();
    return Bytes(data.begin(), data.end());
}

Bytes StoreBody(fw::CObject& object)
{
    fw::CMemFile file;
    {
        fw::CArchive ar(&file, fw::CArchive::store);
        object.Serialize(ar);
        ar.Close();
    }
    auto data = file.Data();
    return Bytes(data.begin(), data.end());
}

fw::CObject* LoadObject(const Bytes& bytes, const fw::CRuntimeClass* expected)
{
    fw::CMemFile file(bytes);
    fw::CArchive ar(&file, fw::CArchive::load);
    return ar.ReadObject(expected);
}

void LoadBody(fw::CObject& object, const Bytes& bytes)
{
    fw::CMemFile file(bytes);
    fw::CArchive ar(&file, fw::CArchive::load);
    object.Serialize(ar);
}

std::string Hex(const Bytes& bytes)
{
    std::string out;
    char buf[4];
    for (uint8_t b : bytes) {
        std::snprintf(buf, sizeof buf, "%02X ", b);
        out += buf;
    }
    return out;
}

} // namespace tanktest
