#include "project/views/pages/PrjGraphView.h"

#include "chart/model/GraphListObj.h"
#include "common/tank/DataTankObject.h"
#include "common/tank/UseTankList.h"
#include "docbase/doc/UpdateHints.h"
#include "docbase/graphpage/ZELBitmap.h"
#include "docbase/graphpage/ZELOffScreenBitmap.h"
#include "framework/core/DC.h"
#include "framework/core/Gdi.h"
#include "framework/core/ServiceSlot.h"
#include "framework/core/StandardCommands.h"
#include "grid/model/DrawCell.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"
#include "project/model/KIV5980Doc.h"
#include "project/views/pages/PageHints.h"

#include <algorithm>

FW_IMPLEMENT_DYNCREATE(CPrjGraphView, CProjectBaseView)

FW_BEGIN_COMMANDS(CPrjGraphView, CProjectBaseView)
    FW_ON_COMMAND(CPrjGraphView::kIdScales, &CPrjGraphView::OnEditScales)
    FW_ON_UPDATE(CPrjGraphView::kIdScales, &CPrjGraphView::OnUpdateGraphCommand)
    FW_ON_COMMAND(CPrjGraphView::kIdLabels, &CPrjGraphView::OnEditLabels)
    FW_ON_UPDATE(CPrjGraphView::kIdLabels, &CPrjGraphView::OnUpdateGraphCommand)
    FW_ON_COMMAND(CPrjGraphView::kIdDrawTypes, &CPrjGraphView::OnEditDrawTypes)
    FW_ON_UPDATE(CPrjGraphView::kIdDrawTypes, &CPrjGraphView::OnUpdateGraphCommand)
    FW_ON_COMMAND(CPrjGraphView::kIdPlotLines, &CPrjGraphView::OnEditPlotLines)
    FW_ON_UPDATE(CPrjGraphView::kIdPlotLines, &CPrjGraphView::OnUpdateGraphCommand)
    FW_ON_COMMAND(CPrjGraphView::kIdGridLines, &CPrjGraphView::OnEditGridLines)
    FW_ON_UPDATE(CPrjGraphView::kIdGridLines, &CPrjGraphView::OnUpdateGraphCommand)
    FW_ON_UPDATE(fw::ID_EDIT_COPY, &CPrjGraphView::OnUpdateDisabled)
    FW_ON_UPDATE(fw::ID_EDIT_SELECT_ALL, &CPrjGraphView::OnUpdateDisabled)
    FW_ON_UPDATE(CProjectBaseView::kIdTextSave, &CPrjGraphView::OnUpdateDisabled)
    FW_ON_UPDATE(32836, &CPrjGraphView::OnUpdateDisabled)
FW_END_COMMANDS

namespace {

constexpr int32_t kFlagNames = 0x10;
constexpr int32_t kFlagValues = 0x21;
constexpr fw::COLORREF kWindowColor = fw::RGB(255, 255, 255);
struct LegendLine {
    unsigned id;
    const char* text;
};
constexpr LegendLine kLegend[] = {{180, "名前"}, {169, "最大値"}, {170, "最小値"}, {171, "平均値"}, {184, "単位"}};

} // namespace

CPrjGraphView::CPrjGraphView() { m_nContextMenuId = static_cast<int32_t>(kContextMenu); }

CPrjGraphView::~CPrjGraphView() = default;

CGraphListObj* CPrjGraphView::GetListGraph() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    IProjectListGraph* source = fw::Installed<IProjectListGraph>();
    return doc && source ? source->ListGraph(*doc) : nullptr;
}

int32_t CPrjGraphView::ChannelRowCount() const
{
    CKIV5980Doc* doc = GetProjectDoc();
    return doc ? doc->GetUseTanks().GetSize() : 0;
}

void CPrjGraphView::OnInitialUpdate()
{
    CProjectBaseView::OnInitialUpdate();
    if (CKIV5980Doc* doc = GetProjectDoc())
        SetGridStyle(doc->GetTable(CKIV5980Doc::kTabGraph));
    m_rows.clear();
    m_rows.resize(static_cast<size_t>(std::max(ChannelRowCount(), 0)));
}

bool CPrjGraphView::FitCache()
{
    const size_t count = static_cast<size_t>(std::max(ChannelRowCount(), 0));
    if (count == m_rows.size())
        return false;
    m_rows.clear();
    m_rows.resize(count);
    return true;
}

void CPrjGraphView::DeleteRowGraphs(int32_t row)
{
    if (row < 0) {
        for (RowCache& r : m_rows)
            r = RowCache();
        return;
    }
    if (static_cast<size_t>(row) < m_rows.size())
        m_rows[static_cast<size_t>(row)] = RowCache();
}

