#pragma once

// The base of every page of the project window: a spreadsheet view over the
// project document that adds the pages' one-level undo through the
// document's undo buffer, the page's text export, the edit lock and the
// column-wise channel setters the channel pages share.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/views/SpredView.h"

#include <cstdint>

class CKIV5980Doc;
class CDataTankList;
class CDataTankObject;
class CTextFile;
class CReNamePrf;
class CReNameTitlePrf;

namespace fw {
class CArchive;
class CMemFile;
class CMenu;
}

namespace prjpage {
struct HeaderColumn;
}

class CProjectBaseView : public CZELSpredView {
    FW_DECLARE_DYNCREATE(CProjectBaseView)
    FW_DECLARE_COMMANDS()
public:
    // Command ids of the shared edit commands.
    static constexpr unsigned kIdFillDown = 32835;
    static constexpr unsigned kIdTextSave = 32831;
    static constexpr unsigned kIdUndo = 57643;
    static constexpr unsigned kIdRenameDataFile = 32952;
    static constexpr unsigned kIdChangeTestTitle = 32959;
    static constexpr unsigned kIdInsert = 32833;
    static constexpr unsigned kIdDelete = 32834;
    static constexpr unsigned kIdColumnWidth = 32836;
    static constexpr unsigned kIdLeftColumnWidth = 32837;
    static constexpr unsigned kIdEditCell = 32838;
    static constexpr unsigned kIdMeterSetup = 32780;
    static constexpr unsigned kIdAdSetup = 32781;
    static constexpr unsigned kIdSuperscript = 57340;
    static constexpr unsigned kIdNormalScript = 57341;

    // Undo record codes.
    enum UndoCode : int32_t {
        kUndoCell = 1, kUndoBlock = 2, kUndoRowHeights = 3, kUndoColumnWidths = 4,
        kUndoColumn = 100, kUndoDeletedRows = 101, kUndoReinsert = 102, kUndoInsertedRows = 103,
    };

    CProjectBaseView();

    CKIV5980Doc* GetProjectDoc() const;

    // --- spread view hooks
    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void DiscardUndo() override;
    void RecordUndo(CZELGridPane* pane, int change, const CCellRange* range) override;
    void Undo() override;
    // Printing: the page header (test title and timing line) above the grid.
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnPrint(fw::CDC* dc, fw::CPrintInfo* info) override;
    void OnDraw(fw::CDC* dc) override;
    // The printed page's header: the test title, and the frame's timing
    // line below it when the page carries one.
    virtual void DrawPageHeader(fw::CDC& dc);
    // The printed pages of rows 0 to the last used row (at least row 0) and
    // every column, in the rectangle left below the header.
    virtual int GetPrintPageCount(fw::CDC& dc);

