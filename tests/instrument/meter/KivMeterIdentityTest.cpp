#include "tests/support/link/MeterFixture.h"

#include "instrument/meter/MeterVersion.h"

#include <cmath>

using metertest::Lines_t;
using metertest::MeterLinkTest;
using metertest::MeterModelTest;

namespace {

kivemu::Handler Answer(std::string text)
{
    return [text](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Line(text); };
}

} // namespace

// ---------------------------------------------------------------- opening

TEST_F(MeterLinkTest, OpeningIdentifiesReadsUnitVersionsAndAnalysisSupport)
{
    Install({1, 3});
    ASSERT_TRUE(meter.Open(true));
    EXPECT_EQ(Lines(), (Lines_t{"VER", "STA4", "STA10"}));
    EXPECT_TRUE(meter.IsConnected());
    EXPECT_EQ(meter.GetFirmwareVersion(), 0x322E3241u);
    EXPECT_TRUE(meter.IsAnalysisAvailable());
    // Opening again while connected sends nothing.
    ASSERT_TRUE(meter.Open(true));
    EXPECT_EQ(Lines().size(), 3u);
}

TEST_F(MeterLinkTest, FirmwareBelow22AReadsNoUnitVersions)
{
    Install({1});
    SetFirmware("1.4B");
    device.With([](kivemu::MeterDevice&, kivemu::DeviceState& s) { s.analysisState = 99; });
    ASSERT_TRUE(meter.Open(true));
    EXPECT_EQ(Lines(), (Lines_t{"VER", "STA10"}));
    EXPECT_FALSE(meter.IsAnalysisAvailable());
}

TEST_F(MeterLinkTest, VersionWordFromTheVerReply)
{
    struct Row {
        const char* name;
        const char* reply;
        uint32_t word;
    };
    const Row rows[] = {
        {"glued", "KIV-406 VER1.2C", 0x312E3243u},
        {"blank", "KIV-406 VER 1.2C", 0x312E3243u},
        {"point", "KIV-406 VER.1.2C", 0x312E3243u},
        {"mixed case", "KIV-406 Ver 2.2A", 0x322E3241u},
        {"oldest supported", "KIV-406 VER 1.1B", meterversion::Pack("1.1B")},
    };
    Install({1});
    SetFirmware("1.4A");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Unit().AddCommand("VER", Answer(row.reply));
        meter.Disconnect();
        ASSERT_TRUE(meter.Open(true));
        EXPECT_EQ(meter.GetFirmwareVersion(), row.word);
    }
}

TEST_F(MeterLinkTest, OldFirmwareIsRefusedWithTheUpdateMessage)
{
    for (const char* reply : {"KIV-406 VER 1.1A", "KIV-406 VER 1.2"}) {
        SCOPED_TRACE(reply);
        Unit().AddCommand("VER", Answer(reply));
        const CZelException e = kivtest::RaisedBy([&] { meter.Open(true); });
        EXPECT_EQ(e.m_nErrorCode, 13);
        EXPECT_EQ(kivtest::MessageOf(e), kivtest::Text(3113));
        EXPECT_FALSE(meter.IsConnected());
    }
}

TEST_F(MeterLinkTest, AnotherInstrumentIsAskedTwiceThenRefused)
{
    Unit().AddCommand("VER", Answer("KIV-999 VER 2.2A"));
    const CZelException e = kivtest::RaisedBy([&] { meter.Open(true); });
    EXPECT_EQ(e.m_nErrorCode, 1300);
    EXPECT_EQ(kivtest::MessageOf(e), kivtest::Text(3003));
    EXPECT_EQ(Lines(), (Lines_t{"VER", "VER"}));
    // The link is shared: a refused unit does not close it.
    EXPECT_TRUE(link.IsOpen());
}

TEST_F(MeterLinkTest, IdentificationLeavesTheLinksReplyTimeoutAsItWas)
{
    link.SetReplyTimeout(7);
    Unit().AddCommand("VER", Answer("KIV-406 VER 1.0A"));
    kivtest::RaisedBy([&] { meter.Open(true); });
    EXPECT_EQ(link.GetReplyTimeout(), 7.0);

    Unit().AddCommand("VER", Answer("KIV-406 VER 2.2A"));
    ASSERT_TRUE(meter.Open(true));
    EXPECT_EQ(link.GetReplyTimeout(), 7.0);
}

TEST_F(MeterLinkTest, OpenWithoutRaisingShowsTheMessage)
{
    Unit().AddCommand("VER", Answer("OTHER"));
    services.prompt.ExpectText(kivtest::Text(3003).c_str(), fw::IDOK);
    EXPECT_FALSE(meter.Open(false));
    EXPECT_EQ(services.prompt.Problems(), "");
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_EQ(services.prompt.Prompts()[0].text, kivtest::Text(3003));
}

