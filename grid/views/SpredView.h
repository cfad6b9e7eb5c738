#pragma once

// The document view every table page derives from. It owns a view grid
// whose owner callbacks all come back to the view, so a page answers cell
// texts, edits, double clicks and undo hooks by overriding view
// operations only. Views may share a grid splitter, which keeps the panes
// of one splitter row or column scrolled together and their selections equal.

#include "framework/ui/SplitterWnd.h"
#include "framework/ui/View.h"
#include "grid/views/Grid.h"

#include <memory>

class CZELSpredView;

class CZELViewGrid : public CZELGrid {
    FW_DECLARE_DYNAMIC(CZELViewGrid)
public:
    explicit CZELViewGrid(CZELSpredView* view = nullptr) : m_pView(view) {}
    CZELSpredView* GetView() const { return m_pView; }
    void SetView(CZELSpredView* view) { m_pView = view; }

    void EnsureCellVisible(int32_t row, int32_t col, bool repaint) override;
    void OnTagDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnColumnHeaderDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnRowHeaderDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnPaneFocus() override;
    void DrawTagCell(CZELDrawCell& cell) override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    void DrawRowHeaderCell(CZELDrawCell& cell) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetTagEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetTagText(int32_t row, int32_t col, const fw::CString& text) override;
    bool GetColumnHeaderEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetColumnHeaderText(int32_t row, int32_t col, const fw::CString& text) override;
    bool GetRowHeaderEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetRowHeaderText(int32_t row, int32_t col, const fw::CString& text) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void DiscardUndo() override;
    void RecordUndo(CZELGridPane* pane, int change, const CCellRange* range) override;
    void OnEditorClosed(CZELGridPane* pane) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    void OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint screen) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    bool OnMouseWheel(unsigned flags, short delta, fw::CPoint point) override;
    void HandleKey(unsigned key, bool shift, bool ctrl) override;
    void OnScrollTo(int32_t leftCol, int32_t topRow) override;
    bool ShowsScrollBar(int bar) const override;
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

private:
    CZELSpredView* m_pView;
};

// A view grid whose scroll bars cover only the used part of the table.
class CZELGridEX : public CZELViewGrid {
    FW_DECLARE_DYNAMIC(CZELGridEX)
public:
    using CZELViewGrid::CZELViewGrid;
    int32_t GetScrollLimit(int bar, int32_t pos) const override;
    void OnScrollTo(int32_t leftCol, int32_t topRow) override;
    void SetUsedExtent(int axis, int32_t extent);
    // While a thumb is dragged the bar covers the whole table; letting it
    // go fits the bar to the used part again.
    void OnThumbTracking(int bar, bool on) override;

private:
    int32_t m_nUsedCols = 0;
    int32_t m_nUsedRows = 0;
    bool m_bTrackH = false;
    bool m_bTrackV = false;
};

class CZELGridSplitter : public fw::CSplitterWnd {
    FW_DECLARE_DYNCREATE(CZELGridSplitter)
public:
    // The other panes of the view's splitter row and column take their
    // grids' scroll positions again and repaint.
    virtual void SyncScroll(CZELSpredView* view);
    // Places a pane so that it continues its neighbours.
    virtual void AlignPane(CZELSpredView* view);
    // Copies the source's selection to the target, or to every other pane.
    virtual void SyncSelection(CZELSpredView* source, CZELSpredView* target, bool repaint);
    // The splitter row and column of a view; false when it is not a pane here.
    bool FindPane(const fw::CWnd* view, int& row, int& col) const;
    CZELSpredView* ViewAt(int row, int col) const;
};

class CZELSpredView : public fw::CView {
    FW_DECLARE_DYNAMIC(CZELSpredView)
public:
    static constexpr int kGridId = 10;

    CZELSpredView();
    ~CZELSpredView() override;

    bool Create(QWidget* parent, fw::CDocument* document) override;

    virtual CZELViewGrid* GetGrid() const { return m_pGrid.get(); }
    virtual void SetGridStyle(CZELGridStyle* style);
    virtual void ArrangeSplitterHeaders();
    virtual void GetVisibleCellCount(int32_t& cols, int32_t& rows) const { m_pGrid->GetVisibleCellCount(cols, rows); }
    virtual void SyncScrollPos() { m_pGrid->SyncScrollPos(); }
    virtual void ScrollTo(int32_t leftCol, int32_t topRow) { m_pGrid->ScrollTo(leftCol, topRow); }
    virtual void ScrollToCell(int32_t row, int32_t col) { m_pGrid->ScrollToCell(row, col); }
    virtual CCellIndices GetTopLeftCell() const { return m_pGrid->GetTopLeftCell(); }
    virtual CCellIndices GetBottomRightCell() const { return m_pGrid->GetBottomRightCell(); }

    virtual void DrawTagCell(CZELDrawCell& cell);
    virtual void DrawColumnHeaderCell(CZELDrawCell& cell);
    virtual void DrawRowHeaderCell(CZELDrawCell& cell);
    virtual void DrawSheetCell(CZELDrawCell& cell);
    virtual bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display);
    virtual bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display);
    virtual bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display);
    virtual bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display);
    virtual bool GetTagEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetTagText(int32_t row, int32_t col, const fw::CString& text) { return false; }
    virtual bool GetColumnHeaderEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetColumnHeaderText(int32_t row, int32_t col, const fw::CString& text) { return false; }
    virtual bool GetRowHeaderEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetRowHeaderText(int32_t row, int32_t col, const fw::CString& text) { return false; }
    virtual bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) { return false; }
    virtual void OnCurrentCellChanged();
    virtual void OnTagDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) {}
    virtual void OnColumnHeaderDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) {}
    virtual void OnRowHeaderDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) {}
    virtual void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) {}
    virtual CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              fw::CPoint screen);
    virtual CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect,
                                                    const fw::CString& text, unsigned ch, unsigned key);
    virtual void DiscardUndo() {}
    virtual void RecordUndo(CZELGridPane* pane, int change, const CCellRange* range) {}
    virtual void ActivateView();
    virtual void OnEditorClosed() {}
    virtual void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) {}
    virtual void SyncSplitterIfPending();
    virtual void OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint screen) {}
    virtual void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) {}
    virtual void Undo() {}

    void OnDraw(fw::CDC* dc) override {}
    void OnPaint() override;
    void OnSize(unsigned type, int cx, int cy) override;
    void OnSetFocus() override;
    void OnPrepareDC(fw::CDC* dc, fw::CPrintInfo* info = nullptr) override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // The splitter the view is a pane of, or none.
    CZELGridSplitter* GetSplitter() const;

protected:
    // Views whose grid scrolls only over its used part make a CZELGridEX.
    void ReplaceGrid(std::unique_ptr<CZELViewGrid> grid) { m_pGrid = std::move(grid); }

    std::unique_ptr<CZELViewGrid> m_pGrid;
    bool m_bSyncPending = true;
    int32_t m_nMarginLeft = 100;
    int32_t m_nMarginTop = 100;
    int32_t m_nMarginRight = 200;
    int32_t m_nMarginBottom = 200;
};
