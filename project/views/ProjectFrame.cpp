#include "project/views/ProjectFrame.h"

#include "docview/controls/ZELEdit.h"
#include "framework/core/CmdTarget.h"
#include "framework/core/Document.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DialogBuilder.h"
#include "grid/views/SpredView.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/PrjAmpOutView.h"
#include "project/views/PrjChDataView.h"
#include "project/views/PrjChView.h"
#include "project/views/PrjCycleTrgView.h"
#include "project/views/PrjDataCompView.h"
#include "project/views/Prj465View.h"
#include "project/views/PrjDataTrgView.h"
#include "project/views/pages/PrjCheckView.h"
#include "project/views/pages/ProjectPages.h"

#include <QMainWindow>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>

#include <cstdio>

FW_IMPLEMENT_DYNAMIC(CProjectFrameBar, fw::CDialogBar)
FW_IMPLEMENT_DYNCREATE(CProjectFrame, fw::CMDIChildWnd)

using namespace prjcmd;

namespace {

constexpr int kLabelTime = 1239;
constexpr int kTimeValue = 1002;
constexpr int kTimeUnit = 1003;
constexpr int kLabelClock = 1240;
constexpr int kClockValue = 1004;
constexpr int kLabelMs = 1241;
constexpr int kTitleLimit = 256;
// "編集(&E)": undo, cut, copy, paste, clear, select all.
constexpr uint16_t kTitleEditMenu = 335;
constexpr int kDigitalUnit = 7;

struct PageEntry {
    unsigned id;
    unsigned group;
    const char* caption;
};

// The pages in creation order, with their group and caption.
constexpr PageEntry kPages[] = {
    {kPageInput, kGroupChannel, "入力CH"},
    {kPageOutput, kGroupChannel, "出力CH"},
    {kPageCalc, kGroupChannel, "拡張CH"},
    {kPageFreqNo, kGroupChannel, "頻度NO"},
    {kPageDataTrigger, kGroupSetting, "データトリガ計測"},
    {kPageInterval, kGroupSetting, "インターバル計測"},
    {kPageComparator, kGroupSetting, "データコンパレータ計測"},
    {kPageCycle, kGroupSetting, "サイクルトリガ計測"},
    {kPageProgram, kGroupSetting, "プログラム計測"},
    {kPageDataList, kGroupData, "データリスト"},
    {kPageGraphList, kGroupData, "グラフリスト"},
    {kPageHistory, kGroupHistory, "計測履歴"},
    {kPageStatistics, kGroupHistory, "最大最小平均値"},
    {kPageFreqHistory, kGroupHistory, "頻度履歴"},
    {kPageCheck, kGroupHistory, "チェック結果"},
    {kPageCanSettings, kGroupCan, "基本設定"},
    {kPageCanData, kGroupCan, "CANデータ"},
    {kPageVoice, kGroupHistory, "音声履歴"},
    {kPageDigitalIO, kGroupChannel, "デジタル入出力"},
};

const PageEntry* FindPage(unsigned id)
{
    for (const PageEntry& p : kPages)
        if (p.id == id)
            return &p;
    return nullptr;
}

// The texts of the page tool bar's buttons.
const char* ButtonText(unsigned id)
{
    switch (id) {
    case kMeterSetup: return "測定器設定...";
    case kAdSetup: return "A/D設定...";
    case kGroupChannel: return "チャンネル設定";
    case kGroupCan: return "CAN･音声･GPS";
    case kGroupSetting: return "自動計測設定";
    case kGroupData: return "計測データ";
    case kGroupHistory: return "履歴";
    default: return "";
    }
}

fw::CString Number(double value, bool plain)
{
    char buf[64];
    if (plain)
        std::snprintf(buf, sizeof buf, "%g", value);
    else
        std::snprintf(buf, sizeof buf, "%.*g", 15, value);
    return fw::CString(buf);
}

fw::CString TimeUnitCaption(unsigned id)
{
    switch (id) {
    case 154: return "ミリ秒間";
    case 155: return "秒間";
    case 156: return "分間";
    case 157: return "時間";
    case 837: return "サンプル";
    default: return "";
    }
}

// A view made inside a splitter row joins the row as a child of its own,
// so the row's empty placeholders would stay beside the views and take
// their room.
void DropPlaceholders(fw::CSplitterWnd& splitter)
{
    QSplitter* row = splitter.RowSplitter(0);
    if (!row)
        return;
    auto isView = [&](const QWidget* w) {
        for (int col = 0; col < splitter.GetColumnCount(); ++col)
            if (fw::CWnd* pane = splitter.GetPane(0, col); pane && pane->Widget() == w)
                return true;
        return false;
    };
    for (int i = row->count() - 1; i >= 0; --i)
        if (QWidget* w = row->widget(i); w && !isView(w))
            delete w;
}

// The self-check results: the list of records beside the record page it
// chooses, in a splitter of one row and two columns that already stands
// in the frame.
bool CreateCheckPage(fw::CSplitterWnd& splitter, fw::CDocument* document)
{
    if (!splitter.CreateView(0, 0, FW_RUNTIME_CLASS(CPrjCheckHistoryView), fw::CSize(150, 200), document) ||
        !splitter.CreateView(0, 1, FW_RUNTIME_CLASS(CPrjCheckView), fw::CSize(200, 200), document))
        return false;
    auto* list = dynamic_cast<CPrjCheckHistoryView*>(splitter.GetPane(0, 0));
    auto* record = dynamic_cast<CPrjCheckView*>(splitter.GetPane(0, 1));
    if (!list || !record)
        return false;
    list->SetRecordPage(record);
    return true;
}

} // namespace

