#include "data/views/KivDataGraphView.h"

#include "chart/model/DrawMarkerList.h"
#include "chart/model/GraphTimeListObj.h"
#include "chart/model/ListGraphDraw.h"
#include "common/tank/UseTankList.h"
#include "data/model/KivDataDoc.h"
#include "data/views/DataGraphAccess.h"
#include "data/views/KivDataGraphGrid.h"
#include "docbase/doc/UpdateHints.h"
#include "docbase/graphpage/ZELOffScreenBitmap.h"
#include "framework/core/DC.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/Services.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridJob.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_DYNCREATE(CKivDataGraphView, CKivDataListViewBase)

FW_BEGIN_COMMANDS(CKivDataGraphView, CKivDataListViewBase)
    FW_ON_COMMAND(CKivDataViewBase::kIdDeleteRows, &CKivDataGraphView::OnDeleteRows)
    FW_ON_COMMAND(CKivDataListViewBase::kIdDeleteOutside, &CKivDataGraphView::OnDeleteOutside)
    FW_ON_COMMAND(CKivDataGraphView::kIdCursorInfo, &CKivDataGraphView::OnCursorInfo)
    FW_ON_UPDATE(CKivDataGraphView::kIdCursorInfo, &CKivDataGraphView::OnUpdateCursorInfo)
    FW_ON_COMMAND_RANGE(CKivDataGraphView::kIdMarkerAtCursor1, CKivDataGraphView::kIdMarkerAtBoth,
                        &CKivDataGraphView::OnMarkersAtCursors)
    FW_ON_UPDATE_RANGE(CKivDataGraphView::kIdMarkerAtCursor1, CKivDataGraphView::kIdMarkerAtBoth,
                       &CKivDataGraphView::OnUpdateMarkersAtCursors)
    FW_ON_COMMAND(CKivDataGraphView::kIdDeleteMarkers, &CKivDataGraphView::OnDeleteMarkers)
    FW_ON_UPDATE(CKivDataGraphView::kIdDeleteMarkers, &CKivDataGraphView::OnUpdateDeleteMarkers)
    FW_ON_COMMAND(CKivDataGraphView::kIdPlotLines, &CKivDataGraphView::OnEditPlotLines)
    FW_ON_COMMAND(CKivDataGraphView::kIdGridLines, &CKivDataGraphView::OnEditGridLines)
    FW_ON_COMMAND(CKivDataGraphView::kIdScales, &CKivDataGraphView::OnEditScales)
    FW_ON_COMMAND(CKivDataGraphView::kIdLabels, &CKivDataGraphView::OnEditLabels)
    FW_ON_COMMAND(CKivDataGraphView::kIdDrawTypes, &CKivDataGraphView::OnEditDrawTypes)
FW_END_COMMANDS

namespace {

constexpr int kColGraph = 0;
constexpr int kColLegend = 1;
constexpr int kColCursor = 2;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;

// Values of a sample range of the tanks, one 64-bit double each.
void WriteValues(fw::CArchive& ar, CDataTankList& columns, int32_t first, int32_t last)
{
    for (int c = 0; c < columns.GetSize(); ++c)
        if (CDataTankObject* tank = columns.GetObjectAt(c))
            for (int32_t i = first; i <= last; ++i)
                ar << tank->GetValue(i);
}

void ReadValues(fw::CArchive& ar, CDataTankList& columns, int32_t first, int32_t last)
{
    for (int c = 0; c < columns.GetSize(); ++c)
        if (CDataTankObject* tank = columns.GetObjectAt(c))
            for (int32_t i = first; i <= last; ++i) {
                double value = 0;
                ar >> value;
                tank->SetValue(i, value);
            }
}

} // namespace

CKivDataGraphView::CKivDataGraphView() : m_markers(std::make_unique<CDrawMarkerList>())
{
    ReplaceGrid(std::make_unique<CKivDataGraphGrid>(this));
    m_nContextMenuId = 193;
    m_bMarkersInUndo = true;
}

