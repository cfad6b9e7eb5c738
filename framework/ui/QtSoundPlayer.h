#pragma once

// Sounds on Qt Multimedia: a WAV file played without waiting, the stop of
// whatever plays, and the desktop's beep. The application puts it behind
// its sound output at start-up; model code never reaches it directly.

#include "framework/core/CString.h"

#include <memory>

class QSoundEffect;

namespace fw {

class QtSoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer();
    QtSoundPlayer(const QtSoundPlayer&) = delete;
    QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

    // Starts the file and returns at once; a file that plays is replaced.
    // A missing file plays nothing and is logged.
    void PlayFileAsync(const CString& path);
    // Stops what plays and forgets the file.
    void Purge();
    // The desktop's beep, whatever the kind (the message-box icon it goes
    // with).
    void Beep(unsigned kind);

    // The file handed to the player last; empty when none or after Purge.
    const CString& CurrentFile() const { return m_file; }

private:
    std::unique_ptr<QSoundEffect> m_effect;
    CString m_file;
};

} // namespace fw
