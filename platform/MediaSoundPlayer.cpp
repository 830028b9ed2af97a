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
    m_playing = false;
    m_player->disconnect(this);
    m_player->stop();
}

void MediaSoundPlayer::play(const QString& fileName) {
    ++m_generation;
    m_playing = false;
    // Reloading on every play also starts a finished or failed source afresh.
    m_player->stop();
    m_player->setSource(QUrl());
    m_playing = true;

    const QFileInfo file(fileName);
    if (!file.isFile() || !file.isReadable()) {
        conclude(false);
        return;
    }
    m_player->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_player->play();
}

void MediaSoundPlayer::stop() {
    ++m_generation;
    m_playing = false;
    m_player->stop();
}

void MediaSoundPlayer::onMediaStatus(QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia)
        conclude(true);
    else if (status == QMediaPlayer::InvalidMedia)
        conclude(false);
}

void MediaSoundPlayer::onError(QMediaPlayer::Error error) {
    if (error != QMediaPlayer::NoError)
        conclude(false);
}

void MediaSoundPlayer::conclude(bool reachedEnd) {
    if (!m_playing)
        return;
    // GStreamer reports one failure several times over; only the first counts.
    m_playing = false;
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, generation, reachedEnd] {
            if (generation != m_generation)
                return;
            if (reachedEnd)
                Q_EMIT endReached();
            else
                Q_EMIT failed();
        },
        Qt::QueuedConnection);
}
