#pragma once

// The style of a series (line and symbol attributes, colours as palette
// indices) and the pen state that a line plot hands back after drawing a
// series, so that the next drawing of the same series continues its dash
// phase. Both are plain blocks: the series keeps them, the plots read them.

#include <cstdint>

struct tSeriesStyle {
    int16_t lineWidth = 1;
    int16_t lineHeight = 1;
    int16_t fill = 1;          // fill number of the drawing primitives
    int16_t symbolSize = 4;    // half size of the symbol
    int16_t symbolType = 1;    // 0: no symbols
    int16_t reserved = 0;
    uint16_t linePattern = 0xFFFF; // dash bits, most significant first; 0: no line
    int16_t symbolInterval = 1;    // a symbol on every n-th sample
    int16_t lineColor = 0;
    int16_t symbolColor = 0;   // edge of the symbol
    int16_t fillColor = 0;     // symbol and bar fill
    int16_t drawType = 0;      // 0 straight segments, other values steps
};
static_assert(sizeof(tSeriesStyle) == 24);

// Dash point, run start, run index, run length and two more values, then
// the in-gap byte; the series starts with the fifth 0 and the sixth 16.
struct tPenState {
    int16_t values[6] = {0, 0, 0, 0, 0, 16};
    uint8_t inGap = 0;
};
