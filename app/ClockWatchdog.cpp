#include "app/ClockWatchdog.h"

#include "platform/ClockChangeMonitor.h"
#include "scheduler/SchedulerClock.h"
#include "ui/notify/TForm6.h"

#include <QEvent>
#include <QWidget>
#include <cmath>

namespace {
constexpr int TickMs = 1000;
constexpr double MinutesPerDay = 1440.0;
constexpr double MsPerDay = 86'400'000.0;
// A daylight-saving change moves the local clock by 59 or 60 whole minutes between two ticks.
constexpr double LargestQuietGapMinutes = 60.0;
} // namespace

ClockWatchdog::ClockWatchdog(const SchedulerClock& clock, TForm6& warning, Hooks hooks, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_warning(warning)
    , m_hooks(std::move(hooks)) {
    lastClockTick = m_clock.now();
    m_lastTickMs = m_clock.monotonicMs();
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
    m_lastTickMs = m_clock.monotonicMs();

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
    if (m_resting || mayRest()) {
        m_resting = true;
        catchUp();
        return;
    }
    Timer1.start();
}

void ClockWatchdog::start() {
    lastClockTick = m_clock.now();
    m_lastTickMs = m_clock.monotonicMs();
    m_resting = false;
    Timer1.start();
    updatePace();
}

void ClockWatchdog::setMainWindow(QWidget* window) {
    if (m_mainWindow)
        m_mainWindow->removeEventFilter(this);
    m_mainWindow = window;
    if (m_mainWindow)
        m_mainWindow->installEventFilter(this);
    updatePace();
}

void ClockWatchdog::setClockChangeMonitor(ClockChangeMonitor* monitor) {
    if (m_monitor)
        m_monitor->disconnect(this);
    m_monitor = monitor;
    if (m_monitor)
        connect(m_monitor, &ClockChangeMonitor::clockChanged, this, [this] {
            // While ticking, the next tick sees the change within a second, as it always did.
            if (m_resting)
                catchUp();
        });
    updatePace();
}

bool ClockWatchdog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_mainWindow && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        updatePace();
    return QObject::eventFilter(watched, event);
}

bool ClockWatchdog::mayRest() const {
    return m_monitor != nullptr && m_mainWindow != nullptr && !m_mainWindow->isVisible();
}

// Only a running watchdog goes to rest (not one stopped for a sleep), and a resting one comes back ticking with
// a tick at once, so the title is right the moment the window shows.
void ClockWatchdog::updatePace() {
    if (mayRest()) {
        if (Timer1.isActive()) {
            Timer1.stop();
            m_resting = true;
        }
    } else if (m_resting) {
        m_resting = false;
        catchUp();
        Timer1.start();
    }
}

// The clock would have been here had nobody set it: the last tick plus the time that really passed.
void ClockWatchdog::catchUp() {
    lastClockTick += double(m_clock.monotonicMs() - m_lastTickMs) / MsPerDay;
    Timer1Timer();
}
