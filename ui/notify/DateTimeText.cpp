#include "ui/notify/DateTimeText.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

namespace DateTimeText {

namespace {
QString longTimeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    // The zone is the letter t (or tt/ttt/tttt) with the blank or separators around it.
    format.remove(QRegularExpression(QStringLiteral("\\s*\\(?t+\\)?")));
    return format.trimmed();
}
} // namespace

QString shortDateLongTime(const QDateTime& moment) {
    const QLocale locale = QLocale::system();
    const QString date = locale.toString(moment.date(), QLocale::ShortFormat);
    if (moment.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + locale.toString(moment.time(), longTimeFormat(locale));
}

} // namespace DateTimeText
