// How late the running program shows its alarm windows, and what it costs while nothing is due.
//
// Firing: the real executable in a temporary folder, started hidden and offscreen with the
// "zentick.firing" trace on, and an "Alarms.xml" prepared with alarms a few seconds ahead, spread
// over time. The trace gives each window's lateness against its stored moment. The reference is a
// bare precise Qt timer in this process, armed for the same moments in the same run.
//
// Idle: the program with no window open and some alarms days ahead, against a bare hidden Qt window
// with a one-second timer (this program with --idle-reference), both measured over the same seconds:
// CPU time and context switches from /proc.
//
//   firing_bench [--exe PATH] [--alarms N] [--idle-seconds S] [--sound] [--no-firing] [--no-idle] [--platform xcb]
//
// --platform xcb runs the program (and the idle references) on the X server of $DISPLAY instead of offscreen.

#include "../common/BenchSupport.h"
#include "XMapLog.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTextStream>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using namespace BenchSupport;
namespace Key = EventRecord::Key;

QTextStream out(stdout);
QString platform = QStringLiteral("offscreen"); // of the programs measured

struct Options {
    QString exe = QStringLiteral(ZENTICK_EXECUTABLE);
    int alarms = 120;
    int idleSeconds = 60;
    bool sound = false;
    bool firing = true;
    bool idle = true;
};

// Nearest-rank percentile of sorted values.
double percentile(const QList<double>& sorted, double p) {
    if (sorted.isEmpty())
        return 0;
    const qsizetype rank = std::max<qsizetype>(1, qsizetype(std::ceil(p / 100.0 * double(sorted.size()))));
    return sorted[std::min(rank, sorted.size()) - 1];
}

struct Summary {
    int count = 0;
    double median = 0, p90 = 0, p99 = 0, max = 0, min = 0;
};

Summary summarise(QList<double> values) {
    std::sort(values.begin(), values.end());
    Summary s;
    s.count = int(values.size());
    if (values.isEmpty())
        return s;
    s.median = percentile(values, 50);
    s.p90 = percentile(values, 90);
    s.p99 = percentile(values, 99);
    s.max = values.last();
    s.min = values.first();
    return s;
}

QProcess* startProgram(const QTemporaryDir& dir, bool trace, QObject* parent) {
    auto* process = new QProcess(parent);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("run")));
    if (trace)
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zentick.firing.debug=true"));
    else
        env.remove(QStringLiteral("QT_LOGGING_RULES"));
    process->setProcessEnvironment(env);
    process->setWorkingDirectory(dir.path());
    process->start(dir.filePath(QStringLiteral("zentick")), {QStringLiteral("-h")});
    return process;
}

// The mapping's reference: another process on the same X server and core shows a bare window at each moment, made
// (native window and all) ahead as the program makes its alarm windows, so what the server and the window manager
// add to a map is seen apart from the program. The moments keep the program's spread, moved to start 3 s from now.
Summary mapReferenceRun(const QList<double>& programDates) {
    QList<double> dates;
    const double shift = DayCount::addSeconds(nowDayCount(), 3) - programDates.first();
    QTemporaryFile file;
    if (!file.open())
        return {};
    for (double date : programDates) {
        dates << date + shift;
        file.write(QByteArray::number(dates.last(), 'g', 17) + '\n');
    }
    file.flush();
    XMapLog maps;
    QProcess reference;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    reference.setProcessEnvironment(env);
    reference.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--map-reference"), file.fileName()});
    const double lastMs = (dates.last() - nowDayCount()) * 86'400'000.0;
    QElapsedTimer waited;
    waited.start();
    while (reference.state() != QProcess::NotRunning && waited.elapsed() < qint64(lastMs) + 10'000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    stopProgram(reference);
    return summarise(XMapLog::latenessOf(dates, maps.maps(), 100));
}

// The child of mapReferenceRun.
int mapReference(QApplication& app, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    std::vector<std::unique_ptr<QWidget>> windows;
    double last = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        const double due = line.toDouble();
        last = due;
        const int msAhead = int((due - nowDayCount()) * 86'400'000.0);
        windows.push_back(std::make_unique<QWidget>());
        QWidget* window = windows.back().get();
        window->resize(410, 200);
        QTimer::singleShot(std::max(0, msAhead - 1500), Qt::PreciseTimer, window, [window] { window->winId(); });
        QTimer::singleShot(std::max(0, msAhead), Qt::PreciseTimer, window, [window] {
            window->show();
            QTimer::singleShot(60, window, [window] { window->hide(); });
        });
    }
    QTimer::singleShot(int((last - nowDayCount()) * 86'400'000.0) + 500, &app, &QCoreApplication::quit);
    return QApplication::exec();
}

