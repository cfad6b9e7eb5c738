#include "tests/support/link/MeterFixture.h"

#include "instrument/meter/MeterVersion.h"
#include "framework/core/ServiceSlot.h"
#include "instrument/unit/Unit463Services.h"
#include "instrument/unit/KivVoltOutUnit.h"

#include <cmath>

using metertest::Lines_t;
using metertest::MeterLinkTest;
using metertest::MeterModelTest;

namespace {

kivemu::Handler Answer(std::string text)
{
    return [text](const kivemu::Command&, kivemu::DeviceState&) { return kivemu::Reply::Line(text); };
}

Lines_t Concat(std::initializer_list<Lines_t> parts)
{
    Lines_t all;
    for (const Lines_t& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// One setting word sent to the groups of channels that share its text.
Lines_t Group(const Lines_t& runs, const std::string& word)
{
    Lines_t lines{"RES"};
    lines.insert(lines.end(), runs.begin(), runs.end());
    lines.push_back(word);
    return lines;
}

} // namespace

// A strain unit and an output unit: channels 1 and 2 and output 9 are on.
class MeterSettingsTest : public MeterLinkTest {
protected:
    void SetUp() override
    {
        MeterLinkTest::SetUp();
        Install({1, 3});
        ASSERT_TRUE(meter.Open(true));
        AllOff();
        for (int ch : {0, 1, 8})
            ASSERT_TRUE(meter.SetValue(ch, 0, 1, true));
        meter.RecountChannelsOn();
        ForgetLines();
    }

    void Configure(CKivMeter& m)
    {
        ASSERT_TRUE(m.SetValue(0, 8, 0.5, false));
        ASSERT_TRUE(m.SetValue(0, 9, 1000, false));
        ASSERT_TRUE(m.SetValue(0, 10, 100, false));
        ASSERT_TRUE(m.SetValue(1, 20, 5000, false));
        ASSERT_TRUE(m.SetValue(0, 12, 100, false));
        ASSERT_TRUE(m.SetValue(0, 13, 1, false));
        ASSERT_TRUE(m.SetValue(0, 11, 1, false));
        ASSERT_TRUE(m.SetValue(1, 24, 2.5, false));
        ASSERT_TRUE(m.SetValue(8, 23, 2, false));
        ASSERT_TRUE(m.SetValue(8, 44, -1, false));
        ASSERT_TRUE(m.SetValue(0, 111, -1, false));
        ASSERT_TRUE(m.SetValue(0, 118, 3, false));
        ASSERT_TRUE(m.SetValue(0, 116, 0, false));
        ASSERT_TRUE(m.SetValue(0, 117, 30, false));
        ASSERT_TRUE(m.SetValue(0, 120, 0, false));
        ASSERT_TRUE(m.SetValue(0, 121, 10, false));
    }
};

TEST_F(MeterSettingsTest, FullSendTranscript)
{
    Configure(meter);
    ASSERT_TRUE(meter.SendAllSettings());
    const Lines_t on{"SET1;2", "SET9;9"};
    const Lines_t strain{"SET1;2"};
    const Lines_t outputs{"SET9;16"};
    const Lines_t expected = Concat({
        Group(on, "CLK1"),
        Group(on, "MRY1000"),
        Group(on, "MRY-100"),
        Group({"SET1;1"}, "TGL100U"),
        Group({"SET2;2", "SET9;9"}, "TGL0"),
        {"PST**,**,**,**", "PMA0,0,10", "PIV0,0,30", "PCY3"},
        Group(strain, "SSM16"),
        Group({"SET1;1"}, "ATT20000"),
        Group({"SET2;2"}, "ATT5000"),
        Group(strain, "LPF0"),
        Group(strain, "FPS0"),
        Group({"SET1;1"}, "CFF1"),
        Group({"SET2;2"}, "CFF2.5"),
        Group(strain, "UNT29"),
        Group(strain, "PNT0"),
        Group(strain, "DMC0"),
        Group(outputs, "VMD3"),
        Group({"SET9;9"}, "EQU CH2-CH1"),
        Group({"SET10;16"}, "EQU CH0"),
        Group(outputs, "OUTF1000;1000"),
        Group(outputs, "CDWF1000.000000"),
        Group(strain, "CLK0.5"),
        {"RES", "SET1;2"},
    });
    const Lines_t lines = NewLines();
    EXPECT_EQ(lines, expected);
    for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i) {
        if (i >= lines.size() || i >= expected.size() || lines[i] != expected[i]) {
            ADD_FAILURE() << "first difference at line " << i << ": "
                          << (i < lines.size() ? lines[i] : "(none)") << " instead of "
                          << (i < expected.size() ? expected[i] : "(none)");
            break;
        }
    }
}

TEST_F(MeterSettingsTest, FullReadBackRestoresWhatWasSent)
{
    Configure(meter);
    ASSERT_TRUE(meter.SendAllSettings());

    CKivMeter fresh;
    fresh.SetAddress(0);
    fresh.SetIpPort(kivtest::kLoopbackIp, emu.Port(0));
    fresh.SetInterface(&link);
    fresh.InstallUnits(metertest::Types({1, 3}));
    // Binding a control unit gives its slot a new connection.
    link.Open();
    ASSERT_TRUE(fresh.Open(true));
    ForgetLines();
    ASSERT_TRUE(fresh.ReadAllSettings());

    auto readBack = [](const std::string& query) { return Lines_t{"SET?", query}; };
    const Lines_t expected = Concat({
        {"SET?", "STA4"},
        readBack("CLK?"), readBack("MRY?"), readBack("MRY-?"), readBack("TGL?"), readBack("SSM?"),
        readBack("ATT?"), readBack("LPF?"), readBack("FPS?"), readBack("RJC?"), readBack("CFF?"),
        readBack("CAP?"), readBack("R_O?"), readBack("UNT?"), readBack("PNT?"), readBack("HPF?"),
        readBack("DMC?"),
        {"RES", "SET1;16"},
        readBack("VMD?"), readBack("EQU?"), readBack("OUTF?"), readBack("CDWF?"),
        {"RES", "SET1;2"},
    });
    EXPECT_EQ(NewLines(), expected);

    for (int ch = 0; ch < 16; ++ch) {
        for (int code : {0, 2, 7, 11, 12, 13, 20, 24, 25, 33, 34, 22, 23, 44, 47, 48}) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << " code " << code);
            fw::CString sent;
            fw::CString read;
            EXPECT_EQ(std::string(fresh.GetText(ch, code, read)), std::string(meter.GetText(ch, code, sent)));
        }
    }
    for (int code : {8, 9, 10, 43}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(fresh.GetValue(0, code), meter.GetValue(0, code));
    }
}

