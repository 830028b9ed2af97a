#pragma once

#include "scheduler/EventRecord.h"
#include "scheduler/NotificationSink.h"
#include "scheduler/PastAlarms.h"
#include "store/XMLIniFile.h"

#include <QLocale>

#include <cmath>

class SchedulerClock;

// The firing routines: each settles the due record in the stores (a new date, or retired, or erased),
// so an occurrence never fires twice whether it is shown or not; an alarm's decision to show is taken on the
// record before it is settled (alarmOutcome), so that a window made ahead can be shown first. They write but do not
// save: the caller batches the stores, so one firing saves each file once. They never talk to windows; the scheduler
// hands the outcome to the NotificationSink.
namespace Firing {

struct AlarmOutcome {
    AlarmNotice notice;
    bool show = false; // false: filtered out today, or late with "Bypass if delayed"
};

struct PowerOutcome {
    PowerNotice notice;
    bool startCountdown = false; // false: filtered out today, or a minute or more late
};

// The window an alarm record would show at its current "date", read without changing anything: what the firing
// hands on, so that a window made ahead from it can be checked against the firing's own.
AlarmNotice alarmNotice(const TXMLIniFile& events, const QByteArray& section,
                        const QLocale& locale = QLocale::system());

// What the firing of an alarm record shows at now, decided on the record as it stands, before the firing changes
// it: the window is then shown first and the record settled after, and both go by the one decision.
AlarmOutcome alarmOutcome(const TXMLIniFile& events, const QByteArray& section, double now,
                          const QLocale& locale = QLocale::system());
// Settles the record of the occurrence at scheduled: a one-time alarm retires through move (which the caller
// commits), a repeated one moves to its next moment after now.
void settleAlarm(TXMLIniFile& events, PastAlarms::Move& move, const QByteArray& section, double scheduled,
                 const SchedulerClock& clock);
PowerOutcome firePowerAction(TXMLIniFile& events, const QByteArray& section, const SchedulerClock& clock);
BirthdayNotice fireBirthday(TXMLIniFile& events, const QByteArray& section, const SchedulerClock& clock);

// "dddd dd/mm/yyyy HH:MM" in the locale: full weekday name, the separators of the locale's short date
// and time formats, 24-hour clock. The wall-clock time the count names, as stored.
QString scheduledMoment(double dayCount, const QLocale& locale = QLocale::system());

// Display name and act-now caption of a "shuttype": "Restart", "Restart Now". An unknown action has
// an empty name and the caption "Shut Down Now".
QString powerActionName(int action);
QString powerActionButton(int action);

// Whether the record's day and month filters let it through on the day of now ("alldays"/"Days",
// "allmonths"/"Months"). A filter string too short for today's position lets it through.
bool allowedToday(const TXMLIniFile& events, const QByteArray& section, double now);

// Writes "date" = next. The store keeps 15 significant digits, so a value a few microseconds after
// now can come back at or before it; the occurrence after the stored value is written then. A value
// that cannot be stored (not finite) leaves "date" as it is: the scheduler passes such a record over.
template <typename Advance>
void writeNextDate(TXMLIniFile& events, const QByteArray& section, double next, double now, Advance advance) {
    for (int attempt = 0; attempt < 3 && std::isfinite(next); ++attempt) {
        events.WriteDouble(section, EventRecord::Key::Date, next);
        const double stored = events.ReadDouble(section, EventRecord::Key::Date, next);
        if (stored > now)
            return;
        next = advance(stored);
    }
}

// Whole minutes from scheduled to now, the fraction cut off; counted on milliseconds so that the
// day-count rounding cannot turn 60 seconds into 59.999.
qint64 minutesLate(double scheduled, double now);

} // namespace Firing
