#include "scheduler/SchedulerClock.h"

#include "scheduler/DayCount.h"

#include <QDateTime>
#include <QElapsedTimer>

double SystemClock::now() const {
    return DayCount::fromDateTime(QDateTime::currentDateTime());
}

qint64 SystemClock::monotonicMs() const {
    static const QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

qint64 SchedulerClock::epochMs() const {
    return DayCount::toDateTime(now()).toMSecsSinceEpoch();
}

qint64 SystemClock::epochMs() const {
    return QDateTime::currentMSecsSinceEpoch();
}
