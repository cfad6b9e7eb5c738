#pragma once

// The monitor settings: which channels the monitor shows and in which
// order, its colours and font size, where it shows (panel type) and the
// peak options. Works on copies; the caller takes Settings() and the panel
// type after OK.

#include "framework/ui/Dialog.h"
#include "project/model/PanelMoniterPrf.h"

#include <cstdint>

class CColorCmbBox;
class CKIV5980Doc;
class CMonitorChannelList;

class CMoniterSetDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CMoniterSetDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 198;
    static constexpr int kIdAvailable = 1013, kIdMonitored = 1014;
    static constexpr int kIdAppend = 1089, kIdInsert = 1090, kIdRemove = 1091, kIdRemoveAll = 1092;
    static constexpr int kIdInPanel = 1207, kIdMonitorPanel = 1208, kIdNone = 1209;
    static constexpr int kIdForeColor = 1210, kIdBackColor = 1211, kIdFontSize = 1212;
    static constexpr int kIdPeakShow = 1214, kIdPeakAutoReset = 1216, kIdPeakResetTime = 1217,
                         kIdPeakStartReset = 1218;
    static constexpr int16_t kMaxResetSeconds = 32000;

    CMoniterSetDlg(CKIV5980Doc& doc, fw::CWnd* parent = nullptr);

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;

    const CPanelMoniterPrf& Settings() const { return m_settings; }
    CMonitorChannelList& Available() { return *m_available; }
    CMonitorChannelList& Monitored() { return *m_monitored; }

    // 0 in the measurement panel, 1 none, 2 the monitor panel.
    int32_t m_nPanelType = 0;

private:
    void OnAppend();
    void OnInsert();
    void OnRemove();
    void OnRemoveAll();
    void MoveToMonitored(int at);
    void RefillAvailable();
    void UpdateButtons();
    void ExchangeColor(fw::CDataExchange* dx, CColorCmbBox* combo, fw::COLORREF& color);
    void ExchangePanelType(fw::CDataExchange* dx);

    CKIV5980Doc& m_doc;
    CPanelMoniterPrf m_settings;
    CMonitorChannelList* m_available = nullptr;
    CMonitorChannelList* m_monitored = nullptr;
    CColorCmbBox* m_fore = nullptr;
    CColorCmbBox* m_back = nullptr;
    int m_peakShow = 0;
    int m_peakAutoReset = 0;
    int m_peakStartReset = 0;
    int16_t m_resetSeconds = 0;
};
