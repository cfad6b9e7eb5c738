#include "measure/views/panel/MoniterGrid.h"

#include "common/calc/CashCalcuDataTank.h"
#include "framework/core/StringTable.h"
#include "project/model/KIV5980Doc.h"

#include <QWidget>

#include <algorithm>

namespace {

constexpr int kListChannels = 2;
constexpr int32_t kRowHeight = 18;
constexpr int32_t kColumnWidth = 90;
constexpr int32_t kBorder = 1;
constexpr int32_t kScrollBarSize = 17;

CCalcuDataTank* CalcTank(CKIV5980Doc* doc, int channel)
{
    return doc ? dynamic_cast<CCalcuDataTank*>(doc->GetChannelTank(channel, kListChannels)) : nullptr;
}

} // namespace

CMoniterGrid::CMoniterGrid()
{
    m_style.SetDimensions(1, 1, 1, 1, 4, 1);
    m_style.SetDefaultSizes(0, kRowHeight, 0, kRowHeight, kColumnWidth, kRowHeight);
    m_style.SetMode(2);
    m_style.ApplySizes();
    SetStyle(&m_style);
}

CMoniterGrid::~CMoniterGrid()
{
    Watch(false);
}

void CMoniterGrid::Watch(bool on)
{
    for (int32_t ch : m_watched) {
        if (CCalcuDataTank* tank = CalcTank(m_doc, ch))
            on ? tank->AddUse() : tank->RemoveUse();
    }
}

void CMoniterGrid::Attach(CKIV5980Doc* doc)
{
    Watch(false);
    m_watched.clear();
    m_doc = doc;
    if (m_doc)
        m_watched = m_doc->GetPanelMonitor().m_channels;
    Watch(true);
    ApplySettings(true);
}

void CMoniterGrid::ApplySettings(bool redraw)
{
    const bool peaks = m_doc && m_doc->GetPanelMonitor().m_bPeakMoni;
    const int columns = peaks ? 4 : 2;
    m_style.SetColumnCount(columns);
    if (QWidget* widget = Widget()) {
        // The columns share the window less its borders and a scroll bar.
        const int32_t width = (widget->width() - 2 * kBorder - kScrollBarSize) / columns;
        if (width > 0)
            m_style.SetColumnWidths(0, width, columns);
    }
    const int rows = std::max<int>(1, static_cast<int>(m_watched.size()));
    if (m_style.GetPane(kPaneSheet).m_nRows != rows)
        m_style.SetRowCount(rows);
    if (m_doc) {
        CellFormat& format = m_style.GetPane(kPaneSheet).m_format;
        format.bSysTextColor = 0;
        format.crText = m_doc->GetPanelMonitor().m_crFore;
        format.crBack = m_doc->GetPanelMonitor().m_crBack;
        m_style.GetPane(kPaneSheet).m_crBack = format.crBack;
    }
    ApplyStyle(redraw);
}

bool CMoniterGrid::GetColumnHeaderText(fw::CString& text, int32_t col, int32_t, int)
{
    static const unsigned ids[] = {kIdsName, kIdsData, kIdsMax, kIdsMin};
    if (col < 0 || col > 3)
        return false;
    text = fw::LoadStringText(ids[col]);
    return true;
}

bool CMoniterGrid::GetSheetText(fw::CString& text, int32_t col, int32_t row, int)
{
    if (row < 0 || row >= static_cast<int32_t>(m_watched.size()))
        return false;
    CCalcuDataTank* tank = CalcTank(m_doc, m_watched[static_cast<size_t>(row)]);
    if (!tank)
        return false;
    switch (col) {
    case 0:
        text = tank->GetName();
        return true;
    case 1:
        tank->FormatResult(text, -9999);
        return true;
    case 2:
    case 3:
        if (auto* cash = dynamic_cast<CCashCalcuDataTank*>(tank)) {
            cash->GetPeakText(text, col - 2);
            return true;
        }
        return false;
    default:
        return false;
    }
}
