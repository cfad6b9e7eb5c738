#pragma once

// The spreadsheet-like window on which every table of the program is
// drawn. It owns four panes (corner, column header, row header, sheet),
// keeps them laid out, scrolled and selected together, and never stores a
// cell text: every text is asked from, or handed to, the owner through the
// per-pane callbacks below, which a derived grid or a view overrides.

#include "framework/core/CString.h"
#include "grid/model/CellFormat.h"
#include "grid/model/GridStyleClient.h"
#include "grid/model/GridTypes.h"
#include "grid/views/GridObject.h"

#include <array>
#include <memory>
#include <vector>

class CZELDrawCell;
class CZELGridArray;
class CZELGridPane;
class CZELGridRichWnd;
class CZELGridStyle;
class CGridJob;
class QScrollBar;
class QWidget;

namespace fw {
class CArchive;
class CFile;
struct CPrintInfo;
}

// Control ids of the panes, the pane codes of the grid messages.
enum GridPaneId : int { kIdCorner = 11, kIdColumnHeader = 12, kIdRowHeader = 13, kIdSheet = 14 };
// Indexes of GetPane.
enum GridPaneIndex : int { kIndexSheet = 0, kIndexRowHeader = 1, kIndexColumnHeader = 2, kIndexCorner = 3 };

// Change codes of RecordUndo.
enum GridChange : int { kChangeEdit = 1, kChangePaste = 2, kChangeRowHeights = 3, kChangeColumnWidths = 4 };

// Scroll codes (low byte horizontal, high byte vertical).
enum GridScrollCode : int {
    SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5,
    SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8, SB_NONE = 0xFF,
};

class CZELGrid : public CZELGridObject, public IGridStyleClient {
    FW_DECLARE_DYNAMIC(CZELGrid)
public:
    CZELGrid();
    ~CZELGrid() override;

    virtual bool Create(const fw::CRect& rect, fw::CWnd* parent, int id);

    // --- style, panes, layout -------------------------------------------------------
    virtual void SetStyle(CZELGridStyle* style);
    virtual void ApplyStyle(bool repaint);
    virtual CZELGridStyle* GetStyle() const { return m_pStyle; }
    CZELGridPane* GetSheetPane() const { return GetPane(kIndexSheet); }
    CZELGridPane* GetPane(int index) const;
    CZELGridPane* PaneById(int id) const;
    virtual void RecalcLayout(bool repaint);
    fw::CSize GetHeaderSize() const;
    // The row header's width and the column header's height.
    fw::CSize GetHeaderExtent() const;
    virtual void ShowRowHeader(bool show);
    virtual void ShowColumnHeader(bool show);
    virtual void RedrawPanes();
    // Repaints part of one pane (by index): a range as one rectangle or
    // cell by cell, or the visible cells of a run of columns or rows.
    void InvalidateRange(int pane, const CCellRange& range);
    void InvalidateRangeCells(int pane, const CCellRange& range);
    void InvalidateColumns(int pane, int32_t first, int32_t last);
    void InvalidateRows(int pane, int32_t first, int32_t last);
    // Grows a one-cell rectangle of a pane over the other lines of a span.
    void ExtendRectRows(int pane, fw::CRect& rect, int32_t row, int32_t first, int32_t last) const;
    void ExtendRectColumns(int pane, fw::CRect& rect, int32_t col, int32_t first, int32_t last) const;
    // The corner's extent plus the sheet's; the headers plus the visible sheet.
    fw::CSize GetContentExtent() const;
    fw::CSize GetVisibleExtent() const;
    void ResetPaneMetrics() {}
    fw::CRect SheetClientRect() const;

