#include "data/views/KivDataFrame.h"

#include "data/model/KivDataDoc.h"
#include "data/views/KivDataChDataView.h"
#include "data/views/KivDataChView.h"
#include "data/views/KivDataEXChView.h"
#include "data/views/KivDataGraphView.h"
#include "data/views/DataViewMenus.h"
#include "framework/core/DateTime.h"
#include "framework/core/Document.h"
#include "framework/ui/Controls.h"
#include "framework/ui/DialogBuilder.h"
#include "grid/views/SpredView.h"

#include <cmath>
#include <cstdio>
#include <map>

FW_IMPLEMENT_DYNAMIC(CKivDataFrameBar, CPageFrameBar)
FW_IMPLEMENT_DYNCREATE(CKivDataFrame, CPageFrame)

using namespace datacmd;

namespace {

constexpr intptr_t kHintMapPage = 47;
constexpr intptr_t kHintMarkers = 51;

// The families with the menus their arrows drop.
constexpr PageGroup kFamilies[] = {
    {kFamilyChannel, 314, kPageInput, "チャンネル設定"},
    {kFamilyData, 141, kPageValues, "計測データ"},
    {kFamilyCanGps, 396, kPageGps, "CAN･音声･GPS"},
};

// The pages in creation order.
constexpr PageInfo kPages[] = {
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

} // namespace

// ---- frame bar -----------------------------------------------------------------------------------

bool CKivDataFrameBar::Create(fw::CFrameWnd* frame)
{
    const bool ok = CreateBar(frame, kFrameBarId, 0, [](fw::DialogBuilder& b) {
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
    });
    if (ok)
        SetEditReadOnly(true);
    return ok;
}

// ---- frame ---------------------------------------------------------------------------------------

FW_BEGIN_COMMANDS(CKivDataFrame, CPageFrame)
    FW_ON_COMMAND(kMarkerShow, &CKivDataFrame::OnMarkerShow)
    FW_ON_UPDATE(kMarkerShow, &CKivDataFrame::OnUpdateMarkerShow)
    FW_ON_COMMAND(kMarkerSelect, &CKivDataFrame::OnMarkerSelect)
    FW_ON_UPDATE(kMarkerSelect, &CKivDataFrame::OnUpdateMarkerSelect)
    FW_ON_COMMAND(kMarkerButton, &CKivDataFrame::OnMarkerButton)
    FW_ON_UPDATE(kSpectrumGraph, &CKivDataFrame::OnUpdateSpectrum)
FW_END_COMMANDS

CKivDataFrame::CKivDataFrame() : CPageFrame(kFamilies, kPages) {}

CKivDataFrame::~CKivDataFrame() = default;

void CKivDataFrame::SetPageClass(unsigned pageId, const fw::CRuntimeClass* viewClass)
{
    ExtraPages()[pageId] = viewClass;
}

bool CKivDataFrame::Create(const fw::CString& title, unsigned menuId)
{
    if (!CPageFrame::Create(title, menuId) || !CreatePageToolBar(kToolBarId))
        return false;
    datamenu::EnsureDataViewMenus();
    UpdateToolBar(false);
    return m_bar.Create(this);
}

bool CKivDataFrame::OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass)
{
    CreatePageStack();
    for (const PageInfo& entry : kPages) {
        const fw::CRuntimeClass* pageClass = PageClass(entry.id, viewClass);
        if (pageClass && !AddViewPage(entry.id, FW_RUNTIME_CLASS(CZELGridSplitter), pageClass, document))
            return false;
    }
    return HasPages();
}

void CKivDataFrame::InitialUpdateFrame(fw::CDocument* document, bool makeVisible)
{
    if (fw::CView* first = PageView(kPageInput))
        SetActiveView(first);
    CPageFrame::InitialUpdateFrame(document, makeVisible);
    SetLastPage(kFamilyData, kPageValues);
    SetLastPage(kFamilyChannel, kPageInput);
    OnPageCommand(kPageInput);
    ActivateFrame(-1);
}

CKivDataDoc* CKivDataFrame::DataDoc() const { return dynamic_cast<CKivDataDoc*>(GetActiveDocument()); }

