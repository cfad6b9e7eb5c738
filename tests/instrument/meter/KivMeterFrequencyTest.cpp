#include "tests/support/link/MeterFixture.h"

#include "tests/instrument/unit/UnitTestSupport.h"
#include "tests/support/ArchiveBytes.h"

#include <cmath>

using metertest::Lines_t;
using metertest::MeterLinkTest;
using metertest::MeterModelTest;

// ----------------------------------------------------------------- limits

TEST_F(MeterModelTest, AnalysisSettingsKeepTheirRules)
{
    struct Step {
        int code;
        double value;
        bool accepted;
    };
    struct Row {
        const char* name;
        std::vector<Step> steps;
        int code;
        double expected;
    };
    const Row rows[] = {
        {"operation 3 makes one-sided slices", {{106, 3, true}}, 110, 0},
        {"operation 3: plus slice 100", {{106, 3, true}}, 109, 100},
        {"then a plus slice of 60 keeps minus 0", {{106, 3, true}, {109, 60, true}}, 110, 0},
        {"minus slice refused for operation 6", {{106, 6, true}, {110, 10, false}}, 110, 0},
        {"minus 30 with plus 80 lowers plus", {{109, 80, true}, {110, 30, true}}, 109, 70},
        {"plus 0 while minus is 0", {{106, 3, true}, {109, 0, false}}, 109, 100},
        {"offset rounded away from zero", {{108, 12.2, true}}, 108, 13},
        {"negative offset rounded away from zero", {{108, -12.2, true}}, 108, -13},
        {"offset beyond its range", {{108, 10001, false}}, 108, 0},
        {"time base 3 refused", {{107, 3, false}}, 107, 1},
        {"time base 4", {{107, 4, true}}, 107, 4},
        {"time base beyond 16 bits refused", {{107, 70000, false}}, 107, 1},
        {"full scale beyond 16 bits refused", {{104, 70000, false}}, 104, 1000},
        {"hysteresis", {{105, 3, false}, {105, 5000, true}}, 105, 5000},
        {"input channel", {{103, 81, false}, {103, 80, true}}, 103, 80},
        {"memory mode", {{102, 2, false}}, 102, 1},
        {"operation outside 1-6", {{106, 7, false}}, 106, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        meter.ResetFrequencySettings();
        for (const Step& step : row.steps)
            EXPECT_EQ(meter.SetValue(5, step.code, step.value, true), step.accepted) << "code " << step.code;
        EXPECT_EQ(meter.GetValue(5, row.code), row.expected);
    }
}

TEST_F(MeterModelTest, ProgramSettingsKeepTheirRules)
{
    struct Row {
        int code;
        double value;
        bool accepted;
    };
    const Row rows[] = {{111, 13, false}, {111, 12, true}, {112, 0, false}, {113, 23, true}, {114, 60, false},
                        {115, 30000, true}, {115, 30001, false}, {115, 70000, false}, {116, 60, false},
                        {118, 0, false}, {118, 50, true}, {119, -1, false}, {121, 59, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.code << " := " << row.value);
        EXPECT_EQ(meter.SetValue(0, row.code, row.value, true), row.accepted);
    }
    EXPECT_TRUE(meter.SetValue(0, 112, -1, true));
    for (int code = 111; code <= 114; ++code) {
        EXPECT_EQ(meter.GetValue(0, code), -1);
        fw::CString text;
        EXPECT_EQ(std::string(meter.GetText(0, code, text)), "");
    }
    EXPECT_TRUE(meter.IsValueAllowed(0, 111, 0));
    EXPECT_TRUE(meter.SetValue(0, 111, 5, true));
    EXPECT_FALSE(meter.IsValueAllowed(0, 111, 0));  // the other start fields are still unset
}

TEST_F(MeterModelTest, AnalysisTexts)
{
    fw::CString text;
    EXPECT_EQ(std::string(meter.GetText(0, 103, text)), "OFF");
    EXPECT_TRUE(meter.SetText(0, 106, "TIME", true));
    EXPECT_TRUE(meter.SetText(0, 107, "10msec", true));
    EXPECT_EQ(std::string(meter.GetText(0, 107, text)), "10msec");
    EXPECT_EQ(std::string(meter.GetText(0, 106, text)), "TIME");
    EXPECT_FALSE(meter.SetText(0, 106, "time", true));
    EXPECT_FALSE(meter.SetText(0, 104, "abc", true));
    EXPECT_TRUE(meter.SetText(0, 111, "", true));
    EXPECT_EQ(meter.GetValue(0, 113), -1);
    EXPECT_EQ(FindOperationIndex("FROM/TO"), 7);
    EXPECT_EQ(FindOperationIndex("NONE"), -1);
}

TEST_F(MeterModelTest, LoadClassOfTheAnalyses)
{
    Install({1, 1, 1});
    EXPECT_EQ(meter.GetLoadClass(), 0);
    for (int i = 0; i < 16; ++i)
        meter.SetValue(i, 103, i + 1, true);
    EXPECT_EQ(meter.GetLoadClass(), 1);
    meter.SetValue(16, 103, 17, true);
    EXPECT_EQ(meter.GetLoadClass(), 2);
    meter.SetValue(3, 106, 2, true);
    EXPECT_EQ(meter.GetLoadClass(), 3);
}

// ------------------------------------------------------- with the unit

class MeterFrequencyTest : public MeterLinkTest {
protected:
    void SetUp() override
    {
        MeterLinkTest::SetUp();
        Install({1});
        ASSERT_TRUE(meter.Open(true));
        ForgetLines();
    }

    void Configure(CKivMeter& m)
    {
        ASSERT_TRUE(m.SetValue(0, 103, 1, true));
        ASSERT_TRUE(m.SetValue(0, 106, 2, true));
        ASSERT_TRUE(m.SetValue(0, 108, 13, true));
        ASSERT_TRUE(m.SetValue(1, 103, 2, true));
        ASSERT_TRUE(m.SetValue(1, 106, 4, true));
        ASSERT_TRUE(m.SetValue(1, 107, 4, true));
        ASSERT_TRUE(m.SetValue(1, 104, 2000, true));
        ASSERT_TRUE(m.SetValue(1, 109, 70, true));
        ASSERT_TRUE(m.SetValue(0, 111, 12, true));
        ASSERT_TRUE(m.SetValue(0, 112, 24, true));
        ASSERT_TRUE(m.SetValue(0, 113, 15, true));
        ASSERT_TRUE(m.SetValue(0, 114, 30, true));
        ASSERT_TRUE(m.SetValue(0, 115, 2, true));
        ASSERT_TRUE(m.SetValue(0, 118, 5, true));
        ASSERT_TRUE(m.SetValue(0, 120, 3, true));
    }
};

TEST_F(MeterFrequencyTest, WritingTheAnalysesGroupsThemByText)
{
    Configure(meter);
    ASSERT_TRUE(meter.WriteFrequencySettings());
    const Lines_t expected = {
        "MEM1,2",
        "RSV", "VDT1;1", "OPH1", "RSV", "VDT2;2", "OPH2", "RSV", "VDT3;80", "OPH0",
        "RSV", "VDT1;1", "FUL1000", "RSV", "VDT2;2", "FUL2000",
        "RSV", "VDT1;2", "HYS100",
        "RSV", "VDT1;1", "OPR2", "RSV", "VDT2;2", "OPR4,4",
        "RSV", "VDT1;1", "MCL13", "RSV", "VDT2;2", "MCL0",
        "RSV", "VDT1;1", "SLX50,50", "RSV", "VDT2;2", "SLX70,30",
        "MEM1,1",
    };
    EXPECT_EQ(NewLines(), expected);
}

TEST_F(MeterFrequencyTest, NothingIsWrittenWithoutAnalysis)
{
    meter.SetAnalysisAvailable(false);
    EXPECT_TRUE(meter.WriteFrequencySettings());
    EXPECT_TRUE(NewLines().empty());
}

TEST_F(MeterFrequencyTest, ProgramCommands)
{
    Configure(meter);
    meter.SendProgram();
    meter.SetValue(0, 111, -1, true);
    meter.SendProgram();
    EXPECT_EQ(NewLines(), (Lines_t{"PST12,24,15,30", "PMA0,3,0", "PIV2,1,0", "PCY5", "PST**,**,**,**", "PMA0,3,0",
                                   "PIV2,1,0", "PCY5"}));
}

TEST_F(MeterFrequencyTest, ReadingBackGivesWhatWasWritten)
{
    Configure(meter);
    ASSERT_TRUE(meter.WriteFrequencySettings());
    meter.SendProgram();

    CKivMeter fresh;
    fresh.InstallUnits(metertest::Types({1}));
    fresh.SetAddress(0);
    fresh.SetIpPort(kivtest::kLoopbackIp, emu.Port(0));
    fresh.SetInterface(&link);
    link.Open();  // binding gave the slot a new connection
    fresh.SetAnalysisAvailable(true);
    ForgetLines();
    ASSERT_TRUE(fresh.ReadFrequencySettings()) << services.prompt.Problems();
    EXPECT_EQ(NewLines(), (Lines_t{"LST3", "LST1", "LST4", "LST5", "LST6"}));
    EXPECT_EQ(services.prompt.Problems(), "");
    for (int i = 0; i < 80; ++i) {
        for (int code : {103, 104, 105, 106, 108, 109, 110}) {
            SCOPED_TRACE(testing::Message() << "analysis " << i << " code " << code);
            EXPECT_EQ(fresh.GetValue(i, code), meter.GetValue(i, code));
        }
    }
    EXPECT_EQ(fresh.GetValue(1, 107), 4);
    for (int code = 111; code <= 121; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(fresh.GetValue(0, code), meter.GetValue(0, code));
    }
}

TEST_F(MeterFrequencyTest, ListsThatDoNotFitAreReported)
{
    struct Row {
        const char* name;
        const char* list;
        std::vector<std::string> extra;
    };
    const Row rows[] = {
        {"81 lines of full scales", "LST1", {"1000,100,0,0,0,0,0.0"}},
        {"a refused value", "LST6", {"7"}},
        {"a list without end", "LST3", std::vector<std::string>(1200, "1,2")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        device.With([&](kivemu::MeterDevice& d, kivemu::DeviceState&) {
            d.extraListLines.clear();
            d.extraListLines[row.list] = row.extra;
        });
        meter.SetAnalysisAvailable(true);
        services.prompt.Reset();
        EXPECT_FALSE(meter.ReadFrequencySettings());
        ASSERT_EQ(services.prompt.Prompts().size(), 1u);
        EXPECT_NE(services.prompt.Prompts()[0].text.Find("測定器"), -1);
    }
}

// ---------------------------------------------------------------- archive

namespace {

using unittest::Form;

Form& Real(Form& f, double v)
{
    return f.raw(&v, 8);
}

Form& U32(Form& f, uint32_t v)
{
    return f.raw(&v, 4);
}

// The form of a control unit with the given unit bytes after its settings.
Form MeterForm(const std::vector<uint8_t>& unitBytes, int16_t cycles, int16_t month)
{
    Form f;
    f.i16(16).i16(0);
    U32(f, 0x7F000001u).i32(50000).i32(1000).i32(100);
    Real(f, 0.5);
    f.tag("<HISTSET>").i16(1);
    f.count(80).i16(3);
    for (int i = 1; i < 80; ++i)
        f.i16(0);
    f.shortsN(80, 1000).shortsN(80, 100).shortsN(80, 1).shortsN(80, 1).shortsN(80, 0).shortsN(80, 50).shortsN(80, 50);
    f.tag("<PROGSET>").i16(cycles).i16(month).i16(24).i16(15).i16(30).i16(0).i16(1).i16(0).i16(0).i16(1).i16(0);
    f.tag("<EXT_CLK>").i16(1);
    f.count(10);
    f.raw(unitBytes.data(), unitBytes.size());
    return f;
}

} // namespace

TEST_F(MeterModelTest, ArchiveFormIsExact)
{
    Install({1});
    meter.SetIpPort(0x7F000001u, 50000);
    ASSERT_TRUE(meter.SetValue(0, 8, 0.5, false));
    ASSERT_TRUE(meter.SetValue(0, 9, 1000, false));
    ASSERT_TRUE(meter.SetValue(0, 10, 100, false));
    ASSERT_TRUE(meter.SetValue(0, 103, 3, false));
    ASSERT_TRUE(meter.SetValue(0, 43, 1, false));
    ASSERT_TRUE(meter.SetValue(0, 111, 12, false));
    ASSERT_TRUE(meter.SetValue(0, 112, 24, false));
    ASSERT_TRUE(meter.SetValue(0, 113, 15, false));
    ASSERT_TRUE(meter.SetValue(0, 114, 30, false));
    ASSERT_TRUE(meter.SetValue(0, 118, 4, false));

    Form units;
    units.i16(static_cast<int16_t>(0xFFFF)).i16(1).i16(10).tag("CKiv4GUnit");
    const std::vector<uint8_t> body = unittest::StoredForm(*meter.GetUnit(0));
    units.raw(body.data(), body.size());
    for (int p = 1; p < 10; ++p)
        units.i16(0);
    const std::vector<uint8_t> expected = MeterForm(units.b, 4, 12).b;
    EXPECT_EQ(kivtest::StoredBytes([&](fw::CArchive& ar) { meter.Serialize(ar); }), expected);

    CKivMeter loaded;
    EXPECT_EQ(kivtest::LoadBytes(expected, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    EXPECT_EQ(kivtest::StoredBytes([&](fw::CArchive& ar) { loaded.Serialize(ar); }), expected);
    EXPECT_EQ(loaded.GetChannelSpan(), 8);
    EXPECT_EQ(loaded.GetValue(0, 43), 1);
    ASSERT_NE(loaded.GetUnit(0), nullptr);
    EXPECT_EQ(loaded.GetUnit(0)->GetTypeCode(), 1);
}

TEST_F(MeterModelTest, OlderArchiveFormsLoad)
{
    // Before "<PROGSET>": a dropped word, the cycle count, five words (the
    // first dropped, then month, day, hour, minute), interval, measuring
    // time and five dropped words.
    Form old;
    old.i16(16).i16(0);
    U32(old, 0).i32(0).i32(500).i32(0);
    Real(old, 2.0);
    old.tag("<HISTSET>").i16(1);
    for (int a = 0; a < 8; ++a)
        old.shortsN(80, a == 4 ? 0 : 1000);
    old.i16(99).i16(7).i16(99).i16(3).i16(4).i16(5).i16(6).i16(1).i16(2).i16(3).i16(0).i16(5).i16(0);
    for (int i = 0; i < 5; ++i)
        old.i16(99);
    old.count(10);
    for (int p = 0; p < 10; ++p)
        old.i16(0);
    CKivMeter loaded;
    EXPECT_EQ(kivtest::LoadBytes(old.b, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    EXPECT_EQ(loaded.GetValue(0, 118), 7);
    EXPECT_EQ(loaded.GetValue(0, 111), 3);
    EXPECT_EQ(loaded.GetValue(0, 114), 6);
    EXPECT_EQ(loaded.GetValue(0, 115), 1);
    EXPECT_EQ(loaded.GetValue(0, 120), 5);
    EXPECT_EQ(loaded.GetValue(0, 107), 1);  // a stored time base 0 becomes 1
    EXPECT_EQ(loaded.GetValue(0, 43), 0);   // no "<EXT_CLK>": the internal clock
    EXPECT_EQ(loaded.GetDataCount(), 500);

    // The oldest form has no tagged blocks at all.
    Form oldest;
    oldest.i16(3).i16(0);
    U32(oldest, 0).i32(0).i32(500).i32(0);
    Real(oldest, 2.0);
    oldest.count(10);
    for (int p = 0; p < 10; ++p)
        oldest.i16(0);
    CKivMeter plain;
    EXPECT_EQ(kivtest::LoadBytes(oldest.b, [&](fw::CArchive& ar) { plain.Serialize(ar); }), 0u);
    EXPECT_EQ(plain.GetAddress(), 3);
    EXPECT_EQ(plain.GetValue(0, 104), 1000);
}

TEST_F(MeterModelTest, ArchiveWithTooManyOrSharedUnitsIsRefused)
{
    Install({1});
    std::vector<uint8_t> bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { meter.Serialize(ar); });
    // The unit array's count sits before port 0's class tag: make it 11.
    const std::vector<uint8_t> tag = {0xFF, 0xFF};
    const auto at = std::search(bytes.begin(), bytes.end(), tag.begin(), tag.end());
    ASSERT_NE(at, bytes.end());
    *(at - 2) = 11;
    bytes.push_back(0);
    bytes.push_back(0);
    CKivMeter loaded;
    EXPECT_THROW(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), fw::CArchiveException);
}

TEST_F(MeterModelTest, ArchiveRoundTripOfEveryUnitModel)
{
    for (int code : {1, 2, 3, 4, 5, 7, 9, 10}) {
        SCOPED_TRACE(code);
        CKivMeter original;
        original.InstallUnits(metertest::Types({code, 0, code}));
        original.SetValue(4, 104, 400, true);
        const auto bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { original.Serialize(ar); });
        CKivMeter loaded;
        EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
        const auto again = kivtest::StoredBytes([&](fw::CArchive& ar) { loaded.Serialize(ar); });
        EXPECT_EQ(again, bytes);
        EXPECT_EQ(loaded.GetChannelSpan(), 24);
    }
}

TEST_F(MeterModelTest, UnsetPhysicalInputsOfOutputsAreFilledAfterLoading)
{
    // An output unit stored before it kept physical inputs, behind an
    // empty port.
    Install({1, 0, 3});
    ASSERT_TRUE(meter.SetValue(16, 23, 1, false));
    ASSERT_TRUE(meter.SetValue(0, 24, -2, false));
    ASSERT_TRUE(meter.SetValue(16, 21, 0.5, false));
    std::vector<uint8_t> bytes = kivtest::StoredBytes([&](fw::CArchive& ar) { meter.Serialize(ar); });
    const std::string tag = "<INCH>";
    const auto at = std::search(bytes.begin(), bytes.end(), tag.begin(), tag.end());
    ASSERT_NE(at, bytes.end());
    bytes.erase(at, bytes.end() - 7 * 2);  // up to the seven empty ports after it

    CKivMeter loaded;
    EXPECT_EQ(kivtest::LoadBytes(bytes, [&](fw::CArchive& ar) { loaded.Serialize(ar); }), 0u);
    const double range = loaded.GetValue(16, 3);
    EXPECT_FLOAT_EQ(static_cast<float>(loaded.GetValue(16, 47)),
                    static_cast<float>(std::trunc(range / 0.5) * loaded.GetScaleFactor(0) * 2));
    const double sensitivity = loaded.GetValue(17, 21);
    EXPECT_FLOAT_EQ(static_cast<float>(loaded.GetValue(17, 47)), static_cast<float>(std::trunc(range / sensitivity)));
}
