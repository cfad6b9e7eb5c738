#pragma once

// The axis-element base: walks the ticks of one axis from a start to an
// end value in steps, decides at each tick whether it is major (on the
// major lattice) and hands it to DrawMajor or DrawMinor with its device
// coordinate. Grid lines, tick marks and tick labels are built on it; a
// logarithmic element counts through each decade and makes every decade
// major.
//
// Ticks are placed at start + i * step, so that rounding does not pile up
// along the walk, and the end value gets one tick, never two.

#include "framework/core/DC.h"
#include "framework/core/Object.h"

#include <cstdint>

class OGPRecord;

class CPlotGrid : public fw::CObject {
    FW_DECLARE_SERIAL(CPlotGrid)
public:
    // The walk ends after this many ticks at the latest.
    static constexpr int kMaxTicks = 1000;

    CPlotGrid() = default;

    // Minor and major colour (i16 each).
    void Serialize(fw::CArchive& ar) override;

    virtual void SetColours(const int16_t colours[2]);
    virtual void GetColours(int16_t colours[2]) const;
    virtual void SetMinorColour(int16_t c) { m_minorColour = c; }
    virtual int16_t GetMinorColour() const { return m_minorColour; }
    virtual void SetMajorColour(int16_t c) { m_majorColour = c; }
    virtual int16_t GetMajorColour() const { return m_majorColour; }
    virtual void SetWalk(double start, double step, double end);
    virtual void SetMajorLattice(double low, double step, double high);
    virtual void EnableEndTick() { m_endTick = 1; }
    virtual void DisableEndTick() { m_endTick = 0; }
    virtual void PrepareMapping(OGPRecord* rec) {}
    virtual double MapValue(double value, OGPRecord* rec) { return value; }
    virtual bool IsMajor(double value, double low, double step, double high);
    virtual void DrawMinor(fw::CDC& dc, double value, int coord, OGPRecord* rec) {}
    virtual void DrawMajor(fw::CDC& dc, double value, int coord, OGPRecord* rec) {}
    virtual void BeginDraw(fw::CDC& dc, OGPRecord* rec);
    virtual void EndDraw(fw::CDC& dc, OGPRecord* rec);
    // The next tick: false when the walk is over or the tick cannot be
    // mapped (error 8 with the tick index).
    virtual bool NextPosition(int index, double& value, int& coord, OGPRecord* rec);
    virtual void Draw(fw::CDC& dc, OGPRecord* rec);

    void SetAlignToStep(bool on) { m_alignToStep = on ? 1 : 0; }
    double WalkStart() const { return m_walkStart; }
    double WalkEnd() const { return m_walkEnd; }
    double WalkStep() const { return m_walkStep; }

protected:
    // Makes the walk go on from `value` in steps of the current step (a
    // logarithmic element does so after each decade).
    void RestartWalkAt(double value);

    double m_walkStart = 0.0;
    double m_walkStep = 1.0;
    double m_walkEnd = 0.0;
    double m_majorLow = 0.0;
    double m_majorStep = 0.0;
    double m_majorHigh = 0.0;
    uint8_t m_alignToStep = 0;
    uint8_t m_endTick = 1;
    uint8_t m_endTickPending = 0;
    double m_currentValue = 0.0;
    double m_currentStep = 0.0;
    double m_endValue = 0.0;
    int m_savedContext = 0;
    int16_t m_minorColour = 0;
    int16_t m_majorColour = 0;

    // The walk: ticks at m_walkBase + m_walkIndex * m_currentStep.
    double m_walkBase = 0.0;
    int m_walkIndex = 0;
    bool m_endDrawn = false;
};

// An element of the X or the Y axis, linear or logarithmic, with the
// mapping of its last preparation.
class CPlotXYGrid : public CPlotGrid {
    FW_DECLARE_SERIAL(CPlotXYGrid)
public:
    CPlotXYGrid() = default;

    // The grid part, then i16 logarithmic.
    void Serialize(fw::CArchive& ar) override;

    void PrepareMapping(OGPRecord* rec) override;
    double MapValue(double value, OGPRecord* rec) override;
    bool IsMajor(double value, double low, double step, double high) override;
    void BeginDraw(fw::CDC& dc, OGPRecord* rec) override;
    void DrawMajor(fw::CDC& dc, double value, int coord, OGPRecord* rec) override;

    virtual bool IsLogarithmic() const { return m_logarithmic != 0; }
    virtual void PrepareXMapping(OGPRecord* rec);
    virtual void PrepareYMapping(OGPRecord* rec);
    virtual double MapX(double value) const { return m_xFactor * value + m_xOffset; }
    virtual double MapY(double value) const { return m_yOffset - m_yFactor * value; }
    // Logarithmic elements: walk and lattice from low to high.
    virtual void SetLogRange(double low, double high);

    bool IsXAxis() const { return m_xAxis; }

protected:
    // `xAxis`: the element maps along X (else Y).
    CPlotXYGrid(bool xAxis, bool logarithmic);
    // What a logarithmic element draws at a major tick; the decade step
    // follows afterwards.
    virtual void DrawMajorTick(fw::CDC& dc, double value, int coord, OGPRecord* rec) {}
    double MapLog(double value, OGPRecord* rec) const;

    int16_t m_logarithmic = 0;
    double m_xOffset = 0.0;
    double m_yOffset = 0.0;
    double m_xFactor = 0.0;
    double m_yFactor = 0.0;
    bool m_xAxis = true;
};

// A length in hundredths of a millimetre as logical units of the context,
// along x or y.
int HundredthsMmToLogical(const fw::CDC& dc, int length, bool vertical);
