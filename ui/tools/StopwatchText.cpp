#include "ui/tools/StopwatchText.h"

#include <QTime>

namespace StopwatchText {

namespace {

QString digits(qint64 value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

} // namespace

QString display(qint64 ms, QChar separator) {
    if (ms < 0)
        ms = 0;
    const qint64 seconds = ms / 1000;
    return digits(seconds / 86'400 % 100, 2) + separator + digits(seconds / 3600 % 24, 2) + separator +
           digits(seconds / 60 % 60, 2) + separator + digits(seconds % 60, 2) + separator + digits(ms % 1000, 3);
}

QString display(qint64 ms, const QLocale& locale) {
    return display(ms, timeSeparator(locale));
}

QChar timeSeparator(const QLocale& locale) {
    // Read off a written time rather than the format, whose quoting and field letters vary by locale.
    const QString written = locale.toString(QTime(12, 34), QLocale::ShortFormat);
    bool seenDigit = false;
    for (const QChar c : written) {
        if (c.isDigit())
            seenDigit = true;
        else if (seenDigit && !c.isSpace())
            return c;
    }
    return u':';
}

} // namespace StopwatchText
