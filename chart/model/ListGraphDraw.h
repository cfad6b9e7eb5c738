#pragma once

// The drawers of the rows of a list graph: one small graph per row, and the
// row of a time list graph that aligns its time ticks to the step, draws a
// time range as an inverted band with a tracker frame and hit-tests it.

#include "chart/model/KivGraphDraw.h"
#include "framework/core/Geometry.h"

#include <cstdint>

class CListGraphDraw : public CKivGraphDraw {
    FW_DECLARE_SERIAL(CListGraphDraw)
public:
    CListGraphDraw();
    ~CListGraphDraw() override;

    // The section tag, then the measured-data drawer's form; a form without
    // the tag holds only the plain graph's part.
    void Serialize(fw::CArchive& ar) override;
};

// Hit codes of a rectangle tracker.
namespace TrackerHit {
inline constexpr int kNothing = -1;
inline constexpr int kTopLeft = 0;
inline constexpr int kTopRight = 1;
inline constexpr int kBottomRight = 2;
inline constexpr int kBottomLeft = 3;
inline constexpr int kTop = 4;
inline constexpr int kRight = 5;
inline constexpr int kBottom = 6;
inline constexpr int kLeft = 7;
inline constexpr int kInside = 8;
}

// A rectangle tracker whose handles can be taken away one by one: handles
// that lie beyond the plot are neither drawn nor hit.
class CRectTimeTracker {
public:
    // Handle bits: the corners, then the middles of the edges.
    static constexpr unsigned kTopLeftHandle = 1;
    static constexpr unsigned kTopRightHandle = 2;
    static constexpr unsigned kBottomRightHandle = 4;
    static constexpr unsigned kBottomLeftHandle = 8;
    static constexpr unsigned kTopHandle = 0x10;
    static constexpr unsigned kRightHandle = 0x20;
    static constexpr unsigned kBottomHandle = 0x40;
    static constexpr unsigned kLeftHandle = 0x80;
    static constexpr unsigned kResizeOutside = 0x10;

    CRectTimeTracker() = default;
    explicit CRectTimeTracker(const fw::CRect& rect) : m_rect(rect) {}

    unsigned GetHandleMask() const { return m_handleMask; }
    void SetHandleMask(unsigned mask) { m_handleMask = mask; }
    // Drops the handles whose X lies outside [left, right + 1].
    void LimitHandles(int left, int right);
    // A tracker hit code for the point (the handles reach outside the
    // rectangle by the handle size).
    int HitTest(const fw::CPoint& point) const;
    // The rectangle of the handle with that hit code, for a handle of the mask.
    bool GetHandleRect(int hit, fw::CRect& out) const;
    // The frame and the handles of the mask.
    void Draw(fw::CDC& dc) const;

    fw::CRect m_rect;
    unsigned m_style = kResizeOutside;
    int m_handleSize = 7;

private:
    unsigned m_handleMask = 15;
};

class CTimeListGraphDraw : public CListGraphDraw {
    FW_DECLARE_SERIAL(CTimeListGraphDraw)
public:
    CTimeListGraphDraw();
    ~CTimeListGraphDraw() override;

    void CreateGridLines(int axis) override;
    void CreateTickLabels(int axis) override;
    // Series of a time row keep their draw type in their archive form.
    CGraphParamArray* AddSeries(bool withLines) override;
    // A constant range widens to value - 1 .. value + 1 (1 .. 10 on a
    // logarithmic axis), 0 included.
    void ApplyNiceRange(int axis, int logKind, double maximum, double minimum) override;
    // Inverts the band of the two times within the plot and draws its
    // tracker frame.
    virtual void DrawTimeRange(fw::CDC& dc, double time1, double time2);

    // The device rectangle of the two times over the Y range; false when
    // either is no time.
    bool TimeRangeToRect(fw::CRect& out, double time1, double time2);
    int HitTestTimeRange(const fw::CPoint& point, double time1, double time2);

    uint8_t m_alignTimeTicks = 1;
};