CKivDataGraphView::~CKivDataGraphView() = default;

void CKivDataGraphView::OnInitialUpdate()
{
    // A style made without sizes would show rows and columns of no extent.
    if (CZELGridStyle* style = GetViewStyle(); style && style->m_nSheetColWidth == 0) {
        style->SetDefaultSizes(100, 0, 0, 0, 200, -100);
        style->ApplySizes();
        style->SetRowHeights(0, 100, std::max(style->m_sheet.m_nRows, 1));
        style->SetColumnWidths(kColLegend, 200, std::max(style->m_sheet.m_nCols - 1, 1));
        style->SetColumnWidths(kColGraph, 500, 1);
    }
    CKivDataListViewBase::OnInitialUpdate();
    if (CGraphTimeListObj* graph = GetGraphList())
        graph->Recalculate(true);
    DeleteRowGraphs(-1);
    RebuildMarkers();
}

void CKivDataGraphView::DeleteRowGraphs(int32_t row)
{
    if (row < 0) {
        m_pictures.clear();
        return;
    }
    if (static_cast<size_t>(row) < m_pictures.size())
        m_pictures[static_cast<size_t>(row)].reset();
}

fw::CRect CKivDataGraphView::SheetCellRect(int32_t row, int32_t col) const
{
    return GetGrid()->GetSheetPane()->GetCellRect({row, col, row, col});
}

CZELGridStyle* CKivDataGraphView::GetViewStyle()
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? doc->GetStyle(CKivDataDoc::kStyleGraph) : nullptr;
}

CGraphTimeListObj* CKivDataGraphView::GetGraphList() const
{
    CKivDataDoc* doc = GetDataDoc();
    return doc ? DataTimeListGraph(*doc) : nullptr;
}

void CKivDataGraphView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    CZELViewGrid* grid = GetGrid();
    if (!grid || !grid->GetStyle())
        return;
    CGraphTimeListObj* graph = GetGraphList();
    if (hint == kHintData) {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (!data || data->m_pDocument != GetDocument())
            return;
        if (graph && (data->m_changeFlags & 0x10))
            graph->ApplyFonts();
        if (graph && (data->m_changeFlags & (1 | kFlagRows))) {
            graph->Recalculate(true);
            RebuildMarkers();
        }
        DeleteRowGraphs(-1);
        grid->RedrawPanes();
        return;
    }
    if (hint == kHintTimeUnit) {
        if (graph) {
            graph->AutoScaleAll();
            graph->ApplyFonts();
        }
        DeleteRowGraphs(-1);
        grid->RedrawPanes();
        return;
    }
    if (hint == kHintGraphSettings) {
        if (graph && hintObject == graph) {
            DeleteRowGraphs(-1);
            grid->RedrawPanes();
        }
        return;
    }
    if (OnMarkerHint(hint, hintObject))
        return;
    CKivDataListViewBase::OnUpdate(sender, hint, hintObject);
}

int32_t CKivDataGraphView::GetLastUsedRow(int32_t, int32_t) { return SheetRowCount() - 1; }

int32_t CKivDataGraphView::GetValueCount() { return m_pColumns ? m_pColumns->GetMaxDataCount(0, -1) : 0; }

bool CKivDataGraphView::CursorRange(int32_t& first, int32_t& last) const
{
    CGraphTimeListObj* graph = GetGraphList();
    if (!graph)
        return false;
    graph->GetSelection(first, last);
    if (first < 0 || last < 0)
        return false;
    if (first > last)
        std::swap(first, last);
    return true;
}

bool CKivDataGraphView::CanDeleteRows()
{
    CKivDataDoc* doc = GetDataDoc();
    int32_t first = 0;
    int32_t last = 0;
    if (!doc || doc->IsEditLocked() || !CursorRange(first, last))
        return false;
    const int32_t count = GetValueCount();
    return first < count && last < count;
}

