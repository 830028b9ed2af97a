#include "ui/notify/FiringLog.h"

#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"

#include <QDateTime>

Q_LOGGING_CATEGORY(lcFiring, "zentick.firing", QtWarningMsg)

namespace FiringLog {

void windowShown(const char* kind, const QByteArray& section, double scheduledDayCount, const SchedulerClock& clock) {
    if (!lcFiring().isDebugEnabled())
        return;
    const qint64 shown = DayCount::toDateTime(clock.now()).toMSecsSinceEpoch();
    const qint64 scheduled = DayCount::toDateTime(scheduledDayCount).toMSecsSinceEpoch();
    qCDebug(lcFiring).noquote() << QString::fromLatin1("shown kind=%1 section=%2 scheduled=%3 shown=%4 late=%5")
                                       .arg(QLatin1String(kind), QString::fromUtf8(section))
                                       .arg(scheduled)
                                       .arg(shown)
                                       .arg(shown - scheduled);
}

} // namespace FiringLog
