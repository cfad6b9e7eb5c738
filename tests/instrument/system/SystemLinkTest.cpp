// The measuring system against emulated control units, each on its own
// loopback port.

#include "instrument/system/BoxArray.h"

#include "common/base/ZelException.h"
#include "common/cache/CacheDataTank.h"
#include "common/tank/DblDataTank.h"
#include "instrument/ContinueQuestion.h"
#include "instrument/MeterSocket.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/HistCount.h"
#include "tests/emulator/Emulator.h"
#include "tests/emulator/MeterCommands.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using systest::Types;

constexpr uint32_t kLoopback = 0x7F000001;

// Answers the continue question from a script and remembers what it was asked.
class ScriptedQuestion final : public IContinueQuestion {
public:
    bool Ask(const fw::CString& message, int seconds) override
    {
        asked.push_back(message.str());
        this->seconds.push_back(seconds);
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return answer;
    }
    std::vector<bool> answers;
    std::vector<std::string> asked;
    std::vector<int> seconds;
};

class SystemLinkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { systest::RegisterClassesOnce(); }

    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
        for (int i = 0; i < 2; ++i) {
            emu.AddUnit();
            devices.push_back(std::make_unique<kivemu::MeterEmulator>(emu.Unit(static_cast<size_t>(i))));
        }
        link.SetReplyTimeout(0);
        services.prompt.SetUnexpectedHandler(
            [](const auto& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.c_str(); });
    }

    void TearDown() override { InstallContinueQuestion(previous); }

    // Unit i of the emulator holds these unit types.
    void UnitsOf(int i, std::initializer_list<int> codes)
    {
        devices[static_cast<size_t>(i)]->With([&](kivemu::MeterDevice&, kivemu::DeviceState& s) {
            s.unitTypes.fill(0);
            size_t p = 0;
            for (int code : codes)
                s.unitTypes[p++] = code;
        });
    }

    void Build(std::initializer_list<CKivUnitTypes> units)
    {
        CMeterInterfacePrf profile = systest::Profile(units);
        for (int i = 0; i < profile.GetCount(); ++i) {
            profile.m_ipAddress[static_cast<size_t>(i)] = kLoopback;
            profile.m_port[static_cast<size_t>(i)] = emu.Port(static_cast<size_t>(i));
        }
        ASSERT_TRUE(system.BuildFromProfile(profile));
    }

    void BuildTwo()
    {
        UnitsOf(0, {1, 1, 3});
        UnitsOf(1, {2});
        Build({Types({1, 1, 3}), Types({2})});
    }

    std::vector<std::string> Lines(int i) { return emu.Unit(static_cast<size_t>(i)).GetTranscript().Lines(); }

    kivtest::TempDir temp;
    fw::test::ServiceScope services;
    kivemu::Emulator emu;
    std::vector<std::unique_ptr<kivemu::MeterEmulator>> devices;
    CMeterSocket link;
    CBoxArray system;
    ScriptedQuestion question;
    IContinueQuestion* previous = InstallContinueQuestion(&question);
};

TEST_F(SystemLinkTest, TwoControlUnitsConnectEachOnItsOwnPort)
{
    BuildTwo();
    ASSERT_TRUE(system.ConnectMeters(&link));
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const CKivMeter* meter = system.GetBox(i)->GetMeter();
        EXPECT_TRUE(meter->IsConnected());
        EXPECT_EQ(meter->GetSerialNumber(), 100 + i);
        ASSERT_FALSE(Lines(i).empty());
        EXPECT_EQ(Lines(i).front(), "VER");
    }
    EXPECT_EQ(system.GetBoxesInUse(), (std::vector<int16_t>{0, 1}));
    ASSERT_EQ(system.GetUnitList().count, 2);
    EXPECT_EQ(system.GetUnitList().address[0], 0);
    EXPECT_EQ(system.GetUnitList().address[1], 1);
    system.CloseMeters();
}

TEST_F(SystemLinkTest, OneControlUnitIsOpenedWithoutSerialNumber)
{
    UnitsOf(0, {2});
    Build({Types({2})});
    ASSERT_TRUE(system.ConnectMeters(&link));
    EXPECT_EQ(system.GetBox(0)->GetMeter()->GetSerialNumber(), 0);
}

