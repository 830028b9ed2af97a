#include "calendar/CalendarExchange.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/Firing.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSaveFile>
#include <QSet>

#include <cstdlib>
#include <memory>
#include <optional>

extern "C" {
#include <libical/ical.h>
}

namespace CalendarExchange {

namespace {

namespace K = EventRecord::Key;

constexpr char XKind[] = "X-ZENTICK-KIND";
constexpr char XDays[] = "X-ZENTICK-DAYS";
constexpr char XMonths[] = "X-ZENTICK-MONTHS";
constexpr char XBypass[] = "X-ZENTICK-BYPASS";
constexpr char XCategory[] = "X-ZENTICK-CATEGORY";
constexpr char XAction[] = "X-ZENTICK-ACTION";

const icalrecurrencetype_frequency Frequencies[] = {ICAL_MINUTELY_RECURRENCE, ICAL_HOURLY_RECURRENCE,
                                                    ICAL_DAILY_RECURRENCE,    ICAL_WEEKLY_RECURRENCE,
                                                    ICAL_MONTHLY_RECURRENCE,  ICAL_YEARLY_RECURRENCE};
const char* const WeekdayNames[] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

struct ComponentDeleter {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

// libical reads a property without a value as damage: an empty text leaves its property out.
void addText(icalcomponent* c, icalproperty* (*make)(const char*), const QByteArray& value) {
    if (!value.isEmpty())
        icalcomponent_add_property(c, make(value.constData()));
}

void addX(icalcomponent* c, const char* name, const QByteArray& value) {
    if (value.isEmpty())
        return;
    icalproperty* p = icalproperty_new_x(value.constData());
    icalproperty_set_x_name(p, name);
    icalcomponent_add_property(c, p);
}

std::optional<QByteArray> xValue(icalcomponent* c, const char* name) {
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        const char* x = icalproperty_get_x_name(p);
        if (x && qstricmp(x, name) == 0) {
            const char* v = icalproperty_get_x(p);
            return QByteArray(v ? v : "");
        }
    }
    return std::nullopt;
}

icaltimetype floating(double dayCount, bool dateOnly) {
    icaltimetype t = icaltime_null_time();
    const QDate date = DayCount::toDate(dayCount);
    const QTime time = DayCount::toTime(dayCount);
    t.year = date.year();
    t.month = date.month();
    t.day = date.day();
    t.is_date = dateOnly ? 1 : 0;
    if (!dateOnly) {
        t.hour = time.hour();
        t.minute = time.minute();
        t.second = time.second();
    }
    return t;
}

icaltimetype utc(const QDateTime& moment) {
    return icaltime_from_timet_with_zone(moment.toSecsSinceEpoch(), 0, icaltimezone_get_utc_timezone());
}

// The moment t names, in local time: a time in a zone (UTC or a TZID) as that instant, a floating time as the
// wall-clock time it shows, a date as its midnight.
QDateTime localOf(icaltimetype t) {
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
        return {};
    // libical takes "20079218" as a date and rolls the 92nd month over; such a file names no moment.
    const QDate date(t.year, t.month, t.day);
    if (!date.isValid() || (!t.is_date && !QTime::isValid(t.hour, t.minute, t.second)))
        return {};
    if (t.is_date)
        return QDateTime(date, QTime(0, 0));
    if (t.zone)
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone)).toLocalTime();
    return QDateTime(date, QTime(t.hour, t.minute, t.second));
}

void addAlarm(icalcomponent* event, icalproperty_action action, int triggerSeconds, const QByteArray& text) {
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(action));
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(triggerSeconds);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    // A display alarm must describe itself.
    if (action == ICAL_ACTION_DISPLAY)
        icalcomponent_add_property(alarm, icalproperty_new_description(text.isEmpty() ? "Zentick" : text.constData()));
    icalcomponent_add_component(event, alarm);
}

QByteArray hashed(const QByteArray& what) {
    return QCryptographicHash::hash(what, QCryptographicHash::Sha1).toHex().left(16);
}

