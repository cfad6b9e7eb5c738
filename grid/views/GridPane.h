#pragma once

// One of the four panes of a grid window: the corner, the column header,
// the row header or the sheet. A pane holds no texts; it knows its shape
// through its pane style and asks its grid for what it draws, reads and
// stores. It keeps the scroll position, the selection, the current cell,
// the mouse drag and the in-cell editor.

#include "framework/core/CString.h"
#include "framework/core/Gdi.h"
#include "grid/model/CellFormat.h"
#include "grid/model/GridTypes.h"
#include "grid/views/GridObject.h"

#include <memory>

class CZELDrawCell;
class CZELGrid;
class CZELGridRichWnd;
class CZELPaneStyle;

// Hit-test results.
enum GridHit : int { kHitNone = 0, kHitColumnBorder = 1, kHitRowBorder = 2, kHitCell = 3 };

// Mouse drag states.
enum GridDrag : int {
    kDragIdle = 0,
    kDragCells = 1,
    kDragRows = 2,
    kDragColumns = 3,
    kDragColumnBorder = 5,
    kDragRowBorder = 6,
};

// Where a cell lies relative to the visible part (bits; 0 fully visible).
enum GridCellPosition : int { kCellAbove = 1, kCellBelow = 2, kCellLeft = 4, kCellRight = 8 };

// Scroll requests a pane sends its grid.
enum GridScrollLine : int { kScrollUp = 1, kScrollDown = 2, kScrollLeft = 4, kScrollRight = 8 };

inline constexpr unsigned kAutoScrollTimer = 513;
inline constexpr int kCheckBoxSize = 13;

// Virtual-key codes the pane handles.
namespace vk {
inline constexpr unsigned Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Escape = 0x1B,
                          Space = 0x20, Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24, Left = 0x25,
                          Up = 0x26, Right = 0x27, Down = 0x28, Delete = 0x2E;
}

class CZELGridPane : public CZELGridObject {
    FW_DECLARE_DYNAMIC(CZELGridPane)
public:
    CZELGridPane();
    ~CZELGridPane() override;

    // --- the grid and the style --------------------------------------------------
    CZELGrid* GetGrid() const { return m_pGrid; }
    void SetGrid(CZELGrid* grid) { m_pGrid = grid; }
    CZELPaneStyle* SetPaneStyle(CZELPaneStyle* style);
    CZELPaneStyle* GetPaneStyle() const { return m_pStyle; }
    virtual void AttachPaneStyle(CZELPaneStyle* style) { SetPaneStyle(style); }

    // --- owner callbacks (the subclasses pass them to the grid) --------------------
    virtual void DrawCell(CZELDrawCell& cell);
    virtual bool GetCellText(fw::CString& text, int32_t col, int32_t row, int context) { return false; }
    virtual bool GetEditText(int32_t row, int32_t col, fw::CString& text);
    virtual bool SetCellText(int32_t row, int32_t col, const fw::CString& text) { return true; }
    virtual void OnCellDoubleClick(unsigned flags, fw::CPoint point) {}
    virtual fw::CWnd* GetFocusWindow();
    virtual void NotifyGrid(int code, intptr_t value) {}
    virtual void GetCellFormat(CellFormat& format, int32_t col, int32_t row);
    // Lets the owner change the format of one cell before it is drawn.
    virtual void GetCellFormatForDrawing(CellFormat& format, int32_t col, int32_t row) {}
    virtual void OpenDropDown(int32_t col, int32_t row, int x, int y) {}
    virtual void OnCheckBoxClick(int32_t col, int32_t row, int x, int y) {}
    virtual void OnCurrentCellSet(CCellIndices cell) {}
    virtual void OnEditorOpened() {}
    virtual void OnEditorClosed() {}
    virtual CZELGridRichWnd* CreateEditorByMouse(const fw::CRect& rect, const fw::CString& text, fw::CPoint screen);
    virtual CZELGridRichWnd* CreateEditorByKey(const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                               unsigned key);

