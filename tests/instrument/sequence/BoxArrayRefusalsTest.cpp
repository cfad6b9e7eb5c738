// The refusals of the check before writing: settings the units cannot take
// and settings the control unit's firmware cannot take.

#include "tests/support/link/SequenceFixture.h"

#include "framework/core/StringTable.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterVersion.h"

namespace {

using Measure = kivemu::MeasureDevice;
using Meter = kivemu::MeterDevice;
using State = kivemu::DeviceState;

constexpr unsigned kMsgNotSettable = 161;
constexpr unsigned kMsgNoAnalysis = 643;

class RefusalsTest : public seqtest::SequenceTest {
protected:
    CKivMeter& MeterOf(int box) { return *system.GetBox(box)->GetMeter(); }
};

TEST_F(RefusalsTest, OutputFedByAChannelWithoutInputIsRefused)
{
    // Port 0 measures, port 1 drives outputs: map indices 0..7 and 8..15.
    Connect(1, {2, 3});
    ASSERT_TRUE(system.SetChannelValue(8, CBoxPropaty::kAttrSource, 1));
    EXPECT_TRUE(system.CheckSettings());

    // Channel 10 is an output of the same unit: nothing measured feeds it.
    ASSERT_TRUE(system.SetChannelValue(8, CBoxPropaty::kAttrSource, 10));
    services.prompt.Expect(kMsgNotSettable, fw::IDOK);
    EXPECT_FALSE(system.CheckSettings());
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(RefusalsTest, OutputSwitchedOffIsCheckedAfterTheFirmware)
{
    Connect(1, {2, 3});
    ASSERT_TRUE(system.SetChannelValue(9, CBoxPropaty::kAttrAddSource1, 12));
    ASSERT_TRUE(system.SetChannelValue(9, CBoxPropaty::kAttrOnOff, 0));
    services.prompt.Expect(kMsgNotSettable, fw::IDOK);
    EXPECT_FALSE(system.CheckSettings());
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(RefusalsTest, FrequencyNumbersOfAUnitWithoutAnalysisAreOnlyAWarning)
{
    Connect(2, {2});
    Dev(1).With([](Measure&, Meter&, State& s) { s.analysisState = 99; });
    MeterOf(1).QueryAnalysisSupport();
    ASSERT_FALSE(MeterOf(1).IsAnalysisAvailable());
    ASSERT_TRUE(MeterOf(0).IsAnalysisAvailable());
    ASSERT_TRUE(system.SetChannelValue(80 + 5, CBoxPropaty::kAttrAnalysisInput, 3));

    // The names of the boxes follow, each after a blank.
    const std::string text = fw::LoadStringText(kMsgNoAnalysis).str() + "\n " + system.GetBox(1)->GetName().str();
    services.prompt.ExpectText(text.c_str(), fw::IDOK);
    EXPECT_TRUE(system.CheckSettings()) << "the warning does not stop the check";
    EXPECT_EQ(services.prompt.Problems(), "");
    ASSERT_EQ(services.prompt.Prompts().size(), 1u);
    EXPECT_EQ(services.prompt.Prompts()[0].text.str(), text);
}

struct FirmwareRow {
    const char* name;
    int code;
    double value;
    unsigned message;
};

class FirmwareRefusalsTest : public RefusalsTest, public ::testing::WithParamInterface<FirmwareRow> {};

TEST_P(FirmwareRefusalsTest, Before22AIsRefused)
{
    const FirmwareRow& r = GetParam();
    Connect(1, {1});
    MeterOf(0).SetFirmwareVersion(meterversion::Pack("2.1A"));
    // A filter characteristic needs a low-pass filter to act on.
    ASSERT_TRUE(system.SetChannelValue(3, CBoxPropaty::kAttrLowPass, 100));
    EXPECT_TRUE(system.CheckSettings());
    ASSERT_TRUE(system.SetChannelValue(3, r.code, r.value));
    services.prompt.Expect(r.message, fw::IDOK);
    EXPECT_FALSE(system.CheckSettings());
    EXPECT_EQ(services.prompt.Problems(), "");

    // The same settings pass where control unit and unit can take them.
    Dev(0).With([](Measure&, Meter&, State& s) { s.unitFirmware[0] = "1.2A"; });
    MeterOf(0).SetFirmwareVersion(meterversion::Pack("2.2A"));
    EXPECT_TRUE(system.CheckSettings());
}

INSTANTIATE_TEST_SUITE_P(Rows, FirmwareRefusalsTest,
                         ::testing::Values(FirmwareRow{"EighthOrderLowPass", CBoxPropaty::kAttrFilterKind, 2, 864},
                                           FirmwareRow{"HighPass", CBoxPropaty::kAttrHighPass, 20, 871},
                                           FirmwareRow{"BalanceOff", 50, 1, 876}),
                         [](const ::testing::TestParamInfo<FirmwareRow>& info) { return std::string(info.param.name); });

} // namespace
