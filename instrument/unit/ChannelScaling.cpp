#include "instrument/unit/ChannelScaling.h"

#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>

namespace {

constexpr int kMaxDecimals = 5;

int SlopeIndex(uint8_t slope)
{
    return slope == 'U' ? 1 : slope == 'L' ? 2 : 0;
}

} // namespace

bool ChannelScaling::Handles(int attribute)
{
    switch (attribute) {
    case kTriggerOn:
    case kTriggerLevel:
    case kTriggerSlope:
    case kCoefficient:
    case kEngUnit:
    case kCapacity:
    case kRatedOutput:
    case kDecimals:
    case kEngUnitAscii:
        return true;
    default:
        return false;
    }
}

void ChannelScaling::Init(int channels, int32_t unsetLevel)
{
    unitvalue::Fill<uint8_t>(m_triggerOn, channels, 0);
    unitvalue::Fill<int32_t>(m_triggerLevel, channels, unsetLevel);
    unitvalue::Fill<uint8_t>(m_triggerSlope, channels, 0);
    unitvalue::Fill<int16_t>(m_engUnit, channels, engunit::kNone);
    unitvalue::Fill<float>(m_coefficient, channels, 1.0f);
    ResetUnstored(channels);
}

void ChannelScaling::ResetUnstored(int channels)
{
    unitvalue::Fill<float>(m_capacity, channels, static_cast<float>(HUGE_VAL));
    unitvalue::Fill<float>(m_ratedOutput, channels, static_cast<float>(HUGE_VAL));
    unitvalue::Fill<int16_t>(m_decimals, channels, 0);
}

void ChannelScaling::Serialize(fw::CArchive& ar)
{
    m_triggerOn.Serialize(ar);
    m_triggerLevel.Serialize(ar);
    m_triggerSlope.Serialize(ar);
    m_engUnit.Serialize(ar);
    m_coefficient.Serialize(ar);
}

double ChannelScaling::GetValue(int channel, int attribute) const
{
    switch (attribute) {
    case kTriggerOn:
        return m_triggerOn.GetAt(channel) ? 1.0 : 0.0;
    case kTriggerLevel:
        return m_triggerLevel.GetAt(channel);
    case kTriggerSlope:
        return SlopeIndex(m_triggerSlope.GetAt(channel));
    case kCoefficient:
        return m_coefficient.GetAt(channel);
    case kEngUnit:
        return m_engUnit.GetAt(channel);
    case kCapacity:
        return m_capacity.GetAt(channel);
    case kRatedOutput:
        return m_ratedOutput.GetAt(channel);
    case kDecimals:
        return m_decimals.GetAt(channel);
    default:
        return HUGE_VAL;
    }
}

const char* ChannelScaling::GetText(int channel, int attribute, int32_t rawMax, fw::CString& text) const
{
    switch (attribute) {
    case kTriggerOn:
        return unitvalue::SetText(
            unittext::kRangeTexts[m_triggerOn.GetAt(channel) ? unittext::kTriggerOnIndex : unittext::kTriggerOffIndex],
            text);
    case kTriggerLevel: {
        const int32_t level = m_triggerLevel.GetAt(channel);
        if (level > rawMax)
            return unitvalue::SetText("", text);
        return unitvalue::FormatInt(level, text);
    }
    case kTriggerSlope:
        return unitvalue::SetText(GetLimitKindText(m_triggerSlope.GetAt(channel)), text);
    case kEngUnit:
        return unitvalue::SetText(engunit::DisplayText(m_engUnit.GetAt(channel)), text);
    case kEngUnitAscii:
        return unitvalue::SetText(engunit::AsciiText(m_engUnit.GetAt(channel)), text);
    case kDecimals:
        return unitvalue::FormatInt(m_decimals.GetAt(channel), text);
    default:
        return unitvalue::FormatReal(GetValue(channel, attribute), text);
    }
}

