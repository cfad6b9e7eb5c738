#include "docview/dialogs/ChangeIPaddressDlg.h"

#include "docview/controls/IPAddressCtrl.h"
#include "docview/dialogs/LocalIPv4.h"
#include "framework/core/Profile.h"
#include "framework/core/Services.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/WinApp.h"

FW_IMPLEMENT_DYNAMIC(CChangeIPaddressDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CChangeIPaddressDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CChangeIPaddressDlg::kIdGatewayFlag, &CChangeIPaddressDlg::OnGatewayFlag)
FW_END_COMMANDS

CChangeIPaddressDlg::CChangeIPaddressDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent)
{
}

fw::CProfile* CChangeIPaddressDlg::Profile() const
{
    if (m_pProfile)
        return m_pProfile;
    fw::CWinApp* app = fw::AfxGetApp();
    return app ? &app->Profile() : nullptr;
}

void CChangeIPaddressDlg::BuildControls(fw::DialogBuilder& b)
{
    using appctl::CIPAddressCtrl;
    SetWindowText("IPアドレスの変更");
    b.Static(static_cast<int>(fw::IDC_STATIC), "IP アドレス");
    b.Custom(kIdAddress, std::make_unique<CIPAddressCtrl>());
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "ポート番号");
    b.Edit(kIdPort);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "サブネットマスク");
    b.Custom(kIdMask, std::make_unique<CIPAddressCtrl>());
    b.Row();
    b.Check(kIdGatewayFlag, "ゲートウェイ");
    b.Custom(kIdGateway, std::make_unique<CIPAddressCtrl>());
    b.OkCancel("実行", "キャンセル");
}

// The mask of the first PC interface whose subnet holds the control unit.
uint32_t CChangeIPaddressDlg::MaskOfUnitSubnet() const
{
    uint32_t unit = m_prf.m_ipAddress[0];
    auto table = LocalIPv4Table();
    if (!table)
        return kDefaultMask;
    for (const LocalIPv4Entry& e : *table) {
        if ((e.address & e.mask) == (unit & e.mask))
            return e.mask;
    }
    return kDefaultMask;
}

bool CChangeIPaddressDlg::OnInitDialog()
{
    m_dwSubnetMask = MaskOfUnitSubnet();
    if (fw::CProfile* profile = Profile()) {
        m_dwSubnetMask = static_cast<uint32_t>(profile->GetProfileInt(kSection, "NETMASK", static_cast<int>(m_dwSubnetMask)));
        m_bGateway = profile->GetProfileInt(kSection, "GATEWAYFLG", m_bGateway);
        m_dwGateway = static_cast<uint32_t>(profile->GetProfileInt(kSection, "GATEWAY", static_cast<int>(m_dwGateway)));
    }
    UpdateData(false);
    if (m_dwGateway == 0) {
        if (auto* gateway = GetDlgItemAs<appctl::CIPAddressCtrl>(kIdGateway))
            gateway->ClearAddress();
    }
    ShowGateway();
    return true;
}

void CChangeIPaddressDlg::DoDataExchange(fw::CDataExchange* dx)
{
    appctl::DDX_IPAddress(dx, kIdAddress, m_prf.m_ipAddress[0]);
    fw::DDX_Text(dx, kIdPort, m_prf.m_port[0]);
    fw::DDV_MinMaxInt(dx, m_prf.m_port[0], kPortMin, kPortMax);
    appctl::DDX_IPAddress(dx, kIdMask, m_dwSubnetMask);
    int flag = m_bGateway;
    fw::DDX_Check(dx, kIdGatewayFlag, flag);
    m_bGateway = flag;
    appctl::DDX_IPAddress(dx, kIdGateway, m_dwGateway);
}

void CChangeIPaddressDlg::ShowGateway()
{
    if (fw::CWnd* gateway = GetDlgItem(kIdGateway))
        gateway->ShowWindow(m_bGateway ? fw::SW_SHOW : fw::SW_HIDE);
}

void CChangeIPaddressDlg::OnGatewayFlag()
{
    if (!UpdateData(true))
        return;
    ShowGateway();
    if (m_bGateway) {
        if (fw::CWnd* gateway = GetDlgItem(kIdGateway))
            gateway->SetFocus();
    }
}

void CChangeIPaddressDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (fw::CProfile* profile = Profile()) {
        profile->WriteProfileInt(kSection, "NETMASK", static_cast<int>(m_dwSubnetMask));
        profile->WriteProfileInt(kSection, "GATEWAYFLG", m_bGateway);
        profile->WriteProfileInt(kSection, "GATEWAY", static_cast<int>(m_dwGateway));
    }
    EndDialog(fw::IDOK);
}
