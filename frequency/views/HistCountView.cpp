#include "frequency/views/HistCountView.h"

#include "common/base/LogFont.h"
#include "common/base/TextFile.h"
#include "common/tank/DblDataTank.h"
#include "docbase/doc/UpdateHints.h"
#include "framework/core/DC.h"
#include "framework/core/Format.h"
#include "frequency/document/HistDoc.h"
#include "frequency/model/HistCountArray.h"
#include "frequency/model/HistTables.h"
#include "frequency/views/HistFrame.h"
#include "frequency/views/HistOpeView.h"
#include "frequency/views/HistViewIds.h"
#include "grid/model/GridStyle.h"
#include "grid/views/GridPane.h"

#include <cmath>

FW_IMPLEMENT_DYNCREATE(CHistCountView, CHistDataViewBase)

using namespace histview;

namespace {

constexpr int32_t kPropertiesFontHeight = 90; // tenths of a point
constexpr int32_t kRowHeaderColumns = 2;

// Count columns of an operation; 0 keeps the table as it is.
int32_t ColumnsOf(int operation)
{
    switch (operation) {
    case kHistPeakValley: return 4;
    case kHistMaxMin:
    case kHistAmp:
    case kHistLevel: return 3;
    case kHistTime:
    case kHistRain: return 1;
    default: return 0;
    }
}

} // namespace

CHistCountView::CHistCountView() : m_plusWidth(HUGE_VAL), m_minusWidth(HUGE_VAL)
{
    m_nContextMenuId = kCountContextMenu;
    SetDefaultLogFont(&m_propertiesFont, true, 0);
    m_propertiesFont.lfHeight = kPropertiesFontHeight;
}

CHistCountObj* CHistCountView::GetAnalysis() const
{
    CHistDoc* doc = GetHistDoc();
    const CHistCountArray* analyses = doc ? doc->GetHistCountArray() : nullptr;
    if (!analyses || m_nIndex < 0 || m_nIndex >= analyses->GetSize())
        return nullptr;
    return analyses->GetAt(m_nIndex);
}

void CHistCountView::SelectAnalysis(int index)
{
    CHistDoc* doc = GetHistDoc();
    const CHistCountArray* analyses = doc ? doc->GetHistCountArray() : nullptr;
    // An index the array does not hold (no current row above) changes nothing.
    if (analyses && (index < 0 || index >= analyses->GetSize()))
        return;
    m_nIndex = index;
    m_plusWidth = HUGE_VAL;
    m_minusWidth = HUGE_VAL;
    if (const CHistCountObj* a = GetAnalysis()) {
        if (a->m_plusSlices > 0)
            m_plusWidth = a->m_fullScale / static_cast<double>(a->m_plusSlices);
        if (a->m_minusSlices > 0)
            m_minusWidth = a->m_fullScale / static_cast<double>(a->m_minusSlices);
    }
    Redimension();
}

void CHistCountView::Redimension()
{
    CZELGridStyle* style = GetGrid()->GetStyle();
    if (!style)
        return;
    const CHistCountObj* a = GetAnalysis();
    if (!a) {
        style->SetColumnCount(kEmptyColumns);
        style->SetRowCount(kEmptyRows);
    } else if (const int32_t cols = ColumnsOf(a->m_operation)) {
        style->SetColumnCount(cols);
        style->SetRowCount(std::max(a->GetSliceCount(), 1));
    }
    GetGrid()->ApplyStyle(true);
}

void CHistCountView::OnInitialUpdate()
{
    if (CHistDoc* doc = GetHistDoc(); doc && doc->GetLayout(2)) {
        CZELGridStyle* layout = doc->GetLayout(2);
        // Slice number and slice value stand before the counts.
        if (layout->GetPane(kPaneRowHeader).m_nCols < kRowHeaderColumns)
            layout->SetHeaderColumnCount(kRowHeaderColumns);
        SetGridStyle(layout);
    }
    SelectAnalysis(m_nIndex);
    CHistDataViewBase::OnInitialUpdate();
}

void CHistCountView::OnUpdate(fw::CView* sender, intptr_t hint, fw::CObject* hintObject)
{
    if (hint != kHintShowAnalysis) {
        CHistDataViewBase::OnUpdate(sender, hint, hintObject);
        return;
    }
    const auto* update = dynamic_cast<const CUpdateKivData*>(hintObject);
    if (!update)
        return;
    SelectAnalysis(update->m_firstColumn);
    GetGrid()->RedrawPanes();
}

int CHistCountView::SliceOfRow(int32_t row) const
{
    const CHistCountObj* a = GetAnalysis();
    const int k = (a ? a->m_plusSlices : 0) - row;
    return k < 1 ? k - 1 : k;
}

bool CHistCountView::GetTagText(fw::CString& text, int32_t col, int32_t, int)
{
    text = col == 0 ? "Slice" : col == 1 ? "Value" : "";
    return true;
}

