#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The texts the event lists, the calendar view and the tray hint show for stored values, in the user's
// locale where a date or time is shown. Stored dates are day counts.
namespace EventTexts {

// The date alone (a count of whole days, or one that names midnight to the millisecond), the time alone (a
// count below 1), or the short date, a blank and the long time (without a time-zone name).
QString dateText(double dayCount, const QLocale& locale = QLocale());
// The time of day a count names, in the long time format.
QString timeText(double dayCount, const QLocale& locale = QLocale());

// The same two texts for many counts: the locale's formats looked up once.
class DateWriter {
public:
    explicit DateWriter(const QLocale& locale = QLocale());
    QString dateText(double dayCount) const;
    QString timeText(double dayCount) const;

private:
    QLocale m_locale;
    QString m_shortDate;
    QString m_longTime;
};

// The date texts a list column can show, to measure it by: a two-digit day of every month (a locale may write
// month names), at a morning and an evening time (a locale may name them) when withTime, and the times alone.
QStringList possibleDateTexts(bool withTime, const QLocale& locale = QLocale());

// First line of a description: "(No Description)" for none, "line" for one, "line..." for more. Only the
// first line is shown, at its full length.
QString descriptionText(const QStringList& lines);
QString yesNo(bool flag);

// "No", or the count and the unit: "2 Weeks". An alarm's units run from minutes to years, a power action's
// are days and weeks; a unit outside those adds nothing.
QString alarmRepeatText(bool repeat, int repval, int reptype);
QString powerRepeatText(bool repeat, int repval, int reptype);

// "Shut Down", "Restart", "Log Off", "Hibernate", "Stand By" by "shuttype"; empty for another value.
QString powerActionName(int shutType);
// The line a power action adds to a day's summary: " - Shut Down" and so on, empty for an unknown type.
QString powerActionLine(int shutType);

// "37yrs,2m,17d.": whole 365.25-day years, then whole 30.4375-day months counted from the birthday in that
// year, then the days left, each step from a date moved by calendar months.
QString ageText(double birthDate, double now);
// An age of so many whole years, months and days.
QString ageText(qint64 years, qint64 months, qint64 days);

// "<name>'s Birthday", with " in <n> days" when it is announced n days early.
QString birthdayLine(const QString& name, int before);

} // namespace EventTexts
