#include "tests/support/ArchiveBytes.h"

#include <cstdio>

namespace kivtest {

Bytes StoreObject(const fw::CObject* object)
{
    return StoredBytes([&](fw::CArchive& ar) { ar.WriteObject(object); });
}

Bytes StoreBody(fw::CObject& object)
{
    return StoredBytes([&](fw::CArchive& ar) { object.Serialize(ar); });
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

} // namespace kivtest
