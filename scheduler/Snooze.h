#pragma once

#include "scheduler/NotificationSink.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>

#include <optional>

class SchedulerClock;
class TXMLIniFile;

// A shown alarm or birthday put off to a later moment. Each snooze is a section of the settings store of its
// own ("snooze.0", "snooze.1", ...): every reader of that store looks its keys up in "settings" and
// "categories" by name, so an earlier version reads past these sections and keeps them when it saves. They stay
// out of the event store, whose every section the lists, the calendar and the tray hint take for a record.
//
// A snooze holds what the window showed (the text, the sound, the moment the occurrence was due), not a
// pointer into the event store: the occurrence itself was settled when it fired, exactly as "OK" leaves it (a
// one-time alarm is already a past alarm, a repeating one points to its next occurrence), so a snooze never
// moves a repetition's grid and comes back even when its record has gone since.
//
// The moment is kept as an instant ("until": milliseconds since 1970 UTC) beside its local day count ("date",
// for people reading the file): ten minutes stay ten minutes across a daylight-saving change, and a snooze
// that came due while the computer slept or the program was not running fires at the first tick after.
namespace Snooze {

inline constexpr char SectionPrefix[] = "snooze.";

namespace Key {
inline constexpr char Kind[] = "kind"; // "alarm" or "birth", as "altype"
inline constexpr char Of[] = "of";     // the event record the occurrence came from
inline constexpr char Until[] = "until";
inline constexpr char Date[] = "date";
inline constexpr char Scheduled[] = "scheduled"; // day count the occurrence was due at
inline constexpr char Sound[] = "sound";
// and the text block ("linecount", "0", "1", ...) of the lines shown
} // namespace Key

enum class Kind { Alarm, Birthday };

struct Entry {
    QByteArray id; // its section
    Kind kind = Kind::Alarm;
    QByteArray of;
    qint64 untilMs = 0;
    double scheduled = 0;
    bool sound = true;
    QStringList lines; // the alarm's description, or the birthday greeting line by line
};

// The lengths the window offers, in minutes.
inline constexpr int Lengths[] = {5, 10, 15, 30, 60};
inline constexpr int DefaultLength = 10;

// The instant minutes from now.
qint64 after(const SchedulerClock& clock, int minutes);
// The next time the wall clock shows at (today, or tomorrow when it has passed); a time that a daylight-saving
// change skips today is taken as the moment right after the gap.
qint64 nextAt(const SchedulerClock& clock, QTime at);

// Stores the snooze with one save and returns its section. Throws Exception when the save fails: the store then
// holds no part of it, on disk or in memory. An instant that is not after now is refused the same way
// (std::invalid_argument), so a snooze never fires at the tick after it was made by mistake.
QByteArray snoozeAlarm(TXMLIniFile& store, const AlarmNotice& notice, qint64 untilMs, const SchedulerClock& clock);
QByteArray snoozeBirthday(TXMLIniFile& store, const BirthdayNotice& notice, qint64 untilMs,
                          const SchedulerClock& clock);

// Takes a snooze back; false when there was none of that id. One save.
bool cancel(TXMLIniFile& store, const QByteArray& id);

// Every snooze, soonest first. A section whose "until" is no number is no snooze of ours.
QList<Entry> entries(const TXMLIniFile& store);
std::optional<Entry> entry(const TXMLIniFile& store, const QByteArray& id);

// What the window shows again. The alarm offers "Disable Repetition" while its record still repeats.
AlarmNotice alarmNotice(const Entry& entry, const TXMLIniFile& events, const QLocale& locale);
BirthdayNotice birthdayNotice(const Entry& entry);

} // namespace Snooze

// Skipping the next occurrence of a repeating alarm without switching it off: its "date" steps one
// repetition past the next occurrence that would be shown (one the day or month filter drops would not have
// been), on the same grid.
namespace SkipOccurrence {

// The day count of the occurrence skipped; nullopt, writing nothing, for a record that is no repeating alarm.
// One save; throws Exception when it fails, the record then unchanged.
std::optional<double> skipNext(TXMLIniFile& events, const QByteArray& section);

} // namespace SkipOccurrence
