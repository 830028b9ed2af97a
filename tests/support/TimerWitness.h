#pragma once

#include <QSignalSpy>
#include <QTimer>

// For checks that something did NOT happen on a timer: runs the event loop until a witness timer of the same
// interval, started now, has timed out `times` times. A timer of that interval that was running before would
// have timed out first, however slow the machine, so "nothing fired" then means the timer did not run.
inline bool letTimerIntervalsPass(int interval, int times = 2) {
    QTimer witness;
    witness.setTimerType(Qt::PreciseTimer);
    witness.setInterval(interval);
    QSignalSpy timeouts(&witness, &QTimer::timeout);
    witness.start();
    while (timeouts.size() < times) {
        if (!timeouts.wait(10'000))
            return false;
    }
    return true;
}
