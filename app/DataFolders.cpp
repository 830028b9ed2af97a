#include "app/DataFolders.h"

#include "InstallLayout.h"
#include "platform/XdgConfigHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

} // namespace

namespace DataFolders {

QString exeFolder(bool create) {
    return exeFolder(QCoreApplication::applicationDirPath(), create);
}

QString exeFolder(const QString& executableFolder, bool create) {
    if (keepsFilesBeside(executableFolder))
        return executableFolder;
    const QString parent = xdgConfigHome();
    QString folder = parent + QStringLiteral("/zentick");
    if (create) {
        QDir().mkpath(parent);
        createFolder(folder);
    }
    return folder;
}

bool keepsFilesBeside(const QString& executableFolder) {
    if (!QFileInfo(executableFolder).isWritable())
        return false;
    // Files an earlier start left there stay where the user has them.
    if (QFileInfo::exists(QDir(executableFolder).filePath(QStringLiteral("Settings.xml"))))
        return true;
    // An installed copy is never written into, not even by root or from a prefix the user owns (~/.local):
    // the package manager owns that folder, and every user keeps files of their own.
    const QString installedData = QDir(executableFolder).filePath(QLatin1String(InstallLayout::DataFromExecutable));
    return !QFileInfo(installedData).isDir();
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
