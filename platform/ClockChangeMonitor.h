#pragma once

#include <QObject>

// Tells when the wall clock was set (by the user, NTP stepping it, or the kernel after a wake from sleep), without
// the program having to look at the clock now and then. The program uses TimerfdClockChangeMonitor; tests use
// FakeClockChangeMonitor (tests/fakes/FakePlatform.h).
class ClockChangeMonitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    // The wall clock no longer runs on from where it was: it was set, or the computer slept.
    void clockChanged();
};
