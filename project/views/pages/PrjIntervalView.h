#pragma once

// The interval-measurement page: up to 100 program steps, each a start date
// and time, a measuring interval and a control word. The seven columns of
// the program list show as eleven: the date and the time split into their
// parts, the interval into hours, minutes and seconds.

#include "project/views/ProjectBaseView.h"

class CPrjIntervalView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjIntervalView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 149;
    static constexpr unsigned kIdEndless = 32842;
    static constexpr unsigned kIdRepeat = 32843;
    static constexpr unsigned kIdGoto = 32844;
    static constexpr unsigned kIdInsert = 32833;
    static constexpr unsigned kIdDelete = 32834;
    static constexpr int32_t kColumns = 11;
    static constexpr int32_t kColControl = 9;
    static constexpr int32_t kColRepeat = 10;
    static constexpr int32_t kListColumns = 7;

    CPrjIntervalView();

    // The program-list column of a page column.
    static int32_t ListColumn(int32_t col);

    void OnInitialUpdate() override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnCurrentCellChanged() override;
    CDataTankObject* GetColumnTank(int32_t col) override;
    CDataTankList* GetPageTable() override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    bool WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t extra = -1) override;
    void Undo() override;
    void OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info) override;

    // Rows of every program column, whichever page columns are selected,
    // so that each step keeps its date, time, interval and control together.
    void InsertProgramRows(int32_t firstRow, int32_t lastRow);
    void DeleteProgramRows(int32_t firstRow, int32_t lastRow);
    bool CanChangeRows() const;
    void OnInsert();
    void OnDelete();
    void OnControl(unsigned id);

private:
    void OnUpdateRows(fw::CCmdUI* ui);
    void OnUpdateControl(fw::CCmdUI* ui);
    void AfterChange(int32_t firstCol, int32_t lastCol);
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
    int16_t ControlAt(int32_t row);
};
