#include "docview/instrumentdlg/SelectMeterDlg.h"

#include "docview/instrumentdlg/InstrumentLinkHost.h"
#include "framework/core/ServiceSlot.h"

#include "common/base/ZelException.h"
#include "docview/controls/IPAddressCtrl.h"
#include "docview/dialogs/ChangeIPaddressDlg.h"
#include "docview/instrumentdlg/KivUnitGrid.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterVersion.h"

#include <memory>

FW_IMPLEMENT_DYNAMIC(CSelectMeterDlg, fw::CDialog)

FW_BEGIN_COMMANDS(CSelectMeterDlg, fw::CDialog)
    FW_ON_CBN_SELCHANGE(CSelectMeterDlg::kIdInterface, &CSelectMeterDlg::OnInterfaceChange)
    FW_ON_BN_CLICKED(CSelectMeterDlg::kIdCheck, &CSelectMeterDlg::OnCheck)
    FW_ON_COMMAND_RANGE(32971, 32976, &CSelectMeterDlg::OnUnitType)
    FW_ON_COMMAND_RANGE(33198, 33198, &CSelectMeterDlg::OnUnitType)
    FW_ON_COMMAND_RANGE(33337, 33337, &CSelectMeterDlg::OnUnitType)
    FW_ON_COMMAND_RANGE(33542, 33542, &CSelectMeterDlg::OnUnitType)
    FW_ON_COMMAND_RANGE(33565, 33565, &CSelectMeterDlg::OnUnitType)
    FW_ON_UPDATE_RANGE(32971, 32976, &CSelectMeterDlg::OnUpdateUnitType)
    FW_ON_UPDATE_RANGE(33198, 33198, &CSelectMeterDlg::OnUpdateUnitType)
    FW_ON_UPDATE_RANGE(33337, 33337, &CSelectMeterDlg::OnUpdateUnitType)
    FW_ON_UPDATE_RANGE(33542, 33542, &CSelectMeterDlg::OnUpdateUnitType)
    FW_ON_UPDATE_RANGE(33565, 33565, &CSelectMeterDlg::OnUpdateUnitType)
FW_END_COMMANDS

namespace {

constexpr int kPortMin = 50000;
constexpr int kPortMax = 50999;
constexpr int kMaxShownMessage = 255;
constexpr uint32_t kIpChangeFirmware = meterversion::Pack("2.2A");


struct InterfaceRow {
    const char* name;
    int kind;
};
constexpr InterfaceRow kInterfaces[] = {{"LAN", CMeterInterfacePrf::kInterfaceLan},
                                        {"USB", CMeterInterfacePrf::kInterfaceUsb}};

int Octet(uint32_t address, int index)
{
    return static_cast<int>((address >> (24 - 8 * index)) & 0xFF);
}

fw::CString MeterName(int index)
{
    return fw::Format(fw::LoadStringText(CSelectMeterDlg::kMsgMeterName), index + 1);
}

// At most `bytes` bytes, cut before a UTF-8 continuation byte.
fw::CString CutText(const fw::CString& text, int bytes)
{
    if (text.GetLength() <= bytes)
        return text;
    int end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text.str()[static_cast<size_t>(end)]) & 0xC0) == 0x80)
        --end;
    return text.Left(end);
}

} // namespace

CSelectMeterDlg::Host CSelectMeterDlg::GetDefaultHost()
{
    IInstrumentLinkHost* host = fw::Installed<IInstrumentLinkHost>();
    if (!host)
        return {};
    return {[host](const CMeterInterfacePrf& prf) { return host->CreateLink(prf); }, [host] { host->ReleaseLink(); }};
}

CSelectMeterDlg::CSelectMeterDlg(fw::CWnd* parent) : fw::CDialog(kTemplateId, parent), m_host(GetDefaultHost())
{
}

CSelectMeterDlg::~CSelectMeterDlg() = default;

void CSelectMeterDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("測定器設定");
    b.Group("インターフェース");
    b.Static(static_cast<int>(fw::IDC_STATIC), "種類");
    b.Combo(kIdInterface);
    b.Row();
    b.Static(kIdAddressLabel, "IP アドレス");
    b.Custom(kIdAddress, std::make_unique<appctl::CIPAddressCtrl>());
    b.Row();
    b.Static(kIdPortLabel, "ポート番号");
    b.Edit(kIdPort);
    b.EndGroup();
    b.Group("ユニット");
    m_pGrid = &static_cast<CKivUnitGrid&>(b.Custom(kIdGrid, std::make_unique<CKivUnitGrid>()));
    b.EndGroup();
    b.Group("接続");
    b.Button(kIdCheck, "確認");
    b.Check(kIdGetUnits, "接続ユニットの取得");
    b.Check(kIdChangeIp, "IPアドレス\nの変更");
    b.EndGroup();
    b.OkCancel("OK", "キャンセル");
}

