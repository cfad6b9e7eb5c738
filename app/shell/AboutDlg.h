#pragma once

// The about box: the program's title, version and copyright.

#include "framework/ui/Dialog.h"

inline constexpr const char* kProgramVersion = "1.0.0";
inline constexpr const char* kProgramCopyright = "Copyright (C) 2026";

class CAboutDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CAboutDlg)
public:
    static constexpr int IDC_ABOUT_TEXT = 1280;
    static constexpr int IDC_ABOUT_ICON = 1281;
    static constexpr int kIconSize = 48;

    explicit CAboutDlg(fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;

    // The text of item 1280 for a main-window title.
    static fw::CString AboutText(const fw::CString& title);
};
