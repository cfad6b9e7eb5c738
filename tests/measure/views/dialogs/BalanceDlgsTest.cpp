// The balance dialog (candidates moved to the chosen list, the vector
// keeping its own order) and the calibration-output dialog against
// emulated control units (one output at a time, off again after a failed
// switch, no closing while an output is on).

#include "measure/views/dialogs/BalanceDlgs.h"

#include "common/tank/DataTankList.h"
#include "common/tank/DblDataTank.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "tests/support/link/SequenceFixture.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;
using appuitest::Enabled;
using seqtest::Lines;

class BalanceDlgTest : public appuitest::DialogFixture {
protected:
    BalanceDlgTest()
    {
        const char* names[] = {"A", "", "C", "D", "E"};
        for (const char* name : names) {
            auto* tank = new CDblDataTank;
            tank->SetName(name);
            tanks.AddTank(tank, false);
        }
    }
    CDataTankList tanks;
};

TEST_F(BalanceDlgTest, TheVectorKeepsItsOwnOrderOfTheChosenChannels)
{
    std::vector<int16_t> channels{4, 0, 1, 3, 2};
    CBalDlg dlg(tanks, channels);
    dialogs.On(CBalDlg::kTemplateId, [&](fw::CDialog& d) {
        // Channel 1 has no name: no candidate.
        EXPECT_EQ(dlg.GetCandidates(), (std::vector<int16_t>{4, 0, 3, 2}));
        EXPECT_FALSE(Enabled(d, fw::IDOK));
        EXPECT_FALSE(Enabled(d, CBalDlg::kIdAdd));
        dlg.SelectRow(CBalDlg::kIdCandidates, 3);  // channel 2 first
        Click(d, CBalDlg::kIdAdd);
        dlg.SelectRow(CBalDlg::kIdCandidates, 0);  // then channel 4
        Click(d, CBalDlg::kIdAdd);
        EXPECT_EQ(dlg.GetChosen(), (std::vector<int16_t>{2, 4}));
        EXPECT_TRUE(Enabled(d, fw::IDOK));
        // Released channels come back in the vector's order.
        dlg.SelectRow(CBalDlg::kIdChosen, 0);
        Click(d, CBalDlg::kIdRemove);
        EXPECT_EQ(dlg.GetCandidates(), (std::vector<int16_t>{0, 3, 2}));
        Click(d, CBalDlg::kIdAddAll);
        EXPECT_TRUE(dlg.GetCandidates().empty());
        dlg.SelectRow(CBalDlg::kIdChosen, 1);  // channel 0
        Click(d, CBalDlg::kIdRemove);
        Click(d, CBalDlg::kIdRecordShift);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(channels, (std::vector<int16_t>{4, 3, 2}));
    EXPECT_EQ(dlg.m_nRecordShift, 1);
}

TEST_F(BalanceDlgTest, NoCandidatesLeaveOnlyCancel)
{
    std::vector<int16_t> channels;
    CBalDlg dlg(tanks, channels);
    dialogs.On(CBalDlg::kTemplateId, [](fw::CDialog& d) {
        for (int id : {CBalDlg::kIdAdd, CBalDlg::kIdAddAll, CBalDlg::kIdRemove, CBalDlg::kIdRemoveAll, fw::IDOK})
            EXPECT_FALSE(Enabled(d, id)) << id;
        EXPECT_TRUE(Enabled(d, fw::IDCANCEL));
        Click(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
}

class CalOutDlgTest : public seqtest::SequenceTest {
protected:
    void TearDown() override
    {
        EXPECT_EQ(dialogs.Problems(), "");
        EXPECT_EQ(services.prompt.Problems(), "");
        SequenceTest::TearDown();
    }
    Lines CalLines(int unit)
    {
        Lines out;
        for (const std::string& line : LinesOf(unit))
            if (line.rfind("CDO", 0) == 0 || line.rfind("CAL", 0) == 0)
                out.push_back(line);
        return out;
    }
    fw::test::ScriptedDialogs dialogs;
};

TEST_F(CalOutDlgTest, OneOutputAtATimeAndNoClosingWhileOn)
{
    Connect(1);
    ASSERT_TRUE(system.BuildInUseList());
    CCalOutDlg dlg;
    dlg.SetSystem(&system);
    Lines afterPlus, afterMinus;
    dialogs.On(CCalOutDlg::kTemplateId, [&](fw::CDialog& d) {
        Click(d, CCalOutDlg::kIdPlus);
        EXPECT_EQ(dlg.m_nOnButton, CCalOutDlg::kIdPlus);
        afterPlus = CalLines(0);
        ClearLines();
        Click(d, CCalOutDlg::kIdMinus);
        EXPECT_EQ(dlg.m_nOnButton, CCalOutDlg::kIdMinus);
        EXPECT_EQ(d.GetDlgItemAs<fw::CButton>(CCalOutDlg::kIdPlus)->GetCheck(), 0);
        afterMinus = CalLines(0);
        services.prompt.Expect(CCalOutDlg::kIdsStillOn, fw::IDOK);
        Click(d, fw::IDCANCEL);
        EXPECT_FALSE(d.IsEnded());
        ClearLines();
        Click(d, CCalOutDlg::kIdMinus);
        EXPECT_EQ(dlg.m_nOnButton, 0);
        Click(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(afterPlus, (Lines{"CDO1"}));
    EXPECT_EQ(afterMinus, (Lines{"CDO2"}));
    // The off command itself comes from the control unit's setting texts,
    // which give operation 4 no text yet: nothing is on the line.
    EXPECT_EQ(CalLines(0), Lines{});
}

TEST_F(CalOutDlgTest, AFailedSwitchTurnsTheOutputOffAndEndsTheDialog)
{
    Connect(2);
    ASSERT_TRUE(system.BuildInUseList());
    CCalOutDlg dlg;
    dlg.SetSystem(&system);
    dialogs.On(CCalOutDlg::kTemplateId, [&](fw::CDialog& d) {
        Click(d, CCalOutDlg::kIdPlus);
        EXPECT_FALSE(CalLines(0).empty());
        ClearLines();
        // The second unit refuses -cal after the first took it.
        FaultsOf(1).ErrorOn("", 22, -1);
        services.prompt.ExpectText("[ERROR-22]", fw::IDOK).ExpectText("[ERROR-22]", fw::IDOK);
        Click(d, CCalOutDlg::kIdMinus);
        EXPECT_TRUE(d.IsEnded());
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(dlg.m_nOnButton, 0);
    // The first unit got -cal; the second prompt is the failed switch-off
    // on the second unit, so the units were told to stop.
    EXPECT_EQ(CalLines(0), (Lines{"CDO2"}));
}

} // namespace
