#pragma once

// Small storable classes for the archive and collection tests.

#include "framework/core/Archive.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <vector>

namespace arctest {

// Schema 1, one int32.
class CArcTestItem : public fw::CObject {
    FW_DECLARE_SERIAL(CArcTestItem)
public:
    CArcTestItem() { ++s_created; }
    explicit CArcTestItem(int32_t v) : m_value(v) { ++s_created; }
    void Serialize(fw::CArchive& ar) override;

    int32_t m_value = 0;
    static int s_created;
};

class CArcTestDerived : public CArcTestItem {
    FW_DECLARE_SERIAL(CArcTestDerived)
};

// Unrelated to CArcTestItem; schema 0, no data.
class CArcTestOther : public fw::CObject {
    FW_DECLARE_SERIAL(CArcTestOther)
public:
    CArcTestOther() { ++s_created; }
    static int s_created;
};

// Versionable, current schema 2; remembers what GetObjectSchema said.
class CArcTestVersioned : public fw::CObject {
    FW_DECLARE_SERIAL(CArcTestVersioned)
public:
    void Serialize(fw::CArchive& ar) override;
    int m_schemaSeen = -2;
    int m_schemaSecondAsk = -2;
};

// A node with a non-owned peer and owned children: graphs with shared and
// cyclic references.
class CArcTestNode : public fw::CObject {
    FW_DECLARE_SERIAL(CArcTestNode)
public:
    ~CArcTestNode() override;
    void Serialize(fw::CArchive& ar) override;

    int32_t m_value = 0;
    CArcTestNode* m_peer = nullptr;
    std::vector<CArcTestNode*> m_children;
};

// Registers the classes above (and the framework's own).
void RegisterTestClasses();

} // namespace arctest
