#include "canvoicegps/views/settings/SlotChoices.h"

#include "canvoicegps/CanNodeArray.h"
#include "canvoicegps/GpsItems.h"
#include "canvoicegps/Kiv463Unit.h"
#include "framework/core/StringTable.h"

namespace slotchoice {

namespace {

struct Item {
    unsigned id;
    const char* text;
    int code;
};

constexpr Item kPlain[] = {{750, "経度、0.0000001°単位", 11}, {751, "緯度、0.0000001°単位", 12},
                           {752, "標高、1m単位", 13},         {753, "速度、0.1km/h単位", 14},
                           {754, "方位、0.1°単位", 15}};
constexpr Item kCorrected[] = {{742, "補正経度、0.0000001°単位", 3}, {743, "補正緯度、0.0000001°単位", 4},
                               {744, "補正標高、1m単位", 5},         {745, "補正速度、0.1km/h単位", 6},
                               {748, "距離、0.01m単位", 9},          {749, "電圧入力", 10}};

fw::CString Text(unsigned id, const char* fallback)
{
    fw::CString text = fw::LoadStringText(id);
    return text.IsEmpty() ? fw::CString(fallback) : text;
}

template <size_t N> void AddItems(CSlotChoice& parent, const Item (&items)[N], bool lastSlot)
{
    for (const Item& item : items) {
        // A two-slot item does not fit in the last slot.
        if (lastSlot && gpsitem::TakesTwoSlots(item.code))
            continue;
        parent.children.push_back({Text(item.id, item.text), item.code + 1, {}});
    }
}

} // namespace

std::vector<CSlotChoice> Build(const CKiv463Unit& unit, const CSlotChoiceInputs& inputs)
{
    std::vector<CSlotChoice> top;
    top.push_back({Text(739, "割り当てなし"), kNoSource, {}});
    CSlotChoice plain{Text(787, "GPSデータ"), 0, {}};
    if (inputs.receiver)
        AddItems(plain, kPlain, inputs.lastSlot);
    top.push_back(std::move(plain));
    CSlotChoice corrected{Text(788, "GPS補正データ"), 0, {}};
    if (inputs.receiver && inputs.speedCorrection)
        AddItems(corrected, kCorrected, inputs.lastSlot);
    top.push_back(std::move(corrected));
    CSlotChoice messages{Text(794, "受信メッセージ"), 0, {}};
    if (!inputs.speedCorrection) {
        for (int entry = 0; entry < CCanNodeArray::kEntries; ++entry) {
            const C463CanMesNode* message = unit.Messages().GetAt(entry);
            if (!message || message->IsSend())
                continue;
            CSlotChoice node{message->GetName(), 0, {}};
            for (int i = 0; i < message->Signals().GetSize(); ++i)
                if (const C463CanMesSignal* signal = message->Signals().GetAt(i))
                    node.children.push_back({signal->GetName(), signal->GetCode(), {}});
            messages.children.push_back(std::move(node));
        }
    }
    top.push_back(std::move(messages));
    return top;
}

int SlotCodeOf(int value) { return value >= CKiv463Unit::kFirstSignalCode ? value : value - 1; }

} // namespace slotchoice
