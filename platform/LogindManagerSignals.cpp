#include "LogindManagerSignals.h"

#include "Logind.h"

LogindManagerSignals::LogindManagerSignals(const QDBusConnection& bus, QObject* parent)
    : QDBusAbstractInterface(Logind::Service, Logind::ManagerPath, Logind::ManagerInterface.data(), bus, parent) {}
