#include "measure/model/CanDecode.h"

#include "canvoicegps/CanMesNode.h"
#include "canvoicegps/CanMesSignal.h"
#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/CanSigArray.h"
#include "common/calc/CashCalcuDataTank.h"
#include "common/calc/GpsCanTankLists.h"
#include "common/tank/DataTankObject.h"
#include "common/tank/ZELDataPoter.h"
#include "framework/core/StringTable.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kRecordHead = 6;
constexpr int kMaxDataBytes = 8;
constexpr int kTankGrowth = 100;
constexpr int32_t kTimeKind = 24;
constexpr int32_t kWideSignalKind = 22;
constexpr int32_t kSignalKind = -1;
constexpr int kWideSignalBits = 19;
constexpr int16_t kTimeFormat = 3;
constexpr unsigned kIdsMeasuringTime = 159;

void Grow(C463CanMesNode& message, int size)
{
    if (CDataTankObject* time = message.GetTimeStampTank())
        time->SetSize(size, true);
    CCanSigArray& signals = message.Signals();
    for (int s = 0; s < signals.GetSize(); ++s) {
        if (C463CanMesSignal* signal = signals.GetAt(s); signal && signal->GetValueTank())
            signal->GetValueTank()->SetSize(size, true);
    }
}

void CloseTank(CDataTankObject* tank, int count, bool withMean)
{
    if (!tank)
        return;
    tank->SetSize(count, false);
    double max = HUGE_VAL;
    double min = HUGE_VAL;
    GetTankMaxMin(tank, max, min, 0, -1);
    tank->SetMax(max);
    tank->SetMin(min);
    if (withMean)
        tank->SetAverage(GetTankAverage(tank, 0, -1));
    if (auto* cache = dynamic_cast<CCashCalcuDataTank*>(tank))
        cache->ReleaseCacheWindow();
}

} // namespace

int CanBlockLength(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 2)
        return -1;
    int16_t length;
    std::memcpy(&length, bytes.data(), 2);
    return length;
}

int DecodeCanBlock(CCanNodeArray& messages, std::span<const uint8_t> block, CanFrameCounters& counters)
{
    int frames = 0;
    size_t pos = kCanMinBlockBytes;
    while (pos + kRecordHead <= block.size()) {
        const uint8_t* record = block.data() + pos;
        const int n = static_cast<int8_t>(record[5]);
        if (n < 1 || n > kMaxDataBytes || pos + kRecordHead + static_cast<size_t>(n) > block.size())
            break;
        const int slot = static_cast<int8_t>(record[4]);
        pos += kRecordHead + static_cast<size_t>(n);
        C463CanMesNode* message = slot >= 1 && slot <= CCanNodeArray::kEntries ? messages.GetAt(slot - 1) : nullptr;
        if (!message)
            continue;
        int& counter = counters[static_cast<size_t>(slot - 1)];
        if (CDataTankObject* time = message->GetTimeStampTank(); time && time->GetDataCount() == counter)
            Grow(*message, counter + kTankGrowth);
        uint32_t stamp;
        std::memcpy(&stamp, record, 4);
        uint64_t intel = 0;
        uint64_t motorola = 0;
        for (int i = 0; i < n; ++i) {
            intel |= static_cast<uint64_t>(record[kRecordHead + i]) << (8 * i);
            motorola = (motorola << 8) | record[kRecordHead + i];
        }
        if (message->StoreFrame(intel, motorola, stamp, n, counter)) {
            ++counter;
            ++frames;
        }
    }
    return frames;
}

int64_t WalkCanBlocks(CCanNodeArray* messages, std::span<const uint8_t> bytes, CanFrameCounters& counters,
                      int64_t& damagedAt)
{
    size_t pos = 0;
    for (;;) {
        const int length = CanBlockLength(bytes.subspan(pos));
        if (length < 0)
            return static_cast<int64_t>(pos);
        // Lengths 0 and 1 would step nowhere or into the block itself.
        if (length < kCanMinBlockBytes) {
            damagedAt = static_cast<int64_t>(pos);
            return -1;
        }
        if (pos + static_cast<size_t>(length) > bytes.size())
            return static_cast<int64_t>(pos);
        if (messages)
            DecodeCanBlock(*messages, bytes.subspan(pos, static_cast<size_t>(length)), counters);
        pos += static_cast<size_t>(length);
    }
}

