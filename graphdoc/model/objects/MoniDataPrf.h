#pragma once

// The settings of a numeric monitor: the channel it shows, its alarm
// colours and check, its width in digits and how it follows the
// measurement.

#include "framework/core/Geometry.h"
#include "graphdoc/model/DrawMeasObj.h"

#include <cstdint>

namespace fw {
class CArchive;
}

class CMoniDataPrf : public CDataMeasPrf {
public:
    CMoniDataPrf() = default;
    CMoniDataPrf(const CMoniDataPrf&) = default;
    CMoniDataPrf& operator=(const CMoniDataPrf&) = default;
    virtual ~CMoniDataPrf() = default;

    // Channel, colours, flags, digits, steps, the document name and identifier.
    virtual void Serialize(fw::CArchive& ar);
    // 0 lower, 1 upper, 2 and above both alarms.
    fw::COLORREF GetColor(int i) const;

    int32_t m_channel = -1;
    fw::COLORREF m_lowerColor = fw::RGB(255, 255, 0);
    fw::COLORREF m_upperColor = fw::RGB(255, 0, 0);
    fw::COLORREF m_bothColor = fw::RGB(255, 0, 255);
    uint8_t m_alarmCheck = 0;
    int16_t m_digits = 6;
    uint8_t m_liveUpdate = 1;
    uint8_t m_followPanel = 1;
    int32_t m_stepOffset = 0;
    uint8_t m_stepEnabled = 1;
    int32_t m_displayStep = 0;
};

// The profile a new monitor starts from; the monitor dialog's last OK
// leaves its choices here.
CMoniDataPrf& DefaultMonitorProfile();
