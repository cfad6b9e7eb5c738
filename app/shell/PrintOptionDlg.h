#pragma once

// The print options of the application: the page order of the settings
// and data lists, printing graphs at paper size, and a third value the
// dialog carries through unchanged.

#include "framework/ui/Dialog.h"

#include <cstdint>

struct PrintOptions {
    int32_t pageOrder = 1;      // 0 top to bottom, 1 left to right
    int32_t paperSize = 1;      // print graphs at paper size
    int32_t reserved = 0;
};

class CPrintOptionDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CPrintOptionDlg)
public:
    static constexpr int IDC_TOP_TO_BOTTOM = 1010;
    static constexpr int IDC_LEFT_TO_RIGHT = 1011;
    static constexpr int IDC_PAPER_SIZE = 1012;

    explicit CPrintOptionDlg(fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    PrintOptions m_options;
};
