// Setting words of the control unit. A setting is never sent per channel:
// the channels that share one parameter text are selected ("RES", then one
// "SET" per run) and the word goes once with that text. Reading back is the
// reverse: "SET?" lists the selected channels and the query word answers one
// item per listed channel.

#include "instrument/meter/KivMeter.h"

#include "common/base/ValueParse.h"
#include "common/base/ZelException.h"
#include "framework/core/Format.h"
#include "framework/core/Numbers.h"
#include "instrument/Kiv406ErrStr.h"
#include "instrument/meter/MeterVersion.h"
#include "instrument/meter/SettingGroups.h"
#include "instrument/unit/Unit463Services.h"
#include "instrument/unit/ChannelScaling.h"
#include "instrument/unit/Kiv465Unit.h"
#include "instrument/unit/KivInputUnit.h"
#include "instrument/unit/KivVoltOutUnit.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

struct Word {
    int code;
    const char* write;
    const char* query;
};

// Codes 4, 5, 6, 15 and 36 are sent by WriteSettingText itself.
constexpr Word kWords[] = {
    {-1, "CLK", nullptr},   {2, "LPF", "LPF?"},     {3, "RNG", "RNG?"},     {7, "SSM", "SSM?"},
    {8, "CLK", "CLK?"},     {9, "MRY", "MRY?"},     {10, "MRY-", "MRY-?"},  {12, "TGL", "TGL?"},
    {14, "ADR", nullptr},   {16, nullptr, "CHK0"},  {17, nullptr, "CHK1"},  {18, nullptr, "CHK5"},
    {19, nullptr, "CHK2"},  {26, nullptr, "CHK4"},  {27, nullptr, "CHK3"},  {20, "ATT", "ATT?"},
    {21, "SEN", "SEN?"},    {22, "VMD", "VMD?"},    {23, "EQU", "EQU?"},    {24, "CFF", "CFF?"},
    {25, "UNT", "UNT?"},    {28, nullptr, "VER"},   {29, "RJC", "RJC?"},    {31, "CAP", "CAP?"},
    {32, "R_O", "R_O?"},    {33, "PNT", "PNT?"},    {34, "FPS", "FPS?"},    {35, "CDWF", "CDWF?"},
    {39, "THD", "THDM?"},   {40, "THD", "THDH?"},   {41, "THD", "THDL?"},   {42, "BFS", "BFS?"},
    {47, "OUTF", "OUTF?"},  {48, "OUTF", "OUTF?"},  {49, "HPF", "HPF?"},    {50, "DMC", "DMC?"},
    {103, "OPH", nullptr},  {104, "FUL", nullptr},  {105, "HYS", nullptr},  {106, "OPR", nullptr},
    {108, "MCL", nullptr},  {109, "SLX", nullptr},
};

constexpr int kSensor4G05 = 146;
constexpr int kSensor4G20 = 16;
constexpr int kErrStrainCheckSkipped = kZelErrorUnitReply + 11;
constexpr int kSetFieldPitch = 8;

bool IsStrainCheck(int code)
{
    return code == 18 || code == 19 || code == 26 || code == 27;
}

// "%d" of a value cut to an integer; false for no value or one beyond int.
bool IntText(double value, fw::CString& text)
{
    if (!std::isfinite(value) || std::fabs(value) > 2147483647.0)
        return false;
    text.Format("%d", static_cast<int>(value));
    return true;
}

bool ParseNumber(const fw::CString& text, double& value)
{
    return TextToDouble(text.c_str(), &value);
}

bool ParseInteger(const fw::CString& text, double& value)
{
    int32_t v = 0;
    if (!TextToInt(text.c_str(), &v))
        return false;
    value = v;
    return true;
}

// The items of a comma-separated reply.
std::vector<fw::CString> SplitItems(const fw::CString& reply)
{
    std::vector<fw::CString> items;
    int start = 0;
    for (;;) {
        const int comma = reply.Find(',', start);
        if (comma < 0) {
            items.push_back(reply.Mid(start));
            return items;
        }
        items.push_back(reply.Mid(start, comma - start));
        start = comma + 1;
    }
}

} // namespace

const char* CKivMeter::WriteWord(int code) const
{
    for (const Word& w : kWords) {
        if (w.code == code)
            return w.write;
    }
    return nullptr;
}

const char* CKivMeter::QueryWord(int code) const
{
    for (const Word& w : kWords) {
        if (w.code == code)
            return w.query;
    }
    return nullptr;
}

