// The built program, run as a user would: copied into a folder of its own, started, started again.

#include "StartupFixture.h"

#include "platform/FilesLock.h"
#include "platform/SingleInstance.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <sys/stat.h>

class TestZentickExecutable : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startupFileSet_data();
    void startupFileSet();
    void startupErrorIsShownAndEndsTheProgram_data();
    void startupErrorIsShownAndEndsTheProgram();
    void specialFileIsAStoreThatCannotBeRead();
    void secondStartLeavesTheFirstRunning_data();
    void secondStartLeavesTheFirstRunning();
    void secondStartWithTerminateEndsBoth();
    void terminateWithoutInstanceEndsAtOnce();
    void terminateReportsAnInstanceThatStaysRunning();
    void killedInstanceDoesNotBlockTheNext();
    void terminateEndsItInEveryState_data();
    void terminateEndsItInEveryState();
    void missingRuntimeFolderStillGuards();
    void otherSessionReachesTheHolderOfTheFiles();
    void filesHeldByAnUnreachableInstanceAreLeftAlone();

private:
    QProcess* start(const QStringList& arguments = {}, const QString& runtime = {},
                    const QProcessEnvironment& extra = {});
    // Due records that open an alarm window, a birthday window and a power-action countdown at start.
    void writeDueEvents();
    // The running instance takes messages once its socket is there, which is after its window exists.
    bool waitUntilListening();
    int runToEnd(const QStringList& arguments, qint64* elapsedMs = nullptr);
    bool finishes(QProcess* process);

    std::unique_ptr<QTemporaryDir> m_exeFolder;
    std::unique_ptr<QTemporaryDir> m_runtime;
    QString m_executable;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

static constexpr int Patience = 15'000;

void TestZentickExecutable::init() {
    m_exeFolder = std::make_unique<QTemporaryDir>();
    m_runtime = std::make_unique<QTemporaryDir>();
    QVERIFY(m_exeFolder->isValid() && m_runtime->isValid());
    m_executable = m_exeFolder->filePath(QStringLiteral("zentick"));
    QVERIFY(QFile::copy(qEnvironmentVariable("ZENTICK_EXECUTABLE"), m_executable));
}

void TestZentickExecutable::cleanup() {
    for (const auto& process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(Patience);
        }
    }
    m_processes.clear();
}

QProcess* TestZentickExecutable::start(const QStringList& arguments, const QString& runtime,
                                       const QProcessEnvironment& extra) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.isEmpty() ? m_runtime->path() : runtime);
    environment.insert(QStringLiteral("TMPDIR"), m_runtime->path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ZENTICK_AUTO_DISMISS"), QStringLiteral("1"));
    // A countdown that ran out must find no power service to call.
    const QString noBus = QStringLiteral("unix:path=") + m_runtime->filePath(QStringLiteral("no-bus"));
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), noBus);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), noBus);
    environment.insert(extra);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(m_runtime->path());
    process->start(m_executable, arguments);
    process->waitForStarted(Patience);
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

bool TestZentickExecutable::waitUntilListening() {
    const QString server = SingleInstance(m_runtime->path()).serverPath();
    // A socket file alone proves nothing: a killed instance leaves its own behind.
    return QTest::qWaitFor(
        [&] {
            QLocalSocket probe;
            probe.connectToServer(server);
            return probe.waitForConnected(100);
        },
        Patience);
}

bool TestZentickExecutable::finishes(QProcess* process) {
    return process->waitForFinished(Patience) && process->exitStatus() == QProcess::NormalExit;
}

int TestZentickExecutable::runToEnd(const QStringList& arguments, qint64* elapsedMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    QProcess* process = start(arguments);
    if (!finishes(process))
        return -1;
    if (elapsedMs)
        *elapsedMs = elapsed.elapsed();
    return process->exitCode();
}

void TestZentickExecutable::startupFileSet_data() {
    QTest::addColumn<QString>("caseName");
    QTest::newRow("first start") << QStringLiteral("first-start");
    // The running program fires whatever is due 50 ms after start, so its import is checked on records
    // that lie in the future; the in-process tests import the past ones and an unreadable date as well.
    QTest::newRow("import of the earlier version") << QStringLiteral("future-import");
}

