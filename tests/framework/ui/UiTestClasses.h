#pragma once

#include "framework/core/Archive.h"
#include "framework/core/Document.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"

#include <string>
#include <vector>

namespace uitest {

// Every handler of the test classes writes here.
std::vector<std::string>& Log();

inline constexpr unsigned kMainMenu = 128;
inline constexpr unsigned kNoteTemplate = 200;
inline constexpr unsigned ID_EDIT_COPY = 57634;
inline constexpr unsigned ID_SPECIAL = 32900;   // update handler in the view
inline constexpr unsigned ID_NOBODY = 32901;    // no handler anywhere
inline constexpr unsigned ID_EVERYWHERE = 32902;  // handled by every target
inline constexpr unsigned ID_DOC_ONLY = 32903;
inline constexpr unsigned ID_TEMPLATE_ONLY = 32904;
inline constexpr unsigned ID_CHILD_ONLY = 32905;
inline constexpr unsigned ID_MAIN_ONLY = 32906;

// Registers the menus 128 (main) and 200 (note documents).
void RegisterTestMenus();

class NoteDoc : public fw::CDocument {
    FW_DECLARE_DYNCREATE(NoteDoc)
    FW_DECLARE_COMMANDS()
public:
    fw::CString text;
    void Serialize(fw::CArchive& ar) override;

private:
    void OnEverywhere() { Log().push_back("doc"); }
    void OnDocOnly() { Log().push_back("doc only"); }
};

class NoteView : public fw::CView {
    FW_DECLARE_DYNCREATE(NoteView)
    FW_DECLARE_COMMANDS()
public:
    void OnDraw(fw::CDC* dc) override;
    void OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject) override;
    int updates = 0;

private:
    void OnCopy() { Log().push_back("view copy"); }
    void OnEverywhere() { Log().push_back("view"); }
    void OnUpdateSpecial(fw::CCmdUI* ui) { ui->SetCheck(1); }
};

class NoteTemplate : public fw::CMultiDocTemplate {
    FW_DECLARE_COMMANDS()
public:
    NoteTemplate();

private:
    void OnTemplateOnly() { Log().push_back("template only"); }
    void OnEverywhere() { Log().push_back("template"); }
};

class NoteChild : public fw::CMDIChildWnd {
    FW_DECLARE_DYNCREATE(NoteChild)
    FW_DECLARE_COMMANDS()
private:
    void OnChildOnly() { Log().push_back("child only"); }
    void OnEverywhere() { Log().push_back("child"); }
};

class MainFrame : public fw::CMDIFrameWnd {
    FW_DECLARE_COMMANDS()
private:
    void OnMainOnly() { Log().push_back("main only"); }
    void OnEverywhere() { Log().push_back("main"); }
};

class TestApp : public fw::CWinApp {
    FW_DECLARE_COMMANDS()
public:
    // Makes the main frame (menu 128) and registers the note template.
    MainFrame* MakeMainFrame();
    NoteTemplate* notes = nullptr;

private:
    void OnAbout() { Log().push_back("app about"); }
    void OnEverywhere() { Log().push_back("app"); }
};

} // namespace uitest