int firingRun(const Options& options) {
    QTemporaryDir dir;
    if (!dir.isValid() || !prepareInstalledFolder(dir, options.exe)) {
        out << "cannot prepare a folder for " << options.exe << "\n";
        return 1;
    }

    // Alarms from 4 s ahead on, 120 to 600 ms apart (more than the 50 ms the scheduler leaves between
    // two firings), the same spread at every run.
    QRandomGenerator random(42);
    QList<double> dates;
    {
        TXMLIniFile events(eventStoreOf(dir));
        TXMLIniFile::Batch batch(events);
        double at = DayCount::addSeconds(nowDayCount(), 4);
        for (int i = 0; i < options.alarms; ++i) {
            at = (at * 86'400'000.0 + double(random.bounded(120, 601))) / 86'400'000.0;
            writeAlarm(events, QByteArray::number(i), at, options.sound, QStringLiteral("Alarm %1").arg(i));
            dates << events.ReadDouble(QByteArray::number(i), Key::Date, 0); // as stored, 15 digits
        }
        batch.commit();
    }
    const double lastMsAhead = (dates.last() - nowDayCount()) * 86'400'000.0;

    QList<double> reference;
    for (double due : dates) {
        const int msAhead = int((due - nowDayCount()) * 86'400'000.0);
        QTimer::singleShot(std::max(0, msAhead), Qt::PreciseTimer, qApp,
                           [due, &reference] { reference << (nowDayCount() - due) * 86'400'000.0; });
    }

    // On a real X server, the server's own word that each window is on the screen.
    std::unique_ptr<XMapLog> maps;
    if (platform == QLatin1String("xcb"))
        maps = std::make_unique<XMapLog>();
    if (maps && !maps->isValid())
        std::fprintf(stderr, "no X server to watch the windows' maps on\n");
    QList<double> late, settled;
    // By section, in whichever order they come: a window made ahead is shown before its record is settled.
    QHash<QString, double> settledAt, shownAt;
    QByteArray pending;
    QProcess* program = startProgram(dir, true, qApp);
    const QRegularExpression line(
        QStringLiteral("zentick\\.firing: (shown kind=alarm|settled) section=([0-9]+) .* late=(-?[0-9.]+)"));
    QList<double> windowPart;
    QStringList madeAtTheMoment; // shown after the settle: no window was made ahead for it
    QObject::connect(program, &QProcess::readyReadStandardError, qApp, [&] {
        pending += program->readAllStandardError();
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QString text = QString::fromUtf8(pending.left(end));
            pending.remove(0, end + 1);
            const QRegularExpressionMatch match = line.match(text);
            if (!match.hasMatch())
                continue;
            const double ms = match.captured(3).toDouble();
            const QString section = match.captured(2);
            if (match.captured(1) == QLatin1String("settled")) {
                settled << ms;
                settledAt.insert(section, ms);
                if (shownAt.contains(section))
                    windowPart << shownAt.value(section) - ms;
            } else {
                late << ms;
                shownAt.insert(section, ms);
                if (settledAt.contains(section)) {
                    windowPart << ms - settledAt.value(section);
                    madeAtTheMoment << section;
                }
            }
        }
    });

    QElapsedTimer waited;
    waited.start();
    const qint64 deadline = qint64(lastMsAhead) + 15'000;
    // The wait sleeps until something comes: the program's trace, a reference moment, or this check. (With a time
    // limit, processEvents() does not wait: it spun a core beside the program and its helpers, on the one core they
    // share, so every firing had to win that core back first.)
    QTimer check;
    check.start(50);
    while ((late.size() < options.alarms || reference.size() < options.alarms) && waited.elapsed() < deadline &&
           program->state() != QProcess::NotRunning)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    stopProgram(*program);

    const Summary p = summarise(late);
    const Summary settledSummary = summarise(settled);
    const Summary windowSummary = summarise(windowPart);
    const Summary r = summarise(reference);
    out << "## Firing accuracy\n\n";
    out << options.alarms << " alarms (sound " << (options.sound ? "on" : "off") << "), " << p.count
        << " windows seen; lateness in ms from the stored moment to the window shown\n\n";
    out << "| | windows | min | median | p90 | p99 | max |\n|---|---|---|---|---|---|---|\n";
    const auto row = [](const char* name, const Summary& s) {
        out << "| " << name << " | " << s.count << " | " << QString::number(s.min, 'f', 2) << " | "
            << QString::number(s.median, 'f', 2) << " | " << QString::number(s.p90, 'f', 2) << " | "
            << QString::number(s.p99, 'f', 2) << " | " << QString::number(s.max, 'f', 2) << " |\n";
    };
    if (!madeAtTheMoment.isEmpty())
        out << "windows made at their moment, not ahead (alarm numbers): " << madeAtTheMoment.join(u' ') << "\n\n";
    row("zentick: window shown", p);
    row("zentick: record settled in memory", settledSummary);
    row("zentick: shown minus settled (below 0: a window made ahead, shown first)", windowSummary);
    Summary mapped;
    if (maps && maps->isValid()) {
        // A window maps within a few ms of its moment, and the next moment is at least 120 ms on.
        mapped = summarise(XMapLog::latenessOf(dates, maps->maps(), 100));
        row("zentick: window mapped on the X server (its map notice)", mapped);
        row("reference: a bare Qt window made ahead, shown at the same spread of moments, mapped",
            mapReferenceRun(dates));
    }
    row("reference: bare precise QTimer", r);
    // Both sides read a clock of millisecond resolution: a reference below that counts as 1 ms.
    out << "\np99 over the reference's p99 (taken as at least 1 ms, the clock's resolution): "
        << QString::number(p.p99 / std::max(r.p99, 1.0), 'f', 1) << "x\n\n";
    out.flush();
    return p.count == options.alarms ? 0 : 2;
}

