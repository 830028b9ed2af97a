#include "scheduler/EventRecord.h"

namespace EventRecord {

// A position the string is too short for is allowed: the editors always write full strings, and a
// damaged one should rather let an alarm through than silence it.
bool dayAllowed(const QByteArray& days, int weekday) {
    return weekday < 1 || weekday > days.size() || days.at(weekday - 1) != '0';
}

bool monthAllowed(const QByteArray& months, int month) {
    return month < 1 || month > months.size() || months.at(month - 1) != '0';
}

QByteArray dayString(const bool (&allowed)[7]) {
    QByteArray text;
    for (bool a : allowed)
        text.append(a ? '1' : '0');
    return text;
}

QByteArray monthString(const bool (&allowed)[12]) {
    QByteArray text;
    for (bool a : allowed)
        text.append(a ? '1' : '0');
    return text;
}

} // namespace EventRecord
