#pragma once

// The drawer of a graph: turns the settings into pixels on any device
// context. It draws the axis elements in two passes, every series of the
// page from data cursors, only the newly arrived samples of each series
// while data arrive, the current points of series with their symbols and
// small samples of a series for legends.

#include "chart/model/GraphSetting.h"

#include <cstdint>
#include <memory>

class CZELDataPoter;

// True when the single-precision value, widened, is neither infinite nor NaN.
bool GrIsFinite(float value);

class CGraphDraw : public CGraphSetting {
    FW_DECLARE_SERIAL(CGraphDraw)
public:
    CGraphDraw();
    ~CGraphDraw() override;

    void DrawAxes(fw::CDC& dc, const fw::CRect& rect) override;
    void CreatePlot() override;
    void DrawAllSeries(fw::CDC& dc, const fw::CRect& rect) override;

    virtual void BeginSeriesDraw(tPenState& state);
    virtual void EndSeriesDraw(tPenState& state);
    // A small sample of the series' line and symbol across `rect`, for legends.
    virtual void DrawLegendSample(fw::CDC& dc, const CGraphParamArray& series, const fw::CRect& clip,
                                  const fw::CRect& rect);
    virtual bool HasXYAxes() const;
    virtual void SelectDocumentData(const fw::CDocument* document, int index);
    // Draws what arrived since each series was last drawn: every new sample,
    // joined to the last one drawn, continuing the line's saved state.
    virtual void DrawNewData(fw::CDC& dc, const fw::CRect& clip, bool restart);
    // Mode 0 clears every series' document flag, 1 sets it for the series
    // of `document`, 2 marks the marked points.
    virtual bool SetHighlight(fw::CDC& dc, int ignored, int mode, const fw::CDocument* document);
    // Line graphs: every marked series at its current point.
    virtual bool DrawMarkedPoints(fw::CDC& dc);
    virtual void DrawSeriesCursors(fw::CDC& dc, CGraphParamArray& series, CZELDataPoter* xCursor,
                                   CZELDataPoter* yCursor, bool restart);
    // Line graph types through the series plot: the line (a dashed line
    // continues its pen state unless restart is set).
    virtual void DrawSeriesData(fw::CDC& dc, const tSeriesStyle& style, CZELDataPoter* xCursor,
                                CZELDataPoter* yCursor, bool restart);
    // The rectangle a category label of a bar graph takes below the frame.
    virtual void MeasureCategoryLabel(fw::CDC& dc, int16_t position, const fw::CString& text, int gap,
                                      fw::CRect& out);
    virtual void DrawGrid(fw::CDC& dc, const fw::CRect& rect);
    virtual void DrawLabels(fw::CDC& dc, const fw::CRect& rect);

    // Line graphs draw one polyline per series; distribution graphs one
    // profile per selected sample.
    static bool IsLineType(int type) { return (type >= 1 && type <= 6) || type == 10; }

    // The fitted polynomial through the series plot, after the series.
    void DrawRegression(fw::CDC& dc, const fw::CRect& rect) override;
    // Marks the last drawn point of every series.
    void DrawCurrentPoints(fw::CDC& dc);

    int16_t GetHighlightMode() const { return m_highlight; }

protected:
    // Draws a whole series (every profile of a distribution series).
    void DrawWholeSeries(fw::CDC& dc, CGraphParamArray& series);
    // The profiles of a distribution series from position `from` on.
    void DrawProfiles(fw::CDC& dc, CGraphParamArray& series, int from);
    // Clears the plot rectangle and draws the grid again.
    void ClearPlotArea(fw::CDC& dc);

public:
    // A time graph's X as the axis counts it.
    double AxisX(double x) const;

protected:

    int16_t m_reserved = 0;
    int16_t m_highlight = 0;
};
