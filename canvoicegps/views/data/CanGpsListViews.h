#pragma once

// Read-only value lists of the data the CAN/voice/GPS unit recorded: the
// CAN list (two tanks per signal, each a column, with name, unit and
// statistics in the header) and the raw GPS list (the units' GPS tanks as
// recorded, with name and unit). One row per sample; the first column
// always shows its values in its tank's own format.

#include "data/views/KivDataViewBase.h"

class CCanDataListView : public CKivDataViewBase {
    FW_DECLARE_DYNCREATE(CCanDataListView)
public:
    static constexpr unsigned kContextMenu = 167;

    CCanDataListView();

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEdit() const override { return false; }
    bool CanInsertRows() override { return false; }
    bool CanPaste() const override { return false; }
    CDataTankObject* GetColumnTank(int32_t col) override;
    CDataTankList* GetColumnList() override;
    CZELGridStyle* GetViewStyle() override;
    // The text save, also for the CAN graph list.
    void SaveText() { OnTextSave(); }
};

class CGpsNamaDataListView : public CKivDataViewBase {
    FW_DECLARE_DYNCREATE(CGpsNamaDataListView)
public:
    static constexpr unsigned kContextMenu = 167;

    CGpsNamaDataListView();

    void OnInitialUpdate() override;
    bool GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;
    bool CanEdit() const override { return false; }
    bool CanInsertRows() override { return false; }
    bool CanPaste() const override { return false; }
    CDataTankObject* GetColumnTank(int32_t col) override;
    CDataTankList* GetColumnList() override;
    CZELGridStyle* GetViewStyle() override;
};
