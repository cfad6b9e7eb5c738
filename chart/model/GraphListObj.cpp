#include "chart/model/GraphListObj.h"

#include "chart/model/PlotText.h"
#include "framework/core/Archive.h"
#include "framework/core/DC.h"
#include "framework/core/Exceptions.h"

#include <memory>

FW_IMPLEMENT_SERIAL(CGraphListObj, fw::CObject, 0)

namespace {

// Axis titles of a row centred over their axis, sitting on their baseline.
constexpr int32_t kTitleAlign = 14;

void SerializeStyle(fw::CArchive& ar, tSeriesStyle& s)
{
    // The reserved value and the draw type stay out of this form.
    int16_t* const fields[] = {&s.lineWidth, &s.lineHeight, &s.fill, reinterpret_cast<int16_t*>(&s.linePattern),
                               &s.symbolSize, &s.symbolType, &s.lineColor, &s.symbolColor,
                               &s.fillColor, &s.symbolInterval};
    for (int16_t* field : fields) {
        if (ar.IsStoring())
            ar << *field;
        else
            ar >> *field;
    }
}

} // namespace

CGraphListObj::CGraphListObj() { Reset(); }

CGraphListObj::~CGraphListObj() { DeleteRows(); }

void CGraphListObj::Reset()
{
    for (LOGFONT* font : {&m_legendFont, &m_xTitleFont, &m_yTitleFont, &m_xTickFont, &m_yTickFont})
        SetDefaultLogFont(font, true, 0);
    m_state = 0;
    m_style = tSeriesStyle{};
    m_style.symbolType = 0;
    m_frame.m_frameWidth = 2;
    m_frame.m_frameColor = 0;
    m_frame.m_gridMajorColor = 15;
    m_frame.m_gridMinorColor = 15;
    m_frame.m_xGridMajorWidth = 1;
    m_frame.m_xGridMinorWidth = 0;
    m_frame.m_xTickSide = GrFrameRec::kSideNone;
    m_frame.m_xTickWidth = 1;
    m_frame.m_yGridMajorWidth = 1;
    m_frame.m_yGridMinorWidth = 0;
    m_frame.m_yTickSide = GrFrameRec::kSideNone;
    m_frame.m_yTickWidth = 1;
    m_frame.m_tickColor = 0;
    m_frame.m_reserved = 0;
}

void CGraphListObj::DeleteRows()
{
    std::vector<CListGraphDraw*> rows;
    rows.swap(m_rows);
    for (CListGraphDraw* row : rows)
        delete row;
}

void CGraphListObj::ShapeRows(const std::vector<bool>& withChannels)
{
    while (m_rows.size() > withChannels.size()) {
        delete m_rows.back();
        m_rows.pop_back();
    }
    for (size_t r = 0; r < withChannels.size(); ++r) {
        if (r == m_rows.size()) {
            AppendRow(withChannels[r] ? CreateRow() : nullptr);
            continue;
        }
        if (withChannels[r] && !m_rows[r]) {
            m_rows[r] = CreateRow();
        } else if (!withChannels[r] && m_rows[r]) {
            delete m_rows[r];
            m_rows[r] = nullptr;
        }
    }
}

CListGraphDraw* CGraphListObj::GetRow(int row) const
{
    if (row < 0 || row >= GetRowCount())
        fw::ThrowInvalidArgException();
    return m_rows[static_cast<size_t>(row)];
}

void CGraphListObj::AppendRow(CListGraphDraw* drawer)
{
    std::unique_ptr<CListGraphDraw> owned(drawer);
    m_rows.push_back(drawer);
    owned.release();
}

void CGraphListObj::Serialize(fw::CArchive& ar)
{
    SerializeStyle(ar, m_style);
    m_frame.Serialize(ar);
    for (LOGFONT* font : {&m_legendFont, &m_xTitleFont, &m_yTitleFont, &m_xTickFont, &m_yTickFont})
        SerializeLogFont(ar, *font);
    if (ar.IsStoring()) {
        ar.WriteCount(m_rows.size());
        for (const CListGraphDraw* row : m_rows)
            ar.WriteObject(row);
        return;
    }
    DeleteRows();
    // Each row is at least a two-byte tag.
    const uint64_t count = ar.ReadCount(sizeof(uint16_t));
    m_rows.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i)
        m_rows.push_back(static_cast<CListGraphDraw*>(ar.ReadOwnedObject(FW_RUNTIME_CLASS(CListGraphDraw))));
    AddRefSharedTanks();
}

