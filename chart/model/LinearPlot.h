#pragma once

// The line plot: draws a series as a connected line between successive
// points, with straight segments or steps, solid or under a 16-bit dash
// pattern. A point whose x or y is not finite, or whose device position
// lies outside the 16-bit range, breaks the line. Solid lines go out in
// polylines of at most 500 points (250 for steps) joined seamlessly; where
// a pixel column holds more than a few points, only its first, lowest,
// highest and last are drawn, which gives the same pixels at a cost bound
// by the width. Dashed lines are stroked here, their phase running on from
// segment to segment and, unless restarted, from one call to the next.

#include "chart/model/PlotData.h"
#include "chart/model/SeriesStyle.h"

#include <cstdint>
#include <vector>

class CZELDataPoter;
class CZELDataPtr;
struct tTextAttributes;

class CLinearPlot : public CPlotData {
public:
    // Solid polylines hold at most this many points read (half for steps),
    // plus the one that joins them to the previous batch.
    static constexpr int kBatch = 500;
    static constexpr int kStepBatch = 250;
    // Entries of the run table: a pattern that starts with a gap and
    // changes at every bit needs them all.
    static constexpr int kMaxRuns = 17;
    // More points than this in one pixel column are thinned to four.
    static constexpr int kPointsPerColumn = 4;

    CLinearPlot();

    // Line size and fill, then pattern, symbol type, size and interval.
    void ApplyAttributes(const tSeriesStyle& style) override;
    // Throws the program's exception beyond the 16-bit range.
    void AdjustDevicePoint(double& x, double& y, OGPRecord* rec) override;

    virtual void SetSymbolType(int type) { m_symbolType = type; }
    virtual void SetSymbolSize(int16_t halfSize) { m_symbolSize = halfSize; }
    virtual void SetSymbolInterval(int16_t n) { m_symbolInterval = n; }
    // Turns the pattern into the run table (drawn runs stored one shorter,
    // gaps one longer than their bits).
    virtual void SetLinePattern(uint16_t pattern);
    virtual void GetLinePattern(uint16_t& pattern) const { pattern = m_linePattern; }
    virtual void SetSymbolFilled() { m_symbolFilled = 1; }
    virtual void SetSymbolHollow() { m_symbolFilled = 0; }
    // x becomes (x - origin) * factor before mapping while factor > 0.
    virtual void SetXTransform(double factor, double origin);
    // Draws the smaller count of the two accessors' values. `restart`
    // starts a dashed line afresh instead of continuing the last one.
    virtual void DrawSeries(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec, int restart);
    virtual fw::COLORREF GetLineColorRef() const { return GetColorRef(); }
    virtual void SetPenState(const tPenState& state);
    virtual void GetPenState(tPenState& state) const;
    // The next point starts a new line, and the dash pattern starts over.
    virtual void ResetPen();
    virtual void DrawPolyline(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec);
    virtual void DrawPolylineX(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec);
    virtual void LineToPoint(fw::CDC& dc, int x, int y, OGPRecord* rec);
    virtual void DashToPoint(fw::CDC& dc, int x, int y, OGPRecord* rec);
    virtual void StartDash(int x, int y);
    virtual void FlushDash(fw::CDC& dc, int x, int y);
    virtual void DashTo(fw::CDC& dc, int x, int y);
    // Both walk the segment one step per unit of its longer axis; the
    // first by the pattern bits, the second by the bits stretched by the
    // line-width factor of the last DrawSeries.
    virtual void DashLineByMask(fw::CDC& dc, int x1, int y1, int x2, int y2);
    virtual void DashLineByRuns(fw::CDC& dc, int x1, int y1, int x2, int y2);
    virtual void DrawSteps(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec);
    virtual void DrawStepsX(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec);

