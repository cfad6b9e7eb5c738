#include "instrument/unit/KivVoltInUnit.h"

#include "common/base/ArchiveTags.h"
#include "framework/core/Archive.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>

FW_IMPLEMENT_SERIAL(CKivVoltInUnit, CKivInputUnit, 1)

namespace {

constexpr const char* kReferenceJunctionTag = "<RJC>";
constexpr int kThermoRangeLow = 600;   // every thermocouple
constexpr int kThermoRangeHigh = 1300; // K and J only
// A thermocouple reads in tenths of a degree.
constexpr int kThermoDecimals = 1;

} // namespace

CKivVoltInUnit::CKivVoltInUnit() : CKivInputUnit(2) {}

void CKivVoltInUnit::InitChannels()
{
    CKivInputUnit::InitChannels();
    unitvalue::Fill<int16_t>(m_sensorMode, m_channelCount, kModeVoltage);
    unitvalue::Fill<int16_t>(m_referenceJunction, m_channelCount, 1);
}

bool CKivVoltInUnit::IsSensorModeSupported(int mode) const
{
    return mode == kModeVoltage || mode == kModeThermoK || mode == kModeThermoJ || mode == kModeThermoT;
}

bool CKivVoltInUnit::IsThermocouple(int channel) const
{
    const int mode = SensorMode(channel);
    return mode != kModeVoltage && IsSensorModeSupported(mode);
}

bool CKivVoltInUnit::IsVoltageRange(int range) const
{
    return range == 1000 || range == 5000 || range == 10000 || range == 20000;
}

bool CKivVoltInUnit::CheckValue(int channel, int attribute, int value) const
{
    const int mode = SensorMode(channel);
    switch (attribute) {
    case kLowPass:
        // A thermocouple channel takes no filter.
        return IsSensorModeSupported(mode) && (mode == kModeVoltage || unitvalue::Candidate(value, LowPass(channel)) == 0);
    case kSensorMode:
        return IsSensorModeSupported(unitvalue::Candidate(value, mode));
    case kRange: {
        const int range = unitvalue::Candidate(value, Range(channel));
        switch (mode) {
        case kModeVoltage:
            return IsVoltageRange(range);
        case kModeThermoT:
            return range == kThermoRangeLow;
        case kModeThermoK:
        case kModeThermoJ:
            return range == kThermoRangeLow || range == kThermoRangeHigh;
        default:
            return false;
        }
    }
    case kEngUnit:
        if (IsThermocouple(channel))
            return unitvalue::Candidate(value, m_scaling.EngUnit(channel)) == engunit::kCelsius;
        break;
    case kDecimals:
        if (IsThermocouple(channel))
            return unitvalue::Candidate(value, static_cast<int>(GetValue(channel, kDecimals))) == kThermoDecimals;
        break;
    case kReferenceJunction:
        return IsThermocouple(channel);
    case kFilterKind: {
        const int kind = unitvalue::Candidate(value, m_filterKind.GetAt(channel));
        return kind <= 1 && IsFilterKindAllowed(channel, kind);
    }
    default:
        break;
    }
    return CKivInputUnit::CheckValue(channel, attribute, value);
}

double CKivVoltInUnit::GetValue(int channel, int attribute) const
{
    switch (attribute) {
    case kCoefficient:
        return IsThermocouple(channel) ? 1.0 : CKivInputUnit::GetValue(channel, attribute);
    case kCapacity:
    case kRatedOutput:
        return IsThermocouple(channel) ? HUGE_VAL : CKivInputUnit::GetValue(channel, attribute);
    case kReferenceJunction:
        return IsThermocouple(channel) ? m_referenceJunction.GetAt(channel) : HUGE_VAL;
    default:
        return CKivInputUnit::GetValue(channel, attribute);
    }
}

const char* CKivVoltInUnit::GetText(int channel, int attribute, fw::CString& text) const
{
    if (attribute == kReferenceJunction) {
        const char* rjc = IsThermocouple(channel) ? GetRjcText(m_referenceJunction.GetAt(channel)) : "";
        return unitvalue::SetText(rjc, text);
    }
    return CKivInputUnit::GetText(channel, attribute, text);
}

bool CKivVoltInUnit::ParseText(int attribute, const char* text, double& value) const
{
    if (attribute == kReferenceJunction) {
        const int i = FindTextInTable(unittext::kRjcTexts, unittext::kRjcCount, text);
        value = i;
        return i >= 0;
    }
    return CKivInputUnit::ParseText(attribute, text, value);
}

bool CKivVoltInUnit::SetValue(int channel, int attribute, double value)
{
    const bool thermo = IsThermocouple(channel);
    switch (attribute) {
    case kSensorMode: {
        int16_t mode = 0;
        if (!unitvalue::ToInteger(value, mode) || !IsSensorModeSupported(mode))
            return false;
        break;
    }
    case kRange: {
        int16_t range = 0;
        if (!unitvalue::ToInteger(value, range))
            return false;
        const bool ok = thermo ? range == kThermoRangeLow || range == kThermoRangeHigh : IsVoltageRange(range);
        if (!ok)
            return false;
        break;
    }
    case kCoefficient:
        if (thermo)
            return false;
        break;
    case kEngUnit:
        if (thermo && value != engunit::kCelsius)
            return false;
        break;
    case kDecimals:
        if (thermo && value != kThermoDecimals)
            return false;
        break;
    case kReferenceJunction: {
        int16_t rjc = 0;
        if (!thermo || !unitvalue::ToInteger(value, rjc))
            return false;
        m_referenceJunction.SetAt(channel, rjc);
        return true;
    }
    default:
        break;
    }
    return CKivInputUnit::SetValue(channel, attribute, value);
}

double CKivVoltInUnit::GetScaleFactor(int channel) const
{
    if (SensorMode(channel) != kModeVoltage)
        return 0.1;
    switch (Range(channel)) {
    case 1000:
        return 0.1;
    case 5000:
        return 0.5;
    case 20000:
        return 2.0;
    default:
        return 1.0;
    }
}

void CKivVoltInUnit::Serialize(fw::CArchive& ar)
{
    CKivInputUnit::Serialize(ar);
    if (ar.IsStoring()) {
        WriteArchiveTag(ar, kReferenceJunctionTag);
        m_referenceJunction.Serialize(ar);
    } else if (PeekArchiveTag(ar, kReferenceJunctionTag)) {
        m_referenceJunction.Serialize(ar);
    } else {
        unitvalue::Fill<int16_t>(m_referenceJunction, m_channelCount, 0);
    }
}
