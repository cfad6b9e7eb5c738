#include "tests/framework/core/ArchiveTestClasses.h"

namespace arctest {

FW_IMPLEMENT_SERIAL(CArcTestItem, fw::CObject, 1)
FW_IMPLEMENT_SERIAL(CArcTestDerived, CArcTestItem, 1)
FW_IMPLEMENT_SERIAL(CArcTestOther, fw::CObject, 0)
FW_IMPLEMENT_SERIAL(CArcTestVersioned, fw::CObject, fw::VERSIONABLE_SCHEMA | 2)
FW_IMPLEMENT_SERIAL(CArcTestNode, fw::CObject, 0)

int CArcTestItem::s_created = 0;
int CArcTestOther::s_created = 0;

void CArcTestItem::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_value;
    else
        ar >> m_value;
}

void CArcTestVersioned::Serialize(fw::CArchive& ar)
{
    if (ar.IsLoading()) {
        m_schemaSeen = ar.GetObjectSchema();
        m_schemaSecondAsk = ar.GetObjectSchema();
    }
}

CArcTestNode::~CArcTestNode()
{
    for (CArcTestNode* c : m_children)
        delete c;
}

void CArcTestNode::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_value;
        ar.WriteObject(m_peer);
        ar.WriteCount(m_children.size());
        for (CArcTestNode* c : m_children)
            ar.WriteObject(c);
        return;
    }
    ar >> m_value;
    ar >> m_peer;
    uint64_t count = ar.ReadCount(2);
    for (uint64_t i = 0; i < count; ++i) {
        CArcTestNode* child = nullptr;
        ar >> child;
        m_children.push_back(child);
    }
}

void RegisterTestClasses()
{
    fw::RegisterClasses();
    for (const fw::CRuntimeClass* c :
         {FW_RUNTIME_CLASS(CArcTestItem), FW_RUNTIME_CLASS(CArcTestDerived), FW_RUNTIME_CLASS(CArcTestOther),
          FW_RUNTIME_CLASS(CArcTestVersioned), FW_RUNTIME_CLASS(CArcTestNode)})
        fw::RegisterClass(c);
}

} // namespace arctest
