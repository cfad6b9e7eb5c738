// What the line plot draws besides its series line: symbols at the data
// points, polynomial curves and the annotations of a graph (a text at a
// point, a segment between two points, a box through two X and two Y).

#include "chart/model/LinearPlot.h"

#include "chart/model/GrDraw.h"
#include "chart/model/GrRecord.h"
#include "chart/model/OGPRecord.h"
#include "chart/model/TextEnvirons.h"
#include "common/base/ZelException.h"
#include "common/tank/ZELDataPoter.h"
#include "common/tank/ZELDataPtr.h"
#include "framework/core/Format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

bool AllFinite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

void CLinearPlot::DrawSymbols(fw::CDC& dc, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec)
{
    if (!xs || !ys)
        return;
    const int n = std::min(xs->GetCount(), ys->GetCount());
    const int first = std::min(xs->GetStartIndex(), ys->GetStartIndex());
    if (n <= 0)
        return;
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    try {
        if (!GrHasError(rec) && rec->m_xRangeSet && rec->m_yRangeSet) {
            std::unique_ptr<CZELDataPtr> xc(xs->CreateCursor());
            std::unique_ptr<CZELDataPtr> yc(ys->CreateCursor());
            if (xc && yc) {
                if (m_xFactor > 0.0)
                    DrawSymbolRunX(dc, first, n, xc.get(), yc.get(), rec);
                else
                    DrawSymbolRun(dc, first, n, xc.get(), yc.get(), rec);
            }
        }
    } catch (const fw::CException&) {
        // The symbols drawn so far stay; the context is restored below.
    }
    EndDraw(dc);
}

void CLinearPlot::DrawSymbolRun(fw::CDC& dc, int first, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec)
{
    for (int i = first; i < first + n; ++i) {
        fw::CPoint p;
        if (NextPoint(xs, ys, rec, false, p))
            DrawSymbolAt(dc, first + n, i, p.x, p.y, rec);
        else
            ResetPen();
    }
}

void CLinearPlot::DrawSymbolRunX(fw::CDC& dc, int first, int n, CZELDataPtr* xs, CZELDataPtr* ys, OGPRecord* rec)
{
    for (int i = first; i < first + n; ++i) {
        fw::CPoint p;
        if (NextPoint(xs, ys, rec, true, p))
            DrawSymbolAt(dc, first + n, i, p.x, p.y, rec);
        else
            ResetPen();
    }
}

void CLinearPlot::DrawSymbolAt(fw::CDC& dc, int, int index, int x, int y, OGPRecord* rec)
{
    const uint16_t interval = static_cast<uint16_t>(m_symbolInterval);
    if (interval >= 2 && index % interval != 0)
        return;
    dc.MoveTo(x, y);
    const int16_t size = static_cast<int16_t>(m_symbolSize * rec->m_lineWidthFactor);
    GrDrawSymbol(dc, m_symbolType, size, m_symbolFilled);
}

void CLinearPlot::DrawSymbolArray(fw::CDC& dc, int count, const float* xs, const float* ys, OGPRecord* rec)
{
    if (count < 1 || !xs || !ys)
        return;
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    if (!GrHasError(rec) && rec->m_xRangeSet && rec->m_yRangeSet) {
        const fw::CRect& box = rec->m_plotRect;
        for (int i = 0; i < count; ++i) {
            try {
                CheckDataPoint(xs[i], ys[i]);
                int16_t x = 0, y = 0;
                MapDataPoint(xs[i], ys[i], x, y, rec);
                if (x >= box.left && x < box.right && y >= box.top && y < box.bottom) {
                    dc.MoveTo(x, y);
                    GrDrawSymbol(dc, m_symbolType, m_symbolSize, m_symbolFilled);
                }
            } catch (const fw::CException&) {
                if (GrHasError(rec)) {
                    EndDraw(dc);
                    throw;
                }
            }
        }
    }
    EndDraw(dc);
}

void CLinearPlot::DrawPolynomial(fw::CDC& dc, int16_t degree, const double* coefficients, int16_t steps,
                                 double from, double to, OGPRecord* rec)
{
    if (degree <= 0 || !coefficients)
        return;
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    try {
        if (!GrHasError(rec) && rec->m_xRangeSet && rec->m_yRangeSet)
            DrawPolynomialPoints(dc, degree, coefficients, steps, from, to, rec);
    } catch (const fw::CException&) {
        // The curve drawn so far stays.
    }
    EndDraw(dc);
}

