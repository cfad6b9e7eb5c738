#pragma once

// The view of a graph page: draws the page through an off-screen bitmap,
// keeps a selection, hands the mouse to the selection tool, offers cut,
// copy, paste, delete, select all, stacking order, size reset and
// properties, and prints the page on one sheet inside the printer margins.
// The graph views derive from it and add the graph commands.
//
// One logical unit is one pixel of the display on every device: on the
// screen logical and device units coincide (apart from scrolling), on a
// printer the page is scaled by the printer's resolution over the display's.

#include "docbase/doc/FramePlacement.h"
#include "docbase/graphpage/GraphPageView.h"
#include "docbase/graphpage/ZELGraphViewDoc.h"
#include "framework/ui/View.h"

#include "framework/core/StandardCommands.h"

#include <array>
#include <cstdint>

namespace fw {
class CCmdUI;
}

// Edit commands of the view (the framework's numbers).
using fw::ID_EDIT_CLEAR;
using fw::ID_EDIT_COPY;
using fw::ID_EDIT_CUT;
using fw::ID_EDIT_PASTE;
using fw::ID_EDIT_SELECT_ALL;
using fw::ID_OLE_INSERT_NEW;
using fw::ID_WINDOW_NEW;
// Commands whose handlers are here and whose entries the graph views add.
inline constexpr unsigned ID_DRAW_AREA_LOCK = 32890;
inline constexpr unsigned ID_OBJECT_PROPERTIES = 32895;
inline constexpr unsigned ID_OBJECT_RESET_SIZE = 32896;
inline constexpr unsigned ID_OBJECT_MOVE_TO_FRONT = 32909;
inline constexpr unsigned ID_OBJECT_MOVE_TO_BACK = 32910;
inline constexpr unsigned ID_CANCEL_EDIT_CNTR = 32768;

class CZELGraphView : public fw::CView, public IGraphPageView, public IPlacedView {
    FW_DECLARE_DYNCREATE(CZELGraphView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr fw::COLORREF kWindowColor = fw::RGB(255, 255, 255);
    static constexpr fw::COLORREF kOutsideColor = fw::RGB(128, 128, 128);

    CZELGraphView();
    ~CZELGraphView() override;

    CZELGraphViewDoc* GetDocument() const;
    // Joins `document` without a window (a view that only draws and
    // prints, and tests).
    void AttachDocument(CZELGraphViewDoc* document);

    // --- the framework's view -------------------------------------------------
    void OnDraw(fw::CDC* dc) override;
    void OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info = nullptr) override;
    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnActivateView(bool activate, fw::CView* activateView, fw::CView* deactiveView) override;
    bool OnPreparePrinting(fw::CPrintInfo* info) override { return true; }
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnEndPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnSize(unsigned type, int cx, int cy) override;
    void OnLButtonDown(unsigned flags, fw::CPoint point) override;
    void OnLButtonUp(unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(unsigned flags, fw::CPoint point) override;
    void OnMouseMove(unsigned flags, fw::CPoint point) override;

    // --- page layout ------------------------------------------------------------
    virtual void LayoutObjects(const fw::CRect& area);
    virtual void NotifyViewInitialUpdate(CZELGraphView* view);
    virtual void NotifyPrinting(bool begin);
    // The page follows a new client size unless the drawing area is locked.
    void ResizePage(int cx, int cy);
    fw::CRect GetLastClickRect() const;
    fw::CPoint GetLastClickPoint() const { return m_lastClick; }
    const fw::CRect& GetPrintArea() const { return m_printArea; }
    fw::CSize GetScrollSizes() const { return m_scrollSizes; }
    fw::CPoint GetScrollPosition() const { return m_scrollPos; }
    void SetActive(bool active) { m_bActive = active; }

    // --- IGraphPageView -----------------------------------------------------------
    CZELGraphViewDoc* GetGraphDoc() const override { return GetDocument(); }
    void DocToClient(fw::CPoint& point) const override;
    void DocToClient(fw::CRect& rect) const override;
    void ClientToDoc(fw::CPoint& point) const override;
    void ClientToDoc(fw::CRect& rect) const override;
    void InvalObj(CDrawObj* object) override;
    const CDrawObjList& GetSelection() const override { return m_selection; }
    bool IsSelected(const CDrawObj* object) const override;
    void Select(CDrawObj* object, bool add = false) override;
    void SelectWithinRect(fw::CRect rect, bool add = false) override;
    void Deselect(CDrawObj* object) override;
    void CloneSelection() override;
    bool IsActive() const override { return m_bActive; }
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override { return m_bCapture; }
    void SetCursor(GraphCursor cursor) override;
    void DrawFocusRect(const fw::CRect& rect) override;
    void UpdateOtherViews() override;

    // --- IPlacedView: the placement of the view's frame ----------------------------
    uint32_t FrameKey() const override;
    FramePlacement GetFramePlacement() const override;
    void SetFramePlacement(const FramePlacement& placement) override;

    // --- commands -------------------------------------------------------------------
    void OnEditSelectAll();
    void OnUpdateEditSelectAll(fw::CCmdUI* ui);
    void OnEditClear();
    void OnUpdateEditClear(fw::CCmdUI* ui);
    void OnEditCopy();
    void OnUpdateEditCopy(fw::CCmdUI* ui);
    void OnEditCut();
    void OnUpdateEditCut(fw::CCmdUI* ui);
    // Data that is not a drawing-object archive pastes nothing; the reason
    // is shown.
    void OnEditPaste();
    void OnUpdateEditPaste(fw::CCmdUI* ui);
    void OnUpdateAlwaysDisabled(fw::CCmdUI* ui);
    void OnDrawAreaLock();
    void OnUpdateDrawAreaLock(fw::CCmdUI* ui);
    void OnObjectProperties();
    void OnUpdateSingleSelection(fw::CCmdUI* ui);
    void OnObjectResetSize();
    void OnUpdateObjectResetSize(fw::CCmdUI* ui);
    void OnObjectMoveToFront();
    void OnUpdateObjectMoveToFront(fw::CCmdUI* ui);
    void OnObjectMoveToBack();
    void OnUpdateObjectMoveToBack(fw::CCmdUI* ui);
    void OnCancelEditCntr();

protected:
    QWidget* CreateViewWidget(QWidget* parent) override;
    // What the window shows of the page: the client area, or the whole page
    // without a window.
    fw::CRect GetVisibleClient() const;
    void DrawObjects(fw::CDC* dc);
    void InvalidateSelection();
    bool CanEditSelection(bool needDelete, bool needCopy) const;
    void SetScrollSizes(fw::CSize total);
    // The parent frame, in its normal state, sized so that the view shows
    // the whole page (its position and place among the windows kept).
    void ResizeFrameToPage();
    // Grows or shrinks the parent frame by the difference between
    // `viewSize` and the view's client size; `normal` restores it first.
    void ResizeFrameBy(fw::CSize viewSize, bool normal);

    CDrawObjList m_selection;
    bool m_bActive = false;
    fw::CPoint m_lastClick{30, 50};
    fw::CRect m_printArea;
    std::array<int32_t, 4> m_printMargins{};
    fw::CPoint m_scrollPos;
    fw::CSize m_scrollSizes;
    bool m_bCapture = false;
    fw::CRect m_band;  // the rubber band, device units
    bool m_bandShown = false;
};
