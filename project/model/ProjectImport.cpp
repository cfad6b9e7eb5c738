// What the measurement panel and the recorded-data transfer ask of the
// project: saving before a measurement, the question before the panel
// closes, the panel's monitored channels, a temporary measuring system for
// data recorded with another set-up, and a history step per measurement.

#include "project/model/KIV5980Doc.h"

#include "common/calc/CalcuDataTank.h"
#include "framework/core/FileSystem.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "project/model/DataHeaderReader.h"
#include "project/model/ProjectHost.h"
#include "project/model/ProjectStrings.h"

namespace {

constexpr int kCodeName = 1000;
// Channel settings carried into a temporary measuring system, as text.
constexpr int kCarriedCodes[] = {0,  7,  20, 24, 25, 33,   1002, 1003, 1001, 2,    34,  49,
                                 50, 29, 1008, 1009, 1010, 11, 1006, 13, 1011, 1012, 1013};

CCalcuDataTank* CalcTankOf(CDataTankList& list, int channel)
{
    return channel >= 0 && channel < list.GetSize() ? dynamic_cast<CCalcuDataTank*>(list.GetObjectAt(channel))
                                                    : nullptr;
}

} // namespace

bool CKIV5980Doc::ConfirmStopMeasurement()
{
    if (!ProjectHost().IsMeasuring(*this))
        return true;
    if (fw::AfxMessageBox(prjstr::kMsgStopMeasuring, fw::MB_YESNO | fw::MB_DEFBUTTON2) != fw::IDYES)
        return false;
    ProjectHost().EndPanelModes(*this);
    return true;
}

bool CKIV5980Doc::SaveForMeasurement()
{
    if ((GetPathName().IsEmpty() || IsModified()) && !DoFileSave())
        return false;
    GetUndoBuffer().Release(0);
    return true;
}

void CKIV5980Doc::SetPanelMonitorPrf(const CPanelMoniterPrf& settings)
{
    CDataTankList& channels = GetActiveBoxArray().GetTankList();
    for (int32_t n : m_panelMonitor.m_channels)
        if (CCalcuDataTank* tank = CalcTankOf(channels, n))
            tank->RemoveUse();
    m_panelMonitor = settings;
    for (int32_t n : m_panelMonitor.m_channels)
        if (CCalcuDataTank* tank = CalcTankOf(channels, n))
            tank->AddUse();
    SetModifiedFlag(true);
}

bool CKIV5980Doc::BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSettings)
{
    if (m_pActiveSystem != &m_boxArray)
        return true;
    auto system = std::make_unique<CBoxArray>();
    system->SetOwner(this);
    if (!system->BuildFromProfile(profile))
        return false;
    system->ApplyAdSetting(adSettings);
    system->GetTankList().SetSettingsList(m_pCalcSettings.get());
    const int count = std::min(GetChannelCount(), system->GetTankList().GetMeasuredCount());
    for (int i = 0; i < count; ++i) {
        for (int code : kCarriedCodes) {
            fw::CString text;
            m_boxArray.GetChannelText(i, code, text);
            system->SetChannelText(i, code, text.c_str());
        }
        fw::CString name;
        m_boxArray.GetChannelText(i, kCodeName, name);
        system->SetChannelText(i, kCodeName, name.c_str());
    }
    CKivSPTankData& own = m_boxArray.GetTankList();
    CKivSPTankData& other = system->GetTankList();
    CDataTankObject* onOff = m_pCalcSettings ? m_pCalcSettings->GetObjectAt(4) : nullptr;
    for (int row = 0; row < kCalcRows && kFirstCalcChannel + row < own.GetSize(); ++row) {
        CDataTankObject* tank = own.GetObjectAt(kFirstCalcChannel + row);
        if (!tank || !onOff || onOff->GetValue(row) != 1)
            continue;
        while (other.GetSize() <= kFirstCalcChannel + row)
            other.AddTank(nullptr, false);
        other.SetTankAt(kFirstCalcChannel + row, tank, true);
    }
    system->BeginMeterEdit();
    m_importSystem = std::move(system);
    m_pActiveSystem = m_importSystem.get();
    return true;
}

void CKIV5980Doc::EndImportBoxArray()
{
    m_pActiveSystem = &m_boxArray;
    if (m_importSystem) {
        m_importSystem->GetTankList().SetSettingsList(nullptr);
        m_importSystem.reset();
    }
    RefreshFuncColumn();
}

void CKIV5980Doc::AppendHistoryStep(const ImportRecord& record)
{
    const int n = m_history.GetLastIndex() + 1;
    const CADSetPrf& ad = GetActiveBoxArray().GetADSet();
    m_history.SetStepTime(n, record.startTime);
    m_history.SetMeasureMethod(n, record.method);
    m_history.SetCycleCount(n, record.cycleCount);
    m_history.SetTitle(n, GetTestTitle());
    const int values = GetActiveBoxArray().GetTankList().GetDataCount();
    const double duration =
        record.countOnly ? values : record.interval / ad.GetUnitFactor(-1) * (values - 1);
    m_history.SetDuration(n, duration);
    m_history.SetDurationUnit(n, static_cast<int16_t>(ad.GetUnitCaptionId()));
    m_history.SetCardFileName(n, fw::fs::FileNameOf(record.path));
    RefreshHistoryChannels(true);
    NotifyHistoryChanged();
}

int CKIV5980Doc::FinishDataImport(const ImportRecord& record, bool force)
{
    fw::CWaitCursor wait;
    IProjectHost& host = ProjectHost();
    const bool noAutoSave = host.DontSaveDataAutomatically();
    int result = 1;
    if (force || !noAutoSave || host.RecordHistoryWithoutSave())
        AppendHistoryStep(record);
    if (force || !noAutoSave) {
        IMeasurementDataSaver* saver = fw::Installed<IMeasurementDataSaver>();
        fw::CString folder;
        const int saved = saver ? saver->SaveFromProject(*this, folder) : 2;
        if (saved == 2) {
            result = 2;
        } else if (saved == 0) {
            SetLastStep(m_history.GetLastIndex() - 1);
        } else if (!folder.IsEmpty()) {
            m_history.SetDataFileName(m_history.GetLastIndex(), folder);
        }
    }
    SetModifiedFlag(true);
    return result;
}