bool CHistCountView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    text.Empty();
    if (const CHistCountObj* a = GetAnalysis())
        text = HistCountLabel(a->m_operation, col);
    return true;
}

bool CHistCountView::GetRowHeaderText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    const CHistCountObj* a = GetAnalysis();
    if (!a || row < 0 || row >= a->GetSliceCount())
        return true;
    const int k = SliceOfRow(row);
    if (col == 0)
        text = fw::Format("%d", k);
    else if (col == 1)
        text = fw::Format("%g", k * (k >= 1 ? m_plusWidth : m_minusWidth));
    return true;
}

bool CHistCountView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    text.Empty();
    const CHistCountObj* a = GetAnalysis();
    CDblDataTank* tank = a ? a->GetCountTank() : nullptr;
    const int n = a ? a->GetSliceCount() : 0;
    if (!tank || row < 0 || row >= n || col < 0)
        return true;
    const int64_t index = static_cast<int64_t>(n) * (col + 1) - row - 1;
    if (index >= tank->GetDataCount())
        return true;
    const double value = tank->GetValue(static_cast<int>(index));
    if (!std::isfinite(value) || value < 1)
        return true;
    text = fw::Format("%lu", static_cast<unsigned long>(value));
    return true;
}

void CHistCountView::WriteText(CTextFile& file, bool csv)
{
    if (!GetHistDoc())
        return;
    const char sep = csv ? ',' : '\t';
    WriteTitleLines(file, csv);
    if (m_pAnalysisView && m_pAnalysisView->GetGrid()->GetStyle()) {
        CZELViewGrid* above = m_pAnalysisView->GetGrid();
        const int32_t lastCol = above->GetSheetPane()->ColumnCount() - 1;
        const int32_t headerRows = above->GetPane(kIndexColumnHeader)->RowCount();
        for (int32_t row = 0; row < headerRows; ++row) {
            fw::CString line;
            above->AppendColumnHeaderLine(line, row, sep, true, 0, lastCol);
            file.WriteLine(line, true);
        }
        fw::CString line;
        above->AppendSheetLine(line, m_nIndex, sep, true, 0, lastCol);
        file.WriteLine(line, true);
    }
    file.WriteLine(fw::CString(), true);
    CZELViewGrid* grid = GetGrid();
    if (!grid->GetStyle())
        return;
    const int32_t lastCol = grid->GetSheetPane()->ColumnCount() - 1;
    const int32_t headerRows = grid->GetPane(kIndexColumnHeader)->RowCount();
    for (int32_t row = 0; row < headerRows; ++row) {
        fw::CString line;
        grid->AppendColumnHeaderLine(line, row, sep, true, 0, lastCol);
        file.WriteLine(line, true);
    }
    const int32_t rows = grid->GetSheetPane()->RowCount();
    for (int32_t row = 0; row < rows; ++row) {
        fw::CString line;
        grid->AppendSheetLine(line, row, sep, true, 0, lastCol);
        file.WriteLine(line, true);
    }
}

void CHistCountView::OnTextSave()
{
    if (m_pAnalysisView)
        m_pAnalysisView->OnTextSave();
}

void CHistCountView::OnDraw(fw::CDC* dc)
{
    if (!dc || !dc->IsPrinting())
        return;
    DrawPageHeader(*dc);
    int y = m_nMarginTop + PrintedHeaderHeight(*dc);
    if (!m_pAnalysisView || !m_pAnalysisView->GetGrid()->GetStyle())
        return;
    fw::CFont font;
    font.CreatePointFontIndirect(m_propertiesFont);
    fw::CFont* old = dc->SelectObject(&font);
    const int line = std::max(dc->GetTextExtent("0").cy, 1);
    y += line;
    CZELViewGrid* above = m_pAnalysisView->GetGrid();
    const int32_t corners = above->GetPane(kIndexRowHeader)->ColumnCount();
    for (int32_t col = 0; col < corners; ++col) {
        fw::CString caption;
        fw::CString name;
        m_pAnalysisView->GetTagText(caption, col, 0, 1);
        m_pAnalysisView->GetRowHeaderText(name, col, m_nIndex, 1);
        dc->TextOut(m_nMarginLeft, y, caption + "：" + name);
        y += line;
    }
    const int32_t cols = above->GetSheetPane()->ColumnCount();
    for (int32_t col = 0; col < cols; ++col) {
        fw::CString upper;
        fw::CString lower;
        fw::CString value;
        m_pAnalysisView->GetColumnHeaderText(upper, col, 0, 1);
        m_pAnalysisView->GetColumnHeaderText(lower, col, 1, 1);
        m_pAnalysisView->GetSheetText(value, col, m_nIndex, 1);
        fw::CString caption = upper;
        if (lower != upper)
            caption += lower;
        caption.Replace("\n", "");
        dc->TextOut(m_nMarginLeft, y, caption + "：" + value);
        y += line;
    }
    dc->SelectObject(old);
}