    // --- geometry -----------------------------------------------------------------
    CCellIndices GetTopLeft() const { return {m_nTopRow, m_nLeftCol}; }
    void GetCounts(int32_t& cols, int32_t& rows) const;
    int32_t RowCount() const;
    int32_t ColumnCount() const;
    int32_t GetRowHeight(int32_t row) const;
    int32_t GetColumnWidth(int32_t col) const;
    void SetRowHeights(int32_t first, int32_t size, int32_t count);
    void SetColumnWidths(int32_t first, int32_t size, int32_t count);
    int64_t RowSpan(int32_t first, int32_t count) const;
    int64_t ColumnSpan(int32_t first, int32_t count) const;
    int32_t GetRowOffset(int32_t row) const;
    int32_t GetColumnOffset(int32_t col) const;
    fw::CRect GetCellRect(const CCellRange& range) const;
    int32_t CountVisibleColumns(int32_t start, bool wholeOnly) const;
    int32_t CountVisibleRows(int32_t start, bool wholeOnly) const;
    void GetVisibleCounts(int32_t& cols, int32_t& rows) const;
    fw::CSize GetVisibleExtent() const;
    fw::CSize GetTotalExtent() const;
    fw::CSize GetCellAreaSize() const;
    CCellRange GetCellsInRect(const fw::CRect& rect, int32_t startCol, int32_t startRow, bool printing) const;
    void ExpandRectToColumns(fw::CRect& rect, int32_t col, int32_t first, int32_t last) const;
    void ExpandRectToRows(fw::CRect& rect, int32_t row, int32_t first, int32_t last) const;
    int GetCellPosition(int32_t row, int32_t col) const;
    // The client size used for geometry (the print area while printing).
    fw::CSize ClientSize() const;

    // --- scrolling ------------------------------------------------------------------
    void ScrollTo(int32_t leftCol, int32_t topRow);
    void ScrollToCell(int32_t row, int32_t col) { ScrollTo(col, row); }
    // The top-left cell that brings (row, col) into view.
    CCellIndices ComputeVisibleOrigin(int32_t row, int32_t col) const;
    virtual void EnsureVisible(int32_t row, int32_t col, bool repaint);

    // --- selection ---------------------------------------------------------------------
    CCellIndices GetCurrentCell() const { return m_current; }
    CCellRange GetSelection() const { return m_selection; }
    CCellIndices GetSelectionEnd() const { return m_end; }
    void SetSelectionEnd(CCellIndices end) { m_end = end; }
    bool GetCurrentRange(CCellRange& range) const;
    void SetSelection(const CCellRange& range, bool repaintNow);
    void SetSelectionRange(const CCellRange& range, bool keepUnchanged);
    virtual void ResetSelection();
    virtual void SetCurrentCell(CCellIndices cell);
    // Sets the current cell without ending an edit or telling anyone.
    void PlaceCurrentCell(CCellIndices cell);

    // --- painting -----------------------------------------------------------------------
    void PaintArea(fw::CDC& dc, const fw::CRect& area) override;
    void PrepareDC(fw::CDC& dc) override;
    virtual void Paint(fw::CDC& dc, int32_t leftCol, int32_t topRow);
    void SetPrintArea(int x, int y, int width, int height);
    void SetFrame(bool on) { m_bFrame = on; }
    void InvalidateRange(const CCellRange& range);
    void InvalidateRangeCells(const CCellRange& range);
    void InvalidateColumns(int32_t first, int32_t last);
    void InvalidateRows(int32_t first, int32_t last);
    void InvalidateCell(CCellIndices cell);
    void RepaintNow();

    // --- text export ----------------------------------------------------------------------
    bool AppendRowText(fw::CString& text, int32_t row, char sep, bool first, int context, int32_t firstCol,
                       int32_t endCol);