TEST_F(MeterSettingsTest, ChannelsSharingATextAreSelectedInRuns)
{
    struct Row {
        const char* name;
        std::vector<double> lowPass;  // channels 1-8, all on
        Lines_t lines;
    };
    const Row rows[] = {
        {"two blocks", {100, 100, 100, 100, 300, 300, 300, 300},
         {"RES", "SET1;4", "LPF100", "RES", "SET5;8", "LPF300"}},
        {"a gap", {100, 100, 300, 100, 30, 30, 30, 30},
         {"RES", "SET1;2", "SET4;4", "LPF100", "RES", "SET3;3", "LPF300", "RES", "SET5;8", "LPF30"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (int ch = 0; ch < 8; ++ch) {
            ASSERT_TRUE(meter.SetValue(ch, 0, 1, true));
            ASSERT_TRUE(meter.SetValue(ch, 2, row.lowPass[static_cast<size_t>(ch)], false));
        }
        meter.WriteSetting(2);
        EXPECT_EQ(NewLines(), row.lines);
    }
}

TEST_F(MeterSettingsTest, ParameterTextsOfSettingWords)
{
    struct Row {
        const char* name;
        int code;
        int channel;
        std::function<void(CKivMeter&)> set;
        const char* text;  // nullptr: no text, nothing is sent
    };
    const Row rows[] = {
        {"interval", 8, 0, [](CKivMeter& m) { m.SetValue(0, 8, 0.5, false); }, "0.5"},
        {"external clock 2", 8, 0, [](CKivMeter& m) { m.SetValue(0, 43, 2, false); }, "E1"},
        {"trigger upper", 12, 0,
         [](CKivMeter& m) { m.SetValue(0, 12, 100, false); m.SetValue(0, 13, 1, false); m.SetValue(0, 11, 1, false); },
         "100U"},
        {"trigger lower", 12, 0,
         [](CKivMeter& m) { m.SetValue(0, 12, -50, false); m.SetValue(0, 13, 2, false); m.SetValue(0, 11, 1, false); },
         "-50L"},
        {"trigger off", 12, 0, [](CKivMeter& m) { m.SetValue(0, 12, 100, false); m.SetValue(0, 11, 0, false); }, "0"},
        {"source channels", 23, 8,
         [](CKivMeter& m) { m.SetValue(8, 23, 3, false); m.SetValue(8, 44, 4, false); m.SetValue(8, 45, -5, false); },
         " CH3+CH4-CH5"},
        {"sensitivity", 21, 8, [](CKivMeter& m) { m.SetValue(8, 21, 0.5, false); }, "500"},
        {"coefficient", 24, 0, [](CKivMeter& m) { m.SetValue(0, 24, 0.000125, false); }, "0.000125"},
        {"capacity unset", 31, 0, [](CKivMeter&) {}, nullptr},
        {"calibration plus from 1.2A", 5, 8, [](CKivMeter& m) { m.SetFirmwareVersion(meterversion::k12A); }, "1"},
        {"high-pass on an old unit", 49, 0, [](CKivMeter&) {}, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.set(meter);
        fw::CString text;
        EXPECT_EQ(meter.GetSettingText(row.code, row.channel, text), row.text != nullptr);
        EXPECT_EQ(std::string(text.c_str()), row.text ? row.text : "");
    }
}

TEST_F(MeterSettingsTest, CalibrationWordsFollowTheFirmware)
{
    struct Row {
        const char* firmware;
        Lines_t lines;
    };
    const Row rows[] = {
        {"1.1B", {"CALOFF", "CAL+x", "CAL0"}},
        {"1.2A", {"CDO0", "CDOx", "CAL0"}},
        {"1.2C", {"CDO0", "CDOx", "CDO3"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.firmware);
        meter.SetFirmwareVersion(meterversion::Pack(row.firmware));
        EXPECT_TRUE(meter.WriteSettingText(4, ""));
        EXPECT_TRUE(meter.WriteSettingText(5, "x"));
        EXPECT_TRUE(meter.WriteSettingText(36, ""));
        EXPECT_EQ(NewLines(), row.lines);
    }
    EXPECT_FALSE(meter.WriteSettingText(16, "1"));  // a check has no write word
    fw::CString reply;
    EXPECT_FALSE(meter.QuerySetting(9999, reply));
}

TEST_F(MeterSettingsTest, ReadBackSkipsItemsThatHoldErr)
{
    Unit().AddCommand("SET?", Answer("CH  001,CH  002"));
    Unit().AddCommand("LPF?", Answer("100,ERRCH"));
    meter.SetValue(1, 2, 30, false);
    meter.ReadBackSetting(2, false);
    EXPECT_EQ(meter.GetValue(0, 2), 100);
    EXPECT_EQ(meter.GetValue(1, 2), 30);
}

TEST_F(MeterSettingsTest, ReadBackIgnoresChannelNumbersBeyondTheUnit)
{
    Unit().AddCommand("SET?", Answer("CH  000,CH  999,CH  002"));
    Unit().AddCommand("LPF?", Answer("300,300,100"));
    meter.ReadBackSetting(2, true);
    EXPECT_EQ(meter.GetValue(1, 2), 100);
}

TEST_F(MeterSettingsTest, RealErrorRepliesArePassedOn)
{
    Unit().GetFaults().ErrorOn("SET?", 21);
    const CZelException e = kivtest::RaisedBy([&] { meter.ReadBackSetting(2, false); });
    EXPECT_EQ(e.m_nErrorCode, 0x10015);
}

TEST_F(MeterSettingsTest, StatusReply)
{
    struct Row {
        const char* reply;
        int state;
        int card;
        int program;
    };
    const Row rows[] = {{"3,50,7", 3, 50, 7}, {"1,0", 1, 0, 7}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reply);
        Unit().AddCommand("STA1", Answer(row.reply));
        meter.QueryStatus();
        EXPECT_EQ(meter.GetState(), row.state);
        EXPECT_EQ(meter.GetCardStatus(), row.card);
        EXPECT_EQ(meter.GetProgramValue(), row.program);
    }
    Unit().AddCommand("STA1", Answer("1"));
    const CZelException e = kivtest::RaisedBy([&] { meter.QueryStatus(); });
    EXPECT_EQ(e.m_nErrorCode, -1);
    EXPECT_EQ(kivtest::MessageOf(e), kivtest::Text(3004));
}

TEST_F(MeterSettingsTest, UnitTotalsAndCardMode)
{
    // The first number picks the total, the second is its value.
    meter.SetUnitTotals(1, 3);
    meter.SetUnitTotals(2, 4);
    meter.QueryUnitTotals(0);
    EXPECT_EQ(meter.GetUnitTotal(1), 3);
    EXPECT_EQ(meter.GetUnitTotal(2), 4);
    meter.QueryUnitTotals(2);
    EXPECT_EQ(meter.GetUnitTotal(1), -1);
    EXPECT_EQ(meter.GetUnitTotal(2), 4);
    meter.SetCardMode('1');
    EXPECT_EQ(meter.QueryCardMode(), '1');
    EXPECT_EQ(NewLines(), (Lines_t{"CUN 1,3", "CUN 2,4", "CUN 0?", "CUN 2?", "CFM1", "CFM?"}));
}

TEST_F(MeterSettingsTest, StrainChecksSelectOnlyBridgeChannels)
{
    ASSERT_TRUE(meter.SetValue(0, 7, 146, false));
    meter.WriteCheckSetting(19);
    EXPECT_EQ(NewLines(), (Lines_t{"RES", "SET1;2", "SET?", "CHK2", "RES", "SET1;2", "SET9;9"}));
    // A unit that skips the check for its channels (error 11) is no failure.
    Unit().GetFaults().ErrorOn("CHK2", 11);
    EXPECT_NO_THROW(meter.WriteCheckSetting(19));
}

TEST_F(MeterSettingsTest, DataBlocksMustFitTheBuffer)
{
    std::vector<uint8_t> buffer(8);
    EXPECT_EQ(meter.ReadDataBlock(buffer, 4, 2), 8);
    EXPECT_THROW(meter.ReadDataBlock(buffer, 5, 2), fw::CInvalidArgException);
    EXPECT_EQ(NewLines(), (Lines_t{"BDT4"}));
}

TEST_F(MeterSettingsTest, FailedSendIsReportedAndSwitchesOutputsOff)
{
    Unit().GetFaults().ErrorOn("VMD", 20);
    services.prompt.ExpectText("ﾊﾟﾗﾒｰﾀｴﾗｰ[ERROR-20]", fw::IDOK);
    EXPECT_FALSE(meter.SendAllSettings());
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_FALSE(meter.GetUnit(1)->IsChannelOn(1));
}

TEST_F(MeterModelTest, ParsedRepliesOutOfRangeAreRefused)
{
    Install({1, 3});
    struct Row {
        const char* name;
        int code;
        int channel;
        const char* text;
    };
    const Row rows[] = {
        {"range beyond 16 bits", 20, 0, "70000"},
        {"data count beyond the maximum", 9, 0, "20000000"},
        {"not a number", 24, 0, "abc"},
        {"float overflow", 24, 0, "1e40"},
        {"interval below the minimum", 8, 0, "0.001"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const double before = meter.GetValue(row.channel, row.code);
        EXPECT_FALSE(meter.ParseSettingText(row.code, row.channel, row.text));
        EXPECT_EQ(meter.GetValue(row.channel, row.code), before);
    }
}

TEST_F(MeterModelTest, RepliesParsedIntoSettings)
{
    Install({1, 3});
    EXPECT_TRUE(meter.ParseSettingText(12, 0, "L-40"));
    EXPECT_EQ(meter.GetValue(0, 13), 2);
    EXPECT_EQ(meter.GetValue(0, 12), -40);
    EXPECT_EQ(meter.GetValue(0, 11), 1);
    EXPECT_TRUE(meter.ParseSettingText(12, 0, "0"));
    EXPECT_EQ(meter.GetValue(0, 11), 0);
    EXPECT_TRUE(meter.ParseSettingText(8, 0, "E1"));
    EXPECT_EQ(meter.GetValue(0, 43), 2);
    EXPECT_EQ(meter.GetValue(0, 8), 1);
    EXPECT_TRUE(meter.ParseSettingText(23, 8, "CH3+CH4"));
    EXPECT_EQ(meter.GetValue(8, 23), 3);
    EXPECT_EQ(meter.GetValue(8, 44), 4);
    EXPECT_EQ(meter.GetValue(8, 45), 0);
    EXPECT_TRUE(meter.ParseSettingText(21, 8, "500"));
    EXPECT_DOUBLE_EQ(meter.GetValue(8, 21), 0.5);
    EXPECT_TRUE(meter.ParseSettingText(47, 8, "500;2000"));
    EXPECT_EQ(meter.GetValue(8, 47), 500);
    EXPECT_DOUBLE_EQ(meter.GetValue(8, 48), 2.0);
    EXPECT_FALSE(meter.ParseSettingText(16, 0, "1"));
}

namespace {

std::vector<std::string> g_hookCalls;

} // namespace

TEST_F(MeterLinkTest, CanAndDigitalUnitSettingsFollowTheFirmware)
{
    Install({7});
    ASSERT_TRUE(meter.Open(true));
    Unit().AddCommand("FTC", Answer("OK"));
    struct Services : IUnit463Services {
        void SendSettings(CKivMeter& m) override { g_hookCalls.push_back("send"); m.Command("FTC1"); }
        void ReceiveSettings(CKivMeter&) override { g_hookCalls.push_back("receive"); }
    } services;
    fw::ScopedInstall<IUnit463Services> installed(services);
    struct Row {
        const char* firmware;
        bool can;
        bool digital;
    };
    const Row rows[] = {{"1.3A", false, false}, {"1.4A", false, true}, {"1.4B", true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.firmware);
        g_hookCalls.clear();
        meter.SetFirmwareVersion(meterversion::Pack(row.firmware));
        ForgetLines();
        ASSERT_TRUE(meter.SendAllSettings());
        const Lines_t sent = NewLines();
        auto has = [&](const std::string& line) { return std::find(sent.begin(), sent.end(), line) != sent.end(); };
        EXPECT_EQ(has("FTC1"), row.can);
        EXPECT_EQ(has("THD3"), row.digital);
        EXPECT_EQ(has("BFS 0;0;0;0"), row.digital);
        ASSERT_TRUE(meter.ReadAllSettings());
        const Lines_t read = NewLines();
        EXPECT_EQ(std::find(read.begin(), read.end(), "THDH?") != read.end(), row.digital);
        EXPECT_EQ(g_hookCalls, row.can ? (std::vector<std::string>{"send", "receive"}) : std::vector<std::string>{});
    }
    // The thresholds come back from the unit.
    EXPECT_EQ(meter.GetValue(0, 39), 3);
    EXPECT_EQ(meter.GetValue(0, 40), 1000);
}

TEST_F(MeterSettingsTest, LastSampleIndexFromTheEndReply)
{
    Unit().AddCommand("EOC", Answer("1500"));
    meter.Send("EOC");
    meter.ReadLastSampleIndex();
    EXPECT_EQ(meter.GetLastSampleIndex(0), 1499);
    EXPECT_EQ(meter.GetValue(8, 14), 1499);
    Unit().AddCommand("EOC", Answer("none"));
    meter.Send("EOC");
    meter.ReadLastSampleIndex();
    EXPECT_EQ(meter.GetLastSampleIndex(1), 0);
}

TEST_F(MeterSettingsTest, CalibrationOutputSwitchesOutputsOnForItsWords)
{
    meter.SetFirmwareVersion(meterversion::Pack("1.2A"));
    ASSERT_TRUE(meter.WriteCalibrationOutput(36));
    // Only the output channels have a calibration zero.
    EXPECT_EQ(NewLines(), (Lines_t{"RES", "SET9;16", "CAL0", "RES", "SET9;16", "CDWF1000.000000", "RES", "SET1;2"}));
    EXPECT_FALSE(meter.GetUnit(1)->IsChannelOn(0));  // outputs are off again
}

TEST_F(MeterModelTest, SourceAndAnalysisChannelsMustNameInputs)
{
    Install({1, 3, 7});
    struct Row {
        const char* name;
        int code;
        double value;
        bool allowed;
    };
    const Row rows[] = {
        {"no source", 23, 0, true},
        {"an input channel", 23, 3, true},
        {"an added channel without a source", 44, -8, false},
        {"an output channel", 23, 10, false},
        {"an empty port", 23, 40, false},
        {"beyond the unit", 23, 81, false},
        {"analysis off", 103, 0, true},
        {"analysis of an input", 103, 2, true},
        {"analysis of a digital channel", 103, 17, false},
        {"analysis of an output", 103, 9, false},
        {"interval all zero", 115, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int ch = row.code == 103 ? 0 : 8;
        EXPECT_EQ(meter.IsValueAllowed(ch, row.code, row.value), row.allowed);
    }
    ASSERT_TRUE(meter.SetValue(8, 23, 2, false));
    EXPECT_TRUE(meter.IsValueAllowed(8, 44, -8));
    meter.SetValue(0, 116, 0, true);
    EXPECT_FALSE(meter.IsValueAllowed(0, 115, 0));
}
