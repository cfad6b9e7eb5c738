#include "app/shell/ProgramComposition.h"

#include "app/shell/AboutDlg.h"
#include "app/shell/DocumentTypes.h"
#include "app/shell/GraphListHooks.h"
#include "app/shell/KIV5980App.h"
#include "app/shell/ShellIds.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgramClasses.h"
#include "app/shell/register/ProgramListGraphDialogs.h"
#include "app/shell/register/SubsystemRegistration.h"
#include "canvoicegps/views/settings/CanPageSupport.h"
#include "common/resources/ProgramStrings.h"
#include "data/model/DataClasses.h"
#include "data/model/MeasurementDataSaver.h"
#include "data/views/DataViewMenus.h"
#include "docbase/doc/GraphDocumentLookup.h"
#include "docbase/resources/ProgramMenus.h"
#include "docview/graphpage/QtBitmap.h"
#include "framework/core/ServiceSlot.h"
#include "frequency/document/HistFileAccess.h"
#include "frequency/document/ProgramFileVersion.h"
#include "framework/ui/MultiDocTemplate.h"
#include "grid/model/GridClasses.h"
#include "instrument/MeasureModeName.h"
#include "measure/model/HistDownload.h"
#include "measure/views/panel/KeisokuPanelWnd.h"
#include "measure/views/panel/MeasureCommands.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/PrjChView.h"
#include "project/views/ProjectMenus.h"
#include "project/views/ProjectFrame.h"

namespace {

// The captions of the measurement modes, as the main frame shows them.
class CMeasureModeNames final : public IMeasureModeNames {
public:
    fw::CString Caption(int mode) override
    {
        fw::CString name;
        GetMeasureModeName(static_cast<unsigned>(mode), name);
        return name;
    }
};

// The version the VO-8025 output names.
class CProgramFileVersion final : public IProgramFileVersion {
public:
    fw::CString FileVersion() const override { return kProgramVersion; }
};

// The measurement project takes its connection set-up and A/D defaults from
// the application's settings.
class CAppProjectHost final : public IProjectHost {
public:
    CMeterInterfacePrf& MeterProfile() override { return Settings().m_meterInterfacePrf; }
    CADSetPrf& AdDefaults() override { return Settings().m_adSetPrf; }
    bool AlarmAutoReset() override { return Settings().m_bAlarmAutoReset != 0; }
    void StopPanelPolling() override
    {
        if (CMeasureCommands* commands = MeasureCommands())
            commands->StopPanelPolling();
    }
    void RestartPanelPolling() override
    {
        if (CMeasureCommands* commands = MeasureCommands())
            commands->RestartPanelPolling();
    }
    bool IsMeasuring(const CKIV5980Doc& doc) override
    {
        CMeasureCommands* commands = MeasureCommands();
        CKeisokuPanelWnd* panel = commands ? commands->Panel() : nullptr;
        return panel && &panel->Document() == &doc &&
               (panel->Panel().IsMeasuring() || panel->Panel().IsAutoMeasuring());
    }
    bool IsTriggerMeasuring(const CKIV5980Doc& doc) override
    {
        CMeasureCommands* commands = MeasureCommands();
        CKeisokuPanelWnd* panel = commands ? commands->Panel() : nullptr;
        return panel && &panel->Document() == &doc && panel->Panel().IsTriggerMeasuring();
    }
    bool ReadHistRecord(CBoxArray& system, const std::vector<std::vector<CKiv406FileInfo>*>& lists,
                        CHistCountArray& analyses, int record, bool card) override
    {
        return card ? DownloadCardFiles(system, lists, analyses, record)
                    : DownloadMemoryFiles(lists, analyses, record);
    }

private:
    CAppSettings& Settings()
    {
        if (CKIV5980App* app = GetKivApp())
            return app->Settings();
        static CAppSettings standalone;
        return standalone;
    }
};

// A project opens in the project window, its input-channel page first.
void RegisterProjectDocumentType()
{
    RegisterDocumentType(kIdrProjectType, [] {
        return new fw::CMultiDocTemplate(kIdrProjectType, FW_RUNTIME_CLASS(CKIV5980Doc),
                                         FW_RUNTIME_CLASS(CProjectFrame), FW_RUNTIME_CLASS(CPrjChView));
    });
}

// The document windows' menu bars and every menu that the main frame's
// popup pass or a page's drop-down fills from, whichever window opens first.
void RegisterWindowMenus()
{
    RegisterProjectWindowMenu();
    EnsureProjectPageMenus();
    datamenu::RegisterDataWindowMenu();
    datamenu::EnsureDataViewMenus();
    canpage::EnsureCanMenus();
}

} // namespace

void ComposeProgram()
{
    InstallProgramStrings();
    RegisterProgramClasses();
    RegisterProgramMenus();

    static CQtBitmapMaker bitmaps;
    fw::Install<IBitmapMaker>(&bitmaps);
    static CHostGraphDocumentLookup graphDocuments;
    fw::Install<IGraphDocumentLookup>(&graphDocuments);
    static CMeasureModeNames modeNames;
    fw::Install<IMeasureModeNames>(&modeNames);
    static CHistFileAccess histFiles;
    fw::Install<IHistFileAccess>(&histFiles);
    static CProgramFileVersion fileVersion;
    fw::Install<IProgramFileVersion>(&fileVersion);
    RegisterGridClasses();
    InstallGraphListHooks();
    static CProgramListGraphDialogs listGraphDialogs;
    fw::Install<IListGraphDialogs>(&listGraphDialogs);
    static CAppProjectHost projectHost;
    fw::Install<IProjectHost>(&projectHost);
    // The project makes the data document of a finished measurement
    // through the data documents.
    RegisterDataClasses();
    static CKivMeasurementDataSaver dataSaver;
    fw::Install<IMeasurementDataSaver>(&dataSaver);
    // A type registered before start-up (a test's stand-in) stays.
    if (!DocumentTypeMaker(kIdrProjectType))
        RegisterProjectDocumentType();
    RegisterProjectPages();
    RegisterMeasureSubsystem();
    RegisterDataViews();
    RegisterGraphDocuments();
    RegisterFrequencyViews();
    RegisterCanVoiceGpsViews();
    RegisterWindowMenus();
}
