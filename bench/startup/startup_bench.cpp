// Start-up, memory and threads of the running program on a real X server, against a bare Qt window of its own.
//
//   startup_bench [--exe PATH] [--compare OTHER_EXE] [--runs N] [--records N] [--no-start] [--no-sound]
//   startup_bench --one-alarm [--compare OTHER_EXE] [--runs N] [--sound-seconds S]
//                                          CPU of one alarm with sound, helpers included, against another build
//   startup_bench --libraries [--runs N]   what Qt Multimedia, Network, D-Bus, Svg and the style sheet each cost
//                                          the bare window at start (each loaded before it, LD_PRELOAD)
//   startup_bench --bare-window [--style-sheet FILE]   the reference: a bare Qt 6 window of the main window's size
//   startup_bench --text-window            the second reference: the same window with one label and one button
//
// Start: the program in a temporary folder (as an installed copy, with its own runtime folder), empty or with an
// "Alarms.xml" of N records days ahead; the time from starting the process until its first top-level window is
// viewable on the X server (XWindowWatch), the CPU time it used until then and by 5 s, its resident memory and
// threads 5 s after the start. The reference is this program with --bare-window, measured the same way; beside it,
// --text-window, what any window with text and controls pays (fonts, shaping, the first text, and the accessibility
// bridge Qt makes at a label's first text).
//
// Sound: the program started hidden, 6 or 40 alarms with sound due from 6 s on, 250 ms apart; resident memory and
// threads just before the first fires (idle), at the most while they sound, and once every sound has ended (each
// plays the default melody twice). The reference is the same 40 alarms without sound: what their open windows
// cost. The CPU time counts the sound helper processes that ended.
//
// Each figure is the median of N starts; the runs alternate between the programs, so a load that comes and goes
// falls on both.

#include "../common/BenchSupport.h"
#include "ProcessProbe.h"
#include "XWindowWatch.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <optional>
#include <utility>

namespace {

using namespace BenchSupport;

QTextStream out(stdout);

constexpr char TextWindowName[] = "second reference: the window with a label and a button";

struct Options {
    QString exe = QStringLiteral(ZENTICK_EXECUTABLE);
    int runs = 5;
    int records = 20000;
    bool start = true;
    bool sound = true;
    bool libraries = false; // what each library and the style sheet cost a bare window, instead of the program
    QString styleSheet = QStringLiteral(ZENTICK_STYLE_SHEET);
    double soundSeconds = 12.0; // one play of the default melody
    double afterSeconds = 4.0;  // for the players to go; a helper that stays for the next play goes 10 s after
    bool oneAlarm = false;
    QString compareExe; // the build to compare with, measured in the same rounds (start: its empty-store start)
};

double median(QList<double> values) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// "min / median / max", for the figures the aims are read from.
QString spread(QList<double> values, int decimals) {
    if (values.isEmpty())
        return QString();
    std::sort(values.begin(), values.end());
    return QStringLiteral("%1 / %2 / %3")
        .arg(values.first(), 0, 'f', decimals)
        .arg(median(values), 0, 'f', decimals)
        .arg(values.last(), 0, 'f', decimals);
}

// An installed copy in a temporary folder.
struct Installed {
    explicit Installed(const QString& exe)
        : ok(prepareInstalledFolder(dir, exe)) {}
    QString path(const QString& name) const { return dir.filePath(name); }
    QString events() const { return eventStoreOf(dir); }

    QTemporaryDir dir;
    bool ok = false;
};

struct Launch {
    QString program;
    QStringList arguments;
    QString folder;  // working folder and XDG_RUNTIME_DIR's parent; empty for the reference
    QString preload; // LD_PRELOAD for the reference: what loading that library alone costs a bare window
};

std::unique_ptr<QProcess> launch(const Launch& what) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("QT_LOGGING_RULES"));
    if (!what.folder.isEmpty()) {
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), what.folder + QStringLiteral("/run"));
        process->setWorkingDirectory(what.folder);
    }
    if (!what.preload.isEmpty())
        env.insert(QStringLiteral("LD_PRELOAD"), what.preload);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(what.program, what.arguments);
    return process;
}

void sleepUntil(const QElapsedTimer& since, qint64 ms) {
    const qint64 left = ms - since.elapsed();
    if (left > 0)
        QThread::msleep(quint64(left));
}

struct StartFigures {
    double visibleMs = 0;
    double cpuVisibleMs = 0;
    double cpu5sMs = 0;
    double rss5sMiB = 0;
    double threads5s = 0;
};

