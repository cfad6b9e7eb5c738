#pragma once

// What the axis dialog edits of a graph drawer: graph style, ranges,
// steps, sub-divisions, tick-label formats and fonts, loaded from the
// drawer and stored back (with the auto-scroll window and the frequency
// graphs' styles).

#include "framework/core/Gdi.h"

#include <cstdint>

class CKivGraphDraw;

struct ScaleSettings {
    struct Axis {
        int autoScale = 0;
        double minimum = 0.0;
        double maximum = 0.0;
        double step = 0.0;
        int16_t subdivisions = 0;
        int labelFormat = -1;
        fw::LOGFONT font;
    };

    // Style index: 0 X-Y, 1 Log-Log, 2 LogX-Y, 3 X-LogY; in frequency or
    // auto-scroll mode 0 X-Y and 1 X-LogY.
    void Load(const CKivGraphDraw& draw);
    void Store(CKivGraphDraw& draw) const;
    // The scale type the style index stands for.
    int ScaleType() const;
    bool TwoStyles() const { return frequencyMode != 0 || autoScroll != 0; }

    Axis x;
    Axis y;
    int style = -1;
    int autoScroll = 0;
    uint8_t frequencyMode = 0;
    int16_t graphType = 0;
};
