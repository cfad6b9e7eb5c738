#pragma once

// The value list: one column per used channel, one row per sample, the
// channel's name, unit, maximum, minimum and mean above its column and the
// sample number and time beside each row.

#include "data/views/KivDataListViewBase.h"

class CKivDataChDataView : public CKivDataListViewBase {
    FW_DECLARE_DYNCREATE(CKivDataChDataView)
public:
    CKivDataChDataView();

    // The sheet gets a row per sample.
    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    CZELGridStyle* GetViewStyle() override;
    bool GetTagText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol) override;
    bool CanInsertRows() override { return WholeRowsSelected(); }
    bool CanDeleteRows() override { return WholeRowsSelected(); }
    void WriteUndoExtra(fw::CArchive& ar) override;
    void ReadUndoExtra(fw::CArchive& ar) override;
    bool GetSelectedRows(int32_t& first, int32_t& last) override;
    void SelectRows(int32_t first, int32_t last) override;
    int32_t GetValueCount() override;

private:
    bool WholeRowsSelected();
    // The five header texts of a tank: name, unit, maximum, minimum, mean.
    static bool TankHeaderText(CDataTankObject* tank, int32_t row, fw::CString& text);
    int32_t m_nReserved = 0;
};