// ------------------------------------------------------- parameter texts

bool CKivMeter::GetSettingText(int code, int ch, fw::CString& text) const
{
    text.Empty();
    const bool from12A = m_firmware >= meterversion::k12A;
    const double value = GetValue(ch, code);
    switch (code) {
    case 5:
    case 6:
        if (from12A) {
            text = code == 5 ? "1" : "2";
            break;
        }
        [[fallthrough]];
    case 35:
        if (std::isfinite(value))
            text.Format("%f", value);
        break;
    case 8:
        if (m_clockSource == 1 || m_clockSource == 2)
            text.Format("E%d", m_clockSource - 1);
        else if (std::isfinite(value))
            text.Format("%.*g", 15, value);
        break;
    case 12: {
        const double on = GetValue(ch, ChannelScaling::kTriggerOn);
        if (on == 0 || !(value <= GetRawUpperLimit(ch))) {
            text = "0";
            break;
        }
        if (!IntText(value, text))
            break;
        const double slope = GetValue(ch, ChannelScaling::kTriggerSlope);
        if (slope == 1)
            text += 'U';
        else if (slope == 2)
            text += 'L';
        break;
    }
    case 21:
        if (std::isfinite(value))
            IntText(std::trunc(value * 1000.0 + 0.5), text);
        break;
    case 23: {
        fw::CString source;
        if (!IntText(value, source))
            break;
        text = " CH" + source;
        for (int added : {44, 45, 46}) {
            int v = 0;
            const double a = GetValue(ch, added);
            if (std::isfinite(a) && (v = static_cast<int>(a)) != 0)
                text.AppendFormat("%cCH%d", v > 0 ? '+' : '-', std::abs(v));
        }
        break;
    }
    case 24:
    case 31:
    case 32:
        if (std::isfinite(value))
            text.Format("%.7g", value);
        break;
    case 39:
        if (!std::isfinite(value))
            break;
        if (static_cast<int>(value) != 0)
            IntText(value, text);
        else
            text.Format("%d;%d;%d", 0, static_cast<int>(GetValue(ch, CKiv465Unit::kUpperThreshold)), static_cast<int>(GetValue(ch, CKiv465Unit::kLowerThreshold)));
        break;
    case 42:
        GetText(ch, 42, text);
        break;
    case 47:
    case 48: {
        const double physical = GetValue(ch, CKivVoltOutUnit::kPhysicalInput);
        const double voltage = GetValue(ch, CKivVoltOutUnit::kOutputVoltage);
        if (std::isfinite(physical) && std::isfinite(voltage))
            text.Format("%.7g;%.0f", physical, voltage * 1000.0);
        break;
    }
    case 49: {
        const CKivUnit* unit = UnitOfChannel(ch);
        if (unit && unit->GetFirmwareVersion() >= meterversion::k12A && std::isfinite(value))
            text.Format("%.2f", value / 100.0);
        break;
    }
    case kAttrOperation:
        if (!IntText(value, text))
            break;
        if (static_cast<int>(value) == 4)
            text.Format("%d,%d", 4, static_cast<int>(GetValue(ch, kAttrTimeBase)));
        break;
    case kAttrPlusSlice:
        text.Format("%d,%d", static_cast<int>(value), static_cast<int>(GetValue(ch, kAttrMinusSlice)));
        break;
    default:
        IntText(value, text);
        break;
    }
    return !text.IsEmpty();
}

