#pragma once

// Recordings played through Qt Multimedia, one player per recording, each
// closed when it has played to its end or is stopped.

#include "canvoicegps/voice/VoicePlayback.h"

#include <map>
#include <memory>

class QMediaPlayer;

class CQtVoicePlayback final : public IVoicePlayback {
public:
    CQtVoicePlayback();
    ~CQtVoicePlayback() override;

    unsigned Play(const fw::CString& path, std::function<void()> finished) override;
    void Stop(unsigned id) override;

private:
    void Close(unsigned id);

    unsigned m_next = 1;
    std::map<unsigned, std::unique_ptr<QMediaPlayer>> m_players;
};
