#pragma once

// The drawer of the frequency graphs: a data-graph drawer whose series are
// drawn as columns of counts, linear (graph type 6) or logarithmic (any
// other type), flat or, in layout mode 3, as oblique boxes each series at
// its own depth. Counts scale from 0 (0.1 on a logarithmic axis) to the
// largest, slices to one past the last edge.

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

    CHistColumnPlot* GetColumnPlot() const { return m_columns.get(); }
    bool IsOblique() const { return m_info.m_xAxisKind == kObliqueLayout; }

    // The depth axis (layout mode 3); not stored.
    double m_zMin = 0.0;
    double m_zMax = 1.0;
    uint8_t m_zAutoMode = 2;

private:
    // The range of the series' X or Y values; false when there are none.
    bool DataRange(int axis, bool positiveOnly, double& maximum, double& minimum) const;
    void DrawSeriesColumns(fw::CDC& dc, CGraphParamArray& series, int index);

    std::unique_ptr<CHistColumnPlot> m_columns;
};
