#include "instrument/system/MarkerList.h"

#include "framework/core/Archive.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Numbers.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/meter/HeaderKeys.h"

#include <cmath>
#include <cstring>
#include <limits>

FW_IMPLEMENT_SERIAL(CMarkerObj, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CVoiceMarkerObj, CMarkerObj, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kHalfSecond = 0.5 / kSecondsPerDay;
constexpr const char kMarkKey[] = "MARK ";
constexpr size_t kMarkKeyLength = sizeof(kMarkKey) - 1;

void SerializeDate(fw::CArchive& ar, fw::COleDateTime& date)
{
    if (ar.IsStoring()) {
        ar << static_cast<int32_t>(date.GetStatus()) << date.m_dt;
        return;
    }
    int32_t status = 0;
    ar >> status >> date.m_dt;
    date.SetStatus(status == fw::COleDateTime::valid || status == fw::COleDateTime::null
                       ? static_cast<fw::COleDateTime::Status>(status)
                       : fw::COleDateTime::invalid);
}

// The mark number after "MARK ": blanks, then decimal digits on the same
// line. 0 when there is none or it does not fit a sample index.
uint32_t MarkNumberAt(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    uint64_t n = 0;
    const char* digits = p;
    while (*p >= '0' && *p <= '9') {
        n = n * 10 + static_cast<uint64_t>(*p - '0');
        if (n > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()) + 1)
            return 0;
        ++p;
    }
    return p == digits ? 0 : static_cast<uint32_t>(n);
}

} // namespace

// ------------------------------------------------------------------ marks

void CMarkerObj::Serialize(fw::CArchive& ar)
{
    SerializeDate(ar, m_date);
    if (ar.IsStoring())
        ar << m_nIndex;
    else
        ar >> m_nIndex;
}

void CMarkerObj::Set(int32_t index, const fw::COleDateTime& date)
{
    m_nIndex = index;
    m_date = date;
}

void CMarkerObj::Move(int32_t samples, double interval)
{
    if (samples < 0 && -static_cast<int64_t>(samples) > m_nIndex) {
        m_nIndex = 0;
        return;
    }
    m_nIndex += samples;
    m_date += fw::COleDateTimeSpan(samples * interval / kSecondsPerDay);
}

bool CMarkerObj::SameTime(const CMarkerObj& a, const CMarkerObj& b)
{
    if (a.m_date.GetStatus() != b.m_date.GetStatus())
        return false;
    if (a.m_date.GetStatus() == fw::COleDateTime::null)
        return true;
    return a.m_date.GetStatus() == fw::COleDateTime::valid &&
           std::fabs(fw::OleDateToLinear(a.m_date.m_dt) - fw::OleDateToLinear(b.m_date.m_dt)) < kHalfSecond;
}

bool CMarkerObj::AtOrBefore(const CMarkerObj& a, const CMarkerObj& b)
{
    return SameTime(a, b) || fw::OleDateToLinear(a.m_date.m_dt) < fw::OleDateToLinear(b.m_date.m_dt);
}

void CVoiceMarkerObj::Serialize(fw::CArchive& ar)
{
    CMarkerObj::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strPath;
    else
        ar >> m_strPath;
}

void CVoiceMarkerObj::Play() const
{
    if (IMarkerSound* sound = fw::Installed<IMarkerSound>())
        sound->PlayFileAsync(m_strPath);
}

// ------------------------------------------------------------------- list

void CMarkerList::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        fw::CObList::Serialize(ar);
        return;
    }
    DeleteAll();
    const uint64_t count = ar.ReadCount(2);
    for (uint64_t i = 0; i < count; ++i)
        if (auto* mark = static_cast<CMarkerObj*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CMarkerObj))))
            AddTail(mark);
}

void CMarkerList::InsertByTime(CMarkerObj* mark)
{
    for (fw::POSITION pos = GetTailPosition(); pos;) {
        const fw::POSITION at = pos;
        if (CMarkerObj::AtOrBefore(*GetPrev(pos), *mark)) {
            InsertAfter(at, mark);
            return;
        }
    }
    AddHead(mark);
}

CMarkerObj* CMarkerList::FindByIndex(int32_t index) const
{
    for (fw::POSITION pos = GetHeadPosition(); pos;)
        if (CMarkerObj* mark = GetNext(pos); mark->GetSampleIndex() == index)
            return mark;
    return nullptr;
}

void CMarkerList::RemoveVoiceMarkers()
{
    for (fw::POSITION pos = GetHeadPosition(); pos;) {
        const fw::POSITION at = pos;
        CMarkerObj* mark = GetNext(pos);
        if (mark->IsKindOf(FW_RUNTIME_CLASS(CVoiceMarkerObj))) {
            RemoveAt(at);
            delete mark;
        }
    }
}

void CMarkerList::DeleteAll()
{
    while (!IsEmpty())
        delete RemoveHead();
}

void CMarkerList::TakeAllFrom(CMarkerList& other)
{
    while (!other.IsEmpty())
        AddTail(other.RemoveHead());
}

int CMarkerList::LoadFromHeader(const char* header)
{
    if (!header)
        return 0;
    const fw::COleDateTime start = GetHeaderDateTime(header);
    double step = 1.0;
    if (HeaderValue(header, "HORZ_UNITS") != fw::CString("SAMPLES"))
        step = fw::Atof(HeaderValue(header, "INTERVAL").c_str());
    int added = 0;
    for (const char* p = std::strstr(header, kMarkKey); p; p = std::strstr(p + kMarkKeyLength, kMarkKey)) {
        const uint32_t n = MarkNumberAt(p + kMarkKeyLength);
        if (n == 0)
            continue;
        const int32_t index = static_cast<int32_t>(n - 1);
        fw::COleDateTime date = start + fw::COleDateTimeSpan(step * index / kSecondsPerDay);
        date.SetStatus(start.GetStatus());
        InsertByTime(new CMarkerObj(date, index));
        ++added;
    }
    return added;
}

void CMarkerList::AddVoiceMarker(const fw::CString& folder, const fw::CString& name,
                                 const fw::COleDateTime& recorded, double offset, double interval)
{
    std::string title = name.str();
    for (char& c : title)
        if (c == '\\')
            c = '/';
    const fw::CString path = fw::fs::PathJoin(folder, fw::CString((title + ".wav").c_str()));
    // Without a usable interval the recording still shows by its moment.
    int32_t index = 0;
    if (interval > 0 && std::isfinite(interval) && std::isfinite(offset) && offset > 0) {
        const double samples = std::ceil(offset / interval);
        index = samples < static_cast<double>(std::numeric_limits<int32_t>::max())
                    ? static_cast<int32_t>(samples)
                    : std::numeric_limits<int32_t>::max();
    }
    InsertByTime(new CVoiceMarkerObj(recorded, index, path));
}
