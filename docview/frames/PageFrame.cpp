#include "docview/frames/PageFrame.h"

#include "docbase/doc/KivDocBase.h"
#include "docview/frames/PageFrameBar.h"
#include "framework/core/Document.h"
#include "framework/core/Format.h"
#include "framework/ui/CmdUI.h"
#include "framework/ui/Controls.h"
#include "framework/ui/Menu.h"
#include "framework/ui/SplitterWnd.h"
#include "framework/ui/View.h"

#include <QAction>
#include <QMainWindow>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>

#include <algorithm>
#include <string>

FW_IMPLEMENT_DYNAMIC(CPageFrame, fw::CMDIChildWnd)

namespace {

// A view made inside a splitter row joins the row as a child of its own,
// so the row's empty placeholders would stay beside the views and take
// their room.
void DropPlaceholders(fw::CSplitterWnd& splitter)
{
    for (int row = 0; row < splitter.GetRowCount(); ++row) {
        QSplitter* line = splitter.RowSplitter(row);
        if (!line)
            continue;
        auto isPane = [&](const QWidget* w) {
            for (int col = 0; col < splitter.GetColumnCount(); ++col)
                if (fw::CWnd* pane = splitter.GetPane(row, col); pane && pane->Widget() == w)
                    return true;
            return false;
        };
        for (int i = line->count() - 1; i >= 0; --i)
            if (QWidget* w = line->widget(i); w && !isPane(w))
                delete w;
    }
}

// Frames of a document in the order of its views: the framework numbers
// the windows that way.
std::vector<fw::CFrameWnd*> FramesOf(fw::CDocument* document)
{
    std::vector<fw::CFrameWnd*> frames;
    for (fw::POSITION pos = document->GetFirstViewPosition(); pos;) {
        fw::CView* view = document->GetNextView(pos);
        fw::CFrameWnd* frame = view ? view->GetParentFrame() : nullptr;
        if (frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    }
    return frames;
}

} // namespace

FW_BEGIN_COMMANDS(CPageFrame, fw::CMDIChildWnd)
    FW_ON_EN_USERCHANGE(CPageFrameBar::kTitleEdit, &CPageFrame::OnTitleEditChange)
FW_END_COMMANDS

CPageFrame::CPageFrame(std::span<const PageGroup> groups, std::span<const PageInfo> pages)
    : m_groups(groups), m_pageTable(pages)
{
    ResetLastPages();
}

CPageFrame::~CPageFrame()
{
    // The pages go before the frame's window, which holds their widgets.
    m_pages.clear();
}

// ---- tables ------------------------------------------------------------------------------------

const PageGroup* CPageFrame::FindGroup(unsigned id) const
{
    for (const PageGroup& g : m_groups)
        if (g.id == id)
            return &g;
    return nullptr;
}

const PageInfo* CPageFrame::FindPage(unsigned id) const
{
    for (const PageInfo& p : m_pageTable)
        if (p.id == id)
            return &p;
    return nullptr;
}

unsigned CPageFrame::GroupOf(unsigned id) const
{
    const PageInfo* page = FindPage(id);
    return page ? page->group : 0;
}

fw::CString CPageFrame::PageCaption(unsigned id) const
{
    const PageInfo* page = FindPage(id);
    return page ? fw::CString(page->caption) : fw::CString();
}

std::vector<unsigned> CPageFrame::PagesOf(unsigned group) const
{
    std::vector<unsigned> ids;
    for (const PageInfo& p : m_pageTable)
        if (p.group == group)
            ids.push_back(p.id);
    return ids;
}

unsigned CPageFrame::GetLastPage(unsigned group) const
{
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (m_groups[i].id == group)
            return m_lastPages[i];
    return 0;
}

void CPageFrame::SetLastPage(unsigned group, unsigned id)
{
    for (size_t i = 0; i < m_groups.size(); ++i)
        if (m_groups[i].id == group)
            m_lastPages[i] = id;
}

void CPageFrame::ResetLastPages()
{
    m_lastPages.clear();
    for (const PageGroup& g : m_groups)
        m_lastPages.push_back(g.firstPage);
}

// ---- tool bar -----------------------------------------------------------------------------------

bool CPageFrame::CreatePageToolBar(unsigned barId)
{
    if (!m_toolBar.Create(this, barId))
        return false;
    if (QToolBar* bar = m_toolBar.Bar()) {
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        bar->setOrientation(Qt::Vertical);
        MainWindow()->addToolBar(Qt::LeftToolBarArea, bar);
    }
    return true;
}

void CPageFrame::SetPageButtons(const std::vector<unsigned>& ids)
{
    m_toolBar.SetButtons(ids.data(), static_cast<int>(ids.size()));
    for (int i = 0; i < m_toolBar.GetCount(); ++i) {
        const unsigned id = m_toolBar.GetItemID(i);
        if (id == 0)
            continue;
        const PageGroup* group = FindGroup(id);
        if (QAction* action = m_toolBar.ActionOf(id))
            action->setText(QString::fromUtf8(group ? group->text : ButtonText(id)));
        if (group || HasDropDown(id))
            m_toolBar.SetButtonStyle(i, fw::TBBS_DROPDOWN);
    }
}

void CPageFrame::OnToolbarDropDown(fw::CToolBar& bar, unsigned id, const fw::CRect& button)
{
    if (&bar != &m_toolBar)
        return;
    if (const PageGroup* group = FindGroup(id))
        TrackMenuUnder(group->menuId, button);
    else
        OnOtherDropDown(id, button);
}

void CPageFrame::TrackMenuUnder(unsigned menuId, const fw::CRect& button)
{
    fw::CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    fw::CMenu* popup = menu.GetSubMenu(0);
    fw::CWnd* owner = GetMDIFrame() ? static_cast<fw::CWnd*>(GetMDIFrame()) : this;
    if (popup)
        popup->TrackPopupMenu(fw::TPM_LEFTALIGN, button.left, button.bottom + 1, owner);
}

void CPageFrame::TrackPlaceholderUnder(unsigned placeholder, const fw::CRect& button)
{
    fw::CMenu popup;
    popup.CreatePopupMenu();
    popup.AppendMenu(fw::MF_STRING, placeholder, "");
    fw::CWnd* owner = GetMDIFrame() ? static_cast<fw::CWnd*>(GetMDIFrame()) : this;
    popup.TrackPopupMenu(fw::TPM_LEFTALIGN, button.left, button.bottom + 1, owner);
}

// ---- pages ------------------------------------------------------------------------------------------

void CPageFrame::CreatePageStack()
{
    m_pStack = new QStackedWidget;
    MainWindow()->setCentralWidget(m_pStack);
}

bool CPageFrame::StartPage(fw::CSplitterWnd& splitter, int rows, int cols)
{
    if (!m_pStack || !splitter.CreateStatic(nullptr, rows, cols, fw::AFX_IDW_PANE_FIRST + 1))
        return false;
    m_pStack->addWidget(splitter.Widget());
    return true;
}

void CPageFrame::FinishPage(unsigned id, std::unique_ptr<fw::CSplitterWnd> splitter)
{
    for (int row = 0; row < splitter->GetRowCount(); ++row)
        for (int col = 0; col < splitter->GetColumnCount(); ++col)
            if (auto* view = dynamic_cast<fw::CView*>(splitter->GetPane(row, col)))
                AttachView(view);
    DropPlaceholders(*splitter);
    if (splitter->GetRowCount() * splitter->GetColumnCount() > 1)
        splitter->RecalcLayout();
    m_pages.push_back({id, std::move(splitter)});
}

bool CPageFrame::AddViewPage(unsigned id, const fw::CRuntimeClass* splitterClass, const fw::CRuntimeClass* viewClass,
                             fw::CDocument* document)
{
    std::unique_ptr<fw::CSplitterWnd> splitter(dynamic_cast<fw::CSplitterWnd*>(splitterClass->CreateObject()));
    if (!splitter)
        return false;
    return AddPage(id, std::move(splitter), 1, 1, [&](fw::CSplitterWnd& s) {
        return s.CreateView(0, 0, viewClass, fw::CSize(), document);
    });
}

fw::CSplitterWnd* CPageFrame::PageSplitter(unsigned id) const
{
    for (const Page& p : m_pages)
        if (p.id == id)
            return p.splitter.get();
    return nullptr;
}

fw::CView* CPageFrame::PageView(unsigned id) const
{
    fw::CSplitterWnd* page = PageSplitter(id);
    fw::CWnd* pane = page ? page->GetPane(0, 0) : nullptr;
    if (auto* inner = dynamic_cast<fw::CSplitterWnd*>(pane))
        pane = inner->GetPane(0, 0);
    return dynamic_cast<fw::CView*>(pane);
}

void CPageFrame::ShowPage(unsigned id)
{
    fw::CSplitterWnd* page = PageSplitter(id);
    if (!page || !m_pStack)
        return;
    if (fw::CSplitterWnd* old = PageSplitter(m_nShown); old && old != page) {
        old->SetDlgCtrlID(fw::AFX_IDW_PANE_FIRST + 1);
        OnLeavingPage(m_nShown);
    }
    page->SetDlgCtrlID(fw::AFX_IDW_PANE_FIRST);
    m_pStack->setCurrentWidget(page->Widget());
    m_nShown = id;
    page->Invalidate(true);
    if (fw::CView* view = PageView(id))
        SetActiveView(view);
}

void CPageFrame::OnPageCommand(unsigned id)
{
    const unsigned group = GroupOf(id);
    if (!group)
        return;
    m_nGroup = group;
    SetLastPage(group, id);
    ShowPage(id);
    SetFrameViewTitle(id);
    OnPageShown(id);
}

void CPageFrame::OnPageGroup(unsigned group)
{
    if (FindGroup(group))
        OnPageCommand(GetLastPage(group));
}

// ---- commands ------------------------------------------------------------------------------------------

bool CPageFrame::OnCmdMsg(unsigned id, int code, fw::CCmdUI* ui, fw::CmdHandlerInfo* info)
{
    if (fw::CMDIChildWnd::OnCmdMsg(id, code, ui, info))
        return true;
    const bool group = FindGroup(id) != nullptr;
    if (!group && !FindPage(id))
        return false;
    if (code != fw::CN_COMMAND && code != fw::CN_UPDATE_COMMAND_UI)
        return false;
    if (info) {
        info->target = this;
        return true;
    }
    if (code == fw::CN_UPDATE_COMMAND_UI) {
        if (!ui)
            return false;
        group ? UpdateGroup(ui) : UpdatePage(ui);
        return true;
    }
    group ? OnPageGroup(id) : OnPageCommand(id);
    return true;
}

void CPageFrame::UpdateGroup(fw::CCmdUI* ui)
{
    const bool enable = IsGroupEnabled(ui->m_nID);
    ui->Enable(enable);
    ui->SetCheck(enable && m_nGroup == ui->m_nID ? 1 : 0);
}

void CPageFrame::UpdatePage(fw::CCmdUI* ui)
{
    const unsigned id = ui->m_nID;
    const unsigned group = GroupOf(id);
    const bool enable = IsPageEnabled(id);
    ui->Enable(enable);
    ui->SetCheck(enable && m_nGroup == group && GetLastPage(group) == id ? 1 : 0);
}

// ---- title -------------------------------------------------------------------------------------------------

int CPageFrame::WindowNumber() const
{
    fw::CDocument* document = GetActiveDocument();
    if (!document)
        return 0;
    const std::vector<fw::CFrameWnd*> frames = FramesOf(document);
    if (frames.size() < 2)
        return 0;
    const auto it = std::find(frames.begin(), frames.end(), this);
    return it == frames.end() ? 0 : static_cast<int>(it - frames.begin()) + 1;
}

void CPageFrame::SetFrameViewTitle(unsigned id)
{
    fw::CDocument* doc = GetActiveDocument();
    std::string base = doc ? doc->GetTitle().str() : GetWindowText().str();
    if (base.empty())
        return;
    if (!doc) {
        if (const size_t cut = base.find(" - ("); cut != std::string::npos)
            base.resize(cut);
    }
    if (const int number = WindowNumber(); number > 0)
        base += ":" + std::to_string(number);
    const fw::CString title = fw::Format("%s - (%s)", base.c_str(), PageCaption(id).c_str());
    if (title != GetWindowText())
        SetWindowText(title);
}

void CPageFrame::OnUpdateFrameTitle(bool addToTitle)
{
    // The framework titles every window of the document; each page window
    // then names its page again.
    fw::CMDIChildWnd::OnUpdateFrameTitle(addToTitle);
    if (!addToTitle)
        return;
    fw::CDocument* document = GetActiveDocument();
    if (!document)
        return;
    for (fw::CFrameWnd* frame : FramesOf(document))
        if (auto* pages = dynamic_cast<CPageFrame*>(frame); pages && pages->m_nGroup)
            pages->SetFrameViewTitle(pages->GetLastPage(pages->m_nGroup));
}

// ---- frame bar -------------------------------------------------------------------------------------------

CKivDocBase* CPageFrame::TitledDoc() const { return dynamic_cast<CKivDocBase*>(GetActiveDocument()); }

void CPageFrame::SyncTitleEdit()
{
    CKivDocBase* doc = TitledDoc();
    fw::CEdit* edit = PageBar().TitleEdit();
    if (!doc || !edit || (edit->Widget() && edit->Widget()->hasFocus()))
        return;
    m_bInTitleChange = true;
    edit->SetWindowText(doc->GetTestTitle());
    m_bInTitleChange = false;
}

void CPageFrame::OnTitleEditChange()
{
    CKivDocBase* doc = TitledDoc();
    fw::CEdit* edit = PageBar().TitleEdit();
    if (!doc || !edit || m_bInTitleChange)
        return;
    m_bInTitleChange = true;
    const fw::CString typed = edit->GetWindowText();
    doc->SetTestTitle(typed);
    if (doc->GetTestTitle() != typed) {
        int start = 0;
        int end = 0;
        edit->GetSel(start, end);
        edit->SetWindowText(doc->GetTestTitle());
        edit->SetSel(start, end);
    }
    m_bInTitleChange = false;
}

void CPageFrame::SetBarReadOnly(bool on) { PageBar().SetEditReadOnly(on); }

void CPageFrame::JoinBarTexts(std::span<const int> ids, char separator, bool enabledOnly, fw::CString& text) const
{
    const CPageFrameBar& bar = PageBar();
    bool first = true;
    for (int id : ids) {
        fw::CWnd* item = bar.GetDlgItem(id);
        if (!item || (enabledOnly && !item->IsWindowEnabled()))
            continue;
        if (!first)
            text += fw::CString(std::string(1, separator));
        text += bar.GetDlgItemText(id);
        first = false;
    }
}
