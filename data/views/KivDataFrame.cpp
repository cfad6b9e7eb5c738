#include "data/views/KivDataFrame.h"

#include "data/model/KivDataDoc.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataEXChView.h"
#include "data/views/KivDataGraphView.h"
#include "docbase/doc/UpdateHints.h"
#include "docview/controls/ZELEdit.h"
#include "framework/core/DateTime.h"
#include "framework/core/Document.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DialogBuilder.h"
#include "grid/views/SpredView.h"

#include <QMainWindow>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>

#include <cmath>
#include <cstdio>
#include <map>

FW_IMPLEMENT_DYNAMIC(CKivDataFrameBar, fw::CDialogBar)
FW_IMPLEMENT_DYNCREATE(CKivDataFrame, fw::CMDIChildWnd)

using namespace datacmd;

namespace {

constexpr int kTitleLimit = 256;
constexpr intptr_t kHintMapPage = 47;
constexpr intptr_t kHintMarkers = 51;

struct PageEntry {
    unsigned id;
    unsigned family;
    const char* caption;
};

// The pages in creation order.
constexpr PageEntry kPages[] = {
    {kPageInput, kFamilyChannel, "入力CH"},
    {kPageCalc, kFamilyChannel, "拡張CH"},
    {kPageValues, kFamilyData, "データリスト"},
    {kPageGraph, kFamilyData, "グラフリスト"},
    {kPageGps, kFamilyCanGps, "GPSデータ"},
    {kPageGpsRaw, kFamilyCanGps, "GPS生データ"},
    {kPageGpsMap, kFamilyCanGps, "GPSマップ"},
    {kPageCan, kFamilyCanGps, "CANデータ"},
    {kPageCanGraph, kFamilyCanGps, "CANグラフリスト"},
    {kPageVoice, kFamilyCanGps, "音声履歴"},
};

const PageEntry* FindPage(unsigned id)
{
    for (const PageEntry& p : kPages)
        if (p.id == id)
            return &p;
    return nullptr;
}

std::map<unsigned, const fw::CRuntimeClass*>& ExtraPages()
{
    static std::map<unsigned, const fw::CRuntimeClass*> pages;
    return pages;
}

const fw::CRuntimeClass* PageClass(unsigned id, const fw::CRuntimeClass* first)
{
    switch (id) {
    case kPageInput: return first ? first : FW_RUNTIME_CLASS(CKivDataChView);
    case kPageCalc: return FW_RUNTIME_CLASS(CKivDataEXChView);
    case kPageValues: return FW_RUNTIME_CLASS(CKivDataChDataView);
    case kPageGraph: return FW_RUNTIME_CLASS(CKivDataGraphView);
    default: break;
    }
    const auto it = ExtraPages().find(id);
    return it == ExtraPages().end() ? nullptr : it->second;
}

const char* ButtonText(unsigned id)
{
    switch (id) {
    case kFamilyChannel: return "チャンネル設定";
    case kFamilyData: return "計測データ";
    case kFamilyCanGps: return "CAN･音声･GPS";
    case kMarkerButton: return "マーカー";
    default: return "";
    }
}

fw::CString Digits15(double value)
{
    char buf[64];
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
// so the row's empty placeholder would stay beside it and take half the
// room.
void DropPlaceholders(CZELGridSplitter& splitter, fw::CView* view)
{
    QSplitter* row = splitter.RowSplitter(0);
    if (!row)
        return;
    for (int i = row->count() - 1; i >= 0; --i)
        if (QWidget* w = row->widget(i); w && w != view->Widget())
            delete w;
}

} // namespace

// ---- frame bar -----------------------------------------------------------------------------------

bool CKivDataFrameBar::Create(fw::CFrameWnd* frame)
{
    const bool ok = fw::CDialogBar::Create(
        frame,
        [](fw::DialogBuilder& b) {
            // The program's own edit class, which the views' edit commands look for.
            static_cast<CZELEdit&>(b.Custom(kTitleEdit, std::make_unique<CZELEdit>())).LimitText(kTitleLimit);
            b.Row();
            b.Static(kLabelTime, "計測時間：");
            b.Static(kTimeValue, "");
            b.Static(kTimeUnit, "");
            b.Static(kLabelClock, "サンプルクロック：");
            b.Static(kClockValue, "");
            b.Static(kLabelMs, "ミリ秒");
            b.Row();
            b.Static(kLabelDate, "計測日時：");
            b.Static(kDateValue, "");
            b.Static(kLabelMethod, "計測方法：");
            b.Static(kMethodValue, "");
            b.Static(kLabelCycles, "サイクル数：").EnableWindow(false);
            b.Static(kCyclesValue, "").EnableWindow(false);
        },
        kFrameBarId);
    if (ok)
        SetEditReadOnly(true);
    return ok;
}

fw::CEdit* CKivDataFrameBar::TitleEdit() const { return GetDlgItemAs<fw::CEdit>(kTitleEdit); }

void CKivDataFrameBar::SetEditReadOnly(bool on)
{
    if (fw::CEdit* edit = TitleEdit())
        edit->SetReadOnly(on);
}

// ---- frame ---------------------------------------------------------------------------------------

FW_BEGIN_COMMANDS(CKivDataFrame, fw::CMDIChildWnd)
    FW_ON_COMMAND(kFamilyChannel, &CKivDataFrame::OnChannelFamily)
    FW_ON_COMMAND(kFamilyData, &CKivDataFrame::OnDataFamily)
    FW_ON_COMMAND(kFamilyCanGps, &CKivDataFrame::OnCanGpsFamily)
    FW_ON_UPDATE(kFamilyChannel, &CKivDataFrame::OnUpdateFamily)
    FW_ON_UPDATE(kFamilyData, &CKivDataFrame::OnUpdateFamily)
    FW_ON_UPDATE(kFamilyCanGps, &CKivDataFrame::OnUpdateFamily)
    FW_ON_COMMAND_RANGE(kPageInput, kPageCalc, &CKivDataFrame::OnChannelView)
    FW_ON_UPDATE_RANGE(kPageInput, kPageCalc, &CKivDataFrame::OnUpdateChannelView)
    FW_ON_COMMAND_RANGE(kPageValues, kPageGraph, &CKivDataFrame::OnDataView)
    FW_ON_UPDATE_RANGE(kPageValues, kPageGraph, &CKivDataFrame::OnUpdateDataView)
    FW_ON_COMMAND_RANGE(kPageVoice, kPageVoice, &CKivDataFrame::OnCanGpsView)
    FW_ON_COMMAND_RANGE(kPageGps, kPageGpsRaw, &CKivDataFrame::OnCanGpsView)
    FW_ON_COMMAND_RANGE(kPageCanGraph, kPageCanGraph, &CKivDataFrame::OnCanGpsView)
    FW_ON_COMMAND_RANGE(kPageGpsMap, kPageGpsMap, &CKivDataFrame::OnCanGpsView)
    FW_ON_UPDATE(kPageVoice, &CKivDataFrame::OnUpdateCanGpsView)
    FW_ON_UPDATE_RANGE(kPageGps, kPageGpsRaw, &CKivDataFrame::OnUpdateCanGpsView)
    FW_ON_UPDATE(kPageCanGraph, &CKivDataFrame::OnUpdateCanGpsView)
    FW_ON_UPDATE(kPageGpsMap, &CKivDataFrame::OnUpdateCanGpsView)
    FW_ON_COMMAND(kMarkerShow, &CKivDataFrame::OnMarkerShow)
    FW_ON_UPDATE(kMarkerShow, &CKivDataFrame::OnUpdateMarkerShow)
    FW_ON_COMMAND(kMarkerSelect, &CKivDataFrame::OnMarkerSelect)
    FW_ON_UPDATE(kMarkerSelect, &CKivDataFrame::OnUpdateMarkerSelect)
    FW_ON_UPDATE(kSpectrumGraph, &CKivDataFrame::OnUpdateSpectrum)
    FW_ON_EN_USERCHANGE(CKivDataFrameBar::kTitleEdit, &CKivDataFrame::OnTitleChanged)
FW_END_COMMANDS

CKivDataFrame::CKivDataFrame() = default;

CKivDataFrame::~CKivDataFrame()
{
    // The pages go before the frame's window, which holds their widgets.
    m_pages.clear();
}

void CKivDataFrame::SetPageClass(unsigned pageId, const fw::CRuntimeClass* viewClass)
{
    ExtraPages()[pageId] = viewClass;
}

bool CKivDataFrame::Create(const fw::CString& title, unsigned menuId)
{
    if (!fw::CMDIChildWnd::Create(title, menuId))
        return false;
    if (!m_toolBar.Create(this, kToolBarId))
        return false;
    if (QToolBar* bar = m_toolBar.Bar()) {
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        bar->setOrientation(Qt::Vertical);
        MainWindow()->addToolBar(Qt::LeftToolBarArea, bar);
    }
    UpdateToolBar(false);
    return m_bar.Create(this);
}

bool CKivDataFrame::OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass)
{
    m_pStack = new QStackedWidget;
    MainWindow()->setCentralWidget(m_pStack);
    for (const PageEntry& entry : kPages) {
        const fw::CRuntimeClass* pageClass = PageClass(entry.id, viewClass);
        if (!pageClass)
            continue;
        auto splitter = std::make_unique<CZELGridSplitter>();
        if (!splitter->CreateStatic(nullptr, 1, 1, fw::AFX_IDW_PANE_FIRST + 1))
            return false;
        m_pStack->addWidget(splitter->Widget());
        if (!splitter->CreateView(0, 0, pageClass, fw::CSize(), document))
            return false;
        if (auto* view = dynamic_cast<fw::CView*>(splitter->GetPane(0, 0))) {
            AttachView(view);
            DropPlaceholders(*splitter, view);
        }
        m_pages.push_back({entry.id, std::move(splitter)});
    }
    return !m_pages.empty();
}

