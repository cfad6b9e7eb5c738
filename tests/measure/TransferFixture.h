#pragma once

// Transfers against emulated control units and fixture folders: a project
// stand-in over the measuring system of the sequence fixture, recorded
// data served by the emulator, and the expected tank values computed from
// the samples the emulator holds.

#include "tests/support/link/SequenceFixture.h"

#include "common/tank/DataTankObject.h"
#include "instrument/ADSetPrf.h"
#include "instrument/MeterInterfacePrf.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/system/BoxPropaty.h"
#include "instrument/system/DataPropaty.h"
#include "measure/model/TransferHost.h"
#include "tests/emulator/RecordedData.h"

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace transfertest {

// The project as the transfers see it, with scripted answers.
class TestHost final : public ITransferHost {
public:
    explicit TestHost(CBoxArray& own) : m_own(own) {}

    CBoxArray& GetActiveBoxArray() override { return import ? *import : m_own; }
    CBoxArray& GetOwnBoxArray() override { return m_own; }
    bool BeginImportBoxArray(const CMeterInterfacePrf& profile, const CADSetPrf& adSet) override
    {
        ++imports;
        lastProfile = profile;
        lastAdSet = adSet;
        auto system = std::make_unique<CBoxArray>();
        if (refuseImport || !system->BuildFromProfile(profile))
            return false;
        system->GetADSet() = adSet;
        for (int b = 0; b < system->GetBoxCount(); ++b)
            system->GetBox(b)->GetMeter()->InitArrays();
        system->BeginMeterEdit();
        import = std::move(system);
        return true;
    }
    void RefreshChannelColumns() override { ++refreshed; }
    bool AskContinue(const fw::CString& text) override
    {
        asked.push_back(text.str());
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return answer;
    }
    void ShowMessage(const fw::CString& text) override { messages.push_back(text.str()); }
    void ReportException(const std::exception& e) override { reports.push_back(e.what()); }
    void ShowProgress(unsigned, unsigned percent) override { progress.push_back(percent); }

    std::unique_ptr<CBoxArray> import;
    bool refuseImport = false;
    int imports = 0;
    int refreshed = 0;
    CMeterInterfacePrf lastProfile;
    CADSetPrf lastAdSet;
    std::vector<bool> answers;
    std::vector<std::string> asked;
    std::vector<std::string> messages;
    std::vector<std::string> reports;
    std::vector<unsigned> progress;

private:
    CBoxArray& m_own;
};

// The value a box channel's tank must hold for a raw sample:
// coefficient x (shift + step x raw), or the empty marker.
inline double Expected(CBoxArray& system, int box, int boxChannel, int32_t raw, int bytes)
{
    CBoxPropaty* b = system.GetBox(box);
    const CKivMeter* meter = b->GetMeter();
    const int ch = b->GetUnitChannel(boxChannel);
    if ((bytes == 2 && (raw >= 32767 || raw <= -32767)) || (bytes == 4 && raw == 2147483647))
        return HUGE_VAL;
    const double shift = b->GetDataPropaty(boxChannel)->GetValue(CDataPropaty::kOffset);
    const double value = meter->GetValue(ch, 24) * (shift + meter->GetScaleFactor(ch) * raw);
    return bytes == 2 ? static_cast<double>(static_cast<float>(value)) : value;
}

// Every row of a box channel's tank against series `series` of the
// emulator's recording; the first mismatch is reported.
inline ::testing::AssertionResult TankHolds(CBoxArray& system, int box, int boxChannel, int series, int bytes,
                                            int rows)
{
    CDataTankObject* tank = system.GetBox(box)->GetChannelTank(boxChannel);
    if (!tank)
        return ::testing::AssertionFailure() << "box " << box << " channel " << boxChannel << " has no tank";
    if (tank->GetDataCount() < rows)
        return ::testing::AssertionFailure() << "tank holds " << tank->GetDataCount() << " values, not " << rows;
    for (int r = 0; r < rows; ++r) {
        const double want = Expected(system, box, boxChannel, kivemu::RecordedSample(static_cast<uint64_t>(r), series, bytes), bytes);
        const double got = tank->GetValue(r);
        const bool same = std::isinf(want) ? std::isinf(got) || got >= 1e300 : got == want;
        if (!same)
            return ::testing::AssertionFailure()
                   << "box " << box << " channel " << boxChannel << " row " << r << ": " << got << " != " << want;
    }
    return ::testing::AssertionSuccess();
}

} // namespace transfertest