void addRepetition(icalcomponent* event, const TXMLIniFile& events, const QByteArray& s, bool alarm) {
    if (!events.ReadFlag(s, K::Repeat, false))
        return;
    int unit = events.ReadInt(s, K::RepType, 0);
    int count = std::max(1, events.ReadInt(s, K::RepVal, 1));
    if (!alarm) {
        // A power action counts in days or weeks.
        if (unit != 0 && unit != 1)
            return;
        unit += 2;
    }
    if (unit < 0 || unit > 5)
        unit = 0;
    icalrecurrencetype r;
    icalrecurrencetype_clear(&r);
    r.freq = Frequencies[unit];
    r.interval = short(std::min(count, 32767));
    const bool allDays = events.ReadFlag(s, K::AllDays, true);
    const bool allMonths = events.ReadFlag(s, K::AllMonths, true);
    const QByteArray days = events.ReadString(s, K::Days, {});
    const QByteArray months = events.ReadString(s, K::Months, {});
    if (!allDays && unit <= 2) {
        int n = 0;
        for (int d = 0; d < 7; ++d) {
            if (EventRecord::dayAllowed(days, d + 1))
                r.by_day[n++] = short(d + 1);
        }
        r.by_day[n] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    if (!allMonths && unit <= 4) {
        int n = 0;
        for (int m = 1; m <= 12; ++m) {
            if (EventRecord::monthAllowed(months, m))
                r.by_month[n++] = short(m);
        }
        r.by_month[n] = ICAL_RECURRENCE_ARRAY_MAX;
    }
    icalcomponent_add_property(event, icalproperty_new_rrule(r));
    if (!allDays)
        addX(event, XDays, days);
    if (!allMonths)
        addX(event, XMonths, months);
}

icalcomponent* newEvent(const QByteArray& uid, const ExportOptions& options) {
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(utc(options.stamp)));
    return event;
}

QByteArray displayText(const QStringList& lines) {
    return lines.join(u'\n').toUtf8();
}

// ---- import ----

struct Repetition {
    int count = 1;
    int unit = 0;
    QByteArray days;   // empty: every day
    QByteArray months; // empty: every month
};

bool isFilter(const QByteArray& text, qsizetype length) {
    if (text.size() != length)
        return false;
    return std::all_of(text.cbegin(), text.cend(), [](char c) { return c == '0' || c == '1'; });
}

bool emptyArray(const short* values) {
    return values[0] == ICAL_RECURRENCE_ARRAY_MAX;
}

