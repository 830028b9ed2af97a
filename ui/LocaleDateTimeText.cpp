#include "ui/LocaleDateTimeText.h"

#include <QStringList>

namespace {

// Drops the time-zone field ("t", "tt"...) and the blanks or brackets around it, outside quoted text.
QString withoutZone(const QString& format) {
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    out.replace(QLatin1String("()"), QString());
    return out.simplified();
}

// Lets a two-letter numeric field also read one digit: "dd" accepts "1" and "01" as "d" does.
QString relaxed(QString format) {
    for (const char* field : {"dd", "MM", "HH", "hh", "mm", "ss"}) {
        const QString twice = QLatin1String(field);
        const QString once = twice.left(1);
        qsizetype at = 0;
        while ((at = format.indexOf(twice, at)) >= 0) {
            const bool longer = (at > 0 && format.at(at - 1) == twice.at(0)) ||
                                (at + 2 < format.size() && format.at(at + 2) == twice.at(0));
            if (longer) {
                at += 2;
                continue;
            }
            format.replace(at, 2, once);
            at += 1;
        }
    }
    return format;
}

bool hasTwoDigitYearOnly(const QString& format) {
    return format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy"));
}

// The same sliding century the earlier version used: within 50 years of the current year.
int widenTwoDigitYear(int yearFromQt) {
    const int twoDigits = ((yearFromQt % 100) + 100) % 100;
    const int base = QDate::currentDate().year() - 50;
    int year = base - base % 100 + twoDigits;
    if (year < base)
        year += 100;
    return year;
}

struct DateFormat {
    QString text;
    bool twoDigitYear;
};

// The earlier version wrote the short date of the Windows locale, which often had a two-digit year where
// today's locale data has four ("14/11/07" under en_GB): both are read in either case.
QList<DateFormat> dateFormats(const QLocale& locale) {
    const QString shortDate = relaxed(locale.dateFormat(QLocale::ShortFormat));
    QString fourDigits = shortDate;
    QString twoDigits = shortDate;
    if (hasTwoDigitYearOnly(shortDate))
        fourDigits.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    else
        twoDigits.replace(QLatin1String("yyyy"), QLatin1String("yy"));
    if (twoDigits == fourDigits)
        return {{shortDate, false}};
    return {{fourDigits, false}, {twoDigits, true}};
}

QStringList timeFormats(const QLocale& locale) {
    return {relaxed(LocaleDateTimeText::longTimeFormatWithoutZone(locale)),
            relaxed(withoutZone(locale.timeFormat(QLocale::ShortFormat)))};
}

std::optional<QDate> parseDate(const QString& text, const QLocale& locale) {
    for (const DateFormat& format : dateFormats(locale)) {
        QDate date = locale.toDate(text, format.text);
        // A four-digit field may take "07" as the year 7; that is the two-digit form's to read.
        if (!date.isValid() || (!format.twoDigitYear && date.year() < 100))
            continue;
        if (format.twoDigitYear)
            date = QDate(widenTwoDigitYear(date.year()), date.month(), date.day());
        if (date.isValid())
            return date;
    }
    return std::nullopt;
}

std::optional<QTime> parseTime(const QString& text, const QLocale& locale) {
    for (const QString& format : timeFormats(locale)) {
        const QTime time = locale.toTime(text, format);
        if (time.isValid())
            return time;
    }
    return std::nullopt;
}

} // namespace

namespace LocaleDateTimeText {

QString longTimeFormatWithoutZone(const QLocale& locale) {
    return withoutZone(locale.timeFormat(QLocale::LongFormat));
}

QString format(const QDateTime& dateTime, const QLocale& locale) {
    QString date = locale.toString(dateTime.date(), QLocale::ShortFormat);
    if (dateTime.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(dateTime.time(), longTimeFormatWithoutZone(locale));
}

std::optional<WallClock> parse(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (const auto date = parseDate(trimmed, locale))
        return WallClock{*date, QTime(0, 0)};
    // The short date may itself contain blanks ("yy. M. d."), so every blank is a candidate split.
    for (qsizetype at = trimmed.indexOf(QLatin1Char(' ')); at > 0; at = trimmed.indexOf(QLatin1Char(' '), at + 1)) {
        const auto date = parseDate(trimmed.left(at).trimmed(), locale);
        if (!date)
            continue;
        if (const auto time = parseTime(trimmed.mid(at + 1).trimmed(), locale))
            return WallClock{*date, *time};
    }
    return std::nullopt;
}

} // namespace LocaleDateTimeText