// ---- frame bar -----------------------------------------------------------------------------------

bool CProjectFrameBar::Create(fw::CFrameWnd* frame)
{
    const bool ok = fw::CDialogBar::Create(
        frame,
        [](fw::DialogBuilder& b) {
            // The program's own edit class, with the edit menu as its
            // context menu; the pages' edit commands look for it.
            auto& title = static_cast<CZELEdit&>(b.Custom(kTitleEdit, std::make_unique<CZELEdit>()));
            title.m_nMenuId = kTitleEditMenu;
            title.LimitText(kTitleLimit);
            b.Row();
            b.Static(kLabelTime, "");
            b.Static(kTimeValue, "");
            b.Static(kTimeUnit, "");
            b.Static(kLabelClock, "");
            b.Static(kClockValue, "");
            b.Static(kLabelMs, "");
        },
        kFrameBarId);
    return ok;
}

fw::CEdit* CProjectFrameBar::TitleEdit() const { return GetDlgItemAs<fw::CEdit>(kTitleEdit); }

void CProjectFrameBar::SetEditReadOnly(bool on)
{
    if (fw::CEdit* edit = TitleEdit())
        edit->SetReadOnly(on);
}

// ---- frame ---------------------------------------------------------------------------------------

FW_BEGIN_COMMANDS(CProjectFrame, fw::CMDIChildWnd)
    FW_ON_COMMAND_RANGE(kGroupChannel, kGroupHistory, &CProjectFrame::OnPageGroup)
    FW_ON_COMMAND_RANGE(kGroupCan, kGroupCan, &CProjectFrame::OnPageGroup)
    FW_ON_UPDATE_RANGE(kGroupChannel, kGroupHistory, &CProjectFrame::OnUpdatePageGroup)
    FW_ON_UPDATE_RANGE(kGroupCan, kGroupCan, &CProjectFrame::OnUpdatePageGroup)
    FW_ON_COMMAND_RANGE(kPageInput, kPageGraphList, &CProjectFrame::OnPageCommand)
    FW_ON_COMMAND_RANGE(kPageHistory, kPageCheck, &CProjectFrame::OnPageCommand)
    FW_ON_COMMAND_RANGE(kPageCanSettings, kPageCanData, &CProjectFrame::OnPageCommand)
    FW_ON_COMMAND_RANGE(kPageVoice, kPageVoice, &CProjectFrame::OnPageCommand)
    FW_ON_COMMAND_RANGE(kPageDigitalIO, kPageDigitalIO, &CProjectFrame::OnPageCommand)
    FW_ON_UPDATE_RANGE(kPageInput, kPageGraphList, &CProjectFrame::OnUpdatePage)
    FW_ON_UPDATE_RANGE(kPageHistory, kPageCheck, &CProjectFrame::OnUpdatePage)
    FW_ON_UPDATE_RANGE(kPageCanSettings, kPageCanData, &CProjectFrame::OnUpdatePage)
    FW_ON_UPDATE_RANGE(kPageVoice, kPageVoice, &CProjectFrame::OnUpdatePage)
    FW_ON_UPDATE_RANGE(kPageDigitalIO, kPageDigitalIO, &CProjectFrame::OnUpdatePage)
    FW_ON_EN_USERCHANGE(CProjectFrameBar::kTitleEdit, &CProjectFrame::OnTitleEditChange)
    FW_ON_COMMAND(kEditLock, &CProjectFrame::OnEditLock)
    FW_ON_UPDATE(kEditLock, &CProjectFrame::OnUpdateEditLock)
