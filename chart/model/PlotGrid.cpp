#include "chart/model/PlotGrid.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/base/ValueFormat.h"
#include "framework/core/Archive.h"

#include <algorithm>
#include <cmath>

FW_IMPLEMENT_SERIAL(CPlotGrid, fw::CObject, fw::VERSIONABLE_SCHEMA | 1)
FW_IMPLEMENT_SERIAL(CPlotXYGrid, CPlotGrid, fw::VERSIONABLE_SCHEMA | 1)

namespace {

constexpr double kWholeTolerance = 0.001;
// An end this close to a tick (in steps) is that tick.
constexpr double kEndTolerance = 1e-9;
constexpr double kAlignTolerance = 2.220446e-16;

bool NearWhole(double x)
{
    return std::fabs(x - GrRound(x)) < kWholeTolerance;
}

} // namespace

int HundredthsMmToLogical(const fw::CDC& dc, int length, bool vertical)
{
    const int dpi = dc.GetDeviceCaps(vertical ? fw::LOGPIXELSY : fw::LOGPIXELSX);
    const int device = static_cast<int>(std::lround(length * static_cast<double>(dpi) / 2540.0));
    fw::CSize size(vertical ? 0 : device, vertical ? device : 0);
    dc.DPtoLP(&size);
    return std::abs(vertical ? size.cy : size.cx);
}

// --- CPlotGrid -------------------------------------------------------------------

void CPlotGrid::Serialize(fw::CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_minorColour << m_majorColour;
    else
        ar >> m_minorColour >> m_majorColour;
}

void CPlotGrid::SetColours(const int16_t colours[2])
{
    m_minorColour = colours[0];
    m_majorColour = colours[1];
}

void CPlotGrid::GetColours(int16_t colours[2]) const
{
    colours[0] = m_minorColour;
    colours[1] = m_majorColour;
}

void CPlotGrid::SetWalk(double start, double step, double end)
{
    m_walkStart = start;
    m_walkStep = step;
    m_walkEnd = end;
}

void CPlotGrid::SetMajorLattice(double low, double step, double high)
{
    m_majorLow = low;
    m_majorStep = step;
    m_majorHigh = high;
}

bool CPlotGrid::IsMajor(double value, double low, double step, double high)
{
    if (std::fabs(step) < kGrEmptyRange)
        return false;
    if (high < low)
        std::swap(low, high);
    const bool inside = (low <= value && value <= high) || std::fabs(value - low) < kWholeTolerance ||
                        std::fabs(value - high) < kWholeTolerance;
    if (!inside)
        return false;
    // Measured from the low end, or from the high end when the lattice
    // was given downward.
    const double from = m_majorHigh < m_majorLow ? high : low;
    if (NearWhole(std::fabs((value - from) / step)))
        return true;
    return m_endTick && high != 0.0 && NearWhole(std::fabs(value / high));
}

void CPlotGrid::BeginDraw(fw::CDC& dc, OGPRecord* rec)
{
    GrClearError(rec);
    m_savedContext = dc.SaveDC();
    dc.SetROP2(fw::R2_COPYPEN);
    m_currentValue = std::min(m_walkStart, m_walkEnd);
    m_endValue = std::max(m_walkStart, m_walkEnd);
    m_currentStep = std::fabs(m_walkStep);
    RoundToSevenDigits(m_currentStep);
    m_endTickPending = 1;
    m_endDrawn = false;
}

void CPlotGrid::EndDraw(fw::CDC& dc, OGPRecord*)
{
    dc.RestoreDC(m_savedContext);
}

void CPlotGrid::RestartWalkAt(double value)
{
    m_walkBase = value;
    m_walkIndex = 0;
}

bool CPlotGrid::NextPosition(int index, double& value, int& coord, OGPRecord* rec)
{
    if (m_endDrawn)
        return false;
    ++m_walkIndex;
    value = m_walkBase + m_walkIndex * m_currentStep;
    const double tolerance = kEndTolerance * m_currentStep;
    if (!(m_currentStep > 0.0) && m_walkIndex > 0 && index > 0)
        return false; // no step: one tick only
    if (value >= m_endValue - tolerance) {
        if (value <= m_endValue + tolerance) {
            value = m_endValue; // the walk lands on the end
        } else if (m_endTick && m_endTickPending) {
            value = m_endValue;
        } else {
            return false;
        }
        m_endTickPending = 0;
        m_endDrawn = true;
    }
    const double mapped = MapValue(value, rec);
    if (GrHasError(rec))
        return false;
    if (GrCheckCoord(mapped, rec)) {
        rec->m_errorIndex = index;
        return false;
    }
    coord = GrRound(mapped);
    return true;
}

