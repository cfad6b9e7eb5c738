#include "instrument/unit/Kiv465Unit.h"

#include "common/base/ArchiveTags.h"
#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"
#include "instrument/unit/EngUnitTable.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

FW_IMPLEMENT_SERIAL(CKiv465Unit, CKivUnit, 1)

namespace {

constexpr const char* kDmcTag = "<MEASMODE>";
constexpr int kBitsPerSample = 16;

constexpr int kFunctionCount = 14;
const char* const kFunctionTexts[kFunctionCount] = {
    "FREQ.", "COUNT(Unsigned)", "COUNT(Signed)", "NONE", "MARK", "TRIG", "SCLK",
    "BAL", "RUN", "HLT", "PAUSE", "CAL+", "CAL-", "CAL0",
};
const int kFunctionCodes[kFunctionCount] = {100, 101, 102, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

constexpr int kFrequencyRangeCount = 7;
const char* const kFrequencyRangeTexts[kFrequencyRangeCount] = {
    "100", "500", "1000", "5000", "10000", "50000", "100000",
};

constexpr int kThresholdModeCount = 6;
const char* const kThresholdModeTexts[kThresholdModeCount] = {"任意", "低", "中", "高", "TTL", "CMOS"};
// Upper and lower threshold of each mode, in mV; mode 0 keeps the values.
constexpr int16_t kModeThresholds[kThresholdModeCount][2] = {
    {0, 0}, {15, -15}, {100, -100}, {1000, -1000}, {2000, 800}, {3500, 1500},
};
constexpr int kDefaultThresholdMode = 3;
constexpr double kThresholdLimit = 10000.0;
constexpr double kThresholdStep = 100.0;

constexpr int32_t kDefaultFrequencyRange = 100000;
constexpr int32_t kDefaultCountRange = 30000;
constexpr double kMinCountRange = 2;
constexpr double kMaxCountRange = 30000;

constexpr int kFirstBitEntry = 7;
constexpr int kBitEntries = 4;

const char* FunctionText(int code)
{
    for (int i = 0; i < kFunctionCount; ++i) {
        if (kFunctionCodes[i] == code)
            return kFunctionTexts[i];
    }
    return "";
}

bool IsBitFunction(int code)
{
    return code >= 0 && code <= CKiv465Unit::kLastBitFunction;
}

} // namespace

CKiv465Unit::CKiv465Unit() : CKivUnit(7) {}

void CKiv465Unit::InitChannels()
{
    m_onOff.SetSize(m_channelCount);
    SetAllOnOff(0);
    SetAllOnOff(1);
    m_function.SetSize(kFunctionEntries);
    for (int i = 0; i < kFunctionEntries; ++i)
        m_function.SetAt(i, static_cast<int16_t>(i < kPulseChannels ? kFrequency : i < kBitChannel ? kCountUnsigned : 0));
    m_range.SetSize(kCountChannels);
    for (int ch = 0; ch < kCountChannels; ++ch)
        m_range.SetAt(ch, ch < kPulseChannels ? kDefaultFrequencyRange : kDefaultCountRange);
    m_thresholdMode.SetSize(kPulseChannels);
    m_upperThreshold.SetSize(kPulseChannels);
    m_lowerThreshold.SetSize(kPulseChannels);
    for (int ch = 0; ch < kPulseChannels; ++ch)
        ApplyThresholdMode(ch, kDefaultThresholdMode);
    m_scaling.Init(m_channelCount, GetRawMax() + 1);
    unitvalue::Fill<uint8_t>(m_dmc, m_channelCount, 1);
}

// --- reading -------------------------------------------------------------------

double CKiv465Unit::RangeValue(int channel) const
{
    // Rows 7-10 of the digital page (the bit inputs) have no range.
    (void)Function(channel); // an index beyond the bit inputs raises
    if (channel >= kCountChannels)
        return HUGE_VAL;
    const int32_t range = m_range.GetAt(channel);
    const int wanted = channel < kPulseChannels ? kFrequency : kCountUnsigned;
    return Function(channel) == wanted ? range : HUGE_VAL;
}

double CKiv465Unit::GetValue(int channel, int attribute) const
{
    switch (attribute) {
    case kFunction:
    case kFunctionEntry:
        return Function(channel);
    case kTriggerOn:
    case kTriggerLevel:
    case kTriggerSlope:
    case kCapacity:
    case kRatedOutput:
        return channel == kBitChannel ? HUGE_VAL : m_scaling.GetValue(channel, attribute);
    case kRange:
    case kRangeEntry:
        return RangeValue(channel);
    case kCoefficient:
        return channel == kBitChannel ? 1.0 : m_scaling.GetValue(channel, attribute);
    case kEngUnit:
        return channel == kBitChannel ? engunit::kNone : m_scaling.GetValue(channel, attribute);
    case kDecimals:
        return channel == kBitChannel ? 0.0 : m_scaling.GetValue(channel, attribute);
    case kThresholdMode:
    case kUpperThreshold:
    case kLowerThreshold: {
        if (channel >= kPulseChannels)
            return HUGE_VAL;
        const auto& array = attribute == kThresholdMode ? m_thresholdMode
                            : attribute == kUpperThreshold ? m_upperThreshold : m_lowerThreshold;
        return array.GetAt(channel);
    }
    case kDmc:
        return m_dmc.GetAt(channel) ? 1.0 : 0.0;
    case kAttrBitsPerSample:
        return kBitsPerSample;
    case kReserved222:
        return 0.0;
    default:
        return CKivUnit::GetValue(channel, attribute);
    }
}

const char* CKiv465Unit::GetText(int channel, int attribute, fw::CString& text) const
{
    switch (attribute) {
    case kFunction:
        if (channel == kBitChannel) {
            bool marker = false;
            for (int i = 0; i < kBitEntries; ++i)
                marker = marker || Function(kFirstBitEntry + i) == kMarker;
            return unitvalue::SetText(FunctionText(marker ? kMarker : 0), text);
        }
        return unitvalue::SetText(FunctionText(Function(channel)), text);
    case kFunctionEntry:
        return unitvalue::SetText(FunctionText(Function(channel)), text);
    case kTriggerOn:
    case kTriggerLevel:
    case kTriggerSlope:
        if (channel == kBitChannel)
            return unitvalue::SetText("", text);
        return m_scaling.GetText(channel, attribute, GetRawMax(), text);
    case kRange:
    case kRangeEntry: {
        const double range = RangeValue(channel);
        if (!std::isfinite(range))
            return unitvalue::SetText("", text);
        return unitvalue::FormatInt(static_cast<int>(range), text);
    }
    case kCoefficient:
    case kCapacity:
    case kRatedOutput:
        return unitvalue::FormatReal(GetValue(channel, attribute), text);
    case kEngUnit:
        return unitvalue::SetText(engunit::DisplayText(static_cast<int>(GetValue(channel, attribute))), text);
    case kDecimals:
        return unitvalue::FormatInt(static_cast<int>(GetValue(channel, attribute)), text);
    case kThresholdMode: {
        if (channel >= kPulseChannels)
            return unitvalue::SetText("", text);
        const int mode = m_thresholdMode.GetAt(channel);
        return unitvalue::SetText(mode >= 0 && mode < kThresholdModeCount ? kThresholdModeTexts[mode] : "", text);
    }
    case kUpperThreshold:
    case kLowerThreshold:
        if (channel >= kPulseChannels)
            return unitvalue::SetText("", text);
        text.Format("%+d", static_cast<int>(GetValue(channel, attribute)));
        return text.c_str();
    case kBitFunctions:
        if (channel != kBitChannel)
            return unitvalue::SetText("", text);
        text.Format(" %d;%d;%d;%d", Function(7), Function(8), Function(9), Function(10));
        return text.c_str();
    case kDmc:
        return unitvalue::SetText(m_dmc.GetAt(channel) ? unittext::kDmcEnabled : unittext::kDmcDisabled, text);
    default:
        if (attribute == kAttrOnOff)
            return CKivUnit::GetText(channel, attribute, text);
        return unitvalue::SetText("", text);
    }
}

// --- checking ------------------------------------------------------------------

bool CKiv465Unit::IsFunctionAllowed(int index, int code) const
{
    if (IsBitFunction(code))
        return index >= kFirstBitEntry && index < kFirstBitEntry + kBitEntries;
    switch (code) {
    case kFrequency:
        return index >= 0 && index < kPulseChannels;
    case kCountUnsigned:
        return index >= 0 && index < kCountChannels;
    case kCountSigned:
        // Only the two count inputs that can count down.
        return index == 4 || index == 5;
    default:
        return false;
    }
}

bool CKiv465Unit::CheckValue(int channel, int attribute, int value) const
{
    const bool measured = channel >= 0 && channel < kCountChannels;
    switch (attribute) {
    case kAttrOnOff:
    case kUpperThreshold:
    case kLowerThreshold:
    case kDmc:
        return true;
    case kThresholdMode:
        return channel >= 0 && channel < kPulseChannels;
    case kTriggerOn:
    case kTriggerLevel:
    case kTriggerSlope:
    case kEngUnit:
        return measured;
    case kDecimals:
        return measured && m_scaling.CheckValue(channel, attribute, value);
    case kFunctionEntry:
        return IsFunctionAllowed(channel, unitvalue::Candidate(value, Function(channel)));
    case kRangeEntry: {
        if (!measured)
            return false;
        if (channel < kPulseChannels)
            return Function(channel) == kFrequency;
        const int range = unitvalue::Candidate(value, m_range.GetAt(channel));
        return Function(channel) == kCountUnsigned && range >= kMinCountRange && range <= kMaxCountRange;
    }
    default:
        return false;
    }
}

bool CKiv465Unit::IsAttrEditable(int channel, int attribute) const
{
    switch (attribute) {
    case 2:  // low-pass filter
    case kFunction:
    case kRange:
    case 29: // reference junction
    case 34: // filter characteristic
        // Attributes 37 and 38 stand for the function and the range here.
        return false;
    case kTriggerOn:
    case kTriggerLevel:
    case kTriggerSlope:
    case kCoefficient:
    case kEngUnit:
    case kCapacity:
    case kRatedOutput:
    case kDecimals:
        return channel >= 0 && channel < kCountChannels;
    case kBalance:
        // A frequency has no zero to balance.
        if (channel >= 0 && channel < kPulseChannels)
            return Function(channel) != kFrequency;
        return channel >= kPulseChannels && channel < kCountChannels;
    case kUpperThreshold:
    case kLowerThreshold:
        return channel >= 0 && channel < kPulseChannels && m_thresholdMode.GetAt(channel) == kThresholdFree;
    default:
        return true;
    }
}

double CKiv465Unit::GetScaleFactor(int channel) const
{
    if (channel < 0 || channel >= kCountChannels || Function(channel) != kFrequency)
        return 1.0;
    switch (m_range.GetAt(channel)) {
    case 100:
        return 0.01;
    case 500:
        return 0.05;
    case 1000:
        return 0.1;
    case 5000:
        return 0.5;
    case 50000:
        return 5.0;
    case 100000:
        return 10.0;
    default:
        return 1.0;
    }
}

// --- writing -------------------------------------------------------------------

bool CKiv465Unit::SetFunction(int index, int code)
{
    (void)Function(index); // a bad index raises before anything changes
    if (!IsFunctionAllowed(index, code))
        return false;
    if (IsBitFunction(code)) {
        // Each bit function belongs to one bit input at most.
        for (int i = kFirstBitEntry; i < kFirstBitEntry + kBitEntries; ++i) {
            if (Function(i) == code)
                m_function.SetAt(i, 0);
        }
    }
    m_function.SetAt(index, static_cast<int16_t>(code));
    return true;
}

bool CKiv465Unit::SetRange(int channel, double value)
{
    (void)Function(channel); // an index beyond the bit inputs raises
    if (channel >= kCountChannels)
        return false;
    int32_t range = 0;
    if (channel < kPulseChannels) {
        if (Function(channel) != kFrequency || !unitvalue::ToInteger(value, range))
            return false;
    } else {
        if (Function(channel) != kCountUnsigned || !IsFiniteInRange(value, kMinCountRange, kMaxCountRange))
            return false;
        range = static_cast<int32_t>(value);
    }
    m_range.SetAt(channel, range);
    return true;
}

void CKiv465Unit::ApplyThresholdMode(int channel, int mode)
{
    m_thresholdMode.SetAt(channel, static_cast<int16_t>(mode));
    if (mode == kThresholdFree)
        return;
    m_upperThreshold.SetAt(channel, kModeThresholds[mode][0]);
    m_lowerThreshold.SetAt(channel, kModeThresholds[mode][1]);
}

bool CKiv465Unit::SetThreshold(int channel, int attribute, double value)
{
    if (channel >= kPulseChannels || m_thresholdMode.GetAt(channel) != kThresholdFree)
        return false;
    if (!IsFiniteInRange(value, -kThresholdLimit, kThresholdLimit))
        return false;
    // The unit sets its comparators in steps of 100 mV.
    const auto mv = static_cast<int16_t>(std::trunc(value / kThresholdStep) * kThresholdStep);
    (attribute == kUpperThreshold ? m_upperThreshold : m_lowerThreshold).SetAt(channel, mv);
    return true;
}

bool CKiv465Unit::SetValue(int channel, int attribute, double value)
{
    switch (attribute) {
    case kFunction:
    case kFunctionEntry: {
        int code = 0;
        if (!unitvalue::ToInteger(value, code)) {
            (void)Function(channel);
            return false;
        }
        return SetFunction(channel, code);
    }
    case kTriggerOn:
    case kTriggerLevel:
    case kTriggerSlope:
    case kCoefficient:
    case kCapacity:
    case kRatedOutput:
        if (channel == kBitChannel)
            return false;
        return m_scaling.SetValue(channel, attribute, value, GetRawMin(), GetRawMax());
    case kEngUnit:
        if (channel == kBitChannel)
            return false;
        return m_scaling.SetValue(channel, attribute, value, GetRawMin(), GetRawMax());
    case kDecimals:
        // The bit inputs show no decimals; accepting keeps whole-row edits going.
        if (channel == kBitChannel)
            return true;
        return m_scaling.SetValue(channel, attribute, value, GetRawMin(), GetRawMax());
    case kRange:
    case kRangeEntry:
        return SetRange(channel, value);
    case kThresholdMode: {
        int mode = 0;
        if (channel >= kPulseChannels || !unitvalue::ToIntegerIn(value, 0, kThresholdModeCount - 1, mode))
            return false;
        (void)m_thresholdMode.GetAt(channel);
        ApplyThresholdMode(channel, mode);
        return true;
    }
    case kUpperThreshold:
    case kLowerThreshold:
        return SetThreshold(channel, attribute, value);
    case kDmc:
        if (!(value == 0 || value == 1))
            return false;
        m_dmc.SetAt(channel, static_cast<uint8_t>(value));
        return true;
    default:
        return CKivUnit::SetValue(channel, attribute, value);
    }
}

// --- texts ---------------------------------------------------------------------

bool CKiv465Unit::ParseText(int channel, int attribute, const char* text, double& value) const
{
    switch (attribute) {
    case kFunction:
    case kFunctionEntry: {
        const int i = FindTextInTable(kFunctionTexts, kFunctionCount, text);
        value = i < 0 ? 0 : kFunctionCodes[i];
        return i >= 0;
    }
    case kTriggerOn:
        value = fw::CString(text) == unittext::kRangeTexts[unittext::kTriggerOnIndex] ? 1 : 0;
        return true;
    case kDmc:
        value = fw::CString(text) == unittext::kDmcEnabled ? 1 : 0;
        return true;
    case kRange:
    case kRangeEntry: {
        if (channel >= kCountChannels)
            return false;
        if (channel < kPulseChannels) {
            const int i = FindTextInTable(kFrequencyRangeTexts, kFrequencyRangeCount, text);
            value = i < 0 ? 0 : std::atoi(kFrequencyRangeTexts[i]);
            return i >= 0;
        }
        int32_t v = 0;
        if (!TextToInt(text, &v))
            return false;
        value = v;
        return true;
    }
    case kThresholdMode: {
        const int i = FindTextInTable(kThresholdModeTexts, kThresholdModeCount, text);
        value = i;
        return i >= 0;
    }
    default: {
        if (ChannelScaling::Handles(attribute) && attribute != ChannelScaling::kEngUnitAscii)
            return ChannelScaling::ParseText(attribute, text, value);
        int32_t v = 0;
        if (!TextToInt(text, &v))
            return false;
        value = v;
        return true;
    }
    }
}

bool CKiv465Unit::SetBitFunctionsText(int channel, const char* text)
{
    if (channel != kBitChannel || !text)
        return false;
    // Four codes separated by ';', as GetText writes them and the unit
    // answers them ("01;02;03;04"). All four are checked before any is set.
    std::vector<int> codes;
    const std::string all(text);
    size_t start = 0;
    while (true) {
        const size_t end = all.find(';', start);
        const std::string field = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        int32_t code = 0;
        if (!TextToInt(field.c_str(), &code) || !IsBitFunction(code))
            return false;
        codes.push_back(code);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    if (codes.size() != kBitEntries)
        return false;
    for (int i = 0; i < kBitEntries; ++i)
        SetFunction(kFirstBitEntry + i, codes[static_cast<size_t>(i)]);
    return true;
}

bool CKiv465Unit::SetText(int channel, int attribute, const char* text)
{
    if (attribute == kAttrOnOff)
        return CKivUnit::SetText(channel, attribute, text);
    if (attribute == kBitFunctions)
        return SetBitFunctionsText(channel, text);
    double value = 0.0;
    return ParseText(channel, attribute, text, value) && SetValue(channel, attribute, value);
}

// --- archive -------------------------------------------------------------------

void CKiv465Unit::Serialize(fw::CArchive& ar)
{
    CKivUnit::Serialize(ar);
    if (ar.IsLoading())
        m_scaling.ResetUnstored(m_channelCount);
    m_function.Serialize(ar);
    m_range.Serialize(ar);
    m_thresholdMode.Serialize(ar);
    m_upperThreshold.Serialize(ar);
    m_lowerThreshold.Serialize(ar);
    m_scaling.Serialize(ar);
    if (ar.IsStoring()) {
        WriteArchiveTag(ar, kDmcTag);
        m_dmc.Serialize(ar);
    } else if (PeekArchiveTag(ar, kDmcTag)) {
        m_dmc.Serialize(ar);
    } else {
        unitvalue::Fill<uint8_t>(m_dmc, m_channelCount, 1);
    }
}
