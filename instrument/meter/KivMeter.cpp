#include "instrument/meter/KivMeter.h"

#include "common/base/ValueParse.h"
#include "common/base/ZelException.h"
#include "framework/core/Cp932.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"
#include "framework/core/Numbers.h"
#include "framework/core/Services.h"
#include "framework/core/StringTable.h"
#include "instrument/Kiv406UsbInterface.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/MeterSocket.h"
#include "instrument/meter/MeterVersion.h"
#include "instrument/unit/KivVoltOutUnit.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

FW_IMPLEMENT_SERIAL(CKivMeter, CZELMeter, 1)

namespace {

constexpr double kSamplingRatesHz[] = {10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000,
                                       512, 1024, 2048, 4096, 8192};
constexpr int kCurrentValueLimit16 = 32767;
constexpr int kCurrentValueLimit32 = 2147483647;
constexpr int kSourceCurrentValue = 0x8000;

// Restores the link's reply time-out on every way out, so that a failed
// identification does not leave the short identification time-out behind.
class ReplyTimeoutScope {
public:
    explicit ReplyTimeoutScope(CMeterInterface& link) : m_link(link)
    {
        if (const auto* lan = dynamic_cast<const CMeterSocket*>(&link))
            m_previous = static_cast<int>(lan->GetReplyTimeout());
    }
    ~ReplyTimeoutScope() { m_link.SetReplyTimeout(m_previous); }
    ReplyTimeoutScope(const ReplyTimeoutScope&) = delete;
    ReplyTimeoutScope& operator=(const ReplyTimeoutScope&) = delete;

private:
    CMeterInterface& m_link;
    int m_previous = CKivMeter::kDefaultTimeoutS;
};

bool ToInt(double value, int& out)
{
    if (!std::isfinite(value) || std::fabs(value) > 2147483647.0)
        return false;
    out = static_cast<int>(value);
    return true;
}

} // namespace

int SpeedClassOf(double intervalMs, int clockSource, int channelsOn)
{
    if (clockSource == 1)
        return 2;
    if (clockSource == 2)
        return 0;
    struct Step {
        int channels;
        double ms;
    };
    static constexpr Step kSteps[] = {{1, 0.02}, {2, 0.03}, {4, 0.05}, {8, 0.1},        {16, 0.2},
                                      {24, 0.3}, {32, 0.4}, {40, 0.48828125}, {48, 0.6}, {56, 0.7},
                                      {64, 0.8}, {72, 0.9}};
    double threshold = 0.9765625;
    for (const Step& step : kSteps) {
        if (channelsOn <= step.channels) {
            threshold = step.ms;
            break;
        }
    }
    return threshold > intervalMs ? 2 : 0;
}

CKivMeter::CKivMeter()
{
    for (auto& array : m_analysis)
        array.SetSize(kAnalyses);
    ResetFrequencySettings();
}

CKivMeter::~CKivMeter() = default;

// ------------------------------------------------------------ link and identity

void CKivMeter::SetInterface(CMeterInterface* link)
{
    CZELMeter::SetInterface(link);
    if (auto* lan = dynamic_cast<CMeterSocket*>(link))
        lan->SetSlot(m_address, m_ipAddress, m_port);
}

void CKivMeter::SetIpPort(uint32_t ipAddress, int port)
{
    m_ipAddress = ipAddress;
    m_port = port;
    Disconnect();
}

void CKivMeter::Disconnect()
{
    // The link is shared by every control unit: only this one lets go.
    m_connected = false;
}

void CKivMeter::CheckPresent()
{
    if (auto* usb = dynamic_cast<CKiv406UsbInterface*>(m_link))
        usb->MapSlot(m_serialNumber, m_address);
    CZELMeter::CheckPresent();
}

bool CKivMeter::Open(bool raise)
{
    try {
        ConnectIfNeeded();
        return true;
    } catch (CZelException& e) {
        if (e.m_nErrorCode == kErrUnitAbsent) {
            const fw::CString text = m_serialNumber != 0
                                         ? fw::FormatString(kMsgSerialNotFound, fw::Format("SERIAL No. %0.4d", m_serialNumber))
                                         : fw::LoadStringText(kMsgNotFound);
            e.SetMessage(text.c_str());
        }
        if (raise)
            throw;
        fw::CString text;
        e.GetErrorMessage(text);
        if (!text.IsEmpty())
            fw::AfxMessageBox(fw::CString(fw::cp932::Truncate(text.view(), kMaxShownMessage)), fw::MB_ICONSTOP);
        return false;
    }
}