void CGraphListObj::InitRow(CListGraphDraw& row) const
{
    row.SetOption(0, true);
    row.Frame() = m_frame;
    row.Scale().m_x.subdivisions = 1;
    row.Scale().m_y.subdivisions = 1;
    row.Record().m_xLabelWidth = 7;
    row.Record().m_yLabelWidth = 7;
}

CListGraphDraw* CGraphListObj::CreateRow()
{
    auto row = std::make_unique<CListGraphDraw>();
    InitRow(*row);
    return row.release();
}

void CGraphListObj::OnUpdate(int hint, const fw::CObject*)
{
    if (hint == 12 || hint == 16)
        AutoScaleAll();
}

void CGraphListObj::Recalculate(bool autoScale)
{
    ApplyFonts();
    RebuildAxes();
    if (autoScale)
        AutoScaleAll();
}

void CGraphListObj::ApplyFonts()
{
    for (CListGraphDraw* row : m_rows) {
        if (!row)
            continue;
        if (row->m_xTitleFromSeries)
            row->SetAxisTitle('X', fw::CString(), fw::CString());
        if (row->m_yTitleFromSeries)
            row->SetAxisTitle('Y', fw::CString(), fw::CString());
        const std::pair<int, const LOGFONT*> titles[] = {{'Y', &m_yTitleFont}, {'X', &m_xTitleFont}};
        for (const auto& [axis, font] : titles) {
            CPlotLabel* title = row->GetAxisTitle(axis);
            if (!title)
                continue;
            tTextAttributes attributes;
            title->GetTextAttributes(attributes);
            attributes.font = *font;
            attributes.align = kTitleAlign;
            title->SetTextAttributes(attributes);
        }
    }
}

void CGraphListObj::RebuildAxes()
{
    for (CListGraphDraw* row : m_rows) {
        if (!row)
            continue;
        row->CreateFrame();
        row->CreateGridLines('X');
        row->CreateGridLines('Y');
        row->CreateTickMarks('X');
        row->CreateTickMarks('Y');
        row->CreateTickLabels('X');
        row->CreateTickLabels('Y');
        row->CreatePlot();
        const std::pair<int, const LOGFONT*> labels[] = {{'X', &m_xTickFont}, {'Y', &m_yTickFont}};
        for (const auto& [axis, font] : labels) {
            CTickLabel* ticks = row->GetTickLabels(axis);
            if (!ticks)
                continue;
            tTextAttributes attributes;
            ticks->GetTextAttributes(attributes);
            attributes.font = *font;
            ticks->SetTextAttributes(attributes);
        }
    }
}

bool CGraphListObj::AutoScaleAll()
{
    bool changed = false;
    for (CListGraphDraw* row : m_rows) {
        if (row && row->AutoScale())
            changed = true;
    }
    return changed;
}

void CGraphListObj::DrawRowPart(fw::CDC& dc, const fw::CRect& rect, int row, int mode)
{
    if (m_rows.empty())
        return;
    CListGraphDraw* drawer = GetRow(row);
    if (!drawer)
        return;
    // Put in order before shrinking, so that a rectangle given the wrong
    // way round shrinks as well instead of growing.
    fw::CRect area = rect;
    area.NormalizeRect();
    area = fw::CRect(area.left + 1, area.top + 1, area.right - 1, area.bottom - 1);
    area.NormalizeRect();
    switch (mode) {
    case kFitAndDraw:
        drawer->FitPlotRect(dc, area);
        drawer->DrawGraph(dc, area);
        break;
    case kSeriesOnly:
        drawer->DrawNewData(dc, area, false);
        break;
    case kFitOnly:
        drawer->FitPlotRect(dc, area);
        break;
    default:
        break;
    }
}
