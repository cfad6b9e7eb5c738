#include "app/shell/register/SubsystemRegistration.h"

#include "app/shell/KIV5980App.h"
#include "app/shell/MainFrame.h"
#include "framework/core/ServiceSlot.h"
#include "docbase/doc/UpdateHints.h"
#include "docbase/settings/AppSettings.h"
#include "docbase/settings/MoniterPrf.h"
#include "instrument/ContinueQuestion.h"
#include "measure/model/monitor/MoniCalcuDataTank.h"
#include "measure/model/monitor/PanelPrf.h"
#include "measure/views/dialogs/ArarmSetDlg.h"
#include "measure/views/panel/MeasureCommands.h"
#include "measure/views/panel/PanelShell.h"
#include "measure/views/panel/TLimitMessDlg.h"
#include "project/model/KIV5980Doc.h"

#include <optional>

namespace {

// The panel reaches the application, its main frame and the graph
// documents through this.
class CAppPanelShell final : public IPanelShell {
public:
    CMeterInterface* CreateLink(const CMeterInterfacePrf& profile) override
    {
        CKIV5980App* app = GetKivApp();
        return app ? app->CreateMeterInterface(profile) : nullptr;
    }
    void ReleaseLink() override
    {
        if (CKIV5980App* app = GetKivApp())
            app->ReleaseMeterInterface();
    }
    void ShowWaitingText(bool on) override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->ShowWaitingText(on);
    }
    void UpdateTriggerStatus(const fw::COleDateTime& start, double days, int code) override
    {
        CMainFrame* frame = GetMainFrame();
        if (!frame)
            return;
        const bool valid = start.GetStatus() == fw::COleDateTime::valid;
        const double from = valid ? start.m_dt : 0.0;
        frame->UpdateTriggerStatus(from, valid && days > 0 ? from + days : 0.0, code);
    }
    void ClearTriggerStatus() override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->UpdateTriggerStatus(0.0, 0.0, -1);
    }
    void ShowRecordCount(int count, bool writing) override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->ShowRecordCount(count, writing);
    }
    void ShowElapsedTime(const fw::COleDateTimeSpan& span, bool writing) override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->ShowElapsedTime(0.0, span.m_span, writing);
    }
    void UpdateCfStatus(int unitsMode, const CBoxArray* system) override
    {
        if (CMainFrame* frame = GetMainFrame())
            frame->UpdateCfStatus(unitsMode, system);
    }
    void SendGraphHint(int hint, CKIV5980Doc* doc) override
    {
        CUpdateDataDoc sender(doc);
        if (CKIV5980App* app = GetKivApp())
            app->UpdateAllGraphDocs(hint, doc ? &sender : nullptr);
    }
    void RaiseAlarmSound(int16_t level) override
    {
        if (CKIV5980App* app = GetKivApp())
            app->Settings().RaiseAlarmSound(level);
    }
    void ResetAlarmSound() override
    {
        if (CKIV5980App* app = GetKivApp())
            app->Settings().ResetAlarmSound();
    }
    void PlayAlarmSound() override
    {
        if (CKIV5980App* app = GetKivApp())
            app->Settings().PlayAlarmSound();
    }
    void SetConnectedProject(CKIV5980Doc* project) override
    {
        if (CKIV5980App* app = GetKivApp())
            app->SetConnectedProject(project);
    }
    bool DontSaveAutomatically() override
    {
        CKIV5980App* app = GetKivApp();
        return app && app->m_bDontSaveData != 0;
    }
    bool DeleteCardFilesAfterFetch() override
    {
        CKIV5980App* app = GetKivApp();
        return app && app->m_bDeleteCardFiles != 0;
    }
    bool RecordHistoryWithoutSave() override
    {
        CKIV5980App* app = GetKivApp();
        return app && app->m_bSaveMaxMinHistory != 0;
    }
    MeasureOptions GetMeasureOptions() override
    {
        MeasureOptions options;
        if (CKIV5980App* app = GetKivApp()) {
            options.dontSave = app->m_bDontSaveData;
            options.recordHistory = app->m_bSaveMaxMinHistory;
            options.deleteCardFiles = app->m_bDeleteCardFiles;
        }
        return options;
    }
    void SetMeasureOptions(const MeasureOptions& options) override
    {
        if (CKIV5980App* app = GetKivApp()) {
            app->m_bDontSaveData = options.dontSave;
            app->m_bSaveMaxMinHistory = options.recordHistory;
            app->m_bDeleteCardFiles = options.deleteCardFiles;
        }
    }
};

// "アラーム設定..." with the panel's polling paused around the dialog.
class CAppAlarmSettingsDialog final : public IAlarmSettingsDialog {
public:
    bool Run(AlarmSettingsFields& fields) override
    {
        CMeasureCommands* commands = MeasureCommands();
        const bool polling = commands && commands->StopPanelPolling();
        CArarmSetDlg dialog(GetMainFrame());
        dialog.m_bSoundOn = fields.soundOn;
        dialog.m_bUseSoundFile = fields.useSoundFile;
        dialog.m_strSoundFile = fields.soundFile;
        dialog.m_bAutoReset = fields.autoReset;
        const bool ok = dialog.DoModal() == fw::IDOK;
        if (ok) {
            fields.soundOn = dialog.m_bSoundOn;
            fields.useSoundFile = dialog.m_bUseSoundFile;
            fields.soundFile = dialog.m_strSoundFile;
            fields.autoReset = dialog.m_bAutoReset;
        }
        if (polling)
            commands->RestartPanelPolling();
        return ok;
    }
};

} // namespace

void RegisterMeasureSubsystem()
{
    static CTimeLimitQuestion question;
    InstallContinueQuestion(&question);
    static CAppPanelShell shell;
    fw::Install<IPanelShell>(&shell);
    static CAppAlarmSettingsDialog alarmSettings;
    fw::Install<IAlarmSettingsDialog>(&alarmSettings);
    // The application keeps the monitor settings and the panel type in its
    // profile, in its order of sections.
    if (CKIV5980App* app = GetKivApp()) {
        static CProfileRecordRef<CMoniterPrf> monitorRecord(shell.AppMonitorPrf());
        static CProfileRecordRef<CPanelPrf> panelRecord(shell.AppPanelPrf());
        app->Settings().SetMonitorRecord(&monitorRecord);
        app->Settings().SetPanelRecord(&panelRecord);
    }
    fw::RegisterClass(FW_RUNTIME_CLASS(CMoniCalcuDataTank));
    static CMeasureCommands commands;
    commands.owner = []() -> fw::CWnd* { return GetMainFrame(); };
    commands.activeDocument = []() -> fw::CDocument* {
        CMainFrame* frame = GetMainFrame();
        return frame ? frame->GetActiveDocument() : nullptr;
    };
    SetMeasureCommands(&commands);
    CMainFrame::SetMeasureCommandTarget(&commands);
}
