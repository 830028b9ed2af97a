#include "app/ClockWatchdog.h"

#include "scheduler/SchedulerClock.h"
#include "ui/notify/TForm6.h"

#include <QWidget>
#include <cmath>

namespace {
constexpr int TickMs = 1000;
constexpr double MinutesPerDay = 1440.0;
// A daylight-saving change moves the local clock by 59 or 60 whole minutes between two ticks.
constexpr double LargestQuietGapMinutes = 60.0;
} // namespace

ClockWatchdog::ClockWatchdog(const SchedulerClock& clock, TForm6& warning, Hooks hooks, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_warning(warning)
    , m_hooks(std::move(hooks)) {
    lastClockTick = m_clock.now();
    Timer1.setInterval(TickMs);
    connect(&Timer1, &QTimer::timeout, this, &ClockWatchdog::Timer1Timer);
    connect(&m_warning, &TForm6::schedulerMayRun, this, [this] {
        if (m_hooks.setSchedulerEnabled)
            m_hooks.setSchedulerEnabled(true);
    });
}

void ClockWatchdog::Timer1Timer() {
    Timer1.setInterval(TickMs);
    if (m_hooks.refreshTitle)
        m_hooks.refreshTitle();

    const double now = m_clock.now();
    const double gap = std::trunc(std::fabs(now - lastClockTick) * MinutesPerDay);
    lastClockTick = now;

    if (suspendSeen) {
        suspendSeen = false;
        return;
    }
    if (gap <= LargestQuietGapMinutes || !clockWarningArmed)
        return;

    clockWarningArmed = false;
    const bool mainWindowHidden = m_mainWindow != nullptr && !m_mainWindow->isVisible();
    if (m_hooks.setSchedulerEnabled)
        m_hooks.setSchedulerEnabled(false);
    m_warning.ask(); // the warning itself lets the scheduler run again unless the answer is "Yes"
    if (mainWindowHidden && m_mainWindow->isVisible())
        m_mainWindow->hide();
}

void ClockWatchdog::systemSuspending() {
    Timer1.setInterval(TickMs);
    Timer1.stop();
    suspendSeen = true;
}

void ClockWatchdog::systemResumed() {
    Timer1.setInterval(TickMs);
    Timer1.start();
}
