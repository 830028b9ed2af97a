#pragma once

#include "platform/ElapsedClock.h"

// Elapsed time that moves only when the test says so.
class ManualClock final : public ElapsedClock {
public:
    qint64 nowMs() const override { return m_ms; }
    void advance(qint64 ms) { m_ms += ms; }

private:
    qint64 m_ms = 5'000'000;
};
