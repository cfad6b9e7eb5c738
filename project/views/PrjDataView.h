#pragma once

// The base of the pages that show the project's channel tanks: column c is
// the tank at c of the document's used-tank list. The page's grid style
// comes from the page; each column's maximum, minimum and mean follow the
// edits.

#include "project/views/ProjectBaseView.h"

class CZELGridStyle;

class CPrjDataView : public CProjectBaseView {
    FW_DECLARE_DYNAMIC(CPrjDataView)
public:
    static constexpr int32_t kLastChannelColumn = 320;

    CPrjDataView();

    void OnInitialUpdate() override;
    CDataTankObject* GetColumnTank(int32_t col) override;
    CDataTankList* GetPageTable() override;
    // The largest last value index of the columns' tanks, never below 0.
    int32_t GetLastUsedRow(int32_t firstCol, int32_t lastCol) override;
    bool CanInsertRows() override { return false; }
    bool CanDeleteRows() override { return false; }
    bool CanEdit() const override;
    bool CanPaste() const override;
    bool HasSelection() const override;
    bool CanUndo() const override;

    virtual CZELGridStyle* GetPageStyle() = 0;
    // Maximum, minimum and mean of every valid value into the scale of the
    // tanks of `count` columns from `firstCol`.
    virtual void RecalcScale(int32_t firstCol, int32_t count);

protected:
    CDataTankList* m_pChannels = nullptr;
};
