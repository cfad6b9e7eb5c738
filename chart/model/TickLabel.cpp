#include "chart/model/TickLabel.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/base/LogFont.h"
#include "common/base/ValueFormat.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <cmath>
#include <string>

FW_IMPLEMENT_SERIAL(CTickLabel, CPlotXYGrid, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CTickXLabel, CTickLabel, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CTickYLabel, CTickLabel, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CLogTickXLabel, CTickXLabel, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CLogTickYLabel, CTickYLabel, fw::VERSIONABLE_SCHEMA | 1)

namespace {

// The date and time codes of the kinds 3 to 10.
constexpr int16_t kDateCodes[] = {'d', 'g', 'f', 'h', 'i', 'j', 'e', 'n'};
// A background mode the context does not take: its own stays in force.
constexpr int32_t kKeepBackground = 13;


} // namespace

CTickLabel::CTickLabel(bool xAxis, bool logarithmic) : CPlotXYGrid(xAxis, logarithmic) {}

CTickLabel::~CTickLabel() = default;

void CTickLabel::Serialize(fw::CArchive& ar)
{
    CPlotXYGrid::Serialize(ar);
    if (ar.IsStoring())
        ar << m_formatKind << m_gap << m_textHeight << m_storedWord << m_side;
    else
        ar >> m_formatKind >> m_gap >> m_textHeight >> m_storedWord >> m_side;
    Attributes().Serialize(ar);
}

void CTickLabel::CreateDefaultAttributes()
{
    tTextAttributes a;
    SetDefaultLogFont(&a.font, true, 0);
    a.bkMode = kKeepBackground;
    a.align = fw::TA_BOTTOM;
    m_attributes = std::make_unique<CTextEnvirons>();
    m_attributes->SetAttributes(a);
}

CTextEnvirons& CTickLabel::Attributes()
{
    if (!m_attributes)
        CreateDefaultAttributes();
    return *m_attributes;
}

void CTickLabel::GetLabelFormat(tLabelFormat& format)
{
    format.kind = m_formatKind;
    Attributes().GetAttributes(format.attributes);
}

void CTickLabel::SetTextAttributes(const tTextAttributes& attributes)
{
    Attributes().SetAttributes(attributes);
}

void CTickLabel::GetTextAttributes(tTextAttributes& attributes)
{
    Attributes().GetAttributes(attributes);
}

void CTickLabel::ApplyText(fw::CDC& dc)
{
    Attributes().ApplyChain(dc);
}

void CTickLabel::RestoreText(fw::CDC& dc)
{
    Attributes().RestoreChain(dc);
}

void CTickLabel::SetAttributes(const tTickLabelAttributes& a)
{
    m_minorColour = a.minorColour;
    m_majorColour = a.majorColour;
    m_formatKind = a.formatKind;
    m_gap = a.gap;
    m_textHeight = a.textHeight;
    m_storedWord = a.storedWord;
    SetTextAttributes(a.text);
    m_side = a.side;
}

void CTickLabel::GetAttributes(tTickLabelAttributes& a)
{
    a.minorColour = m_minorColour;
    a.majorColour = m_majorColour;
    a.formatKind = m_formatKind;
    a.gap = m_gap;
    a.textHeight = m_textHeight;
    a.storedWord = m_storedWord;
    GetTextAttributes(a.text);
    a.side = m_side;
}

void CTickLabel::ComputeDecimals()
{
    const double basis = m_logarithmic ? std::min(m_majorLow, m_majorHigh) : m_majorStep;
    m_decimals = m_formatKind == kExponent ? GetSignificantDigits(basis) : CountRoundedDecimals(basis);
}

void CTickLabel::SetRange(double start, double step, double end)
{
    SetWalk(start, step, end);
    SetMajorLattice(start, step, end);
}

void CTickLabel::SetTimeScale(double divisor, double offset)
{
    m_timeDivisor = divisor;
    m_timeOffset = offset;
}

void CTickLabel::FormatValue(double value, fw::CString& out) const
{
    out.Empty();
    if (m_formatKind == kBlank) {
        out = " ";
    } else if (m_formatKind == kFixed) {
        RoundToDecimals(value, m_decimals, out);
    } else if (m_formatKind == kExponent) {
        FormatExponent(value, GetSignificantDigits(value), out);
    } else if (m_formatKind >= kFirstDate && m_formatKind <= kLastDate && m_timeDivisor != 0.0) {
        FormatDataValue(value / m_timeDivisor + m_timeOffset, kDateCodes[m_formatKind - kFirstDate], out);
    }
}

int CTickLabel::Gap(const fw::CDC& dc) const
{
    // X labels keep their gap up and down, Y labels sideways.
    return HundredthsMmToLogical(dc, m_gap, m_xAxis);
}

int CTickLabel::MeasureHeight(fw::CDC& dc)
{
    fw::TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    m_textHeight = static_cast<int16_t>(tm.tmHeight);
    return m_textHeight;
}

int CTickLabel::WidestLabel(fw::CDC& dc, double low, double high, int zeros)
{
    fw::CString text;
    FormatValue(low, text);
    int w = dc.GetTextExtent(text).cx;
    FormatValue(high, text);
    w = std::max(w, dc.GetTextExtent(text).cx);
    if (zeros > 0)
        w = std::max(w, dc.GetTextExtent(fw::CString(std::string(static_cast<size_t>(zeros), '0'))).cx);
    return w;
}

