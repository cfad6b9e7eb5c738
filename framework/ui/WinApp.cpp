#include "framework/ui/WinApp.h"

#include "framework/core/Document.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Object.h"
#include "framework/core/StringTable.h"
#include "framework/ui/EndSignals.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/Menu.h"
#include "framework/ui/QtServices.h"
#include "framework/ui/QtText.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QMenu>
#include <QTranslator>
#include <QVariant>

#include <clocale>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CWinApp, CCmdTarget)

FW_BEGIN_COMMANDS(CWinApp, CCmdTarget)
    FW_ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    FW_ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    FW_ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    FW_ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile)
    FW_ON_UPDATE_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, &CWinApp::OnUpdateRecentFile)
FW_END_COMMANDS

namespace {

CWinApp* g_app = nullptr;

} // namespace

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->GetMainWnd() : nullptr;
}

CWinApp::CWinApp() : m_pDocManager(new CDocManager), m_pszAppName(LoadStringText(kIdsAppTitle))
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    StopIdle();
    m_qtTranslator.reset();
    delete m_pDocManager;
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* CWinApp::GetApp()
{
    return g_app;
}

bool CWinApp::Start()
{
    if (!QApplication::instance()) {
        static int argc = 1;
        // The name the window system knows the program by: its own file name.
        static char* argv[] = {program_invocation_short_name, nullptr};
        m_ownApplication = std::make_unique<QApplication>(argc, argv);
    }
    // Qt took the environment's locale; numbers are C-locale text only.
    std::setlocale(LC_NUMERIC, "C");
    // Only the main window's end ends the run, never the closing of
    // whichever window happened to be the last one shown.
    QApplication::setQuitOnLastWindowClosed(false);
    m_mainWndGone = false;
    LoadQtTranslations();
    InstallServices();
    m_endSignals = std::make_unique<CEndSignals>([this] { OnEndRequest(); });
    // Idle: bars are updated whenever the loop is about to wait, at most
    // ten times a second.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        auto timer = std::make_shared<QElapsedTimer>();
        timer->start();
        QObject::disconnect(m_idleConnection);
        m_idleConnection = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this, timer] {
            if (timer->elapsed() < 100)
                return;
            timer->restart();
            OnIdle(0);
        });
    }
    return InitInstance();
}

int CWinApp::Finish()
{
    // Nothing of the running program is called from the loop any more,
    // also while ExitInstance shows a message.
    StopIdle();
    const int code = ExitInstance();
    m_endSignals.reset();
    return code;
}

int CWinApp::Run(int argc, char** argv)
{
    m_argc = argc;
    m_argv = argv;
    if (!QApplication::instance())
        m_ownApplication = std::make_unique<QApplication>(argc, argv);
    if (!Start())
        return 0;  // quietly, as the original ended a refused start
    // A main window that went during InitInstance (an end request while
    // the start page was open) leaves nothing to wait for.
    if (m_pMainWnd && !m_mainWndGone)
        QApplication::exec();
    return Finish();
}

void CWinApp::OnMainWndDestroyed()
{
    m_pMainWnd = nullptr;
    m_mainWndGone = true;
    StopIdle();
    QCoreApplication::exit(0);
}

void CWinApp::StopIdle()
{
    QObject::disconnect(m_idleConnection);
    m_idleConnection = {};
}

