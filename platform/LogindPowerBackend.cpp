#include "LogindPowerBackend.h"

#include "Logind.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <utility>

namespace {

// Skip all inhibitors (systemd 256 and later; earlier versions reject unknown flags).
constexpr quint64 SkipInhibitors = quint64(1) << 4;

struct LogindAction {
    const char* check;
    const char* method;
};

// Indexed by PowerAction; log off has no question to ask and no flags method.
constexpr LogindAction logindActions[] = {
    {"CanPowerOff", "PowerOff"},   {"CanReboot", "Reboot"},   {nullptr, nullptr},
    {"CanHibernate", "Hibernate"}, {"CanSuspend", "Suspend"},
};

bool answered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

// Errors that say nobody is there to answer, as opposed to logind answering no.
bool noLogind(const QDBusMessage& reply) {
    switch (QDBusError(reply).type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected:
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return true;
    default:
        return false;
    }
}

} // namespace

LogindPowerBackend::LogindPowerBackend(QDBusConnection systemBus, int callTimeoutMs)
    : m_bus(std::move(systemBus))
    , m_timeoutMs(callTimeoutMs) {}

QDBusMessage LogindPowerBackend::callManager(const QString& method, const QVariantList& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(Logind::Service, Logind::ManagerPath, Logind::ManagerInterface, method);
    call.setArguments(arguments);
    return m_bus.call(call, QDBus::Block, m_timeoutMs);
}

PowerOutcome LogindPowerBackend::perform(int action) {
    if (action < ShutDown || action > StandBy)
        return PowerOutcome::UnknownAction;
    if (!m_bus.isConnected())
        return PowerOutcome::NoPrivilege;
    if (action == LogOff)
        return logOff();

    const LogindAction& names = logindActions[action];
    const QDBusMessage verdict = callManager(QLatin1String(names.check), {});
    if (!answered(verdict) || verdict.arguments().value(0).toString() != QLatin1String("yes"))
        return PowerOutcome::NoPrivilege;

    const QString method = QLatin1String(names.method);
    QDBusMessage reply = callManager(method + QLatin1String("WithFlags"), {QVariant::fromValue(SkipInhibitors)});
    const QDBusError::ErrorType error = QDBusError(reply).type();
    if (!answered(reply) && (error == QDBusError::UnknownMethod || error == QDBusError::InvalidArgs))
        reply = callManager(method, {false});
    return answered(reply) ? PowerOutcome::Done : PowerOutcome::Failed;
}

PowerOutcome LogindPowerBackend::logOff() {
    bool logindMissing = false;
    const QString session = ownSessionId(&logindMissing);
    if (logindMissing)
        return PowerOutcome::NoPrivilege;
    return answered(callManager(QStringLiteral("TerminateSession"), {session})) ? PowerOutcome::Done
                                                                                : PowerOutcome::Failed;
}

QString LogindPowerBackend::ownSessionId(bool* logindMissing) {
    const QDBusMessage path =
        callManager(QStringLiteral("GetSessionByPID"), {static_cast<quint32>(QCoreApplication::applicationPid())});
    if (noLogind(path)) {
        *logindMissing = true;
        return QString();
    }
    if (answered(path)) {
        // Session object paths are escaped, so the id is asked for rather than taken from the path.
        QDBusMessage get =
            QDBusMessage::createMethodCall(Logind::Service, path.arguments().value(0).value<QDBusObjectPath>().path(),
                                           QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get.setArguments({QString(Logind::SessionInterface), QStringLiteral("Id")});
        const QDBusMessage id = m_bus.call(get, QDBus::Block, m_timeoutMs);
        if (answered(id)) {
            QString value = id.arguments().value(0).value<QDBusVariant>().variant().toString();
            if (!value.isEmpty())
                return value;
        }
    }
    const QString fromEnvironment = qEnvironmentVariable("XDG_SESSION_ID");
    return fromEnvironment.isEmpty() ? QStringLiteral("auto") : fromEnvironment;
}
