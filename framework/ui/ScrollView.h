#pragma once

// A view larger than its window: scroll bars over a total size in logical
// units of a fixed mapping mode; OnPrepareDC moves the origin by the
// scroll position, so OnDraw draws the whole document and sees the part
// in view.

#include "framework/core/Gdi.h"
#include "framework/ui/View.h"

class QAbstractScrollArea;

namespace fw {

class CScrollView : public CView {
    FW_DECLARE_DYNAMIC(CScrollView)
public:
    CScrollView();

    // `page` and `line` 0: a tenth of the total and of the page.
    void SetScrollSizes(int mapMode, CSize total, CSize page = CSize(), CSize line = CSize());
    CSize GetTotalSize() const { return m_totalLog; }
    int GetMapMode() const { return m_nMapMode; }
    // The top-left corner in view, logical units.
    CPoint GetScrollPosition() const;
    CPoint GetDeviceScrollPosition() const;
    void ScrollToPosition(CPoint logical);

    void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
    QAbstractScrollArea* ScrollArea() const;
    QWidget* PaintSurface() const override;

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;

private:
    friend class ScrollViewWidget;
    // Logical to device size on the virtual display.
    CSize ToDevice(CSize logical) const;
    double UnitsPerPixel(bool vertical) const;
    void UpdateBars();

    int m_nMapMode = MM_TEXT;
    CSize m_totalLog;
    CSize m_pageLog;
    CSize m_lineLog;
};

} // namespace fw
