// The channel attributes of the CAN/voice/GPS unit: what the measuring
// system and the project pages read and write through the unit interface.

#include "canvoicegps/Kiv463Unit.h"

#include "canvoicegps/GpsItems.h"
#include "common/base/ValueParse.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>

namespace {

constexpr int kLevelMax = 32767;
constexpr int kMaxFreeDecimals = 5;
constexpr char kConditionChars[] = {0, 'U', 'L'};

int ConditionIndex(char condition)
{
    for (int i = 0; i < 3; ++i)
        if (kConditionChars[i] == condition)
            return i;
    return 0;
}

} // namespace

bool CKiv463Unit::CheckValue(int channel, int attribute, int) const
{
    CheckChannel(channel);
    if (attribute == kAttrBitsPerSample)
        return true;
    if (attribute == kAttrMemoryCheck)
        return IsMemorySplitValid();
    return false;
}

bool CKiv463Unit::IsAttrEditable(int channel, int attribute) const
{
    CheckChannel(channel);
    switch (attribute) {
    case kAttrTriggerOn:
    case kAttrTriggerLevel:
    case kAttrTriggerCondition:
    case kAttrBitsPerSample:
        return true;
    case kAttrBalance:
        // Only the distance can be zeroed.
        return m_slotCode[static_cast<size_t>(channel)] == gpsitem::kRoadDistance;
    default:
        return false;
    }
}

double CKiv463Unit::GetValue(int channel, int attribute) const
{
    CheckChannel(channel);
    const auto c = static_cast<size_t>(channel);
    const int16_t code = m_slotCode[c];
    const C463CanMesSignal* signal = SlotSignal(channel);
    const bool canSource = code >= kFirstSignalCode;
    switch (attribute) {
    case kAttrTriggerOn:
        return m_triggerOn.GetAt(channel) ? 1.0 : 0.0;
    case kAttrTriggerLevel:
        return m_triggerLevel.GetAt(channel);
    case kAttrTriggerCondition:
        return ConditionIndex(m_triggerCondition.GetAt(channel));
    case kAttrBalance:
        return HUGE_VAL;
    case kAttrCoefficient:
        if (gpsitem::IsItem(code))
            return std::pow(10.0, -GetGpsItemDecimals(code));
        if (canSource)
            return signal ? signal->GetFactor() : HUGE_VAL;
        return m_coefficient[c];
    case kAttrEngUnit:
        return engunit::kNone;
    case kAttrDecimals:
        if (gpsitem::IsItem(code))
            return GetGpsItemDecimals(code);
        if (canSource)
            return signal ? signal->GetDecimals() : HUGE_VAL;
        return m_decimals[c];
    case kAttrBitsPerSample:
        return m_bitsPerSample[c];
    case kAttrSlotCode:
        return code;
    case kAttrOffsetCounts:
        if (canSource)
            return signal ? signal->GetOffset() / signal->GetFactor() : HUGE_VAL;
        return 0.0;
    case kAttrTypeCode:
        return kTypeCode;
    default:
        return CKivUnit::GetValue(channel, attribute);
    }
}

const char* CKiv463Unit::EngUnitText(int channel, fw::CString& text) const
{
    const auto c = static_cast<size_t>(channel);
    const int16_t code = m_slotCode[c];
    if (code == 0)
        return unitvalue::SetText(engunit::DisplayText(m_unitIndex[c]), text);
    if (gpsitem::IsItem(code))
        return unitvalue::SetText(engunit::DisplayText(gpsitem::UnitIndex(code)), text);
    const C463CanMesSignal* signal = SlotSignal(channel);
    const int index =
        signal ? FindTextInTable(engunit::kAsciiTexts, engunit::kCount, signal->GetUnit().c_str()) : -1;
    return unitvalue::SetText(engunit::DisplayText(index), text);
}

