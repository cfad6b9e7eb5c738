#pragma once

// The application object: runs the Qt application around InitInstance and
// ExitInstance, owns the document manager and the profile, and is the last
// target of the command route.

#include "framework/core/CmdTarget.h"
#include "framework/core/CommandLineInfo.h"
#include "framework/core/DocManager.h"
#include "framework/core/Profile.h"

#include <QMetaObject>

#include <memory>

class QApplication;
class QTranslator;

namespace fw {

class CDocTemplate;
class CDocument;
class CWnd;

inline constexpr unsigned ID_APP_EXIT = 57665;
inline constexpr unsigned ID_APP_ABOUT = 57664;
inline constexpr unsigned kIdsAppTitle = 57344;

class CWinApp : public CCmdTarget {
    FW_DECLARE_DYNAMIC(CWinApp)
    FW_DECLARE_COMMANDS()
public:
    CWinApp();
    ~CWinApp() override;

    static CWinApp* GetApp();

    // The whole run: QApplication (when none exists), the C numeric
    // locale, the Qt services, InitInstance, the event loop, ExitInstance.
    // InitInstance returning false ends quietly with exit code 0. The loop
    // runs while the main window lives: its end ends the loop, and without
    // a main window after InitInstance there is no loop at all.
    int Run(int argc, char** argv);
    // Start and Finish are Run without the event loop (tests).
    bool Start();
    int Finish();

    virtual bool InitInstance() { return true; }
    virtual int ExitInstance();
    // Idle work after the event queue emptied: updates the bars.
    virtual bool OnIdle(long count);
    // SIGTERM or SIGINT arrived (a desktop logout): the program ends as on
    // closing its main window, asking about modified documents; without a
    // main window the event loop ends.
    virtual void OnEndRequest();

    CWnd* GetMainWnd() const { return m_pMainWnd; }
    CWnd* m_pMainWnd = nullptr;  // not owned: a frame deletes itself
    // The main window is gone (its frame tells): the pointer is cleared,
    // idle work stops and the event loop ends; the run goes on to
    // ExitInstance.
    void OnMainWndDestroyed();
    bool IsMainWndGone() const { return m_mainWndGone; }

    // The language of the program's texts (a locale name such as "ja"):
    // Qt's own dialogs load their catalogue for it at start-up. Empty:
    // Qt's built-in English.
    void SetUiLanguage(const CString& name) { m_uiLanguage = name; }
    const CString& GetUiLanguage() const { return m_uiLanguage; }

    // --- documents -------------------------------------------------------------
    CDocManager* m_pDocManager = nullptr;  // owned; replaceable by the program
    void SetDocManager(CDocManager* manager);
    void AddDocTemplate(CDocTemplate* tmpl);
    virtual CDocument* OpenDocumentFile(const CString& path);
    bool SaveAllModified();
    void CloseAllDocuments(bool endSession);
    virtual void AddToRecentFileList(const CString& path);

    // Carries out the command line: a new document, opening a file, or
    // printing one (then false: the program has done its work). False also
    // when the file could not be opened.
    virtual bool ProcessShellCommand(const CCommandLineInfo& info);
    // The arguments Run was given (tests set them).
    int m_argc = 0;
    char** m_argv = nullptr;

    // --- profile ------------------------------------------------------------------
    // The profile lives under the key and the application title.
    void SetRegistryKey(const char* key);
    // The profile's file name: the application's title, else its file name.
    CString ProfileName() const;
    CProfile& Profile();
    void SetProfilePath(const std::filesystem::path& path);
    void LoadStdProfileSettings(int recentFiles = 4);
    int GetProfileInt(const char* section, const char* key, int def);
    bool WriteProfileInt(const char* section, const char* key, int value);
    CString GetProfileString(const char* section, const char* key, const char* def = "");
    bool WriteProfileString(const char* section, const char* key, const char* value);

    CString m_pszAppName;

    // --- commands ------------------------------------------------------------------
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnOpenRecentFile(unsigned id);
    void OnUpdateRecentFile(CCmdUI* ui);
    // Lists the recent files in a popup that holds the recent-file item
    // (the first of ID_FILE_MRU_FILE1..): "&1 name" entries, or the item's
    // own caption grayed when the list is empty.
    void UpdateRecentFileMenu(class CMenu* popup);

private:
    void InstallServices();
    void LoadQtTranslations();
    void StopIdle();

    std::unique_ptr<QApplication> m_ownApplication;
    std::unique_ptr<QTranslator> m_qtTranslator;
    CString m_uiLanguage;
    bool m_mainWndGone = false;
    std::unique_ptr<class CEndSignals> m_endSignals;
    bool m_ending = false;
    QMetaObject::Connection m_idleConnection;
    std::unique_ptr<CProfile> m_profile;
    CString m_registryKey;
    bool m_recentLoaded = false;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

} // namespace fw
