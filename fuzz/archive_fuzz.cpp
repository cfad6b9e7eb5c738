// Feeds arbitrary bytes to a loading archive: strings, counts, objects and
// the framework's containers. The only exception a damaged archive may raise
// is CArchiveException; anything else, and any bad memory access, is a bug.

#include "fuzz/FuzzTarget.h"

#include "framework/core/Archive.h"
#include "framework/core/Collections.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_set>
#include <vector>

namespace {

// Every object the harness's classes create, freed after each input: a
// damaged archive may make one object the child of several others.
std::unordered_set<fw::CObject*>& Created()
{
    static std::unordered_set<fw::CObject*> created;
    return created;
}

class CFuzzNode : public fw::CObject {
    FW_DECLARE_SERIAL(CFuzzNode)
public:
    CFuzzNode() { Created().insert(this); }
    ~CFuzzNode() override { Created().erase(this); }
    void Serialize(fw::CArchive& ar) override
    {
        ar >> m_value >> m_name;
        ar >> m_peer;
        uint64_t count = ar.ReadCount(2);
        for (uint64_t i = 0; i < count; ++i) {
            CFuzzNode* child = nullptr;
            ar >> child;
            m_children.push_back(child);
        }
    }
    int32_t m_value = 0;
    fw::CString m_name;
    CFuzzNode* m_peer = nullptr;
    std::vector<CFuzzNode*> m_children;
};
FW_IMPLEMENT_SERIAL(CFuzzNode, fw::CObject, 1)

class CFuzzVersioned : public fw::CObject {
    FW_DECLARE_SERIAL(CFuzzVersioned)
public:
    CFuzzVersioned() { Created().insert(this); }
    ~CFuzzVersioned() override { Created().erase(this); }
    void Serialize(fw::CArchive& ar) override
    {
        if (ar.GetObjectSchema() >= 2)
            ar >> m_extra;
        m_values.Serialize(ar);
    }
    double m_extra = 0;
    fw::CDWordArray m_values;
};
FW_IMPLEMENT_SERIAL(CFuzzVersioned, fw::CObject, fw::VERSIONABLE_SCHEMA | 3)

// The archive deletes an object whose own loading failed; the destructors
// above keep the set right, so each survivor is freed exactly once here.
void FreeAll()
{
    while (!Created().empty())
        delete *Created().begin();
}

void RunOps(fw::CArchive& ar)
{
    for (int step = 0; step < 64 && ar.BytesLeft() > 0; ++step) {
        uint8_t op;
        ar >> op;
        switch (op % 10) {
        case 0: {
            fw::CString s;
            ar >> s;
            break;
        }
        case 1: {
            uint64_t n = ar.ReadCount(1);
            std::vector<uint8_t> bytes(static_cast<size_t>(n));
            ar.ReadExact(bytes.data(), bytes.size());
            break;
        }
        case 2:
            ar.ReadObject(FW_RUNTIME_CLASS(CFuzzNode));
            break;
        case 3:
            ar.ReadObject(nullptr);
            break;
        case 4:
            ar.ReadRawString();
            break;
        case 5: {
            fw::CStringArray a;
            a.Serialize(ar);
            break;
        }
        case 6: {
            fw::CDWordArray a;
            a.Serialize(ar);
            break;
        }
        case 7: {
            fw::CString line;
            ar.ReadString(line);
            break;
        }
        case 8: {
            // Peek and rewind, as the optional sections are read.
            uint64_t at = ar.Tell();
            uint32_t tag = 0;
            ar.Read(&tag, sizeof tag);
            ar.Flush();
            ar.Seek(at);
            uint8_t skip;
            ar >> skip;
            break;
        }
        default: {
            fw::CObArray a;
            a.Serialize(ar);
            break;
        }
        }
    }
}

} // namespace

KIV_FUZZ_TARGET(archive_fuzz)
{
    // Only the harness's classes: everything created is tracked above.
    static const bool registered = [] {
        fw::RegisterClass(FW_RUNTIME_CLASS(CFuzzNode));
        fw::RegisterClass(FW_RUNTIME_CLASS(CFuzzVersioned));
        return true;
    }();
    (void)registered;

    fw::CMemFile mem(std::span<const uint8_t>(data, size));
    try {
        // A small buffer makes reads cross its end often.
        fw::CArchive ar(&mem, fw::CArchive::load, 16);
        RunOps(ar);
    } catch (const fw::CArchiveException&) {
        // The expected answer to damaged data.
    }
    FreeAll();
    return 0;
}
