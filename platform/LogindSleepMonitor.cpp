#include "LogindSleepMonitor.h"

#include "Logind.h"
#include "LogindManagerSignals.h"

#include <QDBusMessage>

LogindSleepMonitor::LogindSleepMonitor(const QDBusConnection& systemBus, QObject* parent)
    : SleepMonitor(parent)
    , m_bus(systemBus)
    , m_manager(new LogindManagerSignals(systemBus, this)) {
    connect(m_manager, &LogindManagerSignals::PrepareForSleep, this, &LogindSleepMonitor::onPrepareForSleep);
    takeSleepDelayLock();
}

LogindSleepMonitor::~LogindSleepMonitor() = default;

void LogindSleepMonitor::onPrepareForSleep(bool start) {
    if (start) {
        Q_EMIT suspending();
        // Handled: logind may go ahead.
        m_sleepLock = QDBusUnixFileDescriptor();
    } else {
        Q_EMIT resumed();
        takeSleepDelayLock();
    }
}

void LogindSleepMonitor::takeSleepDelayLock() {
    if (m_sleepLock.isValid() || !m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(Logind::Service, Logind::ManagerPath, Logind::ManagerInterface,
                                                       QStringLiteral("Inhibit"));
    call.setArguments({QStringLiteral("sleep"), QStringLiteral("Zentick"),
                       QStringLiteral("Pausing the clock-change watchdog"), QStringLiteral("delay")});
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, 5000);
    if (reply.type() == QDBusMessage::ReplyMessage)
        m_sleepLock = reply.arguments().value(0).value<QDBusUnixFileDescriptor>();
}
