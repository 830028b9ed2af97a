// What running stopwatch windows cost, and how late a countdown ends, measured in this one process.
//
// CPU: the process's CPU time (getrusage: user + system, microseconds) over the same number of seconds
// with a bare hidden Qt window (the reference), with one running stopwatch window, and with ten. Each window's
// display refreshes are counted too.
//
// Countdown end: countdown windows of 200 to 700 ms, all shown first and started one every 200 ms, alternating
// with bare precise single-shot Qt timers of the same lengths (the reference), so both meet the same load. Lateness is
// the moment the window says it has expired against its start plus its length, on CLOCK_BOOTTIME in nanoseconds.
//
//   tools_bench [--seconds S] [--countdowns N] [--no-cpu] [--no-countdown]
//
// The platform is Qt's usual choice: QT_QPA_PLATFORM=offscreen, or an X server (bench/run-x.sh).

#include "ui/tools/TForm7.h"
#include "widgets/FancyButton.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QLineEdit>
#include <QList>
#include <QRandomGenerator>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace {

QTextStream out(stdout);

qint64 bootNs() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// CPU time of the whole process, threads that have ended included, and its context switches (each one a wake-up
// or a preemption). Linux takes the sum of user and system time from the scheduler's own nanosecond count.
struct CpuSample {
    double cpuMs = 0;
    qint64 switches = 0;
};

CpuSample cpuNow() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0;
    };
    return {ms(usage.ru_utime) + ms(usage.ru_stime), qint64(usage.ru_nvcsw) + qint64(usage.ru_nivcsw)};
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Phase {
    QString name;
    int windows = 0;
    double cpuMs = 0;
    qint64 switches = 0;
    qint64 refreshes = 0;
};

// Measures the process over `seconds` with `windows` running stopwatch windows (0: a bare hidden window only).
Phase measure(const QString& name, int windows, int seconds) {
    std::vector<std::unique_ptr<TForm7>> open;
    qint64 refreshes = 0;
    for (int i = 0; i < windows; ++i) {
        auto window = std::make_unique<TForm7>(StopwatchServices{});
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        QObject::connect(window->Edit2, &QLineEdit::textChanged, [&refreshes] { ++refreshes; });
        window->show();
        window->DsFancyButton1->click(); // "Start"
        open.push_back(std::move(window));
    }
    runFor(1000); // shown, painted, running: only the steady state counts
    refreshes = 0;
    const CpuSample before = cpuNow();
    runFor(seconds * 1000);
    const CpuSample after = cpuNow();
    Phase phase{name, windows, after.cpuMs - before.cpuMs, after.switches - before.switches, refreshes};
    open.clear();
    runFor(200);
    return phase;
}

void cpuRun(int seconds) {
    QWidget bare;
    bare.resize(200, 120);
    bare.winId(); // a platform window of its own, never shown
    out << "CPU over " << seconds << " s (" << QGuiApplication::platformName() << ")\n";
    // The first window of the process pays for the caches Qt fills once (fonts, glyphs, style sheet rules).
    measure(QStringLiteral("warm-up"), 1, 2);
    const Phase reference = measure(QStringLiteral("bare hidden window"), 0, seconds);
    const QList<Phase> phases{reference, measure(QStringLiteral("1 running stopwatch"), 1, seconds),
                              measure(QStringLiteral("10 running stopwatches"), 10, seconds)};
    for (const Phase& phase : phases) {
        const double ownMs = phase.cpuMs - reference.cpuMs;
        out << QStringLiteral("  %1: CPU %2 ms (%3 % of a core), wake-ups %4/s")
                   .arg(phase.name, -24)
                   .arg(phase.cpuMs, 0, 'f', 1)
                   .arg(phase.cpuMs / (seconds * 10.0), 0, 'f', 3)
                   .arg(double(phase.switches) / seconds, 0, 'f', 1);
        if (phase.windows > 0)
            out << QStringLiteral("; per window above the reference %1 ms = %2 % of a core; refreshes %3/s a window")
                       .arg(ownMs / phase.windows, 0, 'f', 1)
                       .arg(ownMs / phase.windows / (seconds * 10.0), 0, 'f', 3)
                       .arg(double(phase.refreshes) / phase.windows / seconds, 0, 'f', 1);
        out << "\n";
    }
    out.flush();
}

