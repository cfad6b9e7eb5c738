#pragma once

// The drawer of the frequency graphs: a data-graph drawer whose series are
// drawn as columns of counts, linear (graph type 6) or logarithmic (any
// other type), flat or, in layout mode 3, as oblique boxes each series at
// its own depth. Counts scale from 0 (0.1 on a logarithmic axis) to the
// largest, slices to one past the last edge.
//
// In layout mode 3 the plot rectangle (L, T, R, B; W4 = (R - L) / 4,
// H3 = (B - T) / 3) holds a back wall (L + W4, T, R, B - H3 + 1), a front
// face (L, T + H3 - 1, R - W4, B), a floor (L, B - H3 + 1, R, B) and a left
// wall (L, T, L + W4, B); the depth (Z) axis runs from the front face to the
// back wall. Its range is the scale record's Z axis.

#include "chart/model/KivGraphDraw.h"
#include "frequency/graph/HistColumnPlot.h"

#include <memory>

class CHistGraphDraw : public CKivGraphDraw {
    FW_DECLARE_SERIAL(CHistGraphDraw)
public:
    static constexpr const char* kTag = "<HISTGRAPHEX>";
    static constexpr int16_t kLinearType = 6;
    static constexpr int16_t kLogType = 60;
    static constexpr int16_t kFlatLayout = 1;
    static constexpr int16_t kObliqueLayout = 3;

    CHistGraphDraw();
    ~CHistGraphDraw() override;

    void Serialize(fw::CArchive& ar) override;
    void CreatePlot() override;
    bool AutoScale() override;
    bool AutoScaleExpand() override;
    bool AutoScaleAxis(int axis, bool expandOnly, bool mode2) override;
    void ApplyNiceRange(int axis, int logKind, double maximum, double minimum) override;
    void DrawAllSeries(fw::CDC& dc, const fw::CRect& rect) override;
    void MeasureTickLabels(fw::CDC& dc) override;
    void CreateFrame() override;
    void CreateGridLines(int axis) override;
    void CreateTickMarks(int axis) override;
    void CreateTickLabels(int axis) override;
    // Grid lines, tick marks and frame; on the walls and floor in layout
    // mode 3.
    void DrawGrid(fw::CDC& dc, const fw::CRect& rect) override;
    // Tick labels and axis titles; under the front face in layout mode 3,
    // with the depth labels along the floor's right edge.
    void DrawLabels(fw::CDC& dc, const fw::CRect& rect) override;

    CHistColumnPlot* GetColumnPlot() const { return m_columns.get(); }
    bool IsOblique() const { return m_info.m_xAxisKind == kObliqueLayout; }
    double ZMin() const { return m_scale.m_z.minimum; }
    double ZMax() const { return m_scale.m_z.maximum; }
    CGridLine* GetDepthGridLines() const { return m_zGrid.get(); }
    CTickMark* GetDepthTickMarks() const { return m_zTicks.get(); }
    CTickLabel* GetDepthTickLabels() const { return m_zLabels.get(); }

    // The faces of the oblique box of a plot rectangle.
    static fw::CRect BackWall(const fw::CRect& plot);
    static fw::CRect FrontFace(const fw::CRect& plot);
    static fw::CRect Floor(const fw::CRect& plot);
    static fw::CRect LeftWall(const fw::CRect& plot);

private:
    // The depth axis' grid lines, marks and labels, made like the X axis'
    // from the Z range with the X axis' label step and format.
    void CreateDepthElements();
    void DrawObliqueGrid(fw::CDC& dc);
    // Runs `draw` with the record's X and Y ranges set to the Z range, the
    // way the depth elements map a depth onto a face.
    template <class Fn> void WithDepthRanges(Fn draw);

    // The range of the series' X or Y values; false when there are none.
    bool DataRange(int axis, bool positiveOnly, double& maximum, double& minimum) const;
    void DrawSeriesColumns(fw::CDC& dc, CGraphParamArray& series, int index);

    std::unique_ptr<CHistColumnPlot> m_columns;
    std::unique_ptr<CTickLabel> m_zLabels;
    std::unique_ptr<CGridLine> m_zGrid;
    std::unique_ptr<CTickMark> m_zTicks;
};