bool ChannelScaling::ParseText(int attribute, const char* text, double& value)
{
    switch (attribute) {
    case kTriggerOn: {
        if (!text)
            return false;
        const fw::CString t(text);
        if (t == unittext::kRangeTexts[unittext::kTriggerOnIndex])
            value = 1;
        else if (t == unittext::kRangeTexts[unittext::kTriggerOffIndex])
            value = 0;
        else
            return false;
        return true;
    }
    case kTriggerSlope: {
        const int i = FindTextInTable(unittext::kSlopeTexts, unittext::kSlopeCount, text);
        value = i;
        return i >= 0;
    }
    case kEngUnit: {
        const int i = FindTextInTable(engunit::kDisplayTexts, engunit::kCount, text);
        value = i;
        return i >= 0;
    }
    case kTriggerLevel:
    case kCapacity:
    case kRatedOutput:
        // An empty cell is how a table clears these.
        if (text && *text == '\0') {
            value = HUGE_VAL;
            return true;
        }
        if (attribute != kTriggerLevel)
            return TextToDouble(text, &value);
        [[fallthrough]];
    case kDecimals: {
        int32_t v = 0;
        if (!TextToInt(text, &v))
            return false;
        value = v;
        return true;
    }
    case kCoefficient:
        return TextToDouble(text, &value);
    default:
        return false;
    }
}

bool ChannelScaling::SetValue(int channel, int attribute, double value, int32_t rawMin, int32_t rawMax)
{
    switch (attribute) {
    case kTriggerOn: {
        int on = 0;
        if (!unitvalue::ToIntegerIn(value, 0, 1, on) || value != on)
            return false;
        m_triggerOn.SetAt(channel, static_cast<uint8_t>(on));
        return true;
    }
    case kTriggerLevel: {
        if (value == HUGE_VAL) {
            m_triggerLevel.SetAt(channel, rawMax + 1);
            return true;
        }
        if (!(value >= rawMin && value <= rawMax))
            return false;
        m_triggerLevel.SetAt(channel, static_cast<int32_t>(value));
        return true;
    }
    case kTriggerSlope: {
        static constexpr uint8_t kSlopes[] = {0, 'U', 'L'};
        int i = 0;
        if (!unitvalue::ToIntegerIn(value, 0, 2, i) || value != i)
            return false;
        m_triggerSlope.SetAt(channel, kSlopes[i]);
        return true;
    }
    case kCoefficient:
        if (!unitvalue::IsScaleMagnitude(value, unitvalue::kCoefficientTolerance))
            return false;
        m_coefficient.SetAt(channel, static_cast<float>(value));
        return true;
    case kEngUnit: {
        if (!(value >= 0 && value < engunit::kCount))
            return false;
        m_engUnit.SetAt(channel, static_cast<int16_t>(value));
        return true;
    }
    case kCapacity:
    case kRatedOutput: {
        fw::CArray<float>& array = attribute == kCapacity ? m_capacity : m_ratedOutput;
        if (!std::isfinite(value)) {
            array.SetAt(channel, static_cast<float>(HUGE_VAL));
            return true;
        }
        if (!unitvalue::IsScaleMagnitude(value))
            return false;
        array.SetAt(channel, static_cast<float>(value));
        return true;
    }
    case kDecimals: {
        int places = 0;
        if (!unitvalue::ToIntegerIn(value, 0, kMaxDecimals, places))
            return false;
        m_decimals.SetAt(channel, static_cast<int16_t>(places));
        return true;
    }
    default:
        return false;
    }
}

bool ChannelScaling::CheckValue(int channel, int attribute, int value) const
{
    switch (attribute) {
    case kTriggerOn:
    case kTriggerLevel:
    case kTriggerSlope:
    case kEngUnit:
        return true;
    case kDecimals: {
        const int v = unitvalue::Candidate(value, m_decimals.GetAt(channel));
        return v >= 0 && v <= kMaxDecimals;
    }
    default:
        return false;
    }
}
