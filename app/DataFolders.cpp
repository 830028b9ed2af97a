#include "app/DataFolders.h"

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
    QString applicationFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(applicationFolder).isWritable())
        return applicationFolder;
    const QString parent = xdgConfigHome();
    QString folder = parent + QStringLiteral("/zentick");
    if (create) {
        QDir().mkpath(parent);
        createFolder(folder);
    }
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
