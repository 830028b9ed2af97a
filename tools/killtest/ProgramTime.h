#pragma once

#include <QElapsedTimer>

// Time as the program under test lived it: the time that passed since the start, less the time its main thread
// stood ready but waited for a processor. On a loaded machine (other builds, a low priority) a start can take many
// times its usual wall time; measured this way, the moments of the kills and the patience with a slow start stay
// the same however busy the machine is.
class ProgramTime {
public:
    explicit ProgramTime(qint64 pid);

    qint64 elapsedMs() const;
    qint64 wallMs() const { return m_wall.elapsed(); }

private:
    qint64 waitedNs() const;

    qint64 m_pid;
    mutable qint64 m_lastWaited = 0;
    qint64 m_waitedAtStart;
    QElapsedTimer m_wall;
};
