#include "framework/ui/StatusBar.h"

#include "framework/ui/CmdUI.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/QtText.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace {

// A pane's update target: SetText writes the pane, Enable shows or blanks it.
class PaneCmdUI : public CCmdUI {
public:
    PaneCmdUI(CStatusBar* bar, int index, unsigned id) : CCmdUI(id), m_bar(bar) { m_nIndex = static_cast<unsigned>(index); }
    void SetText(const CString& text) override
    {
        CCmdUI::SetText(text);
        m_bar->SetPaneText(static_cast<int>(m_nIndex), text);
    }

private:
    CStatusBar* m_bar;
};

} // namespace

CStatusBar::CStatusBar()
{
    Attach(new QStatusBar);
}

QStatusBar* CStatusBar::Bar() const { return static_cast<QStatusBar*>(Widget()); }

bool CStatusBar::Create(CFrameWnd* frame, unsigned id)
{
    SetDlgCtrlID(static_cast<int>(id));
    if (frame->MainWindow())
        frame->MainWindow()->setStatusBar(Bar());
    frame->AddControlBar(this);
    return true;
}

bool CStatusBar::SetIndicators(const unsigned* ids, int count)
{
    for (Pane& p : m_panes)
        delete p.label;
    m_panes.clear();
    for (int i = 0; i < count; ++i) {
        auto* label = new QLabel;
        if (i == 0)
            Bar()->addWidget(label, 1);  // the message pane stretches
        else
            Bar()->addPermanentWidget(label);
        m_panes.push_back(Pane{ids[i], label});
        if (ids[i] != ID_SEPARATOR)
            label->setText(ToQ(CommandPromptText(ids[i])));
    }
    return true;
}

unsigned CStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<size_t>(index)].id : 0;
}

int CStatusBar::CommandToIndex(unsigned id) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<size_t>(i)].id == id)
            return i;
    }
    return -1;
}

bool CStatusBar::SetPaneText(int index, const CString& text, bool update)
{
    if (index < 0 || index >= GetCount())
        return false;
    QLabel* label = m_panes[static_cast<size_t>(index)].label;
    label->setText(ToQ(text));
    // Long operations set texts without an event loop: paint at once.
    if (update && label->isVisible())
        label->repaint();
    return true;
}

CString CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    return FromQ(m_panes[static_cast<size_t>(index)].label->text());
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, bool)
{
    for (int i = 0; i < GetCount(); ++i) {
        const unsigned id = m_panes[static_cast<size_t>(i)].id;
        if (id == ID_SEPARATOR)
            continue;
        PaneCmdUI ui(this, i, id);
        ui.DoUpdate(target, false);
    }
}

} // namespace fw
