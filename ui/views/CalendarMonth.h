#pragma once

#include <QByteArrayList>
#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>

class EventTable;
class TXMLIniFile;

// The events of one month as the calendar view marks them: each record once, on the day of its stored "date"
// (repetitions are not expanded), with one hint line per record in store order.
namespace CalendarMonth {

// One event of the displayed month.
struct AlInfo {
    double date = 0;
    QByteArray alType;
    int value = 0; // "linecount" of an alarm, "shuttype" of a power action, "before" of anything else
    QString text;  // an alarm's description, the name of a birthday
    QByteArray section;
};

// One marked day: its number in the month and its records' sections, in store order.
struct DayEvents {
    int day = 0;
    QByteArrayList sections;
    QString hint; // one line per record, without a final line feed
};

// The marked days of the month of `month`, in ascending day order.
QList<DayEvents> collect(const TXMLIniFile& events, QDate month, const QLocale& locale = QLocale());
// The same, the records' dates looked up in table, which reads the store again only after a change.
QList<DayEvents> collect(EventTable& table, const TXMLIniFile& events, QDate month, const QLocale& locale = QLocale());

// An alarm's one-line summary from "linecount" and line "0": "(No Description)", "line" or "line...".
QString alarmSummary(const TXMLIniFile& events, const QByteArray& section);

} // namespace CalendarMonth
