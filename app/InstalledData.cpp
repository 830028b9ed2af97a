#include "app/InstalledData.h"

#include "InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace InstalledData {

QString file(const QString& name) {
    return file(name, QCoreApplication::applicationDirPath());
}

QString file(const QString& name, const QString& executableFolder) {
    const QDir folder(executableFolder);
    QString beside = folder.filePath(name);
    if (QFileInfo(beside).isFile())
        return beside;
    QString installed =
        QDir::cleanPath(folder.filePath(QLatin1String(InstallLayout::DataFromExecutable) + QLatin1Char('/') + name));
    if (QFileInfo(installed).isFile())
        return installed;
    return beside;
}

} // namespace InstalledData