void CKivMeter::Identify()
{
    CheckPresent();
    CheckVersion();
    InitArrays();
    ResetLink();
    RefreshUnitInfo();
    QueryAnalysisSupport();
}

void CKivMeter::CheckVersion()
{
    try {
        CMeterInterface& link = Link();
        bool identified = false;
        {
            ReplyTimeoutScope timeout(link);
            for (int attempt = 0; attempt < 2 && !identified; ++attempt) {
                link.SetReplyTimeout(kIdentifyTimeoutS);
                // Without a fresh reply the line still holds an older one,
                // which must not identify this unit.
                if (!link.IsOk())
                    continue;
                Command("VER");
                if (link.GetReply().Find("KIV-406") < 0)
                    continue;
                ParseVersion();
                if (m_firmware < meterversion::k11B)
                    throw CZelException(kErrOldFirmware, kMsgOldFirmware);
                identified = true;
            }
        }
        if (!identified)
            throw CZelException(kErrWrongInstrument, kMsgWrongInstrument);
        SetConnected();
    } catch (CZelException& e) {
        Disconnect();
        if (e.m_nErrorCode == kErrWrongInstrument)
            e.SetMessageId(kMsgWrongInstrument);
        else if (e.m_nErrorCode == kErrOldFirmware)
            e.SetMessageId(kMsgOldFirmware);
        throw;
    }
}

void CKivMeter::ParseVersion()
{
    m_firmware = 0;
    const fw::CString& reply = Link().GetReply();
    int at = reply.Find("VER");
    if (at < 0)
        at = reply.Find("Ver");
    if (at < 0)
        return;
    int from = at + 3;
    if (from >= reply.GetLength() || reply[from] == ' ' || reply[from] == '.')
        ++from;
    if (from + 4 <= reply.GetLength())
        m_firmware = meterversion::Pack(reply.view().substr(static_cast<size_t>(from), 4));
}

void CKivMeter::InitArrays()
{
    RecountChannelsOn();
    const size_t span = static_cast<size_t>(std::max<int16_t>(m_channelSpan, 0));
    m_currentValues.assign(span, HUGE_VAL);
    m_lastSampleIndexes.assign(span, 0);
    m_intB.assign(span, 0);
}

void CKivMeter::RefreshUnitInfo()
{
    RefreshHook();
    m_lowestChannelOn = FindFirstChannelOn();
    if (m_firmware < meterversion::k22A) {
        for (auto& unit : m_units) {
            if (unit)
                unit->SetFirmwareVersion(0);
        }
        return;
    }
    fw::CString reply;
    Query("STA4", reply);
    for (int port = 0; port < kPorts; ++port) {
        CKivUnit* unit = m_units[static_cast<size_t>(port)].get();
        if (!unit)
            continue;
        // A short reply gives the ports it does not reach no version.
        fw::CString field = port * 5 < reply.GetLength() ? reply.Mid(port * 5, 4) : fw::CString();
        field.Remove('-');
        unit->SetFirmwareVersion(field.GetLength() == 4 ? meterversion::Pack(field.view()) : 0u);
    }
}

void CKivMeter::QueryAnalysisSupport()
{
    try {
        fw::CString reply;
        Query("STA10", reply);
        m_analysisAvailable = std::atoi(reply.c_str()) != 99;
    } catch (const std::exception&) {
        m_analysisAvailable = false;
    }
}

// ------------------------------------------------------------------- units

void CKivMeter::InstallUnits(const CKivUnitTypes& types)
{
    static_assert(kPorts == kUnitPorts);
    m_units = CreateUnitsForTypes(types);
    RecountUnitTotals();
}

void CKivMeter::RecountUnitTotals()
{
    int inputs = 0;
    int outputs = 0;
    int span = 0;
    for (const auto& unit : m_units) {
        if (!unit)
            continue;
        if (unit->HasInputs())
            inputs += unit->GetChannelCount();
        if (unit->IsOutput())
            outputs += unit->GetChannelCount();
        span = std::max(span, unit->GetFirstChannel() + unit->GetChannelCount() - 1);
    }
    m_inputChannels = static_cast<int16_t>(inputs);
    m_outputChannels = static_cast<int16_t>(outputs);
    m_channelSpan = static_cast<int16_t>(std::min(span, static_cast<int>(kChannels)));
}