void CLinearPlot::DrawPolynomialPoints(fw::CDC& dc, int16_t degree, const double* coefficients, int16_t steps,
                                       double from, double to, OGPRecord* rec)
{
    m_penUp = 1;
    const double step = (to - from) / steps;
    double x = from;
    for (int i = 0; i <= steps; ++i, x += step) {
        double y = coefficients[0];
        for (int k = 1; k <= degree; ++k)
            y += coefficients[k] * std::pow(x, k);
        if (!std::isfinite(x) || !std::isfinite(y)) {
            m_penUp = 1;
            continue;
        }
        try {
            int16_t dx = 0, dy = 0;
            MapDataPoint(x, y, dx, dy, rec);
            LineToPoint(dc, dx, dy, rec);
        } catch (const CZelException&) {
            // Beyond the device range: the curve breaks here.
            m_penUp = 1;
        }
    }
}

void CLinearPlot::DrawTextAt(fw::CDC& dc, double x, double y, const fw::CString& text,
                             const tTextAttributes& attributes, OGPRecord* rec)
{
    m_penUp = 1;
    if (!AllFinite({x, y}))
        return;
    // Declared first: the font must outlive its selection, which EndDraw undoes.
    std::unique_ptr<fw::CFont> font;
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    try {
        // Tenths of a point at the context's resolution, as logical units.
        fw::LOGFONT lf = attributes.font;
        fw::CSize size(0, fw::MulDiv(lf.lfHeight, dc.GetDeviceCaps(fw::LOGPIXELSY), 720));
        dc.DPtoLP(&size);
        lf.lfHeight = -std::abs(size.cy);
        font = std::make_unique<fw::CFont>();
        fw::CFont* oldFont = nullptr;
        if (font->CreateFontIndirect(lf))
            oldFont = dc.SelectObject(font.get());
        const unsigned oldAlign = dc.SetTextAlign(static_cast<unsigned>(attributes.align));
        const int oldMode = dc.GetBkMode();
        if (attributes.bkMode == fw::TRANSPARENT || attributes.bkMode == fw::OPAQUE)
            dc.SetBkMode(attributes.bkMode);
        int16_t dx = 0, dy = 0;
        MapDataPoint(x, y, dx, dy, rec);
        dc.TextOut(dx + 2, dy - 2, text);
        dc.SetBkMode(oldMode);
        dc.SetTextAlign(oldAlign);
        if (oldFont)
            dc.SelectObject(oldFont);
    } catch (const fw::CException&) {
        m_penUp = 1;
    }
    EndDraw(dc);
}

void CLinearPlot::DrawSegment(fw::CDC& dc, double x1, double y1, double x2, double y2, OGPRecord* rec,
                              int penType)
{
    m_penUp = 1;
    if (!AllFinite({x1, y1, x2, y2}))
        return;
    fw::CPen pen;
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    GrCreatePen(penType, 1, fw::RGB(0, 0, 0), pen);
    fw::CPen* oldPen = dc.SelectObject(&pen);
    try {
        int16_t x = 0, y = 0;
        MapDataPoint(x1, y1, x, y, rec);
        LineToPoint(dc, x, y, rec);
        MapDataPoint(x2, y2, x, y, rec);
        LineToPoint(dc, x, y, rec);
    } catch (const fw::CException&) {
        m_penUp = 1;
    }
    dc.SelectObject(oldPen);
    EndDraw(dc);
}

void CLinearPlot::DrawBox(fw::CDC& dc, double x1, double x2, double y1, double y2, OGPRecord* rec)
{
    m_penUp = 1;
    if (!AllFinite({x1, x2, y1, y2}))
        return;
    BeginDraw(dc, rec);
    ComputeFactors(rec);
    struct Corner {
        double x, y;
        int dx, dy;
    };
    // Just outside the data rectangle, so that the outline does not hide
    // the points on its edges.
    const Corner corners[] = {{x1, y1, -1, -1}, {x1, y2, -1, 0}, {x2, y2, 1, 0}, {x2, y1, 1, -1}, {x1, y1, -1, -1}};
    try {
        for (const Corner& c : corners) {
            int16_t x = 0, y = 0;
            MapDataPoint(c.x, c.y, x, y, rec);
            LineToPoint(dc, x + c.dx, y + c.dy, rec);
        }
    } catch (const fw::CException&) {
        m_penUp = 1;
    }
    EndDraw(dc);
}
