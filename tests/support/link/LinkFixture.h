#pragma once

#include "instrument/MeterSocket.h"
#include "tests/emulator/Emulator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace kivtest {

inline constexpr uint32_t kLoopbackIp = 0x7F000001;

// Emulated control units on loopback ports and a LAN link with one slot
// per unit, opened. Time-outs are short: 0 s rounds to half a second.
class LinkFixture : public ::testing::Test {
protected:
    explicit LinkFixture(int units = 1)
    {
        for (int i = 0; i < units; ++i)
            emu.AddUnit();
    }

    void SetUp() override
    {
        link.SetReplyTimeout(0);
        AddSlots();
        link.Open();
    }

    // Slot i of the link names unit i (unconnected until the link opens).
    void AddSlots()
    {
        for (size_t i = 0; i < emu.UnitCount(); ++i)
            link.SetSlot(static_cast<int>(i), kLoopbackIp, emu.Port(i));
    }

    kivemu::ControlUnit& Unit(int i = 0) { return emu.Unit(i); }
    std::vector<std::string> Lines(int i = 0) { return emu.Unit(i).GetTranscript().Lines(); }

    // Waits until unit i has answered `count` commands in all.
    void WaitAnswered(size_t count, int i = 0)
    {
        ASSERT_TRUE(emu.Unit(i).WaitRepliesSent(count, std::chrono::milliseconds(10000)));
    }

    kivemu::Emulator emu;
    CMeterSocket link;
};

class TwoUnitLinkFixture : public LinkFixture {
protected:
    TwoUnitLinkFixture() : LinkFixture(2) {}
};

} // namespace kivtest
