// The settings text of the CAN/voice/GPS unit: bracketed key lines, then
// the CAN database blocks. The control unit keeps it as the unit's settings
// file and hands it to the unit.

#include "canvoicegps/Kiv463Unit.h"

#include "canvoicegps/CanTextError.h"
#include "canvoicegps/CanTextScan.h"
#include "canvoicegps/CanVoiceGpsStrings.h"
#include "canvoicegps/GpsItems.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kFixedLines = 22;
constexpr int kInitialLines = 100;
constexpr std::string_view kMonitorKey = "[GPS_MONITOR";

// Every text the program writes holds these keys; one that lacks any of them
// was cut short, and reading it would quietly put defaults in their place.
constexpr std::string_view kRequiredKeys[] = {
    "[VERSION]", "[GPS_STORAGE_SIZE]", "[GPS_BOUDRATE]", "[GPS_RECEIVER]", "[GPS_SPEED_CORRECT]",
    "[GPS_SPEED_LIMIT_L]", "[GPS_CYCLE]", "[GPS_MONITOR1]", "[GPS_MONITOR2]", "[GPS_MONITOR3]",
    "[GPS_MONITOR4]", "[GPS_MONITOR5]", "[GPS_MONITOR6]", "[GPS_MONITOR7]", "[GPS_MONITOR8]",
    "[VOICE_STORAGE_SIZE]", "[VOICE_TRIG_LEVEL]", "[CAN_STORAGE_SIZE]", "[CAN_CYCLETIME]",
    "[CAN_SINGLE_SHOT]", "[CAN_RETURN_BUS_OFF]", "[CAN_RETURN_ACK]",
};

// The parts a text describes, filled before any of them reaches the unit.
struct ReadSettings {
    C463Voice voice;
    C463Gps gps;
    C463Can can;
};

char Flag(bool on)
{
    return on ? '1' : '0';
}

bool IsBlankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    void Run(ReadSettings& out);

private:
    [[noreturn]] void Fail(unsigned reasonId, std::string_view detail = {}) const
    {
        cantext::ThrowTextError(m_lineNo, reasonId, detail);
    }
    [[noreturn]] void BadValue() const { Fail(cvgstr::kBadValue, m_key); }

    uint32_t Unsigned() const;
    int32_t Integer(int32_t low, int32_t high) const;
    bool OnOff() const { return Integer(0, 1) != 0; }
    void Monitor(ReadSettings& out) const;
    void Key(ReadSettings& out, size_t& position);

    void CheckComplete() const;

    std::string_view m_text;
    std::vector<std::string_view> m_seen;
    int m_lineNo = 0;
    std::string_view m_key;
    std::string_view m_value;
};

uint32_t Reader::Unsigned() const
{
    cantext::Scanner s(m_value);
    uint32_t v = 0;
    if (!s.ReadUInt32(v) || !s.AtEnd())
        BadValue();
    return v;
}

int32_t Reader::Integer(int32_t low, int32_t high) const
{
    cantext::Scanner s(m_value);
    int16_t v = 0;
    if (!s.ReadInt16(v) || !s.AtEnd() || v < low || v > high)
        BadValue();
    return v;
}

void Reader::Monitor(ReadSettings& out) const
{
    // "[GPS_MONITOR<n>]" with n = 1..8.
    const std::string_view number = m_key.substr(kMonitorKey.size(), m_key.size() - kMonitorKey.size() - 1);
    if (number.size() != 1 || number[0] < '1' || number[0] > '8')
        Fail(cvgstr::kUnknownKey, m_key);
    const int slot = number[0] - '1';
    // A value that names no item (empty for a slot without GPS item, or fed
    // by a CAN signal) leaves the slot to the signals.
    const int code = gpsitem::CodeOfName(std::string(m_value).c_str());
    if (gpsitem::TakesTwoSlots(code) && slot == CKiv463Unit::kSlots - 1)
        Fail(cvgstr::kTwoSlotItemInLastSlot);
    out.gps.monitorItems[static_cast<size_t>(slot)] = static_cast<int16_t>(code);
    // An item in 32 bits takes the next slot as well.
    if (gpsitem::TakesTwoSlots(code))
        out.gps.monitorItems[static_cast<size_t>(slot + 1)] = 0;
}

