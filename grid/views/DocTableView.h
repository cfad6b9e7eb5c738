#pragma once

// The spreadsheet view every table page of a document derives from (the
// project's pages, the measurement-data views, the frequency tables). It
// routes the editing commands to the open cell editor or the grid, keeps
// one level of undo in the document's undo buffer (each replay writes the
// reverse record, so a second undo redoes), saves the page as text, prints
// the grid below a page header, and opens the context and cell menus.

#include "framework/core/CString.h"
#include "framework/core/Gdi.h"
#include "framework/core/Geometry.h"
#include "grid/views/SpredView.h"

#include <cstdint>
#include <vector>

class CGridJob;
class CKivDocBase;
class CTextFile;

namespace fw {
class CArchive;
class CMemFile;
class CMenu;
}

class CDocTableView : public CZELSpredView {
    FW_DECLARE_DYNAMIC(CDocTableView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdUndo = 57643;
    static constexpr unsigned kIdTextSave = 32831;
    static constexpr unsigned kIdInsertRows = 32833;
    static constexpr unsigned kIdDeleteRows = 32834;
    static constexpr unsigned kIdFillDown = 32835;
    static constexpr unsigned kIdColumnWidth = 32836;
    static constexpr unsigned kIdLeftColumnWidth = 32837;
    static constexpr unsigned kIdEditCell = 32838;
    static constexpr unsigned kIdFormatItem = 32840;
    static constexpr unsigned kIdUnitItem = 33108;
    static constexpr unsigned kIdSuperscript = 57340;
    static constexpr unsigned kIdNormalScript = 57341;

    // Undo record codes; 1 to 4 are the grid's own change codes.
    enum UndoCode : int32_t {
        kUndoCell = 1, kUndoBlock = 2, kUndoRowHeights = 3, kUndoColumnWidths = 4,
        kUndoColumn = 100, kUndoDeletedRows = 101, kUndoReinsert = 102, kUndoInsertedRows = 103,
    };

    CDocTableView();

    CKivDocBase* GetKivDoc() const;

    // --- undo
    void DiscardUndo() override;
    void RecordUndo(CZELGridPane* pane, int change, const CCellRange* range) override;
    // Replays the view's record and keeps the reverse one.
    void Undo() override;
    // The document's undo record is this view's and may be replayed.
    virtual bool CanUndo() const;
    // Stores the state of the selection before a change as this view's
    // record (`extra`: the column of code 100); false when none was kept.
    bool RecordSelection(int32_t code, int32_t extra = -1);
    virtual bool WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t extra = -1);
    // Asked before a row command; a view may refuse it.
    virtual bool ConfirmUndoable(int32_t code);

    // --- what the pages answer
    virtual bool CanEdit() const;
    // The selected columns may be edited (a page with read-only columns says no).
    virtual bool CanEditCell(int32_t firstCol, int32_t lastCol) { return true; }
    bool CanEditSelection();
    // Cut and clear have something to clear.
    virtual bool CanClear() const { return true; }
    virtual bool CanFillDown() { return true; }
    // More than one row is selected.
    virtual bool HasSelection() const;
    virtual bool CanInsertRows() { return false; }
    virtual bool CanDeleteRows() { return false; }
    // Text on the clipboard.
    virtual bool CanPaste() const;
    // The last row with a non-empty sheet text in the columns (-1: to the
    // last); -1 when none.
    virtual int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol);
    virtual void FillFromFirstCell();
    // Empties the range as one undoable change.
    virtual void ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow);
    virtual void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    // The lines between the title and the table, in the text and on paper:
    // the frame's information, fields behind `sep`.
    virtual void GetFrameLines(std::vector<fw::CString>& lines, char sep) {}

    // --- the page as text
    // Title, frame lines, header rows and the used sheet rows, cells joined
    // by ',' (as CSV fields) or TAB.
    virtual void WriteText(CTextFile& file, bool csv);
    // CSV when the file name ends ".csv" in any case; false after a
    // reported failure.
    bool SaveTextFile(const fw::CString& path);
    // A comma for a name ending in ".CSV" after its first character, else TAB.
    static char SeparatorFor(const fw::CString& path);
    // The save dialog of the text save; empty when cancelled.
    fw::CString AskTextPath(bool overwritePrompt);
    virtual const char* TextSaveExtension() const { return "csv"; }

    // --- commands
    void OnEditClear();
    void OnEditCopy();
    void OnEditCut();
    virtual void OnEditPaste();
    void OnSelectAll();
    void OnEditUndo();
    virtual void OnFillDown();
    virtual void OnInsertRows();
    virtual void OnDeleteRows();
    virtual void OnTextSave();
    // The width dialog on the sheet's selected columns, or on the corner
    // whose width the row header's first column then takes.
    void OnColumnWidth();
    void OnLeftColumnWidth();
    // Opens the in-cell editor of the current cell, as a double click does.
    void OnEditCell();
    // Raised or normal text in the open in-cell editor.
    void OnScriptCommand(unsigned id);
    void OnUpdateScriptCommand(fw::CCmdUI* ui);

    // --- menus
    // The page's context menu at `screen` ((-1, -1): from the keyboard,
    // inside the top-left corner) with its number-format and unit items
    // opened into their popups; the chosen command (already run), 0 when none.
    unsigned ShowContextMenu(fw::CPoint screen);
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;
    // Opens the first popup of a menu resource under the cell (left
    // aligned at its lower-left corner); a chosen command goes to this
    // view. The command, 0 when none was chosen.
    unsigned OpenCellMenu(unsigned menuId, int32_t col, int32_t row);
    unsigned TrackCellMenu(fw::CMenu& popup, int32_t col, int32_t row);
    // Shows the drop-down button in the current cell, or hides it.
    void SetDropButton(bool on);
    // A numeric in-cell editor taking digits and `allowed`; a typed key
    // starts it only when it is a digit, one of `allowed` or no character.
    static CZELGridRichWnd* MakeNumericEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              const fw::CString& allowed, unsigned ch, unsigned key, bool byKey);

    // --- printing: the title and the frame lines above the grid's pages
    bool OnPreparePrinting(fw::CPrintInfo* info) override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnDraw(fw::CDC* dc) override;
    virtual void DrawPageHeader(fw::CDC& dc);
    // Text lines of the print font above the grid on a page.
    virtual int PrintHeaderLines() const { return 2; }
    // The printed pages of rows 0 to the last used row (at least row 0) and
    // every column, in the rectangle left below the header.
    virtual int GetPrintPageCount(fw::CDC& dc);
    const fw::CRect& GetPrintRect() const { return m_rcPrint; }
    // Where the sheet's cells go on a printed page (logical units, the
    // header panes taken off); empty until printing begins.
    const fw::CRect& GetPrintCellsRect() const { return m_rcPrintCells; }
    // Pages across before down when set (the print options' page order).
    static bool s_bPrintAcrossFirst;

    int32_t m_nContextMenuId = 0;
    bool m_bRowHeaderInText = true;
    fw::LOGFONT m_printFont{};

