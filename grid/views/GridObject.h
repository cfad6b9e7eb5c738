#pragma once

// The window base of the grid and of its panes: a child window that
// paints through a device context, remembers where it sits in its parent
// and, while printing, maps one logical unit to one screen pixel.

#include "framework/core/Geometry.h"
#include "framework/ui/Wnd.h"

class QPainter;
class QInputMethodEvent;
class QKeyEvent;

namespace fw {
class CDC;
}

// Messages between panes, grid and the grid's parent.
inline constexpr uint32_t WM_GRID_TRACK_BEGIN = fw::WM_USER + 6;
inline constexpr uint32_t WM_GRID_TRACK_MOVE = fw::WM_USER + 7;
inline constexpr uint32_t WM_GRID_TRACK_END = fw::WM_USER + 8;
inline constexpr uint32_t WM_GRID_SELCHANGE = fw::WM_USER + 9;
inline constexpr uint32_t WM_GRID_SCROLLLINE = fw::WM_USER + 10;

class CZELGridObject : public fw::CWnd {
    FW_DECLARE_DYNAMIC(CZELGridObject)
public:
    CZELGridObject() = default;

    // A child window of `parent` (or a top-level one without parent).
    virtual bool CreateChild(const fw::CRect& rect, fw::CWnd* parent, int id);
    virtual void Destroy() { DestroyWindow(); }
    virtual void SetVisible(bool visible);
    bool IsVisible() const { return m_bVisible; }
    // Printing: one logical unit is one screen pixel, and the origin moves
    // by the window's place in its parent.
    virtual void PrepareDC(fw::CDC& dc);
    virtual void RestoreDC(fw::CDC& dc);
    // Where this window sits in its parent.
    fw::CPoint GetPosition() const { return m_ptPos; }
    void SetPosition(fw::CPoint p) { m_ptPos = p; }

    // Painting hook of the widget: the window paints `area` (device units).
    virtual void PaintArea(fw::CDC& dc, const fw::CRect& area) {}
    // Keys before the window's own handling; true consumes the key.
    virtual bool PreTranslateKey(QKeyEvent* event) { return false; }
    virtual void OnInputMethod(QInputMethodEvent* event) {}
    virtual bool AcceptsInputMethod() const { return false; }
    // Where the input method places its candidate window.
    virtual fw::CRect InputMethodRect() const { return fw::CRect(); }

protected:
    // Applies the printer mapping and moves the origin by `origin` (logical).
    void PreparePrinting(fw::CDC& dc, fw::CPoint origin);

    fw::CPoint m_ptPos;
    bool m_bVisible = true;
    bool m_bPainted = true;
    fw::CRect m_rcPainted;
    fw::CPoint m_ptSavedOrg;
};

// Screen pixels per inch, which styles and print scaling assume.
int ScreenDpi();
