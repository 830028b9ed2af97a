#include "scripting/ScriptActions.h"

#include "calendar/CalendarExchange.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/Firing.h"
#include "scheduler/PastAlarms.h"
#include "store/Exception.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>

namespace Script {

namespace {

namespace K = EventRecord::Key;

QString messageOf(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Exception*>(&e))
        return own->message();
    return QString::fromUtf8(e.what());
}

QString isoOf(double dayCount) {
    return DayCount::toDateTime(dayCount).toString(Qt::ISODate);
}

// The keys in the order the editors' commit writes them, so the file cannot tell the two apart.
void writeAlarm(TXMLIniFile& store, const QByteArray& s, double date, const Request& r, const QString& category) {
    store.WriteFlag(s, K::Bypass, false);
    store.WriteString(s, K::AlType, EventRecord::KindAlarm);
    store.WriteDouble(s, K::Date, date);
    store.WriteFlag(s, K::Repeat, r.repeatCount > 0);
    if (r.repeatCount > 0) {
        store.WriteInt(s, K::RepVal, r.repeatCount);
        store.WriteInt(s, K::RepType, r.repeatUnit);
        store.WriteFlag(s, K::AllDays, true);
        store.WriteFlag(s, K::AllMonths, true);
    }
    store.WriteFlag(s, K::Sound, r.sound);
    store.WriteString(s, K::Category, category.toUtf8());
    EventRecord::writeTextBlock(store, s, EventRecord::textLines(r.text, EventRecord::EmptyText::OneEmptyLine));
}

} // namespace

std::optional<Reply> refusalOf(const Request& r, double now, const QLocale& locale) {
    if (r.action == Action::AddAlarm) {
        if (r.text.isEmpty())
            return Reply::refused(QCoreApplication::translate("Script", "The alarm has no text."));
        if (r.at.isEmpty())
            return Reply::refused(QCoreApplication::translate("Script", "--add-alarm needs --at \"DATE TIME\"."));
        const QDateTime moment = parseMoment(r.at, locale);
        if (!moment.isValid())
            return Reply::refused(QCoreApplication::translate(
                                      "Script", "\"%1\" is no date and time: write it as 2026-05-04 09:30 or as %2.")
                                      .arg(r.at, locale.dateTimeFormat(QLocale::ShortFormat)));
        if (r.repeatCount < 0 || r.repeatCount > 9999 || r.repeatUnit < 0 || r.repeatUnit > 5)
            return Reply::refused(QCoreApplication::translate("Script", "The repetition is not one Zentick knows."));
        const double date = DayCount::fromDateTime(moment);
        if (r.repeatCount == 0 && !(date > now))
            return Reply::refused(
                QCoreApplication::translate("Script", "%1 has passed: a one-time alarm must lie ahead.")
                    .arg(moment.toString(Qt::ISODate)));
    } else if (r.action == Action::AddBirthday) {
        if (r.name.trimmed().isEmpty())
            return Reply::refused(QCoreApplication::translate("Script", "The birthday has no name."));
        if (r.born.isEmpty())
            return Reply::refused(QCoreApplication::translate("Script", "--add-birthday needs --born DATE."));
        const QDate born = parseDate(r.born, locale);
        if (!born.isValid())
            return Reply::refused(
                QCoreApplication::translate("Script", "\"%1\" is no date: write it as 1980-05-10 or as %2.")
                    .arg(r.born, locale.dateFormat(QLocale::ShortFormat)));
        const QDate today = DayCount::toDate(now);
        if (born > today)
            return Reply::refused(
                QCoreApplication::translate("Script", "%1 lies in the future.").arg(born.toString(Qt::ISODate)));
        if (r.notice < 0 || r.notice > 365)
            return Reply::refused(QCoreApplication::translate("Script", "The notice must be from 0 to 365 days."));
    }
    return std::nullopt;
}