protected:
    bool EditorOpen() const;
    CCellRange Selection() const;
    int32_t SheetRowCount() const;
    int32_t SheetColumnCount() const;
    // Redraw, modified mark and the column notice for the selection's columns.
    void NotifySelectionColumns();
    // Tells the document's views that the columns changed.
    virtual void AnnounceColumns(int32_t firstCol, int32_t lastCol);
    void WriteBlock(fw::CArchive& ar, const CCellRange& range);
    void ReadBlock(fw::CArchive& ar, const CCellRange& range);
    // The record after its code and selection.
    virtual void WriteRecordBody(fw::CArchive& ar, int32_t code, CGridJob& job, int32_t extra);
    // What a row record carries besides the cells (the data views' samples).
    virtual void WriteUndoExtra(fw::CArchive& ar) {}
    virtual void ReadUndoExtra(fw::CArchive& ar) {}
    // Replays one record; the reverse goes into `reverse`.
    virtual void ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse, bool& reversed);
    // The tail of a replay: redraw and the column notice.
    virtual void AfterUndo(const CCellRange& range, bool rowsChanged);
    // What tells a replay that rows came or went.
    virtual int32_t UndoExtent() { return SheetRowCount(); }
    fw::HWND UndoOwner() const { return GetSafeHwnd(); }
    // Registers the menu resources the context menus load from.
    virtual void EnsureMenus() {}
    // A cell's own context menu at `screen` ((-1, -1): from the keyboard)
    // for the current cell's column; false when the page's menu opens.
    virtual bool OnCellContextMenu(int32_t col, fw::CPoint screen, unsigned& chosen) { return false; }
    // Adjusts the loaded context menu before it opens.
    virtual void PrepareContextMenu(fw::CMenu& popup) {}
    // One line of the page header in the print font, `line` text heights
    // below the top margin.
    void DrawPageHeaderLine(fw::CDC& dc, int line, const fw::CString& text);
    // The page header's height on `dc`: the title and the frame lines.
    int PrintedHeaderHeight(fw::CDC& dc);
    int PrintLineHeight(fw::CDC& dc);
    // The title and the frame lines of the text.
    void WriteTitleLines(CTextFile& file, bool csv);
    // Takes the print rectangle into the grid's printing units once the
    // grid has laid out its pages on `dc`.
    void NotePrintCells(fw::CDC& dc);

    void OnUpdateEditable(fw::CCmdUI* ui);
    void OnUpdateCopy(fw::CCmdUI* ui);
    void OnUpdatePaste(fw::CCmdUI* ui);
    void OnUpdateUndo(fw::CCmdUI* ui);
    void OnUpdateFillDown(fw::CCmdUI* ui);
    void OnUpdateInsertRows(fw::CCmdUI* ui);
    virtual void OnUpdateDeleteRows(fw::CCmdUI* ui);
    void OnUpdateAlways(fw::CCmdUI* ui);
    void OnUpdateWidth(fw::CCmdUI* ui);

    int m_nPrintTextHeight = 0;
    fw::CRect m_rcPrint;
    fw::CRect m_rcPrintCells;
};
