#pragma once

// The axis dialog (dialog 175 "座標軸の設定"): graph style, X and Y ranges,
// steps, sub-divisions, tick-label display and fonts of a graph drawer.

#include "framework/ui/Dialog.h"
#include "graphdoc/model/ScaleSettings.h"

class CKivGraphDraw;

class CScaleDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CScaleDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 175;
    enum : int {
        IDC_STYLE = 1114, IDC_X_AUTO = 1115, IDC_X_MIN = 1116, IDC_X_MAX = 1117, IDC_X_STEP = 1118,
        IDC_X_SUB = 1119, IDC_X_FORMAT = 1120, IDC_Y_MIN = 1121, IDC_Y_AUTO = 1122, IDC_Y_MAX = 1123,
        IDC_Y_STEP = 1124, IDC_Y_SUB = 1125, IDC_Y_FORMAT = 1126, IDC_X_FONT = 1127, IDC_Y_FONT = 1128,
    };
    static constexpr unsigned kIdsPlotRange = 538;
    static constexpr unsigned kIdsAboveZero = 539;

    explicit CScaleDlg(fw::CWnd* parent = nullptr);
    void LoadScales(const CKivGraphDraw& draw) { m_settings.Load(draw); }
    void StoreScales(CKivGraphDraw& draw) const { m_settings.Store(draw); }

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    void OnStyleChanged();
    void OnXChanged();
    void OnYChanged();
    void OnXFont();
    void OnYFont();

    ScaleSettings m_settings;

protected:
    // The time-axis dialog shares the controls under its own template.
    CScaleDlg(unsigned templateId, fw::CWnd* parent);

private:
    void ApplyStyleRule();
    void Show(int id, bool show);
};
