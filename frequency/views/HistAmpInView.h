#pragma once

// The input settings of the channel behind every analysis of a frequency
// document, one row per analysis. Only the display format can be changed:
// from the number-format menu, by paste, or by the format commands.

#include "frequency/views/HistDataViewBase.h"

class CHistAmpInView : public CHistDataViewBase {
    FW_DECLARE_DYNCREATE(CHistAmpInView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int32_t kColumnCount = 13;
    static constexpr int32_t kFormatColumn = 12;
    // The sheet's grey text of the read-only columns.
    static constexpr fw::COLORREF kReadOnlyText = 0xAFAFAF;

    CHistAmpInView();

    void OnInitialUpdate() override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    bool CanPaste() const override;

    // A format command (32797 .. 32813) on the selected rows.
    void OnFormat(unsigned id);
    static int ColumnCode(int32_t col);

private:
    bool SelectionHasFormatColumn() const;
    void OnUpdateFormat(fw::CCmdUI* ui);
    void ShowFormatButton();
};
