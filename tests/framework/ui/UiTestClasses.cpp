#include "tests/framework/ui/UiTestClasses.h"

#include "framework/core/MenuResource.h"
#include "framework/core/DC.h"
#include "framework/ui/MultiDocTemplate.h"

namespace uitest {

using namespace fw;

std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

void RegisterTestMenus()
{
    using M = MenuResource;
    RegisterMenuResource(kMainMenu, M::Popup("", {
        M::Popup("ファイル(&F)", {M::Item("新規作成(&N)\tCtrl+N", ID_FILE_NEW), M::Item("開く(&O)...\tCtrl+O", ID_FILE_OPEN),
                                 M::Separator(), M::Item("最近使ったファイル", ID_FILE_MRU_FILE1), M::Separator(),
                                 M::Item("終了(&X)", ID_APP_EXIT)}),
        M::Popup("ヘルプ(&H)", {M::Item("バージョン情報(&A)...", ID_APP_ABOUT), M::Item("main", ID_MAIN_ONLY)}),
    }));
    RegisterMenuResource(kNoteTemplate, M::Popup("", {
        M::Popup("ファイル(&F)", {M::Item("新規作成(&N)\tCtrl+N", ID_FILE_NEW), M::Item("閉じる(&C)", ID_FILE_CLOSE),
                                 M::Item("上書き保存(&S)\tCtrl+S", ID_FILE_SAVE), M::Separator(),
                                 M::Item("終了(&X)", ID_APP_EXIT)}),
        M::Popup("編集(&E)", {M::Item("コピー(&C)\tCtrl+C", ID_EDIT_COPY), M::Item("特別", ID_SPECIAL),
                             M::Item("誰も", ID_NOBODY),
                             M::Popup("下位", {M::Item("文書", ID_DOC_ONLY), M::Item("型", ID_TEMPLATE_ONLY)})}),
        M::Popup("ヘルプ(&H)", {M::Item("バージョン情報(&A)...", ID_APP_ABOUT)}),
    }));
}

FW_IMPLEMENT_DYNCREATE(NoteDoc, CDocument)
FW_BEGIN_COMMANDS(NoteDoc, CDocument)
    FW_ON_COMMAND(ID_EVERYWHERE, &NoteDoc::OnEverywhere)
    FW_ON_COMMAND(ID_DOC_ONLY, &NoteDoc::OnDocOnly)
FW_END_COMMANDS

void NoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << text;
    else
        ar >> text;
}

FW_IMPLEMENT_DYNCREATE(NoteView, CView)
FW_BEGIN_COMMANDS(NoteView, CView)
    FW_ON_COMMAND(ID_EDIT_COPY, &NoteView::OnCopy)
    FW_ON_COMMAND(ID_EVERYWHERE, &NoteView::OnEverywhere)
    FW_ON_UPDATE(ID_SPECIAL, &NoteView::OnUpdateSpecial)
FW_END_COMMANDS

void NoteView::OnDraw(CDC* dc)
{
    dc->FillSolidRect(CRect(10, 10, 30, 30), RGB(255, 0, 0));
}

void NoteView::OnUpdate(CView*, intptr_t hint, CObject*)
{
    ++updates;
    Log().push_back("view update " + std::to_string(hint));
}

FW_BEGIN_COMMANDS(NoteTemplate, CMultiDocTemplate)
    FW_ON_COMMAND(ID_EVERYWHERE, &NoteTemplate::OnEverywhere)
    FW_ON_COMMAND(ID_TEMPLATE_ONLY, &NoteTemplate::OnTemplateOnly)
FW_END_COMMANDS

NoteTemplate::NoteTemplate()
    : CMultiDocTemplate(kNoteTemplate, FW_RUNTIME_CLASS(NoteDoc), FW_RUNTIME_CLASS(NoteChild), FW_RUNTIME_CLASS(NoteView))
{
    SetDocStrings("\nノート\nノート\nノート(*.note)\n.note\nTest.Note\nTest.ノート");
}

FW_IMPLEMENT_DYNCREATE(NoteChild, CMDIChildWnd)
FW_BEGIN_COMMANDS(NoteChild, CMDIChildWnd)
    FW_ON_COMMAND(ID_EVERYWHERE, &NoteChild::OnEverywhere)
    FW_ON_COMMAND(ID_CHILD_ONLY, &NoteChild::OnChildOnly)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(MainFrame, CMDIFrameWnd)
    FW_ON_COMMAND(ID_EVERYWHERE, &MainFrame::OnEverywhere)
    FW_ON_COMMAND(ID_MAIN_ONLY, &MainFrame::OnMainOnly)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(TestApp, CWinApp)
    FW_ON_COMMAND(ID_APP_ABOUT, &TestApp::OnAbout)
    FW_ON_COMMAND(ID_EVERYWHERE, &TestApp::OnEverywhere)
FW_END_COMMANDS

MainFrame* TestApp::MakeMainFrame()
{
    RegisterTestMenus();
    auto* frame = new MainFrame;
    frame->LoadFrame(kMainMenu);
    m_pMainWnd = frame;
    notes = new NoteTemplate;
    AddDocTemplate(notes);
    return frame;
}

} // namespace uitest
