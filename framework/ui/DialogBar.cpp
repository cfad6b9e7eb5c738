#include "framework/ui/DialogBar.h"

#include "framework/ui/CmdUI.h"
#include "framework/ui/DialogBuilder.h"
#include "framework/ui/FrameWnd.h"

#include <QMainWindow>
#include <QToolBar>
#include <QWidget>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

// Forwards notifications to the bar's frame at the time they happen.
class DialogBarForwarder : public CCmdTarget {
public:
    explicit DialogBarForwarder(CDialogBar* bar) : m_bar(bar) {}
    bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info) override
    {
        CFrameWnd* frame = m_bar->GetOwnerFrame();
        if (!frame)
            return false;
        if (code == CN_COMMAND) {
            frame->ExecuteCommand(id);
            return true;
        }
        return frame->OnCmdMsg(id, code, ui, info);
    }

private:
    CDialogBar* m_bar;
};

CDialogBar::CDialogBar() : m_forwarder(std::make_unique<DialogBarForwarder>(this))
{
    Attach(new QWidget);
}

CDialogBar::~CDialogBar()
{
    ReleaseControlWidgets();
    DestroyWidgetNow();
}

CCmdTarget* CDialogBar::NotifyTarget()
{
    return m_forwarder.get();
}

bool CDialogBar::Create(CFrameWnd* frame, const std::function<void(DialogBuilder&)>& build, unsigned id)
{
    SetDlgCtrlID(static_cast<int>(id));
    DialogBuilder builder(*this, Widget());
    if (build)
        build(builder);
    if (frame->MainWindow()) {
        auto* holder = new QToolBar;
        holder->setMovable(false);
        // No nameless menu of bars on a right-click.
        holder->setContextMenuPolicy(Qt::PreventContextMenu);
        holder->addWidget(Widget());
        frame->MainWindow()->addToolBar(Qt::TopToolBarArea, holder);
    }
    frame->AddControlBar(this);
    return true;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler)
{
    for (const auto& [id, control] : Children()) {
        if (id <= 0 || static_cast<unsigned>(id) == 0xFFFFFFFFu)
            continue;
        // Only buttons are disabled for want of a handler; texts are left
        // to their update handlers.
        const bool isButton = dynamic_cast<CButton*>(control) != nullptr;
        CWndCmdUI ui(control, static_cast<unsigned>(id));
        ui.DoUpdate(target, disableIfNoHandler && isButton);
    }
}

} // namespace fw
