#pragma once

// The table of calculated channels: row r defines channel 500 + r by its
// name, formula, unit and number format. Every change goes through the
// document's definition services, which compile the formulas and compute
// the channels again; the view then refreshes the used channels and tells
// the other views.

#include "data/views/KivDataViewBase.h"

class CKivDataEXChView : public CKivDataViewBase {
    FW_DECLARE_DYNCREATE(CKivDataEXChView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int kColName = 0;
    static constexpr int kColFormula = 1;
    static constexpr int kColUnit = 2;
    static constexpr int kColFormat = 3;
    static constexpr int32_t kMaxRows = 1000;
    static constexpr unsigned kIdNameChannels = 32845;
    static constexpr unsigned kIdFunctionPaste = 32846;
    static constexpr unsigned kFirstUnitId = 33109;
    static constexpr unsigned kUnitCount = 41;

    CKivDataEXChView();

    CZELGridStyle* GetViewStyle() override;
    CDataTankList* GetColumnList() override;
    CDataTankObject* GetColumnTank(int32_t col) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void ClearCells(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    bool CanInsertRows() override;
    bool CanDeleteRows() override;
    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;

    // The common tail of every change: recalculation, the used channels
    // when names may have changed, the hint.
    void RefreshCalculatedChannels(int32_t firstCol, int32_t lastCol);
    bool SetColumnText(int32_t col, const fw::CString& text);
    bool SetColumnValue(int32_t col, int16_t value);

    void OnInsertRows() override;
    void OnDeleteRows() override;
    void OnEditPaste() override;
    void OnFillDown() override;
    void OnFunctionPaste();
    // The number format of the selected rows, after one undo record of
    // the format column.
    void OnFormatCommand(unsigned id);
    void OnUpdateFormatCommand(fw::CCmdUI* ui);
    // Numbered names for the selected rows.
    void OnNameChannels();
    void OnUpdateNameChannels(fw::CCmdUI* ui);
    // Unit and format cells show a drop-down button that opens their menu.
    void OnCurrentCellChanged() override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    // The function picker: the picked function text ("SQRT()"), or empty
    // when cancelled. The picker lives with the project window, so the
    // program installs it.
    static fw::CString (*s_pickFunction)(fw::CWnd* parent);

protected:
    void ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
                      bool& reversed) override;
    void AfterUndo(const CCellRange& range, bool rowsChanged) override;
    void OnUpdateFunctionPaste(fw::CCmdUI* ui);
    bool OnCellContextMenu(int32_t col, fw::CPoint screen, unsigned& chosen) override;

private:
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
};
