#include "docbase/settings/AppSettings.h"

#include "docbase/settings/SoundOutput.h"
#include "framework/core/Profile.h"

void CAppSettings::LoadSettings(fw::CProfile& profile)
{
    m_meterInterfacePrf.ReadProfile(profile);
    m_adSetPrf.ReadProfile(profile);
    if (m_pMonitor)
        m_pMonitor->ReadProfile(profile);
    if (m_pPanel)
        m_pPanel->ReadProfile(profile);
    if (m_pAlertSound)
        m_pAlertSound->Load(profile);
    m_bAlarmAutoReset = profile.GetProfileInt(CPlayAlertSound::kSection, kKeyAutoReset, m_bAlarmAutoReset);
}

void CAppSettings::SaveSettings(fw::CProfile& profile) const
{
    m_meterInterfacePrf.WriteProfile(profile);
    m_adSetPrf.WriteProfile(profile);
    if (m_pMonitor)
        m_pMonitor->WriteProfile(profile);
    if (m_pPanel)
        m_pPanel->WriteProfile(profile);
    if (m_pAlertSound)
        m_pAlertSound->Save(profile);
    profile.WriteProfileInt(CPlayAlertSound::kSection, kKeyAutoReset, m_bAlarmAutoReset);
}

CPlayAlertSound* CAppSettings::CreateAlertSound()
{
    m_pAlertSound = std::make_unique<CPlayAlertSound>();
    return m_pAlertSound.get();
}

void CAppSettings::PlayAlarmSound() const
{
    if (m_pAlertSound)
        m_pAlertSound->Play(SoundOutput());
}

void CAppSettings::RaiseAlarmSound(int16_t level)
{
    if (m_pAlertSound)
        m_pAlertSound->Raise(level);
}

void CAppSettings::ResetAlarmSound()
{
    if (m_pAlertSound)
        m_pAlertSound->Reset();
}

bool CAppSettings::EditAlarmSettings(const AlarmSettingsDialog& dialog)
{
    AlarmSettingsFields fields;
    if (m_pAlertSound) {
        fields.soundOn = m_pAlertSound->m_bSoundOn;
        fields.useSoundFile = m_pAlertSound->m_bUseSoundFile;
        fields.soundFile = m_pAlertSound->m_strSoundFile;
    }
    fields.autoReset = m_bAlarmAutoReset;
    if (!dialog || !dialog(fields))
        return false;
    if (m_pAlertSound) {
        m_pAlertSound->m_bSoundOn = fields.soundOn;
        m_pAlertSound->m_bUseSoundFile = fields.useSoundFile;
        m_pAlertSound->m_strSoundFile = fields.soundFile;
    }
    m_bAlarmAutoReset = fields.autoReset;
    return true;
}
