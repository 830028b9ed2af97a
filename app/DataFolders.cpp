#include "app/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QString userConfigFolder() {
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative value is to be ignored, as the XDG base directory rules say.
    if (!configHome.isEmpty() && QDir::isAbsolutePath(configHome))
        return configHome;
    return QDir::homePath() + QStringLiteral("/.config");
}

} // namespace

namespace DataFolders {

QString exeFolder() {
    QString applicationFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(applicationFolder).isWritable())
        return applicationFolder;
    const QString parent = userConfigFolder();
    QDir().mkpath(parent);
    QString folder = parent + QStringLiteral("/zentick");
    createFolder(folder);
    return folder;
}

void createFolder(const QString& path) {
    QDir().mkdir(path, OwnerOnly);
}

bool moveWithoutReplacing(const QString& from, const QString& to) {
    if (QFileInfo::exists(to) || !QFileInfo(from).isFile())
        return false;
    return QFile::rename(from, to);
}

} // namespace DataFolders
