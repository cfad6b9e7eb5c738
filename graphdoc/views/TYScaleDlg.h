#pragma once

// The time-axis dialog (dialog 322 "座標軸の設定"): the axis dialog for a
// graph whose X axis counts time, with the elapsed-time unit, the
// reference time and the time formats of the X tick labels.

#include "graphdoc/model/TimeScaleSettings.h"
#include "graphdoc/views/ScaleDlg.h"

class CTYScaleDlg : public CScaleDlg {
    FW_DECLARE_DYNAMIC(CTYScaleDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 322;
    enum : int {
        IDC_BEST_REFERENCE = 1266, IDC_TIME_UNIT = 1267, IDC_YEAR = 1269, IDC_MONTH = 1271, IDC_DAY = 1272,
        IDC_HOUR = 1273, IDC_MINUTE = 1274, IDC_SECOND = 1275,
    };

    explicit CTYScaleDlg(fw::CWnd* parent = nullptr);
    void LoadTimeScales(CKivGraphDraw& draw);
    void StoreTimeScales(CKivGraphDraw& draw);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnBestReference();

    TimeScaleSettings m_time;

private:
    CKivGraphDraw* m_pDraw = nullptr;
};
