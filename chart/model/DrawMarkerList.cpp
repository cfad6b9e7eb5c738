#include "chart/model/DrawMarkerList.h"

#include "framework/core/Archive.h"
#include "instrument/system/MarkerList.h"

#include <unordered_set>
#include <vector>

void CDrawMarkerList::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring()) {
        fw::CObList::Serialize(ar);
        return;
    }
    DeleteAll();
    const uint64_t count = ar.ReadCount(2);
    for (uint64_t i = 0; i < count; ++i)
        if (auto* marker = static_cast<CDrawMarker*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CDrawMarker))))
            AddTail(marker);
}

void CDrawMarkerList::DeleteAll()
{
    while (!IsEmpty())
        delete RemoveHead();
}

void CDrawMarkerList::InsertByTime(CDrawMarker* marker)
{
    const CMarkerObj* mark = marker->GetMark();
    for (fw::POSITION pos = GetTailPosition(); pos;) {
        const fw::POSITION at = pos;
        const CDrawMarker* other = GetPrev(pos);
        if (other->IsSelected() || !other->GetMark() || !mark)
            continue;
        if (CMarkerObj::AtOrBefore(*other->GetMark(), *mark)) {
            InsertAfter(at, marker);
            return;
        }
    }
    AddHead(marker);
}

void CDrawMarkerList::Deselect(fw::POSITION pos)
{
    CDrawMarker* marker = GetAt(pos);
    RemoveAt(pos);
    marker->SetSelected(false);
    InsertByTime(marker);
}

void CDrawMarkerList::MoveToTail(fw::POSITION pos)
{
    CDrawMarker* marker = GetAt(pos);
    RemoveAt(pos);
    marker->SetSelected(true);
    AddTail(marker);
}

bool CDrawMarkerList::SelectAt(fw::CPoint point, bool toggle)
{
    for (fw::POSITION pos = GetTailPosition(); pos;) {
        const fw::POSITION at = pos;
        const CDrawMarker* marker = GetPrev(pos);
        if (!marker->HitTest(point))
            continue;
        if (toggle && marker->IsSelected())
            Deselect(at);
        else
            MoveToTail(at);
        return true;
    }
    return false;
}

int CDrawMarkerList::SelectInRect(const fw::CRect& rect, bool toggle)
{
    std::vector<CDrawMarker*> deselected;
    std::vector<CDrawMarker*> selected;
    for (fw::POSITION pos = GetHeadPosition(); pos;) {
        const fw::POSITION at = pos;
        CDrawMarker* marker = GetNext(pos);
        if (!marker->Intersects(rect))
            continue;
        RemoveAt(at);
        const bool off = toggle && marker->IsSelected();
        marker->SetSelected(!off);
        (off ? deselected : selected).push_back(marker);
    }
    for (CDrawMarker* marker : deselected)
        InsertByTime(marker);
    for (CDrawMarker* marker : selected)
        AddTail(marker);
    return static_cast<int>(deselected.size() + selected.size());
}

bool CDrawMarkerList::HasSelection() const
{
    return !IsEmpty() && static_cast<const CDrawMarker*>(fw::CObList::GetTail())->IsSelected();
}

bool CDrawMarkerList::IsVoiceMarkerSelected() const
{
    for (fw::POSITION pos = GetHeadPosition(); pos;)
        if (const CDrawMarker* marker = GetNext(pos); marker->IsSelected() && marker->IsVoice())
            return true;
    return false;
}

void CDrawMarkerList::DeleteSelected(CMarkerList& marks)
{
    for (fw::POSITION pos = GetHeadPosition(); pos;) {
        const fw::POSITION at = pos;
        CDrawMarker* marker = GetNext(pos);
        if (!marker->IsSelected() || marker->HasVoiceMark())
            continue;
        RemoveAt(at);
        if (CMarkerObj* mark = marker->GetMark()) {
            // A mark the list does not hold is not ours to delete.
            if (const fw::POSITION found = marks.Find(mark)) {
                marks.RemoveAt(found);
                delete mark;
            }
        }
        delete marker;
    }
}

bool CDrawMarkerList::ActivateAt(fw::CPoint point)
{
    for (fw::POSITION pos = GetHeadPosition(); pos;)
        if (CDrawMarker* marker = GetNext(pos); marker->HitTest(point)) {
            marker->Activate();
            return true;
        }
    return false;
}

void CDrawMarkerList::ClearSelection()
{
    for (fw::POSITION pos = GetHeadPosition(); pos;) {
        const fw::POSITION at = pos;
        if (GetNext(pos)->IsSelected())
            Deselect(at);
    }
}

void CDrawMarkerList::CopySelection(const CDrawMarkerList& other)
{
    ClearSelection();
    for (fw::POSITION pos = other.GetHeadPosition(); pos;) {
        const CDrawMarker* source = other.GetNext(pos);
        if (!source->IsSelected())
            continue;
        for (fw::POSITION here = GetHeadPosition(); here;) {
            const fw::POSITION at = here;
            if (const CDrawMarker* marker = GetNext(here); marker->GetMark() == source->GetMark()) {
                MoveToTail(at);
                break;
            }
        }
    }
}

void CDrawMarkerList::StoreMarkers(CMarkerList& marks) const
{
    // The list's own marks may be among those drawn: they change hands
    // rather than being deleted under the drawn markers.
    std::unordered_set<const CMarkerObj*> drawn;
    for (fw::POSITION pos = GetHeadPosition(); pos;)
        drawn.insert(GetNext(pos)->GetMark());
    for (fw::POSITION pos = marks.GetHeadPosition(); pos;) {
        const fw::POSITION at = pos;
        if (drawn.count(marks.GetNext(pos)))
            marks.RemoveAt(at);
    }
    marks.DeleteAll();
    std::unordered_set<const CMarkerObj*> stored;
    for (fw::POSITION pos = GetHeadPosition(); pos;) {
        CMarkerObj* mark = GetNext(pos)->GetMark();
        if (mark && stored.insert(mark).second)
            marks.InsertByTime(mark);
    }
}

CDrawMarker* CDrawMarkerList::FindByMark(const CMarkerObj* mark) const
{
    for (fw::POSITION pos = GetHeadPosition(); pos;)
        if (CDrawMarker* marker = GetNext(pos); marker->GetMark() == mark)
            return marker;
    return nullptr;
}
