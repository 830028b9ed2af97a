#pragma once

#include <QtGlobal>

// Time for measuring how long something runs. It never jumps when the wall clock is set or the time zone or
// daylight saving changes, and it keeps counting while the computer sleeps, so a one-hour countdown ends one
// real hour after it began, suspend or not. The program uses BootClock; tests a clock they move by hand.
class ElapsedClock {
public:
    virtual ~ElapsedClock() = default;
    // Milliseconds from an arbitrary start.
    virtual qint64 nowMs() const = 0;
};

// Linux CLOCK_BOOTTIME: the monotonic clock plus the time spent suspended.
class BootClock final : public ElapsedClock {
public:
    qint64 nowMs() const override;
    static const BootClock& instance();
};
