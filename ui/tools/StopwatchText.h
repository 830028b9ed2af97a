#pragma once

#include <QLocale>
#include <QString>

// The display of a stopwatch or countdown window: "dd:hh:mm:ss:mmm", the separators being the locale's time
// separator. Only the last two digits of the day count are shown (100 days read "00").
namespace StopwatchText {

QString display(qint64 ms, QChar separator);
QString display(qint64 ms, const QLocale& locale = QLocale());

// The character the locale puts between hours and minutes.
QChar timeSeparator(const QLocale& locale);

} // namespace StopwatchText
