#include "chart/model/DBPlot.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"

#include <cmath>
#include <memory>

namespace {

// While it lives, the record's Y range is the dB range (-|Y minimum|, 0).
class DecibelRange {
public:
    explicit DecibelRange(OGPRecord* rec) : m_rec(rec), m_min(rec->m_yMin), m_max(rec->m_yMax)
    {
        rec->m_yMin = -std::fabs(m_min);
        rec->m_yMax = 0.0;
    }
    ~DecibelRange()
    {
        m_rec->m_yMin = m_min;
        m_rec->m_yMax = m_max;
    }
    DecibelRange(const DecibelRange&) = delete;
    DecibelRange& operator=(const DecibelRange&) = delete;

private:
    OGPRecord* m_rec;
    double m_min, m_max;
};

void SetError(OGPRecord* rec, int16_t code, int32_t index)
{
    rec->m_errorCode = code;
    rec->m_errorIndex = index;
}

} // namespace

double CDBPlot::Decibels(double y) const
{
    return 20.0 * GrLog10(std::fabs(y / m_reference));
}

void CDBPlot::DataToDevice(double x, double y, int32_t& outX, int32_t& outY, OGPRecord* rec)
{
    if (std::fabs(m_reference) <= kGrEmptyRange) {
        rec->m_errorCode = kGrErrLabelCoord;
        return;
    }
    const double q = y / m_reference;
    if (!(q > 0.0)) {
        SetError(rec, kGrErrLabelCoord, 0);
        return;
    }
    CLinearPlot::DataToDevice(x, 20.0 * GrLog10(q), outX, outY, rec);
}

void CDBPlot::DeviceToData(int32_t x, int32_t y, double& outX, double& outY, OGPRecord* rec)
{
    double dx = std::nan(""), d = std::nan("");
    CLinearPlot::DeviceToData(x, y, dx, d, rec);
    if (std::isnan(dx) && std::isnan(d))
        return;
    outX = dx;
    outY = m_reference * GrPow10(-std::fabs(d) / 20.0);
}

bool CDBPlot::MapDataToDevice(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec)
{
    return CLinearPlot::MapDataToDevice(x, Decibels(y), outX, outY, rec);
}

void CDBPlot::MapDataPoint(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec)
{
    CLinearPlot::MapDataPoint(x, Decibels(y), outX, outY, rec);
}

void CDBPlot::ReferenceFromCursor(int n, CZELDataPtr* cursor, OGPRecord*)
{
    bool found = false;
    double largest = 0.0;
    for (int i = 0; i < n; ++i) {
        double v = 0.0;
        if (!cursor->ReadNext(v) || !std::isfinite(v))
            continue;
        if (!found || v > largest)
            largest = v;
        found = true;
    }
    m_reference = found ? largest : 0.0;
}

void CDBPlot::ReferenceFromArray(int n, const float* values, OGPRecord*)
{
    if (n < 1 || !values) {
        m_reference = 0.0;
        return;
    }
    float largest = values[0];
    for (int i = 1; i < n; ++i)
        if (values[i] > largest)
            largest = values[i];
    m_reference = largest;
}

bool CDBPlot::PrepareSeries(CZELDataPoter* ys, OGPRecord* rec)
{
    const int n = ys->GetCount();
    std::unique_ptr<CZELDataPtr> cursor(ys->CreateCursor());
    if (!cursor)
        return false;
    ReferenceFromCursor(n, cursor.get(), rec);
    if (std::fabs(m_reference) < kGrEmptyRange) {
        SetError(rec, kGrErrNoReference, 0);
        return false;
    }
    std::unique_ptr<CZELDataPtr> check(ys->CreateCursor());
    for (int i = 0; i < n; ++i) {
        double v = 0.0;
        if (check->ReadNext(v) && v < 0.0) {
            SetError(rec, kGrErrNegativeValue, i);
            return false;
        }
    }
    return true;
}

bool CDBPlot::PrepareArray(int count, const float* ys, OGPRecord* rec)
{
    ReferenceFromArray(count, ys, rec);
    if (std::fabs(m_reference) < kGrEmptyRange) {
        SetError(rec, kGrErrNoReference, 0);
        return false;
    }
    return !GrCheckNonNegative(count, ys, rec);
}

void CDBPlot::DrawSeries(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec, int restart)
{
    if (!xs || !ys || !PrepareSeries(ys, rec))
        return;
    DecibelRange range(rec);
    CLinearPlot::DrawSeries(dc, xs, ys, rec, restart);
}

void CDBPlot::DrawSymbols(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
{
    if (!xs || !ys || !PrepareSeries(ys, rec))
        return;
    DecibelRange range(rec);
    CLinearPlot::DrawSymbols(dc, xs, ys, rec);
}

void CDBPlot::DrawLineArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec)
{
    if (!xs || !ys || !PrepareArray(count, ys, rec))
        return;
    DecibelRange range(rec);
    CLinearPlot::DrawLineArray(dc, count, xs, ys, rec);
}

void CDBPlot::DrawSymbolArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec)
{
    if (!xs || !ys || !PrepareArray(count, ys, rec))
        return;
    DecibelRange range(rec);
    CLinearPlot::DrawSymbolArray(dc, count, xs, ys, rec);
}
