#include "app/LegacyImport.h"

#include "scheduler/DayCount.h"
#include "store/Exception.h"
#include "store/LegacyIniFile.h"
#include "store/XMLIniFile.h"
#include "ui/LocaleDateTimeText.h"

#include <QFile>

#include <cmath>

namespace {

// Wall-clock day count, taken from the fields themselves: a legacy text may name a local time that a
// daylight-saving change skips, and it still has to keep its value.
std::optional<double> wallClockDayCount(const QString& text, const QLocale& locale) {
    const auto wallClock = LocaleDateTimeText::parse(text, locale);
    if (!wallClock)
        return std::nullopt;
    const double days = DayCount::fromDate(wallClock->date);
    const double fraction = wallClock->time.msecsSinceStartOfDay() / 86'400'000.0;
    return days < 0 ? days - fraction : days + fraction;
}

bool isDateKey(const QByteArray& key) {
    return key == "date" || key == "birthdate";
}

} // namespace

namespace LegacyImport {

bool isWindowsPath(const QString& path) {
    const bool driveLetter =
        path.size() >= 2 && path.at(0).isLetter() && path.at(0).unicode() < 128 && path.at(1) == QLatin1Char(':');
    return driveLetter || path.contains(QLatin1Char('\\'));
}

double dayCountOf(const QString& text, const QLocale& locale) {
    return wallClockDayCount(text, locale).value_or(0.0);
}

void convertRecords(const TCustomIniFile& legacy, TXMLIniFile& store, const QLocale& locale) {
    for (const QByteArray& section : legacy.ReadSections()) {
        for (const QByteArray& key : legacy.ReadSection(section)) {
            const QByteArray value = legacy.ReadString(section, key, QByteArray());
            if (isDateKey(key))
                store.WriteDouble(section, key, dayCountOf(QString::fromUtf8(value), locale));
            else
                store.WriteString(section, key, value);
        }
    }
}

void convertDiary(const TCustomIniFile& legacy, TXMLIniFile& store, const QLocale& locale) {
    for (const QByteArray& section : legacy.ReadSections()) {
        const QString name = QString::fromUtf8(section);
        const auto count = wallClockDayCount(name, locale);
        if (!count)
            throw Exception(QStringLiteral("'%1' is not a valid date and time").arg(name));
        const QByteArray day = QByteArray::number(static_cast<qint64>(std::trunc(*count)));
        for (const QByteArray& key : legacy.ReadSection(section))
            store.WriteString(day, key, legacy.ReadString(section, key, QByteArray()));
    }
}

void merge(const TCustomIniFile& legacy, TXMLIniFile& store) {
    TXMLIniFile::MergeFiles(&legacy, &store);
}

void importFile(const QString& legacyPath, TXMLIniFile& store, Conversion conversion) {
    if (!QFile::exists(legacyPath))
        return;
    {
        const LegacyIniFile legacy(legacyPath);
        TXMLIniFile::Batch batch(store);
        switch (conversion) {
        case Conversion::Records:
            convertRecords(legacy, store);
            break;
        case Conversion::Diary:
            convertDiary(legacy, store);
            break;
        case Conversion::Merge:
            merge(legacy, store);
            break;
        }
        batch.commit();
    }
    QFile::remove(legacyPath);
}

} // namespace LegacyImport