void CTickLabel::BeginDraw(fw::CDC& dc, OGPRecord* rec)
{
    CPlotXYGrid::BeginDraw(dc, rec);
    ApplyText(dc);
    fw::COLORREF c = 0;
    GrGetColorRef(m_majorColour, c);
    dc.SetTextColor(c);
    MeasureHeight(dc);
}

void CTickLabel::EndDraw(fw::CDC& dc, OGPRecord* rec)
{
    RestoreText(dc);
    CPlotXYGrid::EndDraw(dc, rec);
}

void CTickLabel::DrawMajor(fw::CDC& dc, double value, int coord, OGPRecord* rec)
{
    CPlotXYGrid::DrawMajor(dc, value, coord, rec);
    if (m_logarithmic)
        RoundToSevenDigits(m_currentStep);
}

// --- X labels ----------------------------------------------------------------------

CTickXLabel::CTickXLabel(const OGPRecord& rec, const tLabelFormat& format) : CTickLabel(true, false)
{
    SetRange(rec.m_xMin, (rec.m_xMax - rec.m_xMin) / 5.0, rec.m_xMax);
    m_formatKind = format.kind;
    SetTextAttributes(format.attributes);
}

void CTickXLabel::DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec)
{
    fw::CString text;
    FormatValue(value, text);
    if (text.IsEmpty())
        return;
    const int x = coord - dc.GetTextExtent(text).cx / 2;
    const int gap = Gap(dc);
    if (OnFirstSide(m_side))
        dc.TextOut(x, rec->m_plotRect.top - gap, text);
    if (OnSecondSide(m_side))
        dc.TextOut(x, rec->m_plotRect.bottom + gap + m_textHeight, text);
}

int CTickXLabel::SpaceAbove(fw::CDC& dc, OGPRecord* rec)
{
    if (!OnSecondSide(m_side))
        return 0;
    ApplyText(dc);
    const int h = MeasureHeight(dc);
    RestoreText(dc);
    return h + Gap(dc);
}

int CTickXLabel::SpaceBelow(fw::CDC& dc, OGPRecord* rec)
{
    return SpaceAbove(dc, rec);
}

void CTickXLabel::Measure(fw::CDC& dc, OGPRecord* rec)
{
    ApplyText(dc);
    const int h = MeasureHeight(dc);
    const int gap = Gap(dc);
    fw::CRect& frame = rec->m_frameRect;
    const fw::CRect& plot = rec->m_plotRect;
    if (OnSecondSide(m_side))
        frame.bottom = std::max(frame.bottom, plot.bottom + gap + h);
    if (OnFirstSide(m_side))
        frame.top = std::min(frame.top, plot.top - h - gap);
    const int w = WidestLabel(dc, rec->m_xMin, rec->m_xMax, rec->m_xLabelWidth);
    frame.left = std::min(frame.left, plot.left - w / 2 - 1);
    frame.right = std::max(frame.right, plot.right + w / 2 + 1);
    RestoreText(dc);
}

// --- Y labels ----------------------------------------------------------------------

CTickYLabel::CTickYLabel(const OGPRecord& rec, const tLabelFormat& format) : CTickLabel(false, false)
{
    InitY();
    SetRange(rec.m_yMin, (rec.m_yMax - rec.m_yMin) / 5.0, rec.m_yMax);
    m_formatKind = format.kind;
    SetTextAttributes(format.attributes);
}

void CTickYLabel::DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec)
{
    fw::CString text;
    FormatValue(value, text);
    if (text.IsEmpty())
        return;
    if (m_textHeight == 0)
        MeasureHeight(dc);
    const int y = coord + m_textHeight / 2;
    const int gap = Gap(dc);
    if (OnFirstSide(m_side))
        dc.TextOut(rec->m_plotRect.left - dc.GetTextExtent(text).cx - gap, y, text);
    if (OnSecondSide(m_side))
        dc.TextOut(rec->m_plotRect.right + gap, y, text);
}

int CTickYLabel::SpaceLeft(fw::CDC& dc, OGPRecord* rec)
{
    if (!OnFirstSide(m_side))
        return 0;
    ApplyText(dc);
    const int w = WidestLabel(dc, rec->m_yMin, rec->m_yMax, 0);
    RestoreText(dc);
    return Gap(dc) + w;
}

int CTickYLabel::SpaceRight(fw::CDC& dc, OGPRecord* rec)
{
    if (!OnSecondSide(m_side))
        return 0;
    ApplyText(dc);
    const int w = WidestLabel(dc, rec->m_yMin, rec->m_yMax, 0);
    RestoreText(dc);
    return Gap(dc) + w;
}

void CTickYLabel::Measure(fw::CDC& dc, OGPRecord* rec)
{
    ApplyText(dc);
    const int h = MeasureHeight(dc);
    const int gap = Gap(dc);
    const int w = WidestLabel(dc, rec->m_yMin, rec->m_yMax, rec->m_yLabelWidth);
    fw::CRect& frame = rec->m_frameRect;
    const fw::CRect& plot = rec->m_plotRect;
    if (OnFirstSide(m_side))
        frame.left = std::min(frame.left, plot.left - w - gap);
    if (OnSecondSide(m_side))
        frame.right = std::max(frame.right, plot.right + gap + w);
    frame.bottom = std::max(frame.bottom, plot.bottom + h / 2 + 1);
    frame.top = std::min(frame.top, plot.top - h / 2 - 1);
    RestoreText(dc);
}
