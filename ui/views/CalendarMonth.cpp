#include "ui/views/CalendarMonth.h"

#include "scheduler/EventRecord.h"
#include "scheduler/EventTable.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/views/EventTexts.h"

#include <QCoreApplication>

#include <vector>

namespace CalendarMonth {

QString alarmSummary(const TXMLIniFile& events, const QByteArray& section) {
    const int lineCount = events.ReadInt(section, EventRecord::Key::LineCount, 0);
    const QString none = QCoreApplication::translate("EventTexts", "(No Description)");
    if (lineCount < 1)
        return none;
    const QString first = storedTextToDisplay(events.ReadString(section, "0", none.toUtf8()));
    return QLatin1Char('"') + first + (lineCount >= 2 ? QStringLiteral("...\"") : QStringLiteral("\""));
}

namespace {

QString hintLine(const AlInfo& info, const EventTexts::DateWriter& dates) {
    using namespace EventRecord;
    if (info.alType == KindAlarm)
        return dates.timeText(info.date) + QStringLiteral(" - ") + info.text + QLatin1Char('\n');
    if (info.alType == KindShut) {
        const QString action = EventTexts::powerActionLine(info.value);
        return action.isEmpty() ? QString() : dates.timeText(info.date) + action + QLatin1Char('\n');
    }
    return EventTexts::birthdayLine(info.text, info.value) + QLatin1Char('\n');
}

} // namespace

QList<DayEvents> collect(const TXMLIniFile& events, QDate month, const QLocale& locale) {
    EventTable table;
    return collect(table, events, month, locale);
}

QList<DayEvents> collect(EventTable& table, const TXMLIniFile& events, QDate month, const QLocale& locale) {
    using namespace EventRecord;
    // Day by day, each day's records in store order: one pass over the table fills the days.
    std::vector<std::vector<AlInfo>> days(std::size_t(month.daysInMonth()));
    for (const EventTable::Record& record : table.records(events)) {
        const QDate& day = record.day;
        if (day.year() != month.year() || day.month() != month.month())
            continue;
        const QByteArray& section = record.section;
        AlInfo info;
        info.date = record.date;
        info.section = section;
        info.alType = events.ReadString(section, Key::AlType, {});
        if (info.alType == KindAlarm) {
            info.text = alarmSummary(events, section);
            info.value = events.ReadInt(section, Key::LineCount, 0);
        } else if (info.alType == KindShut) {
            info.value = events.ReadInt(section, Key::ShutType, 0);
        } else {
            info.text = storedTextToDisplay(events.ReadString(section, Key::Name, {}));
            info.value = events.ReadInt(section, Key::Before, 0);
        }
        days[std::size_t(day.day() - 1)].push_back(std::move(info));
    }

    const EventTexts::DateWriter dates(locale);
    QList<DayEvents> marked;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (days[i].empty())
            continue;
        DayEvents day;
        day.day = int(i) + 1;
        for (const AlInfo& info : days[i]) {
            day.sections.append(info.section);
            day.hint += hintLine(info, dates);
        }
        day.hint.chop(1);
        marked.append(std::move(day));
    }
    return marked;
}

} // namespace CalendarMonth
