#pragma once

// The base of every page of the project window: the document table view
// over the project document, with the page's timing line, the rename
// commands of the history pages, the edit lock and the column-wise channel
// setters and channel row labels the channel pages share.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/views/DocTableView.h"

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

class CProjectBaseView : public CDocTableView {
    FW_DECLARE_DYNCREATE(CProjectBaseView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdRenameDataFile = 32952;
    static constexpr unsigned kIdChangeTestTitle = 32959;
    static constexpr unsigned kIdMeterSetup = 32780;
    static constexpr unsigned kIdAdSetup = 32781;

    CKIV5980Doc* GetProjectDoc() const;

    // --- spread view hooks
    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;

    // --- the page's own operations
    virtual CDataTankObject* GetColumnTank(int32_t col) { return nullptr; }
    virtual CDataTankList* GetPageTable() { return nullptr; }
    virtual bool SetSelectionAttributeText(int32_t col, int code, const fw::CString& text, int rowOffset = 0);
    virtual bool SetSelectionAttributeValue(int32_t col, int code, double value, int rowOffset = 0);
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
    void InsertRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    void DeleteRows(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    bool CanInsertRows() override;
    bool CanDeleteRows() override;
    bool IsMeasuringProject() const;
    // The panel measures or runs an automatic mode on this document.
    bool IsMeasuringNow() const;
    // Toggles the document's edit lock; the new state.
    bool OnEditLock();
    // The timing line, when the page carries one.
    void GetFrameLines(std::vector<fw::CString>& lines, char sep) override;

    // Renames the selected history steps' data with the numbered pattern
    // the user confirms; one step gets the pattern without a number.
    void OnRenameDataFile();
    // Rewrites the test title in the selected steps' data files with the
    // title pattern the user confirms.
    void OnChangeTestTitle();
    // The connection and A/D set-up of the project, while it is unlocked
    // and no panel works on it.
    void OnMeterSetup();
    void OnAdSetup();
    // Pages that list history steps allow the rename.
    virtual bool CanRenameDataFiles() const { return false; }
    // The pattern kept between uses.
    static CReNamePrf& RenameSetting();
    static CReNameTitlePrf& TitleSetting();

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
    bool m_bMenuRouted = false;

protected:
    void AnnounceColumns(int32_t firstCol, int32_t lastCol) override;
    void AfterUndo(const CCellRange& range, bool rowsChanged) override;
    void EnsureMenus() override;
    void PrepareContextMenu(fw::CMenu& popup) override;
    void OnUpdateRename(fw::CCmdUI* ui);
    void OnUpdateSetup(fw::CCmdUI* ui);
    // After an undo over `range` (the channel page rebuilds its channel list).
    virtual void OnUndone(const CCellRange& range) {}
    // A change made by the page: redraw, modified mark, the column notice.
    void AfterColumnChange(int32_t firstCol, int32_t lastCol, bool channelList);
};
