#pragma once

#include <QDateTime>

// The one stored date-time form: days since 30 December 1899 plus the fraction of the day, local time.
// Before the epoch the whole part counts back while the fraction still counts forward from midnight
// (-1.25 is 29 December 1899 06:00), as the stored files have always had it.
namespace DayCount {

double fromDateTime(const QDateTime& localDateTime); // NaN for an invalid date-time
double fromDate(const QDate& date);                  // midnight
// Local time, rounded to the millisecond; invalid for a count that is not finite or lies beyond any
// calendar. A count naming a local time skipped by a daylight-saving change comes back moved forward by
// the gap (02:30 on the spring change day is 03:30); one naming a time that occurs twice, as one of them.
QDateTime toDateTime(double dayCount);
QDate toDate(double dayCount);
// The wall-clock time of day the count names, rounded to the millisecond, with no daylight-saving
// adjustment (02:30 stays 02:30 on the spring change day); invalid where toDate is.
QTime toTime(double dayCount);

// The stored arithmetic, formula for formula: plus n hours = (d * 24 + n) / 24 and so on.
double addSeconds(double d, qint64 n);
double addMinutes(double d, qint64 n);
double addHours(double d, qint64 n);
double addDays(double d, qint64 n);
double addWeeks(double d, qint64 n);
// Same day of month and time of day n calendar months later; the day lowered to the last day of a
// shorter month. The stored fraction of the day is kept as it is. A count beyond any calendar, or a
// result beyond it, leaves d unchanged.
double addMonths(double d, int n);
double addYears(double d, int n);

// 1 = Sunday ... 7 = Saturday, 1 = January ... 12 = December, of the day the count falls on.
int weekday(double dayCount);
int month(double dayCount);

} // namespace DayCount
