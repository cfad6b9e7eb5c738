#include "framework/ui/FrameWnd.h"

#include "framework/core/DocTemplate.h"
#include "framework/core/StringTable.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/ControlBar.h"
#include "framework/ui/Accelerators.h"
#include "framework/ui/Menu.h"
#include "framework/ui/QtText.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/View.h"
#include "framework/ui/WinApp.h"
#include "framework/ui/WndBridge.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace fw {

FW_IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

FW_BEGIN_COMMANDS(CFrameWnd, CWnd)
    FW_ON_COMMAND(ID_FILE_CLOSE, &CFrameWnd::OnFileClose)
FW_END_COMMANDS

FW_IMPLEMENT_DYNAMIC(CControlBar, CWnd)

CControlBar::~CControlBar()
{
    if (m_frame)
        m_frame->RemoveControlBar(this);
}

CString CommandPromptText(unsigned id)
{
    CString text = LoadStringText(id);
    const int nl = text.Find('\n');
    return nl >= 0 ? text.Left(nl) : text;
}

CFrameWnd::CFrameWnd()
{
    SetAutoDelete(true);
}

CFrameWnd::~CFrameWnd()
{
    DestroyWidgetNow();  // the views inside still find this frame whole
    LeaveApplication();
    for (CView* view : m_views)
        view->FrameGone(this);
    for (CControlBar* bar : m_bars)
        bar->m_frame = nullptr;
}

void CFrameWnd::AttachView(CView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
    view->FrameJoined(this);
}

void CFrameWnd::ForgetView(CView* view)
{
    std::erase(m_views, view);
    if (m_activeView == view)
        m_activeView = nullptr;
}

QWidget* CFrameWnd::CreateFrameWidget()
{
    auto* window = new WndBridge<QMainWindow>(this);
    m_mainWindow = window;
    return window;
}

bool CFrameWnd::Create(const CString& title, unsigned menuId)
{
    QWidget* w = CreateFrameWidget();
    Attach(w);
    m_strTitle = title;
    w->setWindowTitle(ToQ(title));
    if (menuId) {
        auto menu = std::make_unique<CMenu>();
        if (menu->LoadMenu(menuId))
            SetMenu(std::move(menu));
        InstallAccelerators(*this, menuId);
    }
    if (m_mainWindow) {
        QObject::connect(m_mainWindow->menuBar(), &QMenuBar::hovered, [this](QAction* a) {
            const unsigned id = CMenu::CommandOf(a);
            if (id != 0 && id != 0xFFFFFFFFu)
                SetMessageText(CommandPromptText(id));
        });
    }
    return true;
}

bool CFrameWnd::LoadFrame(unsigned resourceId, CWnd*)
{
    CString title;
    CString::ExtractSubString(title, LoadStringText(resourceId).c_str(), 0, '\n');
    return Create(title, resourceId);
}

void CFrameWnd::SetMenu(std::unique_ptr<CMenu> menu)
{
    m_menu = std::move(menu);
    if (m_menu && m_menu->Menu() && m_mainWindow)
        m_menu->Menu()->setParent(m_mainWindow, m_menu->Menu()->windowFlags());
    DrawMenuBar();
}

void CFrameWnd::DrawMenuBar()
{
    if (!m_mainWindow)
        return;
    QMenuBar* bar = m_mainWindow->menuBar();
    bar->clear();
    CMenu* menu = GetActiveMenu();
    if (!menu || !menu->Menu())
        return;
    OnInitMenu(menu);
    for (QAction* a : menu->Menu()->actions())
        bar->addAction(a);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, unsigned, bool)
{
    if (CWinApp* app = AfxGetApp())
        app->UpdateRecentFileMenu(popup);
    UpdateMenuItems(popup, this, m_bAutoMenuEnable);
}

bool CFrameWnd::OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info)
{
    if (CView* view = GetActiveView(); view && view->OnCmdMsg(id, code, ui, info))
        return true;
    if (CWnd::OnCmdMsg(id, code, ui, info))
        return true;
    if (IsTopLevelFrame()) {
        if (CWinApp* app = AfxGetApp(); app && app->OnCmdMsg(id, code, ui, info))
            return true;
    }
    return false;
}

void CFrameWnd::ExecuteCommand(unsigned id)
{
    Guard([&] { OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); });
    UpdateControlBars();
}

void CFrameWnd::UpdateControlBars()
{
    for (CControlBar* bar : std::vector<CControlBar*>(m_bars))
        Guard([&] { bar->OnUpdateCmdUI(this, true); });
}

void CFrameWnd::SetActiveView(CView* view)
{
    if (view == m_activeView)
        return;
    CView* old = m_activeView;
    m_activeView = view;
    if (old)
        Guard([&] { old->OnActivateView(false, view, old); });
    if (view)
        Guard([&] { view->OnActivateView(true, view, old); });
}