void CWinApp::LoadQtTranslations()
{
    if (m_uiLanguage.IsEmpty() || m_qtTranslator)
        return;
    auto translator = std::make_unique<QTranslator>();
    // A missing catalogue leaves Qt's dialogs in English; nothing to tell.
    if (!translator->load(QStringLiteral("qtbase_") + ToQ(m_uiLanguage),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    m_qtTranslator = std::move(translator);
}

void CWinApp::InstallServices()
{
    InstallQtServices();
}

int CWinApp::ExitInstance()
{
    if (m_recentLoaded && m_pDocManager)
        m_pDocManager->RecentFiles().WriteList(Profile());
    return 0;
}

bool CWinApp::OnIdle(long)
{
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        frame->UpdateControlBars();
    return false;
}

void CWinApp::SetDocManager(CDocManager* manager)
{
    if (manager == m_pDocManager)
        return;
    // The templates move to the new manager's list only when the program
    // adds them; the original replaced the manager before any template.
    delete m_pDocManager;
    m_pDocManager = manager;
}

void CWinApp::AddDocTemplate(CDocTemplate* tmpl)
{
    m_pDocManager->AddDocTemplate(tmpl);
}

CDocument* CWinApp::OpenDocumentFile(const CString& path)
{
    return m_pDocManager->OpenDocumentFile(path);
}

bool CWinApp::SaveAllModified()
{
    return m_pDocManager->SaveAllModified();
}

void CWinApp::CloseAllDocuments(bool endSession)
{
    m_pDocManager->CloseAllDocuments(endSession);
}

void CWinApp::AddToRecentFileList(const CString& path)
{
    m_pDocManager->RecentFiles().Add(path);
}

bool CWinApp::ProcessShellCommand(const CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return true;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint: {
        CDocument* document = OpenDocumentFile(info.m_strFileName);
        if (!document)
            return false;
        if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
            frame->ExecuteCommand(ID_FILE_PRINT_DIRECT);
        document->OnCloseDocument();
        return false;
    }
    default:
        return true;
    }
}

CString CWinApp::ProfileName() const
{
    return m_pszAppName.IsEmpty() ? CString(program_invocation_short_name) : m_pszAppName;
}

void CWinApp::SetRegistryKey(const char* key)
{
    m_registryKey = key;
    m_profile = std::make_unique<CProfile>(CProfile::DefaultPath(key, ProfileName().c_str()));
}

void CWinApp::SetProfilePath(const std::filesystem::path& path)
{
    m_profile = std::make_unique<CProfile>(path);
}

CProfile& CWinApp::Profile()
{
    // Without a registry key the profile is named after the program alone.
    if (!m_profile)
        m_profile = std::make_unique<CProfile>(CProfile::DefaultPath("", ProfileName().c_str()));
    return *m_profile;
}

void CWinApp::LoadStdProfileSettings(int recentFiles)
{
    m_pDocManager->RecentFiles() = CRecentFileList(recentFiles);
    m_pDocManager->RecentFiles().ReadList(Profile());
    m_recentLoaded = true;
}

int CWinApp::GetProfileInt(const char* section, const char* key, int def)
{
    return Profile().GetProfileInt(section, key, def);
}

bool CWinApp::WriteProfileInt(const char* section, const char* key, int value)
{
    return Profile().WriteProfileInt(section, key, value);
}

CString CWinApp::GetProfileString(const char* section, const char* key, const char* def)
{
    return Profile().GetProfileString(section, key, def);
}

bool CWinApp::WriteProfileString(const char* section, const char* key, const char* value)
{
    return Profile().WriteProfileString(section, key, value);
}

void CWinApp::OnFileNew()
{
    m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen()
{
    m_pDocManager->OnFileOpen();
}

void CWinApp::OnEndRequest()
{
    // A second signal while the first still asks about documents waits for
    // that answer.
    if (m_ending)
        return;
    // A modal dialog (the start page, a settings dialog) is cancelled
    // first: windows closed from inside its loop would wait for that loop.
    // The request comes back once the dialog's loop has returned.
    if (QWidget* modal = QApplication::activeModalWidget()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
        QTimer::singleShot(50, QCoreApplication::instance(), [this] {
            if (g_app == this)
                OnEndRequest();
        });
        return;
    }
    m_ending = true;
    if (m_pMainWnd)
        OnAppExit();
    else
        QApplication::quit();
    m_ending = false;
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->OnClose();
}

void CWinApp::OnOpenRecentFile(unsigned id)
{
    const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
    CRecentFileList& list = m_pDocManager->RecentFiles();
    if (index < 0 || index >= list.GetCount())
        return;
    const CString path = list[index];
    // A file that can no longer be opened leaves the list.
    if (!OpenDocumentFile(path))
        list.Remove(index);
}

void CWinApp::OnUpdateRecentFile(CCmdUI* ui)
{
    ui->Enable(static_cast<int>(ui->m_nID - ID_FILE_MRU_FILE1) < m_pDocManager->RecentFiles().GetCount());
}

void CWinApp::UpdateRecentFileMenu(CMenu* popup)
{
    if (!popup || !popup->Menu())
        return;
    int first = -1;
    for (int i = popup->GetMenuItemCount() - 1; i >= 0; --i) {
        const unsigned id = popup->GetMenuItemID(i);
        if (id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_LAST) {
            first = i;
            if (id != ID_FILE_MRU_FILE1)
                popup->DeleteMenu(static_cast<unsigned>(i), MF_BYPOSITION);
        }
    }
    if (first < 0)
        return;
    // The resource's caption of the placeholder, kept for an empty list.
    QMenu* menu = popup->Menu();
    QVariant placeholder = menu->property("fwRecentCaption");
    if (!placeholder.isValid()) {
        placeholder = ToQ(popup->GetMenuString(static_cast<unsigned>(first), MF_BYPOSITION));
        menu->setProperty("fwRecentCaption", placeholder);
    }
    popup->DeleteMenu(static_cast<unsigned>(first), MF_BYPOSITION);
    const CRecentFileList& list = m_pDocManager->RecentFiles();
    if (list.GetCount() == 0) {
        popup->InsertMenu(static_cast<unsigned>(first), MF_BYPOSITION | MF_GRAYED, ID_FILE_MRU_FILE1,
                          FromQ(placeholder.toString()));
        return;
    }
    for (int i = 0; i < list.GetCount(); ++i) {
        CString caption;
        caption.Format("&%d %s", i + 1, fs::FileNameOf(list[i]).c_str());
        popup->InsertMenu(static_cast<unsigned>(first + i), MF_BYPOSITION, ID_FILE_MRU_FILE1 + static_cast<unsigned>(i),
                          caption);
    }
}

} // namespace fw