struct CpuSample {
    double cpuMs = 0;
    qint64 switches = 0;
};

CpuSample sample(qint64 pid) {
    CpuSample s;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        // Fields after the command name, which is in parentheses and may hold blanks.
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        const double tick = 1000.0 / double(sysconf(_SC_CLK_TCK));
        if (fields.size() > 12)
            s.cpuMs = (fields[11].toDouble() + fields[12].toDouble()) * tick; // utime, stime
    }
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& l : status.readAll().split('\n')) {
            if (l.startsWith("voluntary_ctxt_switches:") || l.startsWith("nonvoluntary_ctxt_switches:"))
                s.switches += l.mid(l.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    return s;
}

int idleRun(const Options& options) {
    QTemporaryDir dir;
    if (!dir.isValid() || !prepareInstalledFolder(dir, options.exe)) {
        out << "cannot prepare a folder for " << options.exe << "\n";
        return 1;
    }
    {
        // Fifty alarms days ahead: every minute's tick reads them all.
        TXMLIniFile events(eventStoreOf(dir));
        TXMLIniFile::Batch batch(events);
        for (int i = 0; i < 50; ++i)
            writeAlarm(events, QByteArray::number(i), nowDayCount() + 2 + i, true, QStringLiteral("Alarm %1").arg(i));
        batch.commit();
    }
    QProcess* program = startProgram(dir, false, qApp);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    const auto startReference = [&env](const char* mode) {
        auto* reference = new QProcess(qApp);
        reference->setProcessEnvironment(env);
        reference->start(QCoreApplication::applicationFilePath(), {QLatin1String(mode)});
        return reference;
    };
    QProcess* reference = startReference("--idle-reference");
    QProcess* bare = startReference("--idle-reference-bare");
    if (!program->waitForStarted() || !reference->waitForStarted() || !bare->waitForStarted()) {
        out << "cannot start the programs\n";
        return 1;
    }
    QThread::msleep(3000); // start-up is not idling
    const CpuSample p0 = sample(program->processId());
    const CpuSample r0 = sample(reference->processId());
    const CpuSample b0 = sample(bare->processId());
    QElapsedTimer clock;
    clock.start();
    QThread::msleep(quint64(options.idleSeconds) * 1000);
    const CpuSample p1 = sample(program->processId());
    const CpuSample r1 = sample(reference->processId());
    const CpuSample b1 = sample(bare->processId());
    const double seconds = double(clock.elapsed()) / 1000.0;
    const bool bothRan = program->state() == QProcess::Running && reference->state() == QProcess::Running &&
                         bare->state() == QProcess::Running;
    stopProgram(*program);
    stopProgram(*reference);
    stopProgram(*bare);

    out << "## Idle cost\n\n";
    out << "no window open, 50 alarms days ahead, " << QString::number(seconds, 'f', 1) << " s measured"
        << (bothRan ? "" : " (A PROCESS ENDED EARLY)") << "\n\n";
    out << "| | CPU ms | CPU % of one core | context switches / s | per minute |\n|---|---|---|---|---|\n";
    const auto row = [seconds](const char* name, const CpuSample& a, const CpuSample& b) {
        const double ms = b.cpuMs - a.cpuMs;
        out << "| " << name << " | " << QString::number(ms, 'f', 0) << " | "
            << QString::number(ms / (seconds * 10.0), 'f', 3) << " | "
            << QString::number(double(b.switches - a.switches) / seconds, 'f', 2) << " | "
            << QString::number(double(b.switches - a.switches) * 60.0 / seconds, 'f', 0) << " |\n";
    };
    row("zentick", p0, p1);
    row("reference: hidden Qt window, 1 s timer", r0, r1);
    row("reference: bare hidden Qt window", b0, b1);
    out << "\n";
    out.flush();
    return bothRan ? 0 : 2;
}

// What any hidden Qt program with a clock in its title costs: the floor for the idle figure.
int idleReference(QApplication& app) {
    QWidget window;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &window,
                     [&window] { window.setWindowTitle(QDateTime::currentDateTime().toString()); });
    timer.start(1000);
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    // The bench itself shows nothing; the references it starts are told their platform.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt takes "--platform NAME" as its own and drops it from the arguments: it would put the bench on that
    // platform and leave the program measured offscreen. Taken out before Qt sees it.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--platform") == 0 && i + 1 < argc)
            platform = QString::fromLocal8Bit(argv[++i]);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    argv[argc] = nullptr;
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == QLatin1String("--map-reference"))
        return mapReference(app, args.at(2));
    if (args.contains(QStringLiteral("--idle-reference")))
        return idleReference(app);
    if (args.contains(QStringLiteral("--idle-reference-bare"))) {
        const QWidget window; // created, never shown
        return QApplication::exec();
    }

    Options options;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--exe"))
            options.exe = next, ++i;
        else if (a == QLatin1String("--alarms"))
            options.alarms = next.toInt(), ++i;
        else if (a == QLatin1String("--idle-seconds"))
            options.idleSeconds = next.toInt(), ++i;
        else if (a == QLatin1String("--sound"))
            options.sound = true;
        else if (a == QLatin1String("--no-firing"))
            options.firing = false;
        else if (a == QLatin1String("--no-idle"))
            options.idle = false;
    }
    int result = 0;
    if (options.firing)
        result |= firingRun(options);
    if (options.idle)
        result |= idleRun(options);
    return result;
}