// The rule as Zentick's repetition, when it says exactly that.
std::optional<Repetition> expressible(const icalrecurrencetype& r, icaltimetype start, icalcomponent* event) {
    Repetition out;
    const auto* unit = std::find(std::begin(Frequencies), std::end(Frequencies), r.freq);
    if (unit == std::end(Frequencies) || r.count != 0 || !icaltime_is_null_time(r.until) || r.interval < 1)
        return std::nullopt;
    out.unit = int(unit - std::begin(Frequencies));
    out.count = r.interval;
    if (!emptyArray(r.by_second) || !emptyArray(r.by_minute) || !emptyArray(r.by_hour) || !emptyArray(r.by_month_day) ||
        !emptyArray(r.by_year_day) || !emptyArray(r.by_week_no) || !emptyArray(r.by_set_pos))
        return std::nullopt;
    if (!emptyArray(r.by_day)) {
        QByteArray days(7, '0');
        for (int i = 0; i < ICAL_BY_DAY_SIZE && r.by_day[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            if (icalrecurrencetype_day_position(r.by_day[i]) != 0)
                return std::nullopt;
            const int weekday = int(icalrecurrencetype_day_day_of_week(r.by_day[i]));
            if (weekday < 1 || weekday > 7)
                return std::nullopt;
            days[weekday - 1] = '1';
        }
        const int startDay = QDate(start.year, start.month, start.day).dayOfWeek() % 7 + 1;
        if (out.unit <= 2)
            out.days = days;
        else if (out.unit != 3 || days != QByteArray(7, '0').replace(startDay - 1, 1, "1"))
            return std::nullopt;
    }
    if (!emptyArray(r.by_month)) {
        QByteArray months(12, '0');
        for (int i = 0; i < ICAL_BY_MONTH_SIZE && r.by_month[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) {
            const int month = r.by_month[i];
            if (month < 1 || month > 12)
                return std::nullopt;
            months[month - 1] = '1';
        }
        if (out.unit <= 4)
            out.months = months;
        else if (months != QByteArray(12, '0').replace(start.month - 1, 1, "1"))
            return std::nullopt;
    }
    // Our own export names the filters exactly, also where RFC 5545 has no filter for them.
    if (const auto days = xValue(event, XDays); days && isFilter(*days, 7))
        out.days = *days;
    if (const auto months = xValue(event, XMonths); months && isFilter(*months, 12))
        out.months = *months;
    return out;
}

// The first occurrence of the rule after now, within a bounded walk.
QDateTime nextOccurrence(const icalrecurrencetype& r, icaltimetype start, const QDateTime& now) {
    icalrecur_iterator* it = icalrecur_iterator_new(r, start);
    if (!it)
        return {};
    // A rule without COUNT can start its walk near now instead of at its first occurrence.
    if (r.count == 0 && !start.is_date && now.isValid()) {
        const QDateTime from = now.addDays(-1);
        icaltimetype near = start;
        near.year = from.date().year();
        near.month = from.date().month();
        near.day = from.date().day();
        if (near.year > start.year || (near.year == start.year && near.month > start.month) ||
            (near.year == start.year && near.month == start.month && near.day > start.day))
            icalrecur_iterator_set_start(it, near);
    }
    QDateTime found;
    for (int i = 0; i < 100'000; ++i) {
        const icaltimetype t = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(t))
            break;
        const QDateTime local = localOf(t);
        if (local.isValid() && local > now) {
            found = local;
            break;
        }
    }
    icalrecur_iterator_free(it);
    return found;
}

struct Valarms {
    bool any = false;
    bool audio = false;
    std::optional<int> startOffset; // seconds of the first trigger related to the start
    int noticeDays = 0;             // the largest whole-day lead
};

Valarms valarmsOf(icalcomponent* event) {
    Valarms out;
    for (icalcomponent* a = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(event, ICAL_VALARM_COMPONENT)) {
        out.any = true;
        icalproperty* action = icalcomponent_get_first_property(a, ICAL_ACTION_PROPERTY);
        if (action && icalproperty_get_action(action) == ICAL_ACTION_AUDIO)
            out.audio = true;
        icalproperty* trigger = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
        if (!trigger)
            continue;
        const icaltriggertype t = icalproperty_get_trigger(trigger);
        if (!icaltime_is_null_time(t.time))
            continue;
        const int seconds = icaldurationtype_as_int(t.duration);
        if (!out.startOffset)
            out.startOffset = seconds;
        if (seconds < 0 && seconds % 86'400 == 0)
            out.noticeDays = std::max(out.noticeDays, -seconds / 86'400);
    }
    return out;
}

// A text as the store keeps it across a save and a load: UTF-8, no control characters (a line break inside a UID
// would also end its property in an exported file), no blanks at either end (a load drops them).
QString storable(QString text) {
    text.removeIf([](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
    return text.trimmed();
}

QByteArray normalisedUid(const QByteArray& uid) {
    return storable(QString::fromUtf8(uid)).toUtf8();
}

QString titleOf(icalcomponent* c) {
    const char* summary = icalcomponent_get_summary(c);
    if (summary && *summary)
        return QString::fromUtf8(summary);
    const char* uid = icalcomponent_get_uid(c);
    return uid ? QString::fromUtf8(uid) : QStringLiteral("(no title)");
}

QStringList linesOf(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = normalised.split(u'\n');
    for (QString& line : lines)
        line = storable(line);
    return lines;
}

QString firstError(icalcomponent* c) {
    if (icalproperty* p = icalcomponent_get_first_property(c, ICAL_XLICERROR_PROPERTY)) {
        const char* text = icalproperty_get_xlicerror(p);
        return QString::fromUtf8(text ? text : "");
    }
    for (icalcomponent* inner = icalcomponent_get_first_component(c, ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(c, ICAL_ANY_COMPONENT)) {
        const QString e = firstError(inner);
        if (!e.isEmpty())
            return e;
    }
    return {};
}

class Importer {
public:
    Importer(TXMLIniFile& events, TXMLIniFile* diary, double now, ImportReport& report)
        : m_events(events)
        , m_diary(diary)
        , m_now(now)
        , m_nowLocal(DayCount::toDateTime(now))
        , m_report(report) {
        for (const QByteArray& section : events.ReadSections())
            m_uids.insert(uidOf(events, section));
    }

    // A calendar server's copy of one record, written as it stands into section: the section's old keys go, no
    // UID key is added, and a date in the past stays (the alarm is due, the server is no file of old events).
    Importer(TXMLIniFile& events, TXMLIniFile* diary, double now, ImportReport& report, const QByteArray& into)
        : m_events(events)
        , m_diary(diary)
        , m_now(now)
        , m_nowLocal(DayCount::toDateTime(now))
        , m_report(report)
        , m_into(into) {}

    const QByteArray& written() const { return m_written; }

    void event(icalcomponent* e) {
        const char* uidText = icalcomponent_get_uid(e);
        const QByteArray uid = normalisedUid(uidText ? QByteArray(uidText) : QByteArray());
        if (!exact() && !uid.isEmpty() && m_uids.contains(uid)) {
            ++m_report.alreadyThere;
            return;
        }
        const QString title = titleOf(e);
        const icaltimetype start = icalcomponent_get_dtstart(e);
        const QDateTime startLocal = localOf(start);
        if (!startLocal.isValid()) {
            note(QCoreApplication::translate("CalendarExchange", "\"%1\" has no start and was left out.").arg(title));
            return;
        }
        const QByteArray kind = xValue(e, XKind).value_or(QByteArray());
        if (kind == "power") {
            note(QCoreApplication::translate(
                     "CalendarExchange", "\"%1\" is a power action: those are set on each computer, it was left out.")
                     .arg(title));
            return;
        }
        const Valarms alarms = valarmsOf(e);
        icalproperty* rruleProperty = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY);
        if (kind == "birthday" && start.is_date) {
            const char* name = icalcomponent_get_summary(e);
            birthday(uid, storable(QString::fromUtf8(name ? name : "")), startLocal.date(), alarms);
            return;
        }
        QStringList lines;
        const char* description = icalcomponent_get_description(e);
        const QString summary = QString::fromUtf8(icalcomponent_get_summary(e) ? icalcomponent_get_summary(e) : "");
        const QString body = QString::fromUtf8(description ? description : "");
        if (!body.isEmpty() && (kind == "alarm" || body.startsWith(summary)))
            lines = linesOf(body);
        else if (!body.isEmpty())
            lines = linesOf(summary) + linesOf(body);
        else if (!summary.isEmpty())
            lines = linesOf(summary);
        // The reminder comes when the calendar's own alarm would have come.
        const int offset = alarms.startOffset.value_or(0);
        QDateTime moment = startLocal.addSecs(offset);
        std::optional<Repetition> repetition;
        if (rruleProperty) {
            const icalrecurrencetype rule = icalproperty_get_rrule(rruleProperty);
            repetition = expressible(rule, start, e);
            if (!repetition) {
                const QDateTime next = nextOccurrence(rule, start, m_nowLocal.addSecs(-offset));
                char* ruleText = icalrecurrencetype_as_string_r(const_cast<icalrecurrencetype*>(&rule));
                const QString ruleName = QString::fromUtf8(ruleText ? ruleText : "");
                std::free(ruleText);
                if (!next.isValid()) {
                    note(QCoreApplication::translate("CalendarExchange",
                                                     "\"%1\" (RRULE:%2) has no occurrence to come and was left out.")
                             .arg(title, ruleName));
                    return;
                }
                moment = next.addSecs(offset);
                note(QCoreApplication::translate(
                         "CalendarExchange",
                         "\"%1\": Zentick cannot repeat RRULE:%2; only its next occurrence, %3, was "
                         "imported.")
                         .arg(title, ruleName, moment.toString(Qt::ISODate)));
            }
        }
        double date = DayCount::fromDateTime(moment);
        if (!exact() && !repetition && !(date > m_now)) {
            note(QCoreApplication::translate("CalendarExchange", "\"%1\" (%2) lies in the past and was left out.")
                     .arg(title, moment.toString(Qt::ISODate)));
            return;
        }
        if (!exact() && repetition && !(date > m_now))
            date = EventRecord::nextAlarmOccurrence(date, repetition->unit, repetition->count, m_now);
        const QByteArray s = sectionToWrite();
        const bool sound = alarms.any ? alarms.audio : true;
        m_events.WriteFlag(s, K::Bypass, xValue(e, XBypass).value_or("0") == "1");
        m_events.WriteString(s, K::AlType, EventRecord::KindAlarm);
        m_events.WriteDouble(s, K::Date, date);
        m_events.WriteFlag(s, K::Repeat, bool(repetition));
        if (repetition) {
            m_events.WriteInt(s, K::RepVal, repetition->count);
            m_events.WriteInt(s, K::RepType, repetition->unit);
            m_events.WriteFlag(s, K::AllDays, repetition->days.isEmpty());
            m_events.WriteFlag(s, K::AllMonths, repetition->months.isEmpty());
            if (!repetition->days.isEmpty())
                m_events.WriteString(s, K::Days, repetition->days);
            if (!repetition->months.isEmpty())
                m_events.WriteString(s, K::Months, repetition->months);
        }
        m_events.WriteFlag(s, K::Sound, sound);
        // Our own export leaves an empty category out; anybody else's events are filed under General.
        const QByteArray category =
            storable(QString::fromUtf8(xValue(e, XCategory).value_or(kind == "alarm" ? QByteArray() : "General")))
                .toUtf8();
        m_events.WriteString(s, K::Category, category);
        EventRecord::writeTextBlock(m_events, s, lines);
        keepUid(s, uid);
    }

    void journal(icalcomponent* j) {
        const icaltimetype start = icalcomponent_get_dtstart(j);
        const QDateTime day = localOf(start);
        if (!day.isValid() || !m_diary)
            return;
        const char* description = icalcomponent_get_description(j);
        const QString text = QString::fromUtf8(description ? description : "");
        const QByteArray section = QByteArray::number(qint64(DayCount::fromDate(day.date())));
        const QStringList lines = linesOf(text);
        if (exact()) {
            m_diary->EraseSection(section);
            EventRecord::writeTextBlock(*m_diary, section, lines);
            m_written = section;
            ++m_report.notesAdded;
            return;
        }
        if (m_diary->HasSection(section)) {
            if (EventRecord::readTextBlock(*m_diary, section) == lines)
                ++m_report.alreadyThere;
            else
                note(QCoreApplication::translate("CalendarExchange",
                                                 "The note of %1 was left out: the diary has one for that day.")
                         .arg(day.date().toString(Qt::ISODate)));
            return;
        }
        EventRecord::writeTextBlock(*m_diary, section, lines);
        ++m_report.notesAdded;
    }

    void note(const QString& text) { m_report.notes << text; }

private:
    void birthday(const QByteArray& uid, const QString& name, QDate born, const Valarms& alarms) {
        const double birthDate = DayCount::fromDate(born);
        double next = birthDate;
        const double midnight = DayCount::fromDate(m_nowLocal.date());
        while (next < midnight)
            next = DayCount::addYears(next, 1);
        const int before = alarms.noticeDays;
        const QByteArray s = sectionToWrite();
        m_events.WriteString(s, K::AlType, EventRecord::KindBirth);
        m_events.WriteDouble(s, K::BirthDate, birthDate);
        m_events.WriteDouble(s, K::Date, DayCount::addDays(next, -before));
        m_events.WriteString(s, K::Name, name.toUtf8());
        m_events.WriteFlag(s, K::Sound, alarms.any ? alarms.audio : true);
        m_events.WriteInt(s, K::Before, before);
        keepUid(s, uid);
    }

    bool exact() const { return !m_into.isEmpty(); }

    QByteArray sectionToWrite() {
        if (!exact())
            return EventRecord::firstFreeSection(m_events);
        m_events.EraseSection(m_into);
        return m_into;
    }

    void keepUid(const QByteArray& section, const QByteArray& uid) {
        m_written = section;
        if (!exact() && !uid.isEmpty()) {
            m_events.WriteString(section, UidKey, uid);
            m_uids.insert(uid);
        }
        ++m_report.added;
    }

    TXMLIniFile& m_events;
    TXMLIniFile* m_diary;
    double m_now;
    QDateTime m_nowLocal;
    ImportReport& m_report;
    QSet<QByteArray> m_uids;
    QByteArray m_into;
    QByteArray m_written;
};

} // namespace

QByteArray uidOf(const TXMLIniFile& events, const QByteArray& section) {
    const QByteArray stored = events.ReadString(section, UidKey, {});
    if (!stored.isEmpty())
        return stored;
    const QByteArray kind = events.ReadString(section, K::AlType, EventRecord::KindAlarm);
    QByteArray what = kind + '\n' + section + '\n';
    if (kind == EventRecord::KindBirth)
        what += events.ReadString(section, K::Name, {}) + '\n' + events.ReadString(section, K::BirthDate, {});
    else
        what += EventRecord::readStoredTextBlock(events, section).join('\n');
    const QByteArray uid = "zentick-" + section + '-' + hashed(what) + "@zentick";
    return uid;
}

namespace {

bool numbered(const QByteArray& section) {
    bool number = false;
    section.toULongLong(&number);
    return number;
}

// The event of section, or null for a record the options leave out or a date no calendar can hold.
icalcomponent* eventComponent(const TXMLIniFile& events, const QByteArray& s, const QByteArray& uid,
                              const ExportOptions& options) {
    if (!numbered(s) || !events.HasSection(s))
        return nullptr;
    const QByteArray kind = events.ReadString(s, K::AlType, EventRecord::KindAlarm);
    const double date = events.ReadDouble(s, K::Date, 0);
    // A date beyond any calendar cannot be written as one; the record stays out rather than spoil the file.
    const bool dated =
        DayCount::toDate(date).isValid() && DayCount::toDate(date).year() > 0 && DayCount::toDate(date).year() <= 9999;
    if (!dated)
        return nullptr;
    if (kind == EventRecord::KindAlarm) {
        icalcomponent* e = newEvent(uid, options);
        const QStringList lines = EventRecord::readTextBlock(events, s);
        const QByteArray text = displayText(lines);
        icalcomponent_add_property(e, icalproperty_new_dtstart(floating(date, false)));
        addText(e, icalproperty_new_summary, lines.value(0).toUtf8());
        addText(e, icalproperty_new_description, text);
        addRepetition(e, events, s, true);
        if (events.ReadFlag(s, K::Bypass, false))
            addX(e, XBypass, "1");
        addX(e, XCategory, events.ReadString(s, K::Category, "General"));
        addX(e, XKind, "alarm");
        addAlarm(e, ICAL_ACTION_DISPLAY, 0, text);
        if (events.ReadFlag(s, K::Sound, true))
            addAlarm(e, ICAL_ACTION_AUDIO, 0, {});
        return e;
    }
    if (kind == EventRecord::KindBirth) {
        const QDate born = DayCount::toDate(events.ReadDouble(s, K::BirthDate, 0));
        if (!born.isValid() || born.year() <= 0 || born.year() > 9999)
            return nullptr;
        icalcomponent* e = newEvent(uid, options);
        const QByteArray name = events.ReadString(s, K::Name, {});
        icalcomponent_add_property(e, icalproperty_new_dtstart(floating(events.ReadDouble(s, K::BirthDate, 0), true)));
        addText(e, icalproperty_new_summary, name);
        icalrecurrencetype r;
        icalrecurrencetype_clear(&r);
        r.freq = ICAL_YEARLY_RECURRENCE;
        icalcomponent_add_property(e, icalproperty_new_rrule(r));
        addX(e, XKind, "birthday");
        addAlarm(e, ICAL_ACTION_DISPLAY, 0, name);
        const int before = events.ReadInt(s, K::Before, 0);
        if (before > 0)
            addAlarm(e, ICAL_ACTION_DISPLAY, -before * 86'400, name);
        if (events.ReadFlag(s, K::Sound, true))
            addAlarm(e, ICAL_ACTION_AUDIO, 0, {});
        return e;
    }
    if (kind == EventRecord::KindShut && options.powerActions) {
        icalcomponent* e = newEvent(uid, options);
        const int action = events.ReadInt(s, K::ShutType, 0);
        // The record is due 30 seconds before the action, for the countdown.
        icalcomponent_add_property(e, icalproperty_new_dtstart(floating(DayCount::addSeconds(date, 30), false)));
        addText(e, icalproperty_new_summary, Firing::powerActionName(action).toUtf8());
        addRepetition(e, events, s, false);
        addX(e, XKind, "power");
        addX(e, XAction, QByteArray::number(action));
        return e;
    }
    return nullptr;
}

QByteArray noteUid(const TXMLIniFile& diary, const QByteArray& s) {
    const QByteArray text = displayText(EventRecord::readTextBlock(diary, s));
    return "zentick-diary-" + s + '-' + hashed(text) + "@zentick";
}

icalcomponent* noteComponent(const TXMLIniFile& diary, const QByteArray& s, const QByteArray& uid,
                             const ExportOptions& options) {
    bool number = false;
    const qint64 day = s.toLongLong(&number);
    const QDate date = DayCount::toDate(double(day));
    if (!number || !diary.HasSection(s) || !date.isValid() || date.year() <= 0 || date.year() > 9999)
        return nullptr;
    icalcomponent* j = icalcomponent_new(ICAL_VJOURNAL_COMPONENT);
    const QByteArray text = displayText(EventRecord::readTextBlock(diary, s));
    icalcomponent_add_property(j, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(j, icalproperty_new_dtstamp(utc(options.stamp)));
    icalcomponent_add_property(j, icalproperty_new_dtstart(floating(double(day), true)));
    addText(j, icalproperty_new_description, text);
    return j;
}

Component newCalendar() {
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Zentick//Zentick//EN"));
    return calendar;
}

QByteArray textOf(icalcomponent* calendar) {
    char* text = icalcomponent_as_ical_string_r(calendar);
    QByteArray out(text ? text : "");
    std::free(text);
    return out;
}

QByteArray calendarOf(icalcomponent* component) {
    if (!component)
        return {};
    Component calendar = newCalendar();
    icalcomponent_add_component(calendar.get(), component);
    return textOf(calendar.get());
}

} // namespace

QByteArray exportCalendar(const TXMLIniFile& events, const TXMLIniFile* diary, const ExportOptions& options) {
    Component calendar = newCalendar();
    for (const QByteArray& s : events.ReadSections()) {
        if (icalcomponent* e = eventComponent(events, s, uidOf(events, s), options))
            icalcomponent_add_component(calendar.get(), e);
    }
    if (diary) {
        for (const QByteArray& s : diary->ReadSections()) {
            if (icalcomponent* j = noteComponent(*diary, s, noteUid(*diary, s), options))
                icalcomponent_add_component(calendar.get(), j);
        }
    }
    return textOf(calendar.get());
}

QString exportToFile(const QString& file, const TXMLIniFile& events, const TXMLIniFile* diary,
                     const ExportOptions& options) {
    const QByteArray text = exportCalendar(events, diary, options);
    QSaveFile out(file);
    // commit() alone lets a short write on a full disk pass (Qt 6.4): the flush is asked on its own.
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.flush() || !out.commit())
        return out.errorString();
    return {};
}

QByteArray eventObject(const TXMLIniFile& events, const QByteArray& section, const QByteArray& uid,
                       const ExportOptions& options) {
    ExportOptions noPower = options;
    noPower.powerActions = false;
    return calendarOf(eventComponent(events, section, uid, noPower));
}

QByteArray noteObject(const TXMLIniFile& diary, const QByteArray& section, const QByteArray& uid,
                      const ExportOptions& options) {
    return calendarOf(noteComponent(diary, section, uid, options));
}

QString ImportReport::summary() const {
    QString text = alreadyThere > 0
                       ? QCoreApplication::translate("CalendarExchange",
                                                     "Imported %1 event(s) and %2 diary note(s); %3 already there.")
                             .arg(added)
                             .arg(notesAdded)
                             .arg(alreadyThere)
                       : QCoreApplication::translate("CalendarExchange", "Imported %1 event(s) and %2 diary note(s).")
                             .arg(added)
                             .arg(notesAdded);
    text += u'\n';
    for (const QString& line : notes)
        text += line + u'\n';
    return text;
}

namespace {

// The calendar text read whole by libical, or null and the reason.
Component parsed(const QByteArray& text, QString& error) {
    // libical reads a C string: a zero byte would end the file early without a word.
    if (text.contains('\0')) {
        error =
            QCoreApplication::translate("CalendarExchange", "the file holds a zero byte, so it is no iCalendar text.");
        return {};
    }
    if (!text.trimmed().endsWith("END:VCALENDAR")) {
        error = QCoreApplication::translate("CalendarExchange",
                                            "the file does not end with END:VCALENDAR: it is cut off or no calendar.");
        return {};
    }
    Component root(icalparser_parse_string(text.constData()));
    icalerror_clear_errno();
    if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT) {
        error = QCoreApplication::translate("CalendarExchange",
                                            "the file is no iCalendar calendar (BEGIN:VCALENDAR ... END:VCALENDAR).");
        return {};
    }
    const QString damage = firstError(root.get());
    if (!damage.isEmpty()) {
        error = QCoreApplication::translate("CalendarExchange", "libical found it damaged: %1").arg(damage);
        return {};
    }
    return root;
}

// The one event or journal a server's calendar object holds (a repeating event's exceptions are not Zentick's).
icalcomponent* mainComponent(icalcomponent* root) {
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if ((kind == ICAL_VEVENT_COMPONENT || kind == ICAL_VJOURNAL_COMPONENT) &&
            !icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
            return c;
    }
    return nullptr;
}

} // namespace

ObjectRecord readObject(const QByteArray& text) {
    ObjectRecord out;
    Component root = parsed(text, out.error);
    if (!root)
        return out;
    icalcomponent* c = mainComponent(root.get());
    if (!c) {
        out.error = QStringLiteral("the object holds no event and no journal.");
        return out;
    }
    const char* uid = icalcomponent_get_uid(c);
    out.uid = normalisedUid(uid ? QByteArray(uid) : QByteArray());
    out.title = titleOf(c);
    if (icalcomponent_isa(c) == ICAL_VJOURNAL_COMPONENT) {
        const QDateTime day = localOf(icalcomponent_get_dtstart(c));
        if (!day.isValid()) {
            out.error = QStringLiteral("\"%1\" has no date.").arg(out.title);
            return out;
        }
        out.kind = ObjectRecord::Note;
        out.day = QByteArray::number(qint64(DayCount::fromDate(day.date())));
        out.title = day.date().toString(Qt::ISODate);
        return out;
    }
    if (xValue(c, XKind).value_or(QByteArray()) == "power") {
        out.error = QStringLiteral("\"%1\" is a power action: those are set on each computer.").arg(out.title);
        return out;
    }
    out.kind = ObjectRecord::Event;
    return out;
}

QByteArray writeObject(const QByteArray& text, TXMLIniFile& events, TXMLIniFile& diary, const QByteArray& section,
                       double now) {
    QString error;
    Component root = parsed(text, error);
    icalcomponent* c = root ? mainComponent(root.get()) : nullptr;
    if (!c)
        return {};
    ImportReport report;
    TXMLIniFile::Batch eventsBatch(events);
    TXMLIniFile::Batch diaryBatch(diary);
    Importer importer(events, &diary, now, report, section);
    if (icalcomponent_isa(c) == ICAL_VJOURNAL_COMPONENT)
        importer.journal(c);
    else
        importer.event(c);
    eventsBatch.commit();
    diaryBatch.commit();
    return importer.written();
}

ImportReport importCalendar(const QByteArray& text, TXMLIniFile& events, TXMLIniFile* diary, double now) {
    ImportReport report;
    Component root = parsed(text, report.error);
    if (!root)
        return report;
    TXMLIniFile::Batch eventsBatch(events);
    std::optional<TXMLIniFile::Batch> diaryBatch;
    if (diary)
        diaryBatch.emplace(*diary);
    Importer importer(events, diary, now, report);
    int todos = 0;
    int others = 0;
    for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(root.get(), ICAL_ANY_COMPONENT)) {
        switch (icalcomponent_isa(c)) {
        case ICAL_VEVENT_COMPONENT:
            importer.event(c);
            break;
        case ICAL_VJOURNAL_COMPONENT:
            importer.journal(c);
            break;
        case ICAL_VTODO_COMPONENT:
            ++todos;
            break;
        case ICAL_VTIMEZONE_COMPONENT:
            break;
        default:
            ++others;
        }
    }
    if (todos > 0)
        importer.note(
            QCoreApplication::translate("CalendarExchange", "%1 to-do(s) left out: Zentick keeps no to-do list.")
                .arg(todos));
    if (others > 0)
        importer.note(
            QCoreApplication::translate("CalendarExchange", "%1 other part(s) (free/busy times and the like) left out.")
                .arg(others));
    eventsBatch.commit();
    if (diaryBatch)
        diaryBatch->commit();
    return report;
}

} // namespace CalendarExchange
