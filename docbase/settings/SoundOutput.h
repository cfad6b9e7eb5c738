#pragma once

// Where the program's sounds go: a sound file played without waiting, the
// stop of whatever plays, and the system's beeps. The interface layer
// installs its player; until then, and in tests, nothing is heard.

#include "framework/core/CString.h"

class ISoundOutput {
public:
    // The beep kinds, numbered as the message-box icons they go with.
    static constexpr unsigned kBeepExclamation = 0x30;

    virtual ~ISoundOutput() = default;
    // A missing or unplayable file plays nothing.
    virtual void PlayFileAsync(const fw::CString& path) = 0;
    virtual void Purge() = 0;
    virtual void Beep(unsigned kind) = 0;
};

class CSilentSound final : public ISoundOutput {
public:
    void PlayFileAsync(const fw::CString&) override {}
    void Purge() override {}
    void Beep(unsigned) override {}
};

ISoundOutput& SoundOutput();
// Returns the previous output; nullptr restores the silent one.
ISoundOutput* InstallSoundOutput(ISoundOutput* output);
