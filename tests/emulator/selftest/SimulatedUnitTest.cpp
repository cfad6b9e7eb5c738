// The answers of a unit as kivsim serves it, in the forms the program reads.

#include "tests/emulator/SimulatedUnit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using kivemu::DeviceState;
using kivemu::MeasureDevice;
using kivemu::MeterDevice;

class SimulatedUnitTest : public ::testing::Test {
protected:
    // Ports: 4-gauge, voltage output, empty, CAN/voice/GPS.
    kivemu::ControlUnit unit;
    kivemu::SimulatedUnit sim{unit, 1, {1, 3, 0, 8}};

    // The reply bytes of one command.
    std::string Ask(const std::string& line)
    {
        const kivemu::ReplyPlan plan = unit.Handle(line);
        return std::string(plan.bytes.begin(), plan.bytes.end());
    }
    // The reply line of one command, without its line end.
    std::string Line(const std::string& line)
    {
        std::string reply = Ask(line);
        EXPECT_GE(reply.size(), 2u) << line;
        EXPECT_EQ(reply.substr(reply.size() < 2 ? 0 : reply.size() - 2), "\r\n") << line;
        return reply.substr(0, reply.size() < 2 ? 0 : reply.size() - 2);
    }
    // Lines up to and with "END".
    std::vector<std::string> List(const std::string& line)
    {
        std::vector<std::string> lines;
        const std::string reply = Ask(line);
        for (size_t pos = 0; pos < reply.size();) {
            const size_t end = reply.find("\r\n", pos);
            lines.push_back(reply.substr(pos, end - pos));
            pos = end == std::string::npos ? reply.size() : end + 2;
        }
        return lines;
    }
    // Polls until the unit is in standby again; the number of polls.
    int PollToStandby()
    {
        for (int polls = 1; polls < 10000; ++polls) {
            if (Line("STA1").rfind("1,", 0) == 0)
                return polls;
        }
        ADD_FAILURE() << "never back in standby";
        return 0;
    }
};

TEST_F(SimulatedUnitTest, IdentityAnswers)
{
    // Ten model texts of seven characters at a pitch of eight.
    const std::string models = Line("STA2");
    ASSERT_EQ(models.size(), 79u);
    const char* expected[] = {"KIV-417", "KIV-437", "-------", "KIV-463", "-------",
                              "-------", "-------", "-------", "-------", "-------"};
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(models.substr(static_cast<size_t>(8 * k), 7), expected[k]) << k;

    // The USB link needs seven characters and reads the serial from the fourth.
    const std::string serial = Line("STA3");
    EXPECT_GE(serial.size(), 7u);
    EXPECT_EQ(std::atoi(serial.c_str() + 3), 1);

    EXPECT_EQ(Line("STA10"), "1");
    unit.WithState([](DeviceState& s) { s.analysisState = 99; });
    EXPECT_EQ(Line("STA10"), "99");

    // Every unit reports its firmware; empty ports four hyphens.
    EXPECT_EQ(Line("STA4"), "1.2A,1.2A,----,1.2A,----,----,----,----,----,----");
}

TEST_F(SimulatedUnitTest, PowerUpSelectsTheChannelsOfItsUnits)
{
    const std::string listed = Line("SET?");
    // 24 fields of seven characters at a pitch of eight.
    ASSERT_EQ(listed.size(), 24u * 8 - 1);
    EXPECT_EQ(listed.substr(0, 7), "CH  001");
    EXPECT_EQ(listed.substr(16 * 8, 7), "CH  025");
    EXPECT_EQ(listed.find("ERR"), std::string::npos);
}

TEST_F(SimulatedUnitTest, AddressAndFirmwareUpdateAnswers)
{
    EXPECT_EQ(Line("Z-IPPORT-SET 192.168.001.020/50010+255.255.255.000/192.168.001.254"), "OK");
    EXPECT_EQ(Line("Z-IPPORT-SET 192.168.001.021/50011+255.255.255.000"), "OK");
    EXPECT_EQ(unit.WithState([](DeviceState& s) { return s.ipPortSetting; }),
              "192.168.001.021/50011+255.255.255.000");
    EXPECT_EQ(Line("Z-IPPORT-SET 192.168.1.21/50011"), "ERR 020");

    EXPECT_EQ(Line("PWE?"), "KIV406_2_2B.BIN");
    EXPECT_NE(Line("PWE").find("END"), std::string::npos);
    unit.WithState([](DeviceState& s) { s.firmwareFile.clear(); });
    EXPECT_NE(Line("PWE?").find("ERR"), std::string::npos);
    EXPECT_NE(Line("PWE").find("ERR"), std::string::npos);
}