TEST_F(SystemLinkTest, OldFirmwareAmongSeveralUnitsIsNamed)
{
    BuildTwo();
    devices[1]->With([](kivemu::MeterDevice&, kivemu::DeviceState& s) { s.firmware = "1.2B"; });
    services.prompt.ExpectText("\n\n KIV-406(2)", fw::IDOK);
    EXPECT_FALSE(system.ConnectMeters(&link));
    EXPECT_EQ(services.prompt.Problems(), "");
    EXPECT_TRUE(system.GetBoxesInUse().empty());
}

TEST_F(SystemLinkTest, UnitWithoutChannelOnStopsTheConnection)
{
    BuildTwo();
    for (int i = 16; i < 24; ++i)
        ASSERT_TRUE(system.SetChannelValue(i, 0, 0));
    services.prompt.Expect(160, fw::IDOK);
    EXPECT_FALSE(system.ConnectMeters(&link));
    EXPECT_EQ(services.prompt.Problems(), "");
}

TEST_F(SystemLinkTest, ContinueReopensTheLinkAndChecksEveryUnit)
{
    BuildTwo();
    ASSERT_TRUE(system.ConnectMeters(&link));
    question.answers = {true};
    EXPECT_TRUE(system.AskContinue("step failed", nullptr));
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(question.asked[0], "step failed\n続行しますか？");
    EXPECT_EQ(question.seconds[0], 15);
}

TEST_F(SystemLinkTest, ContinueWithAnUnreachableUnitAsksWithTheLinkErrorAlone)
{
    BuildTwo();
    ASSERT_TRUE(system.ConnectMeters(&link));
    emu.Server(1).Stop();
    question.answers = {true, false};
    EXPECT_FALSE(system.AskContinue("step failed", nullptr));
    ASSERT_EQ(question.asked.size(), 2u);
    EXPECT_FALSE(question.asked[1].empty());
    EXPECT_EQ(question.asked[1].find("続行しますか"), std::string::npos);
    EXPECT_EQ(question.asked[1].find("step failed"), std::string::npos);
}