bool CKivMeter::ParseSettingText(int code, int ch, const fw::CString& text)
{
    double v = 0;
    switch (code) {
    case 2: case 3: case 7: case 9: case 10: case 20: case 22: case 25:
    case 29: case 33: case 34: case 39: case 40: case 41: case 50:
        return ParseInteger(text, v) && SetValue(ch, code, v, false);
    case 8:
        if (text.GetLength() > 0 && text[0] == 'E') {
            return ParseInteger(text.Mid(1), v) && SetValue(ch, kAttrClockSource, v + 1, false) &&
                   SetValue(ch, kAttrInterval, 1.0, false);
        }
        return ParseNumber(text, v) && SetValue(ch, kAttrClockSource, 0, false) && SetValue(ch, kAttrInterval, v, false);
    case 12: {
        const char first = text.GetLength() > 0 ? text[0] : '\0';
        if (first == 'L' || first == 'U') {
            if (!SetValue(ch, ChannelScaling::kTriggerSlope, first == 'L' ? 2 : 1, false))
                return false;
            return ParseInteger(text.Mid(1), v) && SetValue(ch, ChannelScaling::kTriggerLevel, v, false) && SetValue(ch, ChannelScaling::kTriggerOn, 1, false);
        }
        if (!SetValue(ch, ChannelScaling::kTriggerSlope, 0, false) || !ParseInteger(text, v))
            return false;
        if (v != 0)
            return SetValue(ch, ChannelScaling::kTriggerLevel, v, false) && SetValue(ch, ChannelScaling::kTriggerOn, 1, false);
        return SetValue(ch, ChannelScaling::kTriggerOn, 0, false) && SetValue(ch, ChannelScaling::kTriggerLevel, HUGE_VAL, false);
    }
    case 21:
        return ParseInteger(text, v) && SetValue(ch, code, v / 1000.0, false);
    case 23: {
        fw::CString rest = text;
        rest.Replace("CH", "");
        const char* p = rest.c_str();
        const int codes[] = {23, 44, 45, 46};
        for (int c : codes) {
            char* end = nullptr;
            const long n = std::strtol(p, &end, 10);
            const bool read = end != p;
            SetValue(ch, c, read ? static_cast<double>(n) : 0.0, false);
            if (read)
                p = end;
        }
        return true;
    }
    case 24:
    case 35:
        return ParseNumber(text, v) && SetValue(ch, code, v, false);
    case 31:
    case 32: {
        fw::CString trimmed = text;
        trimmed.Trim();
        if (trimmed.IsEmpty())
            return SetValue(ch, code, HUGE_VAL, false);
        return ParseNumber(trimmed, v) && SetValue(ch, code, v, false);
    }
    case 42:
        return SetText(ch, 42, text.c_str(), true);
    case 47:
    case 48: {
        const char* p = text.c_str();
        const char* end = p;
        const double physical = fw::StrToD(p, &end);
        if (end == p)
            return false;
        bool ok = SetValue(ch, CKivVoltOutUnit::kPhysicalInput, physical, false);
        if (*end) {
            p = end + 1;
            const double voltage = fw::StrToD(p, &end);
            if (end != p)
                ok = SetValue(ch, CKivVoltOutUnit::kOutputVoltage, voltage, false) && ok;
        }
        return ok;
    }
    case 49:
        return ParseNumber(text, v) && SetValue(ch, code, std::floor(v * 100.0), false);
    default:
        return false;
    }
}

// ---------------------------------------------------------- plain words

void CKivMeter::CommandWithText(const char* word, const fw::CString& text)
{
    // The link refuses a line too long for it; nothing is cut here.
    Command(fw::Format("%s%s", word, text));
}

void CKivMeter::SelectChannels(int first, int last)
{
    if (last == -1)
        Command(fw::Format("SET%d", first));
    else
        Command(fw::Format("SET%d;%d", first, last));
}

void CKivMeter::ResetChannels()
{
    Command("RES");
}

void CKivMeter::CalibrationCommand(char ch, const fw::CString& text)
{
    Command(fw::Format("CAL%c%s", ch, text));
}

bool CKivMeter::WriteSettingText(int code, const fw::CString& text)
{
    const bool from12A = m_firmware >= meterversion::k12A;
    switch (code) {
    case 4:
        Command(from12A ? "CDO0" : "CALOFF");
        return true;
    case 5:
    case 6:
        if (from12A)
            CommandWithText("CDO", text);
        else
            CalibrationCommand(code == 5 ? '+' : '-', text);
        return true;
    case 15:
        Command("BAL");
        return true;
    case 36:
        Command(m_firmware >= meterversion::k12C ? "CDO3" : "CAL0");
        return true;
    default:
        break;
    }
    const char* word = WriteWord(code);
    if (!word)
        return false;
    CommandWithText(word, text);
    return true;
}

void CKivMeter::QueryTolerant(const fw::CString& command, fw::CString& reply)
{
    try {
        Query(command, reply);
    } catch (const CZelException&) {
        // "ERRCH" marks single channels that cannot answer, not a failure
        // of the exchange.
        if (Link().GetReply().Find("ERRCH") < 0)
            throw;
        reply = Link().GetReply();
    }
}

bool CKivMeter::QuerySetting(int code, fw::CString& reply)
{
    const char* word = QueryWord(code);
    if (!word)
        return false;
    try {
        QueryTolerant(word, reply);
    } catch (const CZelException& e) {
        if (!IsStrainCheck(code) || e.m_nErrorCode != kErrStrainCheckSkipped)
            throw;
        reply = Link().GetReply();
    }
    return true;
}