void CKivDataFrame::InitialUpdateFrame(fw::CDocument* document, bool makeVisible)
{
    if (fw::CView* first = PageView(kPageInput))
        SetActiveView(first);
    fw::CMDIChildWnd::InitialUpdateFrame(document, makeVisible);
    m_nDataPage = kPageValues;
    m_nChannelPage = kPageInput;
    OnChannelView(kPageInput);
    ActivateFrame(-1);
}

CKivDataDoc* CKivDataFrame::DataDoc() const { return dynamic_cast<CKivDataDoc*>(GetActiveDocument()); }

fw::CSplitterWnd* CKivDataFrame::PageWindow(unsigned id) const
{
    for (const Page& p : m_pages)
        if (p.id == id)
            return p.splitter.get();
    return nullptr;
}

fw::CView* CKivDataFrame::PageView(unsigned id) const
{
    fw::CSplitterWnd* page = PageWindow(id);
    return page ? dynamic_cast<fw::CView*>(page->GetPane(0, 0)) : nullptr;
}

unsigned CKivDataFrame::GetShownPageId() const { return m_nShown; }

fw::CString CKivDataFrame::PageCaption(unsigned id)
{
    const PageEntry* entry = FindPage(id);
    return entry ? fw::CString(entry->caption) : fw::CString();
}