    // --- scrolling --------------------------------------------------------------------------
    virtual void ScrollTo(int32_t leftCol, int32_t topRow);
    void ScrollToCell(int32_t row, int32_t col) { ScrollTo(col, row); }
    // Scrolls so that the cell shows, repainting at once when asked.
    void ScrollToCell(int32_t row, int32_t col, bool repaint) { EnsureCellVisible(row, col, repaint); }
    virtual void ScrollPanes();
    virtual void SyncScrollPos();
    virtual void EnsureCellVisible(int32_t row, int32_t col, bool repaint);
    virtual bool OnScroll(unsigned code, int pos, bool doScroll);
    virtual bool OnScrollBy(int dx, int dy, bool doScroll);
    virtual void OnScrollTo(int32_t leftCol, int32_t topRow);
    virtual int32_t GetScrollLimit(int bar, int32_t pos) const;
    virtual void UpdateScrollBars();
    int32_t CountFittingRows(int32_t start, int64_t pixels, bool wholeOnly) const;
    int32_t CountFittingColumns(int32_t start, int64_t pixels, bool wholeOnly) const;
    CCellIndices GetTopLeftCell() const { return {m_nTopRow, m_nLeftCol}; }
    CCellIndices GetBottomRightCell() const;
    void GetVisibleCellCount(int32_t& cols, int32_t& rows) const;
    QScrollBar* ScrollBar(int bar) const;
    // Whether that axis may scroll (the style asks for its bar).
    bool CanScroll(int bar) const;
    // Whether this grid shows that bar itself (in a splitter only the
    // panes on the outer edge do, for their whole row or column).
    virtual bool ShowsScrollBar(int bar) const { return CanScroll(bar); }
    // The thumb of a bar is being dragged (on) or was let go (off).
    virtual void OnThumbTracking(int bar, bool on) {}

    // --- selection -------------------------------------------------------------------------
    virtual void SetSelection(const CCellRange& range, CCellIndices current, CCellIndices anchor, bool repaint);
    virtual CCellRange GetSelection() const;
    virtual void OnSheetCurrentCellChanged(CCellIndices cell, CZELGridPane* from);
    static void InitPosition(CGridPosition& position) { position = {{0, 0, 0, 0}, {0, 0}, {0, 0}, {0, 0}}; }
    virtual void SavePosition(CGridPosition& position) const;
    virtual void RestorePosition(const CGridPosition& position);
    // The same through the range job record that undo steps carry.
    void GetSelectionJob(CGridJob& job) const;
    void ApplySelectionJob(const CGridJob& job);

