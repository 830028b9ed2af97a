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

QString exeFolder() {
    QString applicationFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo(applicationFolder).isWritable())
        return applicationFolder;
    const QString parent = xdgConfigHome();
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
