#pragma once

// The data-comparator program page: the cycle-trigger page's steps with a
// compared channel and an amount of change in place of the two cycles. The
// channel is typed as its number or chosen from the data selection.

#include "project/views/PrjCycleTrgView.h"

class CPrjDataCompView : public CPrjCycleTrgView {
    FW_DECLARE_DYNCREATE(CPrjDataCompView)
    FW_DECLARE_COMMANDS()
public:
    static constexpr int32_t kColChannel = 0;

    CPrjDataCompView();

    bool SetSheetText(int32_t row, int32_t col, const fw::CString& text, int fromEditor) override;
    void OnSheetDoubleClick(int32_t row, int32_t col, unsigned flags, fw::CPoint screen) override;

    void OnGoto();
    void OnDataSelect();
    void OnUpdateDataSelect(fw::CCmdUI* ui);

protected:
    int ProgramIndex() const override;
    int TableIndex() const override;
    bool EditorChars(int32_t col, bool byKey, fw::CString& allowed) const override;

private:
    // Runs the data selection preset with `channel`; the chosen channel,
    // or -2 when cancelled.
    int ChooseChannel(int channel);
    // Stores a typed channel number (from 1); refuses other texts and
    // numbers that name no channel, telling which numbers do.
    bool SetTypedChannel(int32_t row, const fw::CString& text);
};
