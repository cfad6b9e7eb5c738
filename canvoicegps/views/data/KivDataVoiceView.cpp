#include "canvoicegps/views/data/KivDataVoiceView.h"

#include "canvoicegps/voice/VoiceListObj.h"
#include "common/tank/DataTankObject.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/DateTime.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Format.h"
#include "framework/core/MenuResource.h"
#include "framework/core/Services.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/StringTable.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/pages/MMAGrid.h"

#include <cmath>
#include <vector>

FW_IMPLEMENT_DYNCREATE(CKivDataVoiceView, CKivDataViewBase)

FW_BEGIN_COMMANDS(CKivDataVoiceView, CKivDataViewBase)
    FW_ON_COMMAND(CKivDataVoiceView::kIdPlay, &CKivDataVoiceView::OnPlay)
    FW_ON_UPDATE(CKivDataVoiceView::kIdPlay, &CKivDataVoiceView::OnUpdatePlay)
    FW_ON_COMMAND(CKivDataVoiceView::kIdStop, &CKivDataVoiceView::OnStop)
    FW_ON_UPDATE(CKivDataVoiceView::kIdStop, &CKivDataVoiceView::OnUpdateStop)
    FW_ON_COMMAND(CKivDataVoiceView::kIdRename, &CKivDataVoiceView::OnRename)
    FW_ON_UPDATE(CKivDataVoiceView::kIdRename, &CKivDataVoiceView::OnUpdateRename)
    FW_ON_COMMAND(CKivDataVoiceView::kIdHistoryUpdate, &CKivDataVoiceView::OnHistoryUpdate)
    FW_ON_UPDATE(CKivDataVoiceView::kIdHistoryUpdate, &CKivDataVoiceView::OnUpdateHistory)
FW_END_COMMANDS

namespace {

constexpr unsigned kIdsFileName = 501;  // "ファイル名"
constexpr const char* kTimeFormat = "%Y/%m/%d %H:%M:%S";

void EnsureVoiceMenu()
{
    using M = fw::MenuResource;
    if (fw::FindMenuResource(CKivDataVoiceView::kContextMenu))
        return;
    fw::RegisterMenuResource(
        CKivDataVoiceView::kContextMenu,
        M::Popup("", {M::Popup("", {M::Item("コピー(&C)", fw::ID_EDIT_COPY), M::Separator(),
                                    M::Item("音声の再生", CKivDataVoiceView::kIdPlay),
                                    M::Item("音声の停止", CKivDataVoiceView::kIdStop), M::Separator(),
                                    M::Item("音声ファイル名の変更...", CKivDataVoiceView::kIdRename), M::Separator(),
                                    M::Item("計測履歴の更新...", CKivDataVoiceView::kIdHistoryUpdate),
                                    M::Item("テキストで保存...", CKivDataViewBase::kIdTextSave)})}));
}

fw::CString TankName(CVoiceListObj* list, int index)
{
    CDataTankObject* tank = list ? list->Tanks().GetObjectAt(index) : nullptr;
    return tank ? tank->GetName() : fw::CString();
}

} // namespace

CKivDataVoiceView::CKivDataVoiceView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    ReplaceGrid(std::make_unique<CMMAGrid>(this));
    EnsureVoiceMenu();
}

CKivDataVoiceView::~CKivDataVoiceView() = default;

CVoiceListObj* CKivDataVoiceView::VoiceList() const
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? &doc->GetVoiceList() : nullptr;
}

int32_t CKivDataVoiceView::LastIndex() const
{
    CVoiceListObj* list = VoiceList();
    return list ? list->GetMaxIndex() : -1;
}

CZELGridStyle* CKivDataVoiceView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleVoice) : nullptr;
}

void CKivDataVoiceView::SetUsedExtents()
{
    auto* grid = dynamic_cast<CZELGridEX*>(GetGrid());
    CVoiceListObj* list = VoiceList();
    if (!grid || !list)
        return;
    grid->SetUsedExtent(0, list->Tanks().GetSize() - 1);
    grid->SetUsedExtent(1, LastIndex());
}

void CKivDataVoiceView::OnInitialUpdate()
{
    CKivDataViewBase::OnInitialUpdate();
    if (CZELGridStyle* style = GetViewStyle())
        SetGridStyle(style);
    SetUsedExtents();
}

