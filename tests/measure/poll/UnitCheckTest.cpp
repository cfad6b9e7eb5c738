// The unit check before the panel opens, against emulated control units.

#include "tests/support/link/SequenceFixture.h"

#include "instrument/unit/UnitTexts.h"
#include "measure/model/poll/UnitCheck.h"

namespace {

using seqtest::SequenceTest;

TEST_F(SequenceTest, MatchingUnitsPassTheCheckWithOneStatusQueryEach)
{
    Connect(2, {2, 1});
    EXPECT_FALSE(CheckUnitPorts(system).has_value());
    EXPECT_EQ(CountOf(0, "STA2"), 1);
    EXPECT_EQ(CountOf(1, "STA2"), 1);
}

struct PortCase {
    const char* name;
    int plugged;         // emulated unit in port 3 of the second unit (-1: unknown model text)
    int expected;        // what the project holds there
    unsigned messageId;
};

class UnitCheckCases : public SequenceTest, public ::testing::WithParamInterface<PortCase> {};

TEST_P(UnitCheckCases, TheFirstDifferenceNamesItsBoxPortAndKind)
{
    const PortCase& c = GetParam();
    ConnectEach({{2, 2, 2}, {2, 2, c.expected}});
    Dev(1).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) {
        s.unitTypes[2] = c.plugged < 0 ? 0 : c.plugged;
    });
    if (c.plugged < 0)
        emu.Unit(1).AddCommand("STA2", [](const kivemu::Command&, kivemu::DeviceState&) {
            const std::string known = GetUnitTypeName(2);
            std::string line = known + "," + known + ",KIV-999";
            for (int port = 3; port < 10; ++port)
                line += ",       ";
            return kivemu::Reply::Line(line);
        });
    const auto m = CheckUnitPorts(system);
    ASSERT_TRUE(m.has_value());
    EXPECT_EQ(m->messageId, c.messageId);
    EXPECT_EQ(m->box, 1);
    EXPECT_EQ(m->port, 3);
}

INSTANTIATE_TEST_SUITE_P(Ports, UnitCheckCases,
                         ::testing::Values(PortCase{"NothingPlugged", 0, 2, kMsgNoUnit},
                                           PortCase{"AnotherUnit", 1, 2, kMsgOtherUnit},
                                           PortCase{"UnknownModelWhereNoneExpected", -1, 0, kMsgUnknownUnit}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
