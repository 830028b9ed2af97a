#pragma once

#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"

#include <QDateTime>

// A clock the test moves by hand. It holds an instant, so local time follows the zone's rules
// (a daylight-saving change shows in now() as it would on the machine).
class ManualClock final : public SchedulerClock {
public:
    explicit ManualClock(const QDateTime& start)
        : m_utcMs(start.toMSecsSinceEpoch()) {}

    double now() const override { return DayCount::fromDateTime(QDateTime::fromMSecsSinceEpoch(m_utcMs)); }
    qint64 monotonicMs() const override { return m_monotonicMs; }

    // Time passing: both clocks move.
    void advanceMs(qint64 ms) {
        m_utcMs += ms;
        m_monotonicMs += ms;
    }
    // Someone sets the wall clock; monotonic time does not move.
    void setWallClockBy(qint64 ms) { m_utcMs += ms; }

private:
    qint64 m_utcMs;
    qint64 m_monotonicMs = 0;
};
