#pragma once

// The axis-label dialog (dialog 184 "座標軸ラベルの設定"): the X and Y
// axis titles, their units with superscript markup, their fonts and the
// automatic-label switches.

#include "framework/core/CString.h"
#include "framework/core/Gdi.h"
#include "framework/ui/Dialog.h"

class CKivGraphDraw;

class CXYLabelDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CXYLabelDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 184;
    enum : int {
        IDC_X_AUTO = 1262, IDC_Y_AUTO = 1263, IDC_X_TITLE = 1145, IDC_Y_TITLE = 1146, IDC_X_UNIT = 1147,
        IDC_Y_UNIT = 1148, IDC_X_FONT = 1127, IDC_Y_FONT = 1128,
    };

    explicit CXYLabelDlg(fw::CWnd* parent = nullptr);
    void LoadLabels(const CKivGraphDraw& draw);
    void StoreLabels(CKivGraphDraw& draw) const;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnAutoClicked();
    void OnXFont();
    void OnYFont();

    fw::CString m_xTitle, m_yTitle, m_xUnit, m_yUnit;
    fw::LOGFONT m_xFont, m_yFont;
    int m_xAuto = 0;
    int m_yAuto = 0;

private:
    void ApplyEnableRule();
};
