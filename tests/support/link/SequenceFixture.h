#pragma once

// A measuring system of emulated control units, each on its own loopback
// port and able to run a measurement, connected and ready for a sequence.
// The clock is virtual, so waits of minutes take no time.

#include "common/cache/CacheDataTank.h"
#include "common/calc/CalcuDataTank.h"
#include "common/formula/DataCalcuOrder.h"
#include "instrument/ContinueQuestion.h"
#include "instrument/MeterSocket.h"
#include "instrument/system/BoxArray.h"
#include "instrument/system/BoxPropaty.h"
#include "tests/emulator/Emulator.h"
#include "tests/emulator/MeasurementCommands.h"
#include "tests/support/TestSupport.h"
#include "tests/support/link/SystemTestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace seqtest {

using Lines = std::vector<std::string>;

// Answers the continue question from a script and remembers the questions.
class ScriptedQuestion final : public IContinueQuestion {
public:
    bool Ask(const fw::CString& message, int) override
    {
        asked.push_back(message.str());
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return answer;
    }
    std::vector<bool> answers;
    std::vector<std::string> asked;
};

class SequenceTest : public ::testing::Test {
protected:
    static constexpr uint32_t kLoopback = 0x7F000001;

    static void SetUpTestSuite() { systest::RegisterClassesOnce(); }

    void SetUp() override
    {
        CCacheDataTank<float>::SetTempFolder(temp.Path().c_str());
        CCacheDataTank<double>::SetTempFolder(temp.Path().c_str());
        link.SetReplyTimeout(0);
        services.prompt.SetUnexpectedHandler(
            [](const auto& r) { ADD_FAILURE() << "unexpected prompt: " << r.text.c_str(); });
    }

    void TearDown() override
    {
        system.CloseMeters();
        InstallContinueQuestion(previous);
    }

    // `units` control units, each holding unit types `codes`, connected,
    // every channel selected on the units, transcripts cleared.
    void Connect(int units = 2, std::initializer_list<int> codes = {2})
    {
        ConnectEach(std::vector<std::vector<int>>(static_cast<size_t>(units), std::vector<int>(codes)));
    }

    // One control unit per entry, each with its own unit types.
    void ConnectEach(const std::vector<std::vector<int>>& unitCodes)
    {
        const int units = static_cast<int>(unitCodes.size());
        CMeterInterfacePrf profile;
        profile.SetCount(units);
        for (int i = 0; i < units; ++i) {
            const std::vector<int>& codes = unitCodes[static_cast<size_t>(i)];
            emu.AddUnit();
            devices.push_back(std::make_unique<kivemu::MeasureEmulator>(emu.Unit(static_cast<size_t>(i))));
            Dev(i).With([&](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) {
                s.unitTypes.fill(0);
                size_t p = 0;
                for (int code : codes)
                    s.unitTypes[p++] = code;
            });
            const auto k = static_cast<size_t>(i);
            for (int p = 0; p < CKivUnitTypes::kPorts; ++p)
                profile.m_unitTypes[k].SetAt(p, p < static_cast<int>(codes.size()) ? codes[static_cast<size_t>(p)] : 0);
            profile.m_ipAddress[k] = kLoopback;
            profile.m_port[k] = emu.Port(k);
            profile.m_serialNo[k] = static_cast<int16_t>(100 + i);
        }
        ASSERT_TRUE(system.BuildFromProfile(profile));
        ASSERT_TRUE(system.ConnectMeters(&link));
        ASSERT_TRUE(system.SelectOnChannels(true));
        system.FindFirstActiveBox();
        ClearLines();
    }

    kivemu::MeasureEmulator& Dev(int i) { return *devices.at(static_cast<size_t>(i)); }
    kivemu::Faults& FaultsOf(int i) { return emu.Unit(static_cast<size_t>(i)).GetFaults(); }
    Lines LinesOf(int i) { return emu.Unit(static_cast<size_t>(i)).GetTranscript().Lines(); }
    void ClearLines()
    {
        for (size_t i = 0; i < emu.UnitCount(); ++i)
            emu.Unit(i).GetTranscript().Clear();
    }
    // Lines of unit i that start with `word`, counted.
    int CountOf(int i, const std::string& word)
    {
        int n = 0;
        for (const std::string& line : LinesOf(i))
            n += line.rfind(word, 0) == 0 ? 1 : 0;
        return n;
    }
    // Lines of unit i without the "STA1" polls.
    Lines WithoutPolls(int i)
    {
        Lines out;
        for (const std::string& line : LinesOf(i)) {
            if (line != "STA1")
                out.push_back(line);
        }
        return out;
    }

    // The value a channel's tank last received as its current value.
    double Stored(int mapIndex)
    {
        auto* calc = dynamic_cast<CCalcuDataTank*>(system.GetTankList().GetObjectAt(mapIndex));
        if (!calc || !calc->GetOrder()) {
            ADD_FAILURE() << "channel " << mapIndex << " has no calculated tank";
            return 0.0;
        }
        return calc->GetOrder()->GetResult();
    }

    kivtest::TempDir temp;
    fw::test::ServiceScope services;
    kivemu::Emulator emu;
    std::vector<std::unique_ptr<kivemu::MeasureEmulator>> devices;
    CMeterSocket link;
    CBoxArray system;
    ScriptedQuestion question;
    IContinueQuestion* previous = InstallContinueQuestion(&question);
};

} // namespace seqtest
