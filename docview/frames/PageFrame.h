#pragma once

// The window of a document shown as pages: every page is made at once, in
// its own splitter, and one is shown at a time. A vertical tool bar at the
// left edge holds one button per group of pages; a group remembers its
// last page, its button shows that page and its arrow drops the menu of the
// group's pages under the button. The frame's title names the page shown,
// after the document's title and the window number. Above the pages a
// frame bar holds the document's test title.

#include "framework/core/CString.h"
#include "framework/ui/MDIFrameWnd.h"
#include "framework/ui/ToolBar.h"

#include <memory>
#include <span>
#include <vector>

class CKivDocBase;
class CPageFrameBar;
class QStackedWidget;

namespace fw {
class CSplitterWnd;
}

// A group button: its command, the menu resource of its pages and the
// page it starts on.
struct PageGroup {
    unsigned id;
    unsigned menuId;
    unsigned firstPage;
    const char* text;
};

// A page: its command, its group and the caption the title shows.
struct PageInfo {
    unsigned id;
    unsigned group;
    const char* caption;
};

class CPageFrame : public fw::CMDIChildWnd, public fw::IToolBarDropDown {
    FW_DECLARE_DYNAMIC(CPageFrame)
    FW_DECLARE_COMMANDS()
public:
    CPageFrame(std::span<const PageGroup> groups, std::span<const PageInfo> pages);
    ~CPageFrame() override;

    // The group and page commands (and their update pass) are answered
    // from the tables after the views, the frame and its map had their
    // turn.
    bool OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info = nullptr) override;
    void OnToolbarDropDown(fw::CToolBar& bar, unsigned id, const fw::CRect& button) override;
    void OnUpdateFrameTitle(bool addToTitle) override;

    // Page switching: the page's group becomes current and remembers it.
    void OnPageCommand(unsigned id);
    void OnPageGroup(unsigned group);
    unsigned GetCurrentGroup() const { return m_nGroup; }
    unsigned GetLastPage(unsigned group) const;
    unsigned GetShownPageId() const { return m_nShown; }
    fw::CSplitterWnd* PageSplitter(unsigned id) const;
    // Pane (0, 0) of a page, or of the splitter standing there.
    fw::CView* PageView(unsigned id) const;
    fw::CSplitterWnd* VisiblePage() const { return PageSplitter(m_nShown); }
    fw::CToolBar& PageToolBar() { return m_toolBar; }
    unsigned GroupOf(unsigned id) const;
    fw::CString PageCaption(unsigned id) const;
    // The page commands of a group, in the order of the table.
    std::vector<unsigned> PagesOf(unsigned group) const;
    // The number the framework gives this window among its document's
    // windows; 0 while it is the only one.
    int WindowNumber() const;

    // The test title of the frame bar follows the document's unless the
    // user is typing in it.
    void SyncTitleEdit();
    void SetBarReadOnly(bool on);
    // The texts of the bar's items `ids` that exist (and, with
    // `enabledOnly`, are enabled), joined by `separator`.
    void JoinBarTexts(std::span<const int> ids, char separator, bool enabledOnly, fw::CString& text) const;

protected:
    // The page tool bar along the left edge, with the id `barId`.
    bool CreatePageToolBar(unsigned barId);
    // The buttons; a group's button drops its menu, other buttons do when
    // `HasDropDown` says so.
    void SetPageButtons(const std::vector<unsigned>& ids);
    // The stack that holds the pages, as the frame's centre.
    void CreatePageStack();
    // A page of one view in a new splitter of `splitterClass`.
    bool AddViewPage(unsigned id, const fw::CRuntimeClass* splitterClass, const fw::CRuntimeClass* viewClass,
                     fw::CDocument* document);
    // A page whose splitter `fill` makes its views in; the splitter stands
    // in the frame before, so that its views know their frame.
    template <class Fill>
    bool AddPage(unsigned id, std::unique_ptr<fw::CSplitterWnd> splitter, int rows, int cols, Fill&& fill)
    {
        if (!StartPage(*splitter, rows, cols) || !fill(*splitter))
            return false;
        FinishPage(id, std::move(splitter));
        return true;
    }
    bool HasPages() const { return !m_pages.empty(); }
    // Every group back on its first page.
    void ResetLastPages();
    void SetLastPage(unsigned group, unsigned id);
    // Retitles the frame for a page: document title, ":n" for a second
    // window, " - (", the page's caption, ")".
    void SetFrameViewTitle(unsigned id);
    // Tracks menu resource `menuId`'s first popup under `button`, owned
    // by the main window, whose popup pass fills and trims it.
    void TrackMenuUnder(unsigned menuId, const fw::CRect& button);
    // Tracks a popup of the one placeholder item `placeholder` that the
    // main window's popup pass replaces.
    void TrackPlaceholderUnder(unsigned placeholder, const fw::CRect& button);

    // The frame bar of the derived frame.
    virtual CPageFrameBar& PageBar() = 0;
    const CPageFrameBar& PageBar() const { return const_cast<CPageFrame*>(this)->PageBar(); }
    // Whether a page or group can be chosen now.
    virtual bool IsPageEnabled(unsigned id) { return true; }
    virtual bool IsGroupEnabled(unsigned group) { return true; }
    // A button that is no group but has an arrow, and what its arrow drops.
    virtual bool HasDropDown(unsigned id) const { return false; }
    virtual void OnOtherDropDown(unsigned id, const fw::CRect& button) {}
    // Around a page switch: before the shown page gives way to another, and
    // after the new one is shown and titled.
    virtual void OnLeavingPage(unsigned id) {}
    virtual void OnPageShown(unsigned id) {}
    virtual const char* ButtonText(unsigned id) const { return ""; }

private:
    struct Page {
        unsigned id;
        std::unique_ptr<fw::CSplitterWnd> splitter;
    };
    const PageGroup* FindGroup(unsigned id) const;
    const PageInfo* FindPage(unsigned id) const;
    bool StartPage(fw::CSplitterWnd& splitter, int rows, int cols);
    void FinishPage(unsigned id, std::unique_ptr<fw::CSplitterWnd> splitter);
    void ShowPage(unsigned id);
    void UpdateGroup(fw::CCmdUI* ui);
    void UpdatePage(fw::CCmdUI* ui);
    void OnTitleEditChange();
    CKivDocBase* TitledDoc() const;

    std::span<const PageGroup> m_groups;
    std::span<const PageInfo> m_pageTable;
    std::vector<unsigned> m_lastPages;
    fw::CToolBar m_toolBar;
    QStackedWidget* m_pStack = nullptr;
    std::vector<Page> m_pages;
    unsigned m_nGroup = 0;
    unsigned m_nShown = 0;
    bool m_bInTitleChange = false;
};
