#include "project/views/pages/PrjHistoryView.h"

#include "docbase/doc/UpdateHints.h"
#include "framework/core/DC.h"
#include "framework/core/PrintInfo.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "grid/views/GridRichWnd.h"
#include "project/model/KIV5980Doc.h"
#include "project/model/ProjectHost.h"
#include "project/views/DataFileRename.h"
#include "project/views/pages/HistoryPageServices.h"
#include "project/views/pages/MMAGrid.h"
#include "project/views/pages/PageHints.h"

#include <cmath>
#include <cstdio>

FW_IMPLEMENT_DYNCREATE(CPrjHistoryView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjHistoryView, CProjectBaseView)
    FW_ON_COMMAND(CPrjHistoryView::kIdDelete, &CPrjHistoryView::OnDeleteUnsaved)
    FW_ON_UPDATE(CPrjHistoryView::kIdDelete, &CPrjHistoryView::OnUpdateDelete)
    FW_ON_COMMAND(CPrjHistoryView::kIdConvert, &CPrjHistoryView::OnConvertDataFiles)
    FW_ON_UPDATE(CPrjHistoryView::kIdConvert, &CPrjHistoryView::OnUpdateDataFileCommand)
    FW_ON_COMMAND(CPrjHistoryView::kIdShow, &CPrjHistoryView::OnShowDataFiles)
    FW_ON_UPDATE(CPrjHistoryView::kIdShow, &CPrjHistoryView::OnUpdateDataFileCommand)
FW_END_COMMANDS

namespace {

constexpr unsigned kStepCaption = 208;
constexpr unsigned kFileNameCaption = 501;
struct Caption {
    unsigned id;
    const char* text;
};
constexpr Caption kStepColumnCaptions[] = {{622, "CFファイル名"}, {172, "計測日時"}, {173, "計測方法"}, {176, "試験タイトル"},
                                           {159, "計測時間"},     {184, "単位"},     {174, "サイクル数"}};
constexpr int16_t kNoUnit = static_cast<int16_t>(0x8000);
constexpr const char* kDataExtension = ".kivd";

} // namespace

namespace prjpage {

fw::CString GetHistoryStepCaption() { return PageText(kStepCaption, "ステップ"); }

void DrawHistoryPageHeader(CProjectBaseView& view, fw::CDC& dc, const fw::CRect& area)
{
    if (!dc.IsPrinting())
        return;
    CKIV5980Doc* doc = view.GetProjectDoc();
    if (!doc)
        return;
    fw::TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    fw::CRect line(area.left, area.top, area.right, area.top + tm.tmHeight);
    const int oldMode = dc.SetBkMode(fw::TRANSPARENT);
    fw::CString title = doc->GetTestTitle();
    dc.DrawText(title, &line, fw::DT_SINGLELINE | fw::DT_VCENTER | fw::DT_LEFT);
    dc.SetBkMode(oldMode);
}

} // namespace prjpage

CPrjHistoryView::CPrjHistoryView()
{
    m_nContextMenuId = static_cast<int32_t>(kContextMenu);
    ReplaceGrid(std::make_unique<CMMAGrid>(this));
}

void CPrjHistoryView::SetupGrid(int table)
{
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(static_cast<CKIV5980Doc::Table>(table)));
    SetUsedExtents();
}

void CPrjHistoryView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    SetupGrid(CKIV5980Doc::kTabHistory);
}

int32_t CPrjHistoryView::LastStep() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetHistory().GetLastIndex() : -1;
}

void CPrjHistoryView::SetUsedExtents()
{
    auto* grid = dynamic_cast<CZELGridEX*>(GetGrid());
    if (!grid)
        return;
    grid->SetUsedExtent(0, CMMAObject::kStepColumns - 1);
    grid->SetUsedExtent(1, LastStep());
}

bool CPrjHistoryView::ConcernsPage(fw::CObject* hintObject) const
{
    auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
    if (!data || data->m_pDocument != GetDocument())
        return false;
    return data->IsSentBy(GetDocument(), GetRuntimeClass()) || data->m_changeFlags == 512 || data->m_changeFlags == 16;
}

void CPrjHistoryView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case 0:
        return;
    case prjpage::kHintHistory:
        SetUsedExtents();
        if (GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    case prjpage::kHintColumns:
        if (ConcernsPage(hintObject) && GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        return;
    default:
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
    }
}

bool CPrjHistoryView::GetTagText(fw::CString& text, int32_t, int32_t, int)
{
    text = prjpage::GetHistoryStepCaption();
    return true;
}

bool CPrjHistoryView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    if (col == 0)
        text = prjpage::PageText(kFileNameCaption, "ファイル名");
    else if (col >= 1 && col <= CMMAObject::kStepColumns)
        text = prjpage::PageText(kStepColumnCaptions[col - 1].id, kStepColumnCaptions[col - 1].text);
    else
        return false;
    return true;
}

