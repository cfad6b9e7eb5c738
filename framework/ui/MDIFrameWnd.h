#pragma once

// The MDI main window (a QMainWindow around a QMdiArea) and its child frames
// (sub-windows, each holding a QMainWindow so that a child has its own bars).
// Commands go to the active child first; the main window shows the active
// child's menu, or its own when no child is open. The window commands
// (new window, arrange, cascade, tile) and the list of open windows in the
// popup that holds them are the frame's; Ctrl+F4 closes the active child,
// Ctrl+Tab and Ctrl+Shift+Tab go to the next and the previous one.

#include "framework/ui/FrameWnd.h"

#include <QRect>

class QMdiArea;
class QMdiSubWindow;

namespace fw {

class CMDIChildWnd;

// The commands of the window list: the first child is this id, the next
// one more, up to nine.
inline constexpr unsigned AFX_IDM_FIRST_MDICHILD = 0xFF00;
inline constexpr unsigned kMdiWindowListMax = 9;

class CMDIFrameWnd : public CFrameWnd {
    FW_DECLARE_DYNAMIC(CMDIFrameWnd)
    FW_DECLARE_COMMANDS()
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;
    QMdiArea* MdiArea() const { return m_area; }
    CMDIChildWnd* MDIGetActive() const;
    void MDIActivate(CMDIChildWnd* child);
    void MDICascade();
    // Horizontal: one above the other; vertical: side by side.
    void MDITile(bool horizontal = true);
    // Lines the minimised children up along the bottom edge.
    void MDIIconArrange();
    void MDINext();
    void MDIPrev();
    // Children in the order they were made.
    std::vector<CMDIChildWnd*> Children() const;
    // The rectangle a new child takes (the area's coordinates).
    QRect NewChildRect() const;

    // Adds the window list to a popup that holds a window command.
    void OnInitMenuPopup(CMenu* popup, unsigned index, bool sysMenu) override;

    CMenu* GetActiveMenu() const override;
    CView* GetActiveView() const override;
    CFrameWnd* GetActiveFrame() override;
    bool OnCmdMsg(unsigned id, int code, CCmdUI* ui, CmdHandlerInfo* info = nullptr) override;
    void UpdateControlBars() override;
    void OnUpdateFrameTitle(bool addToTitle) override;

protected:
    QWidget* CreateFrameWidget() override;
    void OnDestroyed() override;

private:
    void OnChildActivated();
    void ReleaseChildren();
    void AddShortcuts(QWidget* window);
    void CloseActiveChild();
    void UpdateWindowList(CMenu* popup);

    void OnWindowNew();
    void OnUpdateWindowNew(CCmdUI* ui);
    void OnWindowArrange() { MDIIconArrange(); }
    void OnWindowCascade() { MDICascade(); }
    void OnWindowTileHorz() { MDITile(true); }
    void OnWindowTileVert() { MDITile(false); }
    void OnWindowActivate(unsigned id);
    void OnUpdateWindowActivate(CCmdUI* ui);

    QMdiArea* m_area = nullptr;
};

class CMDIChildWnd : public CFrameWnd {
    FW_DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    // Makes the sub-window inside `parent`, with the shared menu of the
    // document type (resource `menuId`, shown while the child is active).
    bool CreateChild(CMDIFrameWnd* parent, const CString& title, unsigned menuId);
    CMDIFrameWnd* GetMDIFrame() const { return m_mdiFrame; }
    QMdiSubWindow* SubWindow() const;
    void MDIActivate();
    // The first showing places a new child (NewChildRect), unless a
    // placement was set; a child opens maximised while the active one is.
    void ActivateFrame(int showCmd = -1) override;
    bool SetWindowPlacement(const WINDOWPLACEMENT* wp) override;
    void OnUpdateFrameTitle(bool addToTitle) override;
    // A child shows its menu in the main window's bar.
    void DrawMenuBar() override;

protected:
    QWidget* CreateFrameWidget() override;

private:
    friend class CMDIFrameWnd;
    CMDIFrameWnd* m_mdiFrame = nullptr;
    bool m_placed = false;
};

} // namespace fw
