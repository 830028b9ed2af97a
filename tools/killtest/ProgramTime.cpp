#include "ProgramTime.h"

#include <QFile>
#include <QList>

#include <algorithm>

ProgramTime::ProgramTime(qint64 pid)
    : m_pid(pid)
    , m_waitedAtStart(waitedNs()) {
    m_wall.start();
}

qint64 ProgramTime::elapsedMs() const {
    return std::max<qint64>(0, m_wall.elapsed() - (waitedNs() - m_waitedAtStart) / 1'000'000);
}

// The second figure of the main thread's scheduler statistics: nanoseconds spent waiting on a run queue. Once
// the process is gone (or on a kernel without the statistics) the last figure read stays.
qint64 ProgramTime::waitedNs() const {
    QFile stats(QStringLiteral("/proc/%1/schedstat").arg(m_pid));
    if (stats.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = stats.readAll().simplified().split(' ');
        bool ok = false;
        const qint64 waited = fields.size() >= 2 ? fields[1].toLongLong(&ok) : 0;
        if (ok)
            m_lastWaited = waited;
    }
    return m_lastWaited;
}