const char* CKiv463Unit::GetText(int channel, int attribute, fw::CString& text) const
{
    CheckChannel(channel);
    switch (attribute) {
    case kAttrTriggerOn:
        return unitvalue::SetText(m_triggerOn.GetAt(channel) ? "ON" : "OFF", text);
    case kAttrTriggerLevel: {
        const int32_t level = m_triggerLevel.GetAt(channel);
        if (level > kLevelMax)
            return unitvalue::SetText("", text);
        return unitvalue::FormatInt(level, text);
    }
    case kAttrTriggerCondition:
        return unitvalue::SetText(GetLimitKindText(m_triggerCondition.GetAt(channel)), text);
    case kAttrCoefficient:
        return unitvalue::FormatReal(GetValue(channel, attribute), text);
    case kAttrEngUnit:
        return EngUnitText(channel, text);
    case kAttrDecimals: {
        const double decimals = GetValue(channel, attribute);
        if (!std::isfinite(decimals))
            return unitvalue::SetText("", text);
        return unitvalue::FormatInt(static_cast<int>(decimals), text);
    }
    case kAttrOnOff:
        return CKivUnit::GetText(channel, attribute, text);
    default:
        return unitvalue::SetText("", text);
    }
}

bool CKiv463Unit::SetTriggerValue(int channel, int attribute, double value)
{
    int v = 0;
    switch (attribute) {
    case kAttrTriggerOn:
        if (value != 0.0 && value != 1.0)
            return false;
        m_triggerOn.SetAt(channel, value == 1.0 ? 1 : 0);
        return true;
    case kAttrTriggerLevel:
        if (value == HUGE_VAL) {
            m_triggerLevel.SetAt(channel, kLevelNotSet);
            return true;
        }
        if (!unitvalue::ToIntegerIn(value, -kLevelMax, kLevelMax, v))
            return false;
        m_triggerLevel.SetAt(channel, v);
        return true;
    case kAttrTriggerCondition:
        if (value != 0.0 && value != 1.0 && value != 2.0)
            return false;
        m_triggerCondition.SetAt(channel, kConditionChars[static_cast<int>(value)]);
        return true;
    default:
        return false;
    }
}

// Coefficient, unit and decimals belong to a channel only while it has no
// source; for one with a source they are accepted and ignored.
bool CKiv463Unit::SetFreeChannelValue(int channel, int attribute, double value)
{
    const auto c = static_cast<size_t>(channel);
    const bool free = m_slotCode[c] == 0;
    int v = 0;
    switch (attribute) {
    case kAttrCoefficient:
        if (!unitvalue::IsScaleMagnitude(value))
            return false;
        if (free)
            m_coefficient[c] = static_cast<float>(value);
        return true;
    case kAttrEngUnit:
        if (!std::isfinite(value) || value < 0.0 || value >= engunit::kCount)
            return false;
        if (free)
            m_unitIndex[c] = static_cast<int16_t>(value);
        return true;
    case kAttrDecimals:
        if (free && unitvalue::ToIntegerIn(value, 0, kMaxFreeDecimals, v))
            m_decimals[c] = static_cast<int16_t>(v);
        return true;
    default:
        return false;
    }
}

bool CKiv463Unit::SetValue(int channel, int attribute, double value)
{
    CheckChannel(channel);
    switch (attribute) {
    case kAttrOnOff:
        return CKivUnit::SetValue(channel, attribute, value);
    case kAttrTriggerOn:
    case kAttrTriggerLevel:
    case kAttrTriggerCondition:
        return SetTriggerValue(channel, attribute, value);
    case kAttrCoefficient:
    case kAttrEngUnit:
    case kAttrDecimals:
        return SetFreeChannelValue(channel, attribute, value);
    case kAttrBitsPerSample: {
        int16_t bits = 0;
        if (!unitvalue::ToInteger(value, bits))
            return false;
        m_bitsPerSample[static_cast<size_t>(channel)] = bits;
        return true;
    }
    case kAttrSlotCode: {
        int16_t code = 0;
        if (!unitvalue::ToInteger(value, code))
            return false;
        SetSlotCode(code, static_cast<int16_t>(channel));
        return true;
    }
    default:
        return false;
    }
}

bool CKiv463Unit::SetText(int channel, int attribute, const char* text)
{
    CheckChannel(channel);
    if (attribute == kAttrCoefficient) {
        float value = 0.0f;
        return TextToFloat(text, &value) && SetValue(channel, attribute, value);
    }
    if (attribute == kAttrEngUnit) {
        int index = FindTextInTable(engunit::kDisplayTexts, engunit::kCount, text);
        if (index < 0)
            index = engunit::kNone;
        return SetValue(channel, attribute, index);
    }
    return CKivUnit::SetText(channel, attribute, text);
}
