#include "frequency/model/HistCountArray.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <vector>

FW_IMPLEMENT_SERIAL(CHistCountArray, fw::CObArray, 0)

CHistCountArray::CHistCountArray() = default;

CHistCountArray::~CHistCountArray() { RemoveAll(); }

void CHistCountArray::RemoveAll() { RemoveFrom(0); }

void CHistCountArray::RemoveFrom(int first)
{
    if (first < 0)
        first = 0;
    // From the last, so that an exception of a destructor leaves a
    // consistent array behind.
    while (GetSize() > first) {
        CHistCountObj* entry = GetAt(GetSize() - 1);
        fw::CObArray::RemoveAt(GetSize() - 1);
        ReleaseHistCount(entry);
    }
}

void CHistCountArray::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<uint64_t>(GetSize()));
        for (int i = 0; i < GetSize(); ++i)
            ar.WriteObject(GetAt(i));
        ar << m_mode;
        fw::SerializeElements(ar, m_startTime.field, 6);
        fw::SerializeElements(ar, m_endTime.field, 6);
        ar << m_measuringTime << m_rate;
        return;
    }
    RemoveAll();
    const uint64_t count = ar.ReadCount(2);
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t before = CHistCountObj::LoadStampNow();
        auto* entry = static_cast<CHistCountObj*>(ar.ReadSharedObject(FW_RUNTIME_CLASS(CHistCountObj)));
        // An analysis the archive hands back as read before belongs to
        // another holder too; this slot needs a reference of its own.
        if (entry && entry->GetLoadStamp() <= before)
            entry->AddRef();
        Add(entry);
    }
    ar >> m_mode;
    fw::SerializeElements(ar, m_startTime.field, 6);
    fw::SerializeElements(ar, m_endTime.field, 6);
    ar >> m_measuringTime >> m_rate;
    for (int i = 0; i < GetSize(); ++i) {
        CHistCountObj* entry = GetAt(i);
        if (entry)
            entry->m_scaleFactor = m_mode == ' ' ? entry->m_intResolution * entry->m_coefficient : 1.0f;
    }
}
