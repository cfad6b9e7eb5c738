#pragma once

// The input-channel page: one row per channel of the measuring system, one
// column per channel setting. Every cell is a channel attribute read from
// and written into the project's measuring system by its code; the page
// decides which cells are editable, which editor or choice a cell gets and
// how cells are coloured.

#include "framework/core/Geometry.h"
#include "project/views/ProjectBaseView.h"

#include <optional>

class CPrjChView : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrjChView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kContextMenu = 163;
    static constexpr fw::COLORREF kGrey = fw::RGB(125, 125, 125);
    static constexpr fw::COLORREF kRed = fw::RGB(255, 0, 0);
    static constexpr fw::COLORREF kLightGrey = fw::RGB(175, 175, 175);
    static constexpr fw::COLORREF kBlue = fw::RGB(0, 0, 255);

    CPrjChView();

    // 0: with the high-pass filter and balance columns (18), 1: without (16).
    int GetLayoutMode() const { return m_nLayout; }
    // The attribute code of a column in the present layout; -1 outside.
    int ColumnCode(int32_t col) const;
    // The column of an attribute code; -1 when the layout has none.
    int32_t CodeColumn(int code) const;
    static bool IsChoiceCode(int code);
    void Relayout();

    // The text colour of a sheet cell on screen; none for the pane's own.
    std::optional<fw::COLORREF> CellTextColor(int32_t col, int32_t row) const;
    // An empty unit cell that is not allowed is marked by its background.
    bool HasRedBackground(int32_t col, int32_t row) const;
    // Whether a channel's input mode is a thermocouple mode.
    bool IsThermocouple(int32_t row) const;

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void DrawSheetCell(CZELDrawCell& cell) override;
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    void DrawRowHeaderCell(CZELDrawCell& cell) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    // The column's choice menu under the cell.
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnCurrentCellChanged() override;
    bool CanEditCell(int32_t firstCol, int32_t lastCol) override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    void OnEditPaste() override;
    void OnFillDown() override;

    // A choice command's column, attribute code and value; false for ids
    // that set no channel attribute here.
    struct Choice {
        int32_t col = -1;
        int code = -1;
        double value = 0;
        fw::CString text;  // set as text when not empty
    };
    bool ChoiceOf(unsigned id, Choice& choice) const;
    // Sets the choice into the selected rows after an undo record.
    void OnChoice(unsigned id);
    void OnUpdateChoice(fw::CCmdUI* ui);
    // Numbered names into the selected rows' name column.
    void OnName();
    void OnUpdateName(fw::CCmdUI* ui);
    static constexpr unsigned kIdName = 32845;
    // The unit commands (one id per unit of the unit menu) come before the
    // command tables.
    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;
    static constexpr unsigned kFirstUnitId = 33109;
    static constexpr unsigned kUnitCount = 41;

protected:
    void OnUndone(const CCellRange& range) override;

private:
    enum class EditorKind { none, text, numeric };
    EditorKind EditorFor(int code, int32_t row, unsigned ch, bool byKey) const;
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);

    int m_nLayout = 0;
};