std::optional<StartFigures> measureStart(XWindowWatch& watch, const Launch& what) {
    QElapsedTimer since;
    since.start();
    const std::unique_ptr<QProcess> process = launch(what);
    if (!process->waitForStarted(5000))
        return std::nullopt;
    StartFigures f;
    if (!watch.waitForViewableWindow(process->processId(), 20000)) {
        stopProgram(*process);
        return std::nullopt;
    }
    f.visibleMs = double(since.nsecsElapsed()) / 1e6;
    f.cpuVisibleMs = probeProcess(process->processId()).cpuMs;
    sleepUntil(since, 5000);
    const ProcessSample at5 = probeProcess(process->processId());
    f.cpu5sMs = at5.cpuMs;
    f.rss5sMiB = at5.rssMiB;
    f.threads5s = at5.threads;
    stopProgram(*process);
    return f;
}

struct Subject {
    Subject(QString n, std::function<Launch()> p)
        : name(std::move(n))
        , prepare(std::move(p)) {}
    QString name;
    std::function<Launch()> prepare; // a fresh folder for every start
    QList<StartFigures> figures;
};

// The subjects of a --libraries run: the bare window as it is, and with one more thing loaded before it starts.
QList<Subject> librarySubjects(const Options& options) {
    const QString self = QCoreApplication::applicationFilePath();
    const QString libDir = QStringLiteral(ZENTICK_QT_LIBRARY_DIR);
    QList<Subject> subjects;
    subjects.append({QStringLiteral("reference: bare Qt 6 window"), [self] {
                         return Launch{self, {QStringLiteral("--bare-window")}, {}, {}};
                     }});
    for (const char* library : {"Multimedia", "Network", "DBus", "Svg"}) {
        const QString file = libDir + QStringLiteral("/libQt6") + QLatin1String(library) + QStringLiteral(".so.6");
        subjects.append({QStringLiteral("bare window + Qt %1 loaded").arg(QLatin1String(library)), [self, file] {
                             return Launch{self, {QStringLiteral("--bare-window")}, {}, file};
                         }});
    }
    const QString sheet = options.styleSheet;
    subjects.append(
        {QStringLiteral("bare window + the style sheet"), [self, sheet] {
             return Launch{self, {QStringLiteral("--bare-window"), QStringLiteral("--style-sheet"), sheet}, {}, {}};
         }});
    return subjects;
}

