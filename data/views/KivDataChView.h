#pragma once

// The channel table of a measurement-data document: one row per recorded
// channel with its fifteen settings as they were at recording time, the
// row header grouping the channels by control unit and input unit. Only
// name, unit and number format of channels that were on can change.

#include "data/views/KivDataViewBase.h"

class CKivDataChView : public CKivDataViewBase {
    FW_DECLARE_DYNCREATE(CKivDataChView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int kKindName = 1;
    static constexpr int kKindUnit = 13;
    static constexpr int kKindFormat = 14;
    static constexpr unsigned kFirstUnitId = 33109;
    static constexpr unsigned kUnitCount = 41;

    CKivDataChView();

    CZELGridStyle* GetViewStyle() override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    void DrawTagCell(CZELDrawCell& cell) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    bool CanEdit() const override;
    bool CanInsertRows() override { return false; }
    bool CanPaste() const override;
    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;

    // Sets a unit text into every selected channel that is on, after one
    // undo record of the unit column.
    bool SetSelectedUnits(const fw::CString& unit);
    bool IsRowOn(int32_t row) const;

    // The number format of every selected channel that is on, after one
    // undo record of the format column.
    void OnFormatCommand(unsigned id);
    void OnUpdateFormatCommand(fw::CCmdUI* ui);
    // Numbered names for the selected channels that are on.
    void OnNameChannels();
    void OnUpdateNameChannels(fw::CCmdUI* ui);
    // Unit and format cells show a drop-down button that opens their menu.
    void OnCurrentCellChanged() override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;

protected:
    bool OnCellContextMenu(int32_t col, fw::CPoint screen, unsigned& chosen) override;

private:
    bool AllSelectedOn() const;
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
};
