#pragma once

// The CAN graph list: one strip per recorded CAN signal (the second tank of
// each pair of the CAN list) over the signal's own time stamps, its label
// and a cursor table of the signal's value, time and position at the two
// ends of the selected sample range. Its text save is that of the CAN
// value list.

#include "data/views/KivDataGraphView.h"

class CCanGraphListView : public CKivDataGraphView {
    FW_DECLARE_DYNCREATE(CCanGraphListView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kIdPeakSearch = 33199;
    static constexpr unsigned kIdPeakClear = 33200;

    CCanGraphListView();

    void OnInitialUpdate() override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    CZELGridStyle* GetViewStyle() override;
    void SetUpListGrid() override;
    // The signal of a graph row.
    CDataTankObject* GetColumnTank(int32_t row) override;
    CGraphTimeListObj* GetGraphList() const override;
    bool GetSheetText(fw::CString& text, int32_t col, int32_t row, int display) override;

    // The document's first CAN value list writes the text; none, nothing.
    void OnSaveText();

private:
    void OnUpdateDisabled(fw::CCmdUI* ui);
    // One graph row per signal.
    void ShapeRows();
};
