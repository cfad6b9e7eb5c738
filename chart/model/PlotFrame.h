#pragma once

// The frame around the plot rectangle, drawn inside-out from its edges
// with a pen of the frame width.

#include "chart/model/PlotColorInfo.h"
#include "framework/core/DC.h"

class OGPRecord;

class CPlotFrame : public CPlotColorInfo {
    FW_DECLARE_SERIAL(CPlotFrame)
public:
    CPlotFrame() = default;

    // The frame width comes from the first value of the style.
    void ApplyAttributes(const tSeriesStyle& style) override;
    virtual void SetFrameWidth(int16_t width) { m_frameWidth = width; }
    // Nothing for a width of 0.
    virtual void Draw(fw::CDC& dc, OGPRecord* rec);

    int16_t GetFrameWidth() const { return m_frameWidth; }

protected:
    int16_t m_frameWidth = 2;
};
