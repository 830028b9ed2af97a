#include "MediaSoundPlayer.h"

#include "SoundSetup.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QUrl>

MediaSoundPlayer::MediaSoundPlayer(QObject* parent)
    : SoundPlayer(parent) {
    // In case main() did not: it must happen before the first QMediaPlayer picks its backend.
    prepareSoundPlayback();
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_player->setAudioOutput(m_output);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &MediaSoundPlayer::onMediaStatus);
    connect(m_player, &QMediaPlayer::errorOccurred, this, &MediaSoundPlayer::onError);
}

MediaSoundPlayer::~MediaSoundPlayer() {
    m_outcome.cancel();
    m_player->disconnect(this);
    m_player->stop();
}

void MediaSoundPlayer::play(const QString& fileName) {
    m_outcome.cancel();
    // Reloading on every play also starts a finished or failed source afresh.
    m_player->stop();
    m_player->setSource(QUrl());
    m_outcome.begin();

    const QFileInfo file(fileName);
    if (!file.isFile() || !file.isReadable()) {
        m_outcome.conclude(this, false);
        return;
    }
    m_player->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_player->play();
}

void MediaSoundPlayer::stop() {
    m_outcome.cancel();
    m_player->stop();
}

void MediaSoundPlayer::onMediaStatus(QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia)
        m_outcome.conclude(this, true);
    else if (status == QMediaPlayer::InvalidMedia)
        m_outcome.conclude(this, false);
}

void MediaSoundPlayer::onError(QMediaPlayer::Error error) {
    if (error != QMediaPlayer::NoError)
        m_outcome.conclude(this, false);
}