TEST_F(MeterLinkTest, AbsentUnitNamesItsSerialNumberWhenItHasOne)
{
    meter.SetAddress(9);  // no connection in that slot
    CZelException e = kivtest::RaisedBy([&] { meter.Open(true); });
    EXPECT_EQ(e.m_nErrorCode, 2);
    EXPECT_EQ(kivtest::MessageOf(e), kivtest::Text(3011));

    meter.SetSerialNumber(42);
    e = kivtest::RaisedBy([&] { meter.Open(true); });
    EXPECT_EQ(kivtest::MessageOf(e),
              "SERIAL No. 0042の測定器が確認できません。\n接続と設定を確認してください。");
}

TEST_F(MeterLinkTest, UnitVersionsFromSta4)
{
    Install({1, 1, 1});
    device.With([](kivemu::MeterDevice&, kivemu::DeviceState& s) {
        s.unitFirmware[0] = "1.2A";
        s.unitFirmware[1] = "1.1B";
    });
    ASSERT_TRUE(meter.Open(true));
    const std::vector<uint32_t> versions = meter.GetUnitVersions();
    ASSERT_EQ(versions.size(), 10u);
    EXPECT_EQ(versions[0], meterversion::Pack("1.2A"));
    EXPECT_EQ(versions[1], meterversion::Pack("1.1B"));
    EXPECT_EQ(versions[2], 0u);
}

TEST_F(MeterLinkTest, ShortSta4ReplyGivesTheUnreachedPortsNoVersion)
{
    Install({1, 1});
    Unit().AddCommand("STA4", Answer("1.2A"));
    ASSERT_TRUE(meter.Open(true));
    EXPECT_EQ(meter.GetUnitVersions()[0], meterversion::Pack("1.2A"));
    EXPECT_EQ(meter.GetUnitVersions()[1], 0u);
}

TEST_F(MeterLinkTest, CurrentValuesScaledAndLimited)
{
    Install({1});
    ASSERT_TRUE(meter.Open(true));
    AllOff();
    for (int ch : {0, 1, 2, 4})
        ASSERT_TRUE(meter.SetValue(ch, 0, 1, true));
    meter.RecountChannelsOn();
    Unit().AddCommand("MDT", Answer("100,-2,40000,x,5"));
    meter.Send("MDT");
    meter.ReadCurrentValues(false);
    EXPECT_DOUBLE_EQ(meter.GetCurrentValue(0), 100 * meter.GetScaleFactor(0));
    EXPECT_DOUBLE_EQ(meter.GetCurrentValue(1), -2 * meter.GetScaleFactor(1));
    EXPECT_EQ(meter.GetCurrentValue(2), HUGE_VAL);  // beyond the 16-bit range
    EXPECT_EQ(meter.GetCurrentValue(3), HUGE_VAL);  // off: consumes nothing
    EXPECT_EQ(meter.GetCurrentValue(4), HUGE_VAL);  // "x" is no number

    Unit().AddCommand("MDT", Answer("100,-2,40000"));
    meter.Send("MDT");
    meter.ReadCurrentValues(true);
    EXPECT_DOUBLE_EQ(meter.GetCurrentValue(2), 40000 * meter.GetScaleFactor(2));
}

// -------------------------------------------------------------- the model

TEST_F(MeterModelTest, InstallingUnitsCountsChannelsAcrossEmptyPorts)
{
    Install({1, 0, 3});
    ASSERT_NE(meter.GetUnit(0), nullptr);
    EXPECT_EQ(meter.GetUnit(1), nullptr);
    EXPECT_EQ(meter.GetUnit(0)->GetFirstChannel(), 1);
    EXPECT_EQ(meter.GetUnit(2)->GetFirstChannel(), 17);
    EXPECT_EQ(meter.FindUnitOfChannel(9), nullptr);
    EXPECT_EQ(meter.FindUnitOfChannel(17), meter.GetUnit(2));
    EXPECT_EQ(meter.GetChannelSpan(), 24);
    EXPECT_EQ(meter.GetInputChannels(), 8);
    EXPECT_EQ(meter.GetOutputChannels(), 8);
    EXPECT_EQ(meter.GetUnitType(2), 3);
    EXPECT_THROW(meter.GetUnit(10), fw::CInvalidArgException);
}

