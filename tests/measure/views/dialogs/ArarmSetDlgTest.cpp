// The alarm settings dialog: the sound-file controls follow the sound
// switch, and OK refuses a missing sound file only when it is to be played.

#include "measure/views/dialogs/ArarmSetDlg.h"

#include "framework/core/Services.h"
#include "framework/ui/Controls.h"
#include "tests/support/ui/DialogFixture.h"

namespace {

using appuitest::Click;
using appuitest::Enabled;

class ArarmSetDlgTest : public appuitest::DialogFixture {};

TEST_F(ArarmSetDlgTest, TheFileControlsFollowTheSoundSwitch)
{
    CArarmSetDlg dlg;
    dlg.m_bSoundOn = 0;
    dialogs.On(CArarmSetDlg::kTemplateId, [](fw::CDialog& d) {
        EXPECT_FALSE(Enabled(d, CArarmSetDlg::kIdUseFile));
        EXPECT_FALSE(Enabled(d, CArarmSetDlg::kIdBrowse));
        Click(d, CArarmSetDlg::kIdSoundOn);
        EXPECT_TRUE(Enabled(d, CArarmSetDlg::kIdUseFile));
        EXPECT_FALSE(Enabled(d, CArarmSetDlg::kIdBrowse));
        Click(d, CArarmSetDlg::kIdUseFile);
        EXPECT_TRUE(Enabled(d, CArarmSetDlg::kIdBrowse));
        Click(d, fw::IDCANCEL);
        return 0;
    });
    EXPECT_EQ(dlg.DoModal(), fw::IDCANCEL);
}

TEST_F(ArarmSetDlgTest, AMissingSoundFileKeepsTheDialogOnlyWhenItIsToBePlayed)
{
    CArarmSetDlg played;
    played.m_bSoundOn = 1;
    played.m_bUseSoundFile = 1;
    played.m_strSoundFile = "/nonexistent/alarm.wav";
    dialogs.On(CArarmSetDlg::kTemplateId, [this](fw::CDialog& d) {
        services.prompt.ExpectText("/nonexistent/alarm.wav", fw::IDOK);
        Click(d, fw::IDOK);
        EXPECT_FALSE(d.IsEnded());
        Click(d, CArarmSetDlg::kIdSoundOn);
        Click(d, fw::IDOK);
        return 0;
    });
    EXPECT_EQ(played.DoModal(), fw::IDOK);
    EXPECT_EQ(played.m_bSoundOn, 0);
    EXPECT_EQ(played.m_strSoundFile.str(), "/nonexistent/alarm.wav");
}

} // namespace
