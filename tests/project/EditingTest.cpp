// Edits through the project document: calculated channels inserted and
// deleted, limits and alarm latches, and settings the control units do not
// keep themselves reaching them again after a reopen.

#include "tests/project/ProjectFixture.h"

#include "instrument/MeterSocket.h"
#include "instrument/system/BoxPropaty.h"
#include "project/model/ProjectStrings.h"
#include "tests/emulator/Emulator.h"
#include "tests/emulator/MeasurementCommands.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace prjtest;

namespace {

constexpr int kName = 0;
constexpr int kFunction = 1;
constexpr int kOnOff = 4;
constexpr int kUpper = 5;

class Editing : public ProjectFixture {
protected:
    void SetUp() override
    {
        doc = NewProject();
        ASSERT_NE(doc, nullptr);
    }

    std::string CalcText(int column, int row)
    {
        fw::CString text;
        doc->GetCalcSettings()->GetObjectAt(column)->GetValueText(row, text, false);
        return text.str();
    }

    CKIV5980Doc* doc = nullptr;
};

TEST_F(Editing, InsertedCalculatedChannelsStopAtTheLastNumberAndNameTheLostOnes)
{
    ASSERT_TRUE(doc->SetCalcChannelText(kName, 0, "first", nullptr));
    ASSERT_TRUE(doc->SetCalcChannelText(kName, 998, "near end", nullptr));
    ASSERT_TRUE(doc->SetCalcChannelText(kName, 999, "last", nullptr));
    doc->GetPanelMonitor().m_channels = {3, 499, 500, 1498};

    services.prompt.Expect(prjstr::kMsgCalcChannelsDropped, fw::IDOK);
    ASSERT_TRUE(doc->InsertCalcChannels(0, 1));
    EXPECT_NE(services.prompt.Prompts().back().text.str().find("NO999, NO1000"), std::string::npos);
    EXPECT_EQ(CalcText(kName, 2), "first");
    EXPECT_EQ(CalcText(kName, 0), "");
    EXPECT_EQ(doc->GetCalcSettings()->GetObjectAt(kName)->GetDataCount(), CKIV5980Doc::kCalcRows);
    EXPECT_LE(doc->GetBoxArray().GetTankList().GetSize(), 1500);
    EXPECT_EQ(doc->GetPanelMonitor().m_channels, (std::vector<int32_t>{3, 499, 502}))
        << "input channels and 499 stay; 1498 moved past the end and is gone";
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(Editing, InsertedRowsKeepEachSettingWithItsChannel)
{
    ASSERT_TRUE(doc->SetCalcChannelText(kName, 20, "x", nullptr));
    ASSERT_TRUE(doc->SetCalcChannelText(kFunction, 21, "=NO(21)+1", nullptr));
    ASSERT_TRUE(doc->InsertCalcChannels(2, 4));
    CDataTankList& channels = doc->GetBoxArray().GetTankList();
    ASSERT_NE(channels.GetObjectAt(523), nullptr);
    EXPECT_EQ(channels.GetObjectAt(523)->GetName().str(), "x");
    EXPECT_EQ(CalcText(kFunction, 24), "=NO(24)+1") << "the reference follows its channel";
    // The moved row still drives its own channel.
    ASSERT_TRUE(doc->SetCalcChannelText(kName, 23, "y", nullptr));
    EXPECT_EQ(channels.GetObjectAt(523)->GetName().str(), "y");
}

TEST_F(Editing, DeletingCalculatedChannelsRenumbersFormulasAndMonitors)
{
    ASSERT_TRUE(doc->SetCalcChannelText(kName, 0, "a", nullptr));
    ASSERT_TRUE(doc->SetCalcChannelText(kName, 3, "d", nullptr));
    ASSERT_TRUE(doc->SetCalcChannelText(kFunction, 4, "=NO(5)*2", nullptr));
    doc->GetPanelMonitor().m_channels = {0, 499, 503};
    ASSERT_TRUE(doc->DeleteCalcChannels(0, 0));
    EXPECT_EQ(CalcText(kName, 2), "d");
    EXPECT_EQ(CalcText(kFunction, 3), "=NO(4)*2");
    EXPECT_EQ(doc->GetPanelMonitor().m_channels, (std::vector<int32_t>{0, 499, 502}));
    EXPECT_GE(projectHost.stops, 1);
    EXPECT_EQ(projectHost.stops, projectHost.restarts);
}

TEST_F(Editing, LimitsOfInputAndCalculatedChannels)
{
    CBoxArray& system = doc->GetBoxArray();
    ASSERT_TRUE(doc->SetChannelAttribute(1009, 0, 0, 10, nullptr));
    EXPECT_EQ(doc->CheckLimits(0, HUGE_VAL, false, false), 0) << "switch off: no alarm, even for no value";
    ASSERT_TRUE(system.SetChannelValue(0, 1008, 1));
    struct Row {
        const char* name;
        double value;
        bool magnitude;
        int result;
    };
    const Row rows[] = {
        {"inside", 5, false, 0},
        {"above", 11, false, 2},
        {"negative inside without magnitude", -15, false, 0},
        {"negative above with magnitude", -15, true, 2},
        {"no value", NAN, false, 4},
    };
    for (const Row& row : rows)
        EXPECT_EQ(doc->CheckLimits(0, row.value, row.magnitude, false), row.result) << row.name;
    EXPECT_TRUE(doc->HasChannelLimits(0));

    ASSERT_TRUE(doc->SetCalcChannelValue(kOnOff, 2, 1, nullptr));
    ASSERT_TRUE(doc->SetCalcChannelValue(kUpper, 2, 1, nullptr));
    EXPECT_EQ(doc->CheckLimits(502, 3, false, false), 2);
    EXPECT_TRUE(doc->HasChannelLimits(502));
    EXPECT_FALSE(doc->HasChannelLimits(503));
}

TEST_F(Editing, RefusedAttributeLeavesTheDocumentUnmodified)
{
    doc->SetModifiedFlag(false);
    EXPECT_FALSE(doc->SetChannelAttribute(7, 0, 0, 9999, nullptr));
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(doc->SetChannelAttribute(1011, 0, 1, 7.5, nullptr));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_DOUBLE_EQ(doc->GetOpDataTanks()->GetObjectAt(0)->GetValue(1), 7.5);
}

class EmulatedProject : public ProjectFixture {
protected:
    void SetUp() override
    {
        emu.AddUnit();
        device = std::make_unique<kivemu::MeasureEmulator>(emu.Unit(0));
        device->With([](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) {
            s.unitTypes.fill(0);
            s.unitTypes[0] = 1;
        });
        projectHost.profile = ProfileOf({{1}});
        projectHost.profile.m_port[0] = emu.Port(0);
        link.SetReplyTimeout(0);
    }

    std::vector<std::string> LinesWith(const std::string& word)
    {
        std::vector<std::string> out;
        for (const std::string& line : emu.Unit(0).GetTranscript().Lines())
            if (line.rfind(word, 0) == 0)
                out.push_back(line);
        return out;
    }

    kivemu::Emulator emu;
    std::unique_ptr<kivemu::MeasureEmulator> device;
    CMeterSocket link;
};

TEST_F(EmulatedProject, CapacityRatedOutputAndDecimalsReachTheUnitAfterReopen)
{
    CKIV5980Doc* doc = NewProject();
    ASSERT_NE(doc, nullptr);
    ASSERT_TRUE(doc->SetChannelAttribute(1003, 0, 0, 500, nullptr));
    ASSERT_TRUE(doc->SetChannelAttribute(1002, 0, 0, 2.5, nullptr));
    ASSERT_TRUE(doc->SetChannelAttribute(1004, 0, 0, 3, nullptr));
    const std::string path = PathOf("cap.kivp");
    SaveAndClose(doc, path);

    CKIV5980Doc* opened = Open(path);
    ASSERT_NE(opened, nullptr);
    CBoxArray& system = opened->GetBoxArray();
    EXPECT_EQ(system.GetChannelValue(0, 1003), 500);
    EXPECT_EQ(system.GetChannelValue(0, 1002), 2.5);
    EXPECT_EQ(system.GetChannelValue(0, 1004), 3);
    ASSERT_TRUE(system.ConnectMeters(&link));
    emu.Unit(0).GetTranscript().Clear();
    ASSERT_TRUE(system.WriteAllSettings());
    const auto cap = LinesWith("CAP");
    const auto rated = LinesWith("R_O");
    ASSERT_FALSE(cap.empty());
    ASSERT_FALSE(rated.empty());
    EXPECT_NE(cap.front().find("500"), std::string::npos) << cap.front();
    EXPECT_NE(rated.front().find("2.5"), std::string::npos) << rated.front();
    system.CloseMeters();
}

} // namespace
