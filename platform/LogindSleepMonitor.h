#pragma once

#include "SleepMonitor.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>

class LogindManagerSignals;

// logind's PrepareForSleep(true / false) on the given (system) bus as suspending() / resumed().
//
// logind does not wait for anyone before it suspends, so a handler of suspending() might not run until
// after the wake, behind timers that then see the gap. The monitor therefore holds a "delay" inhibitor
// lock for sleep, as logind intends: logind waits (at most its InhibitDelayMaxSec) until the lock is
// released, which happens right after suspending() has been handled; on waking a new lock is taken.
// Without logind or the right to take the lock, the signals still arrive, only without that wait.
class LogindSleepMonitor final : public SleepMonitor {
    Q_OBJECT
public:
    explicit LogindSleepMonitor(const QDBusConnection& systemBus, QObject* parent = nullptr);
    ~LogindSleepMonitor() override;

    // A delay lock is held (for tests and diagnostics).
    bool holdsSleepDelayLock() const { return m_sleepLock.isValid(); }

private:
    void onPrepareForSleep(bool start);
    void takeSleepDelayLock();

    QDBusConnection m_bus;
    LogindManagerSignals* m_manager;
    QDBusUnixFileDescriptor m_sleepLock;
};