void Reader::Key(ReadSettings& out, size_t& position)
{
    const std::string_view k = m_key;
    if (k == "[VERSION]") {
        // Only "1.0A" exists; the version changes nothing in the reading.
    } else if (k == "[GPS_STORAGE_SIZE]") {
        out.gps.memoryBytes = Unsigned();
    } else if (k == "[GPS_BOUDRATE]") {
        out.gps.bitRate = Unsigned();
    } else if (k == "[GPS_RECEIVER]") {
        // Written after a minus sign: "-0" none, "-1", "-2".
        out.gps.receiver = static_cast<int16_t>(std::abs(Integer(-C463Gps::kMaxReceiver, C463Gps::kMaxReceiver)));
    } else if (k == "[GPS_SPEED_CORRECT]") {
        out.gps.speedCorrection = OnOff();
    } else if (k == "[GPS_SPEED_LIMIT_L]") {
        cantext::Scanner s(m_value);
        double kmh = 0.0;
        if (!s.ReadDouble(kmh) || !s.AtEnd() || kmh < 0.0 || kmh * 10.0 > INT16_MAX)
            BadValue();
        out.gps.lowerSpeedLimit = static_cast<int16_t>(std::trunc(kmh * 10.0));
    } else if (k == "[GPS_CYCLE]") {
        out.gps.cycle = Integer(0, C463Gps::kMaxCycle);
    } else if (k.substr(0, kMonitorKey.size()) == kMonitorKey) {
        Monitor(out);
    } else if (k == "[VOICE_STORAGE_SIZE]") {
        out.voice.memoryBytes = Unsigned();
    } else if (k == "[VOICE_TRIG_LEVEL]") {
        const int level = Integer(0, C463Voice::kMaxTriggerLevel);
        out.voice.levelTrigger = level != 0;
        if (level != 0)
            out.voice.triggerLevel = static_cast<int16_t>(level);
    } else if (k == "[CAN_STORAGE_SIZE]") {
        out.can.memoryBytes = Unsigned();
    } else if (k == "[CAN_CYCLETIME]") {
        // The bus bit rate, whatever the key says.
        out.can.bitRate = Unsigned();
    } else if (k == "[CAN_SINGLE_SHOT]") {
        out.can.singleShot = OnOff();
    } else if (k == "[CAN_RETURN_BUS_OFF]") {
        out.can.busOffRecovery = OnOff();
    } else if (k == "[CAN_RETURN_ACK]") {
        out.can.ackOutput = OnOff();
    } else if (k == CCanNodeArray::kReceiveHeader || k == CCanNodeArray::kSendHeader) {
        if (!m_value.empty())
            BadValue();
        out.can.messages.ReadMessages(k == CCanNodeArray::kSendHeader, m_text, position);
    } else {
        Fail(cvgstr::kUnknownKey, k);
    }
}

void Reader::Run(ReadSettings& out)
{
    size_t position = 0;
    std::string_view line;
    for (size_t start = 0; cantext::NextLine(m_text, position, line); start = position) {
        m_lineNo = cantext::LineNumberAt(m_text, start);
        if (IsBlankLine(line))
            continue;
        line = Trimmed(line);
        const size_t close = line.find(']');
        if (line.front() != '[' || close == std::string_view::npos)
            Fail(cvgstr::kNotAKeyLine);
        m_key = line.substr(0, close + 1);
        m_value = Trimmed(line.substr(close + 1));
        // The control unit's file may keep the line that closed the
        // transfer; nothing after it belongs to the settings.
        if (m_key == "[END]")
            break;
        Key(out, position);
        m_seen.push_back(m_key);
    }
    CheckComplete();
}

void Reader::CheckComplete() const
{
    for (std::string_view key : kRequiredKeys)
        if (std::find(m_seen.begin(), m_seen.end(), key) == m_seen.end())
            cantext::ThrowTextError(cantext::LineNumberAt(m_text, m_text.size()), cvgstr::kKeyMissing, key);
}

} // namespace

void CKiv463Unit::WriteSettingsText(fw::CStringArray& lines) const
{
    lines.SetSize(kInitialLines);
    fw::CString line;
    int n = 0;
    auto put = [&](const fw::CString& text) { lines.SetAtGrow(n++, text); };

    put("[VERSION] 1.0A");
    line.Format("[GPS_STORAGE_SIZE] %u", m_gps.memoryBytes);
    put(line);
    line.Format("[GPS_BOUDRATE] %u", m_gps.bitRate);
    put(line);
    line.Format("[GPS_RECEIVER] -%d", static_cast<int>(m_gps.receiver));
    put(line);
    line.Format("[GPS_SPEED_CORRECT] %c", Flag(m_gps.speedCorrection));
    put(line);
    line.Format("[GPS_SPEED_LIMIT_L] %.1f", m_gps.lowerSpeedLimit / 10.0);
    put(line);
    line.Format("[GPS_CYCLE] %d", static_cast<int>(m_gps.cycle));
    put(line);
    for (int slot = 0; slot < kSlots; ++slot) {
        line.Format("[GPS_MONITOR%d] %s", slot + 1, gpsitem::Name(m_gps.monitorItems[static_cast<size_t>(slot)]));
        put(line);
    }
    line.Format("[VOICE_STORAGE_SIZE] %u", m_voice.memoryBytes);
    put(line);
    line.Format("[VOICE_TRIG_LEVEL] %d", m_voice.levelTrigger ? static_cast<int>(m_voice.triggerLevel) : 0);
    put(line);
    line.Format("[CAN_STORAGE_SIZE] %u", m_can.memoryBytes);
    put(line);
    line.Format("[CAN_CYCLETIME] %u", m_can.bitRate);
    put(line);
    line.Format("[CAN_SINGLE_SHOT] %c", Flag(m_can.singleShot));
    put(line);
    line.Format("[CAN_RETURN_BUS_OFF] %c", Flag(m_can.busOffRecovery));
    put(line);
    line.Format("[CAN_RETURN_ACK] %c", Flag(m_can.ackOutput));
    put(line);
    static_assert(kFixedLines == 22);
    m_can.messages.WriteMessages(CCanNodeArray::kReceive, lines, n);
    m_can.messages.WriteMessages(CCanNodeArray::kSend, lines, n);
    lines.SetSize(n);
}

void CKiv463Unit::ReadSettingsText(std::string_view text)
{
    // A block from the control unit is text up to its first NUL.
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    ReadSettings read;
    Reader(text).Run(read);
    SetDefaults();
    m_voice = read.voice;
    m_gps = read.gps;
    m_can = read.can;
    RestoreSlotCodes();
}
