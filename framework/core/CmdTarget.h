#pragma once

// Commands by number, routed through a chain of targets the way the
// original framework did it. Each class lists what it handles in a static
// table (FW_BEGIN_COMMANDS ... FW_END_COMMANDS); a table names its base
// class's table, so a lookup walks up the class chain. Which target is asked
// after which is decided by the targets' OnCmdMsg overrides (a view asks its
// document, a frame its active view first, and so on).

#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <cstddef>
#include <cstdint>

namespace fw {

class CCmdTarget;
class CCmdUI;

// The notification codes of OnCmdMsg.
inline constexpr int CN_COMMAND = 0;
inline constexpr int CN_UPDATE_COMMAND_UI = -1;

// Control notifications, sent to the control's parent as OnCmdMsg(id, code).
// A button click is a command (code 0), as it always was.
inline constexpr int BN_CLICKED = 0;
inline constexpr int BN_DOUBLECLICKED = 5;
inline constexpr int CBN_SELCHANGE = 1;
inline constexpr int CBN_DBLCLK = 2;
inline constexpr int CBN_SETFOCUS = 3;
inline constexpr int CBN_KILLFOCUS = 4;
inline constexpr int CBN_EDITCHANGE = 5;
inline constexpr int CBN_SELENDOK = 9;
inline constexpr int LBN_SELCHANGE = 1;
inline constexpr int LBN_DBLCLK = 2;
inline constexpr int EN_SETFOCUS = 0x0100;
inline constexpr int EN_KILLFOCUS = 0x0200;
inline constexpr int EN_CHANGE = 0x0300;
inline constexpr int EN_UPDATE = 0x0400;
// Only for edits made by the user (typing, paste), never for SetWindowText.
inline constexpr int EN_USERCHANGE = 0x7F00;

// Filled by a probe: OnCmdMsg with a non-null info only reports whether a
// handler exists (and which target holds it) and calls nothing.
struct CmdHandlerInfo {
    CCmdTarget* target = nullptr;
};

namespace detail {

enum class CmdKind : uint8_t { command, commandEx, commandRange, update, updateRange };

// One row of a command table. `call` is a thunk that casts the target to the
// class that declared the row and calls its member.
struct CmdEntry {
    unsigned first = 0;
    unsigned last = 0;
    int code = 0;  // CN_COMMAND, CN_UPDATE_COMMAND_UI or a control notification
    CmdKind kind = CmdKind::command;
    bool (*call)(CCmdTarget* target, unsigned id, CCmdUI* ui) = nullptr;
};

struct CmdMap {
    const CmdMap* base;
    const CmdEntry* entries;
    size_t count;
};

template <class T, auto Fn> bool CallCommand(CCmdTarget* t, unsigned, CCmdUI*)
{
    (static_cast<T*>(t)->*Fn)();
    return true;
}
template <class T, auto Fn> bool CallCommandEx(CCmdTarget* t, unsigned id, CCmdUI*)
{
    return (static_cast<T*>(t)->*Fn)(id);
}
template <class T, auto Fn> bool CallCommandRange(CCmdTarget* t, unsigned id, CCmdUI*)
{
    (static_cast<T*>(t)->*Fn)(id);
    return true;
}
template <class T, auto Fn> bool CallUpdate(CCmdTarget* t, unsigned, CCmdUI* ui)
{
    (static_cast<T*>(t)->*Fn)(ui);
    return true;
}

} // namespace detail

// The state a command's user-interface item should show, asked of the
// handlers before a menu opens and while the program idles. The base class
// keeps the state; the interface layer applies it to actions and controls.
class CCmdUI {
public:
    CCmdUI() = default;
    explicit CCmdUI(unsigned id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    virtual void Enable(bool on = true);
    virtual void SetCheck(int check = 1);  // 0 off, 1 on, 2 indeterminate
    virtual void SetRadio(bool on = true);
    virtual void SetText(const CString& text);

    // Asks `target` (which routes on) for the state. When no update handler
    // answers and `disableIfNoHandler` is set, the item is enabled exactly
    // when some target along the route handles the command.
    void DoUpdate(CCmdTarget* target, bool disableIfNoHandler = true);
    // Whether an update handler was reached (set by DoUpdate).
    bool WasHandled() const { return m_bHandled; }

    unsigned m_nID = 0;
    unsigned m_nIndex = 0;        // position in its menu or bar
    unsigned m_nIndexMax = 0;
    bool m_bEnableChanged = false;
    bool m_bContinueRouting = false;  // a handler may ask the next target too

    bool m_bEnabled = true;
    bool m_bCheckChanged = false;
    int m_nCheck = 0;
    bool m_bRadio = false;
    bool m_bTextChanged = false;
    CString m_strText;

private:
    bool m_bHandled = false;
};

class CCmdTarget : public CObject {
    FW_DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Handles the command `id` (code CN_COMMAND) or its update (code
    // CN_UPDATE_COMMAND_UI, `ui` set) from this object's table; true when a
    // row handled it. With `info` set nothing is called; true means that a
    // handler exists. Overrides route on to further targets.
    virtual bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info = nullptr);

