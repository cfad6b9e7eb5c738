#include "instrument/unit/UnitFactory.h"

#include "instrument/KivUnitTypes.h"
#include "instrument/unit/Kiv419Unit.h"
#include "instrument/unit/Kiv464Unit.h"
#include "instrument/unit/Kiv465Unit.h"
#include "instrument/unit/Kiv473Unit.h"
#include "instrument/unit/Kiv4GUnit.h"
#include "instrument/unit/KivVoltInUnit.h"
#include "instrument/unit/KivVoltOutUnit.h"

#include <mutex>

namespace {

template <class T> CKivUnit* Create()
{
    return new T;
}

struct CreatorTable {
    std::mutex lock;
    std::array<UnitCreator, unitcode::kHighest + 1> creators{};

    CreatorTable()
    {
        creators[unitcode::kStrain4G] = &Create<CKiv4GUnit>;
        creators[unitcode::kVoltageIn] = &Create<CKivVoltInUnit>;
        creators[unitcode::kVoltageOut] = &Create<CKivVoltOutUnit>;
        creators[unitcode::kStrain123G] = &Create<CKiv123GUnit>;
        creators[unitcode::kTelemeter] = &Create<CKiv464Unit>;
        creators[unitcode::kDigitalIo] = &Create<CKiv465Unit>;
        creators[unitcode::kCharge] = &Create<CKiv473Unit>;
        creators[unitcode::kCarrierWave] = &Create<CKiv419Unit>;
    }
};

CreatorTable& Table()
{
    static CreatorTable table;
    return table;
}

// Code 6 is a gap in the model numbers, never a unit.
bool IsRegistrable(int typeCode)
{
    return typeCode >= 1 && typeCode <= unitcode::kHighest && typeCode != 6;
}

constexpr int16_t kChannelsPerPort = 8;

} // namespace

void RegisterUnitCreator(int typeCode, UnitCreator creator)
{
    if (!IsRegistrable(typeCode))
        return;
    CreatorTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    table.creators[static_cast<size_t>(typeCode)] = creator;
}

std::unique_ptr<CKivUnit> CreateUnitOfType(int typeCode)
{
    if (!IsRegistrable(typeCode))
        return nullptr;
    UnitCreator creator = nullptr;
    {
        CreatorTable& table = Table();
        std::lock_guard<std::mutex> guard(table.lock);
        creator = table.creators[static_cast<size_t>(typeCode)];
    }
    return std::unique_ptr<CKivUnit>(creator ? creator() : nullptr);
}

UnitPorts CreateUnitsForTypes(const CKivUnitTypes& types)
{
    UnitPorts ports;
    int16_t first = 1;
    for (int port = 0; port < kUnitPorts; ++port) {
        std::unique_ptr<CKivUnit> unit = CreateUnitOfType(types.GetAt(port));
        if (!unit) {
            first = static_cast<int16_t>(first + kChannelsPerPort);
            continue;
        }
        unit->SetFirstChannel(first);
        unit->InitChannels();
        first = static_cast<int16_t>(first + unit->GetChannelCount());
        ports[static_cast<size_t>(port)] = std::move(unit);
    }
    return ports;
}
