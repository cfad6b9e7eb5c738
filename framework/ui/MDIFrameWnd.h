#pragma once

// The MDI main window (a QMainWindow around a QMdiArea) and its child frames
// (sub-windows, each holding a QMainWindow so that a child has its own bars).
// Commands go to the active child first; the main window shows the active
// child's menu, or its own when no child is open.

#include "framework/ui/FrameWnd.h"

class QMdiArea;
class QMdiSubWindow;

namespace fw {

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    FW_DECLARE_DYNAMIC(CMDIFrameWnd)
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;
    QMdiArea* MdiArea() const { return m_area; }
    CMDIChildWnd* MDIGetActive() const;
    void MDIActivate(CMDIChildWnd* child);
    void MDICascade();
    void MDITile();
    std::vector<CMDIChildWnd*> Children() const;

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
    void ActivateFrame(int showCmd = -1) override;
    void OnUpdateFrameTitle(bool addToTitle) override;
    // A child shows its menu in the main window's bar.
    void DrawMenuBar() override;

protected:
    QWidget* CreateFrameWidget() override;

private:
    friend class CMDIFrameWnd;
    CMDIFrameWnd* m_mdiFrame = nullptr;
};

} // namespace fw
