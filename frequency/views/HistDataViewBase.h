#pragma once

// The spreadsheet view the three tables of a frequency document derive
// from: the shared edit commands and their enabling rules under the edit
// lock, a one-level undo journal kept in the document's undo buffer, the
// text save of the table with the title and the frame's information line
// above it, the context menu, and printing with a two-line page header.

#include "framework/core/CString.h"
#include "framework/core/Gdi.h"
#include "grid/views/SpredView.h"

#include <cstdint>

class CHistDoc;
class CHistFrame;
class CTextFile;
class CUndoBuffer;
struct CCellRange;

namespace fw {
class CArchive;
class CCmdUI;
class CMemFile;
}

class CHistDataViewBase : public CZELSpredView {
    FW_DECLARE_DYNAMIC(CHistDataViewBase)
    FW_DECLARE_COMMANDS()
public:
    // Undo record codes.
    enum UndoCode : int32_t {
        kUndoCell = 1, kUndoRange = 2, kUndoColumnWidths = 3, kUndoRowHeights = 4,
        kUndoColumn = 100, kUndoDeletedRows = 101, kUndoInsertedRows = 102, kUndoInsertedRows2 = 103,
        kUndoOutsideDeleted = 106, kUndoOutsideAgain = 107,
    };
    // The header of a printed page: the title and the information line.
    static constexpr int kHeaderLines = 2;

    CHistDataViewBase();
    ~CHistDataViewBase() override;

    CHistDoc* GetHistDoc() const;
    // The frequency frame the view sits in, or none.
    CHistFrame* GetHistFrame() const;

    // --- the page as text ----------------------------------------------------------------
    // Title, the frame's information line, the header rows and the used
    // sheet rows, each cell after the first behind `sep`.
    virtual void WriteText(CTextFile& file, char sep);
    // The last row from `first` on (up to `limit`, -1 without one) whose
    // sheet holds a text; -1 when none.
    virtual int32_t GetLastUsedRow(int32_t first, int32_t limit);
    // Writes the page into `path` (comma-separated for a ".CSV" name); a
    // failure was told to the user.
    bool SaveTextFile(const fw::CString& path);
    // A comma when the upper-cased file name ends in ".CSV" after its
    // first character, else TAB.
    static char SeparatorFor(const fw::CString& path);
    // The save dialog of the text save; empty when cancelled.
    static fw::CString AskTextPath(bool overwritePrompt);

    // --- row operations: the frequency tables have none ----------------------------------
    virtual void ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void DeleteOutsideRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual bool CanClear() const { return false; }
    virtual bool CanInsert() const { return false; }
    virtual bool CanDelete() const { return false; }
    // Text on the clipboard.
    virtual bool CanPaste() const;

    // --- undo ----------------------------------------------------------------------------
    // The document's undo buffer holds a record of this view.
    bool CanUndo() const;
    // Replays the view's record and keeps the reverse one.
    void Undo() override;
    // One record into `file`; `extra` is the column of code 100.
    virtual bool WriteUndoData(fw::CMemFile& file, int32_t code, int32_t extra);
    // Records the state before a change as this view's undo record.
    bool WriteUndoRecord(int32_t code, int32_t extra = -1);
    bool SaveUndo(int32_t code) { WriteUndoRecord(code); return true; }
    void DiscardUndo() override;
    void RecordUndo(CZELGridPane* pane, int change, const CCellRange* range) override;

    // --- view -----------------------------------------------------------------------------
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void OnDraw(fw::CDC* dc) override;
    bool OnPreparePrinting(fw::CPrintInfo* info) override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;
    void SetGridStyle(CZELGridStyle* style) override;
    // Printed pages of the grid on `dc` over the print rectangle.
    virtual int CountPrintPages(fw::CDC& dc);
    // Text lines of the print font above the grid on a page.
    virtual int PrintHeaderLines() const { return kHeaderLines; }

    // --- commands -------------------------------------------------------------------------
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditClear();
    void OnSelectAll();
    void OnFillDown();
    void OnDeleteRows();
    void OnEditLock();
    virtual void OnTextSave();

    int32_t m_nContextMenuId = 0;
    fw::LOGFONT m_printFont{};
    fw::CRect m_rcPrint;

protected:
    bool IsLocked() const;
    // The selection's columns changed: hint 12 to every view, modified.
    void NotifySelectionColumns();
    void WriteRange(fw::CArchive& ar, const CCellRange& range);
    void ReadRange(fw::CArchive& ar, const CCellRange& range);
    // The page header on a printer: title, then the information line.
    void DrawPrintHeader(fw::CDC& dc, int& y);
    int m_nLineHeight = 0;

    void OnUpdateUndo(fw::CCmdUI* ui);
    void OnUpdateClear(fw::CCmdUI* ui);
    void OnUpdateCopy(fw::CCmdUI* ui);
    void OnUpdatePaste(fw::CCmdUI* ui);
    void OnUpdateFillDown(fw::CCmdUI* ui);
    void OnUpdateDelete(fw::CCmdUI* ui);
    void OnUpdateEditLock(fw::CCmdUI* ui);
    void OnUpdateAlways(fw::CCmdUI* ui);
};
