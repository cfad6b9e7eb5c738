#pragma once

// A menu over a QMenu, with the item operations of the original: items by
// position or by command id, popups, separators, check and enable states.
// Each item is a QAction carrying its command id; popups are QActions with
// a sub-menu. A menu bar is a root menu whose items are the popups.

#include "framework/core/CString.h"
#include "framework/core/MenuResource.h"

#include <QMenu>
#include <QPointer>

#include <functional>

class QAction;

class QWidget;

namespace fw {

class CWnd;

inline constexpr unsigned TPM_LEFTALIGN = 0x0;
inline constexpr unsigned TPM_RIGHTBUTTON = 0x2;
inline constexpr unsigned TPM_NONOTIFY = 0x80;
inline constexpr unsigned TPM_RETURNCMD = 0x100;

class CMenu {
public:
    CMenu() = default;
    // Deletes the QMenu when this object made it.
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // The wrapper of an existing menu (kept until the menu is destroyed).
    static CMenu* FromHandle(QMenu* menu);

    bool CreateMenu();
    bool CreatePopupMenu();
    // Builds the menu of resource `id` (false when there is none).
    bool LoadMenu(unsigned id);
    bool LoadMenu(const MenuResource& resource);
    // Hands the QMenu to the caller (or to a window) without deleting it.
    QMenu* Detach();
    QMenu* Menu() const { return m_menu.data(); }
    void DestroyMenu();

    int GetMenuItemCount() const;
    // Command id; 0 for a separator, 0xFFFFFFFF for a popup.
    unsigned GetMenuItemID(int pos) const;
    CString GetMenuString(unsigned idOrPos, unsigned flags) const;
    CMenu* GetSubMenu(int pos) const;
    unsigned GetMenuState(unsigned idOrPos, unsigned flags) const;  // 0xFFFFFFFF when absent

    bool AppendMenu(unsigned flags, uintptr_t idOrPopup = 0, const CString& caption = {});
    bool InsertMenu(unsigned pos, unsigned flags, uintptr_t idOrPopup = 0, const CString& caption = {});
    bool ModifyMenu(unsigned pos, unsigned flags, uintptr_t idOrPopup = 0, const CString& caption = {});
    // Takes the item out; a popup's menu survives (it is handed back to its
    // other owner, as the original's RemoveMenu did).
    bool RemoveMenu(unsigned pos, unsigned flags);
    // Takes the item out and destroys a popup's menu.
    bool DeleteMenu(unsigned pos, unsigned flags);
    unsigned EnableMenuItem(unsigned idOrPos, unsigned flags);
    unsigned CheckMenuItem(unsigned idOrPos, unsigned flags);
    bool CheckMenuRadioItem(unsigned first, unsigned last, unsigned check, unsigned flags);

    // Shows the menu at x, y (screen) and waits for a choice. With
    // TPM_RETURNCMD the chosen command is returned; otherwise it is sent to
    // the owner's top-level frame and the result is whether one was chosen.
    unsigned TrackPopupMenu(unsigned flags, int x, int y, CWnd* owner);
    // Tests choose instead of a user: the hook gets the menu after its
    // update pass and returns the command (0 = dismissed).
    static void SetTrackHook(std::function<unsigned(CMenu&)> hook);

    // The item at a position or with a command (nullptr when absent).
    QAction* FindAction(unsigned idOrPos, unsigned flags) const;
    int PositionOf(unsigned id) const;  // top level only; -1 when absent

    // A QMenu as the framework makes them: its aboutToShow runs the
    // owner's popup initialisation and update pass.
    static QMenu* NewQMenu(QWidget* parent);
    // The command id an action carries (0 for none).
    static unsigned CommandOf(const QAction* action);

private:
    explicit CMenu(QMenu* menu, bool owned) : m_menu(menu), m_owned(owned) {}
    QAction* FindItem(unsigned idOrPos, unsigned flags, QMenu*& host) const;
    QAction* MakeAction(unsigned flags, uintptr_t idOrPopup, const CString& caption);
    void Fill(const MenuResource& resource);

    QPointer<QMenu> m_menu;
    bool m_owned = false;
};

// Runs the popup initialisation of the window that owns `menu`.
void RunMenuAboutToShow(QMenu* menu);

} // namespace fw
