// The built program, run as a user would: copied into a folder of its own, started, started again.

#include "StartupFixture.h"

#include "platform/FilesLock.h"
#include "platform/SingleInstance.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
    void terminateWaitsForAnInstanceOnItsWayOut();
    void killedInstanceDoesNotBlockTheNext();
    void terminateEndsItInEveryState_data();
    void terminateEndsItInEveryState();
    void missingRuntimeFolderStillGuards();
    void otherSessionReachesTheHolderOfTheFiles();
    void filesHeldByAnUnreachableInstanceAreLeftAlone();
    void unusableFolderIsToldOnce_data();
    void unusableFolderIsToldOnce();
    void twoProgramFoldersOnOneDataFolderRunOnce();
    void damagedStoresKeepWhatTheyHold_data();
    void damagedStoresKeepWhatTheyHold();
    void networkWaitsForItsFirstUse();

private:
    QProcess* start(const QStringList& arguments = {}, const QString& runtime = {},
                    const QProcessEnvironment& extra = {});
    // Due records that open an alarm window, a birthday window and a power-action countdown at start.
    void writeDueEvents();
    // The running instance takes messages once its socket is there, which is after its window exists.
    bool waitUntilListening();
    int runToEnd(const QStringList& arguments, qint64* elapsedMs = nullptr, const QProcessEnvironment& extra = {});
    bool finishes(QProcess* process);

    std::unique_ptr<QTemporaryDir> m_exeFolder;
    std::unique_ptr<QTemporaryDir> m_runtime;
    QString m_executable;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    // Permissions stop no write of root's: the cases that need them start the program as "nobody".
    bool m_asNobody = false;
};

static constexpr int Patience = 15'000;

void TestZentickExecutable::init() {
    m_asNobody = false;
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
    if (m_asNobody)
        process->start(QStringLiteral("setpriv"),
                       QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                   QStringLiteral("--clear-groups"), m_executable} +
                           arguments);
    else
        process->start(m_executable, arguments);
    process->waitForStarted(Patience);
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