CKivUnit* CKivMeter::GetUnit(int port) const
{
    if (port < 0 || port >= kPorts)
        fw::ThrowInvalidArgException();
    return m_units[static_cast<size_t>(port)].get();
}

int CKivMeter::GetUnitType(int port) const
{
    const CKivUnit* unit = GetUnit(port);
    return unit ? unit->GetTypeCode() : 0;
}

CKivUnit* CKivMeter::FindUnitOfChannel(int channelNumber) const
{
    for (const auto& unit : m_units) {
        if (unit && channelNumber >= unit->GetFirstChannel() &&
            channelNumber < unit->GetFirstChannel() + unit->GetChannelCount())
            return unit.get();
    }
    return nullptr;
}

CKivUnit* CKivMeter::UnitOfChannel(int ch) const
{
    return GetUnit(ch / kChannelsPerPort);
}

int CKivMeter::GetSampleBytes() const
{
    int bits = 0;
    for (int ch = 0; ch < kChannels; ++ch) {
        const CKivUnit* unit = m_units[static_cast<size_t>(ch / kChannelsPerPort)].get();
        if (unit && unit->IsChannelOn(ch % kChannelsPerPort)) {
            const double b = unit->GetValue(ch % kChannelsPerPort, kAttrBitsPerSample);
            if (std::isfinite(b))
                bits += static_cast<int>(b);
        }
    }
    return bits / 8;
}

std::vector<uint32_t> CKivMeter::GetUnitVersions() const
{
    std::vector<uint32_t> versions(kPorts, 0);
    for (int port = 0; port < kPorts; ++port) {
        if (const CKivUnit* unit = m_units[static_cast<size_t>(port)].get())
            versions[static_cast<size_t>(port)] = unit->GetFirmwareVersion();
    }
    return versions;
}

void CKivMeter::SetUnitsOutputMode(bool on)
{
    for (auto& unit : m_units) {
        if (unit && unit->IsOutput())
            unit->SetAllOnOff(on ? 1 : 0);
    }
    RecountChannelsOn();
}

void CKivMeter::RecountChannelsOn()
{
    int on = 0;
    for (int ch = kChannels - 1; ch >= 0; --ch) {
        const CKivUnit* unit = m_units[static_cast<size_t>(ch / kChannelsPerPort)].get();
        if (unit && unit->IsChannelOn(ch % kChannelsPerPort))
            ++on;
    }
    m_channelsOn = static_cast<int16_t>(on);
}

int16_t CKivMeter::FindFirstChannelOn() const
{
    for (int ch = 0; ch < kChannels; ++ch) {
        const CKivUnit* unit = m_units[static_cast<size_t>(ch / kChannelsPerPort)].get();
        if (unit && unit->IsChannelOn(ch % kChannelsPerPort))
            return static_cast<int16_t>(ch);
    }
    return m_channelSpan;
}

void CKivMeter::TrackLowestChannel(int ch, bool on)
{
    if (on && ch < m_lowestChannelOn)
        m_lowestChannelOn = static_cast<int16_t>(ch);
    else if (!on && ch == m_lowestChannelOn)
        m_lowestChannelOn = FindFirstChannelOn();
}

int CKivMeter::GetRawUpperLimit(int ch) const
{
    const CKivUnit* unit = UnitOfChannel(ch);
    return unit && unit->HasInputs() ? unit->GetRawMax() : 0;
}

int CKivMeter::GetOutputLimit(int ch) const
{
    const auto* out = dynamic_cast<const CKivVoltOutUnit*>(UnitOfChannel(ch));
    return out ? out->GetOutputLimit() : 0;
}

double CKivMeter::GetScaleFactor(int ch) const
{
    const CKivUnit* unit = UnitOfChannel(ch);
    return unit ? unit->GetScaleFactor(ch % kChannelsPerPort) : 1.0;
}

bool CKivMeter::IsAttrEditable(int ch, int code) const
{
    const CKivUnit* unit = UnitOfChannel(ch);
    return unit && unit->IsAttrEditable(ch % kChannelsPerPort, code);
}

// -------------------------------------------------------- per-channel arrays

double CKivMeter::GetCurrentValue(int ch) const
{
    if (ch < 0 || static_cast<size_t>(ch) >= m_currentValues.size())
        return 0.0;
    return m_currentValues[static_cast<size_t>(ch)];
}

