#pragma once

// One graph: what it shows and how. It owns the plot record, the graph
// records, the page of series and the regression line's settings and
// fitting object; it sets axis ranges by hand or by auto-scaling over the
// data of all series, chooses the time unit of a time axis and archives
// everything. It draws nothing itself: the drawer fills in the drawing
// operations.

#include "chart/model/GDataInfoRec.h"
#include "chart/model/GrFrameRec.h"
#include "chart/model/GrScaleRec.h"
#include "chart/model/GraphPageParam.h"
#include "chart/model/GridLine.h"
#include "chart/model/LinearPlot.h"
#include "chart/model/PlotFrame.h"
#include "chart/model/PlotText.h"
#include "chart/model/TickLabel.h"
#include "chart/model/TickMark.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/Regress.h"
#include "chart/model/RegressionSettings.h"
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

#include <cstdint>
#include <memory>

namespace fw {
class CDC;
}

// x raised to the integer power n by repeated squaring; a negative n gives
// the reciprocal.
double GrPowInt(double x, int n);

class CGraphSetting : public fw::CObject {
    FW_DECLARE_SERIAL(CGraphSetting)
public:
    // Time units and their divisors (units of the axis per day).
    static constexpr int kUnitSeconds = 1;
    static constexpr int kUnitMinutes = 2;
    static constexpr int kUnitHours = 3;
    static constexpr int kUnitDays = 4;

    CGraphSetting();
    ~CGraphSetting() override;
    CGraphSetting(const CGraphSetting&) = delete;
    CGraphSetting& operator=(const CGraphSetting&) = delete;

    void Serialize(fw::CArchive& ar) override;

    virtual void SetDefaults();
    // Zeros, then the default proportional font, opaque, bottom-aligned.
    virtual void GetDefaultTextAttributes(tTextAttributes& out) const;
    virtual void SetDefaultAxisTitles();
    // Makes the axis' title when it has none; whether text or unit changed.
    virtual bool SetAxisTitle(int axis, const fw::CString& text, const fw::CString& unit);
    virtual void OnAxesRebuilt() {}
    // The tick labels measure themselves, widening the frame rectangle.
    virtual void MeasureTickLabels(fw::CDC& dc);
    virtual bool IsReady() const { return true; }
    virtual void SetGraphType(int16_t type) { m_info.m_graphType = type; }
    virtual void SetXAxisKind(int16_t kind) { m_info.m_xAxisKind = kind; }
    // Units 1 to 4 set the divisor; any other unit keeps it and gives an
    // empty unit text. Nothing when the unit is already in force.
    virtual void SetTimeUnit(int unit);
    // 0 for a divisor that is no unit.
    virtual int GetTimeUnit() const;
    virtual void SetOption(int bit, bool on);
    virtual bool TestOption(int bit) const;
    virtual void SetGraphRect(const fw::CRect& rect) { m_info.m_graphRect = rect; }
    virtual void GetGraphRect(fw::CRect& out) const { out = m_info.m_graphRect; }
    virtual bool IsLogAxis(int axis) const;
    virtual void DrawAxes(fw::CDC& dc, const fw::CRect& rect) {}
    // Axes, series, then the regression line.
    virtual void DrawGraph(fw::CDC& dc, const fw::CRect& rect);

    // --- regression line ----------------------------------------------------
    virtual bool HasRegression() const { return m_regression != nullptr; }
    virtual void SetRegression(const tRegressionSettings& settings);
    virtual void MarkRegressionDirty();
    virtual bool GetRegression(tRegressionSettings& out) const;
    virtual void DeleteRegression() { m_regression.reset(); }
    virtual void DrawRegression(fw::CDC& dc, const fw::CRect& rect) {}
    virtual bool IsRegressionDirty() const { return m_regression && m_regression->recompute; }
    // Fits every usable point of every series afresh.
    virtual bool ComputeRegression();
    // Takes in the samples that arrived since the last fit (every one of
    // them) and computes the correlation again.
    virtual bool UpdateRegression();
    // Phase 0 adds points (with lastOnly only those not yet fed) and solves;
    // phase 1 pairs every point with its fitted value for the correlation.
    virtual void FeedRegression(int phase, tRegressionSettings& settings, bool lastOnly);

