#include "instrument/unit/Kiv473Unit.h"

#include "instrument/unit/UnitValues.h"

#include <cmath>

FW_IMPLEMENT_SERIAL(CKiv473Unit, CKiv4GUnit, 1)

CKiv473Unit::CKiv473Unit() : CKiv4GUnit(9) {}

void CKiv473Unit::InitChannels()
{
    CKiv4GUnit::InitChannels();
    unitvalue::Fill<int16_t>(m_sensorMode, m_channelCount, kModeVoltage);
    unitvalue::Fill<int16_t>(m_range, m_channelCount, kDefaultChargeRange);
}

void CKiv473Unit::SetAllOnOff(int on)
{
    for (int ch = 0; ch < m_onOff.GetSize(); ++ch)
        m_onOff.SetAt(ch, ch < kUsableChannels && on ? 1 : 0);
}

bool CKiv473Unit::IsAttrEditable(int channel, int attribute) const
{
    if (IsMissing(channel))
        return false;
    if (attribute == kSensorMode || attribute == kHighPass || attribute == kDmc)
        return false;
    return CKiv4GUnit::IsAttrEditable(channel, attribute);
}

bool CKiv473Unit::IsSensorModeSupported(int) const
{
    return false;
}

bool CKiv473Unit::CheckValue(int channel, int attribute, int value) const
{
    if (attribute == kSensorMode)
        return false;
    if (IsMissing(channel))
        return false;
    switch (attribute) {
    case kRange: {
        const int range = unitvalue::Candidate(value, Range(channel));
        return range == 250 || range == 2500 || range == 10000;
    }
    case kFilterKind: {
        const int kind = unitvalue::Candidate(value, m_filterKind.GetAt(channel));
        return kind < 2 && IsFilterKindAllowed(channel, kind);
    }
    default:
        return CKiv4GUnit::CheckValue(channel, attribute, value);
    }
}

double CKiv473Unit::GetValue(int channel, int attribute) const
{
    if (attribute == kAttrOnOff || attribute == kAttrTypeCode)
        return CKivUnit::GetValue(channel, attribute);
    if (IsMissing(channel))
        return attribute == kCoefficient ? 1.0 : HUGE_VAL;
    return CKiv4GUnit::GetValue(channel, attribute);
}

const char* CKiv473Unit::GetText(int channel, int attribute, fw::CString& text) const
{
    if (attribute == kSensorMode)
        return unitvalue::SetText("", text);
    if (IsMissing(channel) && attribute != kAttrOnOff && attribute != kCoefficient)
        return unitvalue::SetText("", text);
    return CKiv4GUnit::GetText(channel, attribute, text);
}

bool CKiv473Unit::SetValue(int channel, int attribute, double value)
{
    if (IsMissing(channel))
        return false;
    // The charge amplifier measures a voltage whatever mode is asked for.
    if (attribute == kSensorMode)
        return CKivInputUnit::SetValue(channel, attribute, kModeVoltage);
    return CKiv4GUnit::SetValue(channel, attribute, value);
}

double CKiv473Unit::GetScaleFactor(int channel) const
{
    switch (Range(channel)) {
    case 250:
        return 0.01;
    case 2500:
        return 0.1;
    case 10000:
        return 0.4;
    default:
        return 1.0;
    }
}
