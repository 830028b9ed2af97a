#pragma once

#include <QDateTime>
#include <QLocale>
#include <optional>

// Date-times as the user reads them: the locale's short date, a blank and its long time, the time left
// out at exactly midnight. Qt's long time carries a time-zone name, which this form never shows.
namespace LocaleDateTimeText {

QString format(const QDateTime& dateTime, const QLocale& locale = QLocale());

// Reads what format() writes, and what a person or an earlier version may have written in the same
// locale: one- or two-digit day, month and hour, a time without seconds, the short time, a four-digit
// year where the locale writes two. A two-digit year lands within 50 years of the current one.
// Unreadable text (or a date that does not exist) gives nullopt.
struct WallClock {
    QDate date;
    QTime time;
};
std::optional<WallClock> parse(const QString& text, const QLocale& locale = QLocale());

QString longTimeFormatWithoutZone(const QLocale& locale);

} // namespace LocaleDateTimeText