    // --- the page's own operations
    // One undo record into a memory file; `extra` is the column of code 100.
    virtual bool WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t extra = -1);
    virtual CDataTankObject* GetColumnTank(int32_t col) { return nullptr; }
    virtual CDataTankList* GetPageTable() { return nullptr; }
    // The last row with a non-empty cell in the columns; -1 when none.
    virtual int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol);
    // The page as text, a separator before every cell but the first.
    virtual void WriteText(CTextFile& file, bool csv);
    virtual bool SetSelectionAttributeText(int32_t col, int code, const fw::CString& text, int rowOffset = 0);
    virtual bool SetSelectionAttributeValue(int32_t col, int code, double value, int rowOffset = 0);
    virtual bool ClearCellsWithUndo(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow);
    // One column's tank set over the selected rows, stopping at the first
    // row the tank refuses; whether any row was set.
    virtual bool SetColumnText(int32_t col, const fw::CString& text);
    virtual bool SetColumnNumber(int32_t col, int16_t value);
    // Enabled while the column is selected and the document unlocked,
    // checked when every selected row holds the value.
    virtual void UpdateColumnCheck(fw::CCmdUI* ui, int32_t col, int32_t value);
    // The same for a channel attribute; a channel that does not allow the
    // value disables the command.
    virtual void UpdateChannelValueCheck(fw::CCmdUI* ui, int32_t col, int code, double value, int rowOffset = 0);
    // Rows of the page's table, in the columns first to last.
    virtual void InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow);
    virtual void DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow);
    virtual bool CanInsert();
    virtual bool CanDelete();
    virtual void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) {}
    virtual bool CanEdit() const;
    virtual bool CanEditCell(int32_t firstCol, int32_t lastCol) { return true; }
    virtual bool CanUndo() const;
    virtual bool HasSelection() const;
    bool IsMeasuringProject() const;
    // The panel measures or runs an automatic mode on this document.
    bool IsMeasuringNow() const;
    // Toggles the document's edit lock; the new state.
    bool OnEditLock();
    virtual bool CanPaste() const;
    bool CanEditSelection();

    // The shared edit commands.
    void OnEditClear();
    void OnEditCopy();
    void OnEditCut();
    virtual void OnEditPaste();
    virtual void OnFillDown();
    void OnSelectAll();
    void OnEditUndo();
    virtual void OnTextSave();
    // Renames the selected history steps' data with the numbered pattern
    // the user confirms; one step gets the pattern without a number.
    void OnRenameDataFile();
    // Rewrites the test title in the selected steps' data files with the
    // title pattern the user confirms.
    void OnChangeTestTitle();
    void OnInsertRows();
    void OnDeleteRows();
    // The width dialog on the sheet's selected columns, or on the corner
    // whose width the row header's first column then takes.
    void OnColumnWidth();
    void OnLeftColumnWidth();
    // Opens the in-cell editor of the current cell, as a double click does.
    void OnEditCell();
    // Raised or normal text in the open in-cell editor.
    void OnScriptCommand(unsigned id);
    void OnUpdateScriptCommand(fw::CCmdUI* ui);
    // The connection and A/D set-up of the project, while it is unlocked
    // and no panel works on it.
    void OnMeterSetup();
    void OnAdSetup();
    // Opens the first popup of a menu resource under the cell (left
    // aligned at its lower-left corner); a chosen command goes to this
    // page. The command, 0 when none was chosen.
    unsigned OpenCellMenu(unsigned menuId, int32_t col, int32_t row);
    unsigned TrackCellMenu(fw::CMenu& popup, int32_t col, int32_t row);
    // The page's context menu at `screen` ((-1, -1): from the keyboard,
    // inside the top-left corner) with its format and unit submenus; the
    // chosen command, 0 when none.
    unsigned ShowContextMenu(fw::CPoint screen);
    void OnContextMenu(fw::CWnd* wnd, fw::CPoint point) override;
    static constexpr unsigned kIdFormatItem = 32840;
    static constexpr unsigned kIdUnitItem = 33108;
    // Shows the drop-down button in the current cell, or hides it.
    void SetDropButton(bool on);
    // A numeric in-cell editor taking digits and `allowed`; a typed key
    // starts it only when it is a digit, one of `allowed` or no character.
    static CZELGridRichWnd* MakeNumericEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                              const fw::CString& allowed, unsigned ch, unsigned key, bool byKey);
    // Pages that list history steps allow the rename.
    virtual bool CanRenameDataFiles() const { return false; }
    // The pattern kept between uses.
    static CReNamePrf& RenameSetting();
    static CReNameTitlePrf& TitleSetting();
    // The page as a text file; CSV when the name ends ".csv" (any case).
    bool SaveTextFile(const fw::CString& path);

    // The row label of a channel row: number, control unit, unit and
    // channel in the unit, by row-header column.
    bool GetChannelRowLabel(fw::CString& text, int32_t col, int32_t row) const;
    // A row-header cell of a channel page: the control unit (column 1) and
    // the unit (column 2) drawn once over all rows of their group, their
    // text turned upright; a line under a group's last row.
    // Without `mergeUnit` the unit column is drawn as a cell of its own row;
    // `kindOffset` maps the page's header columns to the label kinds.
    void DrawChannelRowHeaderCell(CZELDrawCell& cell, int inBox, int boxChannels, int inUnit, int perUnit,
                                  bool mergeUnit = true, int kindOffset = 0);
    // The same for row `cell row + rowOffset` of the project's measuring
    // system (input or output channel); a row outside its channel map is
    // drawn as a plain header cell.
    void DrawSystemChannelRowHeaderCell(CZELDrawCell& cell, int32_t rowOffset = 0, int kindOffset = 0);
    // A solid line of `width` in `color` along the bottom of the cell.
    static void DrawCellBottomLine(CZELDrawCell& cell, fw::COLORREF color, int width);
    // Whether a row of the measuring system's channel map is the last
    // input (or output) channel of its control unit.
    bool IsLastChannelOfBox(int32_t row) const;
    // A sheet cell's text, and under a control unit's last channel a
    // black line.
    void DrawSystemChannelSheetCell(CZELDrawCell& cell);
    static constexpr int kChannelsPerUnit = 8;
    bool GetChannelCornerText(fw::CString& text, int32_t col, int32_t row, int display) const;
    // A corner cell of a channel page as the channel table draws it: "CH"
    // once over both rows, the control unit's caption over the row
    // header's other columns and "Unit" over the control unit's and the
    // unit's, each with a black edge along its left and top sides.
    void DrawChannelCornerCell(CZELDrawCell& cell);
    // Where the sheet's cells go on a printed page (logical units, the
    // header panes taken off); empty until printing begins.
    const fw::CRect& GetPrintCellsRect() const { return m_rcPrintCells; }
    // Brings a row into view with columns first..last selected and the
    // first current (scrolled to while the page shows). A row or column
    // range the sheet does not have selects nothing; false then.
    bool SelectHintedRow(int32_t row, int32_t firstCol, int32_t lastCol);
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    // Header cells go on paper on white, not on the pane's background.
    void DrawTagCell(CZELDrawCell& cell) override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    void DrawRowHeaderCell(CZELDrawCell& cell) override;
    // While printing, the cell's default background becomes white.
    static void WhitenForPrint(CZELDrawCell& cell);
    // A page's two-row column header (prjpage::DrawTwoRowHeader), its
    // captions in one font weight on the screen and another on paper.
    void DrawTwoRowColumnHeader(CZELDrawCell& cell, const prjpage::HeaderColumn* columns, int32_t count,
                                int32_t screenWeight, int32_t printWeight);

    bool m_bTimingLine = true;
    bool m_bRowHeaderInText = true;
    int32_t m_nContextMenuId = 0;
    bool m_bMenuRouted = false;
    // Pages across before down when set (the print options' page order).
    static bool s_bPrintAcrossFirst;

