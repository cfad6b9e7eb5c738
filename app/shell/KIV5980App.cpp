#include "app/shell/KIV5980App.h"
#include "app/shell/ProgramComposition.h"
#include "docview/settings/QtSoundOutput.h"

#include "framework/core/ServiceSlot.h"

#include "app/shell/DataFolder.h"
#include "app/shell/DocumentTypes.h"
#include "app/shell/DummyDocTemplate.h"
#include "app/shell/FileHandOver.h"
#include "app/shell/MainFrame.h"
#include "app/shell/ProgramClasses.h"
#include "app/shell/ShellIds.h"
#include "app/shell/StartUpDlg.h"
#include "common/cache/CacheClasses.h"
#include "docbase/doc/KivDocManager.h"
#include "docbase/resources/ProgramMenus.h"
#include "docview/instrumentdlg/MeterVerupDlg.h"
#include "docview/instrumentdlg/SelectMeterDlg.h"
#include "framework/core/CommandLineInfo.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/Kiv406UsbInterface.h"
#include "instrument/MeterInterface.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/MeterSocket.h"

FW_IMPLEMENT_DYNAMIC(CKIV5980App, CZELApp)

namespace {

// The link the profile's interface kind asks for; none for another kind.
std::unique_ptr<CMeterInterface> MakeMeterInterface(const CMeterInterfacePrf& prf)
{
    switch (prf.m_interface) {
    case CMeterInterfacePrf::kInterfaceLan:
        return std::make_unique<CMeterSocket>();
    case CMeterInterfacePrf::kInterfaceUsb:
        return std::make_unique<CKiv406UsbInterface>();
    default:
        return nullptr;
    }
}

CKIV5980App::ProjectProfileReader& ProfileReader()
{
    static CKIV5980App::ProjectProfileReader reader;
    return reader;
}

} // namespace

void CCommandLineInfo::Parse(const std::vector<std::string>& args)
{
    bool print = false;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--print" || arg == "/p" || arg == "-p") {
            print = true;
        } else if (arg == "--no-start-page") {
            m_bNoStartPage = true;
        } else if (!arg.empty() && arg[0] != '-') {
            m_files.emplace_back(arg);
            if (m_strFileName.IsEmpty())
                m_strFileName = arg;
            m_nShellCommand = fileOpen;
        }
    }
    if (print && m_nShellCommand == fileOpen)
        m_nShellCommand = filePrint;
}

CKIV5980App* GetKivApp()
{
    return dynamic_cast<CKIV5980App*>(fw::AfxGetApp());
}

// The application object keeps the naming record of the run; the program
// speaks Japanese, and so do Qt's own dialogs.
CKIV5980App::CKIV5980App()
{
    fw::Install<INameSetRecord>(this);
    SetUiLanguage("ja");
}

CKIV5980App::~CKIV5980App()
{
    RemoveDialogHosts();
    RemoveSoundOutput();
    if (fw::Installed<INameSetRecord>() == this)
        fw::Install<INameSetRecord>(nullptr);
}

bool CKIV5980App::InitInstance()
{
    // The lock lives in the data folder, so the folder comes first; a
    // second instance ends here without a word and before the profile.
    if (!MakeDataFolder())
        return false;
    if (!m_instanceLock.Acquire(fw::fs::PathJoin(m_strDataFolder, kDataFolderLockName))) {
        // Files to open go to the running instance instead.
        if (m_cmdInfo.m_nShellCommand == CCommandLineInfo::fileOpen)
            HandFilesToRunningInstance(m_strDataFolder, m_cmdInfo.m_files);
        return false;
    }

    ComposeProgram();
    // The desktop's sounds, unless an output is installed already (tests
    // keep their recorder).
    if (!fw::Installed<ISoundOutput>()) {
        m_soundOutput = std::make_unique<CQtSoundOutput>();
        InstallSoundOutput(m_soundOutput.get());
    }
    if (!m_settings.CreateAlertSound())
        return false;

    // The recent-file list lives in the document manager, so the program's
    // manager is in place before the list is read.
    auto* manager = new CKivDocManager;
    manager->SetStartUpGraphsFlag(&m_bOpenStartUpGraphs);
    SetDocManager(manager);
    AttachDocManager();

    SetRegistryKey("ZEL");
    LoadSettings();
    LoadStdProfileSettings(4);

    AddDocumentTemplates();

    // The cache files of every tank type go to the data folder; what a
    // crashed run left there goes now, while this process holds the lock.
    SetCacheTankFolder(m_strDataFolder);
    DeleteTempFiles();

    m_unitTypes.Load();
    InstallDialogHosts();

    if (!CreateMainFrame())
        return false;
    if (m_cmdInfo.m_nShellCommand == CCommandLineInfo::fileNew && !m_cmdInfo.m_bNoStartPage) {
        const bool goOn = RunStartPage();
        // An end request while the page was open closed the main window:
        // the run ends through ExitInstance.
        if (!goOn || IsMainWndGone())
            return true;
    }
    return RunShellCommand();
}

int CKIV5980App::ExitInstance()
{
    SaveSettings();
    RemoveDialogHosts();
    ReleaseMeterInterface();
    m_settings.DeleteAlertSound();
    RemoveSoundOutput();
    StopFileHandOver();
    m_instanceLock.Release();
    return CZELApp::ExitInstance();
}

void CKIV5980App::SaveSettings()
{
    m_settings.SaveSettings(Profile());
    // Settings that never reached the disk would be lost without a word.
    if (const auto failure = Profile().TakeWriteFailure()) {
        fw::CString text;
        if (failure->GetWriteErrorMessage(text))
            fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONEXCLAMATION);
    }
}

