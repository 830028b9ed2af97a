#include "PowerBackend.h"

QString powerActionName(int action) {
    switch (action) {
    case ShutDown:
        return QStringLiteral("Shut Down");
    case Restart:
        return QStringLiteral("Restart");
    case LogOff:
        return QStringLiteral("Log Off");
    case Hibernate:
        return QStringLiteral("Hibernate");
    case StandBy:
        return QStringLiteral("Stand By");
    default:
        return QString();
    }
}

QString powerFailureMessage(int action, PowerOutcome outcome) {
    switch (outcome) {
    case PowerOutcome::NoPrivilege:
        return QStringLiteral("Failed to take Privilegies");
    case PowerOutcome::Failed:
        return QStringLiteral("Failed to ") + powerActionName(action) + QStringLiteral(" System");
    case PowerOutcome::Done:
    case PowerOutcome::UnknownAction:
        break;
    }
    return QString();
}
