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
