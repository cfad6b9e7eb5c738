#pragma once

// The base of every drawing object on a graph page: a rectangle with a frame
// style, eight resize handles, hit testing, moving and resizing, and a
// position relative to the page that keeps the object in place when the page
// changes size. The graphs, legends and texts derive from it.

#include "docbase/graphpage/DrawObjPrf.h"
#include "docbase/graphpage/GraphPageView.h"
#include "framework/core/Gdi.h"
#include "framework/core/Object.h"

#include <cstdint>

namespace fw {
class CDC;
}

class CZELGraphViewDoc;

class CDrawObj : public fw::CObject {
    FW_DECLARE_SERIAL(CDrawObj)
public:
    static constexpr double kDefaultRelative = 0.05;

    CDrawObj();
    explicit CDrawObj(const fw::CRect& position);
    ~CDrawObj() override = default;
    CDrawObj(const CDrawObj&) = delete;
    CDrawObj& operator=(const CDrawObj&) = delete;

    void Serialize(fw::CArchive& ar) override;

    // --- handles (1 top-left clockwise to 8 left-middle) --------------------
    virtual int GetHandleCount();
    virtual fw::CPoint GetHandle(int handle);
    virtual GraphCursor GetHandleCursor(int handle);

    // --- appearance ---------------------------------------------------------
    // Keeps the inner rectangle and regrows the frame around it.
    virtual void SetFrameStyle(const CDrawObjPrf& style);
    virtual void Draw(fw::CDC* dc) {}
    virtual void DrawFrame(fw::CDC* dc, fw::CRect rect);
    // States 1 and 2 mark every handle; others draw nothing.
    virtual void DrawTracker(fw::CDC* dc, int state);
    virtual void DrawTrackerRect(fw::CDC* dc);

    // --- placing --------------------------------------------------------------
    virtual void MoveTo(const fw::CRect& rect, IGraphPageView* view = nullptr);
    // Selected: the handle under the point (0 for none); otherwise 1 when
    // the point lies on the object.
    virtual int HitTest(fw::CPoint point, IGraphPageView* view, bool selected);
    virtual bool Intersects(const fw::CRect& rect);
    virtual void MoveHandleTo(int handle, fw::CPoint point, IGraphPageView* view = nullptr);

    // --- commands -----------------------------------------------------------
    virtual void OnOpen(IGraphPageView* view) { OnEditProperties(); }
    virtual void OnEditProperties() {}
    // A copy added to `document` when one is given.
    virtual CDrawObj* Clone(CZELGraphViewDoc* document);
    // Deletes the object.
    virtual void Remove();
    virtual void Invalidate();
    // Places the top-left corner in `area` by the relative position.
    virtual void RecalcPosition(const fw::CRect& area);
    virtual void SetRelativePosition(const fw::CRect& rect, const fw::CRect& area);
    virtual intptr_t OnUpdate(intptr_t hint, fw::CObject* hintObject) { return 0; }
    virtual const fw::LOGFONT* GetFont() { return nullptr; }
    virtual fw::COLORREF GetTextColor() { return 0; }
    virtual void SetTextColor(fw::COLORREF color) {}
    virtual bool CanCopy() { return true; }
    virtual bool CanDelete() { return true; }
    virtual void ResetSize() {}
    virtual void OnViewInitialUpdate(IGraphPageView* view) {}
    virtual void OnBeginPrinting() {}
    virtual void OnEndPrinting() {}

    // The rectangle inside the frame lines and shadow.
    fw::CRect GetFrameRect() const;
    // Grows the position by the frame around it (the reverse of the above)
    // and keeps it 3 units away from the page's top and left edges.
    void ApplyFrameMargins();
    void CopyFrom(const CDrawObj& other);
    // Hint 5: the views redraw the object now.
    void NotifyChanged();

    const fw::CRect& GetPosition() const { return m_position; }
    CZELGraphViewDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CZELGraphViewDoc* document) { m_pDocument = document; }
    const CDrawObjPrf& GetFrameStyle() const { return m_frame; }
    double GetRelativeX() const { return m_relX; }
    double GetRelativeY() const { return m_relY; }

    fw::CRect m_position;
    CZELGraphViewDoc* m_pDocument = nullptr;
    bool m_bDrawSelected = false;
    CDrawObjPrf m_frame;
    double m_relX = kDefaultRelative;
    double m_relY = kDefaultRelative;

protected:
    void MarkModified();
};
