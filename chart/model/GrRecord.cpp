#include "chart/model/GrRecord.h"

#include "chart/model/OGPRecord.h"

#include <cmath>

namespace {

constexpr double kLn10 = 2.302585092994;

void RangeOf(int count, const float* values, double& minimum, double& maximum, bool& found)
{
    found = false;
    for (int i = 0; i < count; ++i) {
        const double v = values[i];
        if (!std::isfinite(v))
            continue;
        if (!found) {
            minimum = maximum = v;
            found = true;
        } else if (v > maximum) {
            maximum = v;
        } else if (v < minimum) {
            minimum = v;
        }
    }
}

void SetError(OGPRecord* rec, int16_t code, int32_t index)
{
    rec->m_errorCode = code;
    rec->m_errorIndex = index;
}

} // namespace

void GrInitRecord(OGPRecord* rec)
{
    const fw::CRect inverted(80, 80, 20, 20);
    rec->m_plotRect = inverted;
    rec->m_frameRect = inverted;
    rec->m_xMin = rec->m_xMax = 0.0;
    rec->m_yMin = rec->m_yMax = 0.0;
    rec->m_xRangeSet = rec->m_yRangeSet = 0;
    rec->m_xLabelWidth = rec->m_yLabelWidth = 0;
    rec->m_background = 0xFFFFFF;
    rec->m_drawing = 1;
    GrClearError(rec);
}

void GrSetPlotRect(int left, int top, int right, int bottom, OGPRecord* rec)
{
    const fw::CRect r(static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(right),
                      static_cast<int16_t>(bottom));
    rec->m_plotRect = rec->m_frameRect = rec->m_clipRect = r;
}

void GrSetXRange(double minimum, double maximum, OGPRecord* rec)
{
    rec->m_xMin = minimum;
    rec->m_xMax = maximum;
    rec->m_xRangeSet = 1;
}

void GrSetYRange(double minimum, double maximum, OGPRecord* rec)
{
    rec->m_yMin = minimum;
    rec->m_yMax = maximum;
    rec->m_yRangeSet = 1;
}

void GrSetXRangeFromData(int count, const float* values, OGPRecord* rec)
{
    double lo = 0, hi = 0;
    bool found = false;
    RangeOf(count, values, lo, hi, found);
    if (found)
        GrSetXRange(lo, hi, rec);
}

void GrSetYRangeFromData(int count, const float* values, OGPRecord* rec)
{
    double lo = 0, hi = 0;
    bool found = false;
    RangeOf(count, values, lo, hi, found);
    if (found)
        GrSetYRange(lo, hi, rec);
}

void GrClearError(OGPRecord* rec)
{
    SetError(rec, kGrNoError, 0);
}

bool GrHasError(const OGPRecord* rec)
{
    return rec->m_errorCode != kGrNoError;
}

bool GrCheckXRange(double minimum, double maximum, OGPRecord* rec)
{
    // A NaN bound is as unusable as an empty range.
    if (std::fabs(maximum - minimum) < kGrEmptyRange || std::isnan(maximum - minimum)) {
        SetError(rec, kGrErrEmptyXRange, 0);
        return true;
    }
    return false;
}

bool GrCheckYRange(double minimum, double maximum, OGPRecord* rec)
{
    if (std::fabs(maximum - minimum) < kGrEmptyRange || std::isnan(maximum - minimum)) {
        SetError(rec, kGrErrEmptyYRange, 0);
        return true;
    }
    return false;
}

bool GrCheckNonNegative(int count, const float* values, OGPRecord* rec)
{
    for (int i = 0; i < count; ++i) {
        if (values[i] < 0.0f) {
            SetError(rec, kGrErrNegativeValue, i);
            return true;
        }
    }
    return false;
}

bool GrCheckCoord(double value, OGPRecord* rec)
{
    if (!std::isfinite(value) || std::fabs(static_cast<float>(value)) > static_cast<float>(kGrCoordLimit)) {
        SetError(rec, kGrErrCoord, 0);
        return true;
    }
    return false;
}

bool GrCheckPlotRect(OGPRecord* rec)
{
    if (rec->m_plotRect.IsRectEmpty() || rec->m_frameRect.IsRectEmpty()) {
        SetError(rec, kGrErrPlotRect, 0);
        return false;
    }
    return true;
}

int GrRound(double x)
{
    const double whole = std::trunc(x);
    return static_cast<int>(whole) + (x - whole > 0.49999999 ? 1 : 0);
}

double GrLog10(double x)
{
    return std::log(x) / kLn10;
}

double GrPow10(double x)
{
    return std::exp(x * kLn10);
}

bool GrIsDecade(double x)
{
    // Rounded to the nearest exponent: truncating toward zero would miss
    // values just above a negative decade (0.1 * (1 + 1e-12)), which a
    // walk in steps of 0.01 easily produces.
    const double l = std::log10(x);
    return std::isfinite(l) && std::fabs(l - std::round(l)) < 0.001;
}

double GrLogStartValue(double x)
{
    const double l = std::log10(x);
    if (!std::isfinite(l))
        return 1.0;
    if (GrIsDecade(x))
        return std::pow(10.0, std::round(l)) / 10.0;
    // The decade at or below x: rounding would send a start of 5 to a
    // step of 10 and walk past the axis.
    return std::pow(10.0, std::floor(l));
}