    // The axis elements from the records (a kept element of the wrong kind,
    // linear or logarithmic, is made anew).
    virtual void CreateFrame();
    virtual void CreateGridLines(int axis);
    virtual void CreateTickMarks(int axis);
    virtual void SetTickLabelTextAttributes(int axis, const tTextAttributes& attributes);
    virtual void CreateTickLabels(int axis);
    virtual void CreatePlot() { OnAxesRebuilt(); }
    // Marks one point with the series' symbol, clipped to the plot.
    virtual void DrawCurrentPoint(fw::CDC& dc, double x, double y, const CGraphParamArray& series);
    virtual void SetPlotRect(const fw::CRect& rect);
    // 'X', 'Y' or 'Z'.
    // The frame rectangle with the room of labels and titles, normalised.
    virtual void GetPlotExtent(fw::CDC& dc, fw::CRect& out);
    // The extent with each edge taken from the matching edge of the graph
    // rectangle.
    virtual void GetPlotExtentInGraph(fw::CDC& dc, fw::CRect& out);
    virtual void FitPlotRect(fw::CDC& dc, const fw::CRect& rect);
    virtual void SetAxisRange(int axis, double minimum, double maximum, double step, int divisions);
    virtual void SetAutoScale(int axis, int mode);
    virtual void SetLabelFormat(int axis, int every, int decimals);
    virtual void RebuildPlot() { CreatePlot(); }
    // A new series of the graph type with a free style, appended; null
    // without a page. The page owns it.
    virtual CGraphParamArray* AddSeries(bool withLines);
    virtual void AppendSeries(CGraphParamArray* series);
    virtual int GetSeriesCount() const;
    virtual CGraphParamArray* GetSeries(int index) const;
    virtual bool GetSeriesName(int index, fw::CString& out) const;
    virtual bool AutoScale();
    // With option bit 0 only: ranges grow to take in new data.
    virtual bool AutoScaleExpand();
    virtual bool UpdateSeries(int kind, const fw::CObject* info);
    virtual void ResetSeries();
    virtual void DrawAllSeries(fw::CDC& dc, const fw::CRect& rect) {}
    // Whether the axis range changed.
    virtual bool AutoScaleAxis(int axis, bool expandOnly, bool mode2);
    virtual void ApplyNiceRange(int axis, int logKind, double maximum, double minimum);

    // --- not virtual ----------------------------------------------------------
    OGPRecord& Record() { return m_record; }
    GDataInfoRec& Info() { return m_info; }
    const GDataInfoRec& Info() const { return m_info; }
    GrScaleRec& Scale() { return m_scale; }
    const GrScaleRec& Scale() const { return m_scale; }
    GrFrameRec& Frame() { return m_frame; }
    CGraphPageParam* GetPage() const { return m_page.get(); }
    CRegress* GetRegress() const { return m_regress.get(); }
    // The axis of the scale record by character; null for another.
    GrScaleRec::Axis* ScaleAxis(int axis);
    const GrScaleRec::Axis* ScaleAxis(int axis) const;
    bool IsTimeGraph() const { return m_info.m_xAxisKind == GDataInfoRec::kTimeAxis; }
    // The unit text of a time unit ("Sec." ...); empty for another unit.
    static const char* TimeUnitText(int unit);
    // The unit the automatic choice takes for a data range in days.
    static int ChooseTimeUnit(double rangeDays);

    fw::COLORREF m_color = 0xFFFFFF;
    uint8_t m_fill = 0;

protected:
    // The unit text of the X axis title follows the time unit while the X
    // labels are numbers or dates.
    virtual void OnTimeUnitText(const fw::CString& unitText);
    // The time conversion of a data range of the X axis of a time graph:
    // a unit is chosen when none is, the origin taken when it is 0.
    void ConvertTimeRange(double& maximum, double& minimum);
    // The rest of an auto-scale once the data range is known (found tells
    // whether there was one): the time conversion, the expand-only test and
    // the rounded range. Whether the axis range changed.
    bool ScaleAxisToData(int axis, bool expandOnly, bool found, double maximum, double minimum);
    // Ends the fitting object's use in phase 0: the points go through the
    // series' cursors from `first` on.
    void FeedSeries(CGraphParamArray& series, int phase, const tRegressionSettings& settings, int first);

    std::unique_ptr<CGraphPageParam> m_page;
    OGPRecord m_record;
    GDataInfoRec m_info;
    GrScaleRec m_scale;
    GrFrameRec m_frame;
    int32_t m_reserved1 = 0;
    int32_t m_reserved2 = 0;
    std::unique_ptr<CRegress> m_regress;
    std::unique_ptr<tRegressionSettings> m_regression;
    // The axis elements; titles and tick labels are archived, the others
    // made again from the records.
    std::unique_ptr<CPlotFrame> m_plotFrame;
    std::unique_ptr<CLinearPlot> m_seriesPlot;
    std::unique_ptr<CGridLine> m_xGrid;
    std::unique_ptr<CGridLine> m_yGrid;
    std::unique_ptr<CTickLabel> m_xTickLabels;
    std::unique_ptr<CTickLabel> m_yTickLabels;
    std::unique_ptr<CTickMark> m_xTicks;
    std::unique_ptr<CTickMark> m_yTicks;
    std::unique_ptr<CPlotLabel> m_xTitle;
    std::unique_ptr<CPlotLabel> m_yTitle;

public:
    CPlotFrame* GetPlotFrame() const { return m_plotFrame.get(); }
    CLinearPlot* GetSeriesPlot() const { return m_seriesPlot.get(); }
    CGridLine* GetGridLines(int axis) const { return axis == 'X' || axis == 'x' ? m_xGrid.get() : m_yGrid.get(); }
    CTickMark* GetTickMarks(int axis) const { return axis == 'X' ? m_xTicks.get() : m_yTicks.get(); }
    CTickLabel* GetTickLabels(int axis) const { return axis == 'X' ? m_xTickLabels.get() : m_yTickLabels.get(); }
    CPlotLabel* GetAxisTitle(int axis) const { return axis == 'X' || axis == 'x' ? m_xTitle.get() : m_yTitle.get(); }
};
