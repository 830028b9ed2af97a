#include "platform/XdgConfigHome.h"

#include <QDir>

QString xdgConfigHome() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!configHome.isEmpty() && QDir::isAbsolutePath(configHome))
        return configHome;
    return QDir::homePath() + QStringLiteral("/.config");
}
