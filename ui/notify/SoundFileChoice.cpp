#include "ui/notify/SoundFileChoice.h"
#include "context/SettingsKeys.h"

#include "store/Exception.h"
#include "store/XMLIniFile.h"

#include <QFileInfo>

namespace SoundFileChoice {

QString choose(TXMLIniFile& settings, const QString& defaultFile) {
    if (settings.ReadFlag(SettingsKey::Section, SettingsKey::DefaultSound, true))
        return defaultFile;
    QString chosen =
        QString::fromUtf8(settings.ReadString(SettingsKey::Section, SettingsKey::SoundPath, defaultFile.toUtf8()));
    if (QFileInfo::exists(chosen))
        return chosen;
    try {
        settings.WriteFlag(SettingsKey::Section, SettingsKey::DefaultSound, true);
    } catch (const Exception&) {
        // The alarm still sounds; the settings catch up with the next save that works.
    }
    return defaultFile;
}

} // namespace SoundFileChoice