TEST_F(SystemLinkTest, StatusChangeFollowsTheCardState)
{
    BuildTwo();
    ASSERT_TRUE(system.ConnectMeters(&link));
    CBoxPropaty& box = *system.GetBox(0);
    struct Row {
        const char* name;
        int card;
        int change;
    };
    const Row rows[] = {
        {"0 to 0", 0, 0}, {"0 to 50", 50, 1}, {"50 to 50", 50, 0}, {"50 to 3", 3, 2}, {"3 to 4", 4, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        devices[0]->With([&](kivemu::MeterDevice&, kivemu::DeviceState& s) { s.cardStatus = r.card; });
        box.PollStatus();
        EXPECT_EQ(box.GetStatusChange(), r.change);
    }
}

TEST_F(SystemLinkTest, FrequencyCountsAreReadFromTheirControlUnit)
{
    BuildTwo();
    ASSERT_TRUE(system.ConnectMeters(&link));
    ASSERT_TRUE(system.SetChannelValue(85, 103, 3));
    system.UpdateHistCounts(85, 85);
    CHistCountObj* entry = system.GetHistCounts()->GetAt(85);
    ASSERT_NE(entry, nullptr);
    const int words = entry->GetWordCount();
    ASSERT_GT(words, 0);
    emu.Unit(1).AddCommand("HDB", [words](const kivemu::Command&, kivemu::DeviceState&) {
        std::vector<uint8_t> bytes(static_cast<size_t>(words) * 4);
        for (int32_t i = 0; i < words; ++i)
            std::memcpy(&bytes[static_cast<size_t>(i) * 4], &i, 4);
        return kivemu::Reply::Block(bytes);
    });
    system.ReadHistCountList({{18, 85}});
    EXPECT_EQ(Lines(1).back(), "HDB6");
    // PEAK/V: each side's counts arrive from the highest slice down; the
    // table lists them from the lowest up, then the sum and one-sided columns.
    ASSERT_EQ(entry->m_operation, 1);
    const int slices = words / 2;
    ASSERT_EQ(entry->GetCountTank()->GetDataCount(), 4 * slices);
    EXPECT_EQ(entry->GetCountTank()->GetValue(1), slices - 2);
    EXPECT_EQ(entry->GetCountTank()->GetValue(slices + 1), words - 2);

    // A negative coefficient of the input channel turns the sides round.
    ASSERT_TRUE(system.SetChannelValue(18, 24, -1.0));
    system.ReadHistCountList({{18, 85}});
    EXPECT_EQ(entry->GetCountTank()->GetValue(1), slices + 1);
    EXPECT_EQ(entry->GetCountTank()->GetValue(slices + 1), 1);

    // A block shorter than the entry's counts is refused.
    emu.Unit(1).AddCommand("HDB", [words](const kivemu::Command&, kivemu::DeviceState&) {
        return kivemu::Reply::Block(std::vector<uint8_t>(static_cast<size_t>(words - 1) * 4));
    });
    EXPECT_THROW(system.ReadHistCountList({{18, 85}}), CZelException);
}

TEST_F(SystemLinkTest, AnalysisSettingsReadBackInEngineeringUnits)
{
    UnitsOf(0, {2});
    Build({Types({2})});
    ASSERT_TRUE(system.ConnectMeters(&link));
    devices[0]->With([](kivemu::MeterDevice& d, kivemu::DeviceState&) {
        d.analyses[0].input = 2;
        d.analyses[0].fullScale = 2000;
        d.analyses[0].hysteresis = 300;
        d.analyses[1].input = 0;
        d.analyses[1].fullScale = 500;
        d.analyses[1].hysteresis = 50;
    });
    CBoxPropaty& box = *system.GetBox(0);
    ASSERT_TRUE(box.ReadHistogramSettings());
    const double k = box.GetMeter()->GetScaleFactor(1) * box.GetMeter()->GetValue(1, 24);
    EXPECT_EQ(box.GetChannelValue(0, 2003), 2000 * k);
    EXPECT_EQ(box.GetChannelValue(0, 2005), 15.0);
    EXPECT_EQ(box.GetChannelValue(0, 2004), 1.0);
    EXPECT_EQ(box.GetChannelValue(1, 2003), 500.0);
    EXPECT_EQ(box.GetChannelValue(1, 2005), 10.0);
    EXPECT_EQ(box.GetMeter()->GetValue(0, 105), 300.0);
}

TEST_F(SystemLinkTest, SettingsReadBackReachTheChannelData)
{
    UnitsOf(0, {2});
    Build({Types({2})});
    ASSERT_TRUE(system.ConnectMeters(&link));
    ASSERT_TRUE(system.SetChannelText(0, 1002, "2"));
    ASSERT_TRUE(system.SetChannelText(0, 1003, "1000"));
    ASSERT_TRUE(system.SetChannelText(1, 1004, "0.00"));
    ASSERT_TRUE(system.GetBox(0)->GetMeter()->SendAllSettings());

    CMeterInterfacePrf profile = system.GetProfile();
    CBoxArray fresh;
    ASSERT_TRUE(fresh.BuildFromProfile(profile));
    CMeterSocket otherLink;
    otherLink.SetReplyTimeout(0);
    ASSERT_TRUE(fresh.ConnectMeters(&otherLink));
    EXPECT_EQ(fresh.GetChannelValue(0, 1002), HUGE_VAL);
    ASSERT_TRUE(fresh.GetBox(0)->ReadSettingsFromMeter());
    EXPECT_EQ(fresh.GetChannelValue(0, 1002), 2.0);
    EXPECT_EQ(fresh.GetChannelValue(0, 1003), 1000.0);
    EXPECT_EQ(fresh.GetChannelValue(0, 24), 500.0);
    EXPECT_EQ(fresh.GetChannelValue(1, 1004), 2.0);
    EXPECT_EQ(fresh.GetChannelValue(0, 1007), 1.0);
}

} // namespace
