#include "instrument/unit/Kiv4GUnit.h"

#include "common/base/ArchiveTags.h"
#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>

FW_IMPLEMENT_SERIAL(CKiv4GUnit, CKivInputUnit, 1)
FW_IMPLEMENT_SERIAL(CKiv123GUnit, CKiv4GUnit, 1)

namespace {

constexpr const char* kHighPassTag = "<HPF>";
constexpr const char* kDmcTag = "<MEASMODE>";
// Thermocouple-only ranges, which no bridge input has.
constexpr int kRefusedRanges[] = {600, 1300};
constexpr int kMinCheckedRange = 5000;
constexpr double kHighPassTolerance = 1e-6;

} // namespace

CKiv4GUnit::CKiv4GUnit() : CKivInputUnit(1) {}

CKiv4GUnit::CKiv4GUnit(int32_t typeCode) : CKivInputUnit(typeCode) {}

CKiv123GUnit::CKiv123GUnit() : CKiv4GUnit(4) {}

void CKiv4GUnit::InitChannels()
{
    CKivInputUnit::InitChannels();
    unitvalue::Fill<int16_t>(m_sensorMode, m_channelCount, kModeBridgeTwoVolt);
    unitvalue::Fill<int16_t>(m_highPass, m_channelCount, 0);
    unitvalue::Fill<uint8_t>(m_dmc, m_channelCount, 0);
}

bool CKiv4GUnit::IsSensorModeSupported(int mode) const
{
    return mode == kModeBridgeTwoVolt || mode == kModeVoltage || mode == kModeBridgeHalfVolt;
}

bool CKiv4GUnit::CheckValue(int channel, int attribute, int value) const
{
    switch (attribute) {
    case kSensorMode:
        return IsSensorModeSupported(unitvalue::Candidate(value, SensorMode(channel)));
    case kRange:
        return unitvalue::Candidate(value, Range(channel)) >= kMinCheckedRange;
    case kHighPass:
    case kDmc:
        return IsAttrEditable(channel, attribute);
    default:
        return CKivInputUnit::CheckValue(channel, attribute, value);
    }
}

double CKiv4GUnit::GetValue(int channel, int attribute) const
{
    switch (attribute) {
    case kHighPass:
        return IsAttrEditable(channel, attribute) ? m_highPass.GetAt(channel) : HUGE_VAL;
    case kDmc:
        if (!IsAttrEditable(channel, attribute))
            return HUGE_VAL;
        return m_dmc.GetAt(channel) ? 1.0 : 0.0;
    default:
        return CKivInputUnit::GetValue(channel, attribute);
    }
}

const char* CKiv4GUnit::GetText(int channel, int attribute, fw::CString& text) const
{
    switch (attribute) {
    case kHighPass:
        if (!IsAttrEditable(channel, attribute))
            return unitvalue::SetText("", text);
        return unitvalue::FormatInt(m_highPass.GetAt(channel), text);
    case kDmc:
        if (!IsAttrEditable(channel, attribute))
            return unitvalue::SetText("", text);
        return unitvalue::SetText(m_dmc.GetAt(channel) ? unittext::kDmcDisabled : unittext::kDmcEnabled, text);
    default:
        return CKivInputUnit::GetText(channel, attribute, text);
    }
}

bool CKiv4GUnit::ParseText(int attribute, const char* text, double& value) const
{
    switch (attribute) {
    case kHighPass:
        return TextToDouble(text, &value);
    case kDmc: {
        const fw::CString t(text);
        if (t == unittext::kDmcEnabled)
            value = 0;
        else if (t == unittext::kDmcDisabled)
            value = 1;
        else
            return false;
        return true;
    }
    default:
        return CKivInputUnit::ParseText(attribute, text, value);
    }
}

bool CKiv4GUnit::SetValue(int channel, int attribute, double value)
{
    switch (attribute) {
    case kSensorMode: {
        int16_t mode = 0;
        if (!unitvalue::ToInteger(value, mode) || !IsSensorModeSupported(mode))
            return false;
        return CKivInputUnit::SetValue(channel, attribute, mode);
    }
    case kRange: {
        int16_t range = 0;
        if (!unitvalue::ToInteger(value, range))
            return false;
        for (int refused : kRefusedRanges) {
            if (range == refused)
                return false;
        }
        return CKivInputUnit::SetValue(channel, attribute, range);
    }
    case kHighPass: {
        // Tables pass Hz x 100, which is not always a whole number in
        // binary (0.2 x 100 is 20.000000000000004).
        const double hundredths = std::round(value);
        if (!IsAttrEditable(channel, attribute) || !(std::fabs(value - hundredths) <= kHighPassTolerance))
            return false;
        if (!(hundredths == 0 || hundredths == 20 || hundredths == 100))
            return false;
        m_highPass.SetAt(channel, static_cast<int16_t>(hundredths));
        return true;
    }
    case kDmc:
        if (!IsAttrEditable(channel, attribute) || !(value == 0 || value == 1))
            return false;
        m_dmc.SetAt(channel, static_cast<uint8_t>(value));
        return true;
    default:
        return CKivInputUnit::SetValue(channel, attribute, value);
    }
}

double CKiv4GUnit::GetScaleFactor(int channel) const
{
    return SensorMode(channel) == kModeBridgeHalfVolt ? 4.0 : 1.0;
}

void CKiv4GUnit::Serialize(fw::CArchive& ar)
{
    CKivInputUnit::Serialize(ar);
    if (ar.IsStoring()) {
        WriteArchiveTag(ar, kHighPassTag);
        m_highPass.Serialize(ar);
        WriteArchiveTag(ar, kDmcTag);
        m_dmc.Serialize(ar);
        return;
    }
    if (PeekArchiveTag(ar, kHighPassTag))
        m_highPass.Serialize(ar);
    else
        unitvalue::Fill<int16_t>(m_highPass, m_channelCount, 0);
    if (PeekArchiveTag(ar, kDmcTag))
        m_dmc.Serialize(ar);
    else
        unitvalue::Fill<uint8_t>(m_dmc, m_channelCount, 0);
}
