#include "platform/ElapsedClock.h"

#include <ctime>

qint64 BootClock::nowMs() const {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

const BootClock& BootClock::instance() {
    static const BootClock clock;
    return clock;
}