namespace {

Reply addAlarm(const Request& r, const Stores& stores, double now, const QLocale& locale) {
    if (std::optional<Reply> refused = refusalOf(r, now, locale))
        return *refused;
    const QDateTime moment = parseMoment(r.at, locale);
    double date = DayCount::fromDateTime(moment);
    // A repetition that began in the past starts at its first occurrence to come, as if it had been running.
    if (r.repeatCount > 0 && !(date > now))
        date = EventRecord::nextAlarmOccurrence(date, r.repeatUnit, r.repeatCount, now);
    const QString category = r.category.isEmpty() ? QStringLiteral("General") : r.category;
    if (!categories(stores.settings).contains(category))
        return Reply::refused(QCoreApplication::translate("Script", "There is no category \"%1\"; there are: %2.")
                                  .arg(category, categories(stores.settings).join(QStringLiteral(", "))));
    const QByteArray section = EventRecord::firstFreeSection(*stores.events);
    TXMLIniFile::Batch batch(*stores.events);
    writeAlarm(*stores.events, section, date, r, category);
    batch.commit();
    Reply reply;
    reply.section = section;
    reply.changed = true;
    // A script takes the new event's section from this line: it stays the same in every language.
    reply.out = QStringLiteral("Added alarm %1 for %2.\n").arg(QString::fromUtf8(section), isoOf(date));
    return reply;
}

Reply addBirthday(const Request& r, const Stores& stores, double now, const QLocale& locale) {
    if (std::optional<Reply> refused = refusalOf(r, now, locale))
        return *refused;
    const QDate born = parseDate(r.born, locale);
    const QDate today = DayCount::toDate(now);
    const double birthDate = DayCount::fromDate(born);
    // As the editor: from the date of birth a year at a time, so a 29th of February that became the 28th stays.
    double next = birthDate;
    const double midnight = DayCount::fromDate(today);
    while (next < midnight)
        next = DayCount::addYears(next, 1);
    const double date = DayCount::addDays(next, -r.notice);
    const QByteArray section = EventRecord::firstFreeSection(*stores.events);
    TXMLIniFile& store = *stores.events;
    TXMLIniFile::Batch batch(store);
    store.WriteString(section, K::AlType, EventRecord::KindBirth);
    store.WriteDouble(section, K::BirthDate, birthDate);
    store.WriteDouble(section, K::Date, date);
    store.WriteString(section, K::Name, r.name.toUtf8());
    store.WriteFlag(section, K::Sound, r.sound);
    store.WriteInt(section, K::Before, r.notice);
    batch.commit();
    Reply reply;
    reply.section = section;
    reply.changed = true;
    // As "Added alarm": the same in every language.
    reply.out = QStringLiteral("Added birthday %1, next reminder %2.\n").arg(QString::fromUtf8(section), isoOf(date));
    return reply;
}

bool isRecord(const TXMLIniFile& events, const QByteArray& section) {
    bool number = false;
    section.toULongLong(&number);
    return number && events.HasSection(section);
}

Reply list(const Request& r, const Stores& stores) {
    Reply reply;
    for (const QByteArray& section : stores.events->ReadSections()) {
        if (isRecord(*stores.events, section))
            reply.events.append(describe(*stores.events, section));
    }
    if (r.json) {
        reply.out = QString::fromUtf8(QJsonDocument(reply.events).toJson(QJsonDocument::Indented));
        return reply;
    }
    for (const QJsonValue& value : std::as_const(reply.events)) {
        const QJsonObject e = value.toObject();
        QString text = e.value(QLatin1String("text")).toString();
        text.replace(u'\n', QStringLiteral(" / "));
        reply.out += QStringLiteral("%1\t%2\t%3\t%4\n")
                         .arg(e.value(QLatin1String("section")).toString(), e.value(QLatin1String("kind")).toString(),
                              e.value(QLatin1String("next")).toString(), text);
    }
    return reply;
}

Reply remove(const Request& r, const Stores& stores) {
    if (!isRecord(*stores.events, r.section))
        return Reply::refused(
            QCoreApplication::translate("Script", "There is no event \"%1\"; zentick --list shows them.")
                .arg(QString::fromUtf8(r.section)));
    TXMLIniFile& events = *stores.events;
    const QByteArray kind = events.ReadString(r.section, K::AlType, EventRecord::KindAlarm);
    // As "Delete" on the lists: an alarm is kept among the past alarms, the others go.
    if (kind == EventRecord::KindAlarm)
        PastAlarms::retire(events, *stores.pastAlarms, r.section, events.ReadDouble(r.section, K::Date, 0));
    else
        events.EraseSection(r.section);
    Reply reply;
    reply.changed = true;
    reply.out = QCoreApplication::translate("Script", "Deleted event %1.\n").arg(QString::fromUtf8(r.section));
    return reply;
}

Reply exportTo(const Request& r, const Stores& stores) {
    CalendarExchange::ExportOptions options;
    options.powerActions = r.powerActions;
    // An earlier file of that name stays whole when the new one cannot be written.
    const QString error = CalendarExchange::exportToFile(r.file, *stores.events, stores.diary, options);
    if (!error.isEmpty())
        return Reply::failed(QCoreApplication::translate("Script", "Cannot write \"%1\": %2").arg(r.file, error));
    Reply reply;
    reply.out = QCoreApplication::translate("Script", "Exported to %1.\n").arg(r.file);
    return reply;
}

Reply importFrom(const Request& r, const Stores& stores, double now) {
    QFile file(r.file);
    if (!file.open(QIODevice::ReadOnly))
        return Reply::failed(
            QCoreApplication::translate("Script", "Cannot read \"%1\": %2").arg(r.file, file.errorString()));
    const CalendarExchange::ImportReport report =
        CalendarExchange::importCalendar(file.readAll(), *stores.events, stores.diary, now);
    if (!report.error.isEmpty())
        return Reply::refused(
            QCoreApplication::translate("Script", "\"%1\" was not imported: %2").arg(r.file, report.error));
    Reply reply;
    reply.changed = report.added > 0;
    reply.out = report.summary();
    return reply;
}

} // namespace

