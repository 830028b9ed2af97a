#include "ui/notify/AlarmSound.h"

#include <QEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace {
constexpr int StoppedPlayCount = 50;
// A window that is never painted (covered, on another desktop) still sounds.
constexpr int LatestStartMs = 250;
} // namespace

AlarmSound::AlarmSound(SoundPlayerFactory makePlayer, QPushButton* stopButton, QObject* parent)
    : QObject(parent)
    , m_makePlayer(std::move(makePlayer))
    , m_stopButton(stopButton) {}

AlarmSound::~AlarmSound() {
    if (m_player)
        m_player->disconnect(this);
}

void AlarmSound::startWhenShown(QWidget* window, const QString& fileName) {
    m_fileName = fileName;
    playing = true;
    m_startPending = true;
    window->installEventFilter(this);
    QTimer::singleShot(LatestStartMs, this, [this] {
        startPending();
        m_startDeadlinePassed = true;
    });
}

bool AlarmSound::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued: the painted window is put on the screen before the player is built.
        QMetaObject::invokeMethod(this, &AlarmSound::startPending, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void AlarmSound::startPending() {
    if (!m_startPending)
        return;
    m_startPending = false;
    start(m_fileName);
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
    m_startPending = false;
    if (m_player)
        m_player->stop();
    releasePlayer();
    if (m_stopButton)
        m_stopButton->setEnabled(false);
    playing = false;
}

void AlarmSound::MediaPlayer1Notify() {
    if (playCount <= 0) {
        m_player->play(m_fileName);
    } else {
        playing = false;
        releasePlayer();
        if (m_stopButton)
            m_stopButton->setEnabled(false);
    }
    ++playCount;
}

void AlarmSound::unplayable() {
    playing = false;
    releasePlayer();
    if (m_stopButton)
        m_stopButton->hide();
}

// The player may be the sender of the signal being handled: it goes once that has returned.
void AlarmSound::releasePlayer() {
    if (!m_player)
        return;
    m_player->disconnect(this);
    m_player.release()->deleteLater();
}