FW_END_COMMANDS

CProjectFrame::CProjectFrame() = default;

CProjectFrame::~CProjectFrame()
{
    // The pages go before the frame's window, which holds their widgets.
    m_pages.clear();
}

bool CProjectFrame::Create(const fw::CString& title, unsigned menuId)
{
    if (!fw::CMDIChildWnd::Create(title, menuId))
        return false;
    if (!m_toolBar.Create(this, kPageToolBarId))
        return false;
    if (QToolBar* bar = m_toolBar.Bar()) {
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        bar->setOrientation(Qt::Vertical);
        MainWindow()->addToolBar(Qt::LeftToolBarArea, bar);
    }
    SetupPageToolbar(false);
    if (!m_bar.Create(this))
        return false;
    return true;
}

void CProjectFrame::SetupPageToolbar(bool withCan)
{
    std::vector<unsigned> ids = {kMeterSetup, kAdSetup, kGroupChannel};
    if (withCan)
        ids.push_back(kGroupCan);
    ids.insert(ids.end(), {kGroupSetting, 0, kGroupData, kGroupHistory});
    m_toolBar.SetButtons(ids.data(), static_cast<int>(ids.size()));
    for (int i = 0; i < m_toolBar.GetCount(); ++i) {
        const unsigned id = m_toolBar.GetItemID(i);
        if (id == 0)
            continue;
        if (QAction* action = m_toolBar.ActionOf(id))
            action->setText(QString::fromUtf8(ButtonText(id)));
        if (id != kMeterSetup && id != kAdSetup)
            m_toolBar.SetButtonStyle(i, fw::TBBS_DROPDOWN);
    }
}

bool CProjectFrame::OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass)
{
    m_pStack = new QStackedWidget;
    MainWindow()->setCentralWidget(m_pStack);
    auto host = std::make_unique<fw::CWnd>();
    for (const PageEntry& entry : kPages) {
        const fw::CRuntimeClass* pageClass = nullptr;
        if (entry.id == kPageInput)
            pageClass = viewClass ? viewClass : FW_RUNTIME_CLASS(CPrjChView);
        else if (entry.id == kPageOutput)
            pageClass = FW_RUNTIME_CLASS(CPrjAmpOutView);
        else if (entry.id == kPageDataTrigger)
            pageClass = FW_RUNTIME_CLASS(CPrjDataTrgView);
        else if (entry.id == kPageDigitalIO)
            pageClass = FW_RUNTIME_CLASS(CPrj465View);
        else if (entry.id == kPageCycle)
            pageClass = FW_RUNTIME_CLASS(CPrjCycleTrgView);
        else if (entry.id == kPageComparator)
            pageClass = FW_RUNTIME_CLASS(CPrjDataCompView);
        else if (entry.id == kPageDataList)
            pageClass = FW_RUNTIME_CLASS(CPrjChDataView);
        else
            pageClass = ProjectPageClass(entry.id);
        if (!pageClass)
            continue;
        std::unique_ptr<fw::CSplitterWnd> splitter;
        if (entry.id == kPageCheck) {
            // The splitter joins the frame before its views are made, so
            // that they know their frame.
            splitter = std::make_unique<fw::CSplitterWnd>();
            if (!splitter->CreateStatic(nullptr, 1, 2, fw::AFX_IDW_PANE_FIRST + 1))
                return false;
            m_pStack->addWidget(splitter->Widget());
            if (!CreateCheckPage(*splitter, document))
                return false;
        } else {
            splitter = std::make_unique<CZELGridSplitter>();
            if (!splitter->CreateStatic(nullptr, 1, 1, fw::AFX_IDW_PANE_FIRST + 1))
                return false;
            m_pStack->addWidget(splitter->Widget());
            if (!splitter->CreateView(0, 0, pageClass, fw::CSize(), document))
                return false;
        }
        for (int col = 0; col < splitter->GetColumnCount(); ++col)
            if (auto* view = dynamic_cast<fw::CView*>(splitter->GetPane(0, col)))
                AttachView(view);
        DropPlaceholders(*splitter);
        if (entry.id == kPageCheck)
            splitter->RecalcLayout();
        m_pages.push_back({entry.id, std::move(splitter)});
    }
    return !m_pages.empty();
}