bool CPrjHistoryView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!doc || row < 0 || row > LastStep())
        return false;
    const CMMAObject& history = doc->GetHistory();
    char buf[64];
    switch (col) {
    case 0: text = history.GetDataFileName(row); break;
    case 1: text = history.GetCardFileName(row); break;
    case 2: text = history.GetStepTime(row).Format(prjpage::kStepTimeFormat); break;
    case 3: history.GetMeasureModeText(row, text); break;
    case 4: text = history.GetTitle(row); break;
    case 5: {
        const double duration = history.GetDuration(row);
        if (duration == HUGE_VAL)
            return true;
        std::snprintf(buf, sizeof buf, "%g", duration);
        text = buf;
        break;
    }
    case 6: {
        const int16_t unit = history.GetDurationUnit(row);
        if (unit == kNoUnit)
            return true;
        text = fw::LoadStringText(static_cast<uint16_t>(unit));
        break;
    }
    case 7: {
        const double cycles = history.GetCycleCount(row);
        if (cycles == HUGE_VAL)
            return true;
        std::snprintf(buf, sizeof buf, "%.0f", cycles);
        text = buf;
        break;
    }
    default: return false;
    }
    return true;
}

bool CPrjHistoryView::CanPaste() const { return GetGrid()->GetActiveEditor() != nullptr; }

bool CPrjHistoryView::CanRenameDataFiles() const { return CanUseDataFiles(); }

// ---- printing ------------------------------------------------------------------------------------

int32_t CPrjHistoryView::PrintLastColumn() const
{
    // The page prints its own columns.
    const CZELGridPane* sheet = GetGrid()->GetSheetPane();
    return std::max(sheet ? sheet->ColumnCount() - 1 : 0, 0);
}

void CPrjHistoryView::OnBeginPrinting(fw::CDC* dc, fw::CPrintInfo* info)
{
    const fw::CRect area = info ? info->m_rectDraw : fw::CRect();
    const fw::CRect rect(m_nMarginLeft, m_nMarginTop, area.Width() - m_nMarginRight, area.Height() - m_nMarginBottom);
    const int pages = GetGrid()->BeginPrint(*dc, rect, true, std::max(LastStep(), 0), PrintLastColumn(), false);
    if (info)
        info->SetMaxPage(static_cast<unsigned>(std::max(pages, 0)));
}

void CPrjHistoryView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    if (dc && info) {
        const fw::CRect area = info->m_rectDraw;
        prjpage::DrawHistoryPageHeader(*this, *dc,
                                       fw::CRect(m_nMarginLeft, 0, area.Width() - m_nMarginRight, m_nMarginTop));
    }
    CProjectBaseView::OnPrint(dc, info);
}

// ---- commands ------------------------------------------------------------------------------------

bool CPrjHistoryView::CanUseDataFiles() const
{
    const CCellRange sel = GetGrid()->GetSelection();
    return GetProjectDoc() && sel.top >= 0 && sel.top <= LastStep();
}

bool CPrjHistoryView::CanDeleteUnsaved() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    CZELViewGrid* grid = GetGrid();
    if (!doc || doc->IsEditLocked() || grid->GetActiveEditor() || !grid->GetStyle())
        return false;
    const CCellRange sel = grid->GetSelection();
    const int32_t lastCol = grid->GetSheetPane()->ColumnCount() - 1;
    if (sel.left != 0 || sel.right != lastCol || sel.top < 0 || sel.top > LastStep())
        return false;
    return doc->GetHistory().HasStepWithoutDataFile(sel.top, std::min(sel.bottom, LastStep()));
}

void CPrjHistoryView::OnUpdateDelete(fw::CCmdUI* ui) { ui->Enable(CanDeleteUnsaved()); }

void CPrjHistoryView::OnUpdateDataFileCommand(fw::CCmdUI* ui) { ui->Enable(CanUseDataFiles()); }

void CPrjHistoryView::OnDeleteUnsaved()
{
    if (!CanDeleteUnsaved())
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    GetProjectDoc()->RemoveUnsavedSteps(sel.top, std::min(sel.bottom, LastStep()));
}

void CPrjHistoryView::OnConvertDataFiles()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!CanUseDataFiles())
        return;
    const fw::CString folder = doc->GetDataFolder();
    if (!HistoryPageServices().ChooseDataTextOptions(folder))
        return;
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t last = std::min(sel.bottom, LastStep());
    fw::CWaitCursor wait;
    for (int32_t row = sel.top; row <= last; ++row) {
        const fw::CString name = doc->GetHistory().GetDataFileName(row);
        if (!name.IsEmpty())
            HistoryPageServices().ConvertDataFile(CDataFileRename::DataFilePath(folder, name, kDataExtension));
    }
}

void CPrjHistoryView::OnShowDataFiles()
{
    CKIV5980Doc* doc = GetProjectDoc();
    if (!CanUseDataFiles())
        return;
    const fw::CString folder = doc->GetDataFolder();
    const CCellRange sel = GetGrid()->GetSelection();
    const int32_t last = std::min(sel.bottom, LastStep());
    for (int32_t row = sel.top; row <= last; ++row) {
        const fw::CString name = doc->GetHistory().GetDataFileName(row);
        if (!name.IsEmpty())
            ProjectHost().OpenDocumentFile(CDataFileRename::DataFilePath(folder, name, kDataExtension));
    }
}