int startRun(const Options& options, XWindowWatch& watch) {
    // One prepared copy of the store with records; every start gets a fresh copy of it.
    QTemporaryDir template_;
    const QString recordsFile = template_.filePath(QStringLiteral("Alarms.xml"));
    QList<Subject> subjects;
    if (options.libraries) {
        subjects = librarySubjects(options);
    } else {
        {
            TXMLIniFile events(recordsFile);
            TXMLIniFile::Batch batch(events);
            const double base = nowDayCount() + 30;
            for (int i = 0; i < options.records; ++i)
                writeAlarm(events, QByteArray::number(i), base + i / 100.0, i % 2 == 0,
                           QStringLiteral("Record %1: call back about the order").arg(i));
            batch.commit();
        }
        const double fileMiB = double(QFileInfo(recordsFile).size()) / (1024.0 * 1024.0);
        subjects.append(
            {QStringLiteral("reference: bare Qt 6 window"), [] {
                 return Launch{QCoreApplication::applicationFilePath(), {QStringLiteral("--bare-window")}, {}, {}};
             }});
        subjects.append(
            {QString::fromLatin1(TextWindowName), [] {
                 return Launch{QCoreApplication::applicationFilePath(), {QStringLiteral("--text-window")}, {}, {}};
             }});
        const auto zentick = [](const QString& exe, const QString& records) {
            return [exe, records, holder = std::make_shared<std::unique_ptr<Installed>>()] {
                *holder = std::make_unique<Installed>(exe);
                if (!records.isEmpty())
                    QFile::copy(records, (*holder)->events());
                return Launch{(*holder)->path(QStringLiteral("zentick")), {}, (*holder)->dir.path(), {}};
            };
        };
        subjects.append({QStringLiteral("zentick, empty store"), zentick(options.exe, QString())});
        // An earlier build in the same rounds: a change is judged against the machine's load of the same moments.
        if (!options.compareExe.isEmpty())
            subjects.append({QStringLiteral("earlier build, empty store"), zentick(options.compareExe, QString())});
        if (options.records > 0)
            subjects.append(
                {QStringLiteral("zentick, %1 records (%2 MiB)").arg(options.records).arg(fileMiB, 0, 'f', 1),
                 zentick(options.exe, recordsFile)});
    }

    for (int run = 0; run < options.runs; ++run) {
        for (Subject& subject : subjects) {
            const std::optional<StartFigures> f = measureStart(watch, subject.prepare());
            if (!f) {
                out << "no window from " << subject.name << "\n";
                return 2;
            }
            subject.figures << *f;
        }
    }

    out << "## Start-up (X server, " << options.runs << " starts each, interleaved, medians)\n\n";
    out << "| | start to visible window, ms | x reference | CPU until visible, ms | CPU by 5 s, ms | x reference | "
           "resident memory at 5 s, MiB | x reference | threads at 5 s |\n|---|---|---|---|---|---|---|---|---|\n";
    const auto values = [](const Subject& s, double StartFigures::*field) {
        QList<double> list;
        for (const StartFigures& f : s.figures)
            list << f.*field;
        return list;
    };
    const auto pick = [&values](const Subject& s, double StartFigures::*field) {
        return median(values(s, field));
    };
    const Subject& reference = subjects.first();
    for (const Subject& s : subjects) {
        const auto ratio = [&](double StartFigures::*field) {
            return QString::number(pick(s, field) / std::max(pick(reference, field), 1e-9), 'f', 2);
        };
        out << "| " << s.name << " | " << QString::number(pick(s, &StartFigures::visibleMs), 'f', 0) << " | "
            << ratio(&StartFigures::visibleMs) << " | " << QString::number(pick(s, &StartFigures::cpuVisibleMs), 'f', 0)
            << " | " << QString::number(pick(s, &StartFigures::cpu5sMs), 'f', 0) << " | "
            << ratio(&StartFigures::cpu5sMs) << " | " << QString::number(pick(s, &StartFigures::rss5sMiB), 'f', 1)
            << " | " << ratio(&StartFigures::rss5sMiB) << " | "
            << QString::number(pick(s, &StartFigures::threads5s), 'f', 0) << " |\n";
    }
    // Each start against the reference's start of the same round: the spread of the ratio the aims are set on.
    // The second reference, where there is one, beside the first and never instead of it.
    const auto second = std::find_if(subjects.cbegin(), subjects.cend(),
                                     [](const Subject& s) { return s.name == QLatin1String(TextWindowName); });
    const bool hasSecond = second != subjects.cend();
    out << "\n| min / median / max | start to visible, ms | x reference (same round) | CPU until visible, ms | x "
           "reference | resident memory at 5 s, MiB | x reference |";
    if (hasSecond)
        out << " start, x text window (same round) | CPU, x text window | memory, x text window |";
    out << "\n|---|---|---|---|---|---|---|" << (hasSecond ? "---|---|---|" : "") << "\n";
    for (const Subject& s : subjects) {
        const auto ratios = [&](const Subject& against, double StartFigures::*field) {
            QList<double> list;
            for (qsizetype i = 0; i < s.figures.size(); ++i)
                list << s.figures[i].*field / std::max(against.figures[i].*field, 1e-9);
            return spread(list, 2);
        };
        out << "| " << s.name << " | " << spread(values(s, &StartFigures::visibleMs), 0) << " | "
            << ratios(reference, &StartFigures::visibleMs) << " | " << spread(values(s, &StartFigures::cpuVisibleMs), 0)
            << " | " << ratios(reference, &StartFigures::cpuVisibleMs) << " | "
            << spread(values(s, &StartFigures::rss5sMiB), 1) << " | " << ratios(reference, &StartFigures::rss5sMiB)
            << " |";
        if (hasSecond)
            out << " " << ratios(*second, &StartFigures::visibleMs) << " | "
                << ratios(*second, &StartFigures::cpuVisibleMs) << " | " << ratios(*second, &StartFigures::rss5sMiB)
                << " |";
        out << "\n";
    }
    out << "\nevery start: ";
    for (const Subject& s : subjects) {
        out << s.name << ": ";
        for (const StartFigures& f : s.figures)
            out << QString::number(f.visibleMs, 'f', 0) << " ";
        out << "ms; ";
    }
    out << "\n\n";
    out.flush();
    return 0;
}

struct SoundFigures {
    double idleRssMiB = 0, idleThreads = 0;
    double peakRssMiB = 0, peakThreads = 0;
    double afterRssMiB = 0, afterThreads = 0;
    double cpuMs = 0; // from just before the first alarm until the end
};

