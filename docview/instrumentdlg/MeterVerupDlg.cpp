#include "docview/instrumentdlg/MeterVerupDlg.h"

#include "docview/instrumentdlg/InstrumentLinkHost.h"
#include "framework/core/ServiceSlot.h"

#include "common/base/ZelException.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DialogBuilder.h"
#include "instrument/MeterInterface.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/MeterSocket.h"

FW_IMPLEMENT_DYNAMIC(CMeterVerupDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CMeterVerupDlg, fw::CDialog)
    FW_ON_BN_CLICKED(CMeterVerupDlg::kIdCheck, &CMeterVerupDlg::OnCheck)
FW_END_COMMANDS

namespace {


void RaiseBadFirmware()
{
    ThrowZelMessage(-1, fw::LoadStringText(CMeterVerupDlg::kMsgBadFirmware).c_str());
}

} // namespace

CMeterVerupDlg::Host CMeterVerupDlg::GetDefaultHost()
{
    IInstrumentLinkHost* host = fw::Installed<IInstrumentLinkHost>();
    if (!host)
        return {};
    return {[host] { return host->ActiveProjectProfile(); },
            [host](const CMeterInterfacePrf& prf) { return host->CreateLink(prf); }};
}

CMeterVerupDlg::CMeterVerupDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent), m_host(GetDefaultHost())
{
}

CMeterVerupDlg::~CMeterVerupDlg()
{
    if (m_pLink)
        m_pLink->Close();
}

void CMeterVerupDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("KIV-406バージョンアップ");
    for (const char* text : {"KIV-406本体のバージョンアップを行います。",
                             "KIV-406のCFカードにバージョンアップ用のファームウェアを保存してください。",
                             "CFカードはマイネットワークのMicrosoft Windows Network内に共有フォルダとして公開されています。",
                             "確認ボタンをクリックするとファームウェアを確認しそのファイル名を表示します。",
                             "ファイル名が表示されたら開始ボタンをクリックします。"}) {
        b.Static(static_cast<int>(fw::IDC_STATIC), text);
        b.Row();
    }
    b.Button(kIdCheck, "確認");
    fw::CEdit& file = b.Edit(kIdFile);
    file.SetReadOnly(true);
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC),
             "KIV-406の電源を入れなおします。\nKIV-406がファームウェアを認識するとビープ音が断続的に発生します。");
    b.OkCancel("開始", "キャンセル");
}

bool CMeterVerupDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    // Nothing to start before a check has found a firmware file.
    EnableStart(false);
    return true;
}

void CMeterVerupDlg::EnableStart(bool on)
{
    if (fw::CWnd* start = GetDlgItem(fw::IDOK))
        start->EnableWindow(on);
}

// After a failure the link is closed and forgotten; without it the start
// button has nothing to talk to, so it goes off too.
void CMeterVerupDlg::DropLink()
{
    if (m_pLink)
        m_pLink->Close();
    m_pLink = nullptr;
    EnableStart(false);
}

void CMeterVerupDlg::OnCheck()
{
    SetDlgItemText(kIdFile, "");
    EnableStart(false);
    const CMeterInterfacePrf* profile = m_host.activeProjectProfile ? m_host.activeProjectProfile() : nullptr;
    if (!profile)
        return;
    m_pLink = m_host.createLink ? m_host.createLink(*profile) : nullptr;
    if (!m_pLink)
        return;
    try {
        // The firmware service listens on the standard port only.
        if (auto* socket = dynamic_cast<CMeterSocket*>(m_pLink))
            socket->SetSlot(0, profile->m_ipAddress[0], kFirmwarePort);
        m_pLink->Open();
        m_pLink->SetReplyTimeout(kUpdateTimeoutS);
        m_pLink->SendAndRead(0, "PWE?", "CR LF");
        m_pLink->SetReplyTimeout(kNormalTimeoutS);
        const fw::CString reply = m_pLink->GetReply();
        if (reply.Find("ERR") >= 0)
            RaiseBadFirmware();
        m_strFile = reply;
        SetDlgItemText(kIdFile, m_strFile);
        EnableStart(true);
    } catch (const fw::CException& e) {
        e.ReportError();
        DropLink();
    }
}

void CMeterVerupDlg::OnOK()
{
    if (!m_pLink)
        return;
    try {
        m_pLink->SetReplyTimeout(kUpdateTimeoutS);
        {
            fw::CWaitCursor wait;
            m_pLink->SendAndRead(0, "PWE", "CR LF");
        }
        const fw::CString reply = m_pLink->GetReply();
        if (reply.Find("END") >= 0) {
            fw::AfxMessageBox(kMsgUpdated);
            EndDialog(fw::IDOK);
            return;
        }
        if (reply.Find("ERR") >= 0)
            RaiseBadFirmware();
    } catch (const fw::CException& e) {
        e.ReportError();
        DropLink();
    }
}
