#include "chart/model/LinearPlot.h"

#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "common/base/ZelException.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

constexpr uint16_t kSolid = 0xFFFF;
constexpr int kPatternBits = 16;

// The points of a midpoint walk along the longer axis (y when both are
// equal), one per unit; it may go on past the end along the same line.
class DashWalker {
public:
    DashWalker(int x1, int y1, int x2, int y2)
        : m_p(x1, y1), m_sx(x2 < x1 ? -1 : 1), m_sy(y2 < y1 ? -1 : 1)
    {
        const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
        m_xMajor = dy < dx;
        m_major = m_xMajor ? dx : dy;
        m_minor = m_xMajor ? dy : dx;
        m_error = m_major / 2;
    }
    int Steps() const { return m_major; }
    fw::CPoint Point() const { return m_p; }
    void Advance()
    {
        m_error += m_minor;
        if (m_error > m_major) {
            m_error -= m_major;
            if (m_xMajor)
                m_p.y += m_sy;
            else
                m_p.x += m_sx;
        }
        if (m_xMajor)
            m_p.x += m_sx;
        else
            m_p.y += m_sy;
    }

private:
    fw::CPoint m_p;
    int m_sx, m_sy;
    bool m_xMajor = false;
    int m_major = 0, m_minor = 0, m_error = 0;
};

// GrRound, here where every point of a long series passes; for device
// coordinates, which are checked to lie in the 16-bit range first, the
// conversion truncates as std::trunc does.
inline int RoundDevice(double x)
{
    const int whole = static_cast<int>(x);
    return whole + (x - whole > 0.49999999 ? 1 : 0);
}

void Line(fw::CDC& dc, fw::CPoint from, fw::CPoint to)
{
    dc.MoveTo(from);
    dc.LineTo(to);
}

} // namespace

CLinearPlot::CLinearPlot()
{
    SetLinePattern(kSolid);
    ResetPen();
    m_piece.reserve(2 * kStepBatch + 1);
}

void CLinearPlot::ApplyAttributes(const tSeriesStyle& style)
{
    CPlotData::ApplyAttributes(style);
    SetLinePattern(style.linePattern);
    SetSymbolType(style.symbolType);
    SetSymbolSize(style.symbolSize);
    SetSymbolInterval(style.symbolInterval);
}

void CLinearPlot::AdjustDevicePoint(double& x, double& y, OGPRecord*)
{
    if (!(x >= -32768.0 && x <= 32767.0))
        ThrowZelException(1, 0);
    if (!(y >= -32768.0 && y <= 32767.0))
        ThrowZelException(1, 0);
}

void CLinearPlot::SetLinePattern(uint16_t pattern)
{
    m_linePattern = pattern;
    m_runCount = 0;
    auto bitSign = [pattern](int position) { return (pattern >> position) & 1u ? -1 : 1; };
    int s = bitSign(15);
    if (s > 0)
        m_baseRuns[m_runCount++] = 0;
    int b = 0;
    for (int j = 1; j < kPatternBits; ++j) {
        const int t = bitSign(15 - j);
        if (t != s) {
            m_baseRuns[m_runCount++] = (j - b) + s;
            b = j;
            s = t;
        }
    }
    m_baseRuns[m_runCount++] = (kPatternBits - b) + s;
    std::copy(m_baseRuns, m_baseRuns + m_runCount, m_runs);
    m_stretch = 1;
}

void CLinearPlot::SetXTransform(double factor, double origin)
{
    m_xFactor = factor;
    m_xOrigin = origin;
}

void CLinearPlot::ResetPen()
{
    m_penUp = 1;
    m_runIndex = 0;
    m_runLength = 0;
    m_inGap = 1;
}

void CLinearPlot::SetPenState(const tPenState& state)
{
    m_dashPoint = {state.values[0], state.values[1]};
    m_runStart = {state.values[2], state.values[3]};
    m_runIndex = static_cast<uint16_t>(state.values[4]);
    m_runLength = static_cast<uint16_t>(state.values[5]);
    m_inGap = state.inGap;
}

