#include "chart/model/LogLogPlot.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"

#include <cmath>

CLogRangeSwap::CLogRangeSwap(OGPRecord* rec, bool x, bool y) : m_rec(rec), m_x(x), m_y(y)
{
    m_xMin = rec->m_xMin;
    m_xMax = rec->m_xMax;
    m_yMin = rec->m_yMin;
    m_yMax = rec->m_yMax;
    if (m_x) {
        rec->m_xMin = GrLog10(m_xMin);
        rec->m_xMax = GrLog10(m_xMax);
    }
    if (m_y) {
        rec->m_yMin = GrLog10(m_yMin);
        rec->m_yMax = GrLog10(m_yMax);
    }
}

CLogRangeSwap::~CLogRangeSwap()
{
    if (m_x) {
        m_rec->m_xMin = m_xMin;
        m_rec->m_xMax = m_xMax;
    }
    if (m_y) {
        m_rec->m_yMin = m_yMin;
        m_rec->m_yMax = m_yMax;
    }
}

double CLogAxesPlot::AxisX(double x) const
{
    return m_logX ? GrLog10(x) : x;
}

double CLogAxesPlot::AxisY(double y) const
{
    return m_logY ? GrLog10(y) : y;
}

void CLogAxesPlot::DataToDevice(double x, double y, int32_t& outX, int32_t& outY, OGPRecord* rec)
{
    CLogRangeSwap swap(rec, m_logX, m_logY);
    CLinearPlot::DataToDevice(AxisX(x), AxisY(y), outX, outY, rec);
}

void CLogAxesPlot::DeviceToData(int32_t x, int32_t y, double& outX, double& outY, OGPRecord* rec)
{
    // Left not a number when the linear step maps nothing.
    double lx = std::nan(""), ly = std::nan("");
    {
        CLogRangeSwap swap(rec, m_logX, m_logY);
        CLinearPlot::DeviceToData(x, y, lx, ly, rec);
    }
    if (std::isnan(lx) && std::isnan(ly))
        return;
    outX = m_logX ? GrPow10(lx) : lx;
    outY = m_logY ? GrPow10(ly) : ly;
}

// The mapping steps below run inside a drawing operation, whose ranges
// are transformed already.
bool CLogAxesPlot::MapDataToDevice(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec)
{
    return CLinearPlot::MapDataToDevice(AxisX(x), AxisY(y), outX, outY, rec);
}

void CLogAxesPlot::MapDataPoint(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec)
{
    CLinearPlot::MapDataPoint(AxisX(x), AxisY(y), outX, outY, rec);
}

void CLogAxesPlot::DrawSeries(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec, int restart)
{
    CLogRangeSwap swap(rec, m_logX, m_logY);
    CLinearPlot::DrawSeries(dc, xs, ys, rec, restart);
}

void CLogAxesPlot::DrawLineArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec)
{
    CLogRangeSwap swap(rec, m_logX, m_logY);
    CLinearPlot::DrawLineArray(dc, count, xs, ys, rec);
}

void CLogAxesPlot::DrawSymbols(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
{
    CLogRangeSwap swap(rec, m_logX, m_logY);
    CLinearPlot::DrawSymbols(dc, xs, ys, rec);
}

void CLogAxesPlot::DrawSymbolArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec)
{
    CLogRangeSwap swap(rec, m_logX, m_logY);
    CLinearPlot::DrawSymbolArray(dc, count, xs, ys, rec);
}

void CLogAxesPlot::DrawPolynomial(fw::CDC& dc, int16_t degree, const double* coefficients, int16_t steps,
                                  double from, double to, OGPRecord* rec)
{
    CLogRangeSwap swap(rec, m_logX, m_logY);
    CLinearPlot::DrawPolynomial(dc, degree, coefficients, steps, from, to, rec);
}