bool CPrjGraphView::HasRowGraph(int32_t row) const
{
    return row >= 0 && static_cast<size_t>(row) < m_rows.size() && m_rows[static_cast<size_t>(row)].bitmap;
}

void CPrjGraphView::SetRowState(int32_t row, int state)
{
    if (row >= 0 && static_cast<size_t>(row) < m_rows.size())
        m_rows[static_cast<size_t>(row)].state = state;
}

int32_t CPrjGraphView::GetLastUsedRow(int32_t, int32_t)
{
    const CZELGridStyle* style = GetGrid()->GetStyle();
    return style ? GetGrid()->GetSheetPane()->RowCount() - 1 : -1;
}

bool CPrjGraphView::GetColumnHeaderText(fw::CString& text, int32_t, int32_t, int)
{
    text.Empty();
    return true;
}

bool CPrjGraphView::GetRowHeaderText(fw::CString& text, int32_t, int32_t row, int)
{
    text = fw::CString(std::to_string(row + 1));
    return true;
}

bool CPrjGraphView::GetSheetText(fw::CString& text, int32_t, int32_t, int)
{
    text.Empty();
    return true;
}

// ---- hints ---------------------------------------------------------------------------------------

void CPrjGraphView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    switch (hint) {
    case prjpage::kHintColumns: {
        auto* data = dynamic_cast<CUpdateKivData*>(hintObject);
        if (!data || data->m_pDocument != GetDocument())
            return;
        if (FitCache() && GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        CGraphListObj* graph = GetListGraph();
        bool changed = false;
        if (data->m_changeFlags & kFlagNames) {
            if (graph)
                graph->ApplyFonts();
            changed = true;
        } else if (data->m_changeFlags & kFlagValues) {
            if (graph)
                graph->AutoScaleAll();
            changed = true;
        }
        if (changed) {
            DeleteRowGraphs(-1);
            if (GetGrid()->GetStyle())
                GetGrid()->RedrawPanes();
        }
        UpdateWindow();
        return;
    }
    case prjpage::kHintRepaint:
        if (FitCache() && GetGrid()->GetStyle())
            GetGrid()->RedrawPanes();
        UpdateWindow();
        return;
    case prjpage::kHintTransferBegin:
        m_bSuspended = 1;
        UpdateWindow();
        return;
    case prjpage::kHintTransferEnd:
        m_bSuspended = 0;
        if (m_bPending) {
            // Once the skipped paints are made up for, later transfers
            // that skip nothing do not repaint the page again.
            m_bPending = 0;
            Invalidate(false);
        }
        UpdateWindow();
        return;
    default:
        CProjectBaseView::OnUpdate(sender, hint, hintObject);
    }
}

// ---- drawing -------------------------------------------------------------------------------------

void CPrjGraphView::DrawSheetCell(CZELDrawCell& cell)
{
    if (m_bSuspended) {
        m_bPending = 1;
        if (cell.m_pDC)
            cell.m_pDC->FillSolidRect(cell.m_rcCell, kWindowColor);
        return;
    }
    if (cell.m_nCol != 0)
        DrawLegend(cell);
    else
        DrawGraph(cell);
}

void CPrjGraphView::DrawGraph(CZELDrawCell& cell)
{
    CGraphListObj* graph = GetListGraph();
    fw::CDC* dc = cell.m_pDC;
    const int32_t row = cell.m_nRow;
    if (!graph || !dc || row < 0 || row >= graph->GetRowCount())
        return;
    const fw::CRect rect = cell.m_rcCell;
    if (dc->IsPrinting()) {
        graph->DrawRowPart(*dc, rect, row, CGraphListObj::kFitAndDraw);
        return;
    }
    FitCache();
    if (static_cast<size_t>(row) >= m_rows.size())
        return;
    RowCache& cache = m_rows[static_cast<size_t>(row)];
    const fw::CRect local(0, 0, rect.Width(), rect.Height());
    if (cache.bitmap && cache.bitmap->IsSize(rect.Width(), rect.Height()) && cache.state != kRowRedraw) {
        if (cache.state != kRowCurrent)
            if (fw::CDC* mem = cache.bitmap->BeginDraw(dc)) {
                graph->DrawRowPart(*mem, local, row, cache.state);
                cache.bitmap->EndDraw();
            }
    } else {
        cache.bitmap = std::make_unique<CZELOffScreenBitmap>();
        fw::CDC* mem = cache.bitmap->Create(dc, rect.Width(), rect.Height()) ? cache.bitmap->BeginDraw(dc) : nullptr;
        if (!mem) {
            cache.bitmap.reset();
            graph->DrawRowPart(*dc, rect, row, CGraphListObj::kFitAndDraw);
            return;
        }
        mem->FillSolidRect(local, kWindowColor);
        graph->DrawRowPart(*mem, local, row, CGraphListObj::kFitAndDraw);
        cache.bitmap->EndDraw();
    }
    if (CZELBitmap* bitmap = cache.bitmap->GetBitmap())
        bitmap->CopyTo(*dc, fw::CPoint(rect.left, rect.top));
    cache.state = kRowCurrent;
}