void TestZentickExecutable::startupFileSet() {
    QFETCH(QString, caseName);
    StartupFixture::copyBefore(caseName, m_exeFolder->path());
    QProcess* first = start();
    QVERIFY(waitUntilListening());
    const QSet<QString> program{QStringLiteral("zentick")};
    QString difference = StartupFixture::differenceFromAfter(caseName, m_exeFolder->path(),
                                                             {QStringLiteral("zentick"), FilesLock::fileName()});
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    QCOMPARE(runToEnd({QStringLiteral("-t")}), 0);
    QVERIFY(finishes(first));
    QCOMPARE(first->exitCode(), 0);
    // Ending writes nothing more: a store nobody wrote to leaves no file.
    difference = StartupFixture::differenceFromAfter(caseName, m_exeFolder->path(), program);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestZentickExecutable::startupErrorIsShownAndEndsTheProgram_data() {
    QTest::addColumn<QString>("caseName");
    QTest::newRow("legacy diary section that is no date") << QStringLiteral("bad-diary");
    // The stores opened before the one that cannot be read are neither rewritten nor created.
    QTest::newRow("store that cannot be read") << QStringLiteral("unreadable-store");
    QTest::newRow("diary store is a folder") << QStringLiteral("calendar-folder");
}

void TestZentickExecutable::startupErrorIsShownAndEndsTheProgram() {
    QFETCH(QString, caseName);
    StartupFixture::copyBefore(caseName, m_exeFolder->path());
    QProcess* first = start();
    QVERIFY(finishes(first));
    QCOMPARE(first->exitCode(), 0);
    const QString shown = QString::fromLocal8Bit(first->readAllStandardError());
    const QString expected = StartupFixture::expectedError(caseName, m_exeFolder->path());
    QVERIFY2(shown.contains(QStringLiteral("Zentick: ") + expected), qPrintable(shown));
    const QString difference =
        StartupFixture::differenceFromAfter(caseName, m_exeFolder->path(), {QStringLiteral("zentick")});
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

// A FIFO would block the start in open() for ever, holding the instance lock.
void TestZentickExecutable::specialFileIsAStoreThatCannotBeRead() {
    const QString caseName = QStringLiteral("calendar-folder");
    StartupFixture::copyBefore(caseName, m_exeFolder->path());
    const QString data = m_exeFolder->filePath(QStringLiteral("Alarms Directory"));
    const QString fifo = data + QStringLiteral("/Alarms.xml");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess* first = start();
    QVERIFY(finishes(first));
    const QString shown = QString::fromLocal8Bit(first->readAllStandardError());
    QVERIFY2(shown.contains(QStringLiteral("Zentick: Cannot open file ") + fifo), qPrintable(shown));
    QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    QVERIFY(QFile::remove(fifo));
    const QString difference =
        StartupFixture::differenceFromAfter(caseName, m_exeFolder->path(), {QStringLiteral("zentick")});
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestZentickExecutable::secondStartLeavesTheFirstRunning_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("no argument") << QStringList{};
    QTest::newRow("-h") << QStringList{QStringLiteral("-h")};
    QTest::newRow("-T is no switch") << QStringList{QStringLiteral("-T")};
    QTest::newRow("-t only counts first") << QStringList{QStringLiteral("x"), QStringLiteral("-t")};
}

void TestZentickExecutable::secondStartLeavesTheFirstRunning() {
    QFETCH(QStringList, arguments);
    QProcess* first = start();
    QVERIFY(waitUntilListening());
    qint64 elapsed = 0;
    QCOMPARE(runToEnd(arguments, &elapsed), 0);
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
    QVERIFY(!first->waitForFinished(300));
    QCOMPARE(first->state(), QProcess::Running);
}

void TestZentickExecutable::secondStartWithTerminateEndsBoth() {
    QProcess* first = start({QStringLiteral("-h")});
    QVERIFY(waitUntilListening());
    QCOMPARE(runToEnd({QStringLiteral("-t")}), 0);
    QVERIFY(finishes(first));
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(!QFileInfo::exists(SingleInstance(m_runtime->path()).serverPath()));
}

void TestZentickExecutable::terminateWithoutInstanceEndsAtOnce() {
    qint64 elapsed = 0;
    QCOMPARE(runToEnd({QStringLiteral("-t")}, &elapsed), 0);
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
    QVERIFY(!QFileInfo::exists(m_exeFolder->filePath(QStringLiteral("Settings.xml"))));
    // Nobody runs afterwards: the next start is a first instance again.
    QProcess* next = start();
    QVERIFY(waitUntilListening());
    QCOMPARE(next->state(), QProcess::Running);
}

// A stopped (or hung) instance takes no request: "-t" says so and fails instead of passing for done.
void TestZentickExecutable::terminateReportsAnInstanceThatStaysRunning() {
    QProcess* first = start();
    QVERIFY(waitUntilListening());
    const auto pid = pid_t(first->processId());
    QCOMPARE(::kill(pid, SIGSTOP), 0);
    QProcessEnvironment shortWait;
    shortWait.insert(QStringLiteral("ZENTICK_ANSWER_TIMEOUT_MS"), QStringLiteral("300"));
    QElapsedTimer elapsed;
    elapsed.start();
    QProcess* terminate = start({QStringLiteral("-t")}, {}, shortWait);
    const bool ended = finishes(terminate);
    const qint64 took = elapsed.elapsed();
    QCOMPARE(::kill(pid, SIGCONT), 0);
    QVERIFY(ended);
    QVERIFY2(took < 5000, qPrintable(QString::number(took)));
    QCOMPARE(terminate->exitCode(), 1);
    const QString told = QString::fromLocal8Bit(terminate->readAllStandardError());
    QVERIFY2(told.contains(QStringLiteral("still running")), qPrintable(told));
    QCOMPARE(first->state(), QProcess::Running);

    // Running again, it takes the request and ends; the second start reports success.
    QCOMPARE(runToEnd({QStringLiteral("-t")}), 0);
    QVERIFY(finishes(first));
}

void TestZentickExecutable::killedInstanceDoesNotBlockTheNext() {
    QProcess* killed = start();
    QVERIFY(waitUntilListening());
    killed->kill();
    QVERIFY(killed->waitForFinished(Patience));
    QVERIFY(QFileInfo::exists(SingleInstance(m_runtime->path()).serverPath()));

    QProcess* next = start();
    QVERIFY(waitUntilListening());
    QCOMPARE(next->state(), QProcess::Running);
    QCOMPARE(runToEnd({QStringLiteral("-t")}), 0);
    QVERIFY(finishes(next));
}

void TestZentickExecutable::writeDueEvents() {
    using namespace EventRecord;
    const QString data = m_exeFolder->filePath(QStringLiteral("Alarms Directory"));
    QVERIFY(QDir().mkpath(data));
    TXMLIniFile settings(m_exeFolder->filePath(QStringLiteral("Settings.xml")));
    settings.WriteString("settings", "alpath", data.toUtf8());
    TXMLIniFile events(data + QStringLiteral("/Alarms.xml"));
    TXMLIniFile::Batch batch(events);
    const double now = DayCount::fromDateTime(QDateTime::currentDateTime());
    events.WriteString("0", Key::AlType, KindAlarm);
    events.WriteDouble("0", Key::Date, now);
    events.WriteFlag("0", Key::Repeat, true);
    events.WriteInt("0", Key::RepType, int(AlarmUnit::Days));
    events.WriteInt("0", Key::RepVal, 1);
    events.WriteFlag("0", Key::Sound, false);
    writeTextBlock(events, "0", {QStringLiteral("Tea")});
    events.WriteString("1", Key::AlType, KindBirth);
    events.WriteDouble("1", Key::Date, now);
    events.WriteDouble("1", Key::BirthDate, DayCount::fromDate(QDate::currentDate().addYears(-30)));
    events.WriteString("1", Key::Name, "Ann");
    events.WriteFlag("1", Key::Sound, false);
    // Last: the countdown holds the scheduler while it runs.
    events.WriteString("2", Key::AlType, KindShut);
    events.WriteDouble("2", Key::Date, now);
    events.WriteInt("2", Key::ShutType, 1);
    batch.commit();
}

void TestZentickExecutable::terminateEndsItInEveryState_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("windows");
    QTest::newRow("hidden") << QStringList{QStringLiteral("-h")} << false;
    QTest::newRow("shown") << QStringList{} << false;
    QTest::newRow("shown, with alarm, birthday and countdown windows") << QStringList{} << true;
    QTest::newRow("hidden, with alarm, birthday and countdown windows") << QStringList{QStringLiteral("-h")} << true;
}

// The main window refuses every close to hide in the tray; "-t" must not depend on windows agreeing.
// A refusal came and went with timing, so each state is tried a few times.
void TestZentickExecutable::terminateEndsItInEveryState() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, windows);
    QProcessEnvironment trace;
    trace.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zentick.firing.debug=true"));
    for (int round = 0; round < 3; ++round) {
        if (windows)
            writeDueEvents();
        QProcess* first = start(arguments, {}, trace);
        QVERIFY(waitUntilListening());
        if (windows) {
            QByteArray log;
            const bool shown = QTest::qWaitFor(
                [&] {
                    log += first->readAllStandardError();
                    return log.count("shown kind=") >= 3;
                },
                Patience);
            QVERIFY2(shown, log.constData());
        }
        QCOMPARE(runToEnd({QStringLiteral("-t")}), 0);
        QVERIFY2(finishes(first), qPrintable(QStringLiteral("round %1").arg(round)));
        QCOMPARE(first->exitCode(), 0);
        QVERIFY(!QFileInfo::exists(m_exeFolder->filePath(FilesLock::fileName())));
    }
}

