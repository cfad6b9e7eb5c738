// The application's profile settings, their order, the alarm sound and the
// profile reals.

#include "docbase/settings/AppSettings.h"
#include "docbase/settings/ProfileDouble.h"
#include "docbase/settings/SoundOutput.h"
#include "framework/core/Profile.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A record of the measurement panel as the settings see it.
class CFakeRecord : public IProfileRecord {
public:
    CFakeRecord(const char* section, std::vector<std::string>& log) : m_section(section), m_log(log) {}
    void WriteProfile(fw::CProfile& profile) const override
    {
        m_log.push_back(std::string("write ") + m_section);
        profile.WriteProfileInt(m_section, "TYPE", value);
    }
    void ReadProfile(fw::CProfile& profile) override
    {
        m_log.push_back(std::string("read ") + m_section);
        value = profile.GetProfileInt(m_section, "TYPE", value);
    }
    int value = 0;

private:
    const char* m_section;
    std::vector<std::string>& m_log;
};

class RecordingSound : public ISoundOutput {
public:
    void PlayFileAsync(const fw::CString& path) override { calls.push_back("play " + path.str()); }
    void Purge() override { calls.push_back("purge"); }
    void Beep(unsigned kind) override { calls.push_back("beep " + std::to_string(kind)); }
    std::vector<std::string> calls;
};

class SoundScope {
public:
    SoundScope() : m_old(InstallSoundOutput(&sound)) {}
    ~SoundScope() { InstallSoundOutput(m_old); }
    RecordingSound sound;

private:
    ISoundOutput* m_old;
};

TEST(AppSettings, EmptyProfileKeepsTheDefaults)
{
    kivtest::TempDir dir;
    fw::CProfile profile(dir / "KIV-5400.ini");
    CAppSettings settings;
    CPlayAlertSound* sound = settings.CreateAlertSound();
    settings.LoadSettings(profile);
    EXPECT_EQ(sound->m_bSoundOn, 1);
    EXPECT_EQ(sound->m_bUseSoundFile, 0);
    EXPECT_TRUE(sound->m_strSoundFile.IsEmpty());
    EXPECT_EQ(settings.m_bAlarmAutoReset, 1);
}

TEST(AppSettings, SaveWritesSectionsAndKeysInTheirOrder)
{
    kivtest::TempDir dir;
    std::vector<std::string> log;
    CFakeRecord monitor("MONITER", log), panel("PANEL", log);
    CAppSettings settings;
    settings.SetMonitorRecord(&monitor);
    settings.SetPanelRecord(&panel);
    settings.CreateAlertSound()->m_strSoundFile = "/usr/share/sounds/alarm.wav";
    settings.m_bAlarmAutoReset = 0;
    {
        fw::CProfile profile(dir / "KIV-5400.ini");
        settings.SaveSettings(profile);
        EXPECT_EQ(profile.Sections(), (std::vector<std::string>{"METER", "ADSET", "MONITER", "PANEL", "ARARM"}));
        EXPECT_EQ(profile.Keys("ARARM"), (std::vector<std::string>{"SOUND_ON", "SOUND_FILE", "FILE", "AUTORESET"}));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"write MONITER", "write PANEL"}));

    log.clear();
    fw::CProfile reread(dir / "KIV-5400.ini");
    CAppSettings loaded;
    loaded.SetMonitorRecord(&monitor);
    loaded.SetPanelRecord(&panel);
    loaded.CreateAlertSound();
    loaded.LoadSettings(reread);
    EXPECT_EQ(log, (std::vector<std::string>{"read MONITER", "read PANEL"}));
    EXPECT_EQ(loaded.GetAlertSound()->m_strSoundFile.str(), "/usr/share/sounds/alarm.wav");
    EXPECT_EQ(loaded.m_bAlarmAutoReset, 0);
}

TEST(AppSettings, WithoutAlarmSoundOnlyAutoResetIsWritten)
{
    kivtest::TempDir dir;
    fw::CProfile profile(dir / "KIV-5400.ini");
    CAppSettings settings;
    settings.SaveSettings(profile);
    EXPECT_EQ(profile.Keys("ARARM"), std::vector<std::string>{"AUTORESET"});
}