void CProjectFrame::InitialUpdateFrame(fw::CDocument* document, bool makeVisible)
{
    m_nLastChannel = kPageInput;
    m_nLastSetting = kPageDataTrigger;
    m_nLastData = kPageDataList;
    m_nLastHistory = kPageHistory;
    m_nLastCan = kPageCanSettings;
    if (CZELGridSplitter* first = PageWindow(kPageInput))
        SetActiveView(dynamic_cast<fw::CView*>(first->GetPane(0, 0)));
    fw::CMDIChildWnd::InitialUpdateFrame(document, makeVisible);
    OnPageCommand(kPageInput);
    ActivateFrame(-1);
}

CKIV5980Doc* CProjectFrame::ProjectDoc() const { return dynamic_cast<CKIV5980Doc*>(GetActiveDocument()); }

CZELGridSplitter* CProjectFrame::PageWindow(unsigned id) const
{
    return dynamic_cast<CZELGridSplitter*>(PageSplitter(id));
}

fw::CSplitterWnd* CProjectFrame::PageSplitter(unsigned id) const
{
    for (const Page& p : m_pages)
        if (p.id == id)
            return p.splitter.get();
    return nullptr;
}

unsigned CProjectFrame::GroupOf(unsigned id)
{
    const PageEntry* entry = FindPage(id);
    return entry ? entry->group : 0;
}

fw::CString CProjectFrame::PageCaption(unsigned id)
{
    const PageEntry* entry = FindPage(id);
    return entry ? fw::CString(entry->caption) : fw::CString();
}

unsigned CProjectFrame::GetLastPage(unsigned group) const
{
    switch (group) {
    case kGroupChannel: return m_nLastChannel;
    case kGroupSetting: return m_nLastSetting;
    case kGroupData: return m_nLastData;
    case kGroupHistory: return m_nLastHistory;
    case kGroupCan: return m_nLastCan;
    default: return 0;
    }
}

void CProjectFrame::ShowPage(fw::CSplitterWnd* page)
{
    if (!page || !m_pStack)
        return;
    if (m_pVisible && m_pVisible != page)
        m_pVisible->SetDlgCtrlID(fw::AFX_IDW_PANE_FIRST + 1);
    page->SetDlgCtrlID(fw::AFX_IDW_PANE_FIRST);
    m_pStack->setCurrentWidget(page->Widget());
    m_pVisible = page;
    page->Invalidate(true);
    if (auto* view = dynamic_cast<fw::CView*>(page->GetPane(0, 0)))
        SetActiveView(view);
}

void CProjectFrame::OnPageCommand(unsigned id)
{
    const unsigned group = GroupOf(id);
    if (!group)
        return;
    m_nGroup = group;
    switch (group) {
    case kGroupChannel: m_nLastChannel = id; break;
    case kGroupSetting: m_nLastSetting = id; break;
    case kGroupData: m_nLastData = id; break;
    case kGroupHistory: m_nLastHistory = id; break;
    case kGroupCan: m_nLastCan = id; break;
    default: break;
    }
    ShowPage(PageSplitter(id));
    RetitleForPage(id);
}

void CProjectFrame::OnPageGroup(unsigned group) { OnPageCommand(GetLastPage(group)); }

void CProjectFrame::RetitleForPage(unsigned id)
{
    fw::CDocument* doc = GetActiveDocument();
    if (!doc)
        return;
    fw::CString title = doc->GetTitle();
    title += " - (";
    title += PageCaption(id);
    title += ")";
    SetWindowText(title);
}

void CProjectFrame::OnUpdateFrameTitle(bool addToTitle)
{
    fw::CMDIChildWnd::OnUpdateFrameTitle(addToTitle);
    if (addToTitle && m_nGroup && m_nGroup != kGroupCan)
        RetitleForPage(GetLastPage(m_nGroup));
}

void CProjectFrame::OnUpdatePageGroup(fw::CCmdUI* ui)
{
    const unsigned id = ui->m_nID;
    const bool can = id != kGroupCan || m_bCan;
    ui->Enable(can);
    ui->SetCheck(can && m_nGroup == id ? 1 : 0);
}

void CProjectFrame::OnUpdatePage(fw::CCmdUI* ui)
{
    const unsigned id = ui->m_nID;
    const unsigned group = GroupOf(id);
    bool enable = true;
    if (id == kPageOutput)
        enable = m_bOutput;
    else if (id == kPageDigitalIO)
        enable = m_bDigital;
    else if (id == kPageCheck)
        enable = false;
    else if (group == kGroupCan)
        enable = m_bCan;
    ui->Enable(enable);
    ui->SetCheck(enable && m_nGroup == group && GetLastPage(group) == id ? 1 : 0);
}