bool TestZentickExecutable::waitUntilListening() {
    // The channel's name carries the user's number.
    const QString server = m_asNobody ? m_runtime->filePath(QStringLiteral("ZENTICK.MUTEX-65534"))
                                      : SingleInstance(m_runtime->path()).serverPath();
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

int TestZentickExecutable::runToEnd(const QStringList& arguments, qint64* elapsedMs, const QProcessEnvironment& extra) {
    QElapsedTimer elapsed;
    elapsed.start();
    QProcess* process = start(arguments, {}, extra);
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
    QString difference =
        StartupFixture::differenceFromAfter(caseName, m_exeFolder->path(),
                                            {QStringLiteral("zentick"), FilesLock::fileName(),
                                             QStringLiteral("Alarms Directory/") + FilesLock::fileName()});
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
    QVERIFY2(
        shown.contains(QStringLiteral("Zentick: Cannot open file ") + fifo + QStringLiteral(": Not a regular file")),
        qPrintable(shown));
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

// An instance that has stopped listening but not yet let go of its lock, as one does in its last moments after an
// earlier "-t": a "-t" then is a success once it has gone, not a report of an instance that stays.
void TestZentickExecutable::terminateWaitsForAnInstanceOnItsWayOut() {
    auto ending = std::make_unique<SingleInstance>(m_runtime->path());
    QVERIFY(ending->acquire());
    QTimer::singleShot(300, this, [&ending] { ending.reset(); });
    QProcess* terminate = start({QStringLiteral("-t")});
    QTRY_VERIFY_WITH_TIMEOUT(terminate->state() == QProcess::NotRunning, Patience);
    QVERIFY(!ending);
    QCOMPARE(terminate->exitCode(), 0);
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

namespace {

void writeSettings(const QString& exeFolder, const QString& dataFolder) {
    TXMLIniFile settings(exeFolder + QStringLiteral("/Settings.xml"));
    settings.WriteString("settings", "alpath", dataFolder.toUtf8());
}

bool chownTree(const QString& root, uid_t owner) {
    bool done = ::chown(QFile::encodeName(root).constData(), owner, owner) == 0;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        done = ::chown(QFile::encodeName(it.next()).constData(), owner, owner) == 0 && done;
    return done;
}

} // namespace

void TestZentickExecutable::unusableFolderIsToldOnce_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("why");
    QTest::newRow("data folder missing") << QStringLiteral("missing") << QStringLiteral("was not found");
    QTest::newRow("data folder is a file") << QStringLiteral("file") << QStringLiteral("it is a file");
    QTest::newRow("data folder cannot be written")
        << QStringLiteral("read-only") << QStringLiteral("Permission denied");
    QTest::newRow("settings beside a read-only program folder")
        << QStringLiteral("settings") << QStringLiteral("Permission denied");
}

// Files that cannot be reached at start: the user is told once, with the folder and the reason, and no empty
// set-up takes the place of one that is there.
void TestZentickExecutable::unusableFolderIsToldOnce() {
    QFETCH(QString, kind);
    QFETCH(QString, why);
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QString data =
        (kind == QStringLiteral("settings") ? elsewhere.path() : m_exeFolder->path()) + QStringLiteral("/My Data");
    writeSettings(m_exeFolder->path(), data);
    if (kind == QStringLiteral("file")) {
        QFile file(data);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a folder");
    } else if (kind != QStringLiteral("missing")) {
        QVERIFY(QDir().mkdir(data));
    }
    const QString config = m_runtime->filePath(QStringLiteral("config"));
    QVERIFY(QDir().mkdir(config));
    m_asNobody = ::geteuid() == 0;
    if (m_asNobody) {
        QVERIFY(chownTree(m_exeFolder->path(), 65534) && chownTree(m_runtime->path(), 65534) &&
                chownTree(elsewhere.path(), 65534));
    }
    const QString locked = kind == QStringLiteral("read-only")  ? data
                           : kind == QStringLiteral("settings") ? m_exeFolder->path()
                                                                : QString();
    if (!locked.isEmpty())
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("HOME"), m_runtime->path());
    QProcess* first = start({}, {}, environment);
    QByteArray told;
    const QString folder = kind == QStringLiteral("settings") ? m_exeFolder->path() : data;
    QVERIFY2(QTest::qWaitFor(
                 [&] {
                     told += first->readAllStandardError();
                     return told.contains(folder.toLocal8Bit()) || first->state() == QProcess::NotRunning;
                 },
                 Patience),
             told.constData());
    QVERIFY(waitUntilListening());
    QCOMPARE(runToEnd({QStringLiteral("-t")}, nullptr, environment), 0);
    QVERIFY(finishes(first));
    told += first->readAllStandardError();
    if (!locked.isEmpty())
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString text = QString::fromLocal8Bit(told);
    QCOMPARE(text.count(QStringLiteral("Zentick: ")), 1);
    QVERIFY2(text.contains(folder) && text.contains(why), qPrintable(text));
    // Nothing took the place of the folder that is there; the missing one is made again, as at every start.
    QVERIFY(!QFileInfo::exists(config + QStringLiteral("/zentick")));
    QCOMPARE(QFileInfo(data).isDir(), kind != QStringLiteral("file"));
    if (kind == QStringLiteral("file"))
        QCOMPARE(StartupFixture::readAll(data), QByteArray("not a folder"));
    else
        QCOMPARE(QDir(data).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

// The files lock sits beside "Settings.xml" and in the data folder: a second program folder naming the same data
// folder, started from another session, hands over to the instance that runs and writes nothing.
void TestZentickExecutable::twoProgramFoldersOnOneDataFolderRunOnce() {
    QTemporaryDir shared;
    QTemporaryDir otherProgram;
    QTemporaryDir otherRuntime;
    QVERIFY(shared.isValid() && otherProgram.isValid() && otherRuntime.isValid());
    const QString data = shared.filePath(QStringLiteral("Alarms Directory"));
    QVERIFY(QDir().mkdir(data));
    writeSettings(m_exeFolder->path(), data);
    const QString otherExecutable = otherProgram.filePath(QStringLiteral("zentick"));
    QVERIFY(QFile::copy(m_executable, otherExecutable));
    writeSettings(otherProgram.path(), data);
    const QByteArray otherSettings = StartupFixture::readAll(otherProgram.filePath(QStringLiteral("Settings.xml")));

    QProcess* first = start();
    QVERIFY(waitUntilListening());
    QVERIFY(QFileInfo::exists(data + QLatin1Char('/') + FilesLock::fileName()));

    const QString firstExecutable = m_executable;
    m_executable = otherExecutable;
    QProcess* second = start({}, otherRuntime.path());
    m_executable = firstExecutable;
    QVERIFY(finishes(second));
    QCOMPARE(second->exitCode(), 0);
    QCOMPARE(first->state(), QProcess::Running);
    QVERIFY(!QFileInfo::exists(SingleInstance(otherRuntime.path()).serverPath()));
    QCOMPARE(StartupFixture::readAll(otherProgram.filePath(QStringLiteral("Settings.xml"))), otherSettings);
    QVERIFY(!QFileInfo::exists(otherProgram.filePath(FilesLock::fileName())));

    QCOMPARE(runToEnd({QStringLiteral("-t")}), 0);
    QVERIFY(finishes(first));
    QVERIFY(!QFileInfo::exists(data + QLatin1Char('/') + FilesLock::fileName()));
}

void TestZentickExecutable::damagedStoresKeepWhatTheyHold_data() {
    QTest::addColumn<QString>("damaged"); // relative to the executable's folder
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("told");
    QTest::newRow("Settings.xml after 4096 zero bytes") << QStringLiteral("Settings.xml") << QStringLiteral("zeros")
                                                        << QStringLiteral("the data folder \"%1\" with it.");
    QTest::newRow("Settings.xml cut off after its data folder")
        << QStringLiteral("Settings.xml") << QStringLiteral("cut") << QStringLiteral("the data folder \"%1\" with it.");
    QTest::newRow("Alarms.xml after 4096 zero bytes")
        << QStringLiteral("My Alarms/Alarms.xml") << QStringLiteral("zeros") << QStringLiteral("loaded: 1 record.");
    QTest::newRow("PAlarms.xml cut off, reached through a link")
        << QStringLiteral("My Alarms/PAlarms.xml") << QStringLiteral("cut") << QStringLiteral("loaded: 3 records.");
}

// A damaged store is read as far as it goes, kept aside as the bytes it held, and reported; the data folder it
// names and the records it holds are not lost. The due alarm has its text in line keys without "linecount": it
// shows no text, and its text moves with it into the past alarms.
void TestZentickExecutable::damagedStoresKeepWhatTheyHold() {
    QFETCH(QString, damaged);
    QFETCH(QString, damage);
    QFETCH(QString, told);
    using namespace EventRecord;
    const QString own = m_exeFolder->filePath(QStringLiteral("My Alarms"));
    const QString real = m_exeFolder->filePath(QStringLiteral("real/PAlarms.xml"));
    QVERIFY(QDir().mkpath(own) && QDir().mkpath(QFileInfo(real).path()));
    {
        TXMLIniFile settings(m_exeFolder->filePath(QStringLiteral("Settings.xml")));
        TXMLIniFile::Batch batch(settings);
        settings.WriteString("settings", "alpath", own.toUtf8());
        settings.WriteString("settings", "tray", "0");
        settings.WriteString("settings", "soundpath", "/nowhere/bell.wav");
        settings.WriteString("categories", "count", "0");
        batch.commit();
        TXMLIniFile events(own + QStringLiteral("/Alarms.xml"));
        TXMLIniFile::Batch eventBatch(events);
        events.WriteString("0", Key::AlType, KindAlarm);
        events.WriteDouble("0", Key::Date, DayCount::fromDateTime(QDateTime::currentDateTime()));
        events.WriteFlag("0", Key::Sound, false);
        events.WriteString("0", "0", "Tea");
        events.WriteString("0", "1", "with lemon");
        eventBatch.commit();
        TXMLIniFile past(real);
        TXMLIniFile::Batch pastBatch(past);
        for (const QByteArray section : {"0", "1", "2"})
            past.WriteString(section, Key::Date, "4600" + section);
        pastBatch.commit();
    }
    QVERIFY(QFile::link(QStringLiteral("../real/PAlarms.xml"), own + QStringLiteral("/PAlarms.xml")));
    const QString path = m_exeFolder->filePath(damaged);
    const QByteArray whole = StartupFixture::readAll(path);
    const QByteArray bytes = damage == QStringLiteral("zeros")           ? QByteArray(4096, '\0') + whole
                             : damaged == QStringLiteral("Settings.xml") ? whole.first(whole.indexOf("bell.wav"))
                                                                         : whole.chopped(12);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    QProcessEnvironment trace;
    trace.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("zentick.firing.debug=true"));
    QProcess* running = start({QStringLiteral("-h")}, {}, trace);
    QByteArray log;
    const QString message = QStringLiteral("Zentick: The file \"%1\" was damaged.").arg(path);
    const bool seen = QTest::qWaitFor(
        [&] {
            log += running->readAllStandardError();
            return log.contains("shown kind=alarm") && QString::fromLocal8Bit(log).contains(message);
        },
        Patience);
    QVERIFY2(seen, log.constData());
    if (told.contains(QLatin1String("%1")))
        told = told.arg(own);
    QVERIFY2(QString::fromLocal8Bit(log).contains(told), log.constData());
    QCOMPARE(runToEnd({QStringLiteral("-t")}), 0);
    QVERIFY(finishes(running));

    const QString copy = path + QStringLiteral(".damaged-") + QDate::currentDate().toString(Qt::ISODate);
    QVERIFY(QFileInfo(copy).isFile() && !QFileInfo(copy).isSymLink());
    QCOMPARE(StartupFixture::readAll(copy), bytes);
    QVERIFY(!QFileInfo::exists(m_exeFolder->filePath(QStringLiteral("Alarms Directory"))));
    QVERIFY(QFileInfo(own + QStringLiteral("/PAlarms.xml")).isSymLink());
    QVERIFY(!TXMLIniFile(own + QStringLiteral("/Alarms.xml")).HasSection("0"));
    const TXMLIniFile past(real);
    QCOMPARE(past.ReadSections(), QByteArrayList({"0", "1", "2", "3"}));
    QCOMPARE(past.ReadString("3", "0", {}), QByteArray("Tea"));
    QCOMPARE(past.ReadString("3", "1", {}), QByteArray("with lemon"));
    QCOMPARE(readTextBlock(past, "3"), QStringList());
}

// Qt Network, and Kerberos, libproxy and the rest it links, come with the network plugin when the update check or a
// sync first runs: a start does not load them, though the plugin lies beside the program.
void TestZentickExecutable::networkWaitsForItsFirstUse() {
    QVERIFY(QFile::copy(qEnvironmentVariable("ZENTICK_NET_MODULE"),
                        m_exeFolder->filePath(QStringLiteral("zentick-net.so"))));
    QProcess* running = start();
    QVERIFY(waitUntilListening());
    // A second start is answered from the running instance's event loop, once its start is through.
    QCOMPARE(runToEnd({}), 0);
    QFile maps(QStringLiteral("/proc/%1/maps").arg(running->processId()));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    const QByteArray mapped = maps.readAll();
    QVERIFY(mapped.contains("libQt6Widgets"));
    for (const char* library : {"libQt6Network", "zentick-net", "libkrb5", "libproxy", "libgssapi"})
        QVERIFY2(!mapped.contains(library), library);
}

QTEST_GUILESS_MAIN(TestZentickExecutable)
#include "tst_ZentickExecutable.moc"
