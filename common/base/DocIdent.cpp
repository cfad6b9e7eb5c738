#include "common/base/DocIdent.h"

#include "framework/core/Archive.h"
#include "framework/core/Services.h"

void CDocIdent::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_appId << m_timeStamp;
    else
        ar >> m_appId >> m_timeStamp;
}

CDocIdentSource::CDocIdentSource() : m_startTime(static_cast<int64_t>(fw::Clock().Now())) {}

CDocIdent CDocIdentSource::NewDocIdent()
{
    int64_t now = static_cast<int64_t>(fw::Clock().Now());
    // The original spun on the clock; a short sleep gives the same result
    // without burning a core, and lets a virtual clock move on in tests.
    while (now == m_lastIssued) {
        fw::Clock().SleepMs(kRetryMs);
        now = static_cast<int64_t>(fw::Clock().Now());
    }
    m_lastIssued = now;
    return CDocIdent(static_cast<int32_t>(static_cast<uint32_t>(m_startTime & 0xFFFFFFFF)),
                     static_cast<int32_t>(static_cast<uint32_t>(now & 0xFFFFFFFF)));
}
