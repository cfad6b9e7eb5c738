#pragma once

// Grid lines across the plot at the ticks of one axis: minor and major
// lines in their own pen style, width and colour, and optionally a major
// line at value 0. Lines on the plot's edges are left to the frame.

#include "chart/model/PlotGrid.h"

class CGridLine : public CPlotXYGrid {
public:
    // Pen type of no line at all.
    static constexpr int32_t kNoLine = 5;

    virtual void SetMinorWidth(int16_t w) { m_minorWidth = w; }
    virtual void SetMajorWidth(int16_t w) { m_majorWidth = w; }
    virtual void SetMinorStyle(int32_t style) { m_minorStyle = style; }
    virtual void SetMajorStyle(int32_t style) { m_majorStyle = style; }
    virtual void SetStyleWords(int16_t first, int16_t second);
    virtual void SetZeroLine(int16_t on) { m_zeroLine = on; }
    virtual void DrawZeroLine(fw::CDC& dc, int coord, OGPRecord* rec);

    void Draw(fw::CDC& dc, OGPRecord* rec) override;
    void DrawMinor(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

protected:
    CGridLine(bool xAxis, bool logarithmic) : CPlotXYGrid(xAxis, logarithmic) {}
    void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;
    // One line across the plot at `coord` unless it lies on an edge.
    void Across(fw::CDC& dc, int coord, int32_t style, int width, int colour, OGPRecord* rec);

    int16_t m_minorWidth = 1;
    int16_t m_majorWidth = 2;
    int32_t m_minorStyle = 0;
    int32_t m_majorStyle = 0;
    int16_t m_styleWords[2] = {};
    int16_t m_zeroLine = 0;
};

class CXGridLine : public CGridLine {
public:
    CXGridLine() : CGridLine(true, false) {}

protected:
    CXGridLine(bool logarithmic) : CGridLine(true, logarithmic) {}
};

class CYGridLine : public CGridLine {
public:
    CYGridLine() : CGridLine(false, false) {}

protected:
    CYGridLine(bool logarithmic) : CGridLine(false, logarithmic) {}
};

class CXLogGridLine : public CXGridLine {
public:
    CXLogGridLine() : CXGridLine(true) {}
};

class CYLogGridLine : public CYGridLine {
public:
    CYLogGridLine() : CYGridLine(true) {}
};
