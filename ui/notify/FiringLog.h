#pragma once

#include <QLoggingCategory>

// Opt-in trace of when a notification was due and when its window appeared, for measuring how late
// windows come. Off unless enabled, e.g. QT_LOGGING_RULES="zentick.firing.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcFiring)

class SchedulerClock;

namespace FiringLog {

// One line per shown window: its kind, record, the scheduled moment and now, both in milliseconds
// since the epoch, and the difference.
void windowShown(const char* kind, const QByteArray& section, double scheduledDayCount, const SchedulerClock& clock);
// One line per firing once its record is settled in memory, before any window is made (the saves follow
// the window): what of the lateness is the tick, and what is the window.
void recordSettled(const QByteArray& section, double scheduledDayCount, const SchedulerClock& clock);

} // namespace FiringLog
