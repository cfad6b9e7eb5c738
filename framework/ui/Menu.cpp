#include "framework/ui/Menu.h"

#include "framework/core/Message.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Dialog.h"
#include "framework/ui/FrameWnd.h"
#include "framework/ui/QtText.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>

#include <unordered_map>

namespace fw {

namespace {

constexpr const char* kOwnerProperty = "fwMenuOwner";
constexpr unsigned kPopupId = 0xFFFFFFFFu;

std::function<unsigned(CMenu&)>& TrackHook()
{
    static std::function<unsigned(CMenu&)> hook;
    return hook;
}

std::unordered_map<QMenu*, CMenu*>& Wrappers()
{
    static std::unordered_map<QMenu*, CMenu*> map;
    return map;
}

// The window a menu belongs to: set on menus shown by TrackPopupMenu, else
// the first window among the menu's parents.
CWnd* OwnerOf(QMenu* menu)
{
    for (QWidget* w = menu; w; w = w->parentWidget()) {
        const QVariant v = w->property(kOwnerProperty);
        if (v.isValid())
            return reinterpret_cast<CWnd*>(static_cast<uintptr_t>(v.toULongLong()));
        if (CWnd* wnd = CWnd::FromWidget(w))
            return wnd;
    }
    return nullptr;
}

// A dialog answers the menus it owns itself, as it received the original's
// popup and command messages: its handlers lie on no frame's route.
bool AnswersItsOwnMenus(const CWnd* owner)
{
    return dynamic_cast<const CDialog*>(owner) != nullptr;
}

bool IsTracked(QMenu* menu)
{
    for (QWidget* w = menu; w; w = w->parentWidget()) {
        if (w->property(kOwnerProperty).isValid())
            return true;
        if (!qobject_cast<QMenu*>(w))
            break;
    }
    return false;
}

// A command item was chosen (click or shortcut): the top-level frame of the
// menu's owner routes it. Items of a tracked menu are answered by
// TrackPopupMenu instead.
void ActionTriggered(QAction* action)
{
    auto* host = qobject_cast<QMenu*>(action->parent());
    if (!host || IsTracked(host))
        return;
    const unsigned id = CMenu::CommandOf(action);
    CWnd* owner = OwnerOf(host);
    if (!owner || id == 0 || id == kPopupId)
        return;
    if (CFrameWnd* frame = owner->GetTopLevelFrame())
        frame->ExecuteCommand(id);
    else
        owner->Guard([&] { owner->DoCommand(id); });
}

} // namespace

CMenu::~CMenu()
{
    if (m_menu) {
        auto it = Wrappers().find(m_menu.data());
        if (it != Wrappers().end() && it->second == this)
            Wrappers().erase(it);
        if (m_owned)
            delete m_menu.data();
    }
}

CMenu* CMenu::FromHandle(QMenu* menu)
{
    if (!menu)
        return nullptr;
    auto& map = Wrappers();
    const auto it = map.find(menu);
    if (it != map.end())
        return it->second;
    auto* wrapper = new CMenu(menu, false);
    map[menu] = wrapper;
    QObject::connect(menu, &QObject::destroyed, [menu] {
        auto& m = Wrappers();
        const auto found = m.find(menu);
        if (found != m.end()) {
            CMenu* w = found->second;
            m.erase(found);
            w->m_menu.clear();  // the menu is half destroyed already
            if (!w->m_owned)
                delete w;
        }
    });
    return wrapper;
}

QMenu* CMenu::NewQMenu(QWidget* parent)
{
    auto* menu = new QMenu(parent);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { RunMenuAboutToShow(menu); });
    // Fly-by help: the command's status text while an item is under the pointer.
    QObject::connect(menu, &QMenu::hovered, menu, [menu](QAction* a) {
        const unsigned id = CommandOf(a);
        CWnd* owner = OwnerOf(menu);
        CFrameWnd* frame = owner ? owner->GetTopLevelFrame() : nullptr;
        if (frame && id != 0 && id != kPopupId)
            frame->SetMessageText(CommandPromptText(id));
    });
    QObject::connect(menu, &QMenu::aboutToHide, menu, [menu] {
        CWnd* owner = OwnerOf(menu);
        if (CFrameWnd* frame = owner ? owner->GetTopLevelFrame() : nullptr)
            frame->SetMessageText(CString());
    });
    return menu;
}

