#include "canvoicegps/views/PrjVoiceView.h"

#include "canvoicegps/voice/VoicePlayback.h"
#include "canvoicegps/voice/VoiceListObj.h"
#include "docbase/doc/UpdateHints.h"
#include "grid/views/GridPane.h"
#include "framework/core/DateTime.h"
#include "framework/core/Format.h"
#include "framework/core/MenuResource.h"
#include "framework/core/Services.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StandardCommands.h"
#include "framework/core/StringTable.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/ReNamePrf.h"
#include "project/views/RenameDlgs.h"
#include "project/views/pages/MMAGrid.h"

#include <filesystem>
#include <system_error>

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

CPrjVoiceView::~CPrjVoiceView() { StopPlaying(); }

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

void CPrjVoiceView::StopPlaying()
{
    if (m_device != 0) {
        if (IVoicePlayback* player = fw::Installed<IVoicePlayback>())
            player->Stop(m_device);
    }
    m_device = 0;
    m_playingRow = -1;
}

void CPrjVoiceView::OnCellButton(int32_t, int32_t row)
{
    const int32_t playing = m_playingRow;
    StopPlaying();
    // A second click on the recording that plays only stops it.
    if (playing == row)
        return;
    CKIV5980Doc* doc = GetProjectDoc();
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

void CPrjVoiceView::OnPlay()
{
    CZELGridPane* sheet = GetGrid() ? GetGrid()->GetSheetPane() : nullptr;
    if (!sheet)
        return;
    const CCellIndices cur = sheet->GetCurrentCell();
    if (cur.row >= 0 && m_device == 0)
        OnCellButton(0, cur.row);
}

void CPrjVoiceView::OnStop() { StopPlaying(); }

void CPrjVoiceView::OnUpdatePlay(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid() ? GetGrid()->GetSelection() : CCellRange{};
    ui->Enable(LastIndex() >= 0 && sel.IsValid() && sel.top <= LastIndex() && m_device == 0);
}

void CPrjVoiceView::OnUpdateStop(fw::CCmdUI* ui) { ui->Enable(m_device != 0); }

void CPrjVoiceView::OnUpdateRename(fw::CCmdUI* ui)
{
    const CCellRange sel = GetGrid() ? GetGrid()->GetSelection() : CCellRange{};
    ui->Enable(m_device == 0 && sel.IsValid() && sel.top <= LastIndex());
}

void CPrjVoiceView::OnRename()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || m_device != 0)
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    if (!sel.IsValid())
        return;
    CRenameDatafileDlg dlg(this);
    dlg.m_prf = RenameSetting();
    dlg.m_prf.m_nNoNumber = sel.top == sel.bottom ? 1 : 0;
    if (dlg.DoModal() != fw::IDOK)
        return;
    RenameSetting() = dlg.m_prf;
    CReNamePrf pattern = dlg.m_prf;
    if (!pattern.Validate())
        return;
    pattern.m_strExtension = ".wav";
    namespace fs = std::filesystem;
    CVoiceListObj& list = doc->GetVoiceList();
    const fs::path data(doc->GetDataFolder().str());
    for (int32_t row = sel.top; row <= sel.bottom && row <= list.GetMaxIndex(); ++row) {
        const fw::CString title = list.GetFileName(row);
        if (title.IsEmpty())
            continue;
        const fs::path folder = data / list.GetFolderName(row).str();
        fw::CString name;
        pattern.MakeName(name);
        const fs::path from = folder / (title.str() + ".wav");
        const fs::path to = folder / (name.str() + ".wav");
        std::error_code ec;
        // Never over another recording: an existing name stops the walk.
        if (fs::exists(to, ec)) {
            fw::AfxMessageBox(fw::Format(fw::LoadStringText(kIdsExists), name.c_str(), title.c_str()),
                              fw::MB_OK | fw::MB_ICONINFORMATION);
            break;
        }
        fs::rename(from, to, ec);
        if (ec) {
            fw::AfxMessageBox(fw::CString(ec.message()), fw::MB_OK | fw::MB_ICONINFORMATION);
            break;
        }
        list.SetFileName(row, name);
    }
    doc->UpdateAllViews(nullptr, kHintVoiceList);
}
