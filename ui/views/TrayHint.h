#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

class EventTable;
class TXMLIniFile;

// The tray icon's tooltip: the events of the event store that fall on today, one line each in store order,
// under "Events for Today:"; "No Events for Today" when there are none. Records whose weekday or month filter
// excludes today are left out. The whole text, however long.
namespace TrayHint {

QString text(const TXMLIniFile& events, QDate today, const QLocale& locale = QLocale());
// The same, the records' dates looked up in table, which reads the store again only after a change.
QString text(EventTable& table, const TXMLIniFile& events, QDate today, const QLocale& locale = QLocale());

// The snoozed reminders of the settings store, soonest first, under "Snoozed:", one line each: the moment it comes
// back and its first line. Empty when nothing is snoozed.
QString snoozed(const TXMLIniFile& settings, const QLocale& locale = QLocale());
// One snooze as its line there and in the tray menu: "<moment>  <first line>".
QString snoozeLine(qint64 untilMs, const QStringList& lines, const QLocale& locale = QLocale());

} // namespace TrayHint
