#pragma once

// The data-trigger page: per input channel whether it takes part in the
// data trigger, its trigger level and its trigger mode. Rows are the
// measuring channels as on the input-channel page; every cell is a channel
// attribute of the project's measuring system.

#include "project/views/ProjectBaseView.h"

class CPrjDataTrgView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjDataTrgView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int32_t kColSet = 0, kColOnOff = 1, kColLevel = 2, kColMode = 3;

    CPrjDataTrgView();

    static int ColumnCode(int32_t col);

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    // The input page's row header, and its line under each control unit.
    void DrawRowHeaderCell(CZELDrawCell& cell) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    // Printed captions in the normal weight.
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    void OnCurrentCellChanged() override;
    // Locked while a trigger measurement of this project runs.
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override;
    bool CanEdit() const override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;

    void OnOnOff(unsigned id);
    void OnTriggerMode(unsigned id);
    void OnUpdateOnOff(fw::CCmdUI* ui);
    void OnUpdateTriggerMode(fw::CCmdUI* ui);

private:
    bool IsChannelRow(int32_t row) const;
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
};
