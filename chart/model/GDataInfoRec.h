#pragma once

// What a graph is: its type, the kind of its X axis, which grid lines and
// axes it shows and its rectangle on the page.

#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

#include <cstdint>

class GDataInfoRec : public fw::CObject {
    FW_DECLARE_SERIAL(GDataInfoRec)
public:
    // X-axis kind of a time axis: X values are dates.
    static constexpr int16_t kTimeAxis = 2;

    // The values of a new graph.
    GDataInfoRec() = default;
    GDataInfoRec(const GDataInfoRec& other) : fw::CObject() { *this = other; }
    GDataInfoRec& operator=(const GDataInfoRec& other);

    // Written embedded, 28 bytes.
    void Serialize(fw::CArchive& ar) override;

    int16_t m_graphType = 1;
    int16_t m_xAxisKind = 0;
    uint8_t m_flag = 0;
    fw::CRect m_graphRect;
    uint8_t m_showXGrid = 1;
    uint8_t m_showYGrid = 1;
    uint8_t m_showAxes = 1;
    int32_t m_value = 0;
};