    // Symbols, filled areas, array lines, curves and annotations
    // (LinearPlotMarks.cpp). Symbols sit on every n-th tank index, so they
    // stay on their samples while the visible window moves.
    virtual void DrawSymbols(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec);
    virtual void DrawSymbolRun(fw::CDC& dc, int first, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec);
    virtual void DrawSymbolRunX(fw::CDC& dc, int first, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec);
    virtual void DrawSymbolAt(fw::CDC& dc, int end, int index, int x, int y, OGPRecord* rec);
    // Symbols at array points inside the plot rectangle, not scaled by the
    // line-width factor.
    virtual void DrawSymbolArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec);
    // The area between the series and the bottom of the plot rectangle in
    // the series colour, as one polygon clipped only while it is filled.
    virtual void DrawFilledArea(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec);
    // An outline through the arrays clamped to the plot rectangle, filled
    // with the caller's brush.
    virtual void DrawFilledArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec);
    // A line through the arrays, clipped here: the platform cannot clip
    // what lies beyond the 16-bit device range.
    virtual void DrawLineArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec);
    // The curve c0 + c1 x + ... + cd x^d through steps + 1 points.
    virtual void DrawPolynomial(fw::CDC& dc, int16_t degree, const double* coefficients, int16_t steps,
                                double from, double to, OGPRecord* rec);
    virtual void DrawPolynomialPoints(fw::CDC& dc, int16_t degree, const double* coefficients, int16_t steps,
                                      double from, double to, OGPRecord* rec);
    // `text` 2 units right of and above the data point.
    virtual void DrawTextAt(fw::CDC& dc, double x, double y, const fw::CString& text,
                            const tTextAttributes& attributes, OGPRecord* rec);
    // A black line of pen type `penType` between two data points.
    virtual void DrawSegment(fw::CDC& dc, double x1, double y1, double x2, double y2, OGPRecord* rec,
                             int penType);
    // The outline just outside the data rectangle, with the series pen.
    virtual void DrawBox(fw::CDC& dc, double x1, double x2, double y1, double y2, OGPRecord* rec);

    int GetSymbolType() const { return m_symbolType; }
    int16_t GetSymbolSize() const { return m_symbolSize; }
    int16_t GetSymbolInterval() const { return m_symbolInterval; }
    uint8_t GetSymbolFilled() const { return m_symbolFilled; }

    // The run table of the pattern, scaled by the last DrawSeries.
    const int32_t* RunTable() const { return m_runs; }
    int RunCount() const { return m_runCount; }
    void SetDrawType(int16_t type) { m_drawType = type; }
    int16_t GetDrawType() const { return m_drawType; }

protected:
    // The shared loop of the four line drawers.
    void DrawLine(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool steps,
                  bool transform);
    void DrawSolid(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool steps,
                   bool transform);
    void DrawDashed(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool steps,
                    bool transform);
    // Reads the next point of both cursors and maps it; false (and the
    // line broken) when it is unusable.
    bool NextPoint(CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool transform, fw::CPoint& out);
    // The straight solid line of the plain plot: reads the cursors a
    // block at a time and maps up to `left` points (counting down) into
    // the pixel column; false at a point that breaks the line.
    bool ReadPlainPoints(CZELDataPtr* xs, CZELDataPtr* ys, int& left, bool transform);
    // Adds a device point to the pending piece through its pixel column.
    void AddVertex(fw::CPoint p) { AddColumnPoint(p.x, p.y); }
    // `y` unrounded: the column keeps its extremes exactly.
    void AddColumnPoint(int x, double y);
    void CloseColumn();
    // Draws the pending piece and moves the current position to its end.
    void FlushPiece(fw::CDC& dc);
    // One dash walk; `stretch` steps per pattern bit.
    void DashWalk(fw::CDC& dc, int x1, int y1, int x2, int y2, int stretch);

    uint8_t m_symbolFilled = 1;
    uint8_t m_penUp = 1;
    double m_xFactor = 0.0;
    double m_xOrigin = 0.0;
    // Pen state: the point the pending dash starts from, the pattern phase
    // (in stretched steps) and whether the phase is inside a drawn run.
    fw::CPoint m_dashPoint;
    fw::CPoint m_runStart;
    uint16_t m_runIndex = 0;
    uint16_t m_runLength = 0;
    uint8_t m_inGap = 0;
    uint16_t m_linePattern = 0xFFFF;
    int32_t m_runs[kMaxRuns] = {};
    int16_t m_runCount = 0;
    int32_t m_baseRuns[kMaxRuns] = {};
    int16_t m_stretch = 1;
    int16_t m_symbolSize = 3;
    int32_t m_symbolType = 1;
    int16_t m_symbolInterval = 1;
    int16_t m_drawType = 0;

    // Values read ahead from both cursors, and how many are still unread.
    static constexpr int kBlock = 256;
    double m_blockX[kBlock] = {};
    double m_blockY[kBlock] = {};
    uint8_t m_validX[kBlock] = {};
    uint8_t m_validY[kBlock] = {};
    int m_blockPos = 0;
    int m_blockCount = 0;
    int m_unread = 0;

    // The pending solid piece and the pixel column being gathered.
    std::vector<fw::CPoint> m_piece;
    fw::CPoint m_column[kPointsPerColumn];
    int m_columnTotal = 0;
    double m_columnLow = 0.0, m_columnHigh = 0.0, m_columnLast = 0.0;
};