void CLinearPlot::GetPenState(tPenState& state) const
{
    state.values[0] = static_cast<int16_t>(m_dashPoint.x);
    state.values[1] = static_cast<int16_t>(m_dashPoint.y);
    state.values[2] = static_cast<int16_t>(m_runStart.x);
    state.values[3] = static_cast<int16_t>(m_runStart.y);
    state.values[4] = static_cast<int16_t>(m_runIndex);
    state.values[5] = static_cast<int16_t>(m_runLength);
    state.inGap = m_inGap;
}

void CLinearPlot::DrawSeries(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec, int restart)
{
    if (!xs || !ys)
        return;
    const int n = std::min(xs->GetCount(), ys->GetCount());
    if (n <= 0)
        return;
    // The pattern stretches with the line-width factor; the table is
    // scaled from the pattern's own, so repeated calls do not compound.
    const int f = std::max<int>(rec->m_lineWidthFactor, 1);
    for (int i = 0; i < m_runCount; ++i)
        m_runs[i] = i % 2 == 0 ? (m_baseRuns[i] + 1) * f - 1 : m_baseRuns[i] * f;
    m_stretch = static_cast<int16_t>(f);

    BeginDraw(dc, rec);
    ComputeFactors(rec);
    try {
        // Without both ranges there are no factors to map with.
        if (!GrHasError(rec) && rec->m_xRangeSet && rec->m_yRangeSet) {
            if (restart || m_linePattern == kSolid)
                ResetPen();
            std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
            std::unique_ptr<CZELDataPtr> yc(ys->CreateCursor());
            if (xc && yc) {
                const bool steps = m_drawType != 0;
                const bool transform = m_xFactor > 0.0;
                if (steps)
                    transform ? DrawStepsX(dc, n, xc.get(), yc.get(), rec) : DrawSteps(dc, n, xc.get(), yc.get(), rec);
                else
                    transform ? DrawPolylineX(dc, n, xc.get(), yc.get(), rec)
                              : DrawPolyline(dc, n, xc.get(), yc.get(), rec);
            }
        }
    } catch (const fw::CException&) {
        // A failure inside the loops ends this series' drawing; the context
        // is restored below either way.
    }
    EndDraw(dc);
}

void CLinearPlot::DrawPolyline(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec)
{
    DrawLine(dc, n, xs, ys, rec, false, false);
}

void CLinearPlot::DrawPolylineX(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec)
{
    DrawLine(dc, n, xs, ys, rec, false, true);
}

void CLinearPlot::DrawSteps(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec)
{
    DrawLine(dc, n, xs, ys, rec, true, false);
}

void CLinearPlot::DrawStepsX(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec)
{
    DrawLine(dc, n, xs, ys, rec, true, true);
}

void CLinearPlot::DrawLine(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool steps,
                           bool transform)
{
    if (m_linePattern == kSolid)
        DrawSolid(dc, n, xs, ys, rec, steps, transform);
    else
        DrawDashed(dc, n, xs, ys, rec, steps, transform);
}

bool CLinearPlot::NextPoint(CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool transform, fw::CPoint& out)
{
    double x = 0, y = 0;
    // Both cursors are read every time so that they stay in step.
    const bool xValid = xs->ReadNext(x);
    const bool yValid = ys->ReadNext(y);
    if (!xValid || !yValid || !std::isfinite(x) || !std::isfinite(y))
        return false;
    if (transform)
        x = (x - m_xOrigin) * m_xFactor;
    try {
        int16_t dx = 0, dy = 0;
        MapDataPoint(x, y, dx, dy, rec);
        out = {dx, dy};
    } catch (const CZelException&) {
        return false;
    }
    return true;
}

void CLinearPlot::DrawSolid(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool steps,
                            bool transform)
{
    const int batch = steps ? kStepBatch : kBatch;
    // Subclasses map through their own MapDataPoint and AdjustDevicePoint.
    const bool inlineMapping = !steps && typeid(*this) == typeid(CLinearPlot);
    int left = std::min(n, batch);
    int done = 0;
    m_blockPos = m_blockCount = 0;
    m_unread = n;
    for (;;) {
        m_piece.clear();
        m_columnTotal = 0;
        fw::CPoint previous;
        bool hasPrevious = false;
        if (!m_penUp) {
            previous = dc.GetCurrentPosition();
            m_piece.push_back(previous);
            hasPrevious = true;
        }
        bool gap = false;
        while (left > 0) {
            if (inlineMapping) {
                if (!ReadPlainPoints(xs, ys, left, transform)) {
                    gap = true;
                    break;
                }
                continue;
            }
            --left;
            fw::CPoint p;
            if (!NextPoint(xs, ys, rec, transform, p)) {
                gap = true;
                break;
            }
            if (steps && hasPrevious)
                AddVertex({p.x, previous.y});
            AddVertex(p);
            previous = p;
            hasPrevious = true;
        }
        CloseColumn();
        FlushPiece(dc);
        // Only a piece that holds a point may be continued: a batch that
        // ended in a gap must not join the next batch across it.
        if (gap)
            ResetPen();
        else if (!m_piece.empty())
            m_penUp = 0;
        if (gap)
            continue;
        done += batch;
        if (done >= n)
            break;
        left = done + batch < n ? batch : n - done;
    }
}