bool CSelectMeterDlg::OnInitDialog()
{
    m_pGrid->Initialize();
    m_pGrid->SetUnitTypes(&m_prf.m_unitTypes[0]);
    m_pGrid->SetFocus();
    auto* combo = GetDlgItemAs<fw::CComboBox>(kIdInterface);
    combo->ResetContent();
    combo->EnableWindow(std::size(kInterfaces) > 1);
    m_nInterfaceIndex = 0;
    for (const InterfaceRow& row : kInterfaces) {
        const int index = combo->AddString(row.name);
        combo->SetItemData(index, static_cast<uintptr_t>(row.kind));
        if (row.kind == m_prf.m_interface)
            m_nInterfaceIndex = index;
    }
    m_prf.m_interface = static_cast<int>(combo->GetItemData(m_nInterfaceIndex));
    UpdateData(false);
    ShowAddressControls();
    m_bInitialized = true;
    return false;
}

void CSelectMeterDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_CBIndex(dx, kIdInterface, m_nInterfaceIndex);
    appctl::DDX_IPAddress(dx, kIdAddress, m_prf.m_ipAddress[0]);
    fw::DDX_Text(dx, kIdPort, m_prf.m_port[0]);
    fw::DDV_MinMaxInt(dx, m_prf.m_port[0], kPortMin, kPortMax);
    if (dx->m_bSaveAndValidate) {
        if (auto* combo = GetDlgItemAs<fw::CComboBox>(kIdInterface); combo && m_nInterfaceIndex >= 0)
            m_prf.m_interface = static_cast<int>(combo->GetItemData(m_nInterfaceIndex));
    }
    fw::DDX_Check(dx, kIdGetUnits, m_bGetUnits);
    fw::DDX_Check(dx, kIdChangeIp, m_bChangeIp);
}

void CSelectMeterDlg::ShowAddressControls()
{
    const int show = m_prf.m_interface == CMeterInterfacePrf::kInterfaceLan ? fw::SW_SHOW : fw::SW_HIDE;
    for (int id : {kIdAddress, kIdAddressLabel, kIdPort, kIdPortLabel}) {
        if (fw::CWnd* w = GetDlgItem(id))
            w->ShowWindow(show);
    }
}

void CSelectMeterDlg::OnInterfaceChange()
{
    auto* combo = GetDlgItemAs<fw::CComboBox>(kIdInterface);
    m_nInterfaceIndex = combo->GetCurSel();
    if (m_nInterfaceIndex >= 0)
        m_prf.m_interface = static_cast<int>(combo->GetItemData(m_nInterfaceIndex));
    ShowAddressControls();
}

void CSelectMeterDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (m_prf.m_unitTypes[0].CountInputUnits() <= 0) {
        fw::AfxMessageBox(kMsgNoInputUnit, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    if (m_prf.m_unitTypes[0].CountOf(CKivUnitTypes::kCanUnit) >= 3) {
        fw::AfxMessageBox(kMsgTooManyCanUnits, fw::MB_OK | fw::MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(fw::IDOK);
}

bool CSelectMeterDlg::CheckDuplicates()
{
    const bool usb = m_prf.m_interface == CMeterInterfacePrf::kInterfaceUsb;
    for (int a = 0; a < m_prf.GetCount(); ++a) {
        for (int b = a + 1; b < m_prf.GetCount(); ++b) {
            const bool same = usb ? m_prf.m_serialNo[a] == m_prf.m_serialNo[b]
                                  : m_prf.m_ipAddress[a] == m_prf.m_ipAddress[b];
            if (same) {
                const fw::CString what = fw::LoadStringText(usb ? kMsgSerialNo : kMsgIpAddress);
                fw::AfxMessageBox(fw::Format(fw::LoadStringText(kMsgDuplicate), what));
                return false;
            }
        }
    }
    return true;
}

void CSelectMeterDlg::SelectMeter(CKivMeter& meter, int index)
{
    meter.SetSerialNumber(m_prf.GetCount() == 1 ? 0 : m_prf.m_serialNo[index]);
    meter.SetAddress(static_cast<int16_t>(index));
    meter.CheckPresent();
}

void CSelectMeterDlg::OnCheck()
{
    if (!UpdateData(true) || !CheckDuplicates())
        return;
    CMeterInterface* link = m_host.createLink ? m_host.createLink(m_prf) : nullptr;
    if (!link)
        return;
    auto meter = std::make_unique<CKivMeter>();
    const bool lan = m_prf.m_interface == CMeterInterfacePrf::kInterfaceLan;
    try {
        for (int i = 0; i < m_prf.GetCount(); ++i) {
            if (lan) {
                meter->SetAddress(static_cast<int16_t>(i));
                meter->SetIpPort(m_prf.m_ipAddress[i], m_prf.m_port[i]);
            }
            meter->SetInterface(link);
        }
        {
            fw::CWaitCursor wait;
            link->Open();
            for (int a = 0; a < m_prf.GetCount(); ++a) {
                meter->SetSerialNumber(m_prf.GetCount() == 1 ? 0 : m_prf.m_serialNo[a]);
                meter->SetAddress(static_cast<int16_t>(a));
                try {
                    meter->CheckPresent();
                } catch (CZelException& e) {
                    if (e.m_nErrorCode == CZELMeter::kErrUnitAbsent && !lan) {
                        if (m_prf.GetCount() == 1)
                            e.SetMessageId(kMsgNotFoundOne);
                        else
                            e.SetMessage(fw::FormatString(kMsgNotFoundOf,
                                                          fw::Format("SERIAL No. %0.4d", m_prf.m_serialNo[a]))
                                             .c_str());
                    }
                    throw;
                }
                meter->CheckVersion();
            }
        }
        fw::AfxMessageBox(kMsgConnected);
        if (m_bGetUnits)
            TakeUnits(*meter);
        else
            CompareUnits(*meter);
        if (m_bChangeIp)
            ChangeAddresses(*meter);
    } catch (const fw::CException& e) {
        fw::CString text;
        e.GetErrorMessage(text);
        text = CutText(text, kMaxShownMessage);
        if (!text.IsEmpty())
            fw::Prompt().MessageBox(text, fw::MB_OK | fw::MB_ICONSTOP, 0);
    }
    meter.reset();
    if (m_host.releaseLink)
        m_host.releaseLink();
}

void CSelectMeterDlg::CompareUnits(CKivMeter& meter)
{
    for (int i = 0; i < m_prf.GetCount(); ++i) {
        SelectMeter(meter, i);
        fw::CString reply;
        meter.Query("STA2", reply);
        for (int k = 0; k < CKivUnitTypes::kPorts; ++k) {
            const int code = CUnitTypeTable::GetTypeCode(reply.Mid(8 * k, 7));
            if (code == m_prf.m_unitTypes[i].GetAt(k))
                continue;
            const fw::CString question = fw::Format(fw::LoadStringText(kMsgUnitsDiffer), MeterName(i));
            if (fw::Prompt().MessageBox(question, fw::MB_YESNO | fw::MB_DEFBUTTON2 | fw::MB_ICONQUESTION,
                                        kMsgUnitsDiffer) == fw::IDYES)
                TakeUnits(meter);
            return;
        }
    }
}

void CSelectMeterDlg::TakeUnits(CKivMeter& meter)
{
    for (int j = 0; j < m_prf.GetCount(); ++j) {
        SelectMeter(meter, j);
        fw::CString reply;
        meter.Query("STA2", reply);
        for (int k = 0; k < CKivUnitTypes::kPorts; ++k) {
            const int code = CUnitTypeTable::GetTypeCode(reply.Mid(8 * k, 7));
            if (code < 0) {
                fw::Prompt().MessageBox(fw::Format(fw::LoadStringText(kMsgUnknownUnit), MeterName(j), k + 1),
                                        fw::MB_OK | fw::MB_ICONEXCLAMATION, kMsgUnknownUnit);
                m_pGrid->Redraw();
                return;
            }
            m_prf.m_unitTypes[j].SetAt(k, code);
        }
    }
    m_pGrid->Redraw();
}

void CSelectMeterDlg::ChangeAddresses(CKivMeter& meter)
{
    for (int j = 0; j < m_prf.GetCount(); ++j) {
        SelectMeter(meter, j);
        meter.CheckVersion();
        if (meter.GetFirmwareVersion() < kIpChangeFirmware) {
            fw::AfxMessageBox(kMsgIpNeedsNewFirmware);
            return;
        }
    }
    CChangeIPaddressDlg dlg(this);
    dlg.m_prf = m_prf;
    if (dlg.DoModal() != fw::IDOK)
        return;
    const uint32_t mask = dlg.m_dwSubnetMask;
    const uint32_t gateway = dlg.m_dwGateway;
    for (int k = 0; k < m_prf.GetCount(); ++k) {
        SelectMeter(meter, k);
        const uint32_t ip = dlg.m_prf.m_ipAddress[k];
        fw::CString command = fw::Format("Z-IPPORT-SET %03d.%03d.%03d.%03d/%d+%03d.%03d.%03d.%03d", Octet(ip, 0),
                                         Octet(ip, 1), Octet(ip, 2), Octet(ip, 3), dlg.m_prf.m_port[k],
                                         Octet(mask, 0), Octet(mask, 1), Octet(mask, 2), Octet(mask, 3));
        if (dlg.m_bGateway && gateway != 0)
            command += fw::Format("/%03d.%03d.%03d.%03d", Octet(gateway, 0), Octet(gateway, 1), Octet(gateway, 2),
                                  Octet(gateway, 3));
        meter.Command(command);
    }
    for (int k = 0; k < m_prf.GetCount(); ++k) {
        m_prf.m_ipAddress[k] = dlg.m_prf.m_ipAddress[k];
        m_prf.m_port[k] = dlg.m_prf.m_port[k];
    }
    fw::AfxMessageBox(kMsgIpChanged);
    ShowAddressControls();
    UpdateData(false);
}

void CSelectMeterDlg::OnUnitType(unsigned id)
{
    m_pGrid->OnUnitType(id);
}

void CSelectMeterDlg::OnUpdateUnitType(fw::CCmdUI* ui)
{
    m_pGrid->OnUpdateUnitType(ui);
}
