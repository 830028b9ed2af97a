#include "ui/notify/AlarmSound.h"

#include <QPushButton>

namespace {
constexpr int StoppedPlayCount = 50;
}

AlarmSound::AlarmSound(SoundPlayerFactory makePlayer, QPushButton* stopButton, QObject* parent)
    : QObject(parent)
    , m_makePlayer(std::move(makePlayer))
    , m_stopButton(stopButton) {}

AlarmSound::~AlarmSound() {
    if (m_player)
        m_player->disconnect(this);
}

void AlarmSound::start(const QString& fileName) {
    m_fileName = fileName;
    if (!m_player && m_makePlayer) {
        m_player = m_makePlayer();
        if (m_player) {
            connect(m_player.get(), &SoundPlayer::endReached, this, &AlarmSound::MediaPlayer1Notify);
            connect(m_player.get(), &SoundPlayer::failed, this, &AlarmSound::unplayable);
        }
    }
    if (!m_player) {
        unplayable();
        return;
    }
    playing = true;
    m_player->play(fileName);
}

void AlarmSound::stop() {
    playCount = StoppedPlayCount;
    if (m_player)
        m_player->stop();
    if (m_stopButton)
        m_stopButton->setEnabled(false);
    playing = false;
}

void AlarmSound::MediaPlayer1Notify() {
    if (playCount <= 0) {
        m_player->play(m_fileName);
    } else {
        playing = false;
        if (m_stopButton)
            m_stopButton->setEnabled(false);
    }
    ++playCount;
}

void AlarmSound::unplayable() {
    playing = false;
    if (m_stopButton)
        m_stopButton->hide();
}
