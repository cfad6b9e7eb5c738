#pragma once

// Asks for a control unit's new LAN address: IP address and port of the
// first control unit of a connection profile, the subnet mask and, when
// wanted, a default gateway. The mask and the gateway are remembered in the
// profile section "MAKEIP" and offered again next time.

#include "framework/ui/Dialog.h"
#include "instrument/MeterInterfacePrf.h"

#include <cstdint>

namespace fw {
class CProfile;
}

class CChangeIPaddressDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CChangeIPaddressDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 424;
    static constexpr int kIdAddress = 1300;
    static constexpr int kIdPort = 1302;
    static constexpr int kIdMask = 1341;
    static constexpr int kIdGatewayFlag = 1347;
    static constexpr int kIdGateway = 1342;
    static constexpr int kPortMin = 50000;
    static constexpr int kPortMax = 50999;
    static constexpr uint32_t kDefaultMask = 0xFFFF0000u;  // 255.255.0.0
    static constexpr const char* kSection = "MAKEIP";

    explicit CChangeIPaddressDlg(fw::CWnd* parent = nullptr);

    // Where "MAKEIP" lives; the application's profile unless set.
    void SetProfile(fw::CProfile* profile) { m_pProfile = profile; }

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    int32_t m_bGateway = 0;
    uint32_t m_dwGateway = 0;
    uint32_t m_dwSubnetMask = 0;
    CMeterInterfacePrf m_prf;

private:
    fw::CProfile* Profile() const;
    uint32_t MaskOfUnitSubnet() const;
    void ShowGateway();
    void OnGatewayFlag();

    fw::CProfile* m_pProfile = nullptr;
};
