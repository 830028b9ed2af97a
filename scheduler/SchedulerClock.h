#pragma once

#include <QtGlobal>

// The time as the scheduler and the watchdog see it. The program uses SystemClock; tests move a fake
// one forward, back and across sleeps.
class SchedulerClock {
public:
    virtual ~SchedulerClock() = default;
    // Local date-time as a day count.
    virtual double now() const = 0;
    // Milliseconds from an arbitrary start; never jumps with the wall clock.
    virtual qint64 monotonicMs() const = 0;
    // The instant, in milliseconds since 1970 UTC: what a snooze waits for. A clock that knows only local time
    // works it out from now(), which is one hour off inside the hour a daylight-saving change repeats.
    virtual qint64 epochMs() const;
};

class SystemClock final : public SchedulerClock {
public:
    double now() const override;
    qint64 monotonicMs() const override;
    qint64 epochMs() const override;
};
