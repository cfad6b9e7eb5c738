#include "canvoicegps/views/data/CanGraphListView.h"

#include "canvoicegps/model/CanGraphTimeListObj.h"
#include "canvoicegps/views/data/CanGpsGraphGrid.h"
#include "canvoicegps/views/data/CanGpsGraphRows.h"
#include "canvoicegps/views/data/CanGpsListViews.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/tank/DataTankObject.h"
#include "data/model/KivDataDoc.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/Format.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <algorithm>
#include <cmath>
#include <memory>

FW_IMPLEMENT_DYNCREATE(CCanGraphListView, CKivDataGraphView)

FW_BEGIN_COMMANDS(CCanGraphListView, CKivDataGraphView)
    FW_ON_COMMAND(CKivDataViewBase::kIdTextSave, &CCanGraphListView::OnSaveText)
    FW_ON_UPDATE(CKivDataGraphView::kIdCursorInfo, &CCanGraphListView::OnUpdateDisabled)
    FW_ON_UPDATE(CKivDataListViewBase::kIdSetSelect, &CCanGraphListView::OnUpdateDisabled)
    FW_ON_UPDATE(CKivDataListViewBase::kIdThinning, &CCanGraphListView::OnUpdateDisabled)
    FW_ON_UPDATE(CCanGraphListView::kIdPeakSearch, &CCanGraphListView::OnUpdateDisabled)
    FW_ON_UPDATE(CCanGraphListView::kIdPeakClear, &CCanGraphListView::OnUpdateDisabled)
FW_END_COMMANDS

namespace {

constexpr int32_t kColCursor = 2;
constexpr int kTimeDigits = 8;

fw::CString TimeText(double time)
{
    return time == HUGE_VAL ? fw::CString() : fw::Format("%.*g", kTimeDigits, time);
}

} // namespace

CCanGraphListView::CCanGraphListView() { ReplaceGrid(std::make_unique<CCanGraphGrid>(this)); }

CZELGridStyle* CCanGraphListView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleCanGraph) : nullptr;
}

void CCanGraphListView::SetUpListGrid()
{
    if (CKivDataDoc* doc = GetDataDoc())
        m_pColumns = &doc->GetBoxArray().GetCanTanks();
}

CDataTankObject* CCanGraphListView::GetColumnTank(int32_t row)
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? CanSignalTank(*doc, row) : nullptr;
}

CGraphTimeListObj* CCanGraphListView::GetGraphList() const
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? CanGraphOf(*doc) : nullptr;
}

void CCanGraphListView::ShapeRows()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    SyncCanGraphRows(*doc);
    if (CZELGridStyle* style = GetViewStyle())
        style->SetRowCount(std::max(CanSignalCount(*doc), 1));
}

void CCanGraphListView::OnInitialUpdate()
{
    ShapeRows();
    CKivDataGraphView::OnInitialUpdate();
}

void CCanGraphListView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == kHintData)
        if (auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
            data && data->m_pDocument == GetDocument() && (data->m_changeFlags & kFlagRows)) {
            ShapeRows();
            if (GetGrid())
                GetGrid()->ApplyStyle(false);
        }
    CKivDataGraphView::OnUpdate(sender, hint, hintObject);
}

bool CCanGraphListView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int display)
{
    if (col != kColCursor)
        return CKivDataGraphView::GetSheetText(text, col, row, display);
    text.Empty();
    CDataTankObject* tank = GetColumnTank(row);
    CGraphTimeListObj* graph = GetGraphList();
    if (!tank)
        return true;
    int32_t cursors[2] = {-1, -1};
    if (graph)
        graph->GetSelection(cursors[0], cursors[1]);
    fw::CString lines[4] = {"", " 値", " 時間", " 位置"};
    for (int k = 0; k < 2; ++k) {
        const int32_t at = cursors[k];
        fw::CString value;
        if (at >= 0)
            tank->GetValueText(at, value, true);
        const double time = at >= 0 && graph ? graph->SampleToTime(at) : HUGE_VAL;
        lines[0] += fw::Format("\tカーソル%d", k + 1);
        lines[1] += "\t" + value;
        lines[2] += "\t" + TimeText(time);
        lines[3] += "\t" + (at >= 0 ? fw::Format("%d", at + 1) : fw::CString());
    }
    text = lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n" + lines[3];
    return true;
}

void CCanGraphListView::OnSaveText()
{
    fw::CDocument* doc = GetDocument();
    if (!doc)
        return;
    for (fw::POSITION pos = doc->GetFirstViewPosition(); pos;)
        if (auto* list = dynamic_cast<CCanDataListView*>(doc->GetNextView(pos))) {
            list->SaveText();
            return;
        }
}

void CCanGraphListView::OnUpdateDisabled(fw::CCmdUI* ui) { ui->Enable(false); }
