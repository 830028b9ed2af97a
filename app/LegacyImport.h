#pragma once

#include "app/AppOnly.h"

#include <QLocale>
#include <QString>

class TCustomIniFile;
class TXMLIniFile;

// The earlier version kept the same sections and keys in INI files (".alm"), but wrote date-times as
// locale texts where the stores hold day counts. These conversions bring such a file into a store.
namespace LegacyImport {

// Events and past alarms: every key copied as text, except "date" and "birthdate", which become day
// counts (0 when the text is no date-time). Sections keep their names, so records keep their numbers.
void convertRecords(const TCustomIniFile& legacy, TXMLIniFile& store, const QLocale& locale = QLocale());

// The diary named its sections by a date-time text; the store names them by the day number. A section
// name that is no date-time throws Exception("'<name>' is not a valid date and time"); the sections
// before it are already in the store by then.
void convertDiary(const TCustomIniFile& legacy, TXMLIniFile& store, const QLocale& locale = QLocale());

// Every section and key as text.
void merge(const TCustomIniFile& legacy, TXMLIniFile& store);

enum class Conversion { Records, Diary, Merge };

// Reads the legacy file (a missing one has no sections), converts it into the store with one save,
// then deletes the file. An exception leaves the file in place; what was converted is saved.
void importFile(const QString& legacyPath, TXMLIniFile& store, Conversion conversion);

// A folder as the Windows version named it (C:\Program Files\..., \\server\share): a drive letter or a
// backslash. No Linux folder is meant by it.
bool isWindowsPath(const QString& path);

// Day count of a locale date-time text as the earlier version wrote it; 0 when unreadable.
double dayCountOf(const QString& text, const QLocale& locale = QLocale());

} // namespace LegacyImport
