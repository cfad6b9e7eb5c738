// What the running program installs for the layers below it: the desktop's
// sound output, the measurement-mode captions, and the route of the alarm
// settings command to the panel's dialog.

#include "app/shell/MainFrame.h"
#include "app/shell/ShellIds.h"
#include "docbase/settings/PlayAlertSound.h"
#include "docbase/settings/SoundOutput.h"
#include "docview/settings/QtSoundOutput.h"
#include "framework/core/DateTime.h"
#include "framework/core/ServiceSlot.h"
#include "framework/ui/DialogBar.h"
#include "instrument/MeasureModeName.h"
#include "tests/app/shell/ShellFixture.h"

namespace {

using shelltest::ShellTest;

// A tenth of a second of 8-bit mono silence at 8 kHz.
std::string SilentWave()
{
    const uint32_t samples = 800;
    std::string w = "RIFF";
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) w += static_cast<char>((v >> (8 * i)) & 0xFF); };
    auto u16 = [&](uint16_t v) { w += static_cast<char>(v & 0xFF); w += static_cast<char>(v >> 8); };
    u32(36 + samples);
    w += "WAVEfmt ";
    u32(16);
    u16(1);     // PCM
    u16(1);     // mono
    u32(8000);  // samples per second
    u32(8000);  // bytes per second
    u16(1);     // block align
    u16(8);     // bits per sample
    w += "data";
    u32(samples);
    w.append(samples, static_cast<char>(0x80));
    return w;
}

TEST_F(ShellTest, TheRunningProgramSoundsThroughTheDesktopAndTakesItBackAtExit)
{
    ASSERT_EQ(fw::Installed<ISoundOutput>(), nullptr);
    ASSERT_TRUE(Start());
    auto* output = dynamic_cast<CQtSoundOutput*>(&SoundOutput());
    ASSERT_NE(output, nullptr) << "start-up installs the desktop's sound output";

    CPlayAlertSound* alert = app.Settings().GetAlertSound();
    ASSERT_NE(alert, nullptr);
    alert->m_bSoundOn = 1;
    alert->m_bUseSoundFile = 1;
    alert->m_strSoundFile = shelltest::WriteFile(dir / "alarm.wav", SilentWave());
    alert->Raise(1);
    app.Settings().PlayAlarmSound();
    EXPECT_EQ(output->Player().CurrentFile(), alert->m_strSoundFile) << "the alarm file reaches the player";
    alert->m_bUseSoundFile = 0;
    app.Settings().PlayAlarmSound();
    EXPECT_EQ(output->Player().CurrentFile(), "") << "the beep stops the file first";

    Stop();
    EXPECT_EQ(fw::Installed<ISoundOutput>(), nullptr);
}

TEST_F(ShellTest, TheMainFrameShowsTheModeCaptions)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    ASSERT_NE(frame, nullptr);
    fw::COleDateTime start;
    ASSERT_TRUE(fw::FieldsToOleDate(2026, 3, 4, 5, 6, 7, start.m_dt));
    for (int mode = 0; mode <= 8; ++mode) {
        SCOPED_TRACE(mode);
        frame->UpdateTriggerStatus(start.m_dt, 0.0, mode);
        fw::CString caption;
        GetMeasureModeName(static_cast<unsigned>(mode), caption);
        EXPECT_FALSE(caption.IsEmpty());
        EXPECT_EQ(frame->DialogBar().GetDlgItemText(IDC_MEASURE_MODE), caption);
    }
}

TEST_F(ShellTest, TheAlarmSettingsCommandRunsThePanelsDialog)
{
    ASSERT_TRUE(Start());
    CMainFrame* frame = GetMainFrame();
    ASSERT_NE(frame, nullptr);
    struct Dialog : IAlarmSettingsDialog {
        int runs = 0;
        bool Run(AlarmSettingsFields& fields) override
        {
            ++runs;
            fields.autoReset = 0;
            return true;
        }
    } dialog;
    fw::ScopedInstall<IAlarmSettingsDialog> installed(dialog);
    frame->ExecuteCommand(ID_ALARM_SETTINGS);
    EXPECT_EQ(dialog.runs, 1);
    EXPECT_EQ(app.Settings().m_bAlarmAutoReset, 0);
}

} // namespace
