#include "measure/views/monitor/MoniterFrame.h"

#include "framework/core/StringTable.h"
#include "framework/ui/DialogBuilder.h"

#include <QMainWindow>

#include <algorithm>
#include <QWidget>

FW_IMPLEMENT_DYNAMIC(CMoniterFrame, fw::CMiniFrameWnd)

FW_BEGIN_COMMANDS(CMoniterFrame, fw::CMiniFrameWnd)
    FW_ON_COMMAND(CMoniterFrame::kIdFit, &CMoniterFrame::OnFit)
    FW_ON_UPDATE(CMoniterFrame::kIdFit, &CMoniterFrame::OnUpdateFit)
FW_END_COMMANDS

CMoniterFrame::CMoniterFrame()
{
    m_view.onDocumentSet = [this] {
        if (m_view.Widget())
            FitToView();
    };
}

bool CMoniterFrame::CreateFrame(fw::CWnd* owner)
{
    if (!CreateMini(fw::LoadStringText(kIdsTitle), owner, fw::CRect(0, 0, 320, 200)))
        return false;
    if (!m_bar.Create(this, [](fw::DialogBuilder& b) {
            b.Button(ID_MONITOR_SETTINGS, "ﾓﾆﾀ設定");
            b.Check(ID_MONITORING, "ﾓﾆﾀﾘﾝｸﾞ");
            b.Button(ID_PEAK_RESET, "P.R");
            b.Button(kIdFit, "1");
        }, kBarId))
        return false;
    if (!m_view.Create(fw::CRect(0, 0, 300, 160), this, 1))
        return false;
    if (MainWindow())
        MainWindow()->setCentralWidget(m_view.Widget());
    m_view.OnInitialUpdate();
    FitToView();
    return true;
}

void CMoniterFrame::FitToView()
{
    QWidget* frame = Widget();
    QWidget* client = m_view.Widget();
    if (!frame || !client)
        return;
    // The frame's parts are measured by their own hints: a frame that is
    // hidden has not placed them yet.
    QWidget* bar = m_bar.Widget();
    const QSize barSize = bar ? bar->sizeHint() : QSize();
    const fw::CSize content = m_view.ContentSize();
    int width = content.cx + kFitMargin;
    int height = barSize.height() + content.cy + kFitMargin;
    const int32_t mode = m_view.Style().GetMode();
    if (mode & kModeHorzScroll)
        height += kScrollBarSize;
    if (mode & kModeVertScroll)
        width += kScrollBarSize;
    // Never narrower than the bar's buttons.
    frame->resize(std::max(width, barSize.width()), height);
    client->setFocus();
}

bool CMoniterFrame::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    const bool forwarded = id == ID_MONITORING || id == ID_MONITOR_SETTINGS || id == ID_PEAK_RESET;
    if (forwarded) {
        if (commandTarget)
            return commandTarget->OnCmdMsg(id, code, ui, info);
        if (ui && !info) {
            ui->Enable(false);
            return true;
        }
        return false;
    }
    return fw::CMiniFrameWnd::OnCmdMsg(id, code, ui, info);
}

void CMoniterFrame::OnClose()
{
    if (onClose)
        onClose();
    else
        ShowWindow(fw::SW_HIDE);
}
