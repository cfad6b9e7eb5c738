#include "data/views/KivDataViewBase.h"

#include "data/model/KivDataDoc.h"
#include "data/views/DataViewMenus.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Services.h"
#include "framework/ui/CmdUI.h"
#include "grid/model/GridArray.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <algorithm>

FW_IMPLEMENT_DYNAMIC(CKivDataViewBase, CDocTableView)

FW_BEGIN_COMMANDS(CKivDataViewBase, CDocTableView)
    FW_ON_COMMAND(CKivDataViewBase::kIdEditLock, &CKivDataViewBase::OnEditLock)
    FW_ON_UPDATE(CKivDataViewBase::kIdEditLock, &CKivDataViewBase::OnUpdateEditLock)
    FW_ON_COMMAND(CKivDataViewBase::kIdRecalculate, &CKivDataViewBase::OnRecalculate)
    FW_ON_UPDATE(CKivDataViewBase::kIdRecalculate, &CKivDataViewBase::OnUpdateRecalculate)
    FW_ON_COMMAND_RANGE(CKivDataViewBase::kIdTimeUnitMs, CKivDataViewBase::kIdTimeUnitH, &CKivDataViewBase::OnTimeUnit)
    FW_ON_UPDATE_RANGE(CKivDataViewBase::kIdTimeUnitMs, CKivDataViewBase::kIdTimeUnitH,
                       &CKivDataViewBase::OnUpdateTimeUnit)
FW_END_COMMANDS

CKivDataDoc* CKivDataViewBase::GetDataDoc() const { return dynamic_cast<CKivDataDoc*>(GetDocument()); }

CKivDataFrame* CKivDataViewBase::GetDataFrame() const { return dynamic_cast<CKivDataFrame*>(GetParentFrame()); }

void CKivDataViewBase::OnInitialUpdate()
{
    CZELSpredView::OnInitialUpdate();
    SetGridStyle(GetViewStyle());
}

void CKivDataViewBase::SetGridStyle(CZELGridStyle* style)
{
    if (!style)
        return;
    CZELSpredView::SetGridStyle(style);
}

void CKivDataViewBase::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    switch (hint) {
    case kHintRepaint:
        grid->RedrawPanes();
        break;
    case kHintTitle:
        if (CKivDataFrame* frame = GetDataFrame(); frame && IsWindowVisible()) {
            frame->UpdateTitleEdit();
            frame->UpdateBarFields();
            break;
        }
        [[fallthrough]];
    case kHintData:
        if (auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
            data && data->IsSentBy(GetDocument(), GetRuntimeClass()))
            grid->RedrawPanes();
        break;
    case kHintMetrics:
        grid->ResetPaneMetrics();
        break;
    default:
        break;
    }
}

void CKivDataViewBase::EnsureMenus() { datamenu::EnsureDataViewMenus(); }

void CKivDataViewBase::GetFrameLines(std::vector<fw::CString>& lines, char sep)
{
    fw::CString timing;
    fw::CString record;
    if (CKivDataFrame* frame = GetDataFrame()) {
        frame->GetTimingText(timing, sep);
        frame->GetRecordText(record, sep);
    }
    lines.push_back(timing);
    lines.push_back(record);
}

// ---- undo journal --------------------------------------------------------------------------------

void CKivDataViewBase::WriteRecordBody(fw::CArchive& ar, int32_t code, CGridJob& job, int32_t extra)
{
    if (code != kUndoOutside) {
        CDocTableView::WriteRecordBody(ar, code, job, extra);
        return;
    }
    const CCellRange sel = job.m_selection;
    // The rows and columns of the table itself: a scroll limit can stop
    // short of them and lose rows.
    const int32_t lastRow = UndoExtent() - 1;
    const int32_t lastCol = SheetColumnCount() - 1;
    ar << lastRow;
    if (sel.top > 0)
        WriteBlock(ar, {0, sel.left, sel.top - 1, lastCol});
    if (lastRow > sel.bottom)
        WriteBlock(ar, {sel.bottom + 1, sel.left, lastRow, lastCol});
    GetGrid()->ApplySelectionJob(job);
    WriteUndoExtra(ar);
}

