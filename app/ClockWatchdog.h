#pragma once

#include "app/AppOnly.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>

class ClockChangeMonitor;
class SchedulerClock;
class TForm6;
class QWidget;

// Alarms are kept as local date-times, so a clock that is set forward would fire everything at once
// and one set back would fire nothing for a long time. Once a second this compares the clock with
// its previous tick; after a jump of more than an hour it stops the scheduler and asks, once per run,
// whether alarms should stay off. A sleep of the computer looks like a jump and is let through.
//
// The tick also refreshes the main window's title. While that window is hidden nobody reads the title, so when a
// ClockChangeMonitor tells of every setting of the clock the watchdog stops ticking and rests: a notice of a change,
// the window being shown again or the computer waking brings one tick at once, judged against the last tick moved on
// by the time that really passed since (monotonic clock), as if it had ticked all along.
class ClockWatchdog final : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> refreshTitle;            // the main window's title shows the time
        std::function<void(bool)> setSchedulerEnabled; // the scheduler timer
    };

    // lastClockTick starts at clock's now. The warning stays owned by the caller.
    ClockWatchdog(const SchedulerClock& clock, TForm6& warning, Hooks hooks, QObject* parent = nullptr);

    // The main window: when it was hidden before the question, it is hidden again after it. Its showing and hiding
    // start and stop the ticks when clock-change notices come.
    void setMainWindow(QWidget* window);
    // Null: tick every second whatever the window does.
    void setClockChangeMonitor(ClockChangeMonitor* monitor);
    // Ticks every second from now on (or rests, as above).
    void start();
    // Not ticking because the main window is hidden and clock changes are told.
    bool resting() const { return m_resting; }

    QTimer Timer1;
    double lastClockTick = 0;
    bool clockWarningArmed = true;
    bool suspendSeen = false;

    void Timer1Timer();

    // The computer is about to sleep (or asks whether it may): no ticks until it wakes.
    void systemSuspending();
    // It woke up: the gap since the last tick is the sleep, not a clock change.
    void systemResumed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mayRest() const;
    void updatePace();
    void catchUp();

    const SchedulerClock& m_clock;
    TForm6& m_warning;
    Hooks m_hooks;
    QPointer<QWidget> m_mainWindow;
    QPointer<ClockChangeMonitor> m_monitor;
    bool m_resting = false;
    qint64 m_lastTickMs = 0; // monotonic, at lastClockTick
};
