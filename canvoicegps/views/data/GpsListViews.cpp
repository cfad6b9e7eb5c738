#include "canvoicegps/views/data/GpsListViews.h"

#include "canvoicegps/model/GpsGraphTimeListObj.h"
#include "canvoicegps/model/UpdateSelArea.h"
#include "canvoicegps/views/data/CanGpsGraphGrid.h"
#include "canvoicegps/views/data/CanGpsGraphRows.h"
#include "chart/model/DrawMarkerList.h"
#include "common/tank/UseTankList.h"
#include "data/model/KivDataDoc.h"
#include "data/views/KivDataFrame.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/DC.h"
#include "framework/ui/Wnd.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <QWidget>

#include <algorithm>
#include <memory>

FW_IMPLEMENT_DYNCREATE(CGpsDataListView, CKivDataChDataView)
FW_IMPLEMENT_DYNCREATE(CGpsGraphListView, CKivDataGraphView)

FW_BEGIN_COMMANDS(CGpsDataListView, CKivDataChDataView)
    FW_ON_COMMAND(CKivDataViewBase::kIdTextSave, &CGpsDataListView::OnSaveText)
    FW_ON_UPDATE(CKivDataListViewBase::kIdThinning, &CGpsDataListView::OnUpdateDisabled)
FW_END_COMMANDS

FW_BEGIN_COMMANDS(CGpsGraphListView, CKivDataGraphView)
    FW_ON_COMMAND(CKivDataViewBase::kIdTextSave, &CGpsGraphListView::OnSaveText)
    FW_ON_UPDATE(CKivDataListViewBase::kIdThinning, &CGpsGraphListView::OnUpdateDisabled)
FW_END_COMMANDS

namespace {

constexpr int32_t kChangeValues = 0x01;
constexpr int32_t kChangeRepaint = 0x01 | 0x08 | 0x10;

constexpr unsigned kSizeMinimized = 1;
constexpr fw::COLORREF kFocusColor = fw::RGB(255, 255, 0);
constexpr fw::COLORREF kFrameColor = fw::RGB(255, 255, 255);

void PlaceGridInside(CZELViewGrid* grid, unsigned type, int cx, int cy)
{
    if (type != kSizeMinimized && grid && grid->Widget() && cx > 2 && cy > 2)
        grid->MoveWindow(fw::CRect(1, 1, cx - 1, cy - 1), true);
}

// The 1-pixel frame around a list's grid.
void DrawFocusFrame(fw::CDC& dc, const fw::CRect& client, CZELViewGrid* grid)
{
    const CZELGridPane* sheet = grid ? grid->GetSheetPane() : nullptr;
    const bool focused = sheet && sheet->Widget() && sheet->Widget()->hasFocus();
    fw::CPen pen(fw::PS_SOLID, 1, focused ? kFocusColor : kFrameColor);
    fw::CPen* old = dc.SelectObject(&pen);
    dc.SelectStockObject(fw::NULL_BRUSH);
    dc.Rectangle(client);
    dc.SelectObject(old);
}

int16_t RowChangeMask(const CCellRange& before, const CCellRange& after)
{
    int16_t mask = 0;
    if (before.top != after.top)
        mask |= CUpdateSelArea::kFirstChanged;
    if (before.bottom != after.bottom)
        mask |= CUpdateSelArea::kLastChanged;
    return mask;
}

} // namespace

// ---- panes ------------------------------------------------------------------------------------------

template <class PaneBase>
template <class Handler>
void CGpsSelectionPane<PaneBase>::Watch(Handler&& handler)
{
    const CCellRange before = this->GetSelection();
    handler();
    if (m_pView)
        m_pView->OnPaneSelection(before, this->GetSelection());
}

template <class PaneBase>
void CGpsSelectionPane<PaneBase>::OnLButtonDown(unsigned flags, fw::CPoint point)
{
    Watch([&] { PaneBase::OnLButtonDown(flags, point); });
}

template <class PaneBase>
void CGpsSelectionPane<PaneBase>::OnMouseMove(unsigned flags, fw::CPoint point)
{
    Watch([&] { PaneBase::OnMouseMove(flags, point); });
}

template <class PaneBase>
void CGpsSelectionPane<PaneBase>::OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
{
    Watch([&] { PaneBase::OnKeyDown(key, repeat, flags); });
}

template class CGpsSelectionPane<CZELGridPaneSheet>;
template class CGpsSelectionPane<CZELGridPaneLeft>;

// The focus frame around the list follows the sheet's focus.
void CGpsDataGridPane::OnSetFocus()
{
    CZELGridPaneSheet::OnSetFocus();
    if (m_pOwner)
        m_pOwner->Invalidate();
}