void CKIV5980App::LoadSettings()
{
    m_settings.LoadSettings(Profile());
}

bool CKIV5980App::MakeDataFolder()
{
    return ::MakeDataFolder(m_strDataFolder);
}

void CKIV5980App::DeleteTempFiles()
{
    DeleteLeftoverCacheFiles(m_strDataFolder);
}

void CKIV5980App::AddDocumentTemplates()
{
    AddDocTemplate(new CDummyDocTemplate);
    for (unsigned type : kDocumentTypeOrder) {
        const DocTemplateMaker maker = DocumentTypeMaker(type);
        fw::CDocTemplate* tmpl = maker ? maker() : nullptr;
        if (!tmpl)
            continue;
        AddDocTemplate(tmpl);
        SpliceSharedMenus(tmpl->GetResourceId());
        if (type == kIdrProjectType)
            m_nNewDocTemplateId = kIdrProjectType;
    }
}

bool CKIV5980App::CreateMainFrame()
{
    auto* frame = new CMainFrame;
    frame->SetAutoDelete(true);
    if (!frame->LoadFrame(kIdrMainFrame)) {
        delete frame;
        return false;
    }
    m_pMainWnd = frame;
    StartFileHandOver();
    frame->ShowWindow(fw::SW_SHOWMAXIMIZED);
    return true;
}

CMainFrame* CKIV5980App::GetMainFrameWnd() const
{
    return dynamic_cast<CMainFrame*>(m_pMainWnd);
}

bool CKIV5980App::RunStartPage()
{
    CStartUpDlg page(m_pDocManager->RecentFiles(), m_pMainWnd);
    page.m_bStartUp = m_bOpenStartUpGraphs;
    const int result = page.DoModal();
    m_bOpenStartUpGraphs = page.m_bStartUp;
    if (result == fw::IDCANCEL || result < 0)
        return false;
    if (result == CStartUpDlg::kResultOpen) {
        if (page.m_strPath.IsEmpty()) {
            fw::CWinApp::OnFileOpen();
            return false;
        }
        m_cmdInfo.m_nShellCommand = CCommandLineInfo::fileOpen;
        m_cmdInfo.m_strFileName = page.m_strPath;
    }
    return true;
}

bool CKIV5980App::RunShellCommand()
{
    switch (m_cmdInfo.m_nShellCommand) {
    case CCommandLineInfo::fileNew:
        OnFileNew();
        return true;
    case CCommandLineInfo::fileOpen: {
        if (!OpenDocumentFile(m_cmdInfo.m_strFileName))
            return false;
        for (size_t i = 1; i < m_cmdInfo.m_files.size(); ++i)
            OpenDocumentFile(m_cmdInfo.m_files[i]);
        return true;
    }
    case CCommandLineInfo::filePrint: {
        // Opened, printed and closed by the framework; the program then ends.
        fw::CCommandLineInfo print;
        print.m_nShellCommand = fw::CCommandLineInfo::FilePrint;
        print.m_strFileName = m_cmdInfo.m_strFileName;
        return ProcessShellCommand(print);
    }
    case CCommandLineInfo::fileNothing:
        break;
    }
    return true;
}

// --- the link to the instruments ---------------------------------------------------------------

CMeterInterface* CKIV5980App::CreateMeterInterface(const CMeterInterfacePrf& prf)
{
    ReleaseMeterInterface();
    try {
        m_pMeterInterface = MakeMeterInterface(prf);
    } catch (const std::bad_alloc&) {
        fw::AfxMessageBox(fw::LoadStringText(61475), fw::MB_OK | fw::MB_ICONSTOP);
        m_pMeterInterface.reset();
    }
    return m_pMeterInterface.get();
}

void CKIV5980App::ReleaseMeterInterface()
{
    m_pMeterInterface.reset();
}

void CKIV5980App::InstallDialogHosts()
{
    fw::Install<IInstrumentLinkHost>(this);
}

void CKIV5980App::RemoveSoundOutput()
{
    if (m_soundOutput && fw::Installed<ISoundOutput>() == m_soundOutput.get())
        InstallSoundOutput(nullptr);
    m_soundOutput.reset();
}

void CKIV5980App::RemoveDialogHosts()
{
    if (fw::Installed<IInstrumentLinkHost>() == this)
        fw::Install<IInstrumentLinkHost>(nullptr);
}

void CKIV5980App::SetProjectProfileReader(ProjectProfileReader reader)
{
    ProfileReader() = std::move(reader);
}

const CMeterInterfacePrf* CKIV5980App::GetActiveProjectProfile() const
{
    const CMainFrame* frame = GetMainFrameWnd();
    fw::CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
    fw::CDocument* doc = child ? child->GetActiveDocument() : nullptr;
    if (!doc || !doc->GetDocTemplate() || doc->GetDocTemplate()->GetResourceId() != kIdrProjectType)
        return nullptr;
    return ProfileReader() ? ProfileReader()(*doc) : nullptr;
}

void CKIV5980App::SetConnectedProject(fw::CDocument* project)
{
    if (project != m_pConnectedProject)
        m_bConnectedProjectFlag = 0;
    m_pConnectedProject = project;
}

bool CKIV5980App::CheckFreeDiskSpace(const fw::CString& folder, uint64_t required, unsigned messageId)
{
    const fw::CString path = folder.IsEmpty() ? m_strDataFolder : folder;
    const std::optional<uint64_t> free = fw::fs::DiskFree(path);
    if (!free || *free > required)
        return true;
    fw::Prompt().MessageBox(fw::FormatString(messageId, path), fw::MB_OK, messageId);
    return false;
}
