// The meter access dialog against emulated control units: the firmware
// gates keep it open, sending settings sets the clocks and the settings,
// a running measurement is asked about first.

#include "measure/views/dialogs/MeterAccessDlg.h"

#include "framework/ui/Controls.h"
#include "framework/ui/testing/ScriptedDialogs.h"
#include "instrument/meter/KivMeter.h"
#include "instrument/meter/MeterVersion.h"
#include "tests/support/link/SequenceFixture.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;

class MeterAccessDlgTest : public seqtest::SequenceTest {
protected:
    void TearDown() override
    {
        EXPECT_EQ(dialogs.Problems(), "");
        EXPECT_EQ(services.prompt.Problems(), "");
        SequenceTest::TearDown();
    }
    CMeterAccessDlg::Host Host()
    {
        CMeterAccessDlg::Host host;
        host.setConnectedProject = [this] { ++connected; };
        host.saveProject = [this] { return saveAnswer; };
        host.rebuildChannels = [this] { ++rebuilt; };
        return host;
    }
    bool Sent(int unit, const std::string& word)
    {
        for (const std::string& line : LinesOf(unit))
            if (line.rfind(word, 0) == 0)
                return true;
        return false;
    }

    fw::test::ScriptedDialogs dialogs;
    int connected = 0;
    int rebuilt = 0;
    bool saveAnswer = true;
};

TEST_F(MeterAccessDlgTest, ACanVoiceGpsUnitNeedsFirmware14B)
{
    ConnectEach({{2, 8}});
    system.GetBox(0)->GetMeter()->SetFirmwareVersion(meterversion::Pack("1.4A"));
    CMeterAccessDlg dlg(system, Host());
    dialogs.On(CMeterAccessDlg::kTemplateId, [this](fw::CDialog& d) {
        services.prompt.Expect(CMeterAccessDlg::kIdsNeeds463Firmware, fw::IDOK);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        Click(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(connected, 0);
    EXPECT_FALSE(Sent(0, "DTE"));
}

TEST_F(MeterAccessDlgTest, SendingSetsTheClocksAndTheSettings)
{
    Connect(1);
    ASSERT_TRUE(system.BuildInUseList());
    ClearLines();
    CMeterAccessDlg dlg(system, Host());
    dlg.m_strVersion = "2.2A";
    dialogs.On(CMeterAccessDlg::kTemplateId, [](fw::CDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(CMeterAccessDlg::kIdVersion).str(), "2.2A");
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDOK);
    EXPECT_EQ(connected, 1);
    EXPECT_TRUE(Sent(0, "DTE"));
    EXPECT_TRUE(Sent(0, "TME"));
    EXPECT_EQ(system.GetSaveMode(), 1) << "no frequency analysis: waveform data only";
    EXPECT_FALSE(dlg.m_bFrequencyRecording);
}

TEST_F(MeterAccessDlgTest, SendingWhileTheUnitsMeasureIsAskedFirst)
{
    Connect(1);
    ASSERT_TRUE(system.BuildInUseList());
    Dev(0).With([](kivemu::MeasureDevice&, kivemu::MeterDevice&, kivemu::DeviceState& s) { s.state = 2; });
    CMeterAccessDlg dlg(system, Host());
    dialogs.On(CMeterAccessDlg::kTemplateId, [this](fw::CDialog& d) {
        services.prompt.ExpectText("設定を送信すると計測を停止します。", fw::IDCANCEL);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        Click(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_FALSE(Sent(0, "DTE"));
}

} // namespace

namespace {

TEST_F(MeterAccessDlgTest, ReadingFailsWhenTheProjectCannotBeSaved)
{
    Connect(1);
    ASSERT_TRUE(system.BuildInUseList());
    saveAnswer = false;
    CMeterAccessDlg dlg(system, Host());
    dialogs.On(CMeterAccessDlg::kTemplateId, [](fw::CDialog& d) {
        d.GetDlgItemAs<fw::CButton>(CMeterAccessDlg::kIdSend)->SetCheck(0);
        Click(d, CMeterAccessDlg::kIdRead);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
    EXPECT_EQ(dlg.m_nMode, CMeterAccessDlg::kReadSettings);
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(connected, 1);
    EXPECT_FALSE(Sent(0, "DTE")) << "reading sets no clock";
}

} // namespace