void CGpsDataGridPane::OnKillFocus()
{
    CZELGridPaneSheet::OnKillFocus();
    if (m_pOwner)
        m_pOwner->Invalidate();
}

CGpsDataGrid::CGpsDataGrid(CGpsDataListView* view) : CZELViewGrid(view)
{
    auto sheet = std::make_unique<CGpsDataGridPane>(view);
    sheet->SetGrid(this);
    sheet->SetView(view);
    m_panes[kIndexSheet] = std::move(sheet);
    auto left = std::make_unique<CGpsDataGridPaneLeft>();
    left->SetGrid(this);
    left->SetView(view);
    m_panes[kIndexRowHeader] = std::move(left);
}

// ---- value list -------------------------------------------------------------------------------------

CGpsDataListView::CGpsDataListView() { ReplaceGrid(std::make_unique<CGpsDataGrid>(this)); }

CZELGridStyle* CGpsDataListView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleGpsValues) : nullptr;
}

void CGpsDataListView::SetUpListGrid()
{
    if (CKivDataDoc* doc = GetDataDoc())
        m_pColumns = &doc->GetGpsChannels();
}

void CGpsDataListView::OnInitialUpdate()
{
    CKivDataDoc* doc = GetDataDoc();
    if (doc)
        if (CZELGridStyle* style = GetViewStyle())
            style->SetRowCount(std::max(doc->GetSampleCount(), 1));
    CKivDataChDataView::OnInitialUpdate();
    if (CKivDataFrame* frame = GetDataFrame(); frame && doc)
        frame->UpdateToolBar(doc->HasCanGpsVoiceData());
}

void CGpsDataListView::OnSize(unsigned type, int cx, int cy) { PlaceGridInside(GetGrid(), type, cx, cy); }

void CGpsDataListView::OnDraw(fw::CDC* dc)
{
    if (dc && !dc->IsPrinting())
        DrawFocusFrame(*dc, GetClientRect(), GetGrid());
    CKivDataChDataView::OnDraw(dc);
}

void CGpsDataListView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    if (hint == kHintSelArea) {
        if (auto* area = dynamic_cast<CUpdateSelArea*>(hintObject); area && area->m_source != CUpdateSelArea::kFromList)
            TakeSelection(*area);
        return;
    }
    if (hint == kHintData) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (!data || data->m_pDocument != GetDocument())
            return;
        if (data->m_changeFlags & kFlagRows) {
            grid->GetStyle()->SetRowCount(std::max(GetDataDoc()->GetSampleCount(), 1));
            grid->ApplyStyle(false);
            grid->RedrawPanes();
        } else if (data->m_changeFlags & kChangeRepaint) {
            grid->RedrawPanes();
        }
        return;
    }
    CKivDataChDataView::OnUpdate(sender, hint, hintObject);
}

void CGpsDataListView::TakeSelection(const CUpdateSelArea& area)
{
    CZELGridPane* sheet = GetGrid()->GetSheetPane();
    const int32_t lastCol = std::max(SheetColumnCount() - 1, 0);
    if (area.m_last == -1 || area.m_first < 0) {
        const CCellIndices cur = sheet->GetCurrentCell();
        const int32_t row = std::max(cur.row, 0);
        sheet->SetSelection({row, 0, row, lastCol}, false);
    } else {
        const int32_t first = std::min(area.m_first, area.m_last);
        const int32_t last = std::max(area.m_first, area.m_last);
        sheet->SetSelection({first, 0, last, lastCol}, false);
        const bool atFirst = area.m_mask == 0 || area.m_mask == CUpdateSelArea::kFirstChanged;
        sheet->SetCurrentCell({atFirst ? first : last, 0});
        sheet->SetSelection({first, 0, last, lastCol}, false);
    }
    const CCellIndices cur = sheet->GetCurrentCell();
    sheet->EnsureVisible(std::max(cur.row, 0), 0, false);
    GetGrid()->RedrawPanes();
}

void CGpsDataListView::AnnounceSelection(int16_t mask)
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc || !GetGrid())
        return;
    const CCellRange sel = GetGrid()->GetSheetPane()->GetSelection();
    CUpdateSelArea area(CUpdateSelArea::kFromList, mask, sel.top, sel.bottom);
    doc->UpdateAllViews(this, kHintSelArea, &area);
}

void CGpsDataListView::OnPaneSelection(const CCellRange& before, const CCellRange& after)
{
    // A change of columns only keeps the range of samples.
    if (const int16_t mask = RowChangeMask(before, after))
        AnnounceSelection(mask);
}

