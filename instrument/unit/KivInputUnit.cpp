#include "instrument/unit/KivInputUnit.h"

#include "common/base/ArchiveTags.h"
#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>
#include <cstdlib>

FW_IMPLEMENT_SERIAL(CKivInputUnit, CKivUnit, 1)

namespace {

constexpr int kMaxLowPass = 1000;
constexpr int kBitsPerSample = 16;
constexpr const char* kFilterKindTag = "<LPFCOND>";

} // namespace

CKivInputUnit::CKivInputUnit() : CKivUnit(1) {}

CKivInputUnit::CKivInputUnit(int32_t typeCode) : CKivUnit(typeCode) {}

void CKivInputUnit::InitChannels()
{
    // Input channels start switched on.
    m_onOff.SetSize(m_channelCount);
    SetAllOnOff(0);
    SetAllOnOff(1);
    // The sensor mode is each model's own; 0 keeps a bare input unit usable.
    unitvalue::Fill<int16_t>(m_sensorMode, m_channelCount, 0);
    unitvalue::Fill<int16_t>(m_range, m_channelCount, kDefaultRange);
    unitvalue::Fill<int16_t>(m_lowPass, m_channelCount, 0);
    m_scaling.Init(m_channelCount, GetRawMax() + 1);
    unitvalue::Fill<int16_t>(m_filterKind, m_channelCount, 0);
}

bool CKivInputUnit::IsSensorModeSupported(int) const
{
    return false;
}

bool CKivInputUnit::IsFilterKindAllowed(int channel, int kind) const
{
    return LowPass(channel) != 0 || kind == 0;
}

bool CKivInputUnit::CheckValue(int channel, int attribute, int value) const
{
    switch (attribute) {
    case kLowPass:
        return true;
    case kSensorMode:
    case kRange:
        return false;
    case kFilterKind:
        return IsFilterKindAllowed(channel, unitvalue::Candidate(value, m_filterKind.GetAt(channel)));
    default:
        if (ChannelScaling::Handles(attribute))
            return m_scaling.CheckValue(channel, attribute, value);
        return CKivUnit::CheckValue(channel, attribute, value);
    }
}

double CKivInputUnit::GetValue(int channel, int attribute) const
{
    switch (attribute) {
    case kLowPass:
        return LowPass(channel);
    case kSensorMode:
        return SensorMode(channel);
    case kRange:
        return Range(channel);
    case kFilterKind:
        return m_filterKind.GetAt(channel);
    case kAttrBitsPerSample:
        return kBitsPerSample;
    case kReserved222:
        return 0.0;
    default:
        if (ChannelScaling::Handles(attribute))
            return m_scaling.GetValue(channel, attribute);
        return CKivUnit::GetValue(channel, attribute);
    }
}

const char* CKivInputUnit::GetText(int channel, int attribute, fw::CString& text) const
{
    switch (attribute) {
    case kLowPass:
    case kRange:
    case kFilterKind:
        return unitvalue::FormatInt(static_cast<int>(GetValue(channel, attribute)), text);
    case kSensorMode:
        return unitvalue::SetText(GetSensorModeText(SensorMode(channel)), text);
    case kCoefficient:
    case kCapacity:
    case kRatedOutput:
        // Through GetValue: some channels show a fixed number instead.
        return unitvalue::FormatReal(GetValue(channel, attribute), text);
    default:
        if (ChannelScaling::Handles(attribute))
            return m_scaling.GetText(channel, attribute, GetRawMax(), text);
        return CKivUnit::GetText(channel, attribute, text);
    }
}

bool CKivInputUnit::ParseText(int attribute, const char* text, double& value) const
{
    switch (attribute) {
    case kSensorMode: {
        const int i = FindTextInTable(unittext::kSensorModeTexts, unittext::kSensorModeCount, text);
        if (i < 0)
            return false;
        value = unittext::kSensorModeCodes[i];
        return true;
    }
    case kRange: {
        const int i = FindTextInTable(unittext::kRangeTexts, unittext::kRangeCount, text);
        if (i < 0)
            return false;
        value = std::atoi(unittext::kRangeTexts[i]);
        return true;
    }
    default: {
        if (ChannelScaling::Handles(attribute))
            return ChannelScaling::ParseText(attribute, text, value);
        int32_t v = 0;
        if (!TextToInt(text, &v))
            return false;
        value = v;
        return true;
    }
    }
}

bool CKivInputUnit::SetText(int channel, int attribute, const char* text)
{
    if (attribute == kAttrOnOff)
        return CKivUnit::SetText(channel, attribute, text);
    double value = 0.0;
    return ParseText(attribute, text, value) && SetValue(channel, attribute, value);
}

bool CKivInputUnit::SetValue(int channel, int attribute, double value)
{
    switch (attribute) {
    case kLowPass: {
        int hz = 0;
        if (!unitvalue::ToIntegerIn(value, 0, kMaxLowPass, hz))
            return false;
        m_lowPass.SetAt(channel, static_cast<int16_t>(hz));
        return true;
    }
    case kSensorMode:
    case kRange: {
        int16_t v = 0;
        if (!unitvalue::ToInteger(value, v))
            return false;
        (attribute == kSensorMode ? m_sensorMode : m_range).SetAt(channel, v);
        return true;
    }
    case kFilterKind: {
        int16_t kind = 0;
        if (!unitvalue::ToInteger(value, kind) || (kind == 1 && LowPass(channel) == 0))
            return false;
        m_filterKind.SetAt(channel, kind);
        return true;
    }
    default:
        if (ChannelScaling::Handles(attribute))
            return m_scaling.SetValue(channel, attribute, value, GetRawMin(), GetRawMax());
        return CKivUnit::SetValue(channel, attribute, value);
    }
}

void CKivInputUnit::Serialize(fw::CArchive& ar)
{
    CKivUnit::Serialize(ar);
    if (ar.IsStoring()) {
        WriteArchiveTag(ar, kFilterKindTag);
        m_filterKind.Serialize(ar);
    } else {
        if (PeekArchiveTag(ar, kFilterKindTag))
            m_filterKind.Serialize(ar);
        else
            unitvalue::Fill<int16_t>(m_filterKind, m_channelCount, 0);
        m_scaling.ResetUnstored(m_channelCount);
    }
    m_sensorMode.Serialize(ar);
    m_range.Serialize(ar);
    m_lowPass.Serialize(ar);
    m_scaling.Serialize(ar);
}
