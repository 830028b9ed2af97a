#include "app/DataFolderRelocation.h"

#include "app/SettingsKeys.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <QDir>

#include <cerrno>

namespace DataFolderRelocation {

namespace {

Outcome moveRecorded(TXMLIniFile& settings, const QString& from, const QString& to) {
    Outcome outcome{from, to, DataFolderMove::moveFiles(from, to, dataFileNames())};
    QDir().rmdir(from);
    settings.DeleteKey(SettingsKey::Section, SettingsKey::DataFolderMovingFrom);
    return outcome;
}

} // namespace

QStringList dataFileNames() {
    return {QStringLiteral("Alarms.xml"), QStringLiteral("PAlarms.xml"), QStringLiteral("AddressBook.xml"),
            QStringLiteral("Calendar.xml")};
}

Outcome move(TXMLIniFile& settings, const QString& from, const QString& to) {
    {
        TXMLIniFile::Batch batch(settings);
        settings.WriteString(SettingsKey::Section, SettingsKey::DataFolder, displayTextToStored(to));
        settings.WriteString(SettingsKey::Section, SettingsKey::DataFolderMovingFrom, displayTextToStored(from));
        batch.commit();
    }
    return moveRecorded(settings, from, to);
}

std::optional<Outcome> finishInterrupted(TXMLIniFile& settings) {
    if (!settings.HasKey(SettingsKey::Section, SettingsKey::DataFolderMovingFrom))
        return std::nullopt;
    const QString from =
        storedTextToDisplay(settings.ReadString(SettingsKey::Section, SettingsKey::DataFolderMovingFrom, {}));
    const QString to = storedTextToDisplay(settings.ReadString(SettingsKey::Section, SettingsKey::DataFolder, {}));
    // A record that names no folder has nothing left to do but go.
    if (from.isEmpty() || to.isEmpty() || !QDir::isAbsolutePath(from) || !QDir::isAbsolutePath(to)) {
        settings.DeleteKey(SettingsKey::Section, SettingsKey::DataFolderMovingFrom);
        return Outcome{from, to, {}};
    }
    QDir().mkpath(to);
    return moveRecorded(settings, from, to);
}

QString leftBehindMessage(const Outcome& outcome) {
    if (outcome.left.isEmpty())
        return {};
    QString text = QStringLiteral("Not every data file could be moved. These stayed in \"%1\":").arg(outcome.from);
    for (const DataFolderMove::FileLeft& file : outcome.left) {
        text += QStringLiteral("\n%1: ").arg(file.name);
        if (file.error == EEXIST)
            text +=
                QStringLiteral("\"%1\" already holds a file of that name, which is used from now on.").arg(outcome.to);
        else
            text += qt_error_string(file.error) + QStringLiteral("; it is not used until it is moved.");
    }
    return text;
}

} // namespace DataFolderRelocation
