#include "framework/ui/MDIFrameWnd.h"

#include "framework/core/StandardCommands.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/ControlBar.h"
#include "framework/ui/MdiLayout.h"
#include "framework/ui/Menu.h"
#include "framework/ui/MultiDocTemplate.h"
#include "framework/ui/QtText.h"
#include "framework/ui/View.h"
#include "framework/ui/WndBridge.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QStyle>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CMDIFrameWnd, CFrameWnd)
FW_IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

FW_BEGIN_COMMANDS(CMDIFrameWnd, CFrameWnd)
    FW_ON_COMMAND(ID_WINDOW_NEW, &CMDIFrameWnd::OnWindowNew)
    FW_ON_UPDATE(ID_WINDOW_NEW, &CMDIFrameWnd::OnUpdateWindowNew)
    FW_ON_COMMAND(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnWindowArrange)
    FW_ON_COMMAND(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnWindowCascade)
    FW_ON_COMMAND(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnWindowTileHorz)
    FW_ON_COMMAND(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnWindowTileVert)
    FW_ON_COMMAND_RANGE(AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + kMdiWindowListMax - 1,
                        &CMDIFrameWnd::OnWindowActivate)
    FW_ON_UPDATE_RANGE(AFX_IDM_FIRST_MDICHILD, AFX_IDM_FIRST_MDICHILD + kMdiWindowListMax - 1,
                       &CMDIFrameWnd::OnUpdateWindowActivate)
FW_END_COMMANDS

namespace {

// One cascade step: a sub-window's title bar and frame.
int CascadeStep(const QWidget* area)
{
    const QStyle* style = area->style();
    return style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, area) +
           style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, area);
}

bool IsWindowCommand(unsigned id)
{
    return id >= ID_WINDOW_NEW && id <= ID_WINDOW_TILE_VERT;
}

bool IsWindowListItem(unsigned id)
{
    return id >= AFX_IDM_FIRST_MDICHILD && id < AFX_IDM_FIRST_MDICHILD + kMdiWindowListMax;
}

// The children that tiling and cascading arrange: shown and not minimised.
std::vector<QMdiSubWindow*> ArrangedWindows(const std::vector<CMDIChildWnd*>& children)
{
    std::vector<QMdiSubWindow*> out;
    for (CMDIChildWnd* child : children) {
        QMdiSubWindow* sub = child->SubWindow();
        if (sub && sub->isVisible() && !sub->isMinimized())
            out.push_back(sub);
    }
    return out;
}

} // namespace

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
    window->PassMouseToQt(true);
    m_area = new QMdiArea(window);
    window->setCentralWidget(m_area);
    QObject::connect(m_area, &QMdiArea::subWindowActivated, [this] { Guard([&] { OnChildActivated(); }); });
    AddShortcuts(window);
    return window;
}

void CMDIFrameWnd::AddShortcuts(QWidget* window)
{
    struct Key {
        QKeySequence keys;
        void (CMDIFrameWnd::*action)();
    };
    const Key keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_F4), &CMDIFrameWnd::CloseActiveChild},
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), &CMDIFrameWnd::MDINext},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), &CMDIFrameWnd::MDIPrev},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), &CMDIFrameWnd::MDIPrev},
    };
    for (const Key& key : keys) {
        auto* shortcut = new QShortcut(key.keys, window);
        shortcut->setContext(Qt::WindowShortcut);
        const auto action = key.action;
        QObject::connect(shortcut, &QShortcut::activated, window, [this, action] { Guard([&] { (this->*action)(); }); });
        // A menu item that carries the same keys leaves both ambiguous;
        // the window key still works.
        QObject::connect(shortcut, &QShortcut::activatedAmbiguously, window,
                         [this, action] { Guard([&] { (this->*action)(); }); });
    }
}

void CMDIFrameWnd::CloseActiveChild()
{
    if (CMDIChildWnd* child = MDIGetActive())
        child->OnClose();
}

void CMDIFrameWnd::MDINext()
{
    if (m_area)
        m_area->activateNextSubWindow();
}

void CMDIFrameWnd::MDIPrev()
{
    if (m_area)
        m_area->activatePreviousSubWindow();
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
    if (!m_area)
        return;
    const QSize area = m_area->viewport()->size();
    const int step = CascadeStep(m_area);
    int index = 0;
    for (QMdiSubWindow* sub : ArrangedWindows(Children())) {
        if (sub->isMaximized())
            sub->showNormal();
        sub->setGeometry(NewMdiChildRect(area, index++, step));
        sub->raise();
    }
}

