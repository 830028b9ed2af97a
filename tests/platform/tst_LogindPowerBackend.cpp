#include "FakeLogind.h"
#include "platform/LogindPowerBackend.h"

#include <QCoreApplication>
#include <QTest>

namespace {

const char* legacyMethod(int action) {
    static const char* const names[] = {"PowerOff", "Reboot", "TerminateSession", "Hibernate", "Suspend"};
    return names[action];
}

const char* checkMethod(int action) {
    static const char* const names[] = {"CanPowerOff", "CanReboot", nullptr, "CanHibernate", "CanSuspend"};
    return names[action];
}

// Sets or clears an environment variable for one scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnvironment() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

class TestLogindPowerBackend : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void actionReachesLogindWithoutPrompt_data();
    void actionReachesLogindWithoutPrompt();
    void newerLogindSkipsInhibitors_data();
    void newerLogindSkipsInhibitors();
    void flagsRejectedFallsBackToPlainCall();
    void logOffFindsOwnSession_data();
    void logOffFindsOwnSession();
    void privilegeRefused_data();
    void privilegeRefused();
    void refusedCallFails_data();
    void refusedCallFails();
    void noLogindMeansNoPrivilege();
    void unknownActionDoesNothing();
    void failureMessages_data();
    void failureMessages();

private:
    FakeLogind m_logind;
};

void TestLogindPowerBackend::initTestCase() {
    if (!FakeLogind::mockAvailable())
        QSKIP("/usr/bin/python3 has no dbusmock (package python3-dbusmock)");
    QVERIFY2(m_logind.startBus(), qPrintable(m_logind.error()));
}

void TestLogindPowerBackend::init() {
    // Every test starts from the template as it comes; tests that change it restart it.
    QVERIFY2(m_logind.startLogind(), qPrintable(m_logind.error()));
    QVERIFY(m_logind.addManagerMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                                      QStringLiteral("ret = dbus.ObjectPath('/org/freedesktop/login1/session/c7')")));
    QVERIFY(!m_logind.addSession(QStringLiteral("c7"), 1000, QStringLiteral("tester")).isEmpty());
    m_logind.clearCalls();
}

void TestLogindPowerBackend::actionReachesLogindWithoutPrompt_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QVariant>("argument");
    QTest::newRow("shut down") << int(ShutDown) << QVariant(false);
    QTest::newRow("restart") << int(Restart) << QVariant(false);
    QTest::newRow("log off") << int(LogOff) << QVariant(QStringLiteral("c7"));
    QTest::newRow("hibernate") << int(Hibernate) << QVariant(false);
    QTest::newRow("stand by") << int(StandBy) << QVariant(false);
}

// The template is a logind without the *WithFlags methods: the plain methods are called, interactive = false.
void TestLogindPowerBackend::actionReachesLogindWithoutPrompt() {
    QFETCH(int, action);
    QFETCH(QVariant, argument);
    LogindPowerBackend backend(m_logind.connection());

    QCOMPARE(backend.perform(action), PowerOutcome::Done);

    const QList<FakeLogind::Call> calls = m_logind.calls();
    QStringList methods;
    for (const auto& call : calls)
        methods << call.method;
    QStringList expected;
    if (action == LogOff)
        expected << QStringLiteral("GetSessionByPID");
    else
        expected << QLatin1String(checkMethod(action));
    expected << QLatin1String(legacyMethod(action));
    QCOMPARE(methods, expected);
    QCOMPARE(calls.last().arguments, QVariantList{argument});
    if (action == LogOff)
        QCOMPARE(calls.first().arguments.value(0).toUInt(), quint32(QCoreApplication::applicationPid()));
}

void TestLogindPowerBackend::newerLogindSkipsInhibitors_data() {
    QTest::addColumn<int>("action");
    QTest::newRow("shut down") << int(ShutDown);
    QTest::newRow("restart") << int(Restart);
    QTest::newRow("hibernate") << int(Hibernate);
    QTest::newRow("stand by") << int(StandBy);
}