void CKivDataFrame::ShowPage(unsigned id)
{
    fw::CSplitterWnd* page = PageWindow(id);
    if (!page || !m_pStack)
        return;
    if (fw::CSplitterWnd* old = PageWindow(m_nShown); old && old != page) {
        old->SetDlgCtrlID(fw::AFX_IDW_PANE_FIRST + 1);
        if (m_nMarkerMode)
            OnMarkerSelect();
    }
    page->SetDlgCtrlID(fw::AFX_IDW_PANE_FIRST);
    m_pStack->setCurrentWidget(page->Widget());
    m_nShown = id;
    page->Invalidate(true);
    if (fw::CView* view = PageView(id))
        SetActiveView(view);
    CKivDataDoc* doc = DataDoc();
    UpdateToolBar(doc && doc->HasCanGpsVoiceData());
}

void CKivDataFrame::OnChannelView(unsigned id)
{
    m_nFamily = kFamilyChannel;
    m_nChannelPage = id;
    ShowPage(id);
    SetFrameViewTitle(id);
}

void CKivDataFrame::OnDataView(unsigned id)
{
    m_nFamily = kFamilyData;
    m_nDataPage = id;
    ShowPage(id);
    SetFrameViewTitle(id);
}

void CKivDataFrame::OnCanGpsView(unsigned id)
{
    m_nFamily = kFamilyCanGps;
    m_nCanGpsPage = id;
    ShowPage(id);
    SetFrameViewTitle(id);
    if (id == kPageGpsMap)
        if (fw::CDocument* doc = GetActiveDocument())
            doc->UpdateAllViews(nullptr, kHintMapPage, nullptr);
}

