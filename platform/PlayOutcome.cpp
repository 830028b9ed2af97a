#include "PlayOutcome.h"

#include "SoundPlayer.h"

#include <QMetaObject>

quint64 PlayOutcome::begin() {
    m_playing = true;
    return ++m_generation;
}

void PlayOutcome::cancel() {
    ++m_generation;
    m_playing = false;
}

void PlayOutcome::conclude(SoundPlayer* player, bool reachedEnd, std::function<void()> beforeSignal) {
    if (!m_playing)
        return;
    m_playing = false;
    const quint64 play = m_generation;
    QMetaObject::invokeMethod(
        player,
        [this, player, play, reachedEnd, beforeSignal = std::move(beforeSignal)] {
            if (!isCurrent(play))
                return;
            if (beforeSignal)
                beforeSignal();
            if (reachedEnd)
                Q_EMIT player->endReached();
            else
                Q_EMIT player->failed();
        },
        Qt::QueuedConnection);
}
