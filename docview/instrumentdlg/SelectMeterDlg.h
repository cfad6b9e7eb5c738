#pragma once

// Edits a copy of a project's connection profile: LAN or USB, the control
// unit's LAN address, and the unit model in each of its ten ports (in the
// unit grid). "確認" connects to the configured control units, compares or
// takes over the units really plugged in ("STA2") and can change the
// control units' LAN addresses ("Z-IPPORT-SET").

#include "framework/ui/Dialog.h"
#include "instrument/MeterInterfacePrf.h"

#include <functional>

class CKivMeter;
class CKivUnitGrid;
class CMeterInterface;

namespace fw {
class CCmdUI;
}

class CSelectMeterDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CSelectMeterDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 158;
    static constexpr int kIdInterface = 1054;
    static constexpr int kIdAddress = 1300;
    static constexpr int kIdAddressLabel = 1307;
    static constexpr int kIdPort = 1302;
    static constexpr int kIdPortLabel = 1308;
    static constexpr int kIdGrid = 1303;
    static constexpr int kIdCheck = 1336;
    static constexpr int kIdGetUnits = 1337;
    static constexpr int kIdChangeIp = 1436;

    static constexpr unsigned kMsgNoInputUnit = 558;
    static constexpr unsigned kMsgTooManyCanUnits = 736;
    static constexpr unsigned kMsgDuplicate = 728;
    static constexpr unsigned kMsgSerialNo = 725;
    static constexpr unsigned kMsgIpAddress = 723;
    static constexpr unsigned kMsgConnected = 730;
    static constexpr unsigned kMsgUnitsDiffer = 729;
    static constexpr unsigned kMsgMeterName = 548;
    static constexpr unsigned kMsgUnknownUnit = 562;
    static constexpr unsigned kMsgIpNeedsNewFirmware = 862;
    static constexpr unsigned kMsgIpChanged = 863;
    static constexpr unsigned kMsgNotFoundOne = 3011;
    static constexpr unsigned kMsgNotFoundOf = 3020;

    // The application's link for a profile (not owned; null when none) and
    // its release after the check.
    struct Host {
        std::function<CMeterInterface*(const CMeterInterfacePrf&)> createLink;
        std::function<void()> releaseLink;
    };
    // The host every new dialog uses: the installed IInstrumentLinkHost.
    static Host GetDefaultHost();

    explicit CSelectMeterDlg(fw::CWnd* parent = nullptr);
    ~CSelectMeterDlg() override;

    void SetHost(Host host) { m_host = std::move(host); }

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    void DoDataExchange(fw::CDataExchange* dx) override;
    void OnOK() override;

    // The connection check ("確認").
    void OnCheck();
    CKivUnitGrid* Grid() const { return m_pGrid; }

    CMeterInterfacePrf m_prf;
    int m_nInterfaceIndex = 0;
    bool m_bInitialized = false;
    int m_bGetUnits = 0;
    int m_bChangeIp = 0;

private:
    void ShowAddressControls();
    bool CheckDuplicates();
    void SelectMeter(CKivMeter& meter, int index);
    void CompareUnits(CKivMeter& meter);
    void TakeUnits(CKivMeter& meter);
    void ChangeAddresses(CKivMeter& meter);
    void OnInterfaceChange();
    void OnUnitType(unsigned id);
    void OnUpdateUnitType(fw::CCmdUI* ui);

    CKivUnitGrid* m_pGrid = nullptr;
    Host m_host;
};
