#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class SchedulerClock;
class TForm6;
class QWidget;

// Alarms are kept as local date-times, so a clock that is set forward would fire everything at once
// and one set back would fire nothing for a long time. Once a second this compares the clock with
// its previous tick; after a jump of more than an hour it stops the scheduler and asks, once per run,
// whether alarms should stay off. A sleep of the computer looks like a jump and is let through.
class ClockWatchdog final : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> refreshTitle;            // the main window's title shows the time
        std::function<void(bool)> setSchedulerEnabled; // the scheduler timer
    };

    // lastClockTick starts at clock's now. The warning stays owned by the caller.
    ClockWatchdog(const SchedulerClock& clock, TForm6& warning, Hooks hooks, QObject* parent = nullptr);

    // The main window: when it was hidden before the question, it is hidden again after it.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    QTimer Timer1;
    double lastClockTick = 0;
    bool clockWarningArmed = true;
    bool suspendSeen = false;

    void Timer1Timer();

    // The computer is about to sleep (or asks whether it may): no ticks until it wakes.
    void systemSuspending();
    // It woke up: the gap since the last tick is the sleep, not a clock change.
    void systemResumed();

private:
    const SchedulerClock& m_clock;
    TForm6& m_warning;
    Hooks m_hooks;
    QPointer<QWidget> m_mainWindow;
};
