#pragma once

#include <QtGlobal>

#include <optional>

// A day chosen again less than 200 ms after the previous choice acts as a double click: the calendar view opens
// the day's list, the diary the day's note. The times are the caller's monotonic milliseconds, so a clock the
// tests move drives it; before the first choice nothing counts as a second one.
class SecondClick {
public:
    static constexpr qint64 withinMs = 200;

    // Notes a choice at nowMs; true when it came less than withinMs after the one before.
    bool choose(qint64 nowMs) {
        const bool quick = m_lastMs && nowMs >= *m_lastMs && nowMs - *m_lastMs < withinMs;
        m_lastMs = nowMs;
        return quick;
    }
    // Notes a choice that can only be a first one (a page choosing its own date).
    void restart(qint64 nowMs) { m_lastMs = nowMs; }

private:
    std::optional<qint64> m_lastMs;
};
