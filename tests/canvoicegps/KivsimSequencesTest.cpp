// The program's own command sequences against the control units kivsim
// serves: every sequence must succeed and no command may be refused, so
// trying the program without hardware holds for all of them.

#include "canvoicegps/Kiv463Exchange.h"
#include "canvoicegps/Kiv463Unit.h"
#include "common/cache/CacheDataTank.h"
#include "instrument/ContinueQuestion.h"
#include "instrument/MeterSocket.h"
#include "instrument/meter/Kiv406FileInfo.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "tests/emulator/Emulator.h"
#include "tests/emulator/SimulatedUnit.h"
#include "tests/support/link/SystemTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

class AlwaysContinue final : public IContinueQuestion {
public:
    bool Ask(const fw::CString& message, int) override
    {
        ADD_FAILURE() << "asked to continue: " << message.c_str();
        return false;
    }
};

class KivsimSequences : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        systest::RegisterClassesOnce();
        RegisterCanVoiceGpsClasses();
    }

    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
        link.SetReplyTimeout(0);
        services.prompt.SetUnexpectedHandler(
            [](const auto& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.c_str(); });

        // The master: 4-gauge, voltage output, CAN/voice/GPS, digital I/O,
        // voltage; the second unit follows it.
        const std::vector<std::vector<int>> types = {{1, 3, 8, 7, 2}, {2, 4}};
        CMeterInterfacePrf profile;
        profile.SetCount(static_cast<int>(types.size()));
        for (size_t i = 0; i < types.size(); ++i) {
            units.push_back(std::make_unique<kivemu::SimulatedUnit>(emu.AddUnit(), static_cast<int>(i) + 1, types[i]));
            for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
                profile.m_unitTypes[i].SetAt(p, p < static_cast<int>(types[i].size()) ? types[i][static_cast<size_t>(p)] : 0);
            profile.m_ipAddress[i] = kLoopback;
            profile.m_port[i] = emu.Port(i);
            profile.m_serialNo[i] = static_cast<int16_t>(i + 1);
        }
        units[1]->Follow(*units[0]);
        ASSERT_TRUE(system.BuildFromProfile(profile));
    }

    void TearDown() override
    {
        system.CloseMeters();
        InstallContinueQuestion(previous);
        for (size_t i = 0; i < units.size(); ++i)
            EXPECT_EQ(units[i]->Unit().RefusedCommands(), std::vector<std::string>{}) << "unit " << i;
    }

    CKivMeter& MeterOf(int box) { return *system.GetBox(box)->GetMeter(); }

    bool Sent(size_t unit, const std::string& line)
    {
        const std::vector<std::string> lines = units[unit]->Unit().GetTranscript().Lines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // Polls as the measurement panel does until the units are back in
    // standby; false when they never are.
    bool PollToStandby()
    {
        for (int poll = 0; poll < 1000; ++poll) {
            system.CollectBoxStates();
            if (system.GetState() == 1)
                return true;
            system.ReadCurrentValues({0, 1});
            system.StoreCurrentValues({0, 1});
            system.ReadElapsedTime();
        }
        return false;
    }

    kivtest::TempDir temp;
    fw::test::ServiceScope services;
    kivemu::Emulator emu;
    std::vector<std::unique_ptr<kivemu::SimulatedUnit>> units;
    CMeterSocket link;
    CBoxArray system;
    AlwaysContinue question;
    IContinueQuestion* previous = InstallContinueQuestion(&question);
};

