#pragma once

// The voltage-output page: one row per output channel of the measuring
// system (its channels after all input channels), each driven by up to four
// input channels, with its output range and sensitivity.

#include "project/views/ProjectBaseView.h"

class CPrjAmpOutView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjAmpOutView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 161;
    static constexpr unsigned kIdOff = 33011;
    static constexpr unsigned kIdIn1First = 33012, kIdIn1Last = 33091;
    static constexpr unsigned kIdPlusFirst = 33370, kIdPlusLast = 33449;
    static constexpr unsigned kIdMinusFirst = 33450, kIdMinusLast = 33529;
    static constexpr unsigned kIdVoltageFirst = 33007, kIdVoltageLast = 33009;

    CPrjAmpOutView();

    // The system channel of a page row: rows follow the input channels.
    int RowOffset() const;
    static int ColumnCode(int32_t col);

    void OnInitialUpdate() override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    // Groups' captions over their columns, the others over both rows;
    // printed in the normal weight on white.
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    // The control unit and the unit drawn once over their output rows.
    void DrawRowHeaderCell(CZELDrawCell& cell) override;
    // A line under each control unit's last output.
    void DrawSheetCell(CZELDrawCell& cell) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnCurrentCellChanged() override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    // The cell's menu: channels of the row's control unit (columns 0-3),
    // captioned with their names, or the output voltages (column 4).
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    void OnFillDown() override;

    void OnInputChannel(unsigned id);
    void OnSignedChannel(unsigned id);
    void OnVoltage(unsigned id);
    // Sets `value` into the selected cells of the columns `first` to `last`
    // with polling stopped; whether anything changed.
    bool SetInputChannels(int value, int firstCol, int lastCol);

private:
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
    void OnUpdateCommand(fw::CCmdUI* ui);
};