void CKivDataFrame::SetFrameViewTitle(unsigned id)
{
    fw::CDocument* doc = GetActiveDocument();
    std::string base = doc ? doc->GetTitle().str() : GetWindowText().str();
    if (base.empty())
        return;
    if (const size_t cut = base.find(" - ("); cut != std::string::npos)
        base.resize(cut);
    const fw::CString title = fw::Format("%s - (%s)", base.c_str(), PageCaption(id).c_str());
    if (title != GetWindowText())
        SetWindowText(title);
}

void CKivDataFrame::OnUpdateFrameTitle(bool addToTitle)
{
    fw::CMDIChildWnd::OnUpdateFrameTitle(addToTitle);
    if (!addToTitle)
        return;
    if (m_nFamily == kFamilyChannel)
        SetFrameViewTitle(m_nChannelPage);
    else if (m_nFamily == kFamilyData)
        SetFrameViewTitle(m_nDataPage);
}

bool CKivDataFrame::PageHasData(unsigned id)
{
    CKivDataDoc* doc = DataDoc();
    if (!doc)
        return false;
    switch (id) {
    case kPageVoice: return doc->HasVoiceData();
    case kPageGps: return doc->HasGpsChannels();
    case kPageCan:
    case kPageCanGraph: return doc->HasCanTanks();
    case kPageGpsRaw: return doc->HasGpsTanks();
    case kPageGpsMap: return doc->HasGpsData();
    default: return true;
    }
}

void CKivDataFrame::UpdateToolBar(bool canGps)
{
    m_bCanGps = canGps;
    if (CKivDataDoc* doc = DataDoc(); doc && canGps) {
        if (m_nCanGpsPage == kPageGps && !doc->HasGpsChannels())
            m_nCanGpsPage = kPageGpsRaw;
        if (m_nCanGpsPage == kPageGpsRaw && !doc->HasGpsTanks())
            m_nCanGpsPage = kPageCan;
        if (m_nCanGpsPage == kPageCan && !doc->HasCanTanks())
            m_nCanGpsPage = kPageVoice;
    }
    std::vector<unsigned> ids = {kFamilyChannel, kFamilyData};
    if (canGps)
        ids.push_back(kFamilyCanGps);
    const bool graphShown = (m_nFamily == kFamilyData && m_nDataPage == kPageGraph) ||
                            (m_nFamily == kFamilyCanGps && m_nCanGpsPage == kPageGps);
    if (graphShown)
        ids.insert(ids.end(), {0, kMarkerButton});
    m_toolBar.SetButtons(ids.data(), static_cast<int>(ids.size()));
    for (int i = 0; i < m_toolBar.GetCount(); ++i) {
        const unsigned id = m_toolBar.GetItemID(i);
        if (id == 0)
            continue;
        if (QAction* action = m_toolBar.ActionOf(id))
            action->setText(QString::fromUtf8(ButtonText(id)));
        m_toolBar.SetButtonStyle(i, fw::TBBS_DROPDOWN);
    }
}