void CMDIFrameWnd::MDITile(bool horizontal)
{
    if (!m_area)
        return;
    const std::vector<QMdiSubWindow*> windows = ArrangedWindows(Children());
    const std::vector<QRect> rects =
        TileMdiChildRects(m_area->viewport()->size(), static_cast<int>(windows.size()), horizontal);
    for (size_t i = 0; i < windows.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}

void CMDIFrameWnd::MDIIconArrange()
{
    if (!m_area)
        return;
    const int bottom = m_area->viewport()->height();
    int x = 0;
    for (CMDIChildWnd* child : Children()) {
        QMdiSubWindow* sub = child->SubWindow();
        if (!sub || !sub->isVisible() || !sub->isMinimized())
            continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

QRect CMDIFrameWnd::NewChildRect() const
{
    if (!m_area)
        return {};
    int others = 0;
    for (CMDIChildWnd* child : Children()) {
        if (child->SubWindow() && child->SubWindow()->isVisible())
            ++others;
    }
    return NewMdiChildRect(m_area->viewport()->size(), others, CascadeStep(m_area));
}

void CMDIFrameWnd::OnWindowNew()
{
    // A second window on the active child's document.
    CMDIChildWnd* active = MDIGetActive();
    CDocument* document = active ? active->GetActiveDocument() : nullptr;
    auto* tmpl = document ? dynamic_cast<CMultiDocTemplate*>(document->GetDocTemplate()) : nullptr;
    if (!tmpl)
        return;
    if (CFrameWnd* frame = tmpl->CreateNewFrame(document))
        tmpl->InitialUpdateFrame(frame, document, true);
}

void CMDIFrameWnd::OnUpdateWindowNew(CCmdUI* ui)
{
    CMDIChildWnd* active = MDIGetActive();
    ui->Enable(active && active->GetActiveDocument());
}

void CMDIFrameWnd::OnWindowActivate(unsigned id)
{
    const std::vector<CMDIChildWnd*> children = Children();
    const size_t index = id - AFX_IDM_FIRST_MDICHILD;
    if (index >= children.size())
        return;
    QMdiSubWindow* sub = children[index]->SubWindow();
    if (sub && sub->isMinimized())
        sub->showNormal();
    MDIActivate(children[index]);
}

void CMDIFrameWnd::OnUpdateWindowActivate(CCmdUI* ui)
{
    const std::vector<CMDIChildWnd*> children = Children();
    const size_t index = ui->m_nID - AFX_IDM_FIRST_MDICHILD;
    ui->Enable(index < children.size());
    ui->SetCheck(index < children.size() && children[index] == MDIGetActive() ? 1 : 0);
}

void CMDIFrameWnd::OnInitMenuPopup(CMenu* popup, unsigned index, bool sysMenu)
{
    UpdateWindowList(popup);
    CFrameWnd::OnInitMenuPopup(popup, index, sysMenu);
}

void CMDIFrameWnd::UpdateWindowList(CMenu* popup)
{
    if (!popup || !popup->Menu())
        return;
    // Only the popup of the window commands carries the list.
    int lastCommand = -1;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        if (IsWindowCommand(popup->GetMenuItemID(i)))
            lastCommand = i;
    }
    if (lastCommand < 0)
        return;
    // The list of the last showing goes, with the separator before it.
    bool sawList = false;
    for (int i = popup->GetMenuItemCount() - 1; i > lastCommand; --i) {
        const unsigned id = popup->GetMenuItemID(i);
        const bool separator = popup->GetMenuState(static_cast<unsigned>(i), MF_BYPOSITION) & MF_SEPARATOR;
        if (IsWindowListItem(id) || (separator && sawList)) {
            popup->DeleteMenu(static_cast<unsigned>(i), MF_BYPOSITION);
            sawList = !separator;
        }
    }
    const std::vector<CMDIChildWnd*> children = Children();
    std::vector<CMDIChildWnd*> listed;
    for (CMDIChildWnd* child : children) {
        if (child->SubWindow() && listed.size() < kMdiWindowListMax)
            listed.push_back(child);
    }
    if (listed.empty())
        return;
    popup->AppendMenu(MF_SEPARATOR);
    CMDIChildWnd* active = MDIGetActive();
    for (size_t i = 0; i < listed.size(); ++i) {
        CString caption;
        caption.Format("&%d %s", static_cast<int>(i + 1), FromQ(listed[i]->SubWindow()->windowTitle()).c_str());
        const unsigned id = AFX_IDM_FIRST_MDICHILD + static_cast<unsigned>(i);
        popup->AppendMenu(MF_STRING | (listed[i] == active ? MF_CHECKED : 0u), id, caption);
    }
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
    sub->PassMouseToQt(true);
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
    QMdiSubWindow* sub = SubWindow();
    if (!sub)
        return;
    CMDIChildWnd* active = m_mdiFrame ? m_mdiFrame->MDIGetActive() : nullptr;
    const bool followMaximised = active && active != this && active->SubWindow() &&
                                 active->SubWindow()->isMaximized();
    if (!m_placed) {
        m_placed = true;
        if (m_mdiFrame && !sub->isVisible())
            sub->setGeometry(m_mdiFrame->NewChildRect());
    }
    if (showCmd == SW_SHOWMAXIMIZED || (showCmd < 0 && followMaximised))
        sub->showMaximized();
    else
        sub->show();
    MDIActivate();
}

bool CMDIChildWnd::SetWindowPlacement(const WINDOWPLACEMENT* wp)
{
    m_placed = true;
    return CFrameWnd::SetWindowPlacement(wp);
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