void CProjectFrame::RefreshPageFlags()
{
    CKIV5980Doc* doc = ProjectDoc();
    if (!doc)
        return;
    const CMeterInterfacePrf& profile = doc->GetBoxArray().GetProfile();
    bool output = false;
    bool digital = false;
    for (int i = 0; i < profile.GetCount(); ++i) {
        output = output || profile.m_unitTypes[static_cast<size_t>(i)].CountOutputUnits() > 0;
        digital = digital || profile.m_unitTypes[static_cast<size_t>(i)].CountOf(kDigitalUnit) > 0;
    }
    m_bOutput = output;
    if (!m_bOutput && m_nLastChannel == kPageOutput) {
        m_nLastChannel = kPageInput;
        if (m_nGroup == kGroupChannel)
            OnPageCommand(kPageInput);
    }
    const bool can = profile.HasCanUnit();
    if (can != m_bCan)
        SetupPageToolbar(can);
    m_bCan = can;
    if (!m_bCan && m_nGroup == kGroupCan)
        OnPageCommand(m_nLastChannel);
    m_bDigital = digital;
    if (!m_bDigital && m_nLastChannel == kPageDigitalIO) {
        m_nLastChannel = kPageInput;
        if (m_nGroup == kGroupChannel)
            OnPageCommand(kPageInput);
    }
}

void CProjectFrame::UpdateFrameBar()
{
    CKIV5980Doc* doc = ProjectDoc();
    if (!doc)
        return;
    const CADSetPrf& ad = doc->GetBoxArray().GetADSet();
    auto set = [this](int id, const fw::CString& text) {
        if (m_bar.GetDlgItem(id))
            m_bar.SetDlgItemText(id, text);
    };
    if (!ad.UsesExternalClock()) {
        set(kLabelTime, "計測時間");
        set(kLabelClock, "サンプルクロック");
        set(kLabelMs, "ミリ秒");
        set(kTimeValue, Number(ad.GetMeasureTime(ad.m_nUnit), false));
        set(kTimeUnit, TimeUnitCaption(ad.GetUnitCaptionId()));
        set(kClockValue, Number(ad.m_dClk, false));
    } else {
        set(kLabelTime, "データ数");
        set(kTimeValue, Number(ad.GetMeasureTime(ad.m_nUnit), true));
        set(kTimeUnit, TimeUnitCaption(ad.GetUnitCaptionId()));
        set(kLabelClock, "外部サンプル");
        set(kClockValue, ad.m_nExtClk == 1 ? "1ミリ秒未満" : "1ミリ秒以上");
        set(kLabelMs, "");
    }
}

void CProjectFrame::GetTimingText(fw::CString& text, char sep) const
{
    static constexpr int ids[] = {kLabelTime, kTimeValue, kTimeUnit, kLabelClock, kClockValue, kLabelMs};
    bool first = true;
    for (int id : ids) {
        if (!m_bar.GetDlgItem(id))
            continue;
        if (!first)
            text += fw::CString(std::string(1, sep));
        text += m_bar.GetDlgItemText(id);
        first = false;
    }
}

void CProjectFrame::SyncTitleEdit()
{
    CKIV5980Doc* doc = ProjectDoc();
    fw::CEdit* edit = m_bar.TitleEdit();
    if (!doc || !edit || (edit->Widget() && edit->Widget()->hasFocus()))
        return;
    m_bInTitleChange = true;
    edit->SetWindowText(doc->GetTestTitle());
    m_bInTitleChange = false;
}

void CProjectFrame::OnTitleEditChange()
{
    CKIV5980Doc* doc = ProjectDoc();
    fw::CEdit* edit = m_bar.TitleEdit();
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

void CProjectFrame::SetBarReadOnly(bool on) { m_bar.SetEditReadOnly(on); }

void CProjectFrame::ActivateFrame(int showCmd)
{
    if (CKIV5980Doc* doc = ProjectDoc()) {
        SyncTitleEdit();
        UpdateFrameBar();
        RefreshPageFlags();
        SetBarReadOnly(doc->IsEditLocked());
    }
    fw::CMDIChildWnd::ActivateFrame(showCmd);
}

void CProjectFrame::OnEditLock()
{
    CKIV5980Doc* doc = ProjectDoc();
    if (!doc)
        return;
    doc->ToggleEditLock();
    SetBarReadOnly(doc->IsEditLocked());
}

void CProjectFrame::OnUpdateEditLock(fw::CCmdUI* ui)
{
    CKIV5980Doc* doc = ProjectDoc();
    ui->Enable(doc != nullptr);
    ui->SetCheck(doc && doc->IsEditLocked() ? 1 : 0);
}