// ---- bar ---------------------------------------------------------------------------------------------

void CKivDataFrame::UpdateBarFields()
{
    CKivDataDoc* doc = DataDoc();
    if (!doc)
        return;
    const CADSetPrf& ad = doc->GetAdSet();
    auto set = [this](int id, const fw::CString& text) {
        if (m_bar.GetDlgItem(id))
            m_bar.SetDlgItemText(id, text);
    };
    using Bar = CKivDataFrameBar;
    if (!ad.UsesExternalClock()) {
        set(Bar::kLabelTime, "計測時間：");
        set(Bar::kLabelClock, "サンプルクロック：");
        set(Bar::kLabelMs, "ミリ秒");
        set(Bar::kTimeValue, Digits15(ad.GetMeasureTime(-1)));
        set(Bar::kClockValue, Digits15(ad.m_dClk));
        set(Bar::kDateValue, fw::COleDateTime(doc->GetStartTime()).Format("%Y/%m/%d %H:%M:%S"));
    } else {
        set(Bar::kLabelTime, "データ数");
        set(Bar::kTimeValue, fw::Format("%g", ad.GetMeasureTime(-1)));
        set(Bar::kLabelClock, "外部サンプル");
        set(Bar::kClockValue, "");
        set(Bar::kLabelMs, "");
    }
    set(Bar::kTimeUnit, TimeUnitCaption(ad.GetUnitCaptionId()));
    set(Bar::kMethodValue, doc->GetMeasureMethodText());
    const double cycles = doc->GetCycleCount();
    set(Bar::kCyclesValue, cycles == HUGE_VAL ? fw::CString() : fw::Format("%0.f", cycles));
}

void CKivDataFrame::GetTimingText(fw::CString& text, char separator) const
{
    using Bar = CKivDataFrameBar;
    static constexpr int ids[] = {Bar::kLabelTime, Bar::kTimeValue, Bar::kTimeUnit,
                                  Bar::kLabelClock, Bar::kClockValue, Bar::kLabelMs};
    bool first = true;
    for (int id : ids) {
        if (!m_bar.GetDlgItem(id))
            continue;
        if (!first)
            text += fw::CString(std::string(1, separator));
        text += m_bar.GetDlgItemText(id);
        first = false;
    }
}

void CKivDataFrame::GetRecordText(fw::CString& text, char separator) const
{
    using Bar = CKivDataFrameBar;
    static constexpr int ids[] = {Bar::kLabelDate, Bar::kDateValue, Bar::kLabelMethod,
                                  Bar::kMethodValue, Bar::kLabelCycles, Bar::kCyclesValue};
    bool first = true;
    for (int id : ids) {
        fw::CWnd* item = m_bar.GetDlgItem(id);
        if (!item || !item->IsWindowEnabled())
            continue;
        if (!first)
            text += fw::CString(std::string(1, separator));
        text += m_bar.GetDlgItemText(id);
        first = false;
    }
}

void CKivDataFrame::UpdateTitleEdit()
{
    CKivDataDoc* doc = DataDoc();
    fw::CEdit* edit = m_bar.TitleEdit();
    if (!doc || !edit || (edit->Widget() && edit->Widget()->hasFocus()))
        return;
    m_bInTitleChange = true;
    edit->SetWindowText(doc->GetTestTitle());
    m_bInTitleChange = false;
}