void CKivMeter::FillValueRows(double* values, int row, int count, double value)
{
    if (!values || row < 0 || count <= 0)
        return;
    for (int i = 0; i < count; ++i)
        values[row * 8 + i] = value;
}

int CKivMeter::GetLastSampleIndex(int ch) const
{
    return ch >= 0 && static_cast<size_t>(ch) < m_lastSampleIndexes.size() ? m_lastSampleIndexes[static_cast<size_t>(ch)] : 0;
}

void CKivMeter::SetLastSampleIndex(int ch, int value)
{
    if (ch >= 0 && static_cast<size_t>(ch) < m_lastSampleIndexes.size())
        m_lastSampleIndexes[static_cast<size_t>(ch)] = value;
}

int CKivMeter::GetIntB(int ch) const
{
    return ch >= 0 && static_cast<size_t>(ch) < m_intB.size() ? m_intB[static_cast<size_t>(ch)] : 0;
}

void CKivMeter::SetIntB(int ch, int value)
{
    if (ch >= 0 && static_cast<size_t>(ch) < m_intB.size())
        m_intB[static_cast<size_t>(ch)] = value;
}

void CKivMeter::ClearLastSampleIndexes()
{
    std::fill(m_lastSampleIndexes.begin(), m_lastSampleIndexes.end(), 0);
}

void CKivMeter::ReadCurrentValues(bool wide)
{
    if (!HasChannelsOn()) {
        std::fill(m_currentValues.begin(), m_currentValues.end(), HUGE_VAL);
        return;
    }
    fw::CString reply;
    ReadReplyText(reply);
    const double limit = wide && m_firmware >= meterversion::k14B ? kCurrentValueLimit32 : kCurrentValueLimit16;
    const char* p = reply.c_str();
    const char* end = p + reply.GetLength();
    for (size_t ch = 0; ch < m_currentValues.size(); ++ch) {
        const CKivUnit* unit = m_units[ch / kChannelsPerPort].get();
        if (!unit || !unit->IsChannelOn(static_cast<int>(ch % kChannelsPerPort))) {
            m_currentValues[ch] = HUGE_VAL;
            continue;
        }
        const char* stop = p;
        const double v = p < end ? fw::StrToD(p, &stop) : 0.0;
        const bool read = p < end && stop != p;
        if (read)
            p = stop;
        if (p < end)
            ++p;  // the separator
        m_currentValues[ch] = !read || std::fabs(v) >= limit ? HUGE_VAL : v * GetScaleFactor(static_cast<int>(ch));
    }
}

// ---------------------------------------------------------------- interval

double CKivMeter::RoundInterval(double ms) const
{
    for (double hz : kSamplingRatesHz) {
        if (ms == 1000.0 / hz)
            return ms;
    }
    if (ms < 0.1)
        return std::floor(ms * 100.0) / 100.0;
    if (ms < 1.0)
        return std::floor(ms * 10.0) / 10.0;
    return std::floor(ms);
}

bool CKivMeter::IsIntervalValid(double ms) const
{
    return ms >= kMinInterval && ms <= kMaxInterval;
}

int CKivMeter::GetSpeedClass() const
{
    if (m_firmware < meterversion::k22A)
        return m_interval < 1.0 ? 2 : 0;
    return SpeedClassOf(m_interval, m_clockSource, m_channelsOn);
}

// -------------------------------------------------------------- attributes

bool CKivMeter::IsMeterCode(int code) const
{
    switch (code) {
    case kAttrClock:
    case kAttrInterval:
    case kAttrDataCount:
    case kAttrPreTrigger:
    case kAttrLastSample:
    case kAttrClockSource:
    case kAttrChannelName:
        return true;
    default:
        return code >= kAttrMemoryMode && code <= kAttrMeasureSeconds;
    }
}

bool CKivMeter::SetValue(int ch, int code, double value, bool notify)
{
    if (IsMeterCode(code))
        return SetMeterValue(ch, code, value, notify);
    CKivUnit* unit = UnitOfChannel(ch);
    if (!unit || !unit->SetValue(ch % kChannelsPerPort, code, value))
        return false;
    if (notify && code == kAttrOnOff)
        TrackLowestChannel(ch, value == 1.0);
    return true;
}

