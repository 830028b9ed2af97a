#include "ProcessProbe.h"

#include <QDir>
#include <QFile>

namespace {
QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

double kiBField(const QByteArray& status, const char* name) {
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(name))
            return line.mid(qsizetype(qstrlen(name))).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}
} // namespace

ProcessSample probeProcess(qint64 pid) {
    ProcessSample sample;
    const QString base = QStringLiteral("/proc/%1").arg(pid);
    const QByteArray status = readAll(base + QStringLiteral("/status"));
    sample.rssMiB = kiBField(status, "VmRSS:") / 1024.0;
    sample.peakRssMiB = kiBField(status, "VmHWM:") / 1024.0;
    sample.threads = int(kiBField(status, "Threads:"));
    // The live threads' schedstat counts nanoseconds but forgets threads that ended (a sound's); the process's stat
    // remembers them, in 10 ms ticks. The larger of the two is the better figure.
    double liveNs = 0;
    const QStringList tasks = QDir(base + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& task : tasks)
        liveNs += readAll(base + QStringLiteral("/task/") + task + QStringLiteral("/schedstat"))
                      .split(' ')
                      .value(0)
                      .toDouble();
    const QByteArray stat = readAll(base + QStringLiteral("/stat"));
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    double statMs = 0;
    if (fields.size() > 12)
        statMs = (fields[11].toDouble() + fields[12].toDouble()) * 10.0; // utime, stime in 10 ms ticks
    sample.cpuMs = std::max(liveNs / 1e6, statMs);
    if (fields.size() > 14)
        sample.childrenCpuMs = (fields[13].toDouble() + fields[14].toDouble()) * 10.0; // cutime, cstime
    return sample;
}
