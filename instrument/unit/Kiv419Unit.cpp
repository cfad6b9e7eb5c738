#include "instrument/unit/Kiv419Unit.h"

#include "instrument/unit/UnitValues.h"

FW_IMPLEMENT_SERIAL(CKiv419Unit, CKiv4GUnit, 1)

namespace {

constexpr int kOnlyRange = 20000;
constexpr int kMinLowPass = 5;
constexpr int kMaxLowPass = 1000;

} // namespace

CKiv419Unit::CKiv419Unit() : CKiv4GUnit(10) {}

void CKiv419Unit::InitChannels()
{
    CKiv4GUnit::InitChannels();
    unitvalue::Fill<int16_t>(m_filterKind, m_channelCount, kDefaultFilterKind);
}

bool CKiv419Unit::IsSensorModeSupported(int mode) const
{
    return mode == kModeBridgeTwoVolt || mode == kModeBridgeHalfVolt;
}

bool CKiv419Unit::CheckValue(int channel, int attribute, int value) const
{
    switch (attribute) {
    case kRange:
        return unitvalue::Candidate(value, Range(channel)) == kOnlyRange;
    case kFilterKind: {
        const int kind = unitvalue::Candidate(value, m_filterKind.GetAt(channel));
        if (kind <= 1)
            return false;
        return LowPass(channel) != 0 || kind == kDefaultFilterKind;
    }
    default:
        return CKiv4GUnit::CheckValue(channel, attribute, value);
    }
}

bool CKiv419Unit::SetValue(int channel, int attribute, double value)
{
    if (attribute == kLowPass) {
        int hz = 0;
        if (!unitvalue::ToIntegerIn(value, 0, kMaxLowPass, hz) || (hz != 0 && hz < kMinLowPass))
            return false;
    }
    return CKiv4GUnit::SetValue(channel, attribute, value);
}