void CKivDataFrame::OnTitleChanged()
{
    CKivDataDoc* doc = DataDoc();
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

void CKivDataFrame::ActivateFrame(int showCmd)
{
    if (CKivDataDoc* doc = DataDoc()) {
        UpdateTitleEdit();
        UpdateBarFields();
        SetBarReadOnly(doc->IsEditLocked());
    }
    fw::CMDIChildWnd::ActivateFrame(showCmd);
}

// ---- enabling and markers -------------------------------------------------------------------------------

void CKivDataFrame::OnUpdateFamily(fw::CCmdUI* ui)
{
    const unsigned id = ui->m_nID;
    bool enable = true;
    if (id == kFamilyData)
        enable = DataDoc() && DataDoc()->HasUsedChannels();
    else if (id == kFamilyCanGps)
        enable = m_bCanGps;
    ui->Enable(enable);
    ui->SetCheck(enable && m_nFamily == id ? 1 : 0);
}

void CKivDataFrame::OnUpdateChannelView(fw::CCmdUI* ui)
{
    ui->Enable(true);
    ui->SetCheck(m_nFamily == kFamilyChannel && m_nChannelPage == ui->m_nID ? 1 : 0);
}

void CKivDataFrame::OnUpdateDataView(fw::CCmdUI* ui)
{
    const bool enable = DataDoc() && DataDoc()->HasUsedChannels();
    ui->Enable(enable);
    ui->SetCheck(enable && m_nFamily == kFamilyData && m_nDataPage == ui->m_nID ? 1 : 0);
}

void CKivDataFrame::OnUpdateCanGpsView(fw::CCmdUI* ui)
{
    const bool enable = m_bCanGps && PageWindow(ui->m_nID) && PageHasData(ui->m_nID);
    ui->Enable(enable);
    ui->SetCheck(enable && m_nFamily == kFamilyCanGps && m_nCanGpsPage == ui->m_nID ? 1 : 0);
}

void CKivDataFrame::OnUpdateSpectrum(fw::CCmdUI* ui)
{
    ui->Enable(DataDoc() && !DataDoc()->GetAdSet().UsesExternalClock());
}

void CKivDataFrame::OnMarkerShow()
{
    CKivDataDoc* doc = DataDoc();
    if (!doc)
        return;
    doc->SetShowMarkers(!doc->IsShowingMarkers());
    if (!doc->IsShowingMarkers() && m_nMarkerMode)
        OnMarkerSelect();
    doc->UpdateAllViews(nullptr, kHintMarkers, nullptr);
}

void CKivDataFrame::OnMarkerSelect()
{
    m_nMarkerMode = m_nMarkerMode == 1 ? 0 : 1;
    if (auto* graph = dynamic_cast<CKivDataGraphView*>(PageView(kPageGraph)))
        graph->SetMarkerSelectMode(m_nMarkerMode != 0);
    if (fw::CDocument* doc = GetActiveDocument())
        for (fw::POSITION pos = doc->GetFirstViewPosition(); pos;) {
            fw::CView* view = doc->GetNextView(pos);
            if (auto* follower = dynamic_cast<IMarkerModeView*>(view); follower && view->GetParentFrame() == this)
                follower->FollowMarkerMode(m_nMarkerMode);
        }
    UpdateToolBar(m_bCanGps);
}

void CKivDataFrame::OnUpdateMarkerShow(fw::CCmdUI* ui)
{
    ui->Enable(DataDoc() != nullptr);
    ui->SetCheck(DataDoc() && DataDoc()->IsShowingMarkers() ? 1 : 0);
}

void CKivDataFrame::OnUpdateMarkerSelect(fw::CCmdUI* ui)
{
    const bool graphShown = (m_nFamily == kFamilyData && m_nDataPage == kPageGraph) ||
                            (m_nFamily == kFamilyCanGps && m_nCanGpsPage == kPageGps);
    const bool enable = DataDoc() && DataDoc()->IsShowingMarkers() && graphShown;
    ui->Enable(enable);
    ui->SetCheck(enable && m_nMarkerMode ? 1 : 0);
}
