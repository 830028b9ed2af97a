#pragma once

#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"

// A clock that shows whatever the test sets.
class FixedClock final : public SchedulerClock {
public:
    explicit FixedClock(const QDateTime& at)
        : m_now(DayCount::fromDateTime(at)) {}
    double now() const override { return m_now; }
    qint64 monotonicMs() const override { return 0; }

private:
    double m_now;
};
