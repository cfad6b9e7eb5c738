#pragma once

// The text dialog of the text object (dialog 192 "テキスト編集"): the text
// and whether it is turned by 90 degrees.

#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

class CDrawTextDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CDrawTextDlg)
public:
    static constexpr unsigned IDD = 192;
    static constexpr int IDC_TEXT = 1181;
    static constexpr int IDC_VERTICAL = 1132;

    explicit CDrawTextDlg(fw::CWnd* parent = nullptr);
    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    fw::CString m_strText;
    int m_bVertical = 0;
    int m_bRotationAllowed = 1;
};
