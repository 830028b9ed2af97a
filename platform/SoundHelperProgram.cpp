#include "SoundHelperProgram.h"

#include "InstallLayout.h"

#include <QDir>
#include <QFileInfo>

namespace SoundHelperProgram {

QString path(const QString& executableFolder) {
    const QDir folder(executableFolder);
    const QString name = QLatin1String(FileName);
    QString beside = folder.filePath(name);
    if (QFileInfo(beside).isExecutable())
        return beside;
    QString installed =
        QDir::cleanPath(folder.filePath(QLatin1String(InstallLayout::HelpersFromExecutable) + QLatin1Char('/') + name));
    if (QFileInfo(installed).isExecutable())
        return installed;
    return beside;
}

} // namespace SoundHelperProgram