void TestLogindPowerBackend::newerLogindSkipsInhibitors() {
    QFETCH(int, action);
    const QString withFlags = QLatin1String(legacyMethod(action)) + QStringLiteral("WithFlags");
    QVERIFY(m_logind.addManagerMethod(withFlags, QStringLiteral("t"), QString(), QString()));
    LogindPowerBackend backend(m_logind.connection());

    QCOMPARE(backend.perform(action), PowerOutcome::Done);

    const QList<FakeLogind::Call> calls = m_logind.calls();
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.last().method, withFlags);
    QCOMPARE(calls.last().arguments.value(0).toULongLong(), quint64(1) << 4); // skip inhibitors, nothing else
}

// systemd 252 knows PowerOffWithFlags but refuses flags it does not know.
void TestLogindPowerBackend::flagsRejectedFallsBackToPlainCall() {
    QVERIFY(m_logind.addManagerMethod(QStringLiteral("HibernateWithFlags"), QStringLiteral("t"), QString(),
                                      QStringLiteral("raise dbus.exceptions.DBusException('Invalid flags parameter', "
                                                     "name='org.freedesktop.DBus.Error.InvalidArgs')")));
    LogindPowerBackend backend(m_logind.connection());

    QCOMPARE(backend.perform(Hibernate), PowerOutcome::Done);

    QCOMPARE(m_logind.calledMethods(),
             (QStringList{QStringLiteral("CanHibernate"), QStringLiteral("HibernateWithFlags"),
                          QStringLiteral("Hibernate")}));
    QCOMPARE(m_logind.calls().last().arguments, QVariantList{false});
}

void TestLogindPowerBackend::logOffFindsOwnSession_data() {
    QTest::addColumn<QString>("sessionByPid");
    QTest::addColumn<QByteArray>("environmentSession");
    QTest::addColumn<QString>("terminated");
    const QString noSession = QStringLiteral("raise dbus.exceptions.DBusException('no session', "
                                             "name='org.freedesktop.login1.NoSessionForPID')");
    QTest::newRow("logind knows our process") << QString() << QByteArray("99") << QStringLiteral("c7");
    QTest::newRow("from the environment") << noSession << QByteArray("42") << QStringLiteral("42");
    QTest::newRow("outside any session") << noSession << QByteArray() << QStringLiteral("auto");
}

void TestLogindPowerBackend::logOffFindsOwnSession() {
    QFETCH(QString, sessionByPid);
    QFETCH(QByteArray, environmentSession);
    QFETCH(QString, terminated);
    if (!sessionByPid.isEmpty())
        QVERIFY(m_logind.addManagerMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                                          sessionByPid));
    ScopedEnvironment session("XDG_SESSION_ID", environmentSession);
    LogindPowerBackend backend(m_logind.connection());

    QCOMPARE(backend.perform(LogOff), PowerOutcome::Done);

    const QList<FakeLogind::Call> calls = m_logind.calls();
    QVERIFY(!calls.isEmpty());
    QCOMPARE(calls.last().method, QStringLiteral("TerminateSession"));
    QCOMPARE(calls.last().arguments, QVariantList{terminated});
}

void TestLogindPowerBackend::privilegeRefused_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("answer");
    QTest::newRow("shut down, na") << int(ShutDown) << QStringLiteral("na");
    QTest::newRow("restart, no") << int(Restart) << QStringLiteral("no");
    QTest::newRow("hibernate, na") << int(Hibernate) << QStringLiteral("na");
    QTest::newRow("stand by, no") << int(StandBy) << QStringLiteral("no");
    // Would need a password prompt, which a forced action never shows.
    QTest::newRow("stand by, challenge") << int(StandBy) << QStringLiteral("challenge");
}

