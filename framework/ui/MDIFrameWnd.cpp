#include "framework/ui/MDIFrameWnd.h"

#include "framework/ui/ControlBar.h"
#include "framework/ui/Menu.h"
#include "framework/ui/QtText.h"
#include "framework/ui/View.h"
#include "framework/ui/WndBridge.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
FW_IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

// --- CMDIFrameWnd ----------------------------------------------------------

CMDIFrameWnd::CMDIFrameWnd() = default;

CMDIFrameWnd::~CMDIFrameWnd()
{
    ReleaseChildren();
    DestroyWidgetNow();
}

void CMDIFrameWnd::ReleaseChildren()
{
    // The children outlive this window by a moment while Qt destroys them.
    for (CMDIChildWnd* child : Children())
        child->m_mdiFrame = nullptr;
}

void CMDIFrameWnd::OnDestroyed()
{
    ReleaseChildren();
    m_area = nullptr;
    CFrameWnd::OnDestroyed();
}

QWidget* CMDIFrameWnd::CreateFrameWidget()
{
    auto* window = new WndBridge<QMainWindow>(this);
    SetMainWindow(window);
    m_area = new QMdiArea(window);
    window->setCentralWidget(m_area);
    QObject::connect(m_area, &QMdiArea::subWindowActivated, [this] { Guard([&] { OnChildActivated(); }); });
    return window;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    if (!m_area)
        return nullptr;
    // The current sub-window, also while the main window itself is not
    // the active window of the desktop.
    QMdiSubWindow* sub = m_area->currentSubWindow();
    return sub ? dynamic_cast<CMDIChildWnd*>(CWnd::FromWidget(sub)) : nullptr;
}

void CMDIFrameWnd::MDIActivate(CMDIChildWnd* child)
{
    if (m_area && child && child->SubWindow())
        m_area->setActiveSubWindow(child->SubWindow());
}

void CMDIFrameWnd::MDICascade()
{
    if (m_area)
        m_area->cascadeSubWindows();
}

void CMDIFrameWnd::MDITile()
{
    if (m_area)
        m_area->tileSubWindows();
}

std::vector<CMDIChildWnd*> CMDIFrameWnd::Children() const
{
    std::vector<CMDIChildWnd*> out;
    if (!m_area)
        return out;
    for (QMdiSubWindow* sub : m_area->subWindowList()) {
        if (auto* child = dynamic_cast<CMDIChildWnd*>(CWnd::FromWidget(sub)))
            out.push_back(child);
    }
    return out;
}

CMenu* CMDIFrameWnd::GetActiveMenu() const
{
    if (CMDIChildWnd* child = MDIGetActive(); child && child->GetMenu())
        return child->GetMenu();
    return GetMenu();
}

CView* CMDIFrameWnd::GetActiveView() const
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? child->GetActiveView() : nullptr;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* child = MDIGetActive();
    return child ? static_cast<CFrameWnd*>(child) : this;
}

bool CMDIFrameWnd::OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info)
{
    // The active child routes through its view and document first.
    if (CMDIChildWnd* child = MDIGetActive(); child && child->OnCmdMsg(id, code, ui, info))
        return true;
    return CWnd::OnCmdMsg(id, code, ui, info) || CFrameWnd::OnCmdMsg(id, code, ui, info);
}

void CMDIFrameWnd::UpdateControlBars()
{
    CFrameWnd::UpdateControlBars();
    if (CMDIChildWnd* child = MDIGetActive()) {
        for (CControlBar* bar : std::vector<CControlBar*>(child->ControlBars()))
            Guard([&] { bar->OnUpdateCmdUI(child, true); });
    }
}

void CMDIFrameWnd::OnChildActivated()
{
    DrawMenuBar();
    OnUpdateFrameTitle(true);
    UpdateControlBars();
}

void CMDIFrameWnd::OnUpdateFrameTitle(bool)
{
    if (!Widget())
        return;
    CMDIChildWnd* child = MDIGetActive();
    CString title = m_strTitle;
    if (child && child->SubWindow() && child->SubWindow()->isMaximized())
        title += CString(" - [") + FromQ(child->SubWindow()->windowTitle()) + "]";
    Widget()->setWindowTitle(ToQ(title));
}

// --- CMDIChildWnd ----------------------------------------------------------

CMDIChildWnd::CMDIChildWnd() = default;

QWidget* CMDIChildWnd::CreateFrameWidget()
{
    auto* sub = new WndBridge<QMdiSubWindow>(this);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* inner = new QMainWindow;
    inner->setWindowFlags(Qt::Widget);
    sub->setWidget(inner);
    SetMainWindow(inner);
    return sub;
}

QMdiSubWindow* CMDIChildWnd::SubWindow() const
{
    return static_cast<QMdiSubWindow*>(Widget());
}

bool CMDIChildWnd::CreateChild(CMDIFrameWnd* parent, const CString& title, unsigned menuId)
{
    m_mdiFrame = parent;
    if (!Create(title, menuId))
        return false;
    if (parent && parent->MdiArea()) {
        parent->MdiArea()->addSubWindow(SubWindow());
        SubWindow()->hide();
    }
    return true;
}

void CMDIChildWnd::DrawMenuBar()
{
    if (m_mdiFrame)
        m_mdiFrame->DrawMenuBar();
}

void CMDIChildWnd::MDIActivate()
{
    if (m_mdiFrame)
        m_mdiFrame->MDIActivate(this);
}

void CMDIChildWnd::ActivateFrame(int showCmd)
{
    if (!SubWindow())
        return;
    if (showCmd == SW_SHOWMAXIMIZED)
        SubWindow()->showMaximized();
    else
        SubWindow()->show();
    MDIActivate();
}

void CMDIChildWnd::OnUpdateFrameTitle(bool)
{
    CDocument* document = GetActiveDocument();
    if (!document || !SubWindow())
        return;
    // Every frame of the document: "title:n" when there is more than one.
    std::vector<CFrameWnd*> frames;
    POSITION pos = document->GetFirstViewPosition();
    while (pos) {
        CView* view = document->GetNextView(pos);
        CFrameWnd* frame = view ? view->GetParentFrame() : nullptr;
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        auto* child = dynamic_cast<CMDIChildWnd*>(frames[i]);
        if (!child || !child->SubWindow())
            continue;
        CString title = document->GetTitle();
        if (frames.size() > 1)
            title += CString(":") + CString(std::to_string(i + 1));
        child->SubWindow()->setWindowTitle(ToQ(title));
    }
    if (m_mdiFrame)
        m_mdiFrame->OnUpdateFrameTitle(true);
}

} // namespace fw
