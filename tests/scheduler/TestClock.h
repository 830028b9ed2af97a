#pragma once

#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"

#include <QDateTime>

// A clock the test moves. It keeps a real instant, so the local day count it reports follows the
// pinned time zone across daylight-saving changes like the system clock would.
class TestClock final : public SchedulerClock {
public:
    explicit TestClock(const QDateTime& start = QDateTime(QDate(2026, 5, 4), QTime(9, 0))) { set(start); }

    double now() const override { return DayCount::fromDateTime(QDateTime::fromMSecsSinceEpoch(m_wallMs)); }
    qint64 monotonicMs() const override { return m_monotonicMs; }
    qint64 epochMs() const override { return m_wallMs; }

    QDateTime dateTime() const { return QDateTime::fromMSecsSinceEpoch(m_wallMs); }
    qint64 wallMs() const { return m_wallMs; }

    // Sets the wall clock (the user or a time service changing it); monotonic time does not move.
    void set(const QDateTime& dt) { m_wallMs = dt.toMSecsSinceEpoch(); }
    // Time passing.
    void advance(qint64 ms) {
        m_wallMs += ms;
        m_monotonicMs += ms;
    }
    // The clock set forward or back by ms.
    void jump(qint64 ms) { m_wallMs += ms; }
    // The computer asleep: wall time passes, the monotonic clock of a suspended system does not.
    void suspend(qint64 ms) { m_wallMs += ms; }

private:
    qint64 m_wallMs = 0;
    qint64 m_monotonicMs = 1'000'000;
};