unsigned CMenu::CommandOf(const QAction* action)
{
    if (!action || action->isSeparator())
        return 0;
    if (action->menu())
        return kPopupId;
    return action->data().toUInt();
}

bool CMenu::CreateMenu()
{
    return CreatePopupMenu();
}

bool CMenu::CreatePopupMenu()
{
    DestroyMenu();
    m_menu = NewQMenu(nullptr);
    m_owned = true;
    return true;
}

bool CMenu::LoadMenu(unsigned id)
{
    const MenuResource* res = FindMenuResource(id);
    return res && LoadMenu(*res);
}

bool CMenu::LoadMenu(const MenuResource& resource)
{
    CreatePopupMenu();
    Fill(resource);
    return true;
}

void CMenu::Fill(const MenuResource& resource)
{
    for (const MenuResource& item : resource.children) {
        if (item.IsSeparator()) {
            m_menu->addSeparator();
        } else if (item.IsPopup()) {
            CMenu sub;
            sub.CreatePopupMenu();
            sub.Fill(item);
            AppendMenu(MF_POPUP | (item.flags & ~MF_POPUP), reinterpret_cast<uintptr_t>(sub.Detach()), item.caption);
        } else {
            AppendMenu(item.flags, item.command, item.caption);
        }
    }
}

QMenu* CMenu::Detach()
{
    QMenu* m = m_menu.data();
    m_owned = false;
    m_menu.clear();
    return m;
}

void CMenu::DestroyMenu()
{
    if (m_menu && m_owned)
        delete m_menu.data();
    m_menu.clear();
    m_owned = false;
}

int CMenu::GetMenuItemCount() const
{
    return m_menu ? static_cast<int>(m_menu->actions().size()) : -1;
}

unsigned CMenu::GetMenuItemID(int pos) const
{
    if (!m_menu || pos < 0 || pos >= GetMenuItemCount())
        return kPopupId;
    return CommandOf(m_menu->actions().at(pos));
}

QAction* CMenu::FindAction(unsigned idOrPos, unsigned flags) const
{
    QMenu* host = nullptr;
    return FindItem(idOrPos, flags, host);
}

QAction* CMenu::FindItem(unsigned idOrPos, unsigned flags, QMenu*& host) const
{
    host = m_menu.data();
    if (!m_menu)
        return nullptr;
    const QList<QAction*> actions = m_menu->actions();
    if (flags & MF_BYPOSITION)
        return idOrPos < static_cast<unsigned>(actions.size()) ? actions.at(static_cast<int>(idOrPos)) : nullptr;
    // By command: this menu first, then its popups, as the original searched.
    for (QAction* a : actions) {
        if (!a->isSeparator() && !a->menu() && a->data().toUInt() == idOrPos)
            return a;
    }
    for (QAction* a : actions) {
        if (a->menu()) {
            if (QAction* found = FromHandle(a->menu())->FindItem(idOrPos, flags, host))
                return found;
        }
    }
    host = m_menu.data();
    return nullptr;
}

int CMenu::PositionOf(unsigned id) const
{
    for (int i = 0; i < GetMenuItemCount(); ++i) {
        if (GetMenuItemID(i) == id)
            return i;
    }
    return -1;
}

CString CMenu::GetMenuString(unsigned idOrPos, unsigned flags) const
{
    QAction* a = FindAction(idOrPos, flags);
    if (!a)
        return {};
    CString text = FromQ(a->text());
    if (!a->shortcut().isEmpty())
        text += CString("\t") + FromQ(a->shortcut().toString(QKeySequence::PortableText));
    return text;
}

