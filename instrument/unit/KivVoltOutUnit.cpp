#include "instrument/unit/KivVoltOutUnit.h"

#include "common/base/ArchiveTags.h"
#include "common/base/ValueParse.h"
#include "framework/core/Archive.h"
#include "instrument/unit/UnitTexts.h"
#include "instrument/unit/UnitValues.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

FW_IMPLEMENT_SERIAL(CKivVoltOutUnit, CKivUnit, 1)

namespace {

constexpr const char* kCalibrationFloatTag = "<CALF>";
constexpr const char* kCalibrationLongTag = "<CAL>";
constexpr const char* kAddedInputsTag = "<INCH>";
constexpr const char* kNoChannelText = "OFF";

constexpr int kDefaultOutputMode = 3;
constexpr int kDefaultLowPass = 1000;
constexpr float kDefaultCalibration = 1000.0f;
constexpr int kDefaultSensitivity = 1000;
constexpr float kDefaultPhysicalInput = 1000.0f;
constexpr int kDefaultOutputVoltage = 1000;
// What a unit stored before the added inputs existed gets instead.
constexpr float kOldPhysicalInput = -1.0f;

constexpr int kMinSensitivity = 300;  // 0.300
constexpr int kMaxSensitivity = 1023; // 1.023
constexpr double kMaxOutputVoltage = 10000.0; // thousandths: 10 V
constexpr double kMilli = 1000.0;
constexpr double kCalibrationZeroValue = 3.0;

const char* OutputModeText(int code)
{
    for (int i = 0; i < unittext::kOutputModeCount; ++i) {
        if (unittext::kOutputModeCodes[i] == code)
            return unittext::kOutputModeTexts[i];
    }
    return "";
}

const char* ChannelText(int number, const char* format, fw::CString& text)
{
    if (number == 0)
        return unitvalue::SetText(kNoChannelText, text);
    text.Format(format, number);
    return text.c_str();
}

template <class T, class U> void ConvertInto(const fw::CArray<T>& from, fw::CArray<U>& to)
{
    to.SetSize(from.GetSize());
    for (int i = 0; i < from.GetSize(); ++i)
        to.SetAt(i, static_cast<U>(from.GetAt(i)));
}

} // namespace

CKivVoltOutUnit::CKivVoltOutUnit() : CKivUnit(3) {}

void CKivVoltOutUnit::InitChannels()
{
    CKivUnit::InitChannels();
    const int n = m_channelCount;
    unitvalue::Fill<int16_t>(m_outputMode, n, kDefaultOutputMode);
    unitvalue::Fill<int16_t>(m_sourceChannel, n, 0);
    unitvalue::Fill<int16_t>(m_lowPass, n, kDefaultLowPass);
    unitvalue::Fill<float>(m_calibration, n, kDefaultCalibration);
    unitvalue::Fill<int16_t>(m_sensitivity, n, kDefaultSensitivity);
    unitvalue::Fill<int16_t>(m_added1, n, 0);
    unitvalue::Fill<int16_t>(m_added2, n, 0);
    unitvalue::Fill<int16_t>(m_added3, n, 0);
    unitvalue::Fill<float>(m_physicalInput, n, kDefaultPhysicalInput);
    unitvalue::Fill<int32_t>(m_outputVoltage, n, kDefaultOutputVoltage);
}

fw::CArray<int16_t>& CKivVoltOutUnit::AddedChannels(int attribute)
{
    return attribute == kAddedChannel1 ? m_added1 : attribute == kAddedChannel2 ? m_added2 : m_added3;
}

const fw::CArray<int16_t>& CKivVoltOutUnit::AddedChannels(int attribute) const
{
    return attribute == kAddedChannel1 ? m_added1 : attribute == kAddedChannel2 ? m_added2 : m_added3;
}

bool CKivVoltOutUnit::CheckValue(int channel, int attribute, int value) const
{
    switch (attribute) {
    case kAddedChannel1:
    case kAddedChannel2:
    case kAddedChannel3:
        // Added inputs only make sense on top of a source channel.
        if (unitvalue::Candidate(value, AddedChannels(attribute).GetAt(channel)) == 0)
            return true;
        return m_sourceChannel.GetAt(channel) != 0;
    case kAttrOnOff:
    case kNoValue:
    case kLowPass:
    case kCalibrationOff:
    case kCalibrationPlus:
    case kCalibrationMinus:
    case kSensitivity:
    case kOutputMode:
    case kSourceChannel:
    case kCalibrationValue:
    case kCalibrationZero:
    case kPhysicalInput:
    case kOutputVoltage:
        return true;
    default:
        return false;
    }
}