// With $XDG_RUNTIME_DIR not there yet, the lock goes to a private folder of the user's own, and a second
// start still finds the first.
void TestZentickExecutable::missingRuntimeFolderStillGuards() {
    const QString missing = m_runtime->filePath(QStringLiteral("not-yet"));
    QProcess* first = start({}, missing);
    const QString fallback = m_runtime->filePath(QStringLiteral("zentick-%1").arg(::getuid()));
    QVERIFY(QTest::qWaitFor(
        [&] {
            QLocalSocket probe;
            probe.connectToServer(SingleInstance(fallback).serverPath());
            return probe.waitForConnected(100);
        },
        Patience));
    QCOMPARE(QFileInfo(fallback).permissions() & 0x0077, QFileDevice::Permissions());

    QCOMPARE(runToEnd({}), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QProcess* second = start({}, missing);
    QVERIFY(finishes(second));
    QCOMPARE(first->state(), QProcess::Running);

    QProcess* terminate = start({QStringLiteral("-t")}, missing);
    QVERIFY(finishes(terminate));
    QVERIFY(finishes(first));
}

// A desktop session and an ssh session have runtime folders of their own, but the same files: the start
// in the other session reaches the running instance through the lock on the files.
void TestZentickExecutable::otherSessionReachesTheHolderOfTheFiles() {
    QProcess* desktop = start();
    QVERIFY(waitUntilListening());
    QTemporaryDir sshRuntime;
    ::chmod(QFile::encodeName(sshRuntime.path()).constData(), 0700);

    QProcess* ssh = start({}, sshRuntime.path());
    QVERIFY(finishes(ssh));
    QCOMPARE(ssh->exitCode(), 0);
    QCOMPARE(desktop->state(), QProcess::Running);
    QVERIFY(!QFileInfo::exists(SingleInstance(sshRuntime.path()).serverPath()));

    QProcess* terminate = start({QStringLiteral("-t")}, sshRuntime.path());
    QVERIFY(finishes(terminate));
    QVERIFY(finishes(desktop));
    QVERIFY(!QFileInfo::exists(m_exeFolder->filePath(FilesLock::fileName())));
}

// Held by an instance that cannot be reached (another machine on a shared home folder): the user is told,
// and nothing is opened or written.
void TestZentickExecutable::filesHeldByAnUnreachableInstanceAreLeftAlone() {
    FilesLock elsewhere(m_exeFolder->path());
    QCOMPARE(elsewhere.take(), ExclusiveLock::Result::Taken);
    elsewhere.setChannel(m_runtime->filePath(QStringLiteral("gone")));

    QProcess* start2 = start();
    QVERIFY(finishes(start2));
    QCOMPARE(start2->exitCode(), 0);
    const QString shown = QString::fromLocal8Bit(start2->readAllStandardError());
    QVERIFY2(shown.contains(QStringLiteral("already runs elsewhere")), qPrintable(shown));
    QVERIFY(!QFileInfo::exists(m_exeFolder->filePath(QStringLiteral("Settings.xml"))));

    QProcess* terminate = start({QStringLiteral("-t")});
    QVERIFY(finishes(terminate));
    QCOMPARE(terminate->exitCode(), 1); // the holder still runs
    const QString told = QString::fromLocal8Bit(terminate->readAllStandardError());
    QVERIFY2(told.contains(QStringLiteral("already runs elsewhere")), qPrintable(told));
    QVERIFY(QFileInfo::exists(elsewhere.path()));
}

QTEST_GUILESS_MAIN(TestZentickExecutable)
#include "tst_ZentickExecutable.moc"
