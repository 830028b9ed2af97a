#pragma once

#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"

#include <QDateTime>
#include <QElapsedTimer>

// A clock that runs in real time from a chosen start, so the program's own timers bring its moments
// about; the test can still set it forward or back as a user would.
class RunningClock final : public SchedulerClock {
public:
    explicit RunningClock(const QDateTime& start)
        : m_startMs(start.toMSecsSinceEpoch()) {
        m_elapsed.start();
    }

    double now() const override { return DayCount::fromDateTime(QDateTime::fromMSecsSinceEpoch(wallMs())); }
    qint64 monotonicMs() const override { return m_elapsed.elapsed(); }

    qint64 wallMs() const { return m_startMs + m_jumpedMs + m_elapsed.elapsed(); }
    // The clock set forward or back; also what a sleep looks like from inside.
    void jump(qint64 ms) { m_jumpedMs += ms; }

private:
    qint64 m_startMs;
    qint64 m_jumpedMs = 0;
    QElapsedTimer m_elapsed;
};
