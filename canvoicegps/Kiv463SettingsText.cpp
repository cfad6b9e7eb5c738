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
#include <limits>
#include <string>

namespace {

constexpr int kFixedLines = 22;
constexpr int kInitialLines = 100;
constexpr std::string_view kMonitorKey = "GPS_MONITOR";

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

std::string_view Trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

template <class T> T Clamped(long long value)
{
    return static_cast<T>(std::clamp<long long>(value, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// Reads the key lines of a settings text. The control unit keeps the text
// the program sent, so a text from another firmware may lack keys or carry
// keys and lines this reader does not know: those keep their defaults or
// are passed over. Only what cannot be held (a data slot outside the eight,
// a CAN signal outside a 64-bit frame) refuses the text.
class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    void Run(ReadSettings& out);

private:
    long long Integer() const { return cantext::LeadingInteger(m_value); }
    uint32_t Unsigned() const { return Clamped<uint32_t>(Integer()); }
    int16_t Short() const { return Clamped<int16_t>(Integer()); }
    bool OnOff() const { return Integer() == 1; }
    void Monitor(ReadSettings& out) const;
    void Key(ReadSettings& out, size_t& position);

    std::string_view m_text;
    int m_lineNo = 0;
    std::string_view m_key; // without its brackets
    std::string_view m_value;
};

void Reader::Monitor(ReadSettings& out) const
{
    const long long number = cantext::LeadingInteger(m_key.substr(kMonitorKey.size()));
    if (number < 1 || number > CKiv463Unit::kSlots)
        cantext::ThrowTextError(m_lineNo, cvgstr::kBadSlotLine);
    const auto slot = static_cast<size_t>(number - 1);
    // A value that names no item (empty for a slot without GPS item, or fed
    // by a CAN signal) leaves the slot to the signals.
    out.gps.monitorItems[slot] = static_cast<int16_t>(gpsitem::CodeOfName(std::string(m_value).c_str()));
}

// An item in 32 bits takes its slot and the next one; the last slot has no
// next one, so there it cannot stay. Lines in any order give one layout.
void KeepTwoSlotItemsWhole(std::array<int16_t, CKiv463Unit::kSlots>& items)
{
    for (size_t slot = 0; slot < items.size(); ++slot) {
        if (!gpsitem::TakesTwoSlots(items[slot]))
            continue;
        if (slot + 1 == items.size())
            items[slot] = 0;
        else
            items[++slot] = 0;
    }
}

void Reader::Key(ReadSettings& out, size_t& position)
{
    const std::string_view k = m_key;
    if (k == "GPS_STORAGE_SIZE") {
        out.gps.memoryBytes = Unsigned();
    } else if (k == "GPS_BOUDRATE") {
        out.gps.bitRate = Unsigned();
    } else if (k == "GPS_RECEIVER") {
        // Written after a minus sign: "-0" none, "-1", "-2".
        out.gps.receiver = Clamped<int16_t>(std::llabs(Integer()));
    } else if (k == "GPS_SPEED_CORRECT") {
        out.gps.speedCorrection = OnOff();
    } else if (k == "GPS_SPEED_LIMIT_L") {
        const double kmh = cantext::LeadingReal(m_value);
        out.gps.lowerSpeedLimit = Clamped<int16_t>(static_cast<long long>(std::clamp(kmh * 10.0, -1e9, 1e9)));
    } else if (k == "GPS_CYCLE") {
        out.gps.cycle = Clamped<int32_t>(Integer());
    } else if (k.substr(0, kMonitorKey.size()) == kMonitorKey) {
        Monitor(out);
    } else if (k == "VOICE_STORAGE_SIZE") {
        out.voice.memoryBytes = Unsigned();
    } else if (k == "VOICE_TRIG_LEVEL") {
        const int16_t level = Short();
        out.voice.levelTrigger = level != 0;
        if (level != 0)
            out.voice.triggerLevel = level;
    } else if (k == "CAN_STORAGE_SIZE") {
        out.can.memoryBytes = Unsigned();
    } else if (k == "CAN_CYCLETIME") {
        // The bus bit rate, whatever the key says.
        out.can.bitRate = Unsigned();
    } else if (k == "CAN_SINGLE_SHOT") {
        out.can.singleShot = OnOff();
    } else if (k == "CAN_RETURN_BUS_OFF") {
        out.can.busOffRecovery = OnOff();
    } else if (k == "CAN_RETURN_ACK") {
        out.can.ackOutput = OnOff();
    } else if (k == "CAN_MESSAGE_RECEIVE" || k == "CAN_MESSAGE_SEND") {
        out.can.messages.ReadMessages(k == "CAN_MESSAGE_SEND", m_text, position);
    }
    // "[VERSION]" changes nothing in the reading; other keys are not ours.
}

void Reader::Run(ReadSettings& out)
{
    size_t position = 0;
    std::string_view line;
    for (size_t start = 0; cantext::NextLine(m_text, position, line); start = position) {
        m_lineNo = cantext::LineNumberAt(m_text, start);
        if (!cantext::SplitKeyLine(line, m_key, m_value))
            continue;
        m_value = Trimmed(m_value);
        Key(out, position);
    }
    KeepTwoSlotItemsWhole(out.gps.monitorItems);
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