void CKivDataVoiceView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == 0)
        return;
    if (hint == kHintVoiceList) {
        SetUsedExtents();
        if (GetGrid())
            GetGrid()->RedrawPanes();
        return;
    }
    if (hint == kHintData) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (data && data->m_pDocument == GetDocument() &&
            (data->IsSentBy(GetDocument(), GetRuntimeClass()) || data->m_changeFlags == 512 ||
             data->m_changeFlags == 16) &&
            GetGrid())
            GetGrid()->RedrawPanes();
        return;
    }
    CKivDataViewBase::OnUpdate(sender, hint, hintObject);
}

bool CKivDataVoiceView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    switch (col) {
    case 0: text = fw::LoadStringText(kIdsFileName); break;
    case 1: text = TankName(VoiceList(), 0); break;
    case 2: text = TankName(VoiceList(), 1); break;
    default: text.Empty(); break;
    }
    return true;
}

bool CKivDataVoiceView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CVoiceListObj* list = VoiceList();
    if (!list || row < 0 || row > LastIndex())
        return true;
    switch (col) {
    case 0: text = list->GetFileName(row); break;
    case 1: {
        const double date = list->GetRecordDate(row);
        if (date != HUGE_VAL)
            text = fw::COleDateTime(date).Format(kTimeFormat);
        break;
    }
    case 2: list->GetStartTimeText(row, text); break;
    default: break;
    }
    return true;
}

void CKivDataVoiceView::OnSheetDoubleClick(int32_t row, int32_t col, unsigned, fw::CPoint)
{
    if (col == 0)
        OnCellButton(col, row);
}

void CKivDataVoiceView::OnCheckBoxClick(int32_t col, int32_t row, fw::CPoint)
{
    if (col == 0)
        OnCellButton(col, row);
}

void CKivDataVoiceView::OnCellButton(int32_t, int32_t row)
{
    if (CKivDataDoc* doc = GetDataDoc())
        m_player.Toggle(doc->GetVoiceList(), doc->GetDataFolder(), row);
}

void CKivDataVoiceView::OnPlay()
{
    CZELGridPane* sheet = GetGrid() ? GetGrid()->GetSheetPane() : nullptr;
    if (!sheet)
        return;
    const CCellIndices cur = sheet->GetCurrentCell();
    if (cur.row >= 0 && !m_player.IsPlaying())
        OnCellButton(0, cur.row);
}

void CKivDataVoiceView::OnStop() { m_player.Stop(); }

void CKivDataVoiceView::OnUpdatePlay(fw::CCmdUI* ui)
{
    ui->Enable(m_player.CanPlay(GetGrid() ? GetGrid()->GetSelection() : CCellRange{}, LastIndex()));
}

void CKivDataVoiceView::OnUpdateStop(fw::CCmdUI* ui) { ui->Enable(m_player.IsPlaying()); }

void CKivDataVoiceView::OnUpdateRename(fw::CCmdUI* ui)
{
    ui->Enable(m_player.CanRename(GetGrid() ? GetGrid()->GetSelection() : CCellRange{}, LastIndex()));
}

void CKivDataVoiceView::OnUpdateHistory(fw::CCmdUI* ui) { ui->Enable(GetDataDoc() != nullptr); }

void CKivDataVoiceView::OnHistoryUpdate()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    m_player.Stop();
    doc->LoadVoiceFiles();
    doc->SetModifiedFlag();
}

void CKivDataVoiceView::OnRename()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || m_player.IsPlaying() || !GetGrid())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    if (!sel.IsValid())
        return;
    const fw::CString folder = doc->GetDataFolder();
    RenameVoiceRows(this, doc->GetVoiceList(), sel.top, sel.bottom, [&](int32_t) { return folder; }, kIdsExists);
    doc->UpdateAllViews(nullptr, kHintVoiceList);
    RescanProjects();
}

void CKivDataVoiceView::RescanProjects()
{
    fw::CDocTemplate* own = GetDocument() ? GetDocument()->GetDocTemplate() : nullptr;
    fw::CDocManager* manager = own ? own->GetDocManager() : nullptr;
    if (!manager)
        return;
    std::vector<CKIV5980Doc*> projects;
    for (fw::POSITION t = manager->GetFirstDocTemplatePosition(); t;) {
        fw::CDocTemplate* tmpl = manager->GetNextDocTemplate(t);
        for (fw::POSITION d = tmpl->GetFirstDocPosition(); d;)
            if (auto* project = dynamic_cast<CKIV5980Doc*>(tmpl->GetNextDoc(d)))
                projects.push_back(project);
    }
    for (CKIV5980Doc* project : projects)
        project->RescanVoiceFiles();
}
