#pragma once

// Helpers of the measuring-system tests: class registration, unit sets,
// profiles and the tanks a box's channels write into.

#include "common/calc/CalcClasses.h"
#include "common/tank/FltDataTank.h"
#include "framework/core/testing/ServiceScope.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/system/SystemClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "instrument/unit/UnitFactory.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace systest {

inline void RegisterClassesOnce()
{
    RegisterUnitClasses();
    RegisterMeterClasses();
    RegisterCalcClasses();
    RegisterSystemClasses();
}

// Unit type codes from port 0 on; the other ports empty.
inline CKivUnitTypes Types(std::initializer_list<int> codes)
{
    CKivUnitTypes types;
    for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
        types.SetAt(p, 0);
    int p = 0;
    for (int code : codes)
        types.SetAt(p++, code);
    return types;
}

inline std::unique_ptr<CKivMeter> MeterWith(std::initializer_list<int> codes)
{
    auto meter = std::make_unique<CKivMeter>();
    meter->InstallUnits(Types(codes));
    meter->InitArrays();
    return meter;
}

// One entry per control unit, each with its unit set.
inline CMeterInterfacePrf Profile(std::initializer_list<CKivUnitTypes> units)
{
    CMeterInterfacePrf profile;
    profile.SetCount(static_cast<int>(units.size()));
    int i = 0;
    for (const CKivUnitTypes& types : units) {
        profile.m_unitTypes[static_cast<size_t>(i)] = types;
        profile.m_ipAddress[static_cast<size_t>(i)] = 0x7F000001;
        profile.m_port[static_cast<size_t>(i)] = 50000 + i;
        profile.m_serialNo[static_cast<size_t>(i)] = static_cast<int16_t>(100 + i);
        ++i;
    }
    return profile;
}

// Plain float tanks of `count` values, owned by the test.
struct Tanks {
    explicit Tanks(int channels, int count = 16)
    {
        for (int i = 0; i < channels; ++i) {
            auto tank = std::make_unique<CFltDataTank>();
            tank->InitDefault(true);
            tank->SetSize(count, true);
            list.push_back(std::move(tank));
        }
    }
    std::vector<std::unique_ptr<CFltDataTank>> list;
};

} // namespace systest