bool CKivMeter::SetMeterValue(int ch, int code, double value, bool)
{
    int v = 0;
    switch (code) {
    case kAttrInterval: {
        if (!std::isfinite(value))
            return false;
        const double rounded = RoundInterval(value);
        if (!IsIntervalValid(rounded))
            return false;
        m_interval = rounded;
        return true;
    }
    case kAttrDataCount:
        if (!ToInt(value, v) || v < std::max(m_preTrigger, 0) || v > kMaxDataCount)
            return false;
        m_dataCount = v;
        return true;
    case kAttrPreTrigger:
        if (!ToInt(value, v) || v < 0 || v > m_dataCount)
            return false;
        m_preTrigger = v;
        return true;
    case kAttrClockSource:
        if (!ToInt(value, v) || v < 0 || v > 2)
            return false;
        m_clockSource = static_cast<int16_t>(v);
        return true;
    case kAttrClock:
    case kAttrLastSample:
    case kAttrChannelName:
        return false;
    default:
        break;
    }
    if (code >= kAttrMemoryMode && code <= kAttrMinusSlice)
        return SetFrequencyValue(ch, code, value);
    return SetProgramValue(code, value);
}

double CKivMeter::GetValue(int ch, int code) const
{
    switch (code) {
    case kAttrClock:
        return 1.0;
    case kAttrInterval:
        return m_interval;
    case kAttrDataCount:
        return m_dataCount;
    case kAttrPreTrigger:
        return m_preTrigger;
    case kAttrLastSample:
        return GetLastSampleIndex(ch);
    case kAttrClockSource:
        return m_clockSource;
    case kAttrChannelName:
        return HUGE_VAL;
    default:
        break;
    }
    if (code >= kAttrMemoryMode && code <= kAttrMinusSlice)
        return GetFrequencyValue(ch, code);
    if (code >= kAttrStartMonth && code <= kAttrMeasureSeconds)
        return GetProgramValue(code);
    const CKivUnit* unit = UnitOfChannel(ch);
    return unit ? unit->GetValue(ch % kChannelsPerPort, code) : HUGE_VAL;
}

const char* CKivMeter::GetText(int ch, int code, fw::CString& text) const
{
    text.Empty();
    switch (code) {
    case kAttrInterval:
        text.Format("%g", m_interval);
        return text.c_str();
    case kAttrDataCount:
    case kAttrPreTrigger:
    case kAttrLastSample:
    case kAttrClockSource:
        text.Format("%d", static_cast<int>(GetValue(ch, code)));
        return text.c_str();
    case kAttrChannelName:
        text.Format("DN_%d", ch + 1);
        return text.c_str();
    case kAttrClock:
        return text.c_str();
    default:
        break;
    }
    if (code >= kAttrMemoryMode && code <= kAttrMeasureSeconds)
        return GetFrequencyText(ch, code, text);
    if (const CKivUnit* unit = UnitOfChannel(ch))
        unit->GetText(ch % kChannelsPerPort, code, text);
    return text.c_str();
}

bool CKivMeter::ConvertText(int ch, int code, const char* text, double& value) const
{
    if (code == kAttrOperation) {
        const int index = FindOperationIndex(text);
        value = index;
        return index >= 0;
    }
    if (code == kAttrTimeBase) {
        for (int tb = 4; tb >= 1; --tb) {
            if (std::strcmp(TimeBaseName(tb), text ? text : "") == 0) {
                value = tb;
                return true;
            }
        }
        return false;
    }
    if (code >= kAttrStartMonth && code <= kAttrStartMinute && (!text || !*text)) {
        value = -1;
        return true;
    }
    int32_t v = 0;
    if (!TextToInt(text, &v))
        return false;
    value = v;
    return true;
}

bool CKivMeter::SetText(int ch, int code, const char* text, bool notify)
{
    const bool meterInteger = code == 23 || (code >= 44 && code <= 46) || (code >= kAttrMemoryMode && code <= kAttrMeasureSeconds);
    if (!meterInteger) {
        if (IsMeterCode(code)) {
            double value = 0;
            return TextToDouble(text, &value) && SetValue(ch, code, value, notify);
        }
        CKivUnit* unit = UnitOfChannel(ch);
        if (!unit || !unit->SetText(ch % kChannelsPerPort, code, text))
            return false;
        if (notify && code == kAttrOnOff)
            TrackLowestChannel(ch, unit->IsChannelOn(ch % kChannelsPerPort));
        return true;
    }
    double value = 0;
    return ConvertText(ch, code, text, value) && SetValue(ch, code, value, notify);
}

