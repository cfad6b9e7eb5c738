#pragma once

// Plays recordings for the voice list. The program installs the player
// (fw::Install); without one nothing plays. Identifiers are never 0.

#include "framework/core/CString.h"

#include <functional>

class IVoicePlayback {
public:
    virtual ~IVoicePlayback() = default;
    // Starts `path` without waiting; `finished` runs on the interface thread
    // when it has played to its end. 0 when the file cannot be opened.
    virtual unsigned Play(const fw::CString& path, std::function<void()> finished) = 0;
    // Stops and closes a recording that Play started; unknown ids are ignored.
    virtual void Stop(unsigned id) = 0;
};
