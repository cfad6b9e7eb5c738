#pragma once

// The series plots of the frequency graphs: each count is a column that
// fills its whole slice, flat (a minus-side value at the lower edge of its
// slice, a plus-side value at the upper edge) or as an oblique box standing
// at the series' depth, whose X is the left edge of its column. The
// logarithmic plot maps counts by their common logarithm, a count of 0 to
// the bottom of the axis.

#include "chart/model/ColumnPlot.h"
#include "framework/core/Geometry.h"

#include <cmath>
#include <cstdint>

class CHistColumnPlot : public CColumnPlot {
public:
    // Flags of ClipToWall and ClipToFloor.
    static constexpr int kCutTop = 1;
    static constexpr int kCutLeft = 2;
    static constexpr int kCutRight = 4;
    static constexpr int kCutAbove = 1;
    static constexpr int kCutBelow = 2;
    // The Y position of a column that is not drawn.
    static constexpr int kSkipped = -30000;
    // Device width of the only column of a one-value oblique series.
    static constexpr int kSingleColumnWidth = 10;

    // Computes the mapping; false (with the record's error) when the plot
    // rectangle or a range cannot be mapped.
    virtual bool ComputeScale(OGPRecord* rec);
    virtual void DrawColumns(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec);
    virtual void DrawColumns3D(fw::CDC& dc, int n, CZELDataPoter* xs, CZELDataPoter* ys, OGPRecord* rec);
    // The device shift of depth z from the back wall; a z that is not a
    // number: fw::CZelException code 1.
    virtual fw::CPoint DepthOffset(double z) const;
    virtual fw::CPoint MapPointAtDepth(double x, double y, int dx, int dy, const OGPRecord* rec) const;
    virtual void DrawColumnBox(fw::CDC& dc, fw::CRect back, fw::CSize depth, const fw::CRect& wall,
                               const fw::CRect& floor);
    // Cuts top, left and right at the wall; -1 when nothing is left.
    virtual int ClipToWall(fw::CRect& rect, const fw::CRect& wall) const;
    // Cuts the bottom of the box at the floor strip; -1 when nothing shows.
    virtual int ClipToFloor(fw::CRect& back, fw::CRect& front, const fw::CRect& floor) const;

    // The device position of count 0 (flat mapping).
    int BaselineY(const OGPRecord* rec) const;

    uint8_t m_b3D = 0;
    double m_depthFront = 0.0;
    double m_depthBack = 0.0;
    double m_zMin = HUGE_VAL;
    double m_zMax = HUGE_VAL;

protected:
    // The count as the Y axis maps it.
    virtual double CountValue(double count, const OGPRecord* rec) const { return count; }
    // The Y range as the Y axis maps it, for the time of a drawing.
    virtual void TransformYRange(OGPRecord* rec) const {}

    double m_sx = 0.0;
    double m_ox = 0.0;
    double m_sy = 0.0;
    double m_oy = 0.0;
    double m_depthYFactor = 0.0;
    double m_depthYOffset = 0.0;
    double m_depthXFactor = 0.0;
    double m_depthXOffset = 0.0;

private:
    int DeviceX(double x) const;
    int DeviceY(double y) const;
};

class CHistLogColumnPlot : public CHistColumnPlot {
protected:
    double CountValue(double count, const OGPRecord* rec) const override;
    void TransformYRange(OGPRecord* rec) const override;
};
