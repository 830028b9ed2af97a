#include "SoundHelperProgram.h"

#include "InstallLayout.h"

#include <QFileInfo>

namespace SoundHelperProgram {

QString path(const QString& executableFolder) {
    return InstallLayout::helperPath(executableFolder, QLatin1String(FileName),
                                     [](const QFileInfo& file) { return file.isExecutable(); });
}

} // namespace SoundHelperProgram