void CPlotGrid::Draw(fw::CDC& dc, OGPRecord* rec)
{
    BeginDraw(dc, rec);
    PrepareMapping(rec);
    if (GrHasError(rec)) {
        EndDraw(dc, rec);
        return;
    }
    if (m_alignToStep && m_currentStep > 0.0) {
        const double original = m_currentValue;
        const double r = std::fmod(m_currentValue, m_currentStep);
        if (std::fabs(r) >= kAlignTolerance)
            m_currentValue += (m_currentStep > m_currentValue && r < 0.0) ? -r : m_currentStep - r;
        if (std::fabs(m_majorStep) >= kGrEmptyRange) {
            double& low = m_majorHigh < m_majorLow ? m_majorHigh : m_majorLow;
            low -= std::fmod(original, m_majorStep);
        }
    }
    // The first NextPosition lands on the current value itself.
    RestartWalkAt(m_currentValue);
    m_walkIndex = -1;
    for (int i = 0; i < kMaxTicks; ++i) {
        double value = 0;
        int coord = 0;
        if (!NextPosition(i, value, coord, rec))
            break;
        if (IsMajor(value, m_majorLow, m_majorStep, m_majorHigh))
            DrawMajor(dc, value, coord, rec);
        else
            DrawMinor(dc, value, coord, rec);
        if (GrHasError(rec))
            break;
    }
    EndDraw(dc, rec);
}

// --- CPlotXYGrid -----------------------------------------------------------------

CPlotXYGrid::CPlotXYGrid(bool xAxis, bool logarithmic) : m_logarithmic(logarithmic ? 1 : 0), m_xAxis(xAxis) {}

void CPlotXYGrid::Serialize(fw::CArchive& ar)
{
    CPlotGrid::Serialize(ar);
    if (ar.IsStoring())
        ar << m_logarithmic;
    else
        ar >> m_logarithmic;
}

void CPlotXYGrid::PrepareMapping(OGPRecord* rec)
{
    if (m_xAxis)
        PrepareXMapping(rec);
    else
        PrepareYMapping(rec);
}

double CPlotXYGrid::MapValue(double value, OGPRecord* rec)
{
    if (m_logarithmic)
        return MapLog(value, rec);
    return m_xAxis ? MapX(value) : MapY(value);
}

void CPlotXYGrid::PrepareXMapping(OGPRecord* rec)
{
    if (!rec->m_xRangeSet) {
        rec->m_errorCode = kGrErrNoXRange;
        rec->m_errorIndex = 0;
        return;
    }
    if (GrCheckXRange(rec->m_xMin, rec->m_xMax, rec))
        return;
    const double left = static_cast<int16_t>(rec->m_plotRect.left);
    const double right = static_cast<int16_t>(rec->m_plotRect.right);
    m_xFactor = (right - left) / (rec->m_xMax - rec->m_xMin);
    m_xOffset = left - m_xFactor * rec->m_xMin;
}

void CPlotXYGrid::PrepareYMapping(OGPRecord* rec)
{
    if (!rec->m_yRangeSet) {
        rec->m_errorCode = kGrErrNoYRange;
        rec->m_errorIndex = 0;
        return;
    }
    if (GrCheckYRange(rec->m_yMin, rec->m_yMax, rec))
        return;
    const double top = static_cast<int16_t>(rec->m_plotRect.top);
    const double bottom = static_cast<int16_t>(rec->m_plotRect.bottom);
    m_yFactor = (bottom - top) / (rec->m_yMax - rec->m_yMin);
    m_yOffset = m_yFactor * rec->m_yMin + bottom;
}

double CPlotXYGrid::MapLog(double value, OGPRecord* rec) const
{
    const fw::CRect& r = rec->m_plotRect;
    const bool set = m_xAxis ? rec->m_xRangeSet : rec->m_yRangeSet;
    const double lo = m_xAxis ? rec->m_xMin : rec->m_yMin;
    const double hi = m_xAxis ? rec->m_xMax : rec->m_yMax;
    if (!set || std::fabs(hi - lo) < kGrEmptyRange) {
        rec->m_errorCode = m_xAxis ? kGrErrNoXRange : kGrErrNoYRange;
        rec->m_errorIndex = 0;
        return 0.0;
    }
    if (std::fabs(lo) <= kGrEmptyRange)
        return 0.0;
    const double t = GrLog10(value / lo) / GrLog10(hi / lo);
    return m_xAxis ? r.left + (r.right - r.left) * t : r.bottom + (r.top - r.bottom) * t;
}

bool CPlotXYGrid::IsMajor(double value, double low, double step, double high)
{
    if (m_logarithmic)
        return GrIsDecade(value);
    return CPlotGrid::IsMajor(value, low, step, high);
}

void CPlotXYGrid::BeginDraw(fw::CDC& dc, OGPRecord* rec)
{
    CPlotGrid::BeginDraw(dc, rec);
    if (m_logarithmic)
        m_currentStep = GrLogStartValue(m_currentValue);
}

void CPlotXYGrid::DrawMajor(fw::CDC& dc, double value, int coord, OGPRecord* rec)
{
    DrawMajorTick(dc, value, coord, rec);
    if (m_logarithmic) {
        // The next decade counts in steps ten times as large.
        m_currentStep *= 10.0;
        RestartWalkAt(value);
    }
}

void CPlotXYGrid::SetLogRange(double low, double high)
{
    m_walkStart = m_majorLow = low;
    m_walkEnd = m_majorHigh = high;
}
