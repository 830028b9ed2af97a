#pragma once

#include <QObject>

// Tells when the computer goes to sleep and when it wakes. The program uses LogindSleepMonitor; tests use
// FakeSleepMonitor (tests/fakes/FakePlatform.h).
class SleepMonitor : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    // The system is about to suspend or hibernate.
    void suspending();
    // The system is running again after a suspend or hibernation (or the attempt failed).
    void resumed();
};
