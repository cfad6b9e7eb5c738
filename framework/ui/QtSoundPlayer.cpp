#include "framework/ui/QtSoundPlayer.h"

#include <QApplication>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <QtDebug>

namespace fw {

QtSoundPlayer::QtSoundPlayer() : m_effect(std::make_unique<QSoundEffect>()) {}

QtSoundPlayer::~QtSoundPlayer() = default;

void QtSoundPlayer::PlayFileAsync(const CString& path)
{
    const QString file = QString::fromUtf8(path.c_str());
    m_effect->stop();
    if (file.isEmpty() || !QFileInfo(file).isFile()) {
        qWarning() << "sound file not found:" << file;
        m_file.Empty();
        m_effect->setSource(QUrl());
        return;
    }
    m_file = path;
    m_effect->setSource(QUrl::fromLocalFile(file));
    // Loading is asynchronous; a sound asked for before it has loaded
    // starts once it has.
    m_effect->play();
}

void QtSoundPlayer::Purge()
{
    m_effect->stop();
    m_effect->setSource(QUrl());
    m_file.Empty();
}

void QtSoundPlayer::Beep(unsigned)
{
    QApplication::beep();
}

} // namespace fw