bool CLinearPlot::ReadPlainPoints(CZELDataPtr* xs, CZELDataPtr* ys, int& left, bool transform)
{
    // The column lives in locals here, so that the loop keeps it in
    // registers; the mapping and its checks are those of MapDataPoint and
    // AdjustDevicePoint.
    int column = m_columnTotal > 0 ? m_column[0].x : 0;
    int total = m_columnTotal;
    double low = m_columnLow, high = m_columnHigh, last = m_columnLast;
    const double xScale = m_xScale, xOffset = m_xOffset, yScale = m_yScale, yOffset = m_yOffset;
    bool usable = true;
    while (left > 0 && usable) {
        if (m_blockPos == m_blockCount) {
            const int want = std::min(kBlock, m_unread);
            const int gotX = want > 0 ? xs->ReadBlock(m_blockX, m_validX, want) : 0;
            const int gotY = want > 0 ? ys->ReadBlock(m_blockY, m_validY, want) : 0;
            m_blockPos = 0;
            m_blockCount = std::min(gotX, gotY);
            m_unread -= want;
            if (m_blockCount == 0) {
                // Past the values: the point is as unusable as a missing one.
                --left;
                usable = false;
                break;
            }
        }
        const int end = m_blockPos + std::min(left, m_blockCount - m_blockPos);
        int k = m_blockPos;
        for (; k < end; ++k) {
            double x = m_blockX[k];
            const double y = m_blockY[k];
            if (!m_validX[k] || !m_validY[k] || !std::isfinite(x) || !std::isfinite(y)) {
                usable = false;
                ++k;
                break;
            }
            if (transform)
                x = (x - m_xOrigin) * m_xFactor;
            const double dx = xScale * x + xOffset;
            const double dy = yOffset - yScale * y;
            if (!(dx >= -32768.0 && dx <= 32767.0 && dy >= -32768.0 && dy <= 32767.0)) {
                usable = false;
                ++k;
                break;
            }
            const int px = RoundDevice(dx);
            if (total >= kPointsPerColumn && px == column) {
                low = dy < low ? dy : low;
                high = dy > high ? dy : high;
                last = dy;
                ++total;
                continue;
            }
            m_columnTotal = total;
            m_columnLow = low;
            m_columnHigh = high;
            m_columnLast = last;
            AddColumnPoint(px, dy);
            column = m_column[0].x;
            total = m_columnTotal;
            low = m_columnLow;
            high = m_columnHigh;
            last = m_columnLast;
        }
        left -= k - m_blockPos;
        m_blockPos = k;
    }
    m_columnTotal = total;
    m_columnLow = low;
    m_columnHigh = high;
    m_columnLast = last;
    return usable;
}

void CLinearPlot::AddColumnPoint(int x, double y)
{
    if (m_columnTotal > 0 && x != m_column[0].x)
        CloseColumn();
    if (m_columnTotal < kPointsPerColumn)
        m_column[m_columnTotal] = {x, RoundDevice(y)};
    if (m_columnTotal == 0) {
        m_columnLow = m_columnHigh = y;
    } else if (y < m_columnLow) {
        m_columnLow = y;
    } else if (y > m_columnHigh) {
        m_columnHigh = y;
    }
    m_columnLast = y;
    ++m_columnTotal;
}

