#pragma once

// The max/min/average page: the measurement history as a table of each
// channel's maximum, minimum and average per step, three columns per
// channel. Read-only; the table is copied, printed, or saved as text with
// a choice of channels and steps.

#include "project/views/pages/PrjHistoryView.h"

class CPrjMMAView : public CPrjHistoryView {
    FW_DECLARE_DYNCREATE(CPrjMMAView)
    FW_DECLARE_COMMANDS()
public:
    CPrjMMAView() = default;

    void OnInitialUpdate() override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    CDataTankObject* GetColumnTank(int32_t col) override;
    void WriteText(CTextFile& file, bool csv) override;
    void SetUsedExtents() override;
    int32_t PrintLastColumn() const override;
    // The steps' data files are shown and converted here, not renamed.
    bool CanRenameDataFiles() const override { return false; }

    // Dialog 148, then the page's text save.
    void OnSaveText();
};
