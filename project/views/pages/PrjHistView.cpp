#include "project/views/pages/PrjHistView.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/Format.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/Services.h"
#include "frequency/model/HistFileAccess.h"
#include "frequency/model/HistMMAObject.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/RenameDlgs.h"
#include "project/views/pages/HistoryPageServices.h"
#include "project/views/pages/MMAGrid.h"
#include "project/views/pages/PageHints.h"
#include "project/views/pages/PrjHistoryView.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

FW_IMPLEMENT_DYNCREATE(CPrjHistView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjHistView, CProjectBaseView)
    FW_ON_COMMAND(CPrjHistView::kIdShow, &CPrjHistView::OnShowFile)
    FW_ON_UPDATE(CPrjHistView::kIdShow, &CPrjHistView::OnUpdateFileCommand)
    FW_ON_COMMAND(CPrjHistView::kIdRename, &CPrjHistView::OnRenameFiles)
    FW_ON_UPDATE(CPrjHistView::kIdRename, &CPrjHistView::OnUpdateFileCommand)
    FW_ON_COMMAND(CPrjHistView::kIdRetitle, &CPrjHistView::OnRetitleFiles)
    FW_ON_UPDATE(CPrjHistView::kIdRetitle, &CPrjHistView::OnUpdateFileCommand)
    FW_ON_COMMAND(CPrjHistView::kIdConvert, &CPrjHistView::OnConvertFiles)
    FW_ON_UPDATE(CPrjHistView::kIdConvert, &CPrjHistView::OnUpdateFileCommand)
FW_END_COMMANDS

namespace {

constexpr const char* kExtension = ".kivh";
struct Caption {
    unsigned id;
    const char* text;
};
constexpr Caption kColumnCaptions[] = {
    {501, "ファイル名"}, {622, "CFファイル名"}, {667, "測定開始時刻"}, {668, "測定停止時刻"}, {176, "試験タイトル"}};
constexpr int kHistoryColumns = 4;

// A move that never replaces an existing file; errno on failure.
int MoveNoReplace(const fw::CString& from, const fw::CString& to)
{
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    ::unlink(from.c_str());
    return 0;
}

} // namespace

CPrjHistView::CPrjHistView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    ReplaceGrid(std::make_unique<CMMAGrid>(this));
}

CReNameTitlePrf& CPrjHistView::TitleSetting() { return CProjectBaseView::TitleSetting(); }

void CPrjHistView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabFreqHistory));
    SetUsedExtents();
}

int32_t CPrjHistView::LastRow() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetFreqHistory().GetMaxIndex() : -1;
}

void CPrjHistView::SetUsedExtents()
{
    if (auto* grid = dynamic_cast<CZELGridEX*>(GetGrid())) {
        grid->SetUsedExtent(0, kHistoryColumns - 1);
        grid->SetUsedExtent(1, LastRow());
    }
}

void CPrjHistView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case 0:
        return;
    case prjpage::kHintFreqHistory:
        SetUsedExtents();
        if (GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    case prjpage::kHintColumns: {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (data && data->m_pDocument == GetDocument() &&
            (data->IsSentBy(GetDocument(), GetRuntimeClass()) || data->m_changeFlags == 512 ||
             data->m_changeFlags == 16) &&
            GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    }
    default:
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
    }
}

bool CPrjHistView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = prjpage::GetHistoryStepCaption();
    return true;
}

bool CPrjHistView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col < 0 || col > kHistoryColumns)
        return false;
    text = prjpage::PageText(kColumnCaptions[col].id, kColumnCaptions[col].text);
    return true;
}

bool CPrjHistView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row > LastRow())
        return true;
    const CHistMMAObject& history = doc->GetFreqHistory();
    switch (col) {
    case 0: text = history.GetPath(row); break;
    case 1: text = history.GetCFFileName(row); break;
    case 2: text = history.GetStartTime(row).Format(prjpage::kStepTimeFormat); break;
    case 3: text = history.GetStopTime(row).Format(prjpage::kStepTimeFormat); break;
    case 4: text = history.GetTitle(row); break;
    default: break;
    }
    return true;
}

bool CPrjHistView::CanPaste() const { return GetGrid()->GetActiveEditor() != nullptr; }

fw::CString CPrjHistView::RowFile(int32_t row) const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return fw::CString(doc->GetDataFolder().str() + "/" + doc->GetFreqHistory().GetPath(row).str() + kExtension);
}

// ---- printing ------------------------------------------------------------------------------------

void CPrjHistView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    const fw::CRect area = info ? info->m_rectDraw : fw::CRect();
    const fw::CRect rect(m_nMarginLeft, m_nMarginTop, area.Width() - m_nMarginRight, area.Height() - m_nMarginBottom);
    const int32_t lastCol = GetGrid()->GetSheetPane()->ColumnCount() - 1;
    const int pages = GetGrid()->BeginPrint(*dc, rect, true, std::max(LastRow(), 0), std::max(lastCol, 0), false);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 0)));
}

