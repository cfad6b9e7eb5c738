#pragma once

// The plot record: the working state of one graph while it is drawn. Every
// plot, axis element and Gr primitive reads and writes it: the rectangles,
// the current data ranges and an error code that stands in for exceptions
// (drawing problems are recorded here and never shown to the user).

#include "framework/core/Geometry.h"
#include "framework/core/Object.h"

#include <cstdint>

namespace fw {
class CArchive;
}

class OGPRecord : public fw::CObject {
    FW_DECLARE_SERIAL(OGPRecord)
public:
    // Rectangles empty and a line-width factor of 1; GrInitRecord sets the rest.
    OGPRecord() = default;
    OGPRecord(const OGPRecord& other) : fw::CObject() { *this = other; }
    OGPRecord& operator=(const OGPRecord& other);

    // Written embedded, 91 bytes; the error and the factor stay out.
    void Serialize(fw::CArchive& ar) override;

    fw::CRect m_plotRect;
    fw::CRect m_frameRect;
    double m_xMin = 0.0;
    double m_xMax = 0.0;
    uint8_t m_xRangeSet = 0;
    int16_t m_xLabelWidth = 0;
    double m_yMin = 0.0;
    double m_yMax = 0.0;
    uint8_t m_yRangeSet = 0;
    int16_t m_yLabelWidth = 0;
    fw::COLORREF m_background = 0;
    uint8_t m_drawing = 0;
    int16_t m_errorCode = 0;
    int32_t m_errorIndex = 0;
    fw::CRect m_clipRect;
    int16_t m_lineWidthFactor = 1;
};

// A rectangle as archives hold it: left, top, right, bottom, 32 bits each.
void SerializeRect(fw::CArchive& ar, fw::CRect& rect);