TEST(AlarmSound, HighestRaisedLevelStaysPendingUntilReset)
{
    SoundScope scope;
    CAppSettings settings;
    settings.CreateAlertSound();
    settings.RaiseAlarmSound(2);
    settings.RaiseAlarmSound(1);
    EXPECT_EQ(settings.GetAlertSound()->m_nPendingLevel, 2);
    settings.ResetAlarmSound();
    EXPECT_EQ(settings.GetAlertSound()->m_nPendingLevel, 0);
    settings.PlayAlarmSound();
    EXPECT_TRUE(scope.sound.calls.empty());
}

TEST(AlarmSound, PlayingRules)
{
    struct Case {
        const char* name;
        int32_t soundOn;
        int32_t useFile;
        int16_t level;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"beep", 1, 0, 3, {"purge", "beep 48"}},
        {"file", 1, 1, 1, {"play /tmp/a.wav"}},
        {"sound off", 0, 1, 5, {}},
        {"no alarm", 1, 0, 0, {}},
        {"negative level", 1, 0, -4, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SoundScope scope;
        CAppSettings settings;
        CPlayAlertSound* sound = settings.CreateAlertSound();
        sound->m_bSoundOn = c.soundOn;
        sound->m_bUseSoundFile = c.useFile;
        sound->m_strSoundFile = "/tmp/a.wav";
        settings.RaiseAlarmSound(c.level);
        settings.PlayAlarmSound();
        EXPECT_EQ(scope.sound.calls, c.calls);
    }
}

TEST(AlarmSound, SettingsCommandTakesTheDialogValuesOnlyOnOk)
{
    CAppSettings settings;
    settings.CreateAlertSound();
    AlarmSettingsFields shown;
    EXPECT_FALSE(settings.EditAlarmSettings([&](AlarmSettingsFields& f) {
        shown = f;
        f.soundOn = 0;
        return false;
    }));
    EXPECT_EQ(shown.soundOn, 1);
    EXPECT_EQ(shown.autoReset, 1);
    EXPECT_EQ(settings.GetAlertSound()->m_bSoundOn, 1);

    EXPECT_TRUE(settings.EditAlarmSettings([](AlarmSettingsFields& f) {
        f.soundOn = 0;
        f.useSoundFile = 1;
        f.soundFile = "b.wav";
        f.autoReset = 0;
        return true;
    }));
    EXPECT_EQ(settings.GetAlertSound()->m_bSoundOn, 0);
    EXPECT_EQ(settings.GetAlertSound()->m_bUseSoundFile, 1);
    EXPECT_EQ(settings.GetAlertSound()->m_strSoundFile.str(), "b.wav");
    EXPECT_EQ(settings.m_bAlarmAutoReset, 0);
}

TEST(ProfileDouble, TextForms)
{
    kivtest::TempDir dir;
    fw::CProfile profile(dir / "KIV-5400.ini");
    struct Case {
        const char* name;
        double value;
        int precision;
        const char* text;
        double readBack;
    };
    const Case cases[] = {
        {"precision 3", 0.1234, 3, "0.123", 0.123},
        {"default %g", 2.5, -1, "2.5", 2.5},
        {"small exponent", 1e-5, -1, "1e-005", 1e-5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(WriteProfileDouble(profile, "REAL", "V", c.value, c.precision));
        EXPECT_EQ(profile.GetProfileString("REAL", "V").str(), c.text);
        EXPECT_DOUBLE_EQ(GetProfileDouble(profile, "REAL", "V", -1.0), c.readBack);
    }
    profile.WriteProfileString("REAL", "EMPTY", "");
    profile.WriteProfileString("REAL", "WORD", "abc");
    EXPECT_EQ(GetProfileDouble(profile, "REAL", "EMPTY", 7.5), 7.5);
    EXPECT_EQ(GetProfileDouble(profile, "REAL", "WORD", 7.5), 7.5);
    EXPECT_EQ(GetProfileDouble(profile, "REAL", "MISSING", 7.5), 7.5);
}

} // namespace