    // --- owner callbacks ---------------------------------------------------------------------
    virtual void DrawTagCell(CZELDrawCell& cell);
    virtual void DrawColumnHeaderCell(CZELDrawCell& cell);
    virtual void DrawRowHeaderCell(CZELDrawCell& cell);
    virtual void DrawSheetCell(CZELDrawCell& cell);
    virtual bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) { return false; }
    virtual bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) { return false; }
    virtual bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) { return false; }
    virtual bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) { return false; }
    virtual bool GetTagEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetTagText(int32_t row, int32_t col, const fw::CString& text) { return false; }
    virtual bool GetColumnHeaderEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetColumnHeaderText(int32_t row, int32_t col, const fw::CString& text) { return false; }
    virtual bool GetRowHeaderEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetRowHeaderText(int32_t row, int32_t col, const fw::CString& text) { return false; }
    virtual bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) { return false; }
    virtual bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) { return false; }
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
    virtual void OnEditorOpened(CZELGridPane* pane);
    virtual void OnEditorClosed(CZELGridPane* pane);
    virtual void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) {}
    virtual void OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint screen) {}
    // The user asked for a context menu on a sheet cell.
    virtual void OnSheetContextMenu(int32_t row, int32_t col, fw::CPoint screen) {}
    virtual void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) {}
    virtual fw::CWnd* GetFocusWindow();
    virtual void OnPaneFocus();

    // --- text export, clipboard, fill ------------------------------------------------------
    bool AppendColumnHeaderLine(fw::CString& text, int32_t row, char sep, bool lineStart, int32_t firstCol,
                                int32_t lastCol);
    bool AppendTagLine(fw::CString& text, int32_t row, char sep);
    bool AppendSheetLine(fw::CString& text, int32_t row, char sep, bool lineStart, int32_t firstCol,
                         int32_t lastCol);
    // The selection as text (TAB between cells, CR LF after every row).
    virtual bool WriteSelectionText(fw::CArchive& ar, const CCellRange& range);
    // Copies the selection to the clipboard; false when the text could not be built.
    virtual bool CopyToClipboard();
    virtual bool PasteFromClipboard();
    virtual bool PasteFromFile(fw::CFile* file);
    virtual void MeasurePasteBlock(fw::CSize& size, fw::CFile& file);
    virtual void ReadTextIntoRange(fw::CArchive& ar, const CCellRange& range);
    virtual void FillDown();
    virtual CZELGridRichWnd* GetActiveEditor();
    CZELGridRichWnd* GetCellEditor() { return GetActiveEditor(); }

    // --- printing -----------------------------------------------------------------------------
    virtual int BeginPrint(fw::CDC& dc, fw::CRect rect, bool convert, int32_t lastRow, int32_t lastCol,
                           bool acrossFirst);
    virtual int PaginateDown(std::vector<CCellIndices>& pages, int64_t width, int64_t height, int32_t lastRow,
                             int32_t lastCol);
    virtual int PaginateAcross(std::vector<CCellIndices>& pages, int64_t width, int64_t height, int32_t lastRow,
                               int32_t lastCol);
    virtual void PrintPage(fw::CDC& dc, const fw::CPrintInfo& info);
    virtual void PrintPageIndex(fw::CDC& dc, int index);
    virtual void DrawPrintPage(fw::CDC& dc, int32_t colStart, int32_t rowStart);
    const std::vector<CCellIndices>& GetPages() const { return m_pages; }
    // The names the data views print with.
    int CountPrintPages(fw::CDC& dc, const fw::CRect& rect, bool convert, int32_t lastRow, int32_t lastCol,
                        bool acrossFirst)
    {
        return BeginPrint(dc, rect, convert, lastRow, lastCol, acrossFirst);
    }
    fw::CSize GetPrintHeaderSize() const { return GetHeaderSize(); }

    // --- messages and events -------------------------------------------------------------
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void OnSize(unsigned type, int cx, int cy) override;
    // The panes cover the grid; what they leave (the corner between the
    // scroll bars) shows the button face.
    void PaintArea(fw::CDC& dc, const fw::CRect& area) override;
    bool OnMouseWheel(unsigned flags, short delta, fw::CPoint point) override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnSetFocus() override;
    // A key the sheet did not use: paging, Home and End.
    virtual void HandleKey(unsigned key, bool shift, bool ctrl);
    // The wheel lines per notch (3).
    static int WheelScrollLines();

    // --- IGridStyleClient --------------------------------------------------------------------
    CCellIndices GetStyleCurrentCell() const override;
    CCellRange GetStyleSelection() const override;
    void SetStyleSelection(const CCellRange& range, CCellIndices current, CCellIndices end) override;
    CCellIndices GetStyleTopLeft() const override { return GetTopLeftCell(); }
    void ScrollStyleTo(CCellIndices topLeft) override { ScrollTo(topLeft.col, topLeft.row); }
    void DropStyle() override;
    void RedrawStyleNow() override { RedrawPanes(); }

protected:
    void OnPaneSelChange(int id, int flags);
    void OnScrollLine(int id, int direction);
    void OnTrack(uint32_t message, int id);
    void ComputeTracker(int id);
    void DrawTracker();
    int32_t PageStep(int bar, bool down) const;
    void CreateScrollBars();
    // The grid's parent, where selection changes go.
    fw::CWnd* NotifyTarget() const;
    void NotifyParentSelChange(intptr_t lParam);

    std::array<std::unique_ptr<CZELGridPane>, 4> m_panes;
    CZELGridArray* m_pRowHeights = nullptr;
    CZELGridArray* m_pColWidths = nullptr;
    int32_t m_nTopRow = -1;
    int32_t m_nLeftCol = -1;
    CZELGridStyle* m_pStyle = nullptr;
    std::vector<CCellIndices> m_pages;
    int m_nTrackKind = 0;
    fw::CRect m_rcTracker;
    fw::CRect m_rcPrint;
    std::array<std::array<uint8_t, 2>, 4> m_savedResize{};
    QScrollBar* m_bars[2] = {nullptr, nullptr};
    bool m_bUpdatingBars = false;
    QWidget* m_pTrackerLine = nullptr;
    friend class CZELGridPane;
};
