#include "data/views/KivDataChDataView.h"

#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/KivSPTankData.h"
#include "common/tank/UseTankList.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/UpdateHints.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <algorithm>

FW_IMPLEMENT_DYNCREATE(CKivDataChDataView, CKivDataListViewBase)

namespace {

constexpr const char* kCornerCaptions[] = {"名前", "単位", "最大値", "最小値", "平均値"};

// Reads one value of a cached calculated tank without moving its window
// for the neighbours' sake.
void ReadCell(CDataTankObject* tank, int32_t row, fw::CString& text)
{
    auto* cached = dynamic_cast<CCashCalcuDataTank*>(tank);
    if (cached)
        cached->SetCacheWindowPlacement(1);
    tank->GetValueText(row, text, true);
    if (cached)
        cached->SetCacheWindowPlacement(0);
}

} // namespace

CKivDataChDataView::CKivDataChDataView()
{
    m_nContextMenuId = 167;
    m_bMarkersInUndo = true;
}

CZELGridStyle* CKivDataChDataView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleValues) : nullptr;
}

void CKivDataChDataView::OnInitialUpdate()
{
    if (CKivDataDoc* doc = GetDataDoc())
        if (CZELGridStyle* style = doc->GetStyle(CKivDataDoc::kStyleValues))
            style->SetRowCount(std::max(doc->GetSampleCount(), 1));
    CKivDataListViewBase::OnInitialUpdate();
}

void CKivDataChDataView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    if (hint == kHintData) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (!data || data->m_pDocument != GetDocument())
            return;
        if (data->m_changeFlags & kFlagRows) {
            grid->GetStyle()->SetRowCount(std::max(GetDataDoc()->GetSampleCount(), 1));
            grid->ApplyStyle(false);
            if (CKivDataFrame* frame = GetDataFrame())
                frame->UpdateBarFields();
            grid->RedrawPanes();
        } else if (data->m_changeFlags & (1 | 8 | 0x10)) {
            grid->RedrawPanes();
        }
        return;
    }
    if (hint == kHintTimeUnit) {
        grid->RedrawPanes();
        return;
    }
    CKivDataListViewBase::OnUpdate(sender, hint, hintObject);
}

bool CKivDataChDataView::TankHeaderText(CDataTankObject* tank, int32_t row, fw::CString& text)
{
    text.Empty();
    if (!tank)
        return true;
    switch (row) {
    case 0: text = tank->GetName(); break;
    case 1: text = tank->GetUnit(); break;
    case 2: tank->GetMaxText(text, true); break;
    case 3: tank->GetMinText(text, true); break;
    case 4: tank->GetAverageText(text, true); break;
    default: return false;
    }
    return true;
}

bool CKivDataChDataView::GetTagText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (row < 0 || row > 4)
        return false;
    if (col == 0) {
        text = kCornerCaptions[row];
        return true;
    }
    CKivDataDoc* doc = GetDataDoc();
    return doc && TankHeaderText(doc->GetBoxArray().GetTankList().GetTimeTank(), row, text);
}

bool CKivDataChDataView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    return TankHeaderText(GetColumnTank(col), row, text);
}

bool CKivDataChDataView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (col == 0) {
        text.Format("%d", row + 1);
        return true;
    }
    CKivDataDoc* doc = GetDataDoc();
    if (CDataTankObject* time = doc ? doc->GetBoxArray().GetTankList().GetTimeTank() : nullptr)
        time->GetValueText(row, text, true);
    return true;
}

bool CKivDataChDataView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    if (CDataTankObject* tank = GetColumnTank(col))
        ReadCell(tank, row, text);
    return true;
}

int32_t CKivDataChDataView::GetLastUsedRow(int32_t firstCol, int32_t lastCol)
{
    if (!m_pColumns)
        return 0;
    return std::max(m_pColumns->GetLastFilledIndex(firstCol, lastCol < 0 ? 320 : lastCol), 0);
}

int32_t CKivDataChDataView::GetValueCount()
{
    return m_pColumns ? m_pColumns->GetMaxDataCount(0, 320) : 0;
}

bool CKivDataChDataView::WholeRowsSelected()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || doc->IsEditLocked())
        return false;
    // The sheet's own column count: whole rows span every column.
    const CCellRange sel = Selection();
    return sel.left == 0 && sel.right + 1 == SheetColumnCount();
}

bool CKivDataChDataView::GetSelectedRows(int32_t& first, int32_t& last)
{
    const CCellRange sel = Selection();
    if (sel.left != 0 || sel.right + 1 != SheetColumnCount())
        return false;
    first = sel.top + 1;
    last = sel.bottom + 1;
    return true;
}

void CKivDataChDataView::SelectRows(int32_t first, int32_t last)
{
    CGridJob job;
    GetGrid()->GetSelectionJob(job);
    job.m_selection = {first - 1, 0, last - 1, SheetColumnCount() - 1};
    if (job.m_current.row < first - 1)
        job.m_current.row = first - 1;
    else if (job.m_current.row > last - 1)
        job.m_current.row = last - 1;
    GetGrid()->ApplySelectionJob(job);
}

void CKivDataChDataView::WriteUndoExtra(fw::CArchive& ar)
{
    if (m_bMarkersInUndo)
        GetDataDoc()->GetBoxArray().SerializeMarkerList(ar);
}

void CKivDataChDataView::ReadUndoExtra(fw::CArchive& ar)
{
    if (m_bMarkersInUndo)
        GetDataDoc()->GetBoxArray().SerializeMarkerList(ar);
}
