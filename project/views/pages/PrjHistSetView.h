#pragma once

// The frequency-number page and the program-measurement page: settings the
// control units keep for the frequency measurement, one row per analysis
// number of the first control unit, or one row per control unit. Every
// cell is an attribute of the measuring system; a value a row does not
// allow is drawn red.

#include "project/views/ProjectBaseView.h"

class CPrjHistSetView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjHistSetView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 373;
    static constexpr unsigned kIdInputOff = 33011;
    static constexpr unsigned kIdInputLast = 33091;
    static constexpr unsigned kIdClockFirst = 33174;
    static constexpr unsigned kIdClockLast = 33177;
    static constexpr unsigned kIdOperationFirst = 33178;
    static constexpr unsigned kIdOperationLast = 33184;
    static constexpr int32_t kColumns = 7;
    static constexpr int32_t kRows = 80;

    CPrjHistSetView();
    static int ColumnCode(int32_t col);

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnCurrentCellChanged() override;
    bool CanPaste() const override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;

    // The attribute over the selected rows, stopping at the first refusal.
    bool SetColumnValue(int32_t col, int code, double value);
    // Whether a row's cell draws red: its value is not allowed there.
    bool IsNotAllowed(int32_t row, int32_t col);

    void OnInputChannel(unsigned id);
    void OnOperation(unsigned id);
    void OnClock(unsigned id);

private:
    void UpdateValueCheck(fw::CCmdUI* ui, int32_t col, int code, double value);
    void OnUpdateInput(fw::CCmdUI* ui);
    void OnUpdateOperation(fw::CCmdUI* ui);
    void OnUpdateClock(fw::CCmdUI* ui);
    int Operation(int32_t row);
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
};

class CPrjHistProgView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjHistProgView)
public:
    static constexpr unsigned kContextMenu = 377;
    static constexpr int32_t kColumns = 11;

    CPrjHistProgView();
    static int ColumnCode(int32_t col);

    void OnInitialUpdate() override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
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
    bool CanPaste() const override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    bool IsNotAllowed(int32_t row, int32_t col);

private:
    int BoxCount() const;
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
};
