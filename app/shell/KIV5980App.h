#pragma once

// The program's application object: the whole start-up (single instance,
// data folder, profile, document types, cache clean-up, main window, start
// page, command line) and shut-down (settings saved in order, link and
// alarm sound released, lock given up, recent files written), the link to
// the instruments and the application-wide commands.

#include "app/shell/PrintOptionDlg.h"
#include "app/shell/ZELApp.h"
#include "docbase/naming/NameSetParam.h"
#include "docbase/settings/AppSettings.h"
#include "docbase/settings/SoundOutput.h"
#include "docview/instrumentdlg/InstrumentLinkHost.h"
#include "docview/instrumentdlg/UnitTypeTable.h"
#include "framework/ui/HandOverServer.h"
#include "framework/ui/InstanceLock.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CMainFrame;
class CMeterInterface;
class CMeterInterfacePrf;

// What the command line asks for.
struct CCommandLineInfo {
    enum Shell { fileNew, fileOpen, filePrint, fileNothing };
    Shell m_nShellCommand = fileNew;
    fw::CString m_strFileName;
    // Every file named, the first being m_strFileName (the desktop may
    // name several).
    std::vector<fw::CString> m_files;
    bool m_bNoStartPage = false;

    // argv[0] is the program; "--no-start-page",
    // "--print" (or "/p", "-p": print the file and end), and the first other
    // argument names the file to open.
    void Parse(const std::vector<std::string>& args);
};

class CKIV5980App : public CZELApp, public INameSetRecord, private IInstrumentLinkHost {
    FW_DECLARE_DYNAMIC(CKIV5980App)
    FW_DECLARE_COMMANDS()
public:
    CKIV5980App();
    ~CKIV5980App() override;

    void SetCommandLine(const std::vector<std::string>& args) { m_cmdInfo.Parse(args); }
    const CCommandLineInfo& GetCommandLine() const { return m_cmdInfo; }

    bool InitInstance() override;
    int ExitInstance() override;

    void SaveSettings() override;
    void LoadSettings() override;

    bool MakeDataFolder();
    void DeleteTempFiles();
    const fw::CString& GetDataFolder() const { return m_strDataFolder; }

    // --- the link to the instruments -------------------------------------------------
    CMeterInterface* CreateMeterInterface(const CMeterInterfacePrf& prf);
    void ReleaseMeterInterface();
    CMeterInterface* GetMeterInterface() const { return m_pMeterInterface.get(); }
    void SetConnectedProject(fw::CDocument* project);
    fw::CDocument* GetConnectedProject() const { return m_pConnectedProject; }
    uint8_t m_bConnectedProjectFlag = 0;
    // The connection profile of the project in the active window; null
    // when the active document is no project or no reader is installed.
    const CMeterInterfacePrf* GetActiveProjectProfile() const;
    // How a project document yields its connection profile; the project
    // document type installs it.
    using ProjectProfileReader = std::function<const CMeterInterfacePrf*(fw::CDocument&)>;
    static void SetProjectProfileReader(ProjectProfileReader reader);

    // True when more than `required` bytes are free on the folder's volume
    // (the data folder for an empty folder), or when that cannot be read;
    // otherwise message `messageId` with the folder, then false.
    bool CheckFreeDiskSpace(const fw::CString& folder, uint64_t required, unsigned messageId);

    const CUnitTypeTable& GetUnitTypes() const { return m_unitTypes; }
    CAppSettings& Settings() { return m_settings; }
    // The automatic-naming settings, kept for the run only.
    CNameSetParam& GetNameSetParam() override { return m_nameSetParam; }
    CMainFrame* GetMainFrameWnd() const;

    // --- application-wide values ---------------------------------------------------------
    PrintOptions m_printOptions;
    int32_t m_bOpenStartUpGraphs = 1;
    int32_t m_bHighPassDisplay = 0;
    int32_t m_bDeleteCardFiles = 0;
    int32_t m_bDontSaveData = 0;
    int32_t m_bSaveMaxMinHistory = 0;

    // --- commands ------------------------------------------------------------------------------
    void OnFileNew();
    void OnAppAbout();
    void OnPrintOption();
    void OnGraphBatchPrint();
    void OnUpdateGraphBatchPrint(fw::CCmdUI* ui);
    void OnHighPassDisplay();
    void OnAlarmSettings();
    void OnUpdateAlarmSettings(fw::CCmdUI* ui);
    void OnUpdateHighPassDisplay(fw::CCmdUI* ui);
    // The graph commands of the data windows: a graph page from the active
    // project or measurement-data document.
    bool OnGraphCommand(unsigned id);
    void OnUpdateGraphCommand(fw::CCmdUI* ui);
    void OnUpdateFrequencyGraph(fw::CCmdUI* ui);

private:
    void AddDocumentTemplates();
    bool CreateMainFrame();
    // The start page's result turned into the shell command; false when
    // nothing more is to be done.
    bool RunStartPage();
    // The command line's command (new, open or nothing) carried out.
    bool RunShellCommand();
    // Files handed over by later starts of the program are opened here, as
    // "File > Open" opens them, with the main window raised.
    void StartFileHandOver();
    void StopFileHandOver();
    void OpenHandedFiles(const std::vector<fw::CString>& files);
    // The instrument dialogs reach the link through this application; the
    // hosts are taken back before the application goes.
    void InstallDialogHosts();
    void RemoveDialogHosts();
    void RemoveSoundOutput();
    // IInstrumentLinkHost
    const CMeterInterfacePrf* ActiveProjectProfile() override { return GetActiveProjectProfile(); }
    CMeterInterface* CreateLink(const CMeterInterfacePrf& prf) override { return CreateMeterInterface(prf); }
    void ReleaseLink() override { ReleaseMeterInterface(); }

    fw::InstanceLock m_instanceLock;
    fw::HandOverServer m_handOver;
    fw::CString m_strDataFolder;
    fw::CDocument* m_pConnectedProject = nullptr;
    std::unique_ptr<CMeterInterface> m_pMeterInterface;
    CAppSettings m_settings;
    // The desktop's sound output, when the program installed it.
    std::unique_ptr<ISoundOutput> m_soundOutput;
    CUnitTypeTable m_unitTypes;
    CCommandLineInfo m_cmdInfo;
    CNameSetParam m_nameSetParam;
};

CKIV5980App* GetKivApp();
