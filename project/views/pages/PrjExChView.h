#pragma once

// The calculated-channel page: row r defines calculated channel 500 + r
// (NO r + 1) with its name, formula, unit, display format, alarm switch and
// limits and three option values. Every change goes through the document's
// calculated-channel operations, which recompile the formulas and rebuild
// the channel list.

#include "project/views/ProjectBaseView.h"

class CPrjExChView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjExChView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 154;
    static constexpr unsigned kEditorMenu = 155;
    static constexpr unsigned kIdInsert = 32833;
    static constexpr unsigned kIdDelete = 32834;
    static constexpr unsigned kIdName = 32845;
    static constexpr unsigned kIdFuncPaste = 32846;
    static constexpr unsigned kIdOff = 32847;
    static constexpr unsigned kIdOn = 32848;
    static constexpr unsigned kIdFormatFirst = 32797;
    static constexpr unsigned kIdFormatLast = 32813;
    static constexpr unsigned kFirstUnitId = 33109;
    static constexpr unsigned kUnitCount = 41;
    static constexpr int32_t kColumns = 10;
    enum Column : int32_t { kColName, kColFunction, kColUnit, kColFormat, kColOnOff, kColUpper, kColLower };

    CPrjExChView();

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
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
    void Undo() override;
    CDataTankObject* GetColumnTank(int32_t col) override;
    CDataTankList* GetPageTable() override;
    int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol) override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override;
    bool CanEdit() const override;
    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;

    // Column-wide setters over the selected rows; they stop at the first
    // row the document refuses. Whether any row was set.
    bool SetColumnTextAll(int32_t col, const fw::CString& text);
    bool SetColumnValueAll(int32_t col, double value);
    bool CanInsertRows() override;
    bool CanDeleteRows() override;

    void OnInsert();
    void OnDelete();
    void OnEditPaste() override;
    void OnFillDown() override;
    void OnAutoName();
    void OnFunctionPaste();
    void OnOnOff(unsigned id);
    void OnFormat(unsigned id);
    void OnClearCells();
    void OnCutCells();

private:
    void Refresh(int32_t firstCol, int32_t lastCol);
    bool WholeRows() const;
    void OnUpdateInsert(fw::CCmdUI* ui);
    void OnUpdateDelete(fw::CCmdUI* ui);
    void OnUpdateName(fw::CCmdUI* ui);
    void OnUpdateFuncPaste(fw::CCmdUI* ui);
    void OnUpdateOnOff(fw::CCmdUI* ui);
    void OnUpdateFormat(fw::CCmdUI* ui);
    void UpdateCheck(fw::CCmdUI* ui, int32_t col, double value);
    bool OnUnitCommand(unsigned id, int code, fw::CCmdUI* ui);
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
};
