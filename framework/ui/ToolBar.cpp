#include "framework/ui/ToolBar.h"

#include "framework/core/StringTable.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/QtText.h"

#include <QAction>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolBar>
#include <QToolButton>

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

// Where the arrow of a drop-down button lies in the button.
QRect ArrowRect(QToolButton* button)
{
    QStyleOptionToolButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.subControls = QStyle::SC_ToolButton | QStyle::SC_ToolButtonMenu;
    option.features = QStyleOptionToolButton::MenuButtonPopup | QStyleOptionToolButton::HasMenu;
    option.toolButtonStyle = button->toolButtonStyle();
    return button->style()->subControlRect(QStyle::CC_ToolButton, &option, QStyle::SC_ToolButtonMenu, button);
}

} // namespace

// Takes the presses on a drop-down button's arrow before the button does:
// the button keeps its own click, and the arrow's menu is the frame's to
// drop. The button carries an empty menu only so that its style draws the
// arrow.
class DropDownArrow : public QObject {
public:
    DropDownArrow(CToolBar* bar, unsigned id, QToolButton* button) : QObject(button), m_bar(bar), m_id(id) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* button = qobject_cast<QToolButton*>(watched);
        if (!button || (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick))
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !button->isEnabled() ||
            !ArrowRect(button).contains(mouse->position().toPoint()))
            return false;
        m_bar->DropDown(m_id);
        return true;
    }

private:
    CToolBar* m_bar;
    unsigned m_id;
};

CToolBar::CToolBar()
{
    Attach(new QToolBar);
    // The main window's menu of its bars would list this bar without a
    // name; a right-click on the bar offers nothing, as on the platform the
    // program comes from.
    Bar()->setContextMenuPolicy(Qt::PreventContextMenu);
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
    // The bar made these actions; clear() alone would leave them to the bar.
    Bar()->clear();
    for (Item& item : m_items)
        delete item.action;
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
    const bool wasDropDown = (item.style & TBBS_DROPDOWN) != 0;
    item.style = style;
    if (item.id == 0)
        return;
    item.action->setCheckable((style & TBBS_CHECKBOX) != 0);
    if (wasDropDown != ((style & TBBS_DROPDOWN) != 0))
        ShowDropDownArrow(item, !wasDropDown);
}

void CToolBar::ShowDropDownArrow(const Item& item, bool on)
{
    auto* button = qobject_cast<QToolButton*>(Bar()->widgetForAction(item.action));
    if (!button)
        return;
    for (auto* filter : button->findChildren<DropDownArrow*>(Qt::FindDirectChildrenOnly))
        delete filter;
    delete button->menu();
    if (!on) {
        button->setPopupMode(QToolButton::DelayedPopup);
        return;
    }
    button->setMenu(new QMenu(button));
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->installEventFilter(new DropDownArrow(this, item.id, button));
}

void CToolBar::DropDown(unsigned id)
{
    CFrameWnd* frame = GetOwnerFrame();
    auto* handler = dynamic_cast<IToolBarDropDown*>(frame);
    if (!handler)
        return;
    const CRect rect = GetButtonScreenRect(id);
    frame->Guard([&] { handler->OnToolbarDropDown(*this, id, rect); });
    frame->UpdateControlBars();
}

bool CToolBar::HasDropDownArrow(unsigned id) const
{
    auto* button = qobject_cast<QToolButton*>(Bar()->widgetForAction(ActionOf(id)));
    return button && button->popupMode() == QToolButton::MenuButtonPopup && button->menu() &&
           ArrowRect(button).isValid();
}

CRect CToolBar::GetButtonScreenRect(unsigned id) const
{
    QAction* action = ActionOf(id);
    QWidget* button = action ? Bar()->widgetForAction(action) : nullptr;
    if (!button)
        return {};
    const QPoint topLeft = button->mapToGlobal(QPoint(0, 0));
    return CRect(topLeft.x(), topLeft.y(), topLeft.x() + button->width(), topLeft.y() + button->height());
}

void CToolBar::PressDropDown(unsigned id)
{
    const int index = CommandToIndex(id);
    QAction* action = ActionOf(id);
    if (index >= 0 && (GetButtonStyle(index) & TBBS_DROPDOWN) && action->isEnabled())
        DropDown(id);
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
