#include "canvoicegps/views/data/KivDataVoiceView.h"

#include "canvoicegps/voice/VoiceListObj.h"
#include "canvoicegps/voice/VoicePlayback.h"
#include "common/tank/DataTankObject.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/DateTime.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/FileSystem.h"
#include "framework/core/Format.h"
#include "framework/core/MenuResource.h"
#include "framework/core/Services.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/StringTable.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ProjectBaseView.h"
#include "project/views/ReNamePrf.h"
#include "project/views/RenameDlgs.h"
#include "project/views/pages/MMAGrid.h"

#include <cerrno>
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
constexpr const char* kWavExtension = ".wav";

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

CKivDataVoiceView::~CKivDataVoiceView() { StopPlaying(); }

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

void CKivDataVoiceView::StopPlaying()
{
    if (m_device != 0) {
        if (IVoicePlayback* player = fw::Installed<IVoicePlayback>())
            player->Stop(m_device);
    }
    m_device = 0;
    m_playingRow = -1;
}

void CKivDataVoiceView::OnCellButton(int32_t, int32_t row)
{
    const int32_t playing = m_playingRow;
    StopPlaying();
    // A second click on the recording that plays only stops it.
    if (playing == row)
        return;
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || row < 0 || row > LastIndex())
        return;
    const unsigned device = doc->GetVoiceList().PlayRecording(doc->GetDataFolder(), row, [this] {
        // The end of the recording closes it, as a stop would.
        m_device = 0;
        m_playingRow = -1;
    });
    if (device != 0) {
        m_device = device;
        m_playingRow = row;
    }
}

void CKivDataVoiceView::OnPlay()
{
    CZELGridPane* sheet = GetGrid() ? GetGrid()->GetSheetPane() : nullptr;
    if (!sheet)
        return;
    const CCellIndices cur = sheet->GetCurrentCell();
    if (cur.row >= 0 && m_device == 0)
        OnCellButton(0, cur.row);
}

void CKivDataVoiceView::OnStop() { StopPlaying(); }

void CKivDataVoiceView::OnUpdatePlay(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid() ? GetGrid()->GetSelection() : CCellRange{};
    ui->Enable(LastIndex() >= 0 && sel.IsValid() && sel.top <= LastIndex() && m_device == 0);
}

void CKivDataVoiceView::OnUpdateStop(fw::CCmdUI* ui) { ui->Enable(m_device != 0); }

void CKivDataVoiceView::OnUpdateRename(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid() ? GetGrid()->GetSelection() : CCellRange{};
    ui->Enable(m_device == 0 && sel.IsValid() && sel.top <= LastIndex());
}

void CKivDataVoiceView::OnUpdateHistory(fw::CCmdUI* ui) { ui->Enable(GetDataDoc() != nullptr); }

void CKivDataVoiceView::OnHistoryUpdate()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    StopPlaying();
    doc->LoadVoiceFiles();
    doc->SetModifiedFlag();
}

void CKivDataVoiceView::OnRename()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || m_device != 0 || !GetGrid())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    if (!sel.IsValid())
        return;
    RenameRows(sel.top, sel.bottom);
    doc->UpdateAllViews(nullptr, kHintVoiceList);
    RescanProjects();
}

bool CKivDataVoiceView::RenameRows(int32_t first, int32_t last)
{
    CKivDataDoc* doc = GetDataDoc();
    CRenameDatafileDlg dlg(this);
    dlg.m_prf = CProjectBaseView::RenameSetting();
    dlg.m_prf.m_nNoNumber = first == last ? 1 : 0;
    if (dlg.DoModal() != fw::IDOK)
        return false;
    CProjectBaseView::RenameSetting() = dlg.m_prf;
    CReNamePrf pattern = dlg.m_prf;
    if (!pattern.Validate())
        return false;
    pattern.m_strExtension = kWavExtension;
    CVoiceListObj& list = doc->GetVoiceList();
    const fw::CString folder = doc->GetDataFolder();
    for (int32_t row = first; row <= last && row <= list.GetMaxIndex(); ++row) {
        const fw::CString title = list.GetFileName(row);
        if (title.IsEmpty())
            continue;
        fw::CString name;
        pattern.MakeName(name);
        const fw::CString from = fw::fs::PathJoin(folder, title + kWavExtension);
        const fw::CString to = fw::fs::PathJoin(folder, name + kWavExtension);
        fw::CFileException error;
        // Never over another file: the move itself refuses an existing name.
        if (!fw::fs::RenameNoReplace(from, to, &error)) {
            fw::CString text;
            if (error.m_errno == EEXIST)
                text = fw::Format(fw::LoadStringText(kIdsExists), name.c_str(), title.c_str());
            else
                error.GetErrorMessage(text);
            fw::AfxMessageBox(text, fw::MB_OK | fw::MB_ICONINFORMATION);
            return false;
        }
        list.SetFileName(row, name);
    }
    return true;
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
