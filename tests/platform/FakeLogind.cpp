#include "FakeLogind.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QFile>
#include <QTest>

namespace {

const QString logindService = QStringLiteral("org.freedesktop.login1");
const QString managerPath = QStringLiteral("/org/freedesktop/login1");
const QString managerInterface = QStringLiteral("org.freedesktop.login1.Manager");
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

FakeLogind::FakeLogind()
    : m_connectionName(QStringLiteral("zentick-fake-system-bus-%1").arg(++connectionCounter)) {}

FakeLogind::~FakeLogind() {
    endProcess(m_logind);
    QDBusConnection::disconnectFromBus(m_connectionName);
    endProcess(m_bus);
}

bool FakeLogind::mockAvailable() {
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")});
    return probe.waitForFinished(10000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0;
}

bool FakeLogind::startBus() {
    if (!m_folder.isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return false;
    }
    // Like the session bus, but listening only in our folder and with no services to activate.
    const QString config = m_folder.filePath(QStringLiteral("bus.conf"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
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
        m_error = QStringLiteral("dbus-daemon gave no address: ") + QString::fromUtf8(m_bus->readAllStandardError());
        return false;
    }
    if (!QDBusConnection::connectToBus(m_address, m_connectionName).isConnected()) {
        m_error = QStringLiteral("cannot connect to the private bus at ") + m_address;
        return false;
    }
    return true;
}

bool FakeLogind::startLogind(const QString& parametersJson) {
    stopLogind();
    QStringList arguments{QStringLiteral("-m"),         QStringLiteral("dbusmock"),
                          QStringLiteral("--template"), QStringLiteral("logind"),
                          QStringLiteral("-l"),         m_folder.filePath(QStringLiteral("logind.log"))};
    if (!parametersJson.isEmpty())
        arguments << QStringLiteral("-p") << parametersJson;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), m_address);
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    m_logind = std::make_unique<QProcess>();
    m_logind->setProcessEnvironment(environment);
    m_logind->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_logind->start(python, arguments);

    QDBusConnectionInterface* bus = connection().interface();
    QDeadlineTimer deadline(15000);
    while (!bus->isServiceRegistered(logindService)) {
        if (deadline.hasExpired() || m_logind->state() == QProcess::NotRunning) {
            m_error = QStringLiteral("the fake logind did not come up");
            return false;
        }
        QTest::qWait(20);
    }
    return true;
}

void FakeLogind::stopLogind() {
    endProcess(m_logind);
    if (m_bus) {
        QDeadlineTimer deadline(5000);
        while (connection().interface()->isServiceRegistered(logindService) && !deadline.hasExpired())
            QTest::qWait(20);
    }
}

QDBusConnection FakeLogind::connection() const {
    return QDBusConnection(m_connectionName);
}

QVariantList FakeLogind::mockCall(const QString& method, const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(logindService, managerPath, mockInterface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = connection().call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        m_error = method + QStringLiteral(": ") + reply.errorMessage();
        qWarning("%s", qPrintable(m_error));
        return {};
    }
    return reply.arguments();
}

bool FakeLogind::addManagerMethod(const QString& name, const QString& inSignature, const QString& outSignature,
                                  const QString& pythonCode) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(logindService, managerPath, mockInterface, QStringLiteral("AddMethod"));
    call.setArguments({managerInterface, name, inSignature, outSignature, pythonCode});
    return connection().call(call, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
}

QString FakeLogind::addSession(const QString& id, quint32 uid, const QString& user) {
    return mockCall(QStringLiteral("AddSession"), {id, QStringLiteral("seat0"), uid, user, true}).value(0).toString();
}

QList<FakeLogind::Call> FakeLogind::calls() {
    QList<Call> result;
    const QVariantList reply = mockCall(QStringLiteral("GetCalls"), {});
    if (reply.isEmpty())
        return result;
    const QDBusArgument log = reply.first().value<QDBusArgument>();
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

QStringList FakeLogind::calledMethods() {
    QStringList methods;
    for (const Call& call : calls())
        methods.append(call.method);
    return methods;
}

void FakeLogind::clearCalls() {
    mockCall(QStringLiteral("ClearCalls"), {});
}

bool FakeLogind::emitPrepareForSleep(bool start) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(logindService, managerPath, mockInterface, QStringLiteral("EmitSignal"));
    call.setArguments({managerInterface, QStringLiteral("PrepareForSleep"), QStringLiteral("b"), QVariantList{start}});
    return connection().call(call, QDBus::Block, 10000).type() == QDBusMessage::ReplyMessage;
}

QList<QStringList> FakeLogind::inhibitors() {
    QList<QStringList> result;
    QDBusMessage call =
        QDBusMessage::createMethodCall(logindService, managerPath, managerInterface, QStringLiteral("ListInhibitors"));
    const QDBusMessage reply = connection().call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        return result;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        quint32 uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        result.append({what, who, why, mode});
    }
    list.endArray();
    return result;
}