void CGpsDataListView::Undo()
{
    CKivDataChDataView::Undo();
    AnnounceSelection(0);
}

void CGpsDataListView::SelectRows(int32_t first, int32_t last)
{
    CKivDataChDataView::SelectRows(first, last);
    CZELGridPane* sheet = GetGrid()->GetSheetPane();
    const CCellIndices cur = sheet->GetCurrentCell();
    sheet->EnsureVisible(std::max(cur.row, 0), std::max(cur.col, 0), true);
    AnnounceSelection(0);
}

void CGpsDataListView::OnUpdateDisabled(fw::CCmdUI* ui) { ui->Enable(false); }

// ---- graph list -------------------------------------------------------------------------------------

CGpsGraphListView::CGpsGraphListView() { ReplaceGrid(std::make_unique<CGpsGraphGrid>(this)); }

void CGpsGraphListView::OnSize(unsigned type, int cx, int cy) { PlaceGridInside(GetGrid(), type, cx, cy); }

void CGpsGraphListView::OnDraw(fw::CDC* dc)
{
    if (dc && !dc->IsPrinting())
        DrawFocusFrame(*dc, GetClientRect(), GetGrid());
    CKivDataGraphView::OnDraw(dc);
}

CZELGridStyle* CGpsGraphListView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleGpsGraph) : nullptr;
}

void CGpsGraphListView::SetUpListGrid()
{
    if (CKivDataDoc* doc = GetDataDoc())
        m_pColumns = &doc->GetGpsChannels();
}

CGraphTimeListObj* CGpsGraphListView::GetGraphList() const
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? GpsGraphOf(*doc) : nullptr;
}

void CGpsGraphListView::ShapeRows()
{
    CKivDataDoc* doc = GetDataDoc();
    if (!doc)
        return;
    SyncGpsGraphRows(*doc);
    if (CZELGridStyle* style = GetViewStyle())
        style->SetRowCount(std::max(doc->GetGpsChannels().GetSize(), 1));
}

void CGpsGraphListView::OnInitialUpdate()
{
    ShapeRows();
    CKivDataGraphView::OnInitialUpdate();
}

void CGpsGraphListView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint == kHintSelArea) {
        auto* area = dynamic_cast<CUpdateSelArea*>(hintObject);
        CGraphTimeListObj* graph = GetGraphList();
        if (area && graph && (area->m_source != 0 || area->m_mask != 0)) {
            graph->OnUpdate(static_cast<int>(kHintSelArea), area);
            if (GetGrid())
                RedrawCursorColumns();
        }
        return;
    }
    bool rangesReset = false;
    if (hint == kHintData)
        if (auto* data = dynamic_cast<CUpdateKivData*>(hintObject); data && data->m_pDocument == GetDocument()) {
            if (data->m_changeFlags & kFlagRows) {
                ShapeRows();
                if (GetGrid())
                    GetGrid()->ApplyStyle(false);
            }
            rangesReset = (data->m_changeFlags & (kChangeValues | kFlagRows)) != 0;
        }
    CKivDataGraphView::OnUpdate(sender, hint, hintObject);
    // New values lay the rows out afresh and rebuild the drawn markers with
    // no selection; the track and the other lists drop theirs likewise.
    if (rangesReset)
        if (CDrawMarkerList* markers = GetMarkerList(); markers && GetDocument())
            GetDocument()->UpdateAllViews(this, kHintMarkerSelection, markers);
}

void CGpsGraphListView::OnUpdateDisabled(fw::CCmdUI* ui) { ui->Enable(false); }

// ---- text export over the GPS graph's selected samples ----------------------------------------------

CCellRange CGpsDataListView::GraphSelection()
{
    CCellRange range;
    CKivDataDoc* doc = GetDataDoc();
    CGpsGraphTimeListObj* graph = doc ? GpsGraphOf(*doc) : nullptr;
    if (!graph)
        return range;
    graph->GetSelection(range.top, range.bottom);
    CDataTankObject* time = graph->GetRowCount() > 0 ? graph->RowTimeTank(0) : nullptr;
    range.left = 0;
    range.right = (time ? time->GetDataCount() : doc->GetSampleCount()) - 1;
    return range;
}

void CGpsDataListView::OnSaveText()
{
    ExportText(GraphSelection());
}

void CGpsGraphListView::OnSaveText()
{
    fw::CDocument* doc = GetDocument();
    if (!doc)
        return;
    for (fw::POSITION pos = doc->GetFirstViewPosition(); pos;)
        if (auto* list = dynamic_cast<CGpsDataListView*>(doc->GetNextView(pos))) {
            list->OnSaveText();
            return;
        }
}
