#include "canvoicegps/views/settings/GpsFormText.h"

#include "canvoicegps/CanMesSignal.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/GpsItems.h"
#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/Format.h"
#include "framework/core/StringTable.h"
#include "instrument/meter/KivMeter.h"

#include <cmath>

namespace gpsform {

namespace {

constexpr const char* kCycleTexts[] = {"0.05", "0.1", "0.2", "0.25", "0.5", "1"};
constexpr const char* kReceiverTexts[] = {"使用しない", "KIV-463-1", "KIV-463-2"};
constexpr const char* kLevelTexts[] = {"小", "中", "大"};
constexpr int kSlowReceiver = 2;
constexpr int kFirstSlowCycle = 3;
constexpr uint32_t kFastGpsRate = 115200;
constexpr uint32_t kSlowGpsRate = 57600;

const char* OnOff(bool on) { return on ? "ON" : "OFF"; }

fw::CString NoSourceText()
{
    fw::CString text = fw::LoadStringText(kIdsNoSource);
    return text.IsEmpty() ? fw::CString("割り当てなし") : text;
}

} // namespace

std::vector<int> PortsWithUnits(const CKivMeter& meter)
{
    std::vector<int> ports;
    for (int port = 0; port < CKivMeter::kPorts; ++port)
        if (meter.GetUnitType(port) == CKiv463Unit::kTypeCode && dynamic_cast<CKiv463Unit*>(meter.GetUnit(port)))
            ports.push_back(port);
    return ports;
}

fw::CString TabText(int port) { return fw::Format("Port %d", port + 1); }

fw::CString SlotLabel(int port, int slot) { return fw::Format("ch.%d", port * CKiv463Unit::kSlots + slot); }

fw::CString ItemCaption(int code)
{
    if (!gpsitem::IsItem(code))
        return NoSourceText();
    fw::CString text = fw::LoadStringText(kIdsNoSource + static_cast<unsigned>(code));
    return text.IsEmpty() ? fw::CString(gpsitem::Name(code)) : text;
}

fw::CString SlotCaption(const CKiv463Unit& unit, int slot)
{
    int16_t codes[CKiv463Unit::kSlots] = {};
    unit.GetSlotCodes(codes);
    const int code = codes[slot - 1];
    if (code > gpsitem::kLast) {
        if (const C463CanMesSignal* signal = unit.Messages().FindSignal(code))
            return signal->GetName();
        return NoSourceText();
    }
    return ItemCaption(code);
}

bool IsSlotBlocked(const CKiv463Unit& unit, int slot)
{
    if (slot <= 1)
        return false;
    int16_t codes[CKiv463Unit::kSlots] = {};
    unit.GetSlotCodes(codes);
    return codes[slot - 1] == 0 && gpsitem::TakesTwoSlots(codes[slot - 2]);
}

std::optional<int16_t> SpeedLimitTenths(double kmh)
{
    // A negative entry would be cut to zero; it is refused instead.
    if (!std::isfinite(kmh) || kmh < 0.0)
        return std::nullopt;
    // The small addition keeps a value like 0.3 from falling to 2 tenths.
    const double tenths = std::trunc(kmh * 10.0 + std::ldexp(1.0, -52));
    if (tenths / 10.0 < 0.0 || tenths / 10.0 > 3.6)
        return std::nullopt;
    return static_cast<int16_t>(tenths);
}

std::vector<int> CycleCodes(int receiver)
{
    std::vector<int> codes;
    for (int code = receiver == kSlowReceiver ? kFirstSlowCycle : 0; code <= C463Gps::kMaxCycle; ++code)
        codes.push_back(code);
    return codes;
}

const char* CycleText(int code) { return code >= 0 && code <= C463Gps::kMaxCycle ? kCycleTexts[code] : ""; }

const char* ReceiverText(int receiver)
{
    return receiver >= 0 && receiver <= C463Gps::kMaxReceiver ? kReceiverTexts[receiver] : "";
}

void ApplyReceiver(CKiv463Unit& unit, int receiver)
{
    C463Gps& gps = unit.Gps();
    gps.receiver = static_cast<int16_t>(receiver);
    gps.bitRate = receiver == kSlowReceiver ? kSlowGpsRate : kFastGpsRate;
    if (receiver == kSlowReceiver && gps.cycle < kFirstSlowCycle)
        gps.cycle = kFirstSlowCycle;
}

void WritePortLines(const CKiv463Unit& unit, int port, bool csv, fw::CStringArray& lines)
{
    const char* sep = csv ? "," : "\t";
    auto field = [&](const fw::CString& label, const fw::CString& value) { lines.Add(label + sep + value); };
    const C463Voice& voice = unit.Voice();
    const C463Gps& gps = unit.Gps();
    const C463Can& can = unit.Can();
    lines.Add(TabText(port));
    lines.Add(fw::CString());
    lines.Add(fw::CString("メモリ配分"));
    field("CAN", fw::Format("%u", can.memoryBytes));
    field("音声", fw::Format("%u", voice.memoryBytes));
    field("GPS", fw::Format("%u", gps.memoryBytes));
    field("合計<=6000000", fw::Format("%u", can.memoryBytes + voice.memoryBytes + gps.memoryBytes));
    lines.Add(fw::CString());
    lines.Add(fw::CString("音声"));
    field("音量トリガを使う", OnOff(voice.levelTrigger));
    const int level = voice.triggerLevel >= 1 && voice.triggerLevel <= 3 ? voice.triggerLevel - 1 : 1;
    field("録音開始レベル", kLevelTexts[level]);
    lines.Add(fw::CString());
    lines.Add(fw::CString("CAN"));
    field("通信速度", fw::Format("%u bps", can.bitRate));
    field("バスエラーで再送信しない（シングルショット）", OnOff(can.singleShot));
    field("バスオフが起こっても強制復帰する", OnOff(can.busOffRecovery));
    field("フレーム受信時にACKを出力", OnOff(can.ackOutput));
    lines.Add(fw::CString());
    lines.Add(fw::CString("GPS"));
    field("GPS受信機", ReceiverText(gps.receiver));
    field("通信速度", fw::Format("%u bps", gps.bitRate));
    field("測位間隔", fw::Format("%s sec", CycleText(gps.cycle)));
    field("補正、距離測定を行う", OnOff(gps.speedCorrection));
    lines.Add(fw::CString());
    lines.Add(fw::CString("入力CH用データ"));
    int16_t codes[CKiv463Unit::kSlots] = {};
    unit.GetSlotCodes(codes);
    for (int slot = 1; slot <= CKiv463Unit::kSlots; ++slot)
        field(SlotLabel(port, slot), ItemCaption(codes[slot - 1]));
    lines.Add(fw::CString());
}

} // namespace gpsform
