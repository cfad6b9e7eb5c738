#pragma once

// The scales of a graph: scale type and the ranges, steps, subdivisions and
// label settings of the X, Y and Z axes, with the time unit of a time axis.

#include "framework/core/Object.h"

#include <cstdint>

class GrScaleRec : public fw::CObject {
    FW_DECLARE_SERIAL(GrScaleRec)
public:
    // Scale types.
    static constexpr int16_t kLinear = 1;
    static constexpr int16_t kLogXY = 2;
    static constexpr int16_t kLogX = 3;
    static constexpr int16_t kLogY = 4;
    // Option bit 0: the axes grow with the data.
    static constexpr uint32_t kExpandWithData = 1;

    // One axis: auto mode (0 fixed, 1 and 2 auto-scaled), range and major
    // step, minor steps per major step, and how its tick labels look.
    struct Axis {
        uint8_t autoMode = 1;
        double minimum = 0.0;
        double maximum = 10.0;
        double step = 5.0;
        int16_t subdivisions = 5;
        int16_t decimals = 0;
        int16_t labelEvery = 1;
        int16_t labelSide = 3;
    };

    // The values of a new graph.
    GrScaleRec();
    GrScaleRec(const GrScaleRec& other) : fw::CObject() { *this = other; }
    GrScaleRec& operator=(const GrScaleRec& other);

    // Written embedded, 111 bytes.
    void Serialize(fw::CArchive& ar) override;

    int16_t m_scaleType = kLinear;
    Axis m_x;
    Axis m_y;
    // Units of the time axis per day (86400, 1440, 24, 1); 0 not chosen yet.
    int32_t m_timeDivisor = 1;
    // The date (days) at which the time axis counts 0; 0 takes the data
    // minimum at the next auto-scale.
    double m_timeOrigin = 0.0;
    // The Z axis has no label settings: only the first four members count.
    Axis m_z;
    uint32_t m_options = 0;
};
