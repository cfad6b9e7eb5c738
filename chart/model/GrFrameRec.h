#pragma once

// The frame, grid-line and tick-mark styles of a graph. Colours are
// palette indices; widths are pen widths, 0 for none.

#include "framework/core/Object.h"

#include <cstdint>

class GrFrameRec : public fw::CObject {
    FW_DECLARE_SERIAL(GrFrameRec)
public:
    // Sides of the tick marks.
    static constexpr int16_t kSideNone = 1;
    static constexpr int16_t kSideTopLeft = 2;
    static constexpr int16_t kSideBottomRight = 3;
    static constexpr int16_t kSideBoth = 4;

    // The values of a new graph.
    GrFrameRec() = default;
    GrFrameRec(const GrFrameRec& other) : fw::CObject() { *this = other; }
    GrFrameRec& operator=(const GrFrameRec& other);

    // Written embedded: the fourteen fields, 28 bytes.
    void Serialize(fw::CArchive& ar) override;

    int16_t m_frameWidth = 2;
    int16_t m_frameColor = 0;
    int16_t m_gridMajorColor = 0;
    int16_t m_gridMinorColor = 0;
    int16_t m_xGridMajorWidth = 2;
    int16_t m_xGridMinorWidth = 1;
    int16_t m_xTickSide = kSideBoth;
    int16_t m_xTickWidth = 1;
    int16_t m_yGridMajorWidth = 2;
    int16_t m_yGridMinorWidth = 1;
    int16_t m_yTickSide = kSideBoth;
    int16_t m_yTickWidth = 1;
    int16_t m_tickColor = 0;
    int16_t m_reserved = 0;
};
