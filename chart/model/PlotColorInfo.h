#pragma once

// The smallest drawing element: a palette colour. Series plots, frames and
// the text elements of the axes build on it.

#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

#include <cstdint>

struct tSeriesStyle;

class CPlotColorInfo : public fw::CObject {
    FW_DECLARE_SERIAL(CPlotColorInfo)
public:
    CPlotColorInfo() = default;

    // Plots are never archived; the text elements that are call this first.
    void Serialize(fw::CArchive& ar) override {}

    virtual void ApplyAttributes(const tSeriesStyle& style) {}
    virtual void SetColor(int index) { m_colorIndex = index; }
    virtual int16_t GetColor() const { return static_cast<int16_t>(m_colorIndex); }
    virtual fw::COLORREF GetColorRef() const { return ColorRefOf(GetColor()); }
    // The palette colour of `index`; black outside the palette.
    virtual fw::COLORREF ColorRefOf(int index) const;

protected:
    int32_t m_colorIndex = 0;
};