CMenu* CMenu::GetSubMenu(int pos) const
{
    QAction* a = FindAction(static_cast<unsigned>(pos), MF_BYPOSITION);
    return a && a->menu() ? FromHandle(a->menu()) : nullptr;
}

unsigned CMenu::GetMenuState(unsigned idOrPos, unsigned flags) const
{
    QAction* a = FindAction(idOrPos, flags);
    if (!a)
        return kPopupId;
    unsigned state = 0;
    if (a->isSeparator())
        state |= MF_SEPARATOR;
    if (!a->isEnabled())
        state |= MF_GRAYED;
    if (a->isChecked())
        state |= MF_CHECKED;
    if (a->menu())
        state |= MF_POPUP | (static_cast<unsigned>(a->menu()->actions().size()) << 8);
    return state;
}

QAction* CMenu::MakeAction(unsigned flags, uintptr_t idOrPopup, const CString& caption)
{
    if (flags & MF_SEPARATOR) {
        auto* sep = new QAction(m_menu);
        sep->setSeparator(true);
        return sep;
    }
    QAction* a;
    if (flags & MF_POPUP) {
        auto* sub = reinterpret_cast<QMenu*>(idOrPopup);
        sub->setParent(m_menu, sub->windowFlags());
        sub->setTitle(CaptionText(caption));
        a = sub->menuAction();
    } else {
        a = new QAction(CaptionText(caption), m_menu);
        a->setData(static_cast<unsigned>(idOrPopup));
        QObject::connect(a, &QAction::triggered, a, [a] { ActionTriggered(a); });
        const QString keys = ShortcutText(caption);
        if (!keys.isEmpty()) {
            a->setShortcut(QKeySequence(keys, QKeySequence::PortableText));
            a->setShortcutContext(Qt::WindowShortcut);
        }
    }
    a->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    if (flags & MF_CHECKED) {
        a->setCheckable(true);
        a->setChecked(true);
    }
    return a;
}

bool CMenu::AppendMenu(unsigned flags, uintptr_t idOrPopup, const CString& caption)
{
    if (!m_menu)
        return false;
    m_menu->addAction(MakeAction(flags, idOrPopup, caption));
    return true;
}

bool CMenu::InsertMenu(unsigned pos, unsigned flags, uintptr_t idOrPopup, const CString& caption)
{
    if (!m_menu)
        return false;
    QMenu* host = m_menu.data();
    QAction* before = (pos == 0xFFFFFFFFu) ? nullptr : FindItem(pos, flags & MF_BYPOSITION, host);
    if (!before && !(flags & MF_BYPOSITION) && pos != 0xFFFFFFFFu)
        return false;
    QMenu* saved = m_menu.data();
    m_menu = host;  // the new item belongs to the menu it is inserted into
    QAction* a = MakeAction(flags & ~MF_BYPOSITION, idOrPopup, caption);
    m_menu = saved;
    host->insertAction(before, a);
    return true;
}

bool CMenu::ModifyMenu(unsigned pos, unsigned flags, uintptr_t idOrPopup, const CString& caption)
{
    QMenu* host = nullptr;
    QAction* old = FindItem(pos, flags & MF_BYPOSITION, host);
    if (!old)
        return false;
    QMenu* saved = m_menu.data();
    m_menu = host;
    QAction* a = MakeAction(flags & ~MF_BYPOSITION, idOrPopup, caption);
    m_menu = saved;
    host->insertAction(old, a);
    host->removeAction(old);
    if (QMenu* sub = old->menu())
        delete sub;  // a replaced popup is destroyed, as on Windows
    else
        delete old;
    return true;
}

