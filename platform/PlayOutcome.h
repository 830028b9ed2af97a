#pragma once

#include <QtGlobal>
#include <functional>

class SoundPlayer;

// The bookkeeping every SoundPlayer needs for its outcome: which play is current, and its one endReached() or
// failed(), delivered after the caller's stack has unwound and dropped if a newer play or a stop came first.
// Backends report one failure several times over (GStreamer) or twice by two paths (a process's error and its
// end); only the first report of the current play counts.
class PlayOutcome {
public:
    // Starts a play; the returned number names it for isCurrent().
    quint64 begin();
    // Ends the current play without an outcome.
    void cancel();

    bool isPlaying() const { return m_playing; }
    bool isCurrent(quint64 play) const { return play == m_generation; }

    // Ends the current play with the given outcome, which player signals later, unless a newer play or a stop
    // came first. beforeSignal runs just before the signal, when it is still due.
    void conclude(SoundPlayer* player, bool reachedEnd, std::function<void()> beforeSignal = {});

private:
    bool m_playing = false;
    quint64 m_generation = 0;
};
