#include "TimerfdClockChangeMonitor.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {
// Far enough ahead never to expire in earnest; an expiry is only re-armed.
constexpr time_t ArmedYearsAhead = 100;
} // namespace

TimerfdClockChangeMonitor::TimerfdClockChangeMonitor(QObject* parent)
    : ClockChangeMonitor(parent) {
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0)
        return;
    if (!arm()) {
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TimerfdClockChangeMonitor::onReadable);
}

TimerfdClockChangeMonitor::~TimerfdClockChangeMonitor() {
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

bool TimerfdClockChangeMonitor::arm() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    itimerspec farAhead{};
    farAhead.it_value.tv_sec = now.tv_sec + ArmedYearsAhead * 365 * 24 * 3600;
    return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &farAhead, nullptr) == 0;
}

void TimerfdClockChangeMonitor::onReadable() {
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(m_fd, &expirations, sizeof expirations);
    const bool changed = got < 0 && errno == ECANCELED;
    // A cancelled timer stays cancelled until it is set again.
    arm();
    if (changed)
        Q_EMIT clockChanged();
}