bool CKivDataGraphView::GetSelectedRows(int32_t& first, int32_t& last)
{
    if (!CursorRange(first, last))
        return false;
    ++first;
    ++last;
    return true;
}

void CKivDataGraphView::SelectRows(int32_t first, int32_t last)
{
    if (CGraphTimeListObj* graph = GetGraphList())
        graph->SetSelection(first - 1, last - 1);
    GetGrid()->RedrawPanes();
}

// ---- drawing ------------------------------------------------------------------------------------------

void CKivDataGraphView::DrawSheetCell(CZELDrawCell& cell)
{
    switch (cell.m_nCol) {
    case kColGraph: DrawRowGraph(cell); break;
    case kColLegend: DrawLegendCell(cell); break;
    case kColCursor: DrawCursorInfoCell(cell); break;
    default: break;
    }
}

void CKivDataGraphView::DrawRowGraph(CZELDrawCell& cell)
{
    CGraphTimeListObj* graph = GetGraphList();
    fw::CDC* dc = cell.m_pDC;
    const int32_t row = cell.m_nRow;
    if (!dc || !graph || row < 0 || row >= graph->GetRowCount())
        return;
    const fw::CRect rect = cell.m_rcCell;
    if (dc->IsPrinting()) {
        graph->DrawRowPart(*dc, rect, row, CGraphListObj::kFitAndDraw);
        return;
    }
    // Rows are drawn at the origin of their own picture, so the graph's
    // device positions are relative to the cell.
    const fw::CRect local(0, 0, rect.Width(), rect.Height());
    if (m_pictures.size() != static_cast<size_t>(graph->GetRowCount()))
        m_pictures.resize(static_cast<size_t>(graph->GetRowCount()));
    std::unique_ptr<CZELOffScreenBitmap>& picture = m_pictures[static_cast<size_t>(row)];
    if (!picture || !picture->IsSize(rect.Width(), rect.Height())) {
        picture = std::make_unique<CZELOffScreenBitmap>();
        fw::CDC* mem = picture->Create(dc, rect.Width(), rect.Height()) ? picture->BeginDraw(dc) : nullptr;
        if (!mem) {
            picture.reset();
            dc->FillSolidRect(rect, fw::RGB(255, 255, 255));
            graph->DrawRowPart(*dc, rect, row, CGraphListObj::kFitAndDraw);
            return;
        }
        mem->FillSolidRect(local, fw::RGB(255, 255, 255));
        graph->DrawRowPart(*mem, local, row, CGraphListObj::kFitAndDraw);
        picture->EndDraw();
    }
    if (CZELBitmap* bitmap = picture->GetBitmap())
        bitmap->CopyTo(*dc, fw::CPoint(rect.left, rect.top));
    const fw::CPoint origin = dc->OffsetViewportOrg(rect.left, rect.top);
    DrawRowMarkers(*dc, row);
    graph->DrawSelection(*dc, row, SheetColumnCount() > 2);
    dc->SetViewportOrg(origin);
}

