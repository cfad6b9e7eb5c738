#include "framework/ui/ToolBar.h"

#include "framework/core/StringTable.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/QtText.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QToolBar>

namespace fw {

FW_IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

namespace {

std::function<QIcon(unsigned, int)>& ImageProvider()
{
    static std::function<QIcon(unsigned, int)> provider;
    return provider;
}

// The tool tip is the second part of a command's string.
QString ToolTipOf(unsigned id)
{
    CString text = LoadStringText(id);
    const int nl = text.Find('\n');
    return ToQ(nl >= 0 ? text.Mid(nl + 1) : text);
}

} // namespace

CToolBar::CToolBar()
{
    Attach(new QToolBar);
}

QToolBar* CToolBar::Bar() const { return static_cast<QToolBar*>(Widget()); }

void CToolBar::SetImageProvider(std::function<QIcon(unsigned, int)> provider)
{
    ImageProvider() = std::move(provider);
}

bool CToolBar::Create(CFrameWnd* frame, unsigned id)
{
    SetDlgCtrlID(static_cast<int>(id));
    Bar()->setMovable(false);
    if (frame->MainWindow())
        frame->MainWindow()->addToolBar(Qt::TopToolBarArea, Bar());
    frame->AddControlBar(this);
    return true;
}

bool CToolBar::SetButtons(const unsigned* ids, int count, unsigned bitmapId)
{
    Bar()->clear();
    m_items.clear();
    for (int i = 0; i < count; ++i) {
        const unsigned id = ids[i];
        if (id == 0) {
            m_items.push_back(Item{0, Bar()->addSeparator(), TBBS_SEPARATOR});
            continue;
        }
        QAction* a = Bar()->addAction(ToolTipOf(id));
        a->setData(id);
        a->setToolTip(ToolTipOf(id));
        QObject::connect(a, &QAction::triggered, [this, id] {
            if (CFrameWnd* f = GetOwnerFrame())
                f->ExecuteCommand(id);
        });
        QObject::connect(a, &QAction::hovered, [this, id] {
            if (CFrameWnd* f = GetOwnerFrame())
                f->SetMessageText(CommandPromptText(id));
        });
        m_items.push_back(Item{id, a, TBBS_BUTTON});
    }
    LoadBitmap(bitmapId);
    return true;
}

void CToolBar::LoadBitmap(unsigned bitmapId)
{
    if (!ImageProvider())
        return;
    int image = 0;
    for (Item& item : m_items) {
        if (item.id == 0)
            continue;
        item.action->setIcon(ImageProvider()(bitmapId, image++));
    }
}

unsigned CToolBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)].id : 0;
}

int CToolBar::CommandToIndex(unsigned id) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_items[static_cast<size_t>(i)].id == id)
            return i;
    }
    return -1;
}

QAction* CToolBar::ActionOf(unsigned id) const
{
    const int i = CommandToIndex(id);
    return i >= 0 ? m_items[static_cast<size_t>(i)].action : nullptr;
}

void CToolBar::SetButtonStyle(int index, unsigned style)
{
    if (index < 0 || index >= GetCount())
        return;
    Item& item = m_items[static_cast<size_t>(index)];
    item.style = style;
    item.action->setCheckable((style & TBBS_CHECKBOX) != 0);
}

unsigned CToolBar::GetButtonStyle(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)].style : 0;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, bool disableIfNoHandler)
{
    for (int i = 0; i < GetCount(); ++i) {
        const Item& item = m_items[static_cast<size_t>(i)];
        if (item.id == 0)
            continue;
        CActionCmdUI ui(item.action, item.id, static_cast<unsigned>(i));
        ui.DoUpdate(target, disableIfNoHandler);
    }
}

void CToolBar::PressButton(unsigned id)
{
    if (QAction* a = ActionOf(id); a && a->isEnabled())
        a->trigger();
}

} // namespace fw