double percentile(const QList<double>& sorted, double p) {
    if (sorted.isEmpty())
        return 0;
    const qsizetype rank = std::max<qsizetype>(1, qsizetype(std::ceil(p / 100.0 * double(sorted.size()))));
    return sorted[std::min(rank, sorted.size()) - 1];
}

void printLateness(const QString& name, QList<double> late) {
    std::sort(late.begin(), late.end());
    out << QStringLiteral("  %1: n=%2 min %3, median %4, p90 %5, p99 %6, max %7 ms\n")
               .arg(name, -28)
               .arg(late.size())
               .arg(late.value(0), 0, 'f', 2)
               .arg(percentile(late, 50), 0, 'f', 2)
               .arg(percentile(late, 90), 0, 'f', 2)
               .arg(percentile(late, 99), 0, 'f', 2)
               .arg(late.isEmpty() ? 0.0 : late.last(), 0, 'f', 2);
}

void countdownRun(int count) {
    // The windows are made and shown first: the start of one must not fall on the end of another.
    std::vector<std::unique_ptr<TForm7>> windows;
    for (int i = 0; i < count; ++i) {
        windows.push_back(std::make_unique<TForm7>(StopwatchServices{}));
        windows.back()->setAttribute(Qt::WA_DeleteOnClose, false);
        windows.back()->show();
    }
    runFor(1000);

    QRandomGenerator random(42);
    QList<double> windowLate, timerLate;
    int pending = 2 * count;
    QEventLoop loop;
    const auto ended = [&](QList<double>& late, qint64 due) {
        late << double(bootNs() - due) / 1e6;
        if (--pending == 0)
            loop.quit();
    };
    for (int i = 0; i < 2 * count; ++i) {
        const int lengthMs = int(random.bounded(200, 701));
        TForm7* window = i % 2 == 0 ? windows[size_t(i / 2)].get() : nullptr;
        QTimer::singleShot(i * 100, Qt::PreciseTimer, &loop, [&, lengthMs, window] {
            if (window) {
                window->setCountdown(lengthMs, false);
                const qint64 due = bootNs() + qint64(lengthMs) * 1'000'000;
                QObject::connect(window, &TForm7::expired, window, [&, due] { ended(windowLate, due); });
                window->DsFancyButton1->click(); // "Start"
            } else {
                const qint64 due = bootNs() + qint64(lengthMs) * 1'000'000;
                QTimer::singleShot(lengthMs, Qt::PreciseTimer, &loop, [&, due] { ended(timerLate, due); });
            }
        });
    }
    loop.exec();
    out << "Countdown end, " << count << " countdowns of 200-700 ms, one started every 200 ms ("
        << QGuiApplication::platformName() << ")\n";
    printLateness(QStringLiteral("bare precise QTimer"), timerLate);
    printLateness(QStringLiteral("countdown window (TForm7)"), windowLate);
    out.flush();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!Theme::apply(app)) {
        out << "the style sheet is missing: the windows would not look as in the program\n";
        return 1;
    }
    const QStringList args = QApplication::arguments();
    const int seconds = args.contains(QStringLiteral("--seconds"))
                            ? args.value(args.indexOf(QStringLiteral("--seconds")) + 1).toInt()
                            : 30;
    const int countdowns = args.contains(QStringLiteral("--countdowns"))
                               ? args.value(args.indexOf(QStringLiteral("--countdowns")) + 1).toInt()
                               : 50;
    if (!args.contains(QStringLiteral("--no-countdown")))
        countdownRun(countdowns);
    if (!args.contains(QStringLiteral("--no-cpu")))
        cpuRun(seconds);
    return 0;
}