TEST_F(MeterModelTest, ControlUnitSettingsCheckTheirLimits)
{
    Install({1});
    struct Row {
        const char* name;
        int code;
        double value;
        bool accepted;
        double stored;
    };
    ASSERT_TRUE(meter.SetValue(0, 10, 10, false));
    const Row rows[] = {
        {"data count below the pre-trigger", 9, 5, false, 16383},
        {"data count above the maximum", 9, 10000001, false, 16383},
        {"pre-trigger within the data count", 10, 20, true, 20},
        {"interval cut to zero", 8, 0.005, false, 1.0},
        {"interval below 1 ms", 8, 0.123, true, 0.1},
        {"interval of a sampling rate", 8, 0.1220703125, true, 0.1220703125},
        {"interval above 1 ms", 8, 2.7, true, 2.0},
        {"interval not finite", 8, HUGE_VAL, false, 2.0},
        {"clock source", 43, 3, false, 0},
        {"clock is read only", -1, 1, false, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(meter.SetValue(0, row.code, row.value, false), row.accepted);
        EXPECT_DOUBLE_EQ(meter.GetValue(0, row.code), row.stored);
    }
}

TEST_F(MeterModelTest, TextsOfControlUnitCodes)
{
    Install({1});
    fw::CString text;
    EXPECT_EQ(std::string(meter.GetText(4, 101, text)), "DN_5");
    meter.SetValue(0, 8, 0.5, false);
    EXPECT_EQ(std::string(meter.GetText(0, 8, text)), "0.5");
    EXPECT_EQ(std::string(meter.GetText(0, 9, text)), "16383");
    // A code served by no unit in an empty port answers an empty text.
    EXPECT_EQ(std::string(meter.GetText(20, 20, text)), "");
    EXPECT_EQ(meter.GetValue(20, 20), HUGE_VAL);
    EXPECT_FALSE(meter.SetValue(20, 20, 1000, false));
}

TEST_F(MeterModelTest, SpeedClassFollowsFirmwareAndChannelsOn)
{
    Install({1, 1});
    AllOff();
    meter.SetFirmwareVersion(meterversion::k22A);
    for (int ch = 0; ch < 16; ++ch)
        meter.SetValue(ch, 0, 1, true);
    meter.RecountChannelsOn();
    meter.SetValue(0, 8, 0.1, false);
    EXPECT_EQ(meter.GetSpeedClass(), 2);
    meter.SetValue(0, 8, 0.2, false);
    EXPECT_EQ(meter.GetSpeedClass(), 0);
    meter.SetValue(0, 43, 1, false);
    EXPECT_EQ(meter.GetSpeedClass(), 2);
    meter.SetFirmwareVersion(meterversion::k14B);
    EXPECT_EQ(meter.GetSpeedClass(), 2);  // below 1 ms
    EXPECT_EQ(SpeedClassOf(0.9, 0, 73), 2);
    EXPECT_EQ(SpeedClassOf(0.9765625, 0, 73), 0);
}

TEST_F(MeterModelTest, LowestChannelOnFollowsSwitching)
{
    Install({1, 1});
    EXPECT_EQ(meter.FindFirstChannelOn(), 0);  // input channels start on
    AllOff();
    EXPECT_EQ(meter.FindFirstChannelOn(), 16);  // none on: the span  // none on: the span
    meter.RefreshUnitInfo();
    meter.SetValue(9, 0, 1, true);
    EXPECT_EQ(meter.GetLowestChannelOn(), 9);
    meter.SetValue(3, 0, 1, true);
    EXPECT_EQ(meter.GetLowestChannelOn(), 3);
    meter.SetValue(3, 0, 0, true);
    EXPECT_EQ(meter.GetLowestChannelOn(), 9);
}

TEST_F(MeterModelTest, ValuesOfOptionIndexes)
{
    struct Row {
        int code;
        int index;
        int value;
    };
    const Row rows[] = {{2, 0, 0}, {2, 2, 100}, {3, 9, 0}, {3, 6, 1000}, {7, 0, 146}, {20, 7, 250}, {22, 2, 13},
                        {37, 3, 0}, {37, 0, 100}, {38, 6, 100000}, {49, 1, 20}, {49, 2, 100}, {50, 0, 1}, {50, 1, 0},
                        {2, 9, 0}, {99, 5, 5}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "code " << row.code << " index " << row.index);
        EXPECT_EQ(meter.ValueOfIndex(row.code, row.index), row.value);
    }
}

TEST_F(MeterLinkTest, AnOldReplyLineNeverIdentifiesAUnit)
{
    ASSERT_TRUE(meter.Open(true));  // the line now holds "KIV-406 VER 2.2A"
    meter.Disconnect();
    Unit().GetFaults().DropMidReply("STA10");
    fw::CString reply;
    EXPECT_ANY_THROW(meter.Query("STA10", reply));
    ASSERT_FALSE(link.IsOk());
    link.SetReplyTimeout(0);
    EXPECT_EQ(kivtest::RaisedBy([&] { meter.CheckVersion(); }).m_nErrorCode, 1300);
}
