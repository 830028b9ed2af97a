// The built program, run as a user would: copied into a folder of its own, started, started again.

#include "StartupFixture.h"

#include "platform/SingleInstance.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
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
    void killedInstanceDoesNotBlockTheNext();

private:
    QProcess* start(const QStringList& arguments = {});
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

QProcess* TestZentickExecutable::start(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ZENTICK_AUTO_DISMISS"), QStringLiteral("1"));
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
    QString difference = StartupFixture::differenceFromAfter(caseName, m_exeFolder->path(), program);
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

QTEST_GUILESS_MAIN(TestZentickExecutable)
#include "tst_ZentickExecutable.moc"
