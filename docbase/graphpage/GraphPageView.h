#pragma once

// What drawing objects and the selection tool ask of the view that shows
// their page: coordinate conversion, invalidation, the selection, mouse
// capture and feedback. The graph-page view implements it; the objects stay
// free of the window system.

#include "framework/core/Geometry.h"

#include <vector>

class CDrawObj;
class CZELGraphViewDoc;

using CDrawObjList = std::vector<CDrawObj*>;

// System cursors the tools ask for.
enum class GraphCursor { arrow, sizeNWSE, sizeNESW, sizeNS, sizeWE };

class IGraphPageView {
public:
    virtual ~IGraphPageView() = default;

    virtual CZELGraphViewDoc* GetGraphDoc() const = 0;
    // Logical units of the page <-> device units of the window.
    virtual void DocToClient(fw::CPoint& point) const = 0;
    virtual void DocToClient(fw::CRect& rect) const = 0;
    virtual void ClientToDoc(fw::CPoint& point) const = 0;
    virtual void ClientToDoc(fw::CRect& rect) const = 0;
    virtual void InvalObj(CDrawObj* object) = 0;

    // --- selection ----------------------------------------------------------
    virtual const CDrawObjList& GetSelection() const = 0;
    virtual bool IsSelected(const CDrawObj* object) const = 0;
    virtual void Select(CDrawObj* object, bool add = false) = 0;
    // `rect` in device units.
    virtual void SelectWithinRect(fw::CRect rect, bool add = false) = 0;
    virtual void Deselect(CDrawObj* object) = 0;
    virtual void CloneSelection() = 0;
    virtual bool IsActive() const = 0;

    // --- mouse --------------------------------------------------------------
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    virtual void SetCursor(GraphCursor cursor) = 0;
    // Shows or hides (a second call at the same place) the rubber band, in
    // device units.
    virtual void DrawFocusRect(const fw::CRect& rect) = 0;
    // The document's other views redraw what they hold invalid.
    virtual void UpdateOtherViews() = 0;
    // Ends an in-place activation of an embedded object; nothing here.
    virtual void CloseActiveItem() {}
};