QJsonObject Reply::toJson() const {
    QJsonObject o;
    o[QLatin1String("status")] = status;
    o[QLatin1String("out")] = out;
    o[QLatin1String("error")] = error;
    o[QLatin1String("section")] = QString::fromUtf8(section);
    o[QLatin1String("events")] = events;
    o[QLatin1String("changed")] = changed;
    return o;
}

Reply Reply::fromJson(const QJsonObject& o) {
    Reply r;
    r.status = o.value(QLatin1String("status")).toInt(Failed);
    r.out = o.value(QLatin1String("out")).toString();
    r.error = o.value(QLatin1String("error")).toString();
    r.section = o.value(QLatin1String("section")).toString().toUtf8();
    r.events = o.value(QLatin1String("events")).toArray();
    r.changed = o.value(QLatin1String("changed")).toBool();
    return r;
}

Reply Reply::refused(const QString& message) {
    Reply r;
    r.status = Refused;
    r.error = message;
    return r;
}

Reply Reply::failed(const QString& message) {
    Reply r;
    r.status = Failed;
    r.error = message;
    return r;
}

QStringList categories(const TXMLIniFile* settings) {
    QStringList names{QStringLiteral("General")};
    if (!settings)
        return names;
    const int count = settings->ReadInt("categories", "count", 0);
    for (int i = 0; i < count; ++i) {
        const QByteArray name = settings->ReadString("categories", QByteArray::number(i), {});
        if (!name.isEmpty())
            names << QString::fromUtf8(name);
    }
    return names;
}

QJsonObject describe(const TXMLIniFile& events, const QByteArray& section) {
    using namespace EventRecord;
    QJsonObject e;
    const QByteArray kind = events.ReadString(section, K::AlType, KindAlarm);
    e[QLatin1String("section")] = QString::fromUtf8(section);
    e[QLatin1String("next")] = isoOf(events.ReadDouble(section, K::Date, 0));
    if (kind == KindShut) {
        e[QLatin1String("kind")] = QStringLiteral("power action");
        e[QLatin1String("text")] = Firing::powerActionName(events.ReadInt(section, K::ShutType, 0));
    } else if (kind == KindBirth) {
        e[QLatin1String("kind")] = QStringLiteral("birthday");
        e[QLatin1String("text")] = storedTextToDisplay(events.ReadString(section, K::Name, {}));
    } else {
        e[QLatin1String("kind")] = QStringLiteral("alarm");
        e[QLatin1String("text")] = readTextBlock(events, section).join(u'\n');
    }
    return e;
}

Reply perform(const Request& request, const Stores& stores, double now, const QLocale& locale) {
    if (!stores.events || !stores.pastAlarms)
        return Reply::failed(QCoreApplication::translate("Script", "The data files are not open."));
    try {
        switch (request.action) {
        case Action::AddAlarm:
            return addAlarm(request, stores, now, locale);
        case Action::AddBirthday:
            return addBirthday(request, stores, now, locale);
        case Action::List:
            return list(request, stores);
        case Action::Delete:
            return remove(request, stores);
        case Action::Export:
            return exportTo(request, stores);
        case Action::Import:
            return importFrom(request, stores, now);
        case Action::Help: {
            Reply reply;
            reply.out = helpText();
            return reply;
        }
        case Action::None:
            break;
        }
    } catch (const std::exception& e) {
        return Reply::failed(messageOf(e));
    }
    return Reply::refused(
        QCoreApplication::translate("Script", "Nothing to do: zentick --help lists what can be asked for."));
}

} // namespace Script
