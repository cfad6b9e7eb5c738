#pragma once

// The base of the bar graphs: each (x, y) pair of a series is a filled
// rectangle from the zero line to the value, a bar width wide across its
// axis (half of it, rounded toward zero, on each side of its position).
// Bars map like every plot, except that a device coordinate that leaves
// the plot rectangle is clamped to its edge (by the column and bar plots),
// so that a bar longer than the axis range ends at the frame.

#include "chart/model/PlotData.h"

#include <cstdint>
#include <functional>

class CZELDataPoter;

class CBoxPlot : public CPlotData {
public:
    static constexpr int16_t kDefaultBarWidth = 20;

    CBoxPlot();

    // Line size and fill, then a bar width of twice the symbol size.
    void ApplyAttributes(const tSeriesStyle& style) override;

    virtual void SetOutlineColor(int index) { m_outlineColor = static_cast<int16_t>(index); }
    virtual void SetBarWidth(int16_t width) { m_barWidth = width; }
    // The three drawers draw nothing here.
    virtual void DrawBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec) {}
    virtual void DrawFloatingBars(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* y1s, CZELDataPoter* y2s,
                                  OGPRecord* rec)
    {
    }
    virtual void DrawLevelMark(fw::CDC& dc, OGPRecord* rec, double x, double y, int color, int penType) {}

    int16_t GetOutlineColor() const { return m_outlineColor; }
    int16_t GetBarWidth() const { return m_barWidth; }

protected:
    // The pen and brush of DrawBars and DrawFloatingBars: the outline pen
    // in the outline colour and the fill brush in the series colour, with
    // the background opaque so that hatches get the background colour
    // between their lines. They stay selected while the object lives.
    class BarTools {
    public:
        BarTools(CBoxPlot& plot, fw::CDC& dc);
        ~BarTools();
        BarTools(const BarTools&) = delete;
        BarTools& operator=(const BarTools&) = delete;

    private:
        fw::CDC& m_dc;
        fw::CPen m_pen;
        fw::CBrush m_brush;
        fw::CPen* m_oldPen = nullptr;
        fw::CBrush* m_oldBrush = nullptr;
    };

    // BeginDraw, the factors and the bar tools around `body`, which runs
    // only when the mapping is usable. An exception from `body` ends the
    // drawing; it passes on to the caller when the record holds an error.
    void DrawWithBarTools(fw::CDC& dc, OGPRecord* rec, const std::function<void()>& body);

    int Half() const { return m_barWidth / 2; }
    // Whether v lies between the limits, both included, in either order.
    static bool Within(double v, double a, double b) { return a <= b ? a <= v && v <= b : b <= v && v <= a; }

    // The palette has no "none": the graph drawer sets it before drawing.
    int16_t m_outlineColor = 0;
    int16_t m_barWidth = kDefaultBarWidth;
};

class CZELDataPtr;

// What the bar drawers of the column and bar plots share.
namespace boxplot {

// Reads value i of each cursor; false when one of them is not finite.
bool ReadPair(CZELDataPtr* a, CZELDataPtr* b, int i, double& va, double& vb);
// Sets the unset range of one axis from one array (`second` null) or as the
// union of the ranges of two.
void RangeFromArrays(bool xAxis, int count, const float* first, const float* second, OGPRecord* rec);

} // namespace boxplot