    // --- input ---------------------------------------------------------------------------------
    int HitTest(int x, int y);
    CCellIndices GetHitCell() const { return {m_nHitRow, m_nHitCol}; }
    void OnLButtonDown(unsigned flags, fw::CPoint point) override;
    void OnMouseMove(unsigned flags, fw::CPoint point) override;
    void OnLButtonUp(unsigned flags, fw::CPoint point) override;
    void OnLButtonDblClk(unsigned flags, fw::CPoint point) override;
    void OnTimer(unsigned id) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnSetFocus() override;
    void OnKillFocus() override;
    // The mouse left this pane (capture lost): ends a drag.
    void OnCaptureChanged();
    bool PreTranslateKey(QKeyEvent* event) override;
    void OnInputMethod(QInputMethodEvent* event) override;
    fw::CRect InputMethodRect() const override;
    virtual bool OnKey(unsigned key, unsigned repeat, unsigned flags);
    virtual bool OnCtrlKey(unsigned key, unsigned repeat, unsigned flags);
    void KeepCurrentVisible(unsigned key);
    // A key on the pane (or handed back by the editor) with its modifiers.
    void HandleKey(unsigned key, bool shift, bool ctrl);
    // The key state while a key is handled: 1 Shift, 2 Ctrl.
    void SetKeyState(int state) { m_nKeyState = state; }

    // --- border drags ---------------------------------------------------------------------
    void BeginResizeTrack(int type);
    void EndResizeTrack();
    void SetTrackLimits(int right, int bottom);
    bool GetTrackState(fw::CPoint& point, int& type) const;
    fw::CRect GetTrackerRect() const { return m_rcTracker; }
    int GetDragState() const { return m_nDrag; }

    // --- editing -------------------------------------------------------------------------------
    bool GetEditRect(fw::CRect& rect);
    bool IsEditing() const { return m_bEditing; }
    bool StartEditByMouse(int x, int y);
    bool StartEditByKey(unsigned ch, unsigned key);
    bool EndEdit(unsigned key);
    void CloseEditor();
    CZELGridRichWnd* GetEditor() const { return m_pEditor.get(); }
    const QKeyEvent* TypedKey() const { return m_pTypedKey; }

    void NotifyParent(uint32_t message, int code);

protected:
    void BeginDragSelection(int code);
    void ExtendSelectionTo(CCellIndices cell, int code);
    void SelectRangeAndNotify(CCellRange range, int code);
    void DrawCells(fw::CDC& dc, const CCellRange& range, int32_t originCol, int32_t originRow, fw::CSize extent);
    void DrawHorizontalLines(fw::CDC& dc, int32_t topRow, const CCellRange& range, int width, int height,
                             fw::COLORREF color, int penStyle);
    void DrawVerticalLines(fw::CDC& dc, int32_t leftCol, const CCellRange& range, int width, int height,
                           fw::COLORREF color, int penStyle);
    void DrawSelection(fw::CDC& dc, const fw::CRect& clip);
    void EraseBackground(fw::CDC& dc);
    bool HasFocus() const;
    fw::CRect RangePixels(const CCellRange& range) const;
    void MoveEditorWithCells(int32_t leftCol, int32_t topRow);
    void ApplyKeyMove(unsigned key, CCellIndices oldCurrent, const CCellRange& oldSel);
    bool CheckBoxClick(CCellIndices cell, fw::CPoint point);

    CZELGrid* m_pGrid = nullptr;
    int32_t m_nTopRow = -1;
    int32_t m_nLeftCol = -1;
    CZELPaneStyle* m_pStyle = nullptr;
    fw::CPen m_selPen;
    fw::CBrush m_selBrush;
    int m_nDrag = kDragIdle;
    fw::CPoint m_ptLast;
    CCellRange m_selection;
    CCellIndices m_current{0, 0};
    CCellIndices m_end{0, 0};
    fw::CRect m_rcPrint;
    bool m_bPrinting = false;
    bool m_bFrame = true;
    fw::CRect m_rcLimits;
    int m_nTrackType = 0;
    fw::CRect m_rcTracker;
    fw::CPoint m_ptGrab;
    int32_t m_nHitCol = -1;
    int32_t m_nHitRow = -1;
    bool m_bTracking = false;
    bool m_bCaptured = false;
    bool m_bEditing = false;
    int m_nKeyState = 0;
    fw::CString m_strEdit;
    std::unique_ptr<CZELGridRichWnd> m_pEditor;
    // The key being typed while an editor opens for it.
    const QKeyEvent* m_pTypedKey = nullptr;
    // The inside of the current cell while painting (left out of the selection).
    fw::CRect m_rcKeep;
};
