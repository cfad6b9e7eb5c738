#pragma once

// The cycle-trigger program page: up to 100 steps of the project's cycle
// program, each a start cycle, a step cycle, a control word and a repeat
// count (or the step a GOTO jumps to). Cells are values of the program's
// column tanks, read and written by row.

#include "project/views/ProjectBaseView.h"

class CPrjCycleTrgView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjCycleTrgView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int32_t kColControl = 2, kColRepeat = 3;
    static constexpr int32_t kColumns = 4;

    CPrjCycleTrgView();

    void OnInitialUpdate() override;
    CDataTankList* GetPageTable() override;
    // A column outside the program is an invalid-argument error.
    CDataTankObject* GetColumnTank(int32_t col) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    void OnCurrentCellChanged() override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;

    void OnControl(unsigned id);
    void OnUpdateControl(fw::CCmdUI* ui);

protected:
    // The program and table this page edits.
    virtual int ProgramIndex() const;
    virtual int TableIndex() const;
    // The allowed extra characters of a column's editor; none when the
    // column takes no editor this way.
    virtual bool EditorChars(int32_t col, bool byKey, fw::CString& allowed) const;
    bool HasRow(int32_t row) const { return row >= 0 && row < 100; }
    // The control word of a step (3 when not set).
    int ControlOf(int32_t row);
    // A set column's notice and modified mark.
    void AfterCellSet(int32_t col);

private:
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
};
