#include "ui/settings/DataFolders.h"

#include "InstallLayout.h"
#include "platform/XdgConfigHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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
    // Files an earlier start left there stay where the user has them.
    if (QFileInfo::exists(QDir(executableFolder).filePath(QStringLiteral("Settings.xml"))))
        return true;
    if (!QFileInfo(executableFolder).isWritable())
        return false;
    // An installed copy is never written into, not even by root or from a prefix the user owns (~/.local):
    // the package manager owns that folder, and every user keeps files of their own.
    const QString installedData = QDir(executableFolder).filePath(QLatin1String(InstallLayout::DataFromExecutable));
    return !QFileInfo(installedData).isDir();
}

int createFolder(const QString& path) {
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 ? 0 : errno;
}

int unusableReason(const QString& folder) {
    const QByteArray name = QFile::encodeName(folder);
    struct stat info {};
    if (::stat(name.constData(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return ENOTDIR;
    return ::access(name.constData(), W_OK | X_OK) == 0 ? 0 : errno;
}

QString dataFolderMessage(const QString& folder, int reason, bool madeAnew) {
    if (madeAnew)
        return QCoreApplication::translate(
                   "DataFolders", "The data folder \"%1\" was not found, so an empty one was made in its place. If "
                                  "your alarms are kept on a drive that is not connected, connect it and start Zentick "
                                  "again.")
            .arg(folder);
    const QString why = reason == ENOTDIR ? QCoreApplication::translate("DataFolders", "it is a file, not a folder")
                                          : qt_error_string(reason);
    if (reason == ENOENT)
        return QCoreApplication::translate(
                   "DataFolders", "The data folder \"%1\" was not found (%2), and none could be made. No alarm, "
                                  "address or note can be kept until it is there.")
            .arg(folder, why);
    return QCoreApplication::translate(
               "DataFolders", "The data folder \"%1\" cannot be used: %2. No other folder was made in its place; "
                              "until this is put right, no change and no fired alarm can be saved there.")
        .arg(folder, why);
}

QString settingsFolderMessage(const QString& folder, int reason) {
    return QCoreApplication::translate(
               "DataFolders", "The folder of \"Settings.xml\", \"%1\", cannot be written (%2). Your settings and "
                              "data folder are used from it, but no change to the settings can be kept.")
        .arg(folder, qt_error_string(reason));
}

bool moveWithoutReplacing(const QString& from, const QString& to) {
    if (QFileInfo::exists(to) || !QFileInfo(from).isFile())
        return false;
    return QFile::rename(from, to);
}

} // namespace DataFolders