int CKivMeter::ValueOfIndex(int code, int index) const
{
    static const char* const kLowPass[] = {"PASS", "30", "100", "300", "1000"};
    static const char* const kOutFilter[] = {"10", "20", "50", "100", "200", "500", "1000", "2000", "5000", "PASS"};
    static const int kSensor[] = {146, 16, 33, 21, 22, 20};
    static const char* const kRanges[] = {"600", "1000", "1300", "5000", "10000", "20000", "2500", "250"};
    static const int kOutputModes[] = {3, 4, 13};
    static const int kFunctions[] = {100, 101, 102, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    static const char* const kFreqRanges[] = {"100", "500", "1000", "5000", "10000", "50000", "100000"};
    static const double kHighPass[] = {0.0, 0.2, 1.0};
    auto at = [index](const auto& table) { return index >= 0 && index < static_cast<int>(std::size(table)); };
    switch (code) {
    case 2:
        return index == 0 || !at(kLowPass) ? 0 : std::atoi(kLowPass[index]);
    case 3:
        return at(kOutFilter) ? std::atoi(kOutFilter[index]) : 0;
    case 7:
        return at(kSensor) ? kSensor[index] : 0;
    case 20:
        return at(kRanges) ? std::atoi(kRanges[index]) : 0;
    case 22:
        return at(kOutputModes) ? kOutputModes[index] : 0;
    case 37:
        return at(kFunctions) ? kFunctions[index] : 0;
    case 38:
        return at(kFreqRanges) ? std::atoi(kFreqRanges[index]) : 0;
    case 39:
        return index;
    case 49:
        return index == 0 || !at(kHighPass) ? 0 : static_cast<int>(std::lround(kHighPass[index] * 100.0));
    case 50:
        return index == 0 ? 1 : 0;
    default:
        return index;
    }
}

bool CKivMeter::IsSourceChannelAllowed(int ch, int code, int value) const
{
    const CKivUnit* unit = UnitOfChannel(ch);
    if (!unit || !unit->CheckValue(ch % kChannelsPerPort, code, value))
        return false;
    // The stored value must name a channel with inputs as well: the check
    // before writing asks with it.
    if (value == kSourceCurrentValue && !ToInt(GetValue(ch, code), value))
        return true;
    if (value == 0)
        return true;
    const int source = std::abs(value) - 1;
    if (source < 0 || source >= kChannels)
        return false;
    const CKivUnit* sourceUnit = UnitOfChannel(source);
    return sourceUnit && sourceUnit->HasInputs();
}

bool CKivMeter::IsValueAllowed(int ch, int code, double value) const
{
    int v = 0;
    if (code == 23 || (code >= 44 && code <= 46))
        return ToInt(value, v) && IsSourceChannelAllowed(ch, code, v);
    if (code == kAttrAnalysisInput) {
        if (!ToInt(value, v))
            return false;
        if (v == kSourceCurrentValue)
            v = static_cast<int>(GetFrequencyValue(ch, code));
        if (v == 0)
            return true;
        if (v < 1 || v > kChannels)
            return false;
        const CKivUnit* unit = UnitOfChannel(v - 1);
        return unit && unit->IsRecordable();
    }
    if (code == kAttrOperation || (code >= kAttrStartMonth && code <= kAttrStartMinute))
        return StartFieldsConsistent();
    if (code == kAttrTimeBase)
        return GetFrequencyValue(ch, kAttrOperation) == 4;
    if (code >= kAttrIntervalHours && code <= kAttrIntervalSeconds)
        return GetProgramValue(kAttrIntervalHours) != 0 || GetProgramValue(kAttrIntervalMinutes) != 0 ||
               GetProgramValue(kAttrIntervalSeconds) != 0;
    if (code >= kAttrMeasureHours && code <= kAttrMeasureSeconds)
        return GetProgramValue(kAttrMeasureHours) != 0 || GetProgramValue(kAttrMeasureMinutes) != 0 ||
               GetProgramValue(kAttrMeasureSeconds) != 0;
    if ((code >= 8 && code <= 10) || (code >= 14 && code <= 19) || (code >= 26 && code <= 28) ||
        code == kAttrMemoryMode || code == kAttrFullScale || code == kAttrHysteresis ||
        (code >= kAttrOffset && code <= kAttrMinusSlice) || code == kAttrCycleCount || code == kAttrClock)
        return true;
    const CKivUnit* unit = UnitOfChannel(ch);
    return unit && ToInt(value, v) && unit->CheckValue(ch % kChannelsPerPort, code, v);
}
