#pragma once

// The drawn markers of one graph. The unselected markers come first, in
// the time order of their marks; the selected ones follow at the tail in
// the order they were selected, so that the tail tells whether anything is
// selected. The list owns its drawn markers, not their marks.

#include "chart/model/DrawMarker.h"
#include "framework/core/Collections.h"

class CMarkerList;

class CDrawMarkerList : public fw::CTypedPtrList<fw::CObList, CDrawMarker*> {
public:
    CDrawMarkerList() = default;
    ~CDrawMarkerList() override { DeleteAll(); }

    // The object-list form; every entry must be a drawn marker.
    void Serialize(fw::CArchive& ar) override;

    // Deletes every drawn marker (not their marks) and empties the list.
    void DeleteAll();
    // Among the unselected markers, after the last one whose mark is at or
    // before the new one's; else at the head. Owned from now on.
    void InsertByTime(CDrawMarker* marker);
    // The last marker whose hit rectangle holds the point: with `toggle` a
    // selected one is deselected, otherwise it is selected and moves to
    // the tail. False when no marker is there.
    bool SelectAt(fw::CPoint point, bool toggle);
    // Every marker the rectangle meets is selected (with `toggle` a
    // selected one is deselected). Returns how many changed hands.
    int SelectInRect(const fw::CRect& rect, bool toggle);
    bool HasSelection() const;
    bool IsVoiceMarkerSelected() const;
    // Deletes the selected markers whose marks are no voice marks, with
    // their marks, taken out of `marks`.
    void DeleteSelected(CMarkerList& marks);
    // Activates the first marker (from the head) at the point.
    bool ActivateAt(fw::CPoint point);
    void ClearSelection();
    // Selects the markers whose marks are selected in `other`, in the order
    // they are selected there.
    void CopySelection(const CDrawMarkerList& other);
    // Gives the marks of every drawn marker to `marks` (its own marks are
    // deleted first), in time order; `marks` owns them from now on.
    void StoreMarkers(CMarkerList& marks) const;

    // The marker whose mark is `mark`, or none.
    CDrawMarker* FindByMark(const CMarkerObj* mark) const;

private:
    void Deselect(fw::POSITION pos);
    void MoveToTail(fw::POSITION pos);
};
