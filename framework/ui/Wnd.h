#pragma once

// A window of the program: a command target over one Qt widget. It gives
// the widget a handle for posted messages, a map of child controls by their
// numeric ids, timers by id, and the overridable handlers the program's
// windows implement (OnPaint, OnTimer, OnClose, mouse and keys).

#include "framework/core/CmdTarget.h"
#include "framework/core/Geometry.h"
#include "framework/core/Message.h"
#include "framework/core/WindowPlacement.h"

#include <QPointer>
#include <QWidget>

#include <map>

class QTimer;

namespace fw {

class CFrameWnd;

inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// Key-state flags of mouse handlers.
inline constexpr unsigned MK_LBUTTON = 0x1;
inline constexpr unsigned MK_RBUTTON = 0x2;
inline constexpr unsigned MK_SHIFT = 0x4;
inline constexpr unsigned MK_CONTROL = 0x8;
inline constexpr unsigned MK_MBUTTON = 0x10;

class CWnd : public CCmdTarget, public IMessageTarget {
    FW_DECLARE_DYNAMIC(CWnd)
public:
    CWnd();
    // Destroys the widget when it is still there.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Takes `widget` as this window's widget (it is destroyed with this
    // object unless Qt's parent destroys it first) and gives it a handle.
    void Attach(QWidget* widget);
    // Forgets the widget without destroying it.
    QWidget* Detach();
    QWidget* Widget() const { return m_widget.data(); }
    HWND GetSafeHwnd() const { return m_hwnd; }
    static CWnd* FromWidget(const QWidget* widget);
    static CWnd* FromHandle(HWND hwnd);
    // Deletes this object when its widget is destroyed (frames, views and
    // mini frames made on the heap, as the original's PostNcDestroy did).
    void SetAutoDelete(bool on) { m_autoDelete = on; }
    virtual void DestroyWindow();

    // --- ids and children ----------------------------------------------------
    int GetDlgCtrlID() const { return m_id; }
    void SetDlgCtrlID(int id) { m_id = id; }
    // Registers `child` (not owned) under `id` in this window.
    void AddChild(int id, CWnd* child);
    void RemoveChild(int id);
    CWnd* GetDlgItem(int id) const;
    template <class T> T* GetDlgItemAs(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }
    const std::map<int, CWnd*>& Children() const { return m_children; }
    void SetDlgItemText(int id, const CString& text);
    CString GetDlgItemText(int id) const;
    CWnd* GetParent() const;
    // The nearest frame window above this one (not itself).
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;

    // --- appearance ------------------------------------------------------------
    virtual void SetWindowText(const CString& text);
    virtual CString GetWindowText() const;
    void EnableWindow(bool enable = true);
    bool IsWindowEnabled() const;
    void ShowWindow(int cmd);
    bool IsWindowVisible() const;
    void MoveWindow(const CRect& rect, bool repaint = true);
    CRect GetClientRect() const;
    CRect GetWindowRect() const;
    virtual void Invalidate(bool erase = true);
    virtual void InvalidateRect(const CRect* rect, bool erase = true);
    void UpdateWindow();
    void SetFocus();
    // The normal rectangle is in the parent's coordinates (an MDI child's
    // in the MDI area); minimised and maximised positions are not kept.
    virtual bool GetWindowPlacement(WINDOWPLACEMENT* wp) const;
    virtual bool SetWindowPlacement(const WINDOWPLACEMENT* wp);
    // Turns repainting off (LockWindowUpdate) or on again.
    void SetRedraw(bool redraw);

    // --- messages and timers ---------------------------------------------------
    intptr_t SendMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    bool PostMessage(uint32_t message, uintptr_t wParam = 0, intptr_t lParam = 0);
    unsigned SetTimer(unsigned id, unsigned ms);
    bool KillTimer(unsigned id);
    bool HasTimer(unsigned id) const { return m_timers.count(id) != 0; }

    intptr_t OnMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    // Runs a handler from a Qt event: exceptions are reported, never passed
    // into Qt.
    template <class F> void Guard(F&& f);

    // --- handlers ------------------------------------------------------------------
    virtual void OnTimer(unsigned id) {}
    // The window is asked to close; the default destroys it.
    virtual void OnClose() { DestroyWindow(); }
    virtual void OnSize(unsigned type, int cx, int cy) {}
    virtual void OnPaint() {}
    virtual void OnLButtonDown(unsigned flags, CPoint point) {}
    virtual void OnLButtonUp(unsigned flags, CPoint point) {}
    virtual void OnLButtonDblClk(unsigned flags, CPoint point) {}
    virtual void OnRButtonDown(unsigned flags, CPoint point) {}
    virtual void OnRButtonUp(unsigned flags, CPoint point) {}
    virtual void OnMouseMove(unsigned flags, CPoint point) {}
    virtual bool OnMouseWheel(unsigned flags, short delta, CPoint point) { return false; }
    virtual void OnKeyDown(unsigned vk, unsigned repeat, unsigned flags) {}
    virtual void OnKeyUp(unsigned vk, unsigned repeat, unsigned flags) {}
    virtual void OnChar(unsigned ch, unsigned repeat, unsigned flags) {}
    virtual void OnContextMenu(CWnd* wnd, CPoint point) {}
    virtual void OnSetFocus() {}
    virtual void OnKillFocus() {}

protected:
    // Called once the widget is gone (destroyed by Qt or by DestroyWindow).
    virtual void OnDestroyed() {}
    // For destructors of derived windows: destroys the widget while the
    // derived members still exist, without calling back into this object.
    void DestroyWidgetNow();

private:
    void WidgetDestroyed();

    QPointer<QWidget> m_widget;
    HWND m_hwnd = 0;
    int m_id = 0;
    bool m_autoDelete = false;
    bool m_inDestructor = false;
    std::map<int, CWnd*> m_children;
    std::map<unsigned, QTimer*> m_timers;
    QMetaObject::Connection m_destroyedConnection;
};

void ReportFromEventLoop(const std::exception& e);

template <class F> void CWnd::Guard(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        ReportFromEventLoop(e);
    }
}

} // namespace fw