bool CMenu::RemoveMenu(unsigned pos, unsigned flags)
{
    QMenu* host = nullptr;
    QAction* a = FindItem(pos, flags, host);
    if (!a)
        return false;
    host->removeAction(a);
    if (QMenu* sub = a->menu())
        sub->setParent(nullptr, sub->windowFlags());
    else
        delete a;
    return true;
}

bool CMenu::DeleteMenu(unsigned pos, unsigned flags)
{
    QAction* a = FindAction(pos, flags);
    if (!a)
        return false;
    if (QMenu* sub = a->menu()) {
        delete sub;  // its menu action goes with it
        return true;
    }
    delete a;  // leaves every widget it was added to
    return true;
}

unsigned CMenu::EnableMenuItem(unsigned idOrPos, unsigned flags)
{
    QAction* a = FindAction(idOrPos, flags);
    if (!a)
        return kPopupId;
    const unsigned before = a->isEnabled() ? MF_ENABLED : MF_GRAYED;
    a->setEnabled((flags & (MF_GRAYED | MF_DISABLED)) == 0);
    return before;
}

unsigned CMenu::CheckMenuItem(unsigned idOrPos, unsigned flags)
{
    QAction* a = FindAction(idOrPos, flags);
    if (!a)
        return kPopupId;
    const unsigned before = a->isChecked() ? MF_CHECKED : MF_UNCHECKED;
    a->setCheckable(true);
    a->setChecked((flags & MF_CHECKED) != 0);
    return before;
}

bool CMenu::CheckMenuRadioItem(unsigned first, unsigned last, unsigned check, unsigned flags)
{
    bool found = false;
    for (unsigned i = first; i <= last; ++i) {
        QAction* a = FindAction(i, flags);
        if (!a)
            continue;
        a->setCheckable(true);
        a->setChecked(i == check);
        found = found || i == check;
    }
    return found;
}

void CMenu::SetTrackHook(std::function<unsigned(CMenu&)> hook)
{
    TrackHook() = std::move(hook);
}

unsigned CMenu::TrackPopupMenu(unsigned flags, int x, int y, CWnd* owner)
{
    if (!m_menu)
        return 0;
    m_menu->setProperty(kOwnerProperty, QVariant::fromValue<qulonglong>(reinterpret_cast<uintptr_t>(owner)));
    unsigned chosen = 0;
    if (TrackHook()) {
        RunMenuAboutToShow(m_menu);
        chosen = TrackHook()(*this);
    } else {
        ModalScope modal;
        QAction* a = m_menu->exec(QPoint(x, y));
        chosen = a ? CommandOf(a) : 0;
        if (chosen == kPopupId)
            chosen = 0;
    }
    if (m_menu)
        m_menu->setProperty(kOwnerProperty, QVariant());
    if (flags & TPM_RETURNCMD)
        return chosen;
    if (chosen && owner) {
        CFrameWnd* frame = AnswersItsOwnMenus(owner) ? nullptr : owner->GetTopLevelFrame();
        if (frame)
            frame->ExecuteCommand(chosen);
        else
            owner->DoCommand(chosen);
    }
    return chosen ? 1 : 0;
}

void RunMenuAboutToShow(QMenu* menu)
{
    CWnd* owner = OwnerOf(menu);
    if (!owner)
        return;
    if (AnswersItsOwnMenus(owner)) {
        // Items without a handler stay as the menu has them.
        owner->Guard([&] { UpdateMenuItems(CMenu::FromHandle(menu), owner, false); });
        return;
    }
    // The main window runs every popup's pass, as it received the original's
    // popup message; its route reaches the active child and view.
    CFrameWnd* frame = owner->GetTopLevelFrame();
    if (!frame)
        return;
    owner->Guard([&] {
        unsigned index = 0;
        if (auto* parent = qobject_cast<QMenu*>(menu->parentWidget()))
            index = static_cast<unsigned>(parent->actions().indexOf(menu->menuAction()));
        frame->OnInitMenuPopup(CMenu::FromHandle(menu), index, false);
    });
}

} // namespace fw
