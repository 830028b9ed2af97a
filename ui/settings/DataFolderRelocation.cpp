#include "ui/settings/DataFolderRelocation.h"

#include "context/SettingsKeys.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace DataFolderRelocation {

namespace {

Outcome moveRecorded(TXMLIniFile& settings, const QString& from, const QString& to) {
    Outcome outcome{from, to, DataFolderMove::moveFiles(from, to, dataFileNames()), std::nullopt};
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
    const QStringList names = dataFileNames();
    if (const int unfit = DataFolderMove::checkTarget(from, to, names)) {
        Outcome outcome{from, to, {}, DataFolderMove::FileLeft{QString(), unfit}};
        return outcome;
    }
    const bool hadFolder = settings.HasKey(SettingsKey::Section, SettingsKey::DataFolder);
    const QByteArray folderAsStored = settings.ReadString(SettingsKey::Section, SettingsKey::DataFolder, {});
    {
        TXMLIniFile::Batch batch(settings);
        settings.WriteString(SettingsKey::Section, SettingsKey::DataFolder, displayTextToStored(to));
        settings.WriteString(SettingsKey::Section, SettingsKey::DataFolderMovingFrom, displayTextToStored(from));
        batch.commit();
    }
    const DataFolderMove::WholeMove whole = DataFolderMove::moveAllOrNothing(from, to, names);
    // Files that could not be put back leave no folder whole: the new one holds at least those, as before.
    if (!whole.failure || !whole.notPutBack.isEmpty()) {
        Outcome outcome{from, to, whole.left, std::nullopt};
        if (whole.failure) {
            for (const QString& name : names) {
                if (QFileInfo::exists(from + QLatin1Char('/') + name))
                    outcome.left.append({name, whole.failure->error});
            }
        }
        QDir().rmdir(from);
        settings.DeleteKey(SettingsKey::Section, SettingsKey::DataFolderMovingFrom);
        return outcome;
    }
    TXMLIniFile::Batch batch(settings);
    if (hadFolder)
        settings.WriteString(SettingsKey::Section, SettingsKey::DataFolder, folderAsStored);
    else
        settings.DeleteKey(SettingsKey::Section, SettingsKey::DataFolder);
    settings.DeleteKey(SettingsKey::Section, SettingsKey::DataFolderMovingFrom);
    batch.commit();
    return Outcome{from, to, {}, whole.failure};
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
        return Outcome{from, to, {}, std::nullopt};
    }
    QDir().mkpath(to);
    return moveRecorded(settings, from, to);
}

QString leftBehindMessage(const Outcome& outcome) {
    if (outcome.failure) {
        const QString why = qt_error_string(outcome.failure->error);
        const QString what = outcome.failure->name.isEmpty()
                                 ? QCoreApplication::translate("DataFolderRelocation", "\"%1\" cannot take them (%2).")
                                       .arg(outcome.to, why)
                                 : QCoreApplication::translate(
                                       "DataFolderRelocation",
                                       "%1 could not be moved to \"%2\" (%3); the files already moved were put back.")
                                       .arg(outcome.failure->name, outcome.to, why);
        return QCoreApplication::translate(
                   "DataFolderRelocation",
                   "The data files were not moved: %1\nNothing changed: the data folder is still \"%2\".")
            .arg(what, outcome.from);
    }
    if (outcome.left.isEmpty())
        return {};
    QString text = QCoreApplication::translate("DataFolderRelocation",
                                               "Not every data file could be moved. These stayed in \"%1\":")
                       .arg(outcome.from);
    for (const DataFolderMove::FileLeft& file : outcome.left) {
        text += QStringLiteral("\n%1: ").arg(file.name);
        if (file.error == EEXIST)
            text += QCoreApplication::translate("DataFolderRelocation",
                                                "\"%1\" already holds a file of that name, which is used from now on.")
                        .arg(outcome.to);
        else
            text += QCoreApplication::translate("DataFolderRelocation", "%1; it is not used until it is moved.")
                        .arg(qt_error_string(file.error));
    }
    return text;
}

} // namespace DataFolderRelocation
