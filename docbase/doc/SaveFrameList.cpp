#include "docbase/doc/SaveFrameList.h"

#include "framework/core/Archive.h"
#include "framework/core/Document.h"

#include <algorithm>

namespace {

void StorePlacement(fw::CArchive& ar, const FramePlacement& p)
{
    ar << p.length << p.flags << p.showCmd << p.minPosition.x << p.minPosition.y << p.maxPosition.x
       << p.maxPosition.y << p.normalPosition.left << p.normalPosition.top << p.normalPosition.right
       << p.normalPosition.bottom;
}

FramePlacement LoadPlacement(fw::CArchive& ar)
{
    FramePlacement p;
    ar >> p.length >> p.flags >> p.showCmd >> p.minPosition.x >> p.minPosition.y >> p.maxPosition.x >>
        p.maxPosition.y >> p.normalPosition.left >> p.normalPosition.top >> p.normalPosition.right >>
        p.normalPosition.bottom;
    return p;
}

constexpr size_t kStoredEntrySize = 4 + FramePlacement::kRecordSize;

} // namespace

bool CSaveFrameList::Add(uint32_t key, const FramePlacement& placement)
{
    const bool known =
        std::any_of(m_entries.begin(), m_entries.end(), [key](const Entry& e) { return e.first == key; });
    if (known)
        return false;
    m_entries.emplace_back(key, placement);
    return true;
}

void CSaveFrameList::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        m_entries.clear();
        if (auto* document = dynamic_cast<fw::CDocument*>(ar.m_pDocument)) {
            for (fw::POSITION pos = document->GetFirstViewPosition(); pos;) {
                if (auto* view = dynamic_cast<IPlacedView*>(document->GetNextViewLink(pos)))
                    Add(view->FrameKey(), view->GetFramePlacement());
            }
        }
        ar.WriteCount(m_entries.size());
        for (const Entry& e : m_entries) {
            ar << e.first;
            StorePlacement(ar, e.second);
        }
        return;
    }
    m_entries.clear();
    const uint64_t count = ar.ReadCount(kStoredEntrySize);
    for (uint64_t i = 0; i < count; ++i) {
        uint32_t key = 0;
        ar >> key;
        const FramePlacement p = LoadPlacement(ar);
        // A damaged file may repeat a key; the map kept the last one.
        auto it = std::find_if(m_entries.begin(), m_entries.end(), [key](const Entry& e) { return e.first == key; });
        if (it != m_entries.end())
            it->second = p;
        else
            m_entries.emplace_back(key, p);
    }
}