// ------------------------------------------------------------- grouping

void CKivMeter::SendRuns(const std::vector<bool>& member, int span, void (CKivMeter::*select)(int, int))
{
    int k = 0;
    while (k < span) {
        if (!member[static_cast<size_t>(k)]) {
            ++k;
            continue;
        }
        const int first = k;
        while (k < span && member[static_cast<size_t>(k)])
            ++k;
        (this->*select)(first + 1, k);
    }
}

void CKivMeter::WriteSetting(int code)
{
    const int span = std::clamp<int>(m_channelSpan, 0, kChannels);
    std::vector<fw::CString> texts(static_cast<size_t>(span));
    for (int ch = 0; ch < span; ++ch) {
        if (GetValue(ch, kAttrOnOff) == 1)
            GetSettingText(code, ch, texts[static_cast<size_t>(ch)]);
    }
    for (const SettingGroup& group : GroupSettingTexts(texts)) {
        ResetChannels();
        SendRuns(group.member, span, &CKivMeter::SelectChannels);
        WriteSettingText(code, group.text);
    }
}

void CKivMeter::SendChannelSet()
{
    const int span = std::clamp<int>(m_channelSpan, 0, kChannels);
    std::vector<bool> on(static_cast<size_t>(span));
    for (int ch = 0; ch < span; ++ch)
        on[static_cast<size_t>(ch)] = GetValue(ch, kAttrOnOff) == 1;
    ResetChannels();
    SendRuns(on, span, &CKivMeter::SelectChannels);
}

void CKivMeter::SelectAllChannels()
{
    try {
        ResetChannels();
        SelectChannels(1, m_channelSpan);
    } catch (const CZelException&) {
        // Selecting everything only prepares a read-back; its replies say
        // which channels answer.
    }
}

bool CKivMeter::SelectChannelsGuarded(int channel, bool report)
{
    try {
        if (channel == 0) {
            SendChannelSet();
        } else {
            ResetChannels();
            SelectChannels(channel, -1);
        }
        return true;
    } catch (const CZelException& e) {
        if (!report)
            throw;
        ReportFailure(e);
        return false;
    }
}

// ------------------------------------------------------------ read-back

void CKivMeter::ReadBackSetting(int code, bool keepErrors)
{
    fw::CString listed;
    QueryTolerant("SET?", listed);
    fw::CString reply;
    if (!QuerySetting(code, reply))
        return;
    const std::vector<fw::CString> items = SplitItems(reply);
    size_t next = 0;
    const int fields = (listed.GetLength() + 1) / kSetFieldPitch;
    for (int f = 0; f < fields; ++f) {
        const fw::CString field = listed.Mid(f * kSetFieldPitch, 7);
        if (field.Find("ERR") >= 0)
            continue;
        if (next >= items.size())
            break;
        const fw::CString& item = items[next++];
        const int channel = std::atoi(field.Mid(4, 3).c_str());
        // A channel number the unit cannot have names no setting here.
        if (channel < 1 || channel > kChannels)
            continue;
        if (keepErrors || item.Find("ERR") < 0)
            ParseSettingText(code, channel - 1, item);
    }
}

void CKivMeter::ReadBackChannelOnOff()
{
    fw::CString listed;
    QueryTolerant("SET?", listed);
    for (int ch = 0; ch < m_channelSpan; ++ch) {
        if (UnitOfChannel(ch))
            SetValue(ch, kAttrOnOff, 0, true);
    }
    const int fields = (listed.GetLength() + 1) / kSetFieldPitch;
    for (int f = 0; f < fields; ++f) {
        const fw::CString field = listed.Mid(f * kSetFieldPitch, 7);
        if (field.Find("ERR") >= 0)
            continue;
        const int channel = std::atoi(field.Mid(4, 3).c_str());
        if (channel >= 1 && channel <= kChannels && UnitOfChannel(channel - 1))
            SetValue(channel - 1, kAttrOnOff, 1, true);
    }
    RecountChannelsOn();
    RefreshUnitInfo();
}

