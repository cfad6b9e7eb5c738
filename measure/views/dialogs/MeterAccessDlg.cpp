#include "measure/views/dialogs/MeterAccessDlg.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "framework/ui/DataExchange.h"
#include "framework/ui/DialogBuilder.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"

FW_IMPLEMENT_DYNAMIC(CMeterAccessDlg, fw::CDialog)

namespace {

constexpr int kStateMeasuring = 2;
constexpr int kStateRecording = 3;
constexpr int kStateNoFiles = 50;
constexpr double kMinFrequencyClockMs = 1.0;
constexpr double kManyAnalysesClockMs = 10.0;

// Two messages in one box.
int AskTwo(unsigned first, unsigned second, unsigned flags)
{
    return fw::AfxMessageBox(fw::LoadStringText(first) + fw::LoadStringText(second), flags);
}

} // namespace

CMeterAccessDlg::CMeterAccessDlg(CBoxArray& system, Host host, fw::CWnd* parent)
    : fw::CDialog(kTemplateId, parent), m_system(system), m_host(std::move(host))
{
}

void CMeterAccessDlg::BuildControls(fw::DialogBuilder& b)
{
    SetWindowText("計測パネル表示");
    b.Static(kIdIcon, "");
    b.Static(static_cast<int>(fw::IDC_STATIC),
             "計測したデータは計測時に使用している計測プロジェクトのファイル名に\n_DATAを付加したフォルダに自動的に記録されます。\n"
             "ファイル名は計測日時を元に作られます。");
    b.Row();
    b.Radio(kIdSend, "測定器へ設定を送信します。\n全測定器の時計をコンピュータと合わせます。\n計測を行っている測定器は停止します。",
            true);
    b.Row();
    b.Radio(kIdRead, "SETに設定されているチャンネルの設定を測定器より受信します。\n"
                     "計測プロジェクトの設定は測定器の設定内容で更新されます。\n"
                     "データ数とサンプリングは選択されている測定器に合わせて調整します。");
    b.Row();
    b.Static(static_cast<int>(fw::IDC_STATIC), "KIV-406 Ver.");
    b.Static(kIdVersion, "");
    b.OkCancel();
}

bool CMeterAccessDlg::OnInitDialog()
{
    fw::CDialog::OnInitDialog();
    GetDlgItem(kIdSend)->EnableWindow(m_nMode == kSendSettings);
    SetDlgItemText(kIdVersion, m_strVersion);
    return true;
}

void CMeterAccessDlg::DoDataExchange(fw::CDataExchange* dx)
{
    fw::DDX_Radio(dx, kIdSend, m_nMode);
}

bool CMeterAccessDlg::IsMeasuring() const
{
    return m_system.GetState() == kStateMeasuring || m_system.GetState() == kStateRecording;
}

bool CMeterAccessDlg::PassesFirmwareGates()
{
    for (int b = 0; b < m_system.GetBoxCount(); ++b) {
        const CKivMeter* meter = m_system.GetBox(b)->GetMeter();
        const CMeterInterfacePrf& profile = m_system.GetProfile();
        for (int port = 0; port < CKivUnitTypes::kPorts; ++port) {
            // The project's unit slots, also those whose unit class is not
            // installed in this program.
            int type = meter->GetUnitType(port);
            if (type == 0 && b < profile.GetCount())
                type = profile.m_unitTypes[static_cast<size_t>(b)].GetAt(port);
            unsigned message = 0;
            if (type == kUnitType463 && meter->GetFirmwareVersion() <= kLastWithoutUnit463)
                message = kIdsNeeds463Firmware;
            else if (type == kUnitType437 && meter->GetFirmwareVersion() <= kLastWithoutUnit437)
                message = kIdsNeeds437Firmware;
            if (message) {
                m_system.CloseMeters();
                fw::AfxMessageBox(message, fw::MB_OK | fw::MB_ICONEXCLAMATION);
                return false;
            }
        }
    }
    return true;
}

void CMeterAccessDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    if (!PassesFirmwareGates())
        return;
    if (m_nMode == kSendSettings) {
        try {
            m_system.CollectBoxStates();
        } catch (const std::exception& e) {
            fw::ReportException(e);
            EndDialog(fw::IDCANCEL);
            return;
        }
        if (IsMeasuring() &&
            AskTwo(kIdsStopsMeasuring, kIdsChooseReading, fw::MB_OKCANCEL | fw::MB_DEFBUTTON2) != fw::IDOK)
            return;
    }
    EndDialog(Access() ? fw::IDOK : fw::IDCANCEL);
}

bool CMeterAccessDlg::SendSettings()
{
    if (!m_system.CheckSettings())
        return false;
    m_system.HaltMeasurement(true);
    // The frequency memory split and analyses follow the channel settings,
    // which reset the unit's analysis memory.
    if (!m_system.SetMeterClocks() || !m_system.WriteAllSettings() || !m_system.WriteHistSettings())
        return false;
    try {
        if (m_system.CheckMeters() == kFrequencySettingError) {
            fw::AfxMessageBox(kIdsFrequencySettingError, fw::MB_OK | fw::MB_ICONEXCLAMATION);
            return false;
        }
    } catch (const std::exception& e) {
        fw::ReportException(e);
        return false;
    }
    if (m_host.setConnectedProject)
        m_host.setConnectedProject();
    return true;
}

bool CMeterAccessDlg::ReadSettings()
{
    if (!m_system.CheckSameClock())
        return false;
    if (m_host.rebuildChannels)
        m_host.rebuildChannels();
    if (!m_system.ReadMeters() || !m_system.ReadSaveMode())
        return false;
    try {
        m_system.BuildHistCounts();
        m_system.CollectBoxStates();
    } catch (const std::exception& e) {
        fw::ReportException(e);
        return false;
    }
    if (IsMeasuring())
        AskTwo(kIdsStillMeasuring, kIdsReadLater, fw::MB_OK | fw::MB_ICONINFORMATION);
    if (m_host.setConnectedProject)
        m_host.setConnectedProject();
    if (m_host.saveProject && !m_host.saveProject())
        return false;
    m_system.MarkDuplicateCanIds();
    if (m_host.refreshViews)
        m_host.refreshViews();
    return true;
}

bool CMeterAccessDlg::SettleRecording()
{
    const int load = m_system.GetMaxLoadClass();
    m_bFrequencyRecording = load != 0;
    if (load == 0) {
        m_system.SetSaveMode(1);
    } else {
        const CADSetPrf& ad = m_system.GetADSet();
        unsigned first = 0;
        unsigned second = 0;
        if (ad.m_dClk < kMinFrequencyClockMs || ad.UsesExternalClock()) {
            first = kIdsClockTooFast;
        } else if (load == 3 || (load == 2 && ad.m_dClk < kManyAnalysesClockMs)) {
            for (int b = 0; b < m_system.GetBoxCount() && !first; ++b) {
                const CKivMeter* meter = m_system.GetBox(b)->GetMeter();
                if (meter->IsAnalysisAvailable() && meter->GetLoadClass() > 1 &&
                    meter->GetFirmwareVersion() < kFirstManyAnalyses) {
                    first = kIdsTooManyAnalyses;
                    second = kIdsWaveformOnly;
                }
            }
        }
        if (first) {
            const fw::CString text = fw::LoadStringText(first) + (second ? fw::LoadStringText(second) : fw::CString());
            if (fw::AfxMessageBox(text, fw::MB_OKCANCEL | fw::MB_ICONEXCLAMATION) != fw::IDOK)
                return false;
            m_system.SetSaveMode(1);
            m_bFrequencyRecording = false;
        }
    }
    if (!m_system.SendSaveMode())
        return false;
    try {
        m_system.CollectBoxStates();
        if (m_system.GetState() != kStateNoFiles) {
            m_system.HasNewFiles();
            if (!m_system.ReadFileLists(true, true))
                return false;
            m_system.SelectLatestFiles(1 | 2);
        }
    } catch (const std::exception& e) {
        fw::ReportException(e);
        return false;
    }
    return true;
}

bool CMeterAccessDlg::Access()
{
    fw::CWaitCursor wait;
    const bool done = m_nMode == kSendSettings ? SendSettings() : ReadSettings();
    return done && SettleRecording();
}
