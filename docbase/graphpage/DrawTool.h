#pragma once

// The tools that turn mouse input in a graph-page view into selection,
// rubber-band selection, moving and resizing. Tool state is one set of
// values for the whole program, as only one view has the mouse at a time.

#include "docbase/graphpage/GraphPageView.h"
#include "framework/core/Geometry.h"

#include <cstdint>

// Key flags of mouse input (those of the window layer's mouse handlers).
inline constexpr unsigned kMouseShift = 0x4;
inline constexpr unsigned kMouseControl = 0x8;

class CDrawTool {
public:
    enum Shape : int32_t { selection = 0 };

    explicit CDrawTool(int32_t shape) : m_drawShape(shape) {}
    virtual ~CDrawTool() = default;
    CDrawTool(const CDrawTool&) = delete;
    CDrawTool& operator=(const CDrawTool&) = delete;

    // Points in device units of the view.
    virtual void OnLButtonDown(IGraphPageView* view, unsigned flags, fw::CPoint point);
    virtual void OnLButtonDblClk(IGraphPageView* view, unsigned flags, fw::CPoint point) {}
    virtual void OnLButtonUp(IGraphPageView* view, unsigned flags, fw::CPoint point);
    virtual void OnMouseMove(IGraphPageView* view, unsigned flags, fw::CPoint point);
    virtual void OnEditProperties(IGraphPageView* view) {}
    virtual void OnCancel();

    int32_t GetShape() const { return m_drawShape; }

    // The tool of the current shape (null when there is none).
    static CDrawTool* FindTool(int32_t shape);
    static CDrawTool* CurrentTool() { return FindTool(c_drawShape); }

    static int32_t c_drawShape;
    static fw::CPoint c_down;
    static unsigned c_nDownFlags;
    static fw::CPoint c_last;

private:
    int32_t m_drawShape;
};

class CSelectTool : public CDrawTool {
public:
    enum SelectMode { none = 0, netSelect = 1, move = 2, size = 3 };

    CSelectTool() : CDrawTool(selection) {}

    void OnLButtonDown(IGraphPageView* view, unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(IGraphPageView* view, unsigned flags, fw::CPoint point) override;
    void OnLButtonUp(IGraphPageView* view, unsigned flags, fw::CPoint point) override;
    void OnMouseMove(IGraphPageView* view, unsigned flags, fw::CPoint point) override;
    void OnEditProperties(IGraphPageView* view) override;

    static SelectMode c_selectMode;
    static int c_nDragHandle;
    static fw::CPoint c_lastLogical;
};
