#pragma once

// Tick marks at the ticks of one axis, on one or both sides of the plot:
// minor and major marks with their own width and length (hundredths of a
// millimetre), none on the plot's edges.

#include "chart/model/PlotGrid.h"

class CTickMark : public CPlotXYGrid {
public:
    virtual void SetMinorWidth(int16_t w) { m_minorWidth = w; }
    virtual void SetMajorWidth(int16_t w) { m_majorWidth = w; }
    virtual void SetMinorLength(int16_t l) { m_minorLength = l; }
    virtual void SetMajorLength(int16_t l) { m_majorLength = l; }
    virtual void SetSide(int32_t side) { m_side = side; }

    void DrawMinor(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;
    void SetLogRange(double low, double high) override;

protected:
    CTickMark(bool xAxis, bool logarithmic) : CPlotXYGrid(xAxis, logarithmic) {}
    // From the record: walk over its range in fifths, both sides.
    CTickMark(bool xAxis, const OGPRecord& rec);
    void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;
    void Mark(fw::CDC& dc, int coord, int width, int length, int colour, OGPRecord* rec);

    int16_t m_minorWidth = 1;
    int16_t m_majorWidth = 1;
    int16_t m_minorLength = 100;
    int16_t m_majorLength = 150;
    int32_t m_side = 4;
};

class CTickXMark : public CTickMark {
public:
    CTickXMark() : CTickMark(true, false) {}
    explicit CTickXMark(const OGPRecord& rec) : CTickMark(true, rec) {}

protected:
    explicit CTickXMark(bool logarithmic) : CTickMark(true, logarithmic) {}
};

class CTickYMark : public CTickMark {
public:
    CTickYMark() : CTickMark(false, false) {}
    explicit CTickYMark(const OGPRecord& rec) : CTickMark(false, rec) {}

protected:
    explicit CTickYMark(bool logarithmic) : CTickMark(false, logarithmic) {}
};

class CLogTickXMark : public CTickXMark {
public:
    CLogTickXMark() : CTickXMark(true) {}
};

class CLogTickYMark : public CTickYMark {
public:
    CLogTickYMark() : CTickYMark(true) {}
};
