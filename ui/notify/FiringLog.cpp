#include "ui/notify/FiringLog.h"

#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"

#include <QDateTime>

Q_LOGGING_CATEGORY(lcFiring, "zentick.firing", QtWarningMsg)

namespace FiringLog {

namespace {
void trace(const QString& what, double scheduledDayCount, const SchedulerClock& clock) {
    const double now = clock.now();
    const qint64 at = DayCount::toDateTime(now).toMSecsSinceEpoch();
    const qint64 scheduled = DayCount::toDateTime(scheduledDayCount).toMSecsSinceEpoch();
    // Taken on the day counts themselves, which resolve well below a millisecond.
    const double lateMs = (now - scheduledDayCount) * 86'400'000.0;
    qCDebug(lcFiring).noquote()
        << QStringLiteral("%1 scheduled=%2 at=%3 late=%4").arg(what).arg(scheduled).arg(at).arg(lateMs, 0, 'f', 2);
}
} // namespace

void windowShown(const char* kind, const QByteArray& section, double scheduledDayCount, const SchedulerClock& clock) {
    if (lcFiring().isDebugEnabled())
        trace(QStringLiteral("shown kind=%1 section=%2").arg(QLatin1String(kind), QString::fromUtf8(section)),
              scheduledDayCount, clock);
}

void recordSettled(const QByteArray& section, double scheduledDayCount, const SchedulerClock& clock) {
    if (lcFiring().isDebugEnabled())
        trace(QStringLiteral("settled section=%1").arg(QString::fromUtf8(section)), scheduledDayCount, clock);
}

} // namespace FiringLog
