#include "docbase/settings/PlayAlertSound.h"

#include "docbase/settings/SoundOutput.h"
#include "framework/core/Profile.h"

void CPlayAlertSound::Save(fw::CProfile& profile) const
{
    profile.WriteProfileInt(kSection, kKeySoundOn, m_bSoundOn);
    profile.WriteProfileInt(kSection, kKeySoundFile, m_bUseSoundFile);
    profile.WriteProfileString(kSection, kKeyFile, m_strSoundFile.c_str());
}

void CPlayAlertSound::Load(fw::CProfile& profile)
{
    m_bSoundOn = profile.GetProfileInt(kSection, kKeySoundOn, m_bSoundOn);
    m_bUseSoundFile = profile.GetProfileInt(kSection, kKeySoundFile, m_bUseSoundFile);
    m_strSoundFile = profile.GetProfileString(kSection, kKeyFile, m_strSoundFile.c_str());
}

void CPlayAlertSound::Raise(int16_t level)
{
    if (level > m_nPendingLevel)
        m_nPendingLevel = level;
}

void CPlayAlertSound::Play(ISoundOutput& output) const
{
    if (!m_bSoundOn || m_nPendingLevel <= 0)
        return;
    if (m_bUseSoundFile) {
        output.PlayFileAsync(m_strSoundFile);
        return;
    }
    output.Purge();
    output.Beep(ISoundOutput::kBeepExclamation);
}
