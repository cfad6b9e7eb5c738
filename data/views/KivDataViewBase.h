#pragma once

// The spreadsheet view every view of a measurement-data document derives
// from. It routes the editing commands to the open cell editor or the
// grid, keeps one level of undo in the document's undo buffer (each replay
// writes the reverse record, so a second undo redoes), and offers the
// time-unit, recalculation, edit-lock and text-save commands.

#include "framework/core/CString.h"
#include "framework/core/Gdi.h"
#include "grid/views/SpredView.h"

#include <cstdint>

class CKivDataDoc;
class CKivDataFrame;
class CDataTankList;
class CDataTankObject;
class CTextFile;

namespace fw {
class CArchive;
class CMemFile;
}

class CKivDataViewBase : public CZELSpredView {
    FW_DECLARE_DYNAMIC(CKivDataViewBase)
    FW_DECLARE_COMMANDS()
public:
    // Undo record codes.
    enum UndoCode : int32_t {
        kUndoCell = 1, kUndoBlock = 2, kUndoRowHeights = 3, kUndoColumnWidths = 4,
        kUndoColumn = 100, kUndoDeletedRows = 101, kUndoReinsert = 102, kUndoInsertedRows = 103,
        kUndoOutside = 106, kUndoKeptRows = 107,
    };
    static constexpr unsigned kIdUndo = 57643;
    static constexpr unsigned kIdFillDown = 32835;
    static constexpr unsigned kIdInsertRows = 32833;
    static constexpr unsigned kIdDeleteRows = 32834;
    static constexpr unsigned kIdTextSave = 32831;
    static constexpr unsigned kIdEditLock = 32778;
    static constexpr unsigned kIdRecalculate = 32863;
    static constexpr unsigned kIdTimeUnitMs = 32964;
    static constexpr unsigned kIdTimeUnitH = 32967;
    // Update hints the views answer.
    static constexpr intptr_t kHintRepaint = 0;
    static constexpr intptr_t kHintData = 12;
    static constexpr intptr_t kHintTitle = 15;
    static constexpr intptr_t kHintMetrics = 30;
    static constexpr intptr_t kHintTimeUnit = 39;

    CKivDataViewBase();

    CKivDataDoc* GetDataDoc() const;
    CKivDataFrame* GetDataFrame() const;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void SetGridStyle(CZELGridStyle* style) override;
    void DiscardUndo() override { ReleaseUndo(); }
    void RecordUndo(CZELGridPane* pane, int change, const CCellRange* range) override;
    void Undo() override { ApplyUndo(); }

    // --- the journal
    virtual void ApplyUndo();
    virtual bool WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t param);
    virtual bool ConfirmUndoable(int32_t code);
    virtual void WriteUndoExtra(fw::CArchive& ar) {}
    virtual void ReadUndoExtra(fw::CArchive& ar) {}
    // Drops the document's undo record when this view wrote it.
    void ReleaseUndo();
    void SaveUndoSnapshot(int32_t code, int32_t param = -1);
    bool CanUndo() const;

    // --- what the derived views answer
    virtual CDataTankObject* GetColumnTank(int32_t col) { return nullptr; }
    virtual CDataTankList* GetColumnList() { return nullptr; }
    // The last row with a non-empty sheet text; -1 when none.
    virtual int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol);
    virtual CZELGridStyle* GetViewStyle() { return nullptr; }
    virtual void FillFromFirstCell();
    virtual void ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow);
    virtual void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual void DeleteOutsideRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual bool CanEdit() const;
    virtual bool CanInsertRows();
    virtual bool CanDeleteRows() { return false; }
    virtual bool CanPaste() const;
    virtual bool CanFillDown() { return CanEdit(); }
    // The header lines, column headers and used rows, cells joined by ','
    // (as CSV fields) or TAB.
    virtual void WriteText(CTextFile& file, bool csv);
    // CSV when the name ends ".csv" in any case; false after a reported failure.
    bool SaveTextFile(const fw::CString& path);

    // --- commands
    void OnEditClear();
    void OnEditCut();
    void OnEditCopy();
    virtual void OnEditPaste();
    void OnSelectAll();
    void OnEditUndo();
    virtual void OnFillDown();
    virtual void OnInsertRows();
    virtual void OnDeleteRows();
    void OnFileSaveText();
    void OnEditLock();
    void OnRecalculate();
    void OnTimeUnit(unsigned id);

    // --- printing: three header lines (title, timing, record) above the
    // grid's pages of its used rows
    bool OnPreparePrinting(fw::CPrintInfo* info) override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnDraw(fw::CDC* dc) override;
    virtual int GetPageCount(fw::CDC& dc);
    const fw::CRect& GetPrintRect() const { return m_rcPrint; }
    // Pages across before down when set (the print options' page order).
    static bool s_bPrintAcrossFirst;

    // --- the context menu of the view's menu id, with its number-format
    // (32840) and unit (33108) items opened into their popups; returns the
    // command chosen (already run), 0 when none
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;
    unsigned ShowContextMenu(fw::CPoint screen);

    int32_t m_nContextMenuId = 0;

protected:
    void OnUpdateEditable(fw::CCmdUI* ui);
    void OnUpdateCopy(fw::CCmdUI* ui);
    void OnUpdatePaste(fw::CCmdUI* ui);
    void OnUpdateUndo(fw::CCmdUI* ui);
    void OnUpdateFillDown(fw::CCmdUI* ui);
    void OnUpdateInsertRows(fw::CCmdUI* ui);
    virtual void OnUpdateDeleteRows(fw::CCmdUI* ui);
    void OnUpdateAlways(fw::CCmdUI* ui);
    void OnUpdateEditLock(fw::CCmdUI* ui);
    void OnUpdateRecalculate(fw::CCmdUI* ui);
    void OnUpdateTimeUnit(fw::CCmdUI* ui);

    CCellRange Selection() const;
    bool EditorOpen() const;
    // Hint with flags 0 for the selected columns and the modified mark.
    void NotifySelectionColumns();
    // The rows of the whole sheet and its columns.
    int32_t SheetRowCount() const;
    int32_t SheetColumnCount() const;
    void WriteBlock(fw::CArchive& ar, const CCellRange& range);
    void ReadBlock(fw::CArchive& ar, const CCellRange& range);
    // Replays one record; the reverse goes into `reverse`.
    virtual void ReplayRecord(fw::CArchive& ar, int32_t code, class CGridJob& job, fw::CMemFile& reverse,
                              bool& reversed);
    // The tail of a replay: hints for the recorded columns.
    virtual void AfterUndo(const CCellRange& range, bool rowsChanged);
    fw::HWND UndoOwner() const { return GetSafeHwnd(); }
    // What tells a replay that rows came or went: the sheet's rows here,
    // the samples in the views that list them.
    virtual int32_t UndoExtent() { return SheetRowCount(); }

    fw::LOGFONT m_printFont{};
    fw::CRect m_rcPrint;
    int m_nPrintTextHeight = 0;
};
