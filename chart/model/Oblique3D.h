#pragma once

// The oblique box of the frequency column charts: a back wall, a floor
// that recedes to the upper right and a left wall, and the axis elements
// that draw in it. The caller sets an element's mode (and shift) just
// before Draw or Measure, with the record's plot rectangle and ranges set
// to the face it draws on, and sets the mode back to 0 afterwards; in mode
// 0 every element maps and draws like its flat base. Mode and shift are
// not stored.
//
// In a plot rectangle (L, T, R, B) the depth is dx = (R - L) / 4 across and
// dy = (B - T) / 3 up: the back wall spans L + dx..R and T..B - dy.

#include "chart/model/GridLine.h"
#include "chart/model/PlotFrame.h"
#include "chart/model/TickLabel.h"
#include "chart/model/TickMark.h"

namespace oblique {
// Mode 1: the floor; mode 2: the left wall.
inline constexpr int16_t kFloor = 1;
inline constexpr int16_t kLeftWall = 2;
} // namespace oblique

class CPlotFrame3D : public CPlotFrame {
    FW_DECLARE_SERIAL(CPlotFrame3D)
public:
    CPlotFrame3D() = default;
    // The box as one polyline in the frame's pen.
    void Draw(fw::CDC& dc, OGPRecord* rec) override;
};

class CTickXLabel3D : public CTickXLabel {
    FW_DECLARE_SERIAL(CTickXLabel3D)
public:
    CTickXLabel3D() = default;
    void SetMode(int16_t mode) { m_mode = mode; }
    int16_t GetMode() const { return m_mode; }
    void PrepareMapping(OGPRecord* rec) override;
    // The flat measure; on the left wall the labels also widen the frame
    // to the right.
    void Measure(fw::CDC& dc, OGPRecord* rec) override;

protected:
    void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

private:
    int16_t m_mode = 0;
};

class CTickXMark3D : public CTickXMark {
public:
    CTickXMark3D() = default;
    void SetMode(int16_t mode) { m_mode = mode; }
    void PrepareMapping(OGPRecord* rec) override;

private:
    int16_t m_mode = 0;
};

class CXGridLine3D : public CXGridLine {
public:
    CXGridLine3D() = default;
    void SetMode(int16_t mode) { m_mode = mode; }
    void SetShift(int16_t shift) { m_shift = shift; }
    void PrepareMapping(OGPRecord* rec) override;
    void DrawMinor(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;
    // The box has no zero line.
    void DrawZeroLine(fw::CDC& dc, int coord, OGPRecord* rec) override {}

protected:
    void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

private:
    void Line(fw::CDC& dc, double value, int x, int32_t style, int width, int colour, OGPRecord* rec);

    int16_t m_shift = 0;
    int16_t m_mode = 0;
};

class CYGridLine3D : public CYGridLine {
public:
    CYGridLine3D() = default;
    void SetShift(int16_t shift) { m_shift = shift; }
    void DrawMinor(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

protected:
    explicit CYGridLine3D(bool logarithmic) : CYGridLine(logarithmic) {}
    void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

private:
    void Line(fw::CDC& dc, int y, int32_t style, int width, int colour, OGPRecord* rec);

    int16_t m_shift = 0;
};

class CYLogGridLine3D : public CYGridLine3D {
public:
    CYLogGridLine3D() : CYGridLine3D(true) {}
};
