#include "scheduler/DayCount.h"

#include <QtNumeric>

#include <cmath>

namespace {

constexpr qint64 MsPerDay = 86'400'000;

qint64 epochJulianDay() {
    static const qint64 jd = QDate(1899, 12, 30).toJulianDay();
    return jd;
}

// The count as a linear millisecond position: whole days from the epoch times a day, plus the time of
// day. The sign of the whole part only says which way the days count; the fraction always counts
// forward from that day's midnight.
bool toLinearMs(double dayCount, qint64& linear) {
    // Beyond this the day no longer fits a QDate, and the multiplication would overflow.
    if (!std::isfinite(dayCount) || std::fabs(dayCount) > 1.0e11)
        return false;
    const double whole = std::trunc(dayCount);
    const double fraction = std::fabs(dayCount - whole); // exact in binary floating point
    linear = static_cast<qint64>(whole) * MsPerDay + std::llround(fraction * MsPerDay);
    return true;
}

qint64 floorDiv(qint64 a, qint64 b) {
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

double encode(qint64 days, double fraction) {
    const auto whole = static_cast<double>(days);
    return days < 0 ? whole - fraction : whole + fraction;
}

} // namespace

namespace DayCount {

double fromDateTime(const QDateTime& localDateTime) {
    if (!localDateTime.isValid())
        return qQNaN();
    const QDateTime local = localDateTime.toLocalTime();
    const qint64 days = local.date().toJulianDay() - epochJulianDay();
    return encode(days, local.time().msecsSinceStartOfDay() / double(MsPerDay));
}

double fromDate(const QDate& date) {
    return static_cast<double>(date.toJulianDay() - epochJulianDay());
}

// A count naming a local time that the clock skips (the spring gap of daylight saving) is read with the
// offset in force before the gap, which moves it forward by the gap's length (02:30 becomes 03:30), so
// an alarm set inside the gap still comes, just after it. A time that occurs twice in autumn gives
// whichever of the two QDateTime picks.
QDateTime toDateTime(double dayCount) {
    qint64 linear = 0;
    if (!toLinearMs(dayCount, linear))
        return {};
    const qint64 days = floorDiv(linear, MsPerDay);
    const int msOfDay = static_cast<int>(linear - days * MsPerDay);
    const QDate date = QDate::fromJulianDay(epochJulianDay() + days);
    const QTime time = QTime::fromMSecsSinceStartOfDay(msOfDay);
    QDateTime local(date, time);
    if (local.isValid() || !date.isValid())
        return local;
    const qint64 wallAsUtc = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    const int offsetBefore = QDateTime::fromMSecsSinceEpoch(wallAsUtc - MsPerDay).offsetFromUtc();
    return QDateTime::fromMSecsSinceEpoch(wallAsUtc - qint64(offsetBefore) * 1000);
}

QDate toDate(double dayCount) {
    qint64 linear = 0;
    if (!toLinearMs(dayCount, linear))
        return {};
    return QDate::fromJulianDay(epochJulianDay() + floorDiv(linear, MsPerDay));
}

QTime toTime(double dayCount) {
    qint64 linear = 0;
    if (!toLinearMs(dayCount, linear))
        return {};
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(linear - floorDiv(linear, MsPerDay) * MsPerDay));
}

double addSeconds(double d, qint64 n) {
    return (d * 86400.0 + static_cast<double>(n)) / 86400.0;
}

double addMinutes(double d, qint64 n) {
    return (d * 1440.0 + static_cast<double>(n)) / 1440.0;
}

double addHours(double d, qint64 n) {
    return (d * 24.0 + static_cast<double>(n)) / 24.0;
}

double addDays(double d, qint64 n) {
    return d + static_cast<double>(n);
}

double addWeeks(double d, qint64 n) {
    return d + 7.0 * static_cast<double>(n);
}

// The time of day is carried over as the stored fraction itself, not as rounded milliseconds, so a
// month step changes nothing but the day.
double addMonths(double d, int n) {
    if (!std::isfinite(d) || std::fabs(d) > 1.0e11)
        return d;
    const double whole = std::trunc(d);
    const double fraction = std::fabs(d - whole);
    const QDate day = QDate::fromJulianDay(epochJulianDay() + static_cast<qint64>(whole));
    // QDate::addMonths lowers the day to the last day of a shorter month.
    const QDate target = day.addMonths(n);
    if (!target.isValid())
        return d;
    return encode(target.toJulianDay() - epochJulianDay(), fraction);
}

double addYears(double d, int n) {
    return addMonths(d, 12 * n);
}

int weekday(double dayCount) {
    const QDate date = toDate(dayCount);
    return date.isValid() ? date.dayOfWeek() % 7 + 1 : 0;
}

int month(double dayCount) {
    const QDate date = toDate(dayCount);
    return date.isValid() ? date.month() : 0;
}

} // namespace DayCount
