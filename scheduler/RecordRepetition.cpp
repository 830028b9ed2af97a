#include "scheduler/EventRecord.h"

#include "scheduler/DayCount.h"
#include "scheduler/Recurrence.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace EventRecord {

namespace {

constexpr double Never = std::numeric_limits<double>::infinity();

qint64 count(int repval) {
    return repval < 1 ? 1 : repval;
}

int alarmUnit(int reptype) {
    return reptype >= 0 && reptype <= int(AlarmUnit::Years) ? reptype : int(AlarmUnit::Minutes);
}

// Months for a month or year step, or -1 when the count cannot be expressed.
qint64 monthsPerStep(int unit, qint64 n) {
    const qint64 months = unit == int(AlarmUnit::Years) ? 12 * n : n;
    return months <= INT_MAX ? months : -1;
}

double catchUpAlarm(double d, int unit, qint64 n, double now) {
    switch (AlarmUnit(unit)) {
    case AlarmUnit::Minutes:
        return Recurrence::catchUpLinear(d, now, 1440.0, double(n));
    case AlarmUnit::Hours:
        return Recurrence::catchUpLinear(d, now, 24.0, double(n));
    case AlarmUnit::Days:
        return Recurrence::catchUpLinear(d, now, 1.0, double(n));
    case AlarmUnit::Weeks:
        return Recurrence::catchUpLinear(d, now, 1.0, 7.0 * double(n));
    case AlarmUnit::Months:
    case AlarmUnit::Years: {
        const qint64 months = monthsPerStep(unit, n);
        return months < 0 ? Never : Recurrence::catchUpMonths(d, now, int(months));
    }
    }
    return Never;
}

// A date so far from today that a step no longer moves it (or beyond any calendar) gives no next
// occurrence; the repetition then starts over from now rather than leaving the record due for good.
template <typename CatchUp> double catchUpOrStartOver(double d, double now, CatchUp catchUp) {
    const double next = catchUp(d);
    if (next == Never && std::isfinite(d) && d <= now)
        return catchUp(now);
    return next;
}

} // namespace

double addAlarmUnits(double d, int reptype, int repval) {
    const qint64 n = count(repval);
    const int unit = alarmUnit(reptype);
    switch (AlarmUnit(unit)) {
    case AlarmUnit::Minutes:
        return DayCount::addMinutes(d, n);
    case AlarmUnit::Hours:
        return DayCount::addHours(d, n);
    case AlarmUnit::Days:
        return DayCount::addDays(d, n);
    case AlarmUnit::Weeks:
        return DayCount::addWeeks(d, n);
    case AlarmUnit::Months:
    case AlarmUnit::Years: {
        const qint64 months = monthsPerStep(unit, n);
        return months < 0 ? Never : DayCount::addMonths(d, int(months));
    }
    }
    return d;
}

std::optional<double> addPowerUnits(double d, int reptype, int repval) {
    switch (reptype) {
    case int(PowerUnit::Days):
        return DayCount::addDays(d, count(repval));
    case int(PowerUnit::Weeks):
        return DayCount::addWeeks(d, count(repval));
    default:
        return std::nullopt;
    }
}

double nextAlarmOccurrence(double d, int reptype, int repval, double now) {
    const int unit = alarmUnit(reptype);
    const qint64 n = count(repval);
    return catchUpOrStartOver(d, now, [&](double from) { return catchUpAlarm(from, unit, n, now); });
}

double nextPowerOccurrence(double d, int reptype, int repval, double now) {
    if (reptype != int(PowerUnit::Days) && reptype != int(PowerUnit::Weeks))
        return d;
    const double increment = reptype == int(PowerUnit::Days) ? double(count(repval)) : 7.0 * double(count(repval));
    return catchUpOrStartOver(d, now,
                              [&](double from) { return Recurrence::catchUpLinear(from, now, 1.0, increment); });
}

} // namespace EventRecord