void CKivDataFrame::OnLeavingPage(unsigned)
{
    if (m_nMarkerMode)
        OnMarkerSelect();
}

void CKivDataFrame::OnPageShown(unsigned id)
{
    CKivDataDoc* doc = DataDoc();
    UpdateToolBar(doc && doc->HasCanGpsVoiceData());
    if (id == kPageGpsMap && doc)
        doc->UpdateAllViews(nullptr, kHintMapPage, nullptr);
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

bool CKivDataFrame::IsGraphShown() const
{
    return (GetFamily() == kFamilyData && GetLastPage(kFamilyData) == kPageGraph) ||
           (GetFamily() == kFamilyCanGps && GetLastPage(kFamilyCanGps) == kPageGps);
}

const char* CKivDataFrame::ButtonText(unsigned id) const { return id == kMarkerButton ? "マーカー" : ""; }

void CKivDataFrame::UpdateToolBar(bool canGps)
{
    m_bCanGps = canGps;
    if (CKivDataDoc* doc = DataDoc(); doc && canGps) {
        unsigned page = GetCanGpsPage();
        if (page == kPageGps && !doc->HasGpsChannels())
            page = kPageGpsRaw;
        if (page == kPageGpsRaw && !doc->HasGpsTanks())
            page = kPageCan;
        if (page == kPageCan && !doc->HasCanTanks())
            page = kPageVoice;
        SetCanGpsPage(page);
    }
    std::vector<unsigned> ids = {kFamilyChannel, kFamilyData};
    if (canGps)
        ids.push_back(kFamilyCanGps);
    if (IsGraphShown())
        ids.insert(ids.end(), {0, kMarkerButton});
    SetPageButtons(ids);
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
    JoinBarTexts(ids, separator, false, text);
}

void CKivDataFrame::GetRecordText(fw::CString& text, char separator) const
{
    using Bar = CKivDataFrameBar;
    static constexpr int ids[] = {Bar::kLabelDate, Bar::kDateValue, Bar::kLabelMethod,
                                  Bar::kMethodValue, Bar::kLabelCycles, Bar::kCyclesValue};
    JoinBarTexts(ids, separator, true, text);
}

void CKivDataFrame::ActivateFrame(int showCmd)
{
    if (CKivDataDoc* doc = DataDoc()) {
        SyncTitleEdit();
        UpdateBarFields();
        SetBarReadOnly(doc->IsEditLocked());
    }
    CPageFrame::ActivateFrame(showCmd);
}

// ---- enabling and markers -------------------------------------------------------------------------------

bool CKivDataFrame::IsGroupEnabled(unsigned group)
{
    if (group == kFamilyData)
        return DataDoc() && DataDoc()->HasUsedChannels();
    if (group == kFamilyCanGps)
        return m_bCanGps;
    return true;
}

bool CKivDataFrame::IsPageEnabled(unsigned id)
{
    switch (GroupOf(id)) {
    case kFamilyData: return DataDoc() && DataDoc()->HasUsedChannels();
    case kFamilyCanGps: return m_bCanGps && PageWindow(id) && PageHasData(id);
    default: return true;
    }
}

void CKivDataFrame::OnUpdateSpectrum(fw::CCmdUI* ui)
{
    ui->Enable(DataDoc() && !DataDoc()->GetAdSet().UsesExternalClock());
}

void CKivDataFrame::OnOtherDropDown(unsigned id, const fw::CRect& button)
{
    // The main window's popup pass puts the marker menu in place of the
    // marker button's own item.
    if (id == kMarkerButton)
        TrackPlaceholderUnder(kMarkerButton, button);
}

void CKivDataFrame::OnMarkerButton()
{
    OnOtherDropDown(kMarkerButton, PageToolBar().GetButtonScreenRect(kMarkerButton));
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
    const bool enable = DataDoc() && DataDoc()->IsShowingMarkers() && IsGraphShown();
    ui->Enable(enable);
    ui->SetCheck(enable && m_nMarkerMode ? 1 : 0);
}
