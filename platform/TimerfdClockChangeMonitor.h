#pragma once

#include "ClockChangeMonitor.h"

class QSocketNotifier;

// A timer file descriptor on the wall clock, armed for a moment far ahead with TFD_TIMER_CANCEL_ON_SET: the kernel
// cancels it (a read fails with ECANCELED) whenever the wall clock is set or jumps on a wake from sleep, and the
// event loop sees the descriptor become readable. Nothing wakes the program in between.
class TimerfdClockChangeMonitor final : public ClockChangeMonitor {
    Q_OBJECT
public:
    explicit TimerfdClockChangeMonitor(QObject* parent = nullptr);
    ~TimerfdClockChangeMonitor() override;

    // False when the kernel offers no such timer; then no notice ever comes.
    bool isValid() const { return m_fd >= 0; }

private:
    bool arm();
    void onReadable();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