double CKivVoltOutUnit::GetValue(int channel, int attribute) const
{
    switch (attribute) {
    case kLowPass:
        return m_lowPass.GetAt(channel);
    case kCalibrationOff:
        return 0.0;
    case kCalibrationPlus:
    case kCalibrationMinus:
    case kCalibrationValue:
        return m_calibration.GetAt(channel);
    case kSensitivity:
        return m_sensitivity.GetAt(channel) / kMilli;
    case kOutputMode:
        return m_outputMode.GetAt(channel);
    case kSourceChannel:
        return m_sourceChannel.GetAt(channel);
    case kCalibrationZero:
        return kCalibrationZeroValue;
    case kAddedChannel1:
    case kAddedChannel2:
    case kAddedChannel3:
        return AddedChannels(attribute).GetAt(channel);
    case kPhysicalInput:
        return m_physicalInput.GetAt(channel);
    case kOutputVoltage:
        // Exact thousandths: 2.5 V stays 2.5, so the command carries 2500.
        return m_outputVoltage.GetAt(channel) / kMilli;
    default:
        return CKivUnit::GetValue(channel, attribute);
    }
}

const char* CKivVoltOutUnit::GetText(int channel, int attribute, fw::CString& text) const
{
    switch (attribute) {
    case kLowPass:
        return unitvalue::SetText(GetFilterText(m_lowPass.GetAt(channel)), text);
    case kCalibrationPlus:
    case kCalibrationMinus:
    case kCalibrationValue:
    case kSensitivity:
    case kPhysicalInput:
    case kOutputVoltage:
        return unitvalue::FormatReal(GetValue(channel, attribute), text);
    case kOutputMode:
        return unitvalue::SetText(OutputModeText(m_outputMode.GetAt(channel)), text);
    case kSourceChannel:
        return ChannelText(m_sourceChannel.GetAt(channel), "%d", text);
    case kAddedChannel1:
    case kAddedChannel2:
    case kAddedChannel3:
        return ChannelText(AddedChannels(attribute).GetAt(channel), "%+d", text);
    default:
        return CKivUnit::GetText(channel, attribute, text);
    }
}

bool CKivVoltOutUnit::ParseText(int attribute, const char* text, double& value) const
{
    switch (attribute) {
    case kLowPass: {
        const int i = FindTextInTable(unittext::kFilterTexts, unittext::kFilterFrequencyCount, text);
        value = i < 0 ? 0 : std::atoi(unittext::kFilterTexts[i]);
        return i >= 0;
    }
    case kOutputMode: {
        const int i = FindTextInTable(unittext::kOutputModeTexts, unittext::kOutputModeCount, text);
        value = i < 0 ? 0 : unittext::kOutputModeCodes[i];
        return i >= 0;
    }
    case kCalibrationPlus:
    case kCalibrationMinus:
    case kCalibrationValue:
    case kSensitivity:
    case kPhysicalInput:
        return TextToDouble(text, &value);
    case kOutputVoltage:
        if (!TextToDouble(text, &value))
            return false;
        value *= kMilli;
        return true;
    case kSourceChannel:
    case kAddedChannel1:
    case kAddedChannel2:
    case kAddedChannel3:
        // The text GetText shows for "no channel" reads back as 0.
        if (text && std::strcmp(text, kNoChannelText) == 0) {
            value = 0;
            return true;
        }
        [[fallthrough]];
    default: {
        int32_t v = 0;
        if (!TextToInt(text, &v))
            return false;
        value = v;
        return true;
    }
    }
}

bool CKivVoltOutUnit::SetText(int channel, int attribute, const char* text)
{
    if (attribute == kAttrOnOff)
        return CKivUnit::SetText(channel, attribute, text);
    if (attribute == kNoValue)
        return text && std::strcmp(text, kNoChannelText) == 0;
    double value = 0.0;
    return ParseText(attribute, text, value) && SetValue(channel, attribute, value);
}

