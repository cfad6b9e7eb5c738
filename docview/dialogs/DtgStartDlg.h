#pragma once

// Asks how an automatic data-trigger measurement starts: once, or again and
// again (the control units go back to waiting by themselves). The caller
// tells whether the control units can run continuously; the answer is the
// result code of DoModal.

#include "framework/ui/Dialog.h"

#include <cstdint>

class CDtgStartDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CDtgStartDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 367;
    static constexpr int kIdConditions = 1437;
    // Result codes: "1回" is OK (1), "連続" is button 6, cancel 2.
    static constexpr int kIdContinuous = 6;
    static constexpr unsigned kMsgConditionsMet = 867;
    static constexpr unsigned kMsgConditionsNotMet = 868;

    explicit CDtgStartDlg(fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;

    // Set by the caller before DoModal: the units meet the conditions of
    // continuous data-trigger measurement.
    uint8_t m_bConditionsMet = 0;

private:
    void OnContinuous();
};