void CPrjHistView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (dc && info)
        prjpage::DrawHistoryPageHeader(*this, *dc,
                                       fw::CRect(m_nMarginLeft, 0, info->m_rectDraw.Width() - m_nMarginRight, m_nMarginTop));
    CProjectBaseView::OnPrint(dc, info);
}

// ---- commands ------------------------------------------------------------------------------------

bool CPrjHistView::SelectedRows(int32_t& first, int32_t& last) const
{
    const CCellRange sel = GetGrid()->GetSelection();
    first = sel.top;
    last = std::min(sel.bottom, LastRow());
    return GetProjectDoc() && first >= 0 && first <= LastRow();
}

void CPrjHistView::OnUpdateFileCommand(fw::CCmdUI* ui)
{
    int32_t first = 0, last = 0;
    ui->Enable(SelectedRows(first, last));
}

void CPrjHistView::Announce()
{
    SetUsedExtents();
    GetProjectDoc()->UpdateAllViews(nullptr, prjpage::kHintFreqHistory);
}

void CPrjHistView::OnShowFile()
{
    int32_t first = 0, last = 0;
    if (!SelectedRows(first, last))
        return;
    for (int32_t row = first; row <= last; ++row)
        if (!GetProjectDoc()->GetFreqHistory().GetPath(row).IsEmpty())
            ProjectHost().OpenDocumentFile(RowFile(row));
}

void CPrjHistView::OnRenameFiles()
{
    int32_t first = 0, last = 0;
    if (!SelectedRows(first, last))
        return;
    if (HistoryPageServices().IsFrequencyDataOpen()) {
        fw::AfxMessageBox(prjpage::PageText(kMsgCloseFiles, "データファイルをすべて閉じてから行ってください。"));
        return;
    }
    CRenameDatafileDlg dlg(this);
    dlg.m_prf = RenameSetting();
    dlg.m_prf.m_nNoNumber = first == last ? 1 : 0;
    if (dlg.DoModal() != fw::IDOK)
        return;
    RenameSetting() = dlg.m_prf;
    if (!RenameSetting().Validate())
        return;
    CReNamePrf pattern = RenameSetting();
    pattern.m_strExtension = kExtension;
    CKIV5980Doc* doc = GetProjectDoc();
    CHistMMAObject& history = doc->GetFreqHistory();
    const std::string folder = doc->GetDataFolder().str();
    for (int32_t row = first; row <= last; ++row) {
        const fw::CString old = history.GetPath(row);
        if (old.IsEmpty())
            continue;
        fw::CString name;
        pattern.MakeName(name);
        const int error = MoveNoReplace(fw::CString(folder + "/" + old.str() + kExtension),
                                        fw::CString(folder + "/" + name.str() + kExtension));
        if (error == EEXIST) {
            const fw::CString pattern511 =
                prjpage::PageText(kMsgTargetExists, "%sはすでにあるので%sの名前を変更できません。");
            fw::AfxMessageBox(fw::Format(pattern511.c_str(), name.c_str(), old.c_str()), fw::MB_ICONINFORMATION);
            break;
        }
        if (error != 0) {
            fw::AfxMessageBox(fw::CString(std::strerror(error)), fw::MB_ICONINFORMATION);
            break;
        }
        history.SetPath(row, name);
    }
    doc->SetModifiedFlag(true);
    Announce();
}

void CPrjHistView::OnRetitleFiles()
{
    int32_t first = 0, last = 0;
    if (!SelectedRows(first, last))
        return;
    if (HistoryPageServices().IsFrequencyDataOpen()) {
        fw::AfxMessageBox(prjpage::PageText(kMsgCloseFiles, "データファイルをすべて閉じてから行ってください。"));
        return;
    }
    CRenameTitleDlg dlg(this);
    dlg.m_prf = TitleSetting();
    if (dlg.DoModal() != fw::IDOK)
        return;
    TitleSetting() = dlg.m_prf;
    if (!TitleSetting().Validate())
        return;
    CKIV5980Doc* doc = GetProjectDoc();
    CHistMMAObject& history = doc->GetFreqHistory();
    IHistFileAccess* access = fw::Installed<IHistFileAccess>();
    for (int32_t row = first; row <= last; ++row) {
        if (history.GetPath(row).IsEmpty())
            continue;
        fw::CString title = TitleSetting().m_nAppend ? history.GetTitle(row) : fw::CString();
        TitleSetting().MakeName(title);
        // A file that cannot be written is reported by the writer and skipped.
        if (access && access->ReplaceTitle(RowFile(row), title))
            history.SetTitle(row, title);
    }
    doc->SetModifiedFlag(true);
    Announce();
}

void CPrjHistView::OnConvertFiles()
{
    int32_t first = 0, last = 0;
    if (!SelectedRows(first, last))
        return;
    CKIV5980Doc* doc = GetProjectDoc();
    if (!HistoryPageServices().ChooseHistTextOptions(doc->GetDataFolder()))
        return;
    fw::CWaitCursor wait;
    for (int32_t row = first; row <= last; ++row) {
        if (doc->GetFreqHistory().GetPath(row).IsEmpty())
            continue;
        if (!HistoryPageServices().ConvertHistFile(RowFile(row)))
            break;
    }
}
