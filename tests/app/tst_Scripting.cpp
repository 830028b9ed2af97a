// The built program driven by scripts: the command line with and without a running instance, and the session-bus
// interface on a private bus that the test starts.
#include "dbus/ZentickBus.h"
#include "platform/SingleInstance.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/Snooze.h"
#include "store/XMLIniFile.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <memory>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int Patience = 15'000;

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Receives the bus signal; QtDBus names a slot by its signature.
class FiredListener : public QObject {
    Q_OBJECT
public slots:
    void fired(const QString& section, const QString& kind, const QString& scheduled) {
        events << QStringList{section, kind, scheduled};
    }

public:
    QList<QStringList> events;
};

} // namespace

class tst_Scripting : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void helpAndRefusals_data();
    void helpAndRefusals();
    void withoutARunningInstance();
    void throughTheRunningInstance();
    void calendarFiles();
    void germanForPeopleEnglishForScripts();
    void sessionBus();

private:
    QProcess* start(const QStringList& arguments, const QString& sessionBus = {},
                    const std::function<void()>& inChild = {});
    // fileSizeLimit >= 0: the program's files grow no larger than that, as on a full disk.
    Run run(const QStringList& arguments, qint64 fileSizeLimit = -1);
    bool waitUntilListening();
    void setUp(); // a first start and its end, so the folders exist
    QMap<QString, QByteArray> files() const;

    std::unique_ptr<QTemporaryDir> m_exeFolder;
    std::unique_ptr<QTemporaryDir> m_runtime;
    QString m_executable;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QString m_language; // LANG and LC_ALL of the programs started, when set
};

void tst_Scripting::init() {
    m_language.clear();
    m_exeFolder = std::make_unique<QTemporaryDir>();
    m_runtime = std::make_unique<QTemporaryDir>();
    m_executable = m_exeFolder->filePath(QStringLiteral("zentick"));
    QVERIFY(QFile::copy(qEnvironmentVariable("ZENTICK_EXECUTABLE"), m_executable));
}

void tst_Scripting::cleanup() {
    for (const auto& process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(Patience);
        }
    }
    m_processes.clear();
}

QProcess* tst_Scripting::start(const QStringList& arguments, const QString& sessionBus,
                               const std::function<void()>& inChild) {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    environment.insert(QStringLiteral("TMPDIR"), m_runtime->path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ZENTICK_AUTO_DISMISS"), QStringLiteral("1"));
    if (!m_language.isEmpty()) {
        environment.insert(QStringLiteral("LANG"), m_language);
        environment.insert(QStringLiteral("LC_ALL"), m_language);
        environment.insert(QStringLiteral("LANGUAGE"), QString());
    }
    const QString noBus = QStringLiteral("unix:path=") + m_runtime->filePath(QStringLiteral("no-bus"));
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), noBus);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), sessionBus.isEmpty() ? noBus : sessionBus);
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(m_runtime->path());
    if (inChild)
        process->setChildProcessModifier(inChild);
    process->start(m_executable, arguments);
    process->waitForStarted(Patience);
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