bool CKivDataGraphView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    CDataTankObject* tank = GetColumnTank(row);
    if (!tank)
        return true;
    if (col == kColLegend) {
        fw::CString max, min, mean;
        tank->GetMaxText(max, true);
        tank->GetMinText(min, true);
        tank->GetAverageText(mean, true);
        text = fw::Format("名前    :%s\n最大値  :%s\n最小値  :%s\n平均値  :%s\n単位    :%s", tank->GetName().c_str(),
                          max.c_str(), min.c_str(), mean.c_str(), tank->GetUnit().c_str());
        return true;
    }
    if (col != kColCursor)
        return true;
    CGraphTimeListObj* graph = GetGraphList();
    int32_t c1 = -1;
    int32_t c2 = -1;
    if (graph)
        graph->GetSelection(c1, c2);
    auto value = [&](int32_t i) {
        fw::CString v;
        if (i >= 0)
            tank->GetValueText(i, v, true);
        return v;
    };
    auto time = [&](int32_t i) { return i >= 0 && graph ? graph->GetSampleText(i) : fw::CString(); };
    auto pos = [](int32_t i) { return i >= 0 ? fw::Format("%d", i + 1) : fw::CString(); };
    fw::CString dv, dt, dp;
    if (c1 >= 0 && c2 >= 0) {
        dv = fw::Format("%g", tank->GetValue(c2) - tank->GetValue(c1));
        dt = graph ? graph->GetSampleText(c2 - c1) : fw::CString();
        dp = fw::Format("%d", c2 - c1);
    }
    text = fw::Format("\tカーソル1\tカーソル2\t差\n 値\t%s\t%s\t%s\n 時間\t%s\t%s\t%s\n 位置\t%s\t%s\t%s",
                      value(c1).c_str(), value(c2).c_str(), dv.c_str(), time(c1).c_str(), time(c2).c_str(),
                      dt.c_str(), pos(c1).c_str(), pos(c2).c_str(), dp.c_str());
    return true;
}

void CKivDataGraphView::DrawLegendCell(CZELDrawCell& cell)
{
    fw::CString text;
    GetSheetText(text, kColLegend, cell.m_nRow, 1);
    cell.DrawMultiLine(text);
}

void CKivDataGraphView::DrawCursorInfoCell(CZELDrawCell& cell)
{
    fw::CString text;
    GetSheetText(text, kColCursor, cell.m_nRow, 1);
    cell.DrawMultiLine(text);
}

void CKivDataGraphView::RedrawCursorColumns()
{
    GetGrid()->InvalidateColumns(kIndexSheet, kColGraph, kColGraph);
    if (SheetColumnCount() > 2)
        GetGrid()->InvalidateColumns(kIndexSheet, kColCursor, SheetColumnCount() - 1);
    if (CZELGridStyle* style = GetGrid()->GetStyle())
        style->RedrawGrids(GetGrid());
}

// ---- cursors -------------------------------------------------------------------------------------------

bool CKivDataGraphView::MoveCursorByKey(unsigned key)
{
    CGraphTimeListObj* graph = GetGraphList();
    if (!graph || (key != kVkLeft && key != kVkRight && key != kVkUp && key != kVkDown))
        return false;
    // A list without graphs keeps one empty row: the keys move nothing.
    if (graph->GetRowCount() == 0)
        return true;
    int32_t c1 = -1;
    int32_t c2 = -1;
    graph->GetSelection(c1, c2);
    c1 = std::max(c1, 0);
    c2 = std::max(c2, 0);
    switch (key) {
    case kVkLeft: c1 = graph->ClampSample(c1 - 1); break;
    case kVkRight: c1 = graph->ClampSample(c1 + 1); break;
    case kVkUp: c2 = graph->ClampSample(c2 + 1); break;
    case kVkDown: c2 = graph->ClampSample(c2 - 1); break;
    default: break;
    }
    graph->SetSelection(c1, c2);
    RedrawCursorColumns();
    return true;
}

int CKivDataGraphView::ClickCursor(int32_t row, fw::CPoint point, bool shift)
{
    CGraphTimeListObj* graph = GetGraphList();
    if (!graph)
        return CGraphTimeListObj::kNearerEdge;
    // The empty row of a list without graphs has no plot to put cursors on.
    if (row < 0 || row >= graph->GetRowCount())
        return kNoDrag;
    int drag = CGraphTimeListObj::kNearerEdge;
    switch (graph->HitTestSelection(row, point)) {
    case TrackerHit::kNothing:
        graph->ClearSelection();
        drag = kNoDrag;
        break;
    case TrackerHit::kInside:
        if (const double time = graph->TimeAtPoint(row, point.x, point.y); time != HUGE_VAL)
            graph->SetSelectionEdge(shift ? CGraphTimeListObj::kNearerEdge : CGraphTimeListObj::kBothEdges, time);
        break;
    // A handle of cursor 1's line: only a drag moves it, so a click on it
    // never collapses the range.
    case TrackerHit::kTopLeft:
    case TrackerHit::kBottomLeft:
    case TrackerHit::kLeft:
        drag = CGraphTimeListObj::kStartEdge;
        break;
    default:
        drag = CGraphTimeListObj::kEndEdge;
        break;
    }
    RedrawCursorColumns();
    return drag;
}

