#pragma once

// The range dialog (dialog 320 "範囲選択"): a sample range of a data list
// chosen by measuring time or by sample number. Times are turned into
// samples with a tolerance for rounding; a range outside the data is fitted
// into it, with a message. "適用" hands the range to its owner without
// closing.

#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

#include <cstdint>
#include <functional>

namespace graphdlg {

class CSetSelectDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CSetSelectDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned IDD = 320;
    static constexpr int IDC_BY_TIME = 1068;
    static constexpr int IDC_BY_COUNT = 1069;
    static constexpr int IDC_FIRST_TIME = 1253;
    static constexpr int IDC_LAST_TIME = 1254;
    static constexpr int IDC_FIRST_SAMPLE = 1256;
    static constexpr int IDC_LAST_SAMPLE = 1257;
    static constexpr int IDC_FIRST_UNIT = 1258;
    static constexpr int IDC_LAST_UNIT = 1259;
    static constexpr int IDC_CLOCK_CAPTION = 1240;
    static constexpr int IDC_CLOCK_VALUE = 1260;
    static constexpr int IDC_CLOCK_UNIT = 1241;
    static constexpr int IDC_CHECK = 1083;
    static constexpr int IDC_APPLY = 1425;
    static constexpr const char* kTextOutside =
        "選択範囲が計測データの範囲を超えています。\n選択範囲をデータ数にあわせます。";
    static constexpr const char* kTextSamples = "サンプル";

    explicit CSetSelectDlg(fw::CWnd* parent = nullptr);
    ~CSetSelectDlg() override = default;

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    // Reads the controls, fits the range, shows it again; false when a value
    // could not be read or the range had to be fitted.
    bool CheckRange();

    int m_nMode = 0;
    double m_dClock = 1.0;
    double m_dSecondsPerSample = 1.0;
    double m_dFirstTime = 0.0;
    double m_dLastTime = 0.0;
    int32_t m_nFirst = 1;
    int32_t m_nLast = 1;
    int32_t m_nCount = 1;
    fw::CString m_strTimeUnit;
    // Selects first..last in the owner (the "適用" button).
    std::function<void(int, int)> m_applyRange;

private:
    void OnModeChange();
    void OnCheck();
    void OnApply();
    void ApplyEnableRule();
};

} // namespace graphdlg