Run tst_Scripting::run(const QStringList& arguments, qint64 fileSizeLimit) {
    const auto limitFiles = [fileSizeLimit] {
        std::signal(SIGXFSZ, SIG_IGN); // a write beyond the limit fails rather than ending the program
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = rlim_t(fileSizeLimit);
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    QProcess* process = start(arguments, {}, fileSizeLimit >= 0 ? std::function<void()>(limitFiles) : nullptr);
    Run result;
    if (!process->waitForFinished(Patience) || process->exitStatus() != QProcess::NormalExit)
        return result;
    result.status = process->exitCode();
    result.out = QString::fromLocal8Bit(process->readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process->readAllStandardError());
    return result;
}

bool tst_Scripting::waitUntilListening() {
    const QString server = SingleInstance(m_runtime->path()).serverPath();
    return QTest::qWaitFor(
        [&] {
            QLocalSocket probe;
            probe.connectToServer(server);
            return probe.waitForConnected(100);
        },
        Patience);
}

void tst_Scripting::setUp() {
    QProcess* first = start({QStringLiteral("-h")});
    QVERIFY(waitUntilListening());
    QCOMPARE(run({QStringLiteral("-t")}).status, 0);
    QVERIFY(first->waitForFinished(Patience));
}

QMap<QString, QByteArray> tst_Scripting::files() const {
    QMap<QString, QByteArray> all;
    QDirIterator it(m_exeFolder->path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            all.insert(it.filePath(), file.readAll());
    }
    return all;
}

void tst_Scripting::helpAndRefusals_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // in standard error, or standard output for --help
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QStringLiteral("--add-alarm TEXT --at");
    QTest::newRow("unreadable date") << QStringList{QStringLiteral("--add-alarm"), QStringLiteral("x"),
                                                    QStringLiteral("--at"), QStringLiteral("soon")}
                                     << 2 << QStringLiteral("zentick: \"soon\" is no date and time");
    QTest::newRow("past") << QStringList{QStringLiteral("--add-alarm"), QStringLiteral("x"), QStringLiteral("--at"),
                                         QStringLiteral("2001-01-01 10:00")}
                          << 2 << QStringLiteral("has passed");
    QTest::newRow("unknown unit") << QStringList{QStringLiteral("--add-alarm"), QStringLiteral("x"),
                                                 QStringLiteral("--at"),        QStringLiteral("2099-01-01 10:00"),
                                                 QStringLiteral("--repeat"),    QStringLiteral("3"),
                                                 QStringLiteral("moons")}
                                  << 2 << QStringLiteral("Unknown unit \"moons\"");
    QTest::newRow("no such event") << QStringList{QStringLiteral("--delete"), QStringLiteral("12")} << 2
                                   << QStringLiteral("There is no event \"12\"");
}

void tst_Scripting::helpAndRefusals() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    setUp();
    const QMap<QString, QByteArray> before = files();
    const Run result = run(arguments);
    QCOMPARE(result.status, status);
    QVERIFY2((status == 0 ? result.out : result.err).contains(message), qPrintable(result.out + result.err));
    QCOMPARE(files(), before);
}

void tst_Scripting::withoutARunningInstance() {
    // Before the first start there is nothing to add to: the start sets the folders up. Bad input is still bad.
    const Run early = run({QStringLiteral("--list")});
    QCOMPARE(early.status, 1);
    QVERIFY(early.err.contains(QStringLiteral("start it once")));
    QCOMPARE(run({QStringLiteral("--add-alarm"), QStringLiteral("x"), QStringLiteral("--at"), QStringLiteral("soon")})
                 .status,
             2);
    QCOMPARE(QDir(m_exeFolder->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("zentick")});
    setUp();
    const Run added = run({QStringLiteral("--add-alarm"), QStringLiteral("Dentist"), QStringLiteral("--at"),
                           QStringLiteral("2099-01-01 10:00"), QStringLiteral("--no-sound")});
    QCOMPARE(added.status, 0);
    QCOMPARE(added.out, QStringLiteral("Added alarm 0 for 2099-01-01T10:00:00.\n"));
    const Run listed = run({QStringLiteral("--list"), QStringLiteral("--json")});
    QCOMPARE(listed.status, 0);
    const QJsonArray events = QJsonDocument::fromJson(listed.out.toUtf8()).array();
    QCOMPARE(events.size(), 1);
    QCOMPARE(events.at(0).toObject().value(QLatin1String("text")).toString(), QStringLiteral("Dentist"));
    // The program's next start finds it like one it made itself.
    QProcess* next = start({QStringLiteral("-h")});
    QVERIFY(waitUntilListening());
    QCOMPARE(run({QStringLiteral("--list")}).out, QStringLiteral("0\talarm\t2099-01-01T10:00:00\tDentist\n"));
    QCOMPARE(run({QStringLiteral("--delete"), QStringLiteral("0")}).status, 0);
    QCOMPARE(run({QStringLiteral("-t")}).status, 0);
    QVERIFY(next->waitForFinished(Patience));
    QFile past(m_exeFolder->filePath(QStringLiteral("Alarms Directory/PAlarms.xml")));
    QVERIFY(past.open(QIODevice::ReadOnly));
    QVERIFY(past.readAll().contains("Dentist"));
}

