#include "ui/notify/SoundFileChoice.h"

#include "store/Exception.h"
#include "store/XMLIniFile.h"

#include <QFileInfo>

namespace SoundFileChoice {

QString choose(TXMLIniFile& settings, const QString& defaultFile) {
    const QByteArray section("settings");
    if (settings.ReadFlag(section, "defaultsound", true))
        return defaultFile;
    QString chosen = QString::fromUtf8(settings.ReadString(section, "soundpath", defaultFile.toUtf8()));
    if (QFileInfo::exists(chosen))
        return chosen;
    try {
        settings.WriteFlag(section, "defaultsound", true);
    } catch (const Exception&) {
        // The alarm still sounds; the settings catch up with the next save that works.
    }
    return defaultFile;
}

} // namespace SoundFileChoice