TEST_F(SimulatedUnitTest, CycleCountAndUnitTotals)
{
    EXPECT_EQ(Line("CUN 1,5"), "OK");
    EXPECT_EQ(std::atoi(Line("CUN 1?").c_str()), 5) << "the cycle count is the first field";
    EXPECT_EQ(Line("CUN 2,7"), "OK");
    const std::string both = Line("CUN 0?");
    EXPECT_EQ(std::atoi(both.c_str()), 5);
    EXPECT_EQ(std::atoi(both.c_str() + 9), 7);
    EXPECT_EQ(Line("CUN 3,1"), "ERR 020");
}

TEST_F(SimulatedUnitTest, HistogramBlockHoldsTheEntrysCounts)
{
    Line("RSV");
    Line("VDT3;3");
    Line("OPR1");
    Line("SLX10,6");
    const std::string block = Ask("HDB3");
    ASSERT_EQ(block.size(), 2u * 16 * 4) << "both sides of each slice";
    EXPECT_EQ(static_cast<uint8_t>(block[4]), static_cast<uint8_t>((3000 + 1) & 0xFF));
    Line("OPR4,1");
    EXPECT_EQ(Ask("HDB3").size(), 16u * 4) << "a time operation counts each slice once";
    EXPECT_EQ(Line("HDB81"), "ERR 020");
}

TEST_F(SimulatedUnitTest, DataBlockRowsHoldEverySelectedChannelAtItsWidth)
{
    // The CAN/voice/GPS unit in port 4 keeps a wide GPS item in slot 1.
    EXPECT_EQ(Ask("FTC4"), "");
    EXPECT_EQ(Ask("[VERSION] 1.0A"), "");
    EXPECT_EQ(Ask("[GPS_MONITOR1] lon_abso_deg"), "");
    EXPECT_EQ(Ask("[GPS_MONITOR3] vel"), "");
    EXPECT_EQ(Line("[END]"), "OK");
    Line("RES");
    Line("SET1;2");
    Line("SET25;27");
    Line("SET41");  // an empty port: no column
    EXPECT_EQ(Ask("BDT10").size(), 10u * (2 + 2 + 4 + 2 + 2));
}

TEST_F(SimulatedUnitTest, RecordingHoldsTheDataCountAndLeavesItsFiles)
{
    Line("RES");
    Line("SET1;8");
    EXPECT_EQ(Line("MRY300"), "OK");
    EXPECT_EQ(Line("TRG"), "OK");
    EXPECT_EQ(Line("TRG"), "ERR 010") << "a start while one runs";
    EXPECT_GT(PollToStandby(), 3);
    EXPECT_EQ(Line("EOC"), "300");

    EXPECT_EQ(List("DIR"), (std::vector<std::string>{"A0001.hed," + std::to_string(Ask("DATA0001.HED").size()),
                                                      "A0001.dat,4800", "END"}));
    EXPECT_EQ(List("DIR A0001.dat"), (std::vector<std::string>{"A0001.dat,4800", "END"}));
    EXPECT_EQ(List("DIR A0002.dat"), std::vector<std::string>{"END"});
    const std::string header = Ask("DATA0001.HED");
    EXPECT_NE(header.find("NUM_SAMPS 300\r\n"), std::string::npos) << header;
    EXPECT_NE(header.find("SERIES CH_001,CH_002,CH_003,CH_004,CH_005,CH_006,CH_007,CH_008\r\n"), std::string::npos);
    EXPECT_NE(header.find("UNIT_TYPE KIV-417 KIV-437 ------- KIV-463 "), std::string::npos);
    EXPECT_NE(header.find("TRIGGER_TYPE COMMAND\r\n"), std::string::npos);
    EXPECT_EQ(Ask("DATA0001.DAT").size(), 4800u);
    EXPECT_EQ(Line("FLN"), "2,1");
}

} // namespace