TEST_F(KivsimSequences, IdentifyReadBackAndSend)
{
    ASSERT_TRUE(system.ConnectMeters(&link));
    EXPECT_TRUE(Sent(0, "STA4"));
    EXPECT_TRUE(MeterOf(0).IsAnalysisAvailable());
    // A read-back straight after switching on finds the channels on.
    ASSERT_TRUE(system.CheckSameClock());
    EXPECT_EQ(system.GetChannelValue(0, CBoxPropaty::kAttrOnOff), 1.0);
    ASSERT_TRUE(system.SelectOnChannels(true));
    ASSERT_TRUE(system.CheckSettings());
    ASSERT_TRUE(system.WriteAllSettings());
    EXPECT_TRUE(Sent(0, "FTC3"));
    ASSERT_TRUE(system.CheckSameClock());
    EXPECT_TRUE(Sent(0, "DAT TOP/data_mem/KIV463_03.SET"));
    ASSERT_TRUE(system.SetMeterClocks());
    ASSERT_TRUE(system.SendSaveMode());
    ASSERT_TRUE(system.ReadSaveMode());
    ASSERT_TRUE(system.SetCycleCount(5));
    EXPECT_EQ(system.ReadCycleCount(), 5);
    ASSERT_TRUE(system.WriteHistSettings());
    ASSERT_TRUE(system.ReadHistSettings());
    ASSERT_TRUE(system.OutputCalibration(5));
    ASSERT_TRUE(system.OutputCalibration(4));
}

TEST_F(KivsimSequences, EveryMeasurementKindBalanceAndFiles)
{
    ASSERT_TRUE(system.ConnectMeters(&link));
    ASSERT_TRUE(system.SelectOnChannels(true));
    ASSERT_TRUE(system.SetMeasuringChannelsValue(CBoxPropaty::kAttrDataCount, 300));
    ASSERT_TRUE(system.WriteAllSettings());

    // A manual start, recorded to its end.
    ASSERT_TRUE(system.StartAndWait());
    ASSERT_TRUE(PollToStandby());
    EXPECT_EQ(system.FinishRecording(false), 299);

    // A data-trigger start, halted.
    ASSERT_TRUE(system.SendDtg());
    ASSERT_TRUE(system.WaitTriggerAndReadStart(false, false));
    EXPECT_GE(system.StopMeasurement(false), 0);

    // A program measurement, halted and finished.
    ASSERT_TRUE(system.StartProgramMeasurement());
    ASSERT_TRUE(system.HaltAndFinish());

    ASSERT_TRUE(system.RunBalance({0, 1, 2}, false));

    // The recordings left their files on both units.
    ASSERT_TRUE(system.ReadFileLists(true, false));
    CKiv406FileInfo info;
    info.m_name = "A0001";
    unit463::GetMemoryFileInfo(MeterOf(0), info, "dat");
    EXPECT_TRUE(Sent(0, "DIR A0001.dat"));
    EXPECT_EQ(info.m_name, "A0001");
    ASSERT_GT(info.m_dataSize, 0);
    CKiv406FileInfo headerInfo;
    headerInfo.m_name = "A0001";
    unit463::GetMemoryFileInfo(MeterOf(0), headerInfo, "hed");
    fw::CString header;
    MeterOf(0).ReadHeaderFile("A0001", headerInfo.m_dataSize, header);
    EXPECT_NE(header.Find("NUM_SAMPS 300"), -1) << header.c_str();
    std::vector<uint8_t> data;
    MeterOf(0).ReadDataFile("A0001", info.m_dataSize, data);
    EXPECT_EQ(static_cast<int>(data.size()), info.m_dataSize);

    // Raw rows of every channel that is on, each at its width.
    const int rowBytes = MeterOf(0).GetSampleBytes();
    std::vector<uint8_t> rows(static_cast<size_t>(rowBytes) * 10);
    EXPECT_EQ(MeterOf(0).ReadDataBlock(rows, 10, rowBytes), 10 * rowBytes);

    // Frequency counts of one analysis.
    ASSERT_TRUE(system.SetChannelValue(4, CBoxPropaty::kAttrAnalysisInput, 1));
    system.BuildHistCounts();
    system.ReadHistCountList({{0, 4}});
    EXPECT_TRUE(Sent(0, "HDB5"));
}

} // namespace