void CPrjGraphView::DrawLegend(CZELDrawCell& cell)
{
    CKIV5980Doc* doc = GetProjectDoc();
    fw::CDC* dc = cell.m_pDC;
    const int32_t row = cell.m_nRow;
    if (!doc || !dc || row < 0 || row >= doc->GetUseTanks().GetSize())
        return;
    CDataTankObject* tank = doc->GetUseTanks().GetObjectAt(row);
    if (!tank)
        return;
    fw::CFont font;
    CGraphListObj* graph = GetListGraph();
    font.CreatePointFontIndirect(graph ? graph->m_legendFont : cell.m_format.lf);
    fw::CFont* old = dc->SelectObject(&font);
    fw::CString values[5];
    values[0] = tank->GetName();
    tank->GetMaxText(values[1], true);
    tank->GetMinText(values[2], true);
    tank->GetAverageText(values[3], true);
    values[4] = tank->GetUnit();
    int widest = 0;
    fw::CString labels[5];
    for (int i = 0; i < 5; ++i) {
        labels[i] = prjpage::PageText(kLegend[i].id, kLegend[i].text);
        widest = std::max(widest, dc->GetTextExtent(labels[i]).cx);
    }
    fw::TEXTMETRIC tm{};
    dc->GetTextMetrics(&tm);
    const int oldMode = dc->SetBkMode(fw::TRANSPARENT);
    int y = cell.m_rcCell.top + 10;
    for (int i = 0; i < 5; ++i) {
        dc->TextOut(cell.m_rcCell.left, y, labels[i]);
        dc->TextOut(cell.m_rcCell.left + widest, y, fw::CString(":" + values[i].str()));
        y += tm.tmHeight * 3 / 2;
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(old);
}

void CPrjGraphView::OnPrint(fw::CDC* dc, fw::CPrintInfo* info)
{
    CZELGridStyle* style = GetGrid()->GetStyle();
    if (!style) {
        CProjectBaseView::OnPrint(dc, info);
        return;
    }
    CZELPaneStyle& sheet = style->GetPane(kPaneSheet);
    const auto vertical = sheet.m_bVertLines;
    const auto horizontal = sheet.m_bHorzLines;
    sheet.m_bVertLines = 0;
    sheet.m_bHorzLines = 0;
    CProjectBaseView::OnPrint(dc, info);
    sheet.m_bVertLines = vertical;
    sheet.m_bHorzLines = horizontal;
}

// ---- commands ------------------------------------------------------------------------------------

void CPrjGraphView::OnUpdateGraphCommand(fw::CCmdUI* ui) { ui->Enable(GetListGraph() != nullptr); }

void CPrjGraphView::OnUpdateDisabled(fw::CCmdUI* ui) { ui->Enable(false); }

void CPrjGraphView::AfterGraphDialog(bool ok)
{
    if (!ok)
        return;
    DeleteRowGraphs(-1);
    if (GetGrid()->GetStyle())
        GetGrid()->RedrawPanes();
    if (CKIV5980Doc* doc = GetProjectDoc())
        doc->SetModifiedFlag(true);
}

void CPrjGraphView::OnEditScales()
{
    if (CGraphListObj* graph = GetListGraph())
        AfterGraphDialog(graph->EditScales());
}

void CPrjGraphView::OnEditLabels()
{
    CGraphListObj* graph = GetListGraph();
    if (!graph)
        return;
    const bool ok = graph->EditLabels();
    if (ok)
        if (CZELGridStyle* style = GetGrid()->GetStyle())
            style->GetPane(kPaneSheet).m_format.lf = graph->m_legendFont;
    AfterGraphDialog(ok);
}

void CPrjGraphView::OnEditDrawTypes()
{
    if (CGraphListObj* graph = GetListGraph())
        AfterGraphDialog(graph->EditDrawTypes());
}

void CPrjGraphView::OnEditPlotLines()
{
    if (CGraphListObj* graph = GetListGraph())
        AfterGraphDialog(graph->EditPlotLines());
}

void CPrjGraphView::OnEditGridLines()
{
    if (CGraphListObj* graph = GetListGraph())
        AfterGraphDialog(graph->EditGridLines());
}
