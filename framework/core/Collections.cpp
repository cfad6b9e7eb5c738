#include "framework/core/Collections.h"

namespace fw {

FW_IMPLEMENT_SERIAL(CByteArray, CObject, 0)
FW_IMPLEMENT_SERIAL(CWordArray, CObject, 0)
FW_IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
FW_IMPLEMENT_DYNAMIC(CUIntArray, CObject)
FW_IMPLEMENT_SERIAL(CObArray, CObject, 0)
FW_IMPLEMENT_DYNAMIC(CPtrArray, CObject)
FW_IMPLEMENT_SERIAL(CStringArray, CObject, 0)
FW_IMPLEMENT_SERIAL(CObList, CObject, 0)
FW_IMPLEMENT_DYNAMIC(CPtrList, CObject)

// Each element takes at least its two-byte tag.
static constexpr size_t kMinObjectBytes = 2;

void CObArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_data.size());
        for (CObject* o : m_data)
            ar.WriteObject(o);
        return;
    }
    uint64_t count = ar.ReadCount(kMinObjectBytes);
    m_data.clear();
    m_data.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i)
        m_data.push_back(ar.ReadObject(FW_RUNTIME_CLASS(CObject)));
}

void CStringArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(m_data.size());
        for (const CString& s : m_data)
            ar << s;
        return;
    }
    uint64_t count = ar.ReadCount(1);
    m_data.clear();
    m_data.resize(static_cast<size_t>(count));
    for (CString& s : m_data)
        ar >> s;
}

void CObList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint64_t>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos;)
            ar.WriteObject(GetNext(pos));
        return;
    }
    uint64_t count = ar.ReadCount(kMinObjectBytes);
    for (uint64_t i = 0; i < count; ++i)
        AddTail(ar.ReadObject(FW_RUNTIME_CLASS(CObject)));
}

void RegisterClasses()
{
    for (const CRuntimeClass* c : {FW_RUNTIME_CLASS(CObArray), FW_RUNTIME_CLASS(CObList),
                                   FW_RUNTIME_CLASS(CStringArray), FW_RUNTIME_CLASS(CByteArray),
                                   FW_RUNTIME_CLASS(CWordArray), FW_RUNTIME_CLASS(CDWordArray)})
        RegisterClass(c);
}

} // namespace fw