void CKivMeter::WriteCheckSetting(int code)
{
    if (!IsStrainCheck(code)) {
        ReadBackSetting(code, true);
        return;
    }
    const int span = std::clamp<int>(m_channelSpan, 0, kChannels);
    std::vector<bool> strain(static_cast<size_t>(span));
    bool any = false;
    for (int ch = 0; ch < span; ++ch) {
        const double mode = GetValue(ch, CKivInputUnit::kSensorMode);
        strain[static_cast<size_t>(ch)] = GetValue(ch, kAttrOnOff) == 1 && (mode == kSensor4G20 || mode == kSensor4G05);
        any = any || strain[static_cast<size_t>(ch)];
    }
    ResetChannels();
    SendRuns(strain, span, &CKivMeter::SelectChannels);
    if (any)
        ReadBackSetting(code, true);
    SendChannelSet();
}

// ------------------------------------------------------------ sequences

void CKivMeter::ReportFailure(const std::exception& e)
{
    CKiv406ErrStr texts;
    texts.ReportException(e);
}

bool CKivMeter::WriteSettingGuarded(int code)
{
    try {
        WriteSetting(code);
        return true;
    } catch (const CZelException& e) {
        ReportFailure(e);
        return false;
    }
}

bool CKivMeter::WriteCalibrationOutput(int code)
{
    SetUnitsOutputMode(true);
    bool ok = WriteSettingGuarded(code);
    if (ok && code == 36 && m_firmware >= meterversion::k12A && m_firmware < meterversion::k12C)
        ok = WriteSettingGuarded(35);
    SetUnitsOutputMode(false);
    return ok && SelectChannelsGuarded(0, true);
}

bool CKivMeter::SendAllSettings()
{
    try {
        for (int code : {-1, 9, 10, 12})
            WriteSetting(code);
        SendProgram();
        for (int code : {7, 20, 2, 34, 29, 24, 31, 32, 25, 33})
            WriteSetting(code);
        if (m_firmware >= meterversion::k22A) {
            WriteSetting(49);
            WriteSetting(50);
        }
        SetUnitsOutputMode(true);
        for (int code : {22, 23, 47})
            WriteSetting(code);
        if (m_firmware >= meterversion::k12A)
            WriteSetting(35);
        SetUnitsOutputMode(false);
        if (m_firmware >= meterversion::k14B)
            SendUnit463Settings();
        if (m_firmware >= meterversion::k14A)
            SendUnit465Settings();
        WriteSetting(8);
        SendChannelSet();
        return true;
    } catch (const CZelException& e) {
        SetUnitsOutputMode(false);
        ReportFailure(e);
        return false;
    }
}

bool CKivMeter::ReadAllSettings()
{
    try {
        ReadBackChannelOnOff();
        for (int code : {8, 9, 10, 12, 7, 20, 2, 34, 29, 24, 31, 32, 25, 33})
            ReadBackSetting(code, false);
        if (m_firmware >= meterversion::k22A) {
            ReadBackSetting(49, false);
            ReadBackSetting(50, false);
        }
        SetUnitsOutputMode(true);
        SelectAllChannels();
        for (int code : {22, 23, 47})
            ReadBackSetting(code, false);
        if (m_firmware >= meterversion::k12A)
            ReadBackSetting(35, false);
        SetUnitsOutputMode(false);
        if (m_firmware >= meterversion::k14B)
            ReceiveUnit463Settings();
        if (m_firmware >= meterversion::k14A)
            QueryUnit465Settings();
        SendChannelSet();
        return true;
    } catch (const CZelException& e) {
        SetUnitsOutputMode(false);
        ReportFailure(e);
        return false;
    }
}

void CKivMeter::WriteTriggerLevels()
{
    WriteSetting(12);
    SendChannelSet();
}

void CKivMeter::SendUnit465Settings()
{
    for (const auto& unit : m_units) {
        if (unit && unit->GetRuntimeClass() == FW_RUNTIME_CLASS(CKiv465Unit)) {
            WriteSetting(39);
            WriteSetting(42);
            return;
        }
    }
}

void CKivMeter::QueryUnit465Settings()
{
    for (const auto& unit : m_units) {
        if (unit && unit->GetRuntimeClass() == FW_RUNTIME_CLASS(CKiv465Unit)) {
            for (int code : {39, 40, 41, 42})
                ReadBackSetting(code, false);
            return;
        }
    }
}

void CKivMeter::SendUnit463Settings()
{
    Unit463Services().SendSettings(*this);
}

void CKivMeter::ReceiveUnit463Settings()
{
    Unit463Services().ReceiveSettings(*this);
}

void CKivMeter::ClearCanDuplicateFlags()
{
    Unit463Services().ClearCanDuplicateFlags(*this);
}
