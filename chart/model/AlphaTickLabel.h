#pragma once

// Text tick labels at given X values (the categories of bar and column
// graphs). The first label of a row makes room for the row in the frame
// rectangle; the labels after it share that row.

#include "chart/model/PlotText.h"

class CAlphaTickLabel : public CPlotText {
public:
    virtual void SetGap(int32_t gap) { m_gap = gap; }
    virtual int SpaceAbove(fw::CDC& dc) { return 0; }
    virtual int SpaceBelow(fw::CDC& dc) { return 0; }
    // The device X of a value (16 bits), computed in double precision;
    // errors as the labels record them.
    virtual int16_t MapX(double value, OGPRecord* rec);

protected:
    CAlphaTickLabel() = default;
    // Font height with the attributes applied.
    int TextHeight(fw::CDC& dc);
    bool MapChecked(double mapped, OGPRecord* rec);

    int32_t m_gap = 10;
    int32_t m_side = 3;
    uint8_t m_firstLabel = 1;
};

class CAlphaXTickLabel : public CAlphaTickLabel {
public:
    CAlphaXTickLabel() = default;

    int SpaceAbove(fw::CDC& dc) override;
    int SpaceBelow(fw::CDC& dc) override;
    virtual void SetSide(int32_t side) { m_side = side; }
    // In single precision.
    int16_t MapX(double value, OGPRecord* rec) override;
    // `text` centred on the X value, below or above the frame.
    virtual void DrawLabel(fw::CDC& dc, double value, const fw::CString& text, OGPRecord* rec);
};
