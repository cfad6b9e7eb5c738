#include "project/views/ProjectFrame.h"

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
#include "project/views/ProjectMenus.h"
#include "project/views/PrjDataTrgView.h"
#include "project/views/pages/PrjCheckView.h"
#include "project/views/pages/ProjectPages.h"

#include <cstdio>

FW_IMPLEMENT_DYNAMIC(CProjectFrameBar, CPageFrameBar)
FW_IMPLEMENT_DYNCREATE(CProjectFrame, CPageFrame)

using namespace prjcmd;

namespace {

constexpr int kLabelTime = 1239;
constexpr int kTimeValue = 1002;
constexpr int kTimeUnit = 1003;
constexpr int kLabelClock = 1240;
constexpr int kClockValue = 1004;
constexpr int kLabelMs = 1241;
// "編集(&E)": undo, cut, copy, paste, clear, select all.
constexpr uint16_t kTitleEditMenu = 335;
constexpr int kDigitalUnit = 7;

// The groups with the menus their arrows drop.
constexpr PageGroup kGroups[] = {
    {kGroupChannel, 139, kPageInput, "チャンネル設定"},
    {kGroupSetting, 140, kPageDataTrigger, "自動計測設定"},
    {kGroupData, 141, kPageDataList, "計測データ"},
    {kGroupHistory, 313, kPageHistory, "履歴"},
    {kGroupCan, 395, kPageCanSettings, "CAN･音声･GPS"},
};

// The pages in creation order, with their group and caption.
constexpr PageInfo kPages[] = {
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

const fw::CRuntimeClass* PageClass(unsigned id, const fw::CRuntimeClass* first)
{
    switch (id) {
    case kPageInput: return first ? first : FW_RUNTIME_CLASS(CPrjChView);
    case kPageOutput: return FW_RUNTIME_CLASS(CPrjAmpOutView);
    case kPageDataTrigger: return FW_RUNTIME_CLASS(CPrjDataTrgView);
    case kPageDigitalIO: return FW_RUNTIME_CLASS(CPrj465View);
    case kPageCycle: return FW_RUNTIME_CLASS(CPrjCycleTrgView);
    case kPageComparator: return FW_RUNTIME_CLASS(CPrjDataCompView);
    case kPageDataList: return FW_RUNTIME_CLASS(CPrjChDataView);
    default: return ProjectPageClass(id);
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

// The self-check results: the list of records beside the record page it
// chooses.
bool FillCheckPage(fw::CSplitterWnd& splitter, fw::CDocument* document)
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
    return CreateBar(frame, kFrameBarId, kTitleEditMenu, [](fw::DialogBuilder& b) {
        b.Static(kLabelTime, "");
        b.Static(kTimeValue, "");
        b.Static(kTimeUnit, "");
        b.Static(kLabelClock, "");
        b.Static(kClockValue, "");
        b.Static(kLabelMs, "");
    });
}

// ---- frame ---------------------------------------------------------------------------------------

FW_BEGIN_COMMANDS(CProjectFrame, CPageFrame)
    FW_ON_COMMAND(kEditLock, &CProjectFrame::OnEditLock)
    FW_ON_UPDATE(kEditLock, &CProjectFrame::OnUpdateEditLock)
FW_END_COMMANDS

CProjectFrame::CProjectFrame() : CPageFrame(kGroups, kPages) {}

CProjectFrame::~CProjectFrame() = default;

bool CProjectFrame::Create(const fw::CString& title, unsigned menuId)
{
    if (!CPageFrame::Create(title, menuId) || !CreatePageToolBar(kPageToolBarId))
        return false;
    EnsureProjectPageMenus();
    SetupPageToolbar(false);
    return m_bar.Create(this);
}

const char* CProjectFrame::ButtonText(unsigned id) const
{
    switch (id) {
    case kMeterSetup: return "測定器設定...";
    case kAdSetup: return "A/D設定...";
    default: return "";
    }
}

void CProjectFrame::SetupPageToolbar(bool withCan)
{
    std::vector<unsigned> ids = {kMeterSetup, kAdSetup, kGroupChannel};
    if (withCan)
        ids.push_back(kGroupCan);
    ids.insert(ids.end(), {kGroupSetting, 0, kGroupData, kGroupHistory});
    SetPageButtons(ids);
}

bool CProjectFrame::OnCreateClient(fw::CDocument* document, const fw::CRuntimeClass* viewClass)
{
    CreatePageStack();
    for (const PageInfo& entry : kPages) {
        if (entry.id == kPageCheck) {
            // A plain splitter of two tables.
            if (!AddPage(entry.id, std::make_unique<fw::CSplitterWnd>(), 1, 2,
                         [&](fw::CSplitterWnd& s) { return FillCheckPage(s, document); }))
                return false;
            continue;
        }
        const fw::CRuntimeClass* pageClass = PageClass(entry.id, viewClass);
        if (pageClass && !AddViewPage(entry.id, FW_RUNTIME_CLASS(CZELGridSplitter), pageClass, document))
            return false;
    }
    return HasPages();
}

void CProjectFrame::InitialUpdateFrame(fw::CDocument* document, bool makeVisible)
{
    ResetLastPages();
    if (CZELGridSplitter* first = PageWindow(kPageInput))
        SetActiveView(dynamic_cast<fw::CView*>(first->GetPane(0, 0)));
    CPageFrame::InitialUpdateFrame(document, makeVisible);
    OnPageCommand(kPageInput);
    ActivateFrame(-1);
}

CKIV5980Doc* CProjectFrame::ProjectDoc() const { return dynamic_cast<CKIV5980Doc*>(GetActiveDocument()); }

CZELGridSplitter* CProjectFrame::PageWindow(unsigned id) const
{
    return dynamic_cast<CZELGridSplitter*>(PageSplitter(id));
}

bool CProjectFrame::IsGroupEnabled(unsigned group) { return group != kGroupCan || m_bCan; }

bool CProjectFrame::IsPageEnabled(unsigned id)
{
    switch (id) {
    case kPageOutput: return m_bOutput;
    case kPageDigitalIO: return m_bDigital;
    case kPageCheck: return false;
    default: return GroupOf(id) != kGroupCan || m_bCan;
    }
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
    if (!m_bOutput && GetLastPage(kGroupChannel) == kPageOutput) {
        SetLastPage(kGroupChannel, kPageInput);
        if (GetCurrentGroup() == kGroupChannel)
            OnPageCommand(kPageInput);
    }
    const bool can = profile.HasCanUnit();
    if (can != m_bCan)
        SetupPageToolbar(can);
    m_bCan = can;
    if (!m_bCan && GetCurrentGroup() == kGroupCan)
        OnPageCommand(GetLastPage(kGroupChannel));
    m_bDigital = digital;
    if (!m_bDigital && GetLastPage(kGroupChannel) == kPageDigitalIO) {
        SetLastPage(kGroupChannel, kPageInput);
        if (GetCurrentGroup() == kGroupChannel)
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
    JoinBarTexts(ids, sep, false, text);
}

void CProjectFrame::ActivateFrame(int showCmd)
{
    if (CKIV5980Doc* doc = ProjectDoc()) {
        SyncTitleEdit();
        UpdateFrameBar();
        RefreshPageFlags();
        SetBarReadOnly(doc->IsEditLocked());
    }
    CPageFrame::ActivateFrame(showCmd);
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
