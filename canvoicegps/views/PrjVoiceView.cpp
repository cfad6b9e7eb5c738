#include "canvoicegps/views/PrjVoiceView.h"

#include "canvoicegps/voice/VoiceListObj.h"
#include "docbase/doc/UpdateHints.h"
#include "grid/views/GridPane.h"
#include "framework/core/DateTime.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/MenuResource.h"
#include "framework/core/Services.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/StringTable.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/pages/MMAGrid.h"


FW_IMPLEMENT_DYNCREATE(CPrjVoiceView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjVoiceView, CProjectBaseView)
    FW_ON_COMMAND(CPrjVoiceView::kIdPlay, &CPrjVoiceView::OnPlay)
    FW_ON_UPDATE(CPrjVoiceView::kIdPlay, &CPrjVoiceView::OnUpdatePlay)
    FW_ON_COMMAND(CPrjVoiceView::kIdStop, &CPrjVoiceView::OnStop)
    FW_ON_UPDATE(CPrjVoiceView::kIdStop, &CPrjVoiceView::OnUpdateStop)
    FW_ON_COMMAND(CPrjVoiceView::kIdRename, &CPrjVoiceView::OnRename)
    FW_ON_UPDATE(CPrjVoiceView::kIdRename, &CPrjVoiceView::OnUpdateRename)
FW_END_COMMANDS

namespace {

constexpr unsigned kIdsFileName = 501;   // "ファイル名"
constexpr unsigned kIdsFolder = 817;     // "保存先"
constexpr const char* kTimeFormat = "%Y/%m/%d %H:%M:%S";

void EnsureVoiceMenu()
{
    using M = fw::MenuResource;
    if (fw::FindMenuResource(CPrjVoiceView::kContextMenu))
        return;
    fw::RegisterMenuResource(
        CPrjVoiceView::kContextMenu,
        M::Popup("", {M::Popup("", {M::Item("コピー(&C)", fw::ID_EDIT_COPY), M::Separator(),
                                    M::Item("音声の再生", CPrjVoiceView::kIdPlay),
                                    M::Item("音声の停止", CPrjVoiceView::kIdStop), M::Separator(),
                                    M::Item("音声ファイル名の変更...", CPrjVoiceView::kIdRename), M::Separator(),
                                    M::Item("計測履歴の更新...", 32830), M::Item("テキストで保存...", 32831)})}));
}

} // namespace

CPrjVoiceView::CPrjVoiceView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    ReplaceGrid(std::make_unique<CMMAGrid>(this));
    EnsureVoiceMenu();
}

CPrjVoiceView::~CPrjVoiceView() = default;

int32_t CPrjVoiceView::LastIndex() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetVoiceList().GetMaxIndex() : -1;
}

void CPrjVoiceView::SetUsedExtents()
{
    auto* grid = dynamic_cast<CZELGridEX*>(GetGrid());
    CKIV5980Doc* doc = GetProjectDoc();
    if (!grid || !doc)
        return;
    grid->SetUsedExtent(0, doc->GetVoiceList().Tanks().GetSize() - 1);
    grid->SetUsedExtent(1, LastIndex());
}

void CPrjVoiceView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabVoice));
    SetUsedExtents();
}

void CPrjVoiceView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == 0)
        return;
    if (hint == kHintVoiceList) {
        SetUsedExtents();
        if (GetGrid())
            GetGrid()->RedrawPanes();
        return;
    }
    if (hint == 12) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (data && data->m_pDocument == GetDocument() &&
            (data->IsSentBy(GetDocument(), GetRuntimeClass()) || data->m_changeFlags == 512 ||
             data->m_changeFlags == 16) &&
            GetGrid())
            GetGrid()->RedrawPanes();
        return;
    }
    CProjectBaseView::OnUpdate(sender, hint, hintObject);
}

bool CPrjVoiceView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    switch (col) {
    case 0: text = fw::LoadStringText(kIdsFileName); break;
    case 1: {
        CDataTankObject* tank = doc ? doc->GetVoiceList().Tanks().GetObjectAt(0) : nullptr;
        text = tank ? tank->GetName() : fw::CString();
        break;
    }
    case 2: text = fw::LoadStringText(kIdsFolder); break;
    default: text.Empty(); break;
    }
    return true;
}

bool CPrjVoiceView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row > LastIndex())
        return true;
    CVoiceListObj& list = doc->GetVoiceList();
    switch (col) {
    case 0: text = list.GetFileName(row); break;
    case 1: {
        const double date = list.GetRecordDate(row);
        if (date != HUGE_VAL)
            text = fw::COleDateTime(date).Format(kTimeFormat);
        break;
    }
    case 2: text = list.GetFolderName(row); break;
    default: break;
    }
    return true;
}

void CPrjVoiceView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint)
{
    if (col == 0)
        OnCellButton(col, row);
}

void CPrjVoiceView::OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint)
{
    if (col == 0)
        OnCellButton(col, row);
}

void CPrjVoiceView::OnCellButton(int32_t, int32_t row)
{
    if (CKIV5980Doc* doc = GetProjectDoc())
        m_player.Toggle(doc->GetVoiceList(), doc->GetDataFolder(), row);
}

void CPrjVoiceView::OnPlay()
{
    CZELGridPane* sheet = GetGrid() ? GetGrid()->GetSheetPane() : nullptr;
    if (!sheet)
        return;
    const CCellIndices cur = sheet->GetCurrentCell();
    if (cur.row >= 0 && !m_player.IsPlaying())
        OnCellButton(0, cur.row);
}

void CPrjVoiceView::OnStop() { m_player.Stop(); }

void CPrjVoiceView::OnUpdatePlay(fw::CCmdUI* ui)
{
    ui->Enable(m_player.CanPlay(GetGrid() ? GetGrid()->GetSelection() : CCellRange{}, LastIndex()));
}

void CPrjVoiceView::OnUpdateStop(fw::CCmdUI* ui) { ui->Enable(m_player.IsPlaying()); }

void CPrjVoiceView::OnUpdateRename(fw::CCmdUI* ui)
{
    ui->Enable(m_player.CanRename(GetGrid() ? GetGrid()->GetSelection() : CCellRange{}, LastIndex()));
}

void CPrjVoiceView::OnRename()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || m_player.IsPlaying() || !GetGrid())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    if (!sel.IsValid())
        return;
    CVoiceListObj& list = doc->GetVoiceList();
    const fw::CString data = doc->GetDataFolder();
    RenameVoiceRows(this, list, sel.top, sel.bottom,
                    [&](int32_t row) { return fw::fs::PathJoin(data, list.GetFolderName(row)); }, kIdsExists);
    doc->UpdateAllViews(nullptr, kHintVoiceList);
}
