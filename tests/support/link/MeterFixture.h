#pragma once

// A control unit object bound to an emulated KIV-406 on a loopback port,
// with the emulator's meter commands installed.

#include "framework/core/testing/ServiceScope.h"
#include "instrument/KivUnitTypes.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterClasses.h"
#include "instrument/unit/UnitClasses.h"
#include "tests/emulator/MeterCommands.h"
#include "tests/support/link/LinkFixture.h"
#include "tests/support/link/LinkTestSupport.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace metertest {

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

// A control unit with units, not bound to any link.
class MeterModelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RegisterUnitClasses();
        RegisterMeterClasses();
    }

    void Install(std::initializer_list<int> codes)
    {
        meter.InstallUnits(Types(codes));
        meter.InitArrays();
    }

    void AllOff()
    {
        for (int ch = 0; ch < meter.GetChannelSpan(); ++ch) {
            if (meter.GetUnit(ch / 8))
                meter.SetValue(ch, 0, 0, true);
        }
        meter.RecountChannelsOn();
    }

    fw::test::ServiceScope services;
    CKivMeter meter;
};

class MeterLinkTest : public kivtest::LinkFixture {
protected:
    static void SetUpTestSuite()
    {
        RegisterUnitClasses();
        RegisterMeterClasses();
    }

    void SetUp() override
    {
        kivtest::LinkFixture::SetUp();
        meter.SetAddress(0);
        meter.SetIpPort(kivtest::kLoopbackIp, emu.Port(0));
        meter.SetInterface(&link);
        link.Open();
    }

    // Units in the object and the same type codes in the emulated unit.
    void Install(std::initializer_list<int> codes)
    {
        meter.InstallUnits(metertest::Types(codes));
        meter.InitArrays();
        device.With([&](kivemu::MeterDevice&, kivemu::DeviceState& s) {
            s.unitTypes.fill(0);
            int p = 0;
            for (int code : codes)
                s.unitTypes[static_cast<size_t>(p++)] = code;
        });
    }

    void SetFirmware(const std::string& version)
    {
        device.With([&](kivemu::MeterDevice&, kivemu::DeviceState& s) { s.firmware = version; });
    }

    void AllOff()
    {
        for (int ch = 0; ch < meter.GetChannelSpan(); ++ch) {
            if (meter.GetUnit(ch / 8))
                meter.SetValue(ch, 0, 0, true);
        }
        meter.RecountChannelsOn();
    }

    // The lines the unit received since the last call.
    std::vector<std::string> NewLines()
    {
        std::vector<std::string> all = Lines();
        std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(m_seen), all.end());
        m_seen = all.size();
        return fresh;
    }

    void ForgetLines() { m_seen = Lines().size(); }

    fw::test::ServiceScope services;
    kivemu::MeterEmulator device{Unit()};
    CKivMeter meter;

private:
    size_t m_seen = 0;
};

using Lines_t = std::vector<std::string>;

} // namespace metertest