bool CKivVoltOutUnit::SetValue(int channel, int attribute, double value)
{
    switch (attribute) {
    case kLowPass:
    case kOutputMode: {
        int16_t v = 0;
        if (!unitvalue::ToInteger(value, v))
            return false;
        if (attribute == kLowPass) {
            m_lowPass.SetAt(channel, v);
        } else {
            // The unit has one output mode for all its channels.
            (void)m_outputMode.GetAt(channel); // a bad channel raises first
            for (int16_t& mode : m_outputMode)
                mode = v;
        }
        return true;
    }
    case kCalibrationPlus:
    case kCalibrationMinus:
    case kCalibrationValue:
        if (!unitvalue::FitsFloat(value))
            return false;
        // A cleared cell (0) or a negative value leaves the calibration
        // value as it is; callers rely on that being no refusal.
        if (value > 0)
            m_calibration.SetAt(channel, static_cast<float>(value));
        else
            (void)m_calibration.GetAt(channel);
        return true;
    case kSensitivity: {
        int milli = 0;
        if (!unitvalue::ToIntegerIn(value * kMilli + 0.5, kMinSensitivity, kMaxSensitivity, milli))
            return false;
        m_sensitivity.SetAt(channel, static_cast<int16_t>(milli));
        return true;
    }
    case kSourceChannel: {
        int number = 0;
        if (!unitvalue::ToIntegerIn(value, 0, kMaxChannelNumber, number))
            return false;
        m_sourceChannel.SetAt(channel, static_cast<int16_t>(number));
        return true;
    }
    case kAddedChannel1:
    case kAddedChannel2:
    case kAddedChannel3: {
        int number = 0;
        if (!unitvalue::ToIntegerIn(value, -kMaxChannelNumber, kMaxChannelNumber, number))
            return false;
        AddedChannels(attribute).SetAt(channel, static_cast<int16_t>(number));
        return true;
    }
    case kPhysicalInput:
        if (!unitvalue::FitsFloat(value) || value <= 0)
            return false;
        m_physicalInput.SetAt(channel, static_cast<float>(value));
        return true;
    case kOutputVoltage: {
        // Nearest thousandth: 1.001 V typed as text is 1000.9999... here.
        const double milli = std::round(value);
        if (!(value > 0 && value <= kMaxOutputVoltage) || milli <= 0)
            return false;
        m_outputVoltage.SetAt(channel, static_cast<int32_t>(milli));
        return true;
    }
    default:
        return CKivUnit::SetValue(channel, attribute, value);
    }
}

void CKivVoltOutUnit::LoadCalibration(fw::CArchive& ar)
{
    if (PeekArchiveTag(ar, kCalibrationFloatTag)) {
        m_calibration.Serialize(ar);
    } else if (PeekArchiveTag(ar, kCalibrationLongTag)) {
        fw::CArray<int32_t> old;
        old.Serialize(ar);
        ConvertInto(old, m_calibration);
    } else {
        fw::CArray<int16_t> old;
        old.Serialize(ar);
        ConvertInto(old, m_calibration);
    }
}

void CKivVoltOutUnit::LoadAddedInputs(fw::CArchive& ar)
{
    if (PeekArchiveTag(ar, kAddedInputsTag)) {
        m_added1.Serialize(ar);
        m_added2.Serialize(ar);
        m_added3.Serialize(ar);
        m_physicalInput.Serialize(ar);
        m_outputVoltage.Serialize(ar);
        return;
    }
    const int n = m_channelCount;
    unitvalue::Fill<int16_t>(m_added1, n, 0);
    unitvalue::Fill<int16_t>(m_added2, n, 0);
    unitvalue::Fill<int16_t>(m_added3, n, 0);
    unitvalue::Fill<float>(m_physicalInput, n, kOldPhysicalInput);
    unitvalue::Fill<int32_t>(m_outputVoltage, n, kDefaultOutputVoltage);
}

void CKivVoltOutUnit::Serialize(fw::CArchive& ar)
{
    CKivUnit::Serialize(ar);
    m_outputMode.Serialize(ar);
    m_sourceChannel.Serialize(ar);
    m_lowPass.Serialize(ar);
    if (ar.IsLoading()) {
        LoadCalibration(ar);
        m_sensitivity.Serialize(ar);
        LoadAddedInputs(ar);
        return;
    }
    WriteArchiveTag(ar, kCalibrationFloatTag);
    m_calibration.Serialize(ar);
    m_sensitivity.Serialize(ar);
    WriteArchiveTag(ar, kAddedInputsTag);
    m_added1.Serialize(ar);
    m_added2.Serialize(ar);
    m_added3.Serialize(ar);
    m_physicalInput.Serialize(ar);
    m_outputVoltage.Serialize(ar);
}