std::optional<SoundFigures> measureSound(const Options& options, int alarms, bool sound) {
    Installed installed(options.exe);
    if (!installed.ok)
        return std::nullopt;
    constexpr qint64 FirstAlarmMs = 6000;
    constexpr qint64 SpacingMs = 250;
    {
        TXMLIniFile events(installed.events());
        TXMLIniFile::Batch batch(events);
        const double start = nowDayCount();
        for (int i = 0; i < alarms; ++i)
            writeAlarm(events, QByteArray::number(i), start + double(FirstAlarmMs + i * SpacingMs) / 86'400'000.0,
                       sound, QStringLiteral("Alarm %1").arg(i));
        batch.commit();
    }
    QElapsedTimer since;
    since.start();
    const std::unique_ptr<QProcess> process =
        launch({installed.path(QStringLiteral("zentick")), {QStringLiteral("-h")}, installed.dir.path(), {}});
    if (!process->waitForStarted(5000))
        return std::nullopt;
    const qint64 pid = process->processId();
    SoundFigures f;
    sleepUntil(since, FirstAlarmMs - 500);
    const ProcessSample idle = probeProcess(pid);
    f.idleRssMiB = idle.rssMiB;
    f.idleThreads = idle.threads;
    // Every sound plays twice through; then a few seconds for the players to go.
    const qint64 endMs = FirstAlarmMs + (alarms - 1) * SpacingMs + qint64(2 * options.soundSeconds * 1000) +
                         qint64(options.afterSeconds * 1000);
    while (since.elapsed() < endMs && process->state() == QProcess::Running) {
        const ProcessSample s = probeProcess(pid);
        f.peakThreads = std::max(f.peakThreads, double(s.threads));
        f.peakRssMiB = std::max(f.peakRssMiB, s.peakRssMiB);
        QThread::msleep(250);
    }
    const ProcessSample after = probeProcess(pid);
    f.afterRssMiB = after.rssMiB;
    f.afterThreads = after.threads;
    // With the sound helpers that ended meanwhile.
    f.cpuMs = after.cpuMs + after.childrenCpuMs - idle.cpuMs - idle.childrenCpuMs;
    const bool ran = process->state() == QProcess::Running;
    stopProgram(*process);
    if (!ran)
        return std::nullopt;
    return f;
}

int soundRun(const Options& options) {
    out << "## Memory and threads around alarms with sound (" << options.runs << " starts each, medians)\n\n";
    out << "| alarms | idle before, MiB | threads | at the most while sounding, MiB | threads | all sounds ended, MiB "
           "| "
           "threads | ended minus idle, MiB | CPU from the first alarm on, helpers included, s "
           "|\n|---|---|---|---|---|---|---|---|---|\n";
    // The same alarms without sound are the reference: what their open windows cost.
    for (const auto& [alarms, sound] : {std::pair{6, true}, std::pair{40, true}, std::pair{40, false}}) {
        QList<SoundFigures> all;
        for (int run = 0; run < options.runs; ++run) {
            const std::optional<SoundFigures> f = measureSound(options, alarms, sound);
            if (!f) {
                out << "the program ended early\n";
                return 2;
            }
            all << *f;
        }
        const auto pick = [&all](double SoundFigures::*field) {
            QList<double> values;
            for (const SoundFigures& f : all)
                values << f.*field;
            return median(values);
        };
        QList<double> grown;
        for (const SoundFigures& f : all)
            grown << f.afterRssMiB - f.idleRssMiB;
        out << "| " << alarms << (sound ? "" : ", reference: sound off") << " | "
            << QString::number(pick(&SoundFigures::idleRssMiB), 'f', 1) << " | " << pick(&SoundFigures::idleThreads)
            << " | " << QString::number(pick(&SoundFigures::peakRssMiB), 'f', 1) << " | "
            << pick(&SoundFigures::peakThreads) << " | " << QString::number(pick(&SoundFigures::afterRssMiB), 'f', 1)
            << " | " << pick(&SoundFigures::afterThreads) << " | " << QString::number(median(grown), 'f', 1) << " | "
            << QString::number(pick(&SoundFigures::cpuMs) / 1000.0, 'f', 2) << " |\n";
        out.flush();
    }
    out << "\n";
    return 0;
}

