#pragma once

// Rewrites the firmware of the first control unit of the active project:
// "確認" asks the unit which firmware file it found on its card ("PWE?"),
// "開始" orders the update ("PWE") and waits up to 300 seconds for it.

#include "framework/core/CString.h"
#include "framework/ui/Dialog.h"

#include <functional>

class CMeterInterface;
class CMeterInterfacePrf;

class CMeterVerupDlg : public fw::CDialog {
    FW_DECLARE_DYNAMIC(CMeterVerupDlg)
    FW_DECLARE_COMMANDS()
public:
    static constexpr unsigned kTemplateId = 359;
    static constexpr int kIdCheck = 1304;
    static constexpr int kIdFile = 1305;
    static constexpr int kFirmwarePort = 50000;
    static constexpr int kUpdateTimeoutS = 300;
    static constexpr int kNormalTimeoutS = 30;
    static constexpr unsigned kMsgBadFirmware = 560;
    static constexpr unsigned kMsgUpdated = 561;

    // What the dialog needs of the application: the connection profile of
    // the project in the active window (null when the active document is
    // no project) and the application's link for a profile (not owned by
    // the dialog; null when none can be made).
    struct Host {
        std::function<const CMeterInterfacePrf*()> activeProjectProfile;
        std::function<CMeterInterface*(const CMeterInterfacePrf&)> createLink;
    };
    // The host every new dialog uses: the installed IInstrumentLinkHost.
    static Host GetDefaultHost();

    explicit CMeterVerupDlg(fw::CWnd* parent = nullptr);
    // Closes the link when there is one.
    ~CMeterVerupDlg() override;

    void SetHost(Host host) { m_host = std::move(host); }

    void BuildControls(fw::DialogBuilder& builder) override;
    bool OnInitDialog() override;
    // The start button.
    void OnOK() override;
    void OnCheck();

    fw::CString m_strFile;
    CMeterInterface* m_pLink = nullptr;

private:
    void DropLink();
    void EnableStart(bool on);

    Host m_host;
};
