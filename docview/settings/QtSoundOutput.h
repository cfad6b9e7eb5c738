#pragma once

// The program's sounds on the desktop: alarm files and beeps through Qt
// Multimedia.

#include "docbase/settings/SoundOutput.h"
#include "framework/ui/QtSoundPlayer.h"

class CQtSoundOutput final : public ISoundOutput {
public:
    void PlayFileAsync(const fw::CString& path) override { m_player.PlayFileAsync(path); }
    void Purge() override { m_player.Purge(); }
    void Beep(unsigned kind) override { m_player.Beep(kind); }
    const fw::QtSoundPlayer& Player() const { return m_player; }

private:
    fw::QtSoundPlayer m_player;
};