void tst_Scripting::throughTheRunningInstance() {
    QProcess* instance = start({QStringLiteral("-h")});
    QVERIFY(waitUntilListening());
    const Run added = run({QStringLiteral("--add-birthday"), QStringLiteral("Ann"), QStringLiteral("--born"),
                           QStringLiteral("1980-05-10"), QStringLiteral("--notice"), QStringLiteral("3")});
    QCOMPARE(added.status, 0);
    QVERIFY(added.out.startsWith(QStringLiteral("Added birthday 0")));
    const Run refused = run({QStringLiteral("--add-birthday"), QStringLiteral("Ann"), QStringLiteral("--born"),
                             QStringLiteral("2999-05-10")});
    QCOMPARE(refused.status, 2);
    QVERIFY(refused.err.contains(QStringLiteral("lies in the future")));
    QVERIFY(run({QStringLiteral("--list")}).out.contains(QStringLiteral("0\tbirthday\t")));
    // The instance is still the one writer: it ends normally, and the file holds the birthday.
    QCOMPARE(instance->state(), QProcess::Running);
    QCOMPARE(run({QStringLiteral("-t")}).status, 0);
    QVERIFY(instance->waitForFinished(Patience));
    QFile events(m_exeFolder->filePath(QStringLiteral("Alarms Directory/Alarms.xml")));
    QVERIFY(events.open(QIODevice::ReadOnly));
    QVERIFY(events.readAll().contains("Ann"));
}

