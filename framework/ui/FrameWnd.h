#pragma once

// A frame window: a QMainWindow with a menu bar built from menu data, its
// control bars and its active view. Commands from its menus, bars and
// accelerators enter the route here: the active view (then its document and
// template), the frame itself, and for a top-level frame the application.

#include "framework/ui/Wnd.h"

#include <memory>
#include <vector>

class QMainWindow;

namespace fw {

class CControlBar;
class CDocument;
class CMenu;
class CStatusBar;
class CView;

class CFrameWnd : public CWnd {
    FW_DECLARE_DYNCREATE(CFrameWnd)
    FW_DECLARE_COMMANDS()
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Makes the window (hidden) with `title` and the menu of resource
    // `menuId` (0: none). A frame has no parent window of its own.
    virtual bool Create(const CString& title, unsigned menuId = 0);
    // The resource form: title from the string of `resourceId`'s first
    // field, menu `resourceId`.
    virtual bool LoadFrame(unsigned resourceId, CWnd* parent = nullptr);
    QMainWindow* MainWindow() const { return m_mainWindow; }

    // --- menu --------------------------------------------------------------
    // Takes ownership of `menu` and shows it as the menu bar.
    void SetMenu(std::unique_ptr<CMenu> menu);
    CMenu* GetMenu() const { return m_menu.get(); }
    // Shows the menu bar again after its items changed.
    virtual void DrawMenuBar();
    // The menu the frame shows while it is active (MDI: a child's menu).
    virtual CMenu* GetActiveMenu() const { return m_menu.get(); }
    bool m_bAutoMenuEnable = true;

    // Runs before a popup of this frame (or one it tracks) is shown; the
    // default runs the update pass over the popup's items.
    virtual void OnInitMenuPopup(CMenu* popup, unsigned index, bool sysMenu);
    virtual void OnInitMenu(CMenu* menu) {}

    // --- commands ------------------------------------------------------------
    bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info = nullptr) override;
    // A command from the interface: routed, exceptions reported, bars
    // updated afterwards.
    void ExecuteCommand(unsigned id);
    // Updates every control bar (and those of the active child).
    virtual void UpdateControlBars();

    // --- views and documents ---------------------------------------------------
    virtual CView* GetActiveView() const { return m_activeView; }
    void SetActiveView(CView* view);
    // Views made inside this frame; a frame that goes first tells them.
    void AttachView(CView* view);
    // Forgets a view that is going away, without notifying it.
    void ForgetView(CView* view);
    virtual CDocument* GetActiveDocument() const;
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // The view shown in the frame's centre (owned through its widget).
    void SetCentralView(CView* view);
    // Makes the frame's views for `document` when the template opens it;
    // the default makes one view of `viewClass` in the centre. Frames with
    // splitters or several views override it.
    virtual bool OnCreateClient(CDocument* document, const CRuntimeClass* viewClass);
    // A view of `viewClass` on `document` inside `parent` (the frame's
    // window when null); null when the class is no view.
    CView* CreateView(const CRuntimeClass* viewClass, CDocument* document, QWidget* parent = nullptr);
    // Initial update of the frame's views, then shown when asked.
    virtual void InitialUpdateFrame(CDocument* document, bool makeVisible);
    virtual void OnUpdateFrameTitle(bool addToTitle);
    virtual void ActivateFrame(int showCmd = -1);

    // --- bars --------------------------------------------------------------------
    void AddControlBar(CControlBar* bar);
    void RemoveControlBar(CControlBar* bar);
    const std::vector<CControlBar*>& ControlBars() const { return m_bars; }
    CControlBar* GetControlBar(unsigned id) const;
    // Pane 0 of the status bar; "" restores the idle text.
    void SetMessageText(const CString& text);
    void SetMessageText(unsigned id);
    CStatusBar* GetStatusBar() const;

    // Saves what the user wants saved and closes (top level: every
    // document; child: its document when this is its last frame).
    void OnClose() override;
    bool IsTopLevelFrame() const { return GetParentFrame() == nullptr; }
    // Hides the frame at once and destroys it when control is back in the
    // event loop, so that a frame may close itself from its own menu or
    // close event.
    void DestroyWindow() override;

protected:
    // Builds the Qt window; the MDI frames replace this.
    virtual QWidget* CreateFrameWidget();
    void SetMainWindow(QMainWindow* window) { m_mainWindow = window; }
    void OnDestroyed() override;

    CString m_strTitle;

private:
    void OnFileClose();
    void LeaveApplication();

    QMainWindow* m_mainWindow = nullptr;
    std::unique_ptr<CMenu> m_menu;
    CView* m_activeView = nullptr;
    std::vector<CView*> m_views;
    std::vector<CControlBar*> m_bars;
};

// The string of a command: "status text\ntool tip"; its first part.
CString CommandPromptText(unsigned id);

} // namespace fw