// ---- row commands and undo ---------------------------------------------------------------------------

void CKivDataGraphView::RunCursorCommand(int32_t code)
{
    int32_t first = 0;
    int32_t last = 0;
    if (!CursorRange(first, last) || !ConfirmUndoable(code))
        return;
    fw::CWaitCursor wait;
    const int32_t lastCol = std::max(SheetColumnCount() - 1, 0);
    if (code == kUndoDeletedRows)
        DeleteRows(0, first, lastCol, last);
    else
        DeleteOutsideRows(0, first, lastCol, last);
    // The rows took marks with them: the drawn ones must not outlive them.
    RebuildMarkers();
    CKivDataDoc* doc = GetDataDoc();
    GetGrid()->RedrawPanes();
    doc->SendUpdateHint(this, 0, 0, kFlagRows);
    doc->SetModifiedFlag(true);
}

void CKivDataGraphView::OnCursorInfo()
{
    CZELGridStyle* style = GetGrid()->GetStyle();
    if (!style)
        return;
    if (style->m_sheet.m_nCols > 2) {
        style->SetColumnCount(2);
    } else {
        style->SetColumnCount(3);
        style->SetColumnWidths(kColCursor, 240, 1);
    }
    GetGrid()->ApplyStyle(true);
    GetGrid()->RedrawPanes();
}

void CKivDataGraphView::AfterGraphDialog(bool changed)
{
    if (!changed)
        return;
    DeleteRowGraphs(-1);
    GetGrid()->RedrawPanes();
    if (CKivDataDoc* doc = GetDataDoc())
        doc->SetModifiedFlag(true);
}

void CKivDataGraphView::OnEditPlotLines()
{
    if (CGraphTimeListObj* graph = GetGraphList())
        AfterGraphDialog(graph->EditPlotLines());
}

void CKivDataGraphView::OnEditGridLines()
{
    if (CGraphTimeListObj* graph = GetGraphList())
        AfterGraphDialog(graph->EditGridLines());
}

void CKivDataGraphView::OnEditScales()
{
    CGraphTimeListObj* graph = GetGraphList();
    if (!graph || !graph->EditScales())
        return;
    AfterGraphDialog(true);
    if (fw::CDocument* doc = GetDocument())
        doc->UpdateAllViews(this, kHintGraphSettings, graph);
}

void CKivDataGraphView::OnEditLabels()
{
    CGraphTimeListObj* graph = GetGraphList();
    if (!graph || !graph->EditLabels())
        return;
    if (CZELGridStyle* style = GetGrid()->GetStyle())
        style->GetPane(kPaneSheet).m_format.lf = graph->m_legendFont;
    AfterGraphDialog(true);
}

void CKivDataGraphView::OnEditDrawTypes()
{
    if (CGraphTimeListObj* graph = GetGraphList())
        AfterGraphDialog(graph->EditDrawTypes());
}

void CKivDataGraphView::OnUpdateCursorInfo(fw::CCmdUI* ui)
{
    ui->Enable(true);
    ui->SetCheck(SheetColumnCount() > 2 ? 1 : 0);
}

void CKivDataGraphView::OnDeleteRows() { RunCursorCommand(kUndoDeletedRows); }

void CKivDataGraphView::OnDeleteOutside() { RunCursorCommand(kUndoOutside); }

