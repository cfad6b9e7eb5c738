#pragma once

// The function picker: lists the functions of the calculated-channel
// formula language with their syntax, argument count and a short
// description. After IDOK the caller pastes m_strFunction (the name followed
// by "()") into its formula.

#include "framework/ui/Dialog.h"

class CFuncDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CFuncDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 153;
    static constexpr int kIdList = 1021;
    static constexpr int kIdDescription = 1022;
    static constexpr int kIdSyntax = 1015;
    static constexpr int kIdArguments = 1023;
    static constexpr int kIdUsage = 1024;

    explicit CFuncDlg(fw::CWnd* parent = nullptr) : fw::CDialog(kTemplateId, parent) {}

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    // The chosen list index (the first item unless the caller sets another
    // before DoModal) and its text, for instance "SQRT()".
    int32_t m_nSelect = 0;
    fw::CString m_strFunction;

private:
    void OnSelChangeFunction();
    void OnDblClkFunction();
};