void CLinearPlot::CloseColumn()
{
    if (m_columnTotal <= kPointsPerColumn) {
        m_piece.insert(m_piece.end(), m_column, m_column + m_columnTotal);
    } else {
        // All these points share one pixel column: its first, lowest,
        // highest and last cover every pixel the full line would.
        const int x = m_column[0].x;
        m_piece.push_back(m_column[0]);
        m_piece.emplace_back(x, RoundDevice(m_columnLow));
        m_piece.emplace_back(x, RoundDevice(m_columnHigh));
        m_piece.emplace_back(x, RoundDevice(m_columnLast));
    }
    m_columnTotal = 0;
}

void CLinearPlot::FlushPiece(fw::CDC& dc)
{
    if (m_piece.empty())
        return;
    if (m_piece.size() == 1)
        dc.SetPixel(m_piece.front().x, m_piece.front().y, GetColorRef());
    else
        dc.Polyline(m_piece.data(), static_cast<int>(m_piece.size()));
    dc.MoveTo(m_piece.back());
}

void CLinearPlot::DrawDashed(fw::CDC& dc, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec, bool steps,
                             bool transform)
{
    for (int i = 0; i < n; ++i) {
        fw::CPoint p;
        if (!NextPoint(xs, ys, rec, transform, p)) {
            ResetPen();
            continue;
        }
        if (steps && !m_penUp)
            DashToPoint(dc, p.x, m_runStart.y, rec);
        DashToPoint(dc, p.x, p.y, rec);
    }
}

void CLinearPlot::LineToPoint(fw::CDC& dc, int x, int y, OGPRecord*)
{
    if (m_penUp) {
        dc.SetPixel(x, y, GetColorRef());
        dc.MoveTo(x, y);
        m_penUp = 0;
    } else {
        dc.LineTo(x, y);
    }
}

void CLinearPlot::DashToPoint(fw::CDC& dc, int x, int y, OGPRecord*)
{
    if (m_penUp) {
        StartDash(x, y);
        m_penUp = 0;
    } else {
        DashTo(dc, x, y);
    }
}

void CLinearPlot::StartDash(int x, int y)
{
    m_dashPoint = m_runStart = {x, y};
    // The start point has not been walked yet.
    m_runLength = 0;
}

void CLinearPlot::FlushDash(fw::CDC& dc, int x, int y)
{
    Line(dc, m_dashPoint, {x, y});
    m_dashPoint = {x, y};
}

void CLinearPlot::DashTo(fw::CDC& dc, int x, int y)
{
    DashLineByRuns(dc, m_runStart.x, m_runStart.y, x, y);
}

void CLinearPlot::DashLineByMask(fw::CDC& dc, int x1, int y1, int x2, int y2)
{
    DashWalk(dc, x1, y1, x2, y2, 1);
}

void CLinearPlot::DashLineByRuns(fw::CDC& dc, int x1, int y1, int x2, int y2)
{
    DashWalk(dc, x1, y1, x2, y2, m_stretch);
}

void CLinearPlot::DashWalk(fw::CDC& dc, int x1, int y1, int x2, int y2, int stretch)
{
    // The phase counts steps through the pattern, `stretch` steps a bit;
    // a point shared with the previous segment is walked only once, so
    // the phase runs on across joins as along one line.
    const int period = kPatternBits * std::max(stretch, 1);
    DashWalker walk(x1, y1, x2, y2);
    const bool startWalked = m_runLength != 0 && m_runStart == fw::CPoint(x1, y1);
    if (startWalked && walk.Steps() == 0)
        return; // nothing new to walk
    for (int i = 0; i <= walk.Steps(); ++i) {
        if (i > 0 || !startWalked) {
            const fw::CPoint p = walk.Point();
            const int bit = 15 - static_cast<int>(m_runIndex % period) / std::max(stretch, 1);
            const bool on = (m_linePattern >> bit) & 1u;
            if (on && m_inGap) {
                m_dashPoint = p;
                m_inGap = 0;
            } else if (!on && !m_inGap) {
                Line(dc, m_dashPoint, p);
                m_inGap = 1;
            }
            m_runIndex = static_cast<uint16_t>((m_runIndex + 1) % period);
        }
        if (i < walk.Steps())
            walk.Advance();
    }
    if (!m_inGap) {
        // Up to one step past the end, which the platform line leaves out.
        walk.Advance();
        Line(dc, m_dashPoint, walk.Point());
        m_dashPoint = {x2, y2};
    }
    m_runStart = {x2, y2};
    m_runLength = 1;
}
