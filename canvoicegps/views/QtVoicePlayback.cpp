#include "canvoicegps/views/QtVoicePlayback.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

CQtVoicePlayback::CQtVoicePlayback() = default;

CQtVoicePlayback::~CQtVoicePlayback() = default;

unsigned CQtVoicePlayback::Play(const fw::CString& path, std::function<void()> finished)
{
    const QString file = QString::fromStdString(path.str());
    if (!QFileInfo(file).isFile())
        return 0;
    auto player = std::make_unique<QMediaPlayer>();
    auto* output = new QAudioOutput(player.get());
    player->setAudioOutput(output);
    const unsigned id = m_next++;
    QObject::connect(player.get(), &QMediaPlayer::mediaStatusChanged, player.get(),
                     [this, id, finished](QMediaPlayer::MediaStatus status) {
                         if (status != QMediaPlayer::EndOfMedia && status != QMediaPlayer::InvalidMedia)
                             return;
                         // Closed from the event loop: the player is still in
                         // its own signal here.
                         QTimer::singleShot(0, [this, id] { Close(id); });
                         if (finished)
                             finished();
                     });
    player->setSource(QUrl::fromLocalFile(file));
    player->play();
    m_players[id] = std::move(player);
    return id;
}

void CQtVoicePlayback::Stop(unsigned id)
{
    const auto it = m_players.find(id);
    if (it == m_players.end())
        return;
    it->second->stop();
    Close(id);
}

void CQtVoicePlayback::Close(unsigned id)
{
    const auto it = m_players.find(id);
    if (it == m_players.end())
        return;
    std::unique_ptr<QMediaPlayer> player = std::move(it->second);
    m_players.erase(it);
    player->disconnect();
    player.release()->deleteLater();
}
