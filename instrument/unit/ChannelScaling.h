#pragma once

// The trigger and scaling settings that every measured channel has, whatever
// its unit: trigger switch, level and slope, engineering unit, coefficient,
// decimal places, capacity and rated output. The analogue input units and
// the digital input/output unit hold one of these and add their own rules
// (which channels have them, what else they depend on).

#include "framework/core/Collections.h"
#include "framework/core/CString.h"

#include <cstdint>

namespace fw {
class CArchive;
}

class ChannelScaling {
public:
    enum Attr {
        kTriggerOn = 11,
        kTriggerLevel = 12,
        kTriggerSlope = 13,
        kCoefficient = 24,
        kEngUnit = 25,
        kCapacity = 31,
        kRatedOutput = 32,
        kDecimals = 33,
        kEngUnitAscii = 99,
    };

    // Whether the attribute is one of the above.
    static bool Handles(int attribute);

    // Every array sized to `channels`: trigger off with no level, relative
    // slope, no unit, coefficient 1, capacity and rated output unset, no
    // decimal places. `unsetLevel` is the raw maximum + 1.
    void Init(int channels, int32_t unsetLevel);
    // Capacity and rated output unset, no decimal places: the settings the
    // unit archives do not hold.
    void ResetUnstored(int channels);
    // Trigger switches, levels, slopes, unit indexes, coefficients.
    void Serialize(fw::CArchive& ar);

    double GetValue(int channel, int attribute) const;
    // Texts of 11, 12, 13, 25, 33 and 99; 24, 31 and 32 are "%g" of the
    // unit's GetValue, which may override the stored number.
    const char* GetText(int channel, int attribute, int32_t rawMax, fw::CString& text) const;
    // The value a text stands for; false when the text is not acceptable.
    // An empty text means "unset" for the level, capacity and rated output.
    static bool ParseText(int attribute, const char* text, double& value);
    bool SetValue(int channel, int attribute, double value, int32_t rawMin, int32_t rawMax);
    // 11, 12, 13, 25 true; 33 for 0 to 5; 24, 31, 32 false.
    bool CheckValue(int channel, int attribute, int value) const;

    int16_t EngUnit(int channel) const { return m_engUnit.GetAt(channel); }

private:
    fw::CArray<uint8_t> m_triggerOn;
    fw::CArray<int32_t> m_triggerLevel;
    fw::CArray<uint8_t> m_triggerSlope; // 0, 'U' or 'L'
    fw::CArray<int16_t> m_engUnit;
    fw::CArray<float> m_coefficient;
    fw::CArray<int16_t> m_decimals;
    fw::CArray<float> m_capacity;
    fw::CArray<float> m_ratedOutput;
};