void tst_Scripting::calendarFiles() {
    setUp();
    QCOMPARE(run({QStringLiteral("--add-alarm"), QStringLiteral("Dentist"), QStringLiteral("--at"),
                  QStringLiteral("2099-01-01 10:00"), QStringLiteral("--repeat"), QStringLiteral("1"),
                  QStringLiteral("years")})
                 .status,
             0);
    // Named from the folder the command runs in.
    const Run exported = run({QStringLiteral("--export"), QStringLiteral("all.ics")});
    QCOMPARE(exported.status, 0);
    QFile file(m_runtime->filePath(QStringLiteral("all.ics")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("RRULE:FREQ=YEARLY"));
    QVERIFY(text.contains("SUMMARY:Dentist"));

    // On a full disk the export fails, and the file it was to replace stays whole, with nothing half written beside.
    const Run full = run({QStringLiteral("--export"), QStringLiteral("all.ics")}, text.size() / 2);
    QCOMPARE(full.status, 1);
    QVERIFY2(full.err.contains(QStringLiteral("Cannot write")), qPrintable(full.err));
    QFile kept(file.fileName());
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), text);
    QCOMPARE(QDir(m_runtime->path()).entryList({QStringLiteral("all.ics*")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("all.ics")});

    const QMap<QString, QByteArray> before = files();
    const Run again = run({QStringLiteral("--import"), QStringLiteral("all.ics")});
    QCOMPARE(again.status, 0);
    QVERIFY2(again.out.contains(QStringLiteral("Imported 0 event(s) and 0 diary note(s); 1 already there.")),
             qPrintable(again.out));
    QCOMPARE(files(), before);

    QFile damaged(m_runtime->filePath(QStringLiteral("cut.ics")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(text.left(text.size() / 2));
    damaged.close();
    const Run refused = run({QStringLiteral("--import"), QStringLiteral("cut.ics")});
    QCOMPARE(refused.status, 2);
    QVERIFY2(refused.err.contains(QStringLiteral("was not imported")), qPrintable(refused.err));
    QCOMPARE(files(), before);
    QCOMPARE(run({QStringLiteral("--import"), QStringLiteral("missing.ics")}).status, 1);
}

// What a person reads is in German, directly and through the running instance; what a script reads is not: the
// list, its JSON and the new event's section.
void tst_Scripting::germanForPeopleEnglishForScripts() {
    setUp();
    m_language = QStringLiteral("de_DE.UTF-8");
    const Run added = run({QStringLiteral("--add-alarm"), QStringLiteral("Zahnarzt"), QStringLiteral("--at"),
                           QStringLiteral("2099-01-01 10:00")});
    QCOMPARE(added.status, 0);
    QCOMPARE(added.out, QStringLiteral("Added alarm 0 for 2099-01-01T10:00:00.\n"));
    QCOMPARE(run({QStringLiteral("--list")}).out, QStringLiteral("0\talarm\t2099-01-01T10:00:00\tZahnarzt\n"));
    QVERIFY(
        run({QStringLiteral("--list"), QStringLiteral("--json")}).out.contains(QStringLiteral("\"kind\": \"alarm\"")));

    const Run exported = run({QStringLiteral("--export"), QStringLiteral("all.ics")});
    QCOMPARE(exported.out, QStringLiteral("Exportiert nach %1.\n").arg(m_runtime->filePath(QStringLiteral("all.ics"))));
    const Run imported = run({QStringLiteral("--import"), QStringLiteral("all.ics")});
    QCOMPARE(imported.out,
             QStringLiteral("Importiert: 0 Termin(e) und 0 Tagebucheintrag/-einträge; 1 schon vorhanden.\n"));
    const Run unknown = run({QStringLiteral("--list"), QStringLiteral("--frobnicate")});
    QCOMPARE(unknown.status, 2);
    QCOMPARE(unknown.err, QStringLiteral("zentick: Unbekannte Option „--frobnicate“; zentick --help zeigt alle.\n"));
    QVERIFY2(run({QStringLiteral("--help")}).out.contains(QStringLiteral("Aufruf: zentick")), "help in German");

    // The running instance answers in its language.
    QProcess* instance = start({QStringLiteral("-h")});
    QVERIFY(waitUntilListening());
    const Run missing = run({QStringLiteral("--delete"), QStringLiteral("7")});
    QCOMPARE(missing.status, 2);
    QCOMPARE(missing.err, QStringLiteral("zentick: Es gibt keinen Termin „7“; zentick --list zeigt alle.\n"));
    QCOMPARE(run({QStringLiteral("-t")}).status, 0);
    QVERIFY(instance->waitForFinished(Patience));
}

void tst_Scripting::sessionBus() {
    QProcess daemon;
    daemon.start(QStringLiteral("dbus-daemon"),
                 {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    QVERIFY(daemon.waitForStarted(Patience));
    QVERIFY(daemon.waitForReadyRead(Patience));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    QVERIFY(!address.isEmpty());
    const auto stopDaemon = qScopeGuard([&daemon] {
        daemon.terminate();
        daemon.waitForFinished(Patience);
    });
    {
        qDBusRegisterMetaType<QList<QStringList>>();
        QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("tst_Scripting"));
        QVERIFY(bus.isConnected());
        // A snooze the alarm window left in the settings before the program ended comes back after the start.
        {
            TXMLIniFile settings(m_exeFolder->filePath(QStringLiteral("Settings.xml")));
            AlarmNotice shown;
            shown.section = "7";
            shown.scheduled = DayCount::fromDateTime(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
            shown.lines = QStringList{QStringLiteral("Snoozed")};
            const SystemClock clock;
            Snooze::snoozeAlarm(settings, shown, Snooze::after(clock, 0) + 1500, clock);
        }
        QProcess* instance = start({QStringLiteral("-h")}, address);
        QVERIFY(waitUntilListening());
        QTRY_VERIFY_WITH_TIMEOUT(bus.interface()->isServiceRegistered(QLatin1String(ZentickBus::Service)), Patience);
        FiredListener listener;
        QVERIFY(bus.connect(QLatin1String(ZentickBus::Service), QLatin1String(ZentickBus::Path),
                            QLatin1String(ZentickBus::Interface), QStringLiteral("EventFired"), &listener,
                            SLOT(fired(QString, QString, QString))));
        const auto call = [&](const QString& method, const QVariantList& arguments) {
            QDBusMessage message =
                QDBusMessage::createMethodCall(QLatin1String(ZentickBus::Service), QLatin1String(ZentickBus::Path),
                                               QLatin1String(ZentickBus::Interface), method);
            message.setArguments(arguments);
            return bus.call(message, QDBus::Block, Patience);
        };
        QDBusMessage reply = call(QStringLiteral("AddAlarm"), {QStringLiteral("x"), QStringLiteral("2001-01-01 10:00"),
                                                               0, QString(), true, QString()});
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), QStringLiteral("org.zentick.Zentick1.Error.Refused"));
        QVERIFY(reply.errorMessage().contains(QStringLiteral("has passed")));
        reply = call(QStringLiteral("AddAlarm"), {QStringLiteral("x"), QStringLiteral("2099-01-01 10:00"), 2,
                                                  QStringLiteral("fortnights"), true, QString()});
        QCOMPARE(reply.errorName(), QStringLiteral("org.zentick.Zentick1.Error.Refused"));

        // Due in two seconds: it is added, listed, and its firing is announced.
        const QString soon = QDateTime::currentDateTime().addSecs(2).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        reply = call(QStringLiteral("AddAlarm"),
                     {QStringLiteral("Tea"), soon, 0, QString(), false, QStringLiteral("General")});
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(reply.arguments().value(0).toString(), QStringLiteral("0"));
        reply = call(QStringLiteral("AddBirthday"), {QStringLiteral("Ann"), QStringLiteral("1980-05-10"), 0, true});
        QCOMPARE(reply.arguments().value(0).toString(), QStringLiteral("1"));
        QDBusReply<QList<QStringList>> listed = call(QStringLiteral("List"), {});
        QVERIFY(listed.isValid());
        QCOMPARE(listed.value().size(), 2);
        QCOMPARE(listed.value().at(0).value(3), QStringLiteral("Tea"));
        QCOMPARE(listed.value().at(1).value(1), QStringLiteral("birthday"));
        QTRY_COMPARE_WITH_TIMEOUT(listener.events.size(), 2, Patience);
        QVERIFY(listener.events.contains(
            QStringList{QStringLiteral("0"), QStringLiteral("alarm"), QString(soon).replace(u' ', u'T')}));
        QVERIFY(listener.events.contains(
            QStringList{QStringLiteral("7"), QStringLiteral("alarm"), QStringLiteral("2026-05-04T09:00:00")}));
        // Once: it leaves the settings. The firing is announced as its window comes up and the settings are
        // saved just after, so a slow build can hear the signal before the file has changed.
        const auto settingsHoldSnooze = [this] {
            QFile settingsFile(m_exeFolder->filePath(QStringLiteral("Settings.xml")));
            return !settingsFile.open(QIODevice::ReadOnly) || settingsFile.readAll().contains("Snoozed");
        };
        QTRY_VERIFY_WITH_TIMEOUT(!settingsHoldSnooze(), Patience);

        QCOMPARE(call(QStringLiteral("Delete"), {QStringLiteral("1")}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(call(QStringLiteral("Delete"), {QStringLiteral("1")}).errorName(),
                 QStringLiteral("org.zentick.Zentick1.Error.Refused"));
        QCOMPARE(call(QStringLiteral("ShowMainWindow"), {}).type(), QDBusMessage::ReplyMessage);
        listed = call(QStringLiteral("List"), {});
        QVERIFY(listed.value().isEmpty());

        // What the installed description promises is what the object offers.
        QFile xml(QStringLiteral(ZENTICK_DBUS_XML));
        QVERIFY(xml.open(QIODevice::ReadOnly));
        const QByteArray described = xml.readAll();
        const QDBusMessage introspection = bus.call(QDBusMessage::createMethodCall(
            QLatin1String(ZentickBus::Service), QLatin1String(ZentickBus::Path),
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect")));
        const QString offered = introspection.arguments().value(0).toString();
        for (const char* part :
             {"<method name=\"AddAlarm\">", "<method name=\"AddBirthday\">", "<method name=\"List\">",
              "<method name=\"Delete\">", "<method name=\"ShowMainWindow\"", "<signal name=\"EventFired\">",
              "type=\"aas\" direction=\"out\""}) {
            QVERIFY2(described.contains(part), part);
            QVERIFY2(offered.contains(QLatin1String(part)), qPrintable(offered));
        }
        QCOMPARE(run({QStringLiteral("-t")}).status, 0);
        QVERIFY(instance->waitForFinished(Patience));
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("tst_Scripting"));
}

QTEST_GUILESS_MAIN(tst_Scripting)
#include "tst_Scripting.moc"