CDocument* CFrameWnd::GetActiveDocument() const
{
    CView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void CFrameWnd::SetCentralView(CView* view)
{
    if (m_mainWindow && view && view->Widget())
        m_mainWindow->setCentralWidget(view->Widget());
}

CView* CFrameWnd::CreateView(const CRuntimeClass* viewClass, CDocument* document, QWidget* parent)
{
    if (!viewClass)
        return nullptr;
    CObject* object = viewClass->CreateObject();
    auto* view = dynamic_cast<CView*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    view->Create(parent ? parent : m_mainWindow, document);
    return view;
}

bool CFrameWnd::OnCreateClient(CDocument* document, const CRuntimeClass* viewClass)
{
    CView* view = CreateView(viewClass, document);
    if (!view)
        return false;
    SetCentralView(view);
    return true;
}

void CFrameWnd::InitialUpdateFrame(CDocument* document, bool makeVisible)
{
    if (!GetActiveView() && document) {
        POSITION pos = document->GetFirstViewPosition();
        while (pos) {
            auto* view = document->GetNextView(pos);
            if (view && view->GetParentFrame() == this) {
                SetActiveView(view);
                break;
            }
        }
    }
    if (document) {
        POSITION pos = document->GetFirstViewPosition();
        while (pos) {
            CView* view = document->GetNextView(pos);
            if (view && view->GetParentFrame() == this)
                Guard([&] { view->OnInitialUpdate(); });
        }
    }
    OnUpdateFrameTitle(true);
    if (makeVisible)
        ActivateFrame();
}

void CFrameWnd::OnUpdateFrameTitle(bool)
{
    CDocument* document = GetActiveDocument();
    CString title = m_strTitle;
    if (document && !document->GetTitle().IsEmpty())
        title = document->GetTitle() + " - " + m_strTitle;
    if (Widget())
        Widget()->setWindowTitle(ToQ(title));
}

void CFrameWnd::ActivateFrame(int showCmd)
{
    ShowWindow(showCmd < 0 ? SW_SHOW : showCmd);
    if (Widget()) {
        Widget()->raise();
        Widget()->activateWindow();
    }
}

void CFrameWnd::AddControlBar(CControlBar* bar)
{
    if (std::find(m_bars.begin(), m_bars.end(), bar) == m_bars.end())
        m_bars.push_back(bar);
    bar->m_frame = this;
}

void CFrameWnd::RemoveControlBar(CControlBar* bar)
{
    std::erase(m_bars, bar);
}

CControlBar* CFrameWnd::GetControlBar(unsigned id) const
{
    for (CControlBar* bar : m_bars) {
        if (static_cast<unsigned>(bar->GetDlgCtrlID()) == id)
            return bar;
    }
    return nullptr;
}

CStatusBar* CFrameWnd::GetStatusBar() const
{
    for (CControlBar* bar : m_bars) {
        if (auto* status = dynamic_cast<CStatusBar*>(bar))
            return status;
    }
    if (CFrameWnd* parent = GetParentFrame())
        return parent->GetStatusBar();
    return nullptr;
}

void CFrameWnd::SetMessageText(const CString& text)
{
    if (CStatusBar* status = GetStatusBar())
        status->SetPaneText(0, text.IsEmpty() ? CommandPromptText(kIdsIdleMessage) : text);
}

void CFrameWnd::SetMessageText(unsigned id)
{
    SetMessageText(CommandPromptText(id));
}

void CFrameWnd::OnClose()
{
    if (IsTopLevelFrame()) {
        CWinApp* app = AfxGetApp();
        if (app && app->GetMainWnd() == this) {
            if (!app->SaveAllModified())
                return;
            app->CloseAllDocuments(false);
        }
        DestroyWindow();
        return;
    }
    CDocument* document = GetActiveDocument();
    if (document) {
        if (!document->CanCloseFrame())
            return;
        // The document goes with its last frame.
        bool otherFrame = false;
        POSITION pos = document->GetFirstViewPosition();
        while (pos) {
            CView* view = document->GetNextView(pos);
            if (view && view->GetParentFrame() != this)
                otherFrame = true;
        }
        if (!otherFrame) {
            document->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::DestroyWindow()
{
    if (QWidget* w = Widget()) {
        w->hide();
        w->deleteLater();
    }
}

void CFrameWnd::OnFileClose()
{
    OnClose();
}

void CFrameWnd::OnDestroyed()
{
    // Qt announces a widget's end before its children go: the views
    // inside outlive this frame by a moment and must not call it.
    for (CView* view : m_views)
        view->FrameGone(this);
    m_views.clear();
    m_activeView = nullptr;
    m_mainWindow = nullptr;
    LeaveApplication();
}

void CFrameWnd::LeaveApplication()
{
    // The main window's end is the end of the run.
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->OnMainWndDestroyed();
}

} // namespace fw
