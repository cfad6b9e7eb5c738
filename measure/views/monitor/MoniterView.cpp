#include "measure/views/monitor/MoniterView.h"

#include "common/calc/CashCalcuDataTank.h"
#include "framework/core/StringTable.h"
#include "project/model/KIV5980Doc.h"

#include <algorithm>

namespace {

constexpr int kListChannels = 2;
constexpr int32_t kInitialHeight = 16;
constexpr int32_t kInitialWidth = 80;
constexpr int32_t kNewColumnWidth = 10;
constexpr int32_t kPointTenths9 = 90;
constexpr int32_t kBold = 700;
constexpr int kColumnsWithPeaks = 5, kColumnsWithoutPeaks = 3;
constexpr uint32_t kRightMiddle = kAlignRight | kAlignMiddle;
constexpr uint32_t kCenterMiddle = kAlignCenter | kAlignMiddle;

CCalcuDataTank* CalcTank(CKIV5980Doc* doc, int channel)
{
    return doc ? dynamic_cast<CCalcuDataTank*>(doc->GetChannelTank(channel, kListChannels)) : nullptr;
}

} // namespace

int32_t MonitorRowHeight(const LOGFONT& font)
{
    return static_cast<int32_t>(font.lfHeight * 0.2);
}

CMoniterView::CMoniterView()
{
    m_style.SetDimensions(1, 1, 1, 1, kColumnsWithPeaks, 8);
    m_style.SetDefaultSizes(0, kInitialHeight, 0, kInitialHeight, kInitialWidth, kInitialHeight);
    m_style.SetMode(kModeVertScroll);
    m_style.ApplySizes();
    for (int pane : {kPaneCorner, kPaneColumnHeader, kPaneRowHeader, kPaneSheet}) {
        CellFormat& format = m_style.GetPane(pane).m_format;
        format.lf.lfHeight = kPointTenths9;
        format.nAlign = pane == kPaneSheet ? kCenterMiddle : kRightMiddle;
    }
    m_style.GetPane(kPaneRowHeader).m_format.lf.lfWeight = kBold;
    SetStyle(&m_style);
}

void CMoniterView::OnInitialUpdate()
{
    const int32_t r = MonitorRowHeight(m_style.GetPane(kPaneSheet).m_format.lf);
    m_style.SetDimensions(1, 1, 1, 1, kColumnsWithPeaks, 1);
    m_style.SetDefaultSizes(0, r, 0, r, kNewColumnWidth, r);
    m_style.SetMode(kModeVertScroll);
    m_style.ApplySizes();
    m_style.SetRowHeights(0, r, 1);
    m_style.SetColumnHeaderRowHeights(0, r, 1);
    ApplySettings(false);
}

int CMoniterView::MonitoredCount() const
{
    return m_doc ? static_cast<int>(m_doc->GetPanelMonitor().m_channels.size()) : 0;
}

void CMoniterView::SetDocument(CKIV5980Doc* doc)
{
    if (doc == m_doc)
        return;
    m_doc = doc;
    ApplySettings(false);
    if (m_doc && onDocumentSet)
        onDocumentSet();
}

void CMoniterView::ApplySettings(bool redraw)
{
    if (!m_doc)
        return;
    const CPanelMoniterPrf& prf = m_doc->GetPanelMonitor();
    CZELPaneStyle& sheet = m_style.GetPane(kPaneSheet);
    const int32_t oldHeight = sheet.m_format.lf.lfHeight;
    const int32_t newHeight = prf.m_font.lfHeight;
    // A font record without a height (typed "0" or garbage) keeps the
    // widths instead of scaling them by nothing or infinity.
    const double ratio = oldHeight > 0 && newHeight > 0 ? static_cast<double>(newHeight) / oldHeight : 1.0;
    sheet.m_format.lf = prf.m_font;
    m_style.GetPane(kPaneColumnHeader).m_format.lf = prf.m_font;

    const int32_t r = std::max<int32_t>(1, MonitorRowHeight(prf.m_font));
    m_style.SetDefaultSizes(0, r, 0, r, kInitialWidth, r);
    m_style.SetRowHeights(0, r, sheet.m_nRows);
    m_style.SetColumnHeaderRowHeights(0, r, 1);

    sheet.m_format.bSysTextColor = 0;
    sheet.m_format.crText = prf.m_crFore;
    sheet.m_format.crBack = prf.m_crBack;
    sheet.m_crBack = prf.m_crBack;

    const int rows = std::max(1, MonitoredCount());
    if (sheet.m_nRows != rows)
        m_style.SetRowCount(rows);

    if (prf.m_bPeakMoni && sheet.m_nCols == kColumnsWithoutPeaks) {
        const int32_t valueWidth = sheet.GetColumnWidth(2);
        m_style.SetColumnCount(kColumnsWithPeaks);
        m_style.SetColumnWidths(3, valueWidth, 2);
    } else if (!prf.m_bPeakMoni) {
        m_style.SetColumnCount(kColumnsWithoutPeaks);
    }
    for (int32_t c = 0; c < sheet.m_nCols; ++c)
        m_style.SetColumnWidths(c, static_cast<int32_t>(sheet.GetColumnWidth(c) * ratio), 1);
    if (Widget())
        ApplyStyle(redraw);
}

fw::CSize CMoniterView::ContentSize() const
{
    CZELGridStyle& style = const_cast<CZELGridStyle&>(m_style);
    const CZELPaneStyle& sheet = style.GetPane(kPaneSheet);
    const int32_t headerHeight =
        std::max(style.GetPane(kPaneCorner).GetRowHeight(0), style.GetPane(kPaneColumnHeader).GetRowHeight(0));
    const int32_t headerWidth =
        std::max(style.GetPane(kPaneCorner).GetColumnWidth(0), style.GetPane(kPaneRowHeader).GetColumnWidth(0));
    const int32_t rows = std::min(sheet.m_nRows, kMaxFittedRows);
    int32_t width = headerWidth;
    for (int32_t c = 0; c < sheet.m_nCols; ++c)
        width += sheet.GetColumnWidth(c);
    return fw::CSize(width, headerHeight + rows * sheet.GetRowHeight(0));
}

bool CMoniterView::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    static const unsigned ids[] = {kIdsName, kIdsUnit, kIdsData, kIdsMax, kIdsMin};
    if (col < 0 || col >= static_cast<int32_t>(std::size(ids)))
        return false;
    text = fw::LoadStringText(ids[col]);
    return true;
}

bool CMoniterView::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (!m_doc || row < 0 || row >= MonitoredCount())
        return false;
    CCalcuDataTank* tank = CalcTank(m_doc, m_doc->GetPanelMonitor().m_channels[static_cast<size_t>(row)]);
    if (!tank)
        return false;
    switch (col) {
    case 0:
        text = tank->GetName();
        return true;
    case 1:
        text = tank->GetUnit();
        return true;
    case 2:
        tank->FormatResult(text, tank->GetFormat());
        return true;
    case 3:
    case 4:
        if (auto* cash = dynamic_cast<CCashCalcuDataTank*>(tank)) {
            cash->GetPeakText(text, col - 3);
            return true;
        }
        return false;
    default:
        return false;
    }
}

void CMoniterView::GetSheetCellFormat(CellFormat& format, int32_t col, int32_t)
{
    if (col < 2)
        return;
    format.nFlags |= kCellUseAlign;
    format.nAlign = kRightMiddle;
}