void TestLogindPowerBackend::privilegeRefused() {
    QFETCH(int, action);
    QFETCH(QString, answer);
    QVERIFY2(m_logind.startLogind(QStringLiteral("{\"%1\": \"%2\"}").arg(QLatin1String(checkMethod(action)), answer)),
             qPrintable(m_logind.error()));
    LogindPowerBackend backend(m_logind.connection());

    const PowerOutcome outcome = backend.perform(action);

    QCOMPARE(outcome, PowerOutcome::NoPrivilege);
    QCOMPARE(powerFailureMessage(action, outcome), QStringLiteral("Failed to take Privilegies"));
    QCOMPARE(m_logind.calledMethods(), QStringList{QLatin1String(checkMethod(action))});
}

void TestLogindPowerBackend::refusedCallFails_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QString>("message");
    QTest::newRow("shut down") << int(ShutDown) << QStringLiteral("b") << QStringLiteral("Failed to Shut Down System");
    QTest::newRow("restart") << int(Restart) << QStringLiteral("b") << QStringLiteral("Failed to Restart System");
    QTest::newRow("log off") << int(LogOff) << QStringLiteral("s") << QStringLiteral("Failed to Log Off System");
    QTest::newRow("hibernate") << int(Hibernate) << QStringLiteral("b") << QStringLiteral("Failed to Hibernate System");
    QTest::newRow("stand by") << int(StandBy) << QStringLiteral("b") << QStringLiteral("Failed to Stand By System");
}

void TestLogindPowerBackend::refusedCallFails() {
    QFETCH(int, action);
    QFETCH(QString, signature);
    QFETCH(QString, message);
    QVERIFY(m_logind.addManagerMethod(QLatin1String(legacyMethod(action)), signature, QString(),
                                      QStringLiteral("raise dbus.exceptions.DBusException('Operation inhibited', "
                                                     "name='org.freedesktop.login1.OperationInProgress')")));
    LogindPowerBackend backend(m_logind.connection());

    const PowerOutcome outcome = backend.perform(action);

    QCOMPARE(outcome, PowerOutcome::Failed);
    QCOMPARE(powerFailureMessage(action, outcome), message);
}

void TestLogindPowerBackend::noLogindMeansNoPrivilege() {
    m_logind.stopLogind();
    LogindPowerBackend onEmptyBus(m_logind.connection());
    const QDBusConnection nowhere =
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("zentick-no-bus"));
    QVERIFY(!nowhere.isConnected());
    LogindPowerBackend withoutBus(nowhere);

    for (int action = ShutDown; action <= StandBy; ++action) {
        QCOMPARE(onEmptyBus.perform(action), PowerOutcome::NoPrivilege);
        QCOMPARE(withoutBus.perform(action), PowerOutcome::NoPrivilege);
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("zentick-no-bus"));
}

void TestLogindPowerBackend::unknownActionDoesNothing() {
    LogindPowerBackend backend(m_logind.connection());
    QCOMPARE(backend.perform(5), PowerOutcome::UnknownAction);
    QCOMPARE(backend.perform(-1), PowerOutcome::UnknownAction);
    QVERIFY(m_logind.calls().isEmpty());
}

void TestLogindPowerBackend::failureMessages_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<PowerOutcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::newRow("done") << int(ShutDown) << PowerOutcome::Done << QString();
    QTest::newRow("no privilege") << int(LogOff) << PowerOutcome::NoPrivilege
                                  << QStringLiteral("Failed to take Privilegies");
    QTest::newRow("failed") << int(StandBy) << PowerOutcome::Failed << QStringLiteral("Failed to Stand By System");
    QTest::newRow("unknown") << 7 << PowerOutcome::UnknownAction << QString();
}

void TestLogindPowerBackend::failureMessages() {
    QFETCH(int, action);
    QFETCH(PowerOutcome, outcome);
    QFETCH(QString, message);
    QCOMPARE(powerFailureMessage(action, outcome), message);
}

QTEST_GUILESS_MAIN(TestLogindPowerBackend)
#include "tst_LogindPowerBackend.moc"
