#pragma once

// The alarm sound: whether alarms sound at all, whether a sound file is
// played instead of the system beep, and the highest alarm level raised
// since the last reset. Its switches live in profile section "ARARM".

#include "framework/core/CString.h"

#include <cstdint>

namespace fw {
class CProfile;
}

class ISoundOutput;

class CPlayAlertSound {
public:
    static constexpr const char* kSection = "ARARM";
    static constexpr const char* kKeySoundOn = "SOUND_ON";
    static constexpr const char* kKeySoundFile = "SOUND_FILE";
    static constexpr const char* kKeyFile = "FILE";

    CPlayAlertSound() = default;
    virtual ~CPlayAlertSound() = default;

    // "SOUND_ON", "SOUND_FILE" as integers, "FILE" as text.
    virtual void Save(fw::CProfile& profile) const;
    // The same keys in the same order, each with the current value as default.
    virtual void Load(fw::CProfile& profile);

    // Keeps the highest level raised (signed 16-bit comparison).
    void Raise(int16_t level);
    void Reset() { m_nPendingLevel = 0; }
    // Nothing while the sound is off or no alarm is pending; else the file
    // (without waiting), or a stop of any sound and the exclamation beep.
    void Play(ISoundOutput& output) const;

    int32_t m_bSoundOn = 1;
    int32_t m_bUseSoundFile = 0;
    fw::CString m_strSoundFile;
    int16_t m_nPendingLevel = 0;  // never stored
};
