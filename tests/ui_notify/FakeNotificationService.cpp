#include "FakeNotificationService.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QTest>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString mockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
const QString python = QStringLiteral("/usr/bin/python3");
int connectionCounter = 0;

void endProcess(std::unique_ptr<QProcess>& process) {
    if (!process)
        return;
    if (process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
    process.reset();
}

} // namespace

FakeNotificationService::FakeNotificationService()
    : m_connectionName(QStringLiteral("zentick-fake-session-bus-%1").arg(++connectionCounter)) {}

FakeNotificationService::~FakeNotificationService() {
    endProcess(m_service);
    QDBusConnection::disconnectFromBus(m_connectionName);
    endProcess(m_bus);
}

bool FakeNotificationService::mockAvailable() {
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

bool FakeNotificationService::startBus() {
    // Like the session bus, but listening only in our folder and with no services to activate.
    const QString config = m_folder.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!m_folder.isValid() || !file.open(QIODevice::WriteOnly)) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    file.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                              " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                              "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                              "<auth>EXTERNAL</auth><policy context=\"default\">"
                              "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                              "<allow own=\"*\"/></policy></busconfig>\n")
                   .arg(m_folder.path())
                   .toUtf8());
    file.close();
    m_bus = std::make_unique<QProcess>();
    m_bus->start(QStringLiteral("dbus-daemon"), {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                                                 QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    QDeadlineTimer deadline(10000);
    while (!m_bus->canReadLine() && !deadline.hasExpired() && m_bus->state() != QProcess::NotRunning)
        m_bus->waitForReadyRead(100);
    m_address = QString::fromUtf8(m_bus->readLine()).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon gave no address");
        return false;
    }
    if (!QDBusConnection::connectToBus(m_address, m_connectionName).isConnected()) {
        m_error = QStringLiteral("cannot connect to the private bus at ") + m_address;
        return false;
    }
    return true;
}

bool FakeNotificationService::startService() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    m_service = std::make_unique<QProcess>();
    m_service->setProcessEnvironment(environment);
    m_service->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_service->start(python, {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--template"),
                              QStringLiteral("notification_daemon")});
    QDeadlineTimer deadline(15000);
    while (!connection().interface()->isServiceRegistered(service)) {
        if (deadline.hasExpired() || m_service->state() == QProcess::NotRunning) {
            m_error = QStringLiteral("the fake notification daemon did not come up");
            return false;
        }
        QTest::qWait(20);
    }
    return true;
}

QDBusConnection FakeNotificationService::connection() const {
    return QDBusConnection(m_connectionName);
}

QList<FakeNotificationService::Call> FakeNotificationService::calls() {
    QList<Call> result;
    const QDBusMessage reply = connection().call(
        QDBusMessage::createMethodCall(service, path, mockInterface, QStringLiteral("GetCalls")), QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return result;
    const QDBusArgument log = reply.arguments().value(0).value<QDBusArgument>();
    log.beginArray();
    while (!log.atEnd()) {
        quint64 timestamp = 0;
        Call call;
        log.beginStructure();
        log >> timestamp >> call.method >> call.arguments;
        log.endStructure();
        result.append(call);
    }
    log.endArray();
    return result;
}

QList<FakeNotificationService::Call> FakeNotificationService::calls(const QString& method) {
    QList<Call> result;
    for (const Call& call : calls()) {
        if (call.method == method)
            result.append(call);
    }
    return result;
}

bool FakeNotificationService::invokeAction(uint id, const QString& key) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, mockInterface, QStringLiteral("EmitSignal"));
    call.setArguments({service, QStringLiteral("ActionInvoked"), QStringLiteral("us"), QVariantList{id, key}});
    return connection().call(call, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
}