void CKivDataViewBase::ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
                                    bool& reversed)
{
    CZELViewGrid* grid = GetGrid();
    const CCellRange sel = job.m_selection;
    auto restore = [&] { grid->ApplySelectionJob(job); };
    switch (code) {
    case kUndoOutside: {
        int32_t lastRow = 0;
        ar >> lastRow;
        const int32_t lastCol = SheetColumnCount() - 1;
        if (sel.top > 0) {
            InsertRows(sel.left, 0, sel.right, sel.top - 1);
            ReadBlock(ar, {0, sel.left, sel.top - 1, lastCol});
        }
        if (lastRow >= sel.bottom + 1) {
            InsertRows(sel.left, sel.bottom + 1, sel.right, lastRow);
            ReadBlock(ar, {sel.bottom + 1, sel.left, lastRow, lastCol});
        }
        ReadUndoExtra(ar);
        restore();
        reversed = WriteUndoRecord(reverse, kUndoKeptRows, -1);
        break;
    }
    case kUndoKeptRows: {
        restore();
        reversed = WriteUndoRecord(reverse, kUndoOutside, -1);
        DeleteOutsideRows(sel.left, sel.top, sel.right, sel.bottom);
        const int32_t shift = sel.top;
        job.m_selection.top = 0;
        job.m_selection.bottom -= shift;
        job.m_current.row = std::max(job.m_current.row - shift, 0);
        job.m_end.row = std::max(job.m_end.row - shift, 0);
        job.m_topLeft.row = 0;
        grid->ApplySelectionJob(job);
        break;
    }
    default:
        CDocTableView::ReplayRecord(ar, code, job, reverse, reversed);
        break;
    }
}

// ---- state ----------------------------------------------------------------------------------------

bool CKivDataViewBase::CanInsertRows()
{
    if (!CanEdit())
        return false;
    const CCellRange sel = Selection();
    // Any text right of the selection is pushed down too.
    const int32_t used = GetLastUsedRow(sel.left, -1);
    return sel.bottom + used - sel.top + 1 < SheetRowCount();
}

void CKivDataViewBase::OnEditLock()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    const bool locked = doc->ToggleEditLock();
    if (CKivDataFrame* frame = GetDataFrame())
        frame->SetBarReadOnly(locked);
}

void CKivDataViewBase::OnRecalculate()
{
    CKivDataDoc* doc = GetDataDoc();
    fw::CWaitCursor wait;
    doc->GetBoxArray().GetTankList().RecalculateAll();
    doc->GetUndoBuffer().Release(0);
    doc->SendUpdateHint(this, -1, -1, 1);
    doc->SetModifiedFlag(true);
}

void CKivDataViewBase::OnTimeUnit(unsigned id)
{
    CKivDataDoc* doc = GetDataDoc();
    doc->SetTimeUnit(static_cast<int>(id - kIdTimeUnitMs));
    if (CKivDataFrame* frame = GetDataFrame())
        frame->UpdateBarFields();
}

void CKivDataViewBase::OnUpdateEditLock(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc != nullptr);
    ui->SetCheck(doc && doc->IsEditLocked() ? 1 : 0);
}

void CKivDataViewBase::OnUpdateRecalculate(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    ui->Enable(doc && doc->GetBoxArray().GetTankList().GetSize() > CKivDocBase::kFirstCalcChannel);
}

void CKivDataViewBase::OnUpdateTimeUnit(fw::CCmdUI* ui)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || doc->GetAdSet().UsesExternalClock()) {
        ui->Enable(false);
        ui->SetCheck(0);
        return;
    }
    ui->SetCheck(static_cast<unsigned>(doc->GetAdSet().m_nUnit) == ui->m_nID - kIdTimeUnitMs ? 1 : 0);
    ui->Enable(!doc->IsEditLocked());
}
