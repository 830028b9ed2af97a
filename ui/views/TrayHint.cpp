#include "ui/views/TrayHint.h"

#include "scheduler/EventRecord.h"
#include "scheduler/EventTable.h"
#include "scheduler/Snooze.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/views/EventTexts.h"

#include <QCoreApplication>
#include <QDateTime>

namespace TrayHint {

namespace {

QString line(const TXMLIniFile& events, const EventTable::Record& record, const QLocale& locale) {
    using namespace EventRecord;
    const QByteArray& section = record.section;
    const QByteArray kind = events.ReadString(section, Key::AlType, {});
    const double date = record.date;
    if (kind == KindAlarm) {
        // Line "0" alone, but only while "linecount" says there is one: a description emptied by an edit keeps
        // its old line "0".
        const QString none = QCoreApplication::translate("EventTexts", "(No Description)");
        const QString shown = events.ReadInt(section, Key::LineCount, 0) > 0
                                  ? storedTextToDisplay(events.ReadString(section, "0", none.toUtf8()))
                                  : none;
        return EventTexts::timeText(date, locale) + QStringLiteral(" - \"") + shown + QStringLiteral("\"\n");
    }
    if (kind == KindShut) {
        const QString action = EventTexts::powerActionLine(events.ReadInt(section, Key::ShutType, 0));
        return action.isEmpty() ? QString() : EventTexts::timeText(date, locale) + action + QLatin1Char('\n');
    }
    const QString name = storedTextToDisplay(events.ReadString(section, Key::Name, QByteArrayLiteral("unnamed")));
    return EventTexts::birthdayLine(name, events.ReadInt(section, Key::Before, 0)) + QLatin1Char('\n');
}

} // namespace

QString text(const TXMLIniFile& events, QDate today, const QLocale& locale) {
    EventTable table;
    return text(table, events, today, locale);
}

QString text(EventTable& table, const TXMLIniFile& events, QDate today, const QLocale& locale) {
    using namespace EventRecord;
    // Sunday = 1 .. Saturday = 7, as the stored day string counts.
    const int weekday = today.dayOfWeek() % 7 + 1;
    const QVector<EventTable::Record>& records = table.records(events);
    QString lines;
    for (const int i : table.onDay(events, today)) {
        const EventTable::Record& record = records[i];
        const QByteArray& section = record.section;
        if (!events.ReadFlag(section, Key::AllDays, true) &&
            !dayAllowed(events.ReadString(section, Key::Days, QByteArrayLiteral("1111111")), weekday))
            continue;
        if (!events.ReadFlag(section, Key::AllMonths, true) &&
            !monthAllowed(events.ReadString(section, Key::Months, QByteArrayLiteral("111111111111")), today.month()))
            continue;
        lines += line(events, record, locale);
    }
    if (lines.isEmpty())
        return QCoreApplication::translate("TrayHint", "No Events for Today");
    lines.chop(1);
    return QCoreApplication::translate("TrayHint", "Events for Today:\n%1").arg(lines);
}

QString snoozeLine(qint64 untilMs, const QStringList& lines, const QLocale& locale) {
    const QString when = locale.toString(QDateTime::fromMSecsSinceEpoch(untilMs), QLocale::ShortFormat);
    return when + QStringLiteral("  ") + lines.value(0).trimmed();
}

QString snoozed(const TXMLIniFile& settings, const QLocale& locale) {
    const QList<Snooze::Entry> entries = Snooze::entries(settings);
    if (entries.isEmpty())
        return {};
    QString text = QCoreApplication::translate("TrayHint", "Snoozed:");
    for (const Snooze::Entry& entry : entries)
        text += u'\n' + snoozeLine(entry.untilMs, entry.lines, locale);
    return text;
}

} // namespace TrayHint
