#pragma once

// The page of the digital input/output units: eleven rows per unit (four
// frequency or pulse inputs, three combined pulse inputs, the four digital
// inputs of the unit's eighth channel), each row read and written through
// the unit object by its row index within the unit.

#include "project/views/ProjectBaseView.h"

#include <vector>

class CKivUnit;

class CPrj465View : public CProjectBaseView {
    FW_DECLARE_DYNCREATE(CPrj465View)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int kRowsPerUnit = 11;
    static constexpr int kMaxUnits = 10;
    static constexpr int kUnitType = 7;

    CPrj465View();

    static int ColumnCode(int32_t col);
    void BuildRows();
    int GetUnitCount() const { return m_nUnitCount; }
    const std::vector<int16_t>& GetFirstChannels() const { return m_firstChannels; }
    const std::vector<int16_t>& GetBoxRows() const { return m_boxRows; }
    // The system channel of a page row; -1 outside the units found.
    int RowChannel(int32_t row) const;
    // The unit of a page row; fw::CInvalidArgException outside the units.
    CKivUnit* GetRowUnit(int32_t row) const;
    bool SetRowText(int code, int32_t col, int32_t row, const fw::CString& text, bool notify);
    bool SetRowValue(int code, int32_t col, int32_t row, double value, bool notify);

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    // The control unit over its units' rows and each unit over its eleven
    // rows, upright; the channel number once over the unit's four digital
    // inputs; a black line closes each unit.
    void DrawRowHeaderCell(CZELDrawCell& cell) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetEditText(int32_t row, int32_t col, fw::CString& text) override;
    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void GetSheetCellFormat(CellFormat& format, int32_t col, int32_t row) override;
    // "閾値" over the threshold columns, the others over both rows; bold
    // on the screen.
    void DrawColumnHeaderCell(CZELDrawCell& cell) override;
    CZELGridRichWnd* CreateCellEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                      fw::CPoint screen) override;
    CZELGridRichWnd* CreateCellEditorForKey(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text,
                                            unsigned ch, unsigned key) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;
    void OnDropDown(int32_t col, int32_t row, fw::CPoint screen) override;
    void OnCurrentCellChanged() override;
    void ClearRange(int32_t firstCol, int32_t firstRow, int32_t lastCol, int32_t lastRow) override;
    bool SetSelectionAttributeText(int32_t col, int code, const fw::CString& text, int rowOffset = 0) override;
    bool SetSelectionAttributeValue(int32_t col, int code, double value, int rowOffset = 0) override;
    void UpdateChannelValueCheck(fw::CCmdUI* ui, int32_t col, int code, double value, int rowOffset = 0) override;

    void OnChoice(unsigned id);
    void OnUpdateChoice(fw::CCmdUI* ui);

private:
    struct Choice {
        int32_t col;
        int code;
        double value;
    };
    static bool ChoiceOf(unsigned id, Choice& choice);
    // Which of the row's cells open a menu or an editor.
    bool HasMenu(int32_t col, int32_t row) const;
    bool IsTyped(int32_t col, int32_t row) const;
    CZELGridRichWnd* MakeEditor(CZELGridPane* pane, const fw::CRect& rect, const fw::CString& text, unsigned ch,
                                unsigned key, bool byKey);
    template <class Set> bool SetSelection(int32_t col, Set set);

    int32_t m_nUnitCount = 1;
    std::vector<int16_t> m_firstChannels;
    std::vector<int16_t> m_boxRows;
};
