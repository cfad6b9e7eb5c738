#pragma once

// Line plots on logarithmic axes. They draw nothing of their own: values
// go through lg on their way into the linear mapping, and around every
// drawing operation the record's range of each logarithmic axis holds its
// lg, so that the line plot draws unchanged on the transformed axis.
// Outside a call the record's ranges stay in data units.
//
// The logarithm of 0 is minus infinity and that of a negative value is
// not a number: such a point breaks the line like a value that is not
// finite, and DataToDevice records error 8 for it.

#include "chart/model/LinearPlot.h"

// The shared behaviour of the three logarithmic plots; which axes are
// logarithmic is fixed by the class.
class CLogAxesPlot : public CLinearPlot {
public:
    void DataToDevice(double x, double y, int32_t& outX, int32_t& outY, OGPRecord* rec) override;
    void DeviceToData(int32_t x, int32_t y, double& outX, double& outY, OGPRecord* rec) override;
    bool MapDataToDevice(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec) override;
    void MapDataPoint(double x, double y, int16_t& outX, int16_t& outY, OGPRecord* rec) override;
    void DrawSeries(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec, int restart) override;
    void DrawLineArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec) override;
    void DrawSymbols(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec) override;
    void DrawSymbolArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec) override;
    void DrawPolynomial(fw::CDC& dc, int16_t degree, const double* coefficients, int16_t steps, double from,
                        double to, OGPRecord* rec) override;

    bool IsLogX() const { return m_logX; }
    bool IsLogY() const { return m_logY; }

protected:
    CLogAxesPlot(bool logX, bool logY) : m_logX(logX), m_logY(logY) {}

    double AxisX(double x) const;
    double AxisY(double y) const;

private:
    bool m_logX;
    bool m_logY;
};

// While it lives, the record's ranges of the chosen axes hold their lg;
// the data-unit ranges come back however the operation ends.
class CLogRangeSwap {
public:
    CLogRangeSwap(OGPRecord* rec, bool x, bool y);
    ~CLogRangeSwap();
    CLogRangeSwap(const CLogRangeSwap&) = delete;
    CLogRangeSwap& operator=(const CLogRangeSwap&) = delete;

private:
    OGPRecord* m_rec;
    bool m_x, m_y;
    double m_xMin = 0.0, m_xMax = 0.0, m_yMin = 0.0, m_yMax = 0.0;
};

// Graph type 2: both axes logarithmic.
class CLogLogPlot : public CLogAxesPlot {
public:
    CLogLogPlot() : CLogAxesPlot(true, true) {}
};

// Graph type 3: logarithmic X.
class CSemiLogXPlot : public CLogAxesPlot {
public:
    CSemiLogXPlot() : CLogAxesPlot(true, false) {}
};

// Graph type 4: logarithmic Y.
class CSemiLogYPlot : public CLogAxesPlot {
public:
    CSemiLogYPlot() : CLogAxesPlot(false, true) {}
};