// The CPU one alarm with sound costs, its sound helpers included (the melody played twice), for this build and
// another one, alternating, with the same alarm without sound as the reference (its window's own cost).
int oneAlarmRun(const Options& options) {
    struct Case {
        QString name;
        QString exe;
        bool sound;
        QList<double> cpuMs;
    };
    QList<Case> cases;
    if (!options.compareExe.isEmpty())
        cases.append(
            {QStringLiteral("compared build (%1), sound on").arg(options.compareExe), options.compareExe, true, {}});
    cases.append({QStringLiteral("this build, sound on"), options.exe, true, {}});
    cases.append({QStringLiteral("reference: this build, sound off"), options.exe, false, {}});
    for (int run = 0; run < options.runs; ++run) {
        for (Case& c : cases) {
            Options o = options;
            o.exe = c.exe;
            o.afterSeconds = 12; // the helper's CPU counts once it has ended
            const std::optional<SoundFigures> f = measureSound(o, 1, c.sound);
            if (!f) {
                out << "the program ended early\n";
                return 2;
            }
            c.cpuMs << f->cpuMs;
        }
    }
    out << "## CPU of one alarm from its moment until its sound ended, helpers included (" << options.runs
        << " rounds, interleaved)\n\n| | CPU ms, min / median / max | every run |\n|---|---|---|\n";
    for (const Case& c : cases) {
        QStringList all;
        for (const double ms : c.cpuMs)
            all << QString::number(ms, 'f', 0);
        out << "| " << c.name << " | " << spread(c.cpuMs, 0) << " | " << all.join(QLatin1Char(' ')) << " |\n";
    }
    if (cases.size() == 3) {
        QList<double> ratios;
        for (int i = 0; i < options.runs; ++i)
            ratios << (cases[1].cpuMs[i] - cases[2].cpuMs[i]) / std::max(cases[0].cpuMs[i] - cases[2].cpuMs[i], 1e-9);
        out << "\nthe sound's own part (sound on minus off, same round), this build over the compared one: "
            << spread(ratios, 2) << "\n";
    }
    out << "\n";
    out.flush();
    return 0;
}

// The floor: a bare Qt window of the main window's size with a title, shown at once.
int bareWindow(QApplication& app, const QString& styleSheet) {
    if (!styleSheet.isEmpty()) {
        QFile sheet(styleSheet);
        if (sheet.open(QIODevice::ReadOnly))
            app.setStyleSheet(QString::fromUtf8(sheet.readAll()));
    }
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.setFixedSize(410, 322);
    window.show();
    return QApplication::exec();
}

// The second reference: the bare window with what any window with text and controls has, one label and one button.
int textWindow() {
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qt window with text"));
    window.setFixedSize(410, 322);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Nothing is due today."), &window));
    layout->addWidget(new QPushButton(QStringLiteral("New Alarm"), &window));
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    const bool bare = argc > 1 && qstrcmp(argv[1], "--bare-window") == 0;
    const bool text = argc > 1 && qstrcmp(argv[1], "--text-window") == 0;
    if (!bare && !text)
        qputenv("QT_QPA_PLATFORM", "offscreen"); // this process shows nothing itself
    QApplication app(argc, argv);
    if (text)
        return textWindow();
    if (bare)
        return bareWindow(app, argc > 3 && qstrcmp(argv[2], "--style-sheet") == 0 ? QString::fromLocal8Bit(argv[3])
                                                                                  : QString());

    Options options;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--exe"))
            options.exe = next, ++i;
        else if (a == QLatin1String("--runs"))
            options.runs = next.toInt(), ++i;
        else if (a == QLatin1String("--records"))
            options.records = next.toInt(), ++i;
        else if (a == QLatin1String("--sound-seconds"))
            options.soundSeconds = next.toDouble(), ++i;
        else if (a == QLatin1String("--no-start"))
            options.start = false;
        else if (a == QLatin1String("--no-sound"))
            options.sound = false;
        else if (a == QLatin1String("--one-alarm"))
            options.start = false, options.sound = false, options.oneAlarm = true;
        else if (a == QLatin1String("--compare"))
            options.compareExe = next, ++i;
        else if (a == QLatin1String("--libraries"))
            options.libraries = true, options.sound = false;
    }
    XWindowWatch watch;
    if (!watch.isValid()) {
        out << "no X display: run this through bench/startup/run.sh\n";
        return 1;
    }
    out << "program: " << options.exe << "\n\n";
    int result = 0;
    if (options.start)
        result |= startRun(options, watch);
    if (options.sound)
        result |= soundRun(options);
    if (options.oneAlarm)
        result |= oneAlarmRun(options);
    return result;
}