void ReadCanDatabase(CCanNodeArray& messages, std::string_view header)
{
    static constexpr std::string_view kBlockStart = "[CAN_MESSAGE_";
    size_t at = header.find(kBlockStart);
    while (at != std::string_view::npos) {
        const size_t lineEnd = header.find('\n', at);
        if (lineEnd == std::string_view::npos)
            return;
        const std::string_view line = header.substr(at, lineEnd - at);
        size_t position = lineEnd + 1;
        if (line.rfind(CCanNodeArray::kReceiveHeader, 0) == 0)
            messages.ReadMessages(CCanNodeArray::kReceive, header, position);
        else if (line.rfind(CCanNodeArray::kSendHeader, 0) == 0)
            messages.ReadMessages(CCanNodeArray::kSend, header, position);
        at = header.find(kBlockStart, std::max(position, lineEnd + 1));
    }
}

int64_t CanFileOffset(std::span<const uint8_t> firstBytes)
{
    const std::string_view text(reinterpret_cast<const char*>(firstBytes.data()), firstBytes.size());
    const size_t at = text.find("FILE_OFFSET");
    if (at == std::string_view::npos || at + 12 >= text.size())
        return -1;
    const std::string rest(text.substr(at + 12, std::min<size_t>(20, text.size() - at - 12)));
    return std::atol(rest.c_str());
}

void BuildCanTanks(CCanDataTankList& list, CCanNodeArray& messages)
{
    int channel = list.GetSize();
    for (int e = 0; e < CCanNodeArray::kEntries; ++e) {
        C463CanMesNode* message = messages.GetAt(e);
        if (!message)
            continue;
        CCanSigArray& signals = message->Signals();
        for (int s = 0; s < signals.GetSize(); ++s) {
            C463CanMesSignal* signal = signals.GetAt(s);
            if (!signal || (message->GetTimeStampTank() && signal->GetValueTank()))
                continue;
            signal->UpdateBitMask();
            // One time tank per message, listed once.
            if (!message->GetTimeStampTank()) {
                CDataTankObject* time = list.CreateSignalTank(channel++, kTimeKind, kTankGrowth);
                message->AttachTimeStampTank(time);
                time->SetName(fw::LoadStringText(kIdsMeasuringTime));
                time->SetUnit("sec");
                time->SetFormat(kTimeFormat);
            }
            if (!signal->GetValueTank()) {
                const int32_t kind = signal->GetLength() > kWideSignalBits ? kWideSignalKind : kSignalKind;
                CDataTankObject* value = list.CreateSignalTank(channel++, kind, kTankGrowth);
                signal->AttachValueTank(value);
                value->SetName(signal->GetName());
                value->SetUnit(signal->GetUnit().IsEmpty() || signal->GetUnit()[0] == ' ' ? fw::CString() : signal->GetUnit());
                value->SetFormat(signal->GetDecimals());
            }
        }
    }
}

void FinishCanTanks(CCanNodeArray& messages, const CanFrameCounters& counters)
{
    for (int e = 0; e < CCanNodeArray::kEntries; ++e) {
        C463CanMesNode* message = messages.GetAt(e);
        const int frames = counters[static_cast<size_t>(e)];
        if (!message || frames <= 0)
            continue;
        CloseTank(message->GetTimeStampTank(), frames, false);
        CCanSigArray& signals = message->Signals();
        for (int s = 0; s < signals.GetSize(); ++s) {
            if (C463CanMesSignal* signal = signals.GetAt(s))
                CloseTank(signal->GetValueTank(), frames, true);
        }
    }
}