    // Sends command `id` along the route; true when some target handled it.
    bool DoCommand(unsigned id) { return OnCmdMsg(id, CN_COMMAND, nullptr, nullptr); }
    // True when some target along the route handles command `id`.
    bool HasCommandHandler(unsigned id);

protected:
    static const detail::CmdMap* GetThisCommandMap();
    virtual const detail::CmdMap* GetCommandMap() const;
    // Only this object's tables, without routing.
    bool DispatchOwn(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info);
};

} // namespace fw

// In the class body.
#define FW_DECLARE_COMMANDS()                                   \
protected:                                                      \
    static const ::fw::detail::CmdMap* GetThisCommandMap();     \
    const ::fw::detail::CmdMap* GetCommandMap() const override; \
public:

// In the source file.
#define FW_BEGIN_COMMANDS(C, Base)                                                    \
    const ::fw::detail::CmdMap* C::GetCommandMap() const { return GetThisCommandMap(); } \
    const ::fw::detail::CmdMap* C::GetThisCommandMap()                                \
    {                                                                                 \
        using ThisClass_ [[maybe_unused]] = C;                                                         \
        using BaseClass_ = Base;                                                      \
        static const ::fw::detail::CmdEntry entries_[] = {

#define FW_ON_COMMAND(id, fn)                                                         \
    {static_cast<unsigned>(id), static_cast<unsigned>(id), 0, ::fw::detail::CmdKind::command, \
     &::fw::detail::CallCommand<ThisClass_, fn>},
// The handler takes the id and returns false to let the route go on.
#define FW_ON_COMMAND_EX(id, fn)                                                      \
    {static_cast<unsigned>(id), static_cast<unsigned>(id), 0, ::fw::detail::CmdKind::commandEx, \
     &::fw::detail::CallCommandEx<ThisClass_, fn>},
#define FW_ON_COMMAND_RANGE(first, last, fn)                                          \
    {static_cast<unsigned>(first), static_cast<unsigned>(last), 0, ::fw::detail::CmdKind::commandRange, \
     &::fw::detail::CallCommandRange<ThisClass_, fn>},
#define FW_ON_UPDATE(id, fn)                                                          \
    {static_cast<unsigned>(id), static_cast<unsigned>(id), ::fw::CN_UPDATE_COMMAND_UI, ::fw::detail::CmdKind::update, \
     &::fw::detail::CallUpdate<ThisClass_, fn>},
#define FW_ON_UPDATE_RANGE(first, last, fn)                                           \
    {static_cast<unsigned>(first), static_cast<unsigned>(last), ::fw::CN_UPDATE_COMMAND_UI, ::fw::detail::CmdKind::updateRange, \
     &::fw::detail::CallUpdate<ThisClass_, fn>},

// A control notification: the handler takes nothing.
#define FW_ON_CONTROL(code, id, fn)                                                   \
    {static_cast<unsigned>(id), static_cast<unsigned>(id), static_cast<int>(code),    \
     ::fw::detail::CmdKind::command, &::fw::detail::CallCommand<ThisClass_, fn>},
#define FW_ON_CONTROL_RANGE(code, first, last, fn)                                    \
    {static_cast<unsigned>(first), static_cast<unsigned>(last), static_cast<int>(code), \
     ::fw::detail::CmdKind::commandRange, &::fw::detail::CallCommandRange<ThisClass_, fn>},
#define FW_ON_BN_CLICKED(id, fn) FW_ON_CONTROL(::fw::BN_CLICKED, id, fn)
#define FW_ON_EN_CHANGE(id, fn) FW_ON_CONTROL(::fw::EN_CHANGE, id, fn)
#define FW_ON_EN_USERCHANGE(id, fn) FW_ON_CONTROL(::fw::EN_USERCHANGE, id, fn)
#define FW_ON_EN_KILLFOCUS(id, fn) FW_ON_CONTROL(::fw::EN_KILLFOCUS, id, fn)
#define FW_ON_CBN_SELCHANGE(id, fn) FW_ON_CONTROL(::fw::CBN_SELCHANGE, id, fn)
#define FW_ON_LBN_SELCHANGE(id, fn) FW_ON_CONTROL(::fw::LBN_SELCHANGE, id, fn)
#define FW_ON_LBN_DBLCLK(id, fn) FW_ON_CONTROL(::fw::LBN_DBLCLK, id, fn)

#define FW_END_COMMANDS                                                               \
            {0, 0, 0, ::fw::detail::CmdKind::command, nullptr}};                         \
        static const ::fw::detail::CmdMap map_{BaseClass_::GetThisCommandMap(), entries_, \
                                               sizeof(entries_) / sizeof(entries_[0]) - 1}; \
        return &map_;                                                                 \
    }