bool CKivDataGraphView::WriteUndoRecord(fw::CMemFile& file, int32_t code, int32_t param)
{
    if (code == kUndoMarkers)
        return WriteMarkerRecord(file);
    const bool rows = code == kUndoDeletedRows || code == kUndoReinsert || code == kUndoInsertedRows ||
                      code == kUndoOutside || code == kUndoKeptRows;
    if (!rows)
        return CKivDataListViewBase::WriteUndoRecord(file, code, param);
    int32_t first = 0;
    int32_t last = 0;
    if (!m_pColumns || !CursorRange(first, last))
        return false;
    try {
        fw::CArchive ar(&file, fw::CArchive::store, 4096);
        ar << code;
        CGridJob job;
        GetGrid()->GetSelectionJob(job);
        job.Serialize(ar);
        ar << int32_t(0) << first << int32_t(SheetColumnCount() - 1) << last;
        if (code == kUndoDeletedRows) {
            WriteValues(ar, *m_pColumns, first, last);
            WriteUndoExtra(ar);
        } else if (code == kUndoOutside) {
            const int32_t lastSample = GetValueCount() - 1;
            ar << lastSample;
            if (first >= 1)
                WriteValues(ar, *m_pColumns, 0, first - 1);
            if (lastSample >= last + 1)
                WriteValues(ar, *m_pColumns, last + 1, lastSample);
            WriteUndoExtra(ar);
        }
        ar.Close();
        return true;
    } catch (const fw::CException&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void CKivDataGraphView::ReplayRecord(fw::CArchive& ar, int32_t code, CGridJob& job, fw::CMemFile& reverse,
                                     bool& reversed)
{
    int32_t reverseCode = 0;
    switch (code) {
    case kUndoDeletedRows: reverseCode = kUndoReinsert; break;
    case kUndoReinsert:
    case kUndoInsertedRows: reverseCode = kUndoDeletedRows; break;
    case kUndoOutside: reverseCode = kUndoKeptRows; break;
    case kUndoKeptRows: reverseCode = kUndoOutside; break;
    default:
        CKivDataListViewBase::ReplayRecord(ar, code, job, reverse, reversed);
        return;
    }
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    ar >> left >> top >> right >> bottom;
    CGraphTimeListObj* graph = GetGraphList();
    auto setCursors = [&] {
        if (graph)
            graph->SetSelection(top, bottom);
    };
    if (reverseCode != kUndoReinsert && reverseCode != kUndoKeptRows) {
        setCursors();
        reversed = WriteUndoRecord(reverse, reverseCode, -1);
    }
    switch (reverseCode) {
    case kUndoDeletedRows:
        DeleteRows(left, top, right, bottom);
        break;
    case kUndoReinsert:
        InsertRows(left, top, right, bottom);
        setCursors();
        reversed = WriteUndoRecord(reverse, kUndoReinsert, -1);
        ReadValues(ar, *m_pColumns, top, bottom);
        ReadUndoExtra(ar);
        break;
    case kUndoOutside:
        DeleteOutsideRows(left, top, right, bottom);
        if (graph)
            graph->SetSelection(0, bottom - top);
        break;
    case kUndoKeptRows: {
        int32_t lastSample = 0;
        ar >> lastSample;
        if (top >= 1) {
            InsertRows(left, 0, right, top - 1);
            ReadValues(ar, *m_pColumns, 0, top - 1);
        }
        if (lastSample >= bottom + 1) {
            InsertRows(left, bottom + 1, right, lastSample);
            ReadValues(ar, *m_pColumns, bottom + 1, lastSample);
        }
        ReadUndoExtra(ar);
        setCursors();
        reversed = WriteUndoRecord(reverse, kUndoKeptRows, -1);
        break;
    }
    default:
        break;
    }
    RebuildMarkers();
    RecomputeStatistics(0, m_pColumns->GetSize());
}
