#include "PowerBackend.h"

#include <QCoreApplication>

QString powerActionName(int action) {
    switch (action) {
    case ShutDown:
        return QCoreApplication::translate("PowerAction", "Shut Down");
    case Restart:
        return QCoreApplication::translate("PowerAction", "Restart");
    case LogOff:
        return QCoreApplication::translate("PowerAction", "Log Off");
    case Hibernate:
        return QCoreApplication::translate("PowerAction", "Hibernate");
    case StandBy:
        return QCoreApplication::translate("PowerAction", "Stand By");
    default:
        return QString();
    }
}

QString powerFailureMessage(int action, PowerOutcome outcome) {
    switch (outcome) {
    case PowerOutcome::NoPrivilege:
        return QCoreApplication::translate("PowerBackend", "Failed to take Privilegies");
    case PowerOutcome::Failed:
        return QCoreApplication::translate("PowerBackend", "Failed to %1 System").arg(powerActionName(action));
    case PowerOutcome::Done:
    case PowerOutcome::UnknownAction:
        break;
    }
    return QString();
}
