#include "scheduler/Snooze.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/Firing.h"
#include "scheduler/SchedulerClock.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <stdexcept>

namespace Snooze {

namespace {

bool isSnoozeSection(const QByteArray& section) {
    return section.startsWith(SectionPrefix);
}

QByteArray firstFreeId(const TXMLIniFile& store) {
    for (qint64 n = 0;; ++n) {
        const QByteArray id = SectionPrefix + QByteArray::number(n);
        if (!store.HasSection(id))
            return id;
    }
}

QByteArray write(TXMLIniFile& store, const QByteArray& kind, const QByteArray& of, qint64 untilMs, double scheduled,
                 bool sound, const QStringList& lines, const SchedulerClock& clock) {
    if (untilMs <= clock.epochMs())
        throw std::invalid_argument("a snooze must end after now");
    const QByteArray id = firstFreeId(store);
    TXMLIniFile::Batch batch(store);
    store.WriteString(id, Key::Kind, kind);
    store.WriteString(id, Key::Of, of.isEmpty() ? QByteArrayLiteral("-") : of);
    store.WriteString(id, Key::Until, QByteArray::number(untilMs));
    store.WriteDouble(id, Key::Date, DayCount::fromDateTime(QDateTime::fromMSecsSinceEpoch(untilMs)));
    store.WriteDouble(id, Key::Scheduled, scheduled);
    store.WriteFlag(id, Key::Sound, sound);
    EventRecord::writeTextBlock(store, id, lines);
    batch.commit();
    return id;
}

} // namespace

qint64 after(const SchedulerClock& clock, int minutes) {
    return clock.epochMs() + qint64(minutes) * 60'000;
}

qint64 nextAt(const SchedulerClock& clock, QTime at) {
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(clock.epochMs());
    QDateTime candidate(now.date(), at);
    // Qt moves a wall-clock time inside a spring-forward gap to after the gap.
    if (candidate.toMSecsSinceEpoch() <= now.toMSecsSinceEpoch())
        candidate = QDateTime(now.date().addDays(1), at);
    return candidate.toMSecsSinceEpoch();
}

QByteArray snoozeAlarm(TXMLIniFile& store, const AlarmNotice& notice, qint64 untilMs, const SchedulerClock& clock) {
    return write(store, EventRecord::KindAlarm, notice.section, untilMs, notice.scheduled, notice.sound, notice.lines,
                 clock);
}

QByteArray snoozeBirthday(TXMLIniFile& store, const BirthdayNotice& notice, qint64 untilMs,
                          const SchedulerClock& clock) {
    return write(store, EventRecord::KindBirth, notice.section, untilMs, notice.scheduled, notice.sound,
                 notice.greeting.split(u'\n'), clock);
}

bool cancel(TXMLIniFile& store, const QByteArray& id) {
    if (!isSnoozeSection(id) || !store.HasSection(id))
        return false;
    store.EraseSection(id);
    return true;
}

std::optional<Entry> entry(const TXMLIniFile& store, const QByteArray& id) {
    if (!isSnoozeSection(id) || !store.HasSection(id))
        return std::nullopt;
    bool ok = false;
    const qint64 until = store.ReadString(id, Key::Until, {}).toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    Entry e;
    e.id = id;
    e.kind = store.ReadString(id, Key::Kind, EventRecord::KindAlarm) == EventRecord::KindBirth ? Kind::Birthday
                                                                                               : Kind::Alarm;
    e.of = store.ReadString(id, Key::Of, {});
    if (e.of == "-")
        e.of.clear();
    e.untilMs = until;
    e.scheduled = store.ReadDouble(id, Key::Scheduled, 0);
    e.sound = store.ReadFlag(id, Key::Sound, true);
    e.lines = EventRecord::readTextBlock(store, id);
    return e;
}

QList<Entry> entries(const TXMLIniFile& store) {
    QList<Entry> all;
    for (const QByteArray& section : store.ReadSections()) {
        if (const std::optional<Entry> e = entry(store, section))
            all.append(*e);
    }
    std::stable_sort(all.begin(), all.end(), [](const Entry& a, const Entry& b) { return a.untilMs < b.untilMs; });
    return all;
}

AlarmNotice alarmNotice(const Entry& entry, const TXMLIniFile& events, const QLocale& locale) {
    using namespace EventRecord;
    AlarmNotice notice;
    notice.section = entry.of;
    notice.scheduled = entry.scheduled;
    notice.header = QCoreApplication::translate("Firing", "This Alarm scheduled for:\n%1")
                        .arg(Firing::scheduledMoment(entry.scheduled, locale));
    notice.lines = entry.lines;
    notice.sound = entry.sound;
    notice.showStopSound = entry.sound;
    notice.showDisableRepetition = !entry.of.isEmpty() && events.HasSection(entry.of) &&
                                   events.ReadString(entry.of, EventRecord::Key::AlType, KindAlarm) == KindAlarm &&
                                   events.ReadFlag(entry.of, EventRecord::Key::Repeat, false);
    return notice;
}

BirthdayNotice birthdayNotice(const Entry& entry) {
    BirthdayNotice notice;
    notice.section = entry.of;
    notice.scheduled = entry.scheduled;
    notice.greeting = entry.lines.join(u'\n');
    notice.sound = entry.sound;
    notice.showStopSound = entry.sound;
    return notice;
}

} // namespace Snooze

namespace SkipOccurrence {

std::optional<double> skipNext(TXMLIniFile& events, const QByteArray& section) {
    using namespace EventRecord;
    if (!events.HasSection(section) || events.ReadString(section, Key::AlType, KindAlarm) != KindAlarm ||
        !events.ReadFlag(section, Key::Repeat, false))
        return std::nullopt;
    const int reptype = events.ReadInt(section, Key::RepType, 0);
    const int repval = events.ReadInt(section, Key::RepVal, 1);
    double next = events.ReadDouble(section, Key::Date, 0);
    // The first occurrence the filters let through; a filter that lets nothing through (all "0") would have no
    // end, so the walk is bounded and then skips the plain next occurrence.
    double shown = next;
    for (int step = 0; step < 10'000; ++step) {
        if (Firing::allowedToday(events, section, next)) {
            shown = next;
            break;
        }
        next = addAlarmUnits(next, reptype, repval);
    }
    const double after = addAlarmUnits(shown, reptype, repval);
    if (!(after > shown))
        return std::nullopt;
    events.WriteDouble(section, Key::Date, after);
    return shown;
}

} // namespace SkipOccurrence