protected:
    // The header font's line height on the printer; the grid's rectangle.
    int m_nPrintTextHeight = 0;
    fw::CRect m_rcPrint;
    fw::CRect m_rcPrintCells;
    // Takes `m_rcPrint` into the grid's printing units once the grid has
    // laid out its pages on `dc`.
    void NotePrintCells(fw::CDC& dc);
    // One line of the page header in the header font, `line` text heights
    // below the top margin.
    void DrawPageHeaderLine(fw::CDC& dc, int line, const fw::CString& text);
    void OnUpdateEditable(fw::CCmdUI* ui);
    void OnUpdateCopy(fw::CCmdUI* ui);
    void OnUpdatePaste(fw::CCmdUI* ui);
    void OnUpdateFillDown(fw::CCmdUI* ui);
    void OnUpdateUndo(fw::CCmdUI* ui);
    void OnUpdateAlways(fw::CCmdUI* ui);
    void OnUpdateRename(fw::CCmdUI* ui);
    void OnUpdateInsert(fw::CCmdUI* ui);
    void OnUpdateWidth(fw::CCmdUI* ui);
    void OnUpdateSetup(fw::CCmdUI* ui);
    void OnUpdateDelete(fw::CCmdUI* ui);
    // The selection's columns after a paste, fill or clear.
    void NotifySelectionColumns();
    // After an undo over `range` (the channel page rebuilds its channel list).
    virtual void OnUndone(const CCellRange& range) {}
    // Stores the change of the selection's cells as the record with `code`.
    void RecordSelection(int32_t code, int32_t extra = -1);
    void ReadBlockBack(fw::CArchive& ar, const CCellRange& range);
    void WriteBlock(fw::CArchive& ar, const CCellRange& range);
    fw::HWND UndoOwner() const { return GetSafeHwnd(); }
    // A change made by the page: redraw, modified mark, the column notice.
    void AfterColumnChange(int32_t firstCol, int32_t lastCol, bool channelList);
};
