#include "ui/views/EventTexts.h"

#include "scheduler/DayCount.h"
#include "ui/LocaleDateTimeText.h"

#include <QCoreApplication>

#include <cmath>

namespace EventTexts {

DateWriter::DateWriter(const QLocale& locale)
    : m_locale(locale)
    , m_shortDate(locale.dateFormat(QLocale::ShortFormat))
    , m_longTime(LocaleDateTimeText::longTimeFormatWithoutZone(locale)) {}

QString DateWriter::timeText(double dayCount) const {
    return m_locale.toString(DayCount::toTime(dayCount), m_longTime);
}

QString DateWriter::dateText(double dayCount) const {
    if (dayCount < 1)
        return timeText(dayCount);
    const QString date = m_locale.toString(DayCount::toDate(dayCount), m_shortDate);
    // Midnight to the millisecond: a power action's stored moment plus its 30 seconds is not a whole number
    // even when it names midnight.
    if (dayCount == std::floor(dayCount) || DayCount::toTime(dayCount) == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + timeText(dayCount);
}

QString timeText(double dayCount, const QLocale& locale) {
    return DateWriter(locale).timeText(dayCount);
}

QString dateText(double dayCount, const QLocale& locale) {
    return DateWriter(locale).dateText(dayCount);
}

QStringList possibleDateTexts(bool withTime, const QLocale& locale) {
    const DateWriter writer(locale);
    QStringList texts;
    for (int month = 1; month <= 12; ++month) {
        const QDate day(2000, month, 28);
        if (!withTime) {
            texts.append(writer.dateText(DayCount::fromDate(day)));
            continue;
        }
        for (const QTime time : {QTime(10, 58, 58), QTime(22, 58, 58)}) {
            texts.append(writer.dateText(DayCount::fromDateTime(QDateTime(day, time))));
            if (month == 1)
                texts.append(writer.timeText(DayCount::fromDateTime(QDateTime(day, time))));
        }
    }
    return texts;
}

QString descriptionText(const QStringList& lines) {
    if (lines.isEmpty())
        return QCoreApplication::translate("EventTexts", "(No Description)");
    const QString quote = QStringLiteral("\"");
    return quote + lines.first() + (lines.size() > 1 ? QStringLiteral("...") : QString()) + quote;
}

QString yesNo(bool flag) {
    return flag ? QCoreApplication::translate("EventTexts", "Yes") : QCoreApplication::translate("EventTexts", "No");
}

QString alarmRepeatText(bool repeat, int repval, int reptype) {
    static const char* const units[] = {
        QT_TRANSLATE_N_NOOP("EventTexts", "%n Minutes"), QT_TRANSLATE_N_NOOP("EventTexts", "%n Hours"),
        QT_TRANSLATE_N_NOOP("EventTexts", "%n Days"),    QT_TRANSLATE_N_NOOP("EventTexts", "%n Weeks"),
        QT_TRANSLATE_N_NOOP("EventTexts", "%n Months"),  QT_TRANSLATE_N_NOOP("EventTexts", "%n Years")};
    if (!repeat)
        return yesNo(false);
    if (reptype < 0 || reptype >= 6)
        return QString::number(repval);
    return QCoreApplication::translate("EventTexts", units[reptype], nullptr, repval);
}

QString powerRepeatText(bool repeat, int repval, int reptype) {
    if (!repeat)
        return yesNo(false);
    if (reptype == 0)
        return QCoreApplication::translate("EventTexts", "%n Days", nullptr, repval);
    if (reptype == 1)
        return QCoreApplication::translate("EventTexts", "%n Weeks", nullptr, repval);
    return QString::number(repval);
}

QString powerActionName(int shutType) {
    static const char* const names[] = {
        QT_TRANSLATE_NOOP("PowerAction", "Shut Down"), QT_TRANSLATE_NOOP("PowerAction", "Restart"),
        QT_TRANSLATE_NOOP("PowerAction", "Log Off"), QT_TRANSLATE_NOOP("PowerAction", "Hibernate"),
        QT_TRANSLATE_NOOP("PowerAction", "Stand By")};
    return shutType >= 0 && shutType < 5 ? QCoreApplication::translate("PowerAction", names[shutType]) : QString();
}

QString powerActionLine(int shutType) {
    const QString name = powerActionName(shutType);
    return name.isEmpty() ? QString() : QStringLiteral(" - ") + name;
}

QString ageText(double birthDate, double now) {
    const auto whole = [](double days) {
        return qint64(std::floor(std::fabs(days)));
    };
    const qint64 years = qint64(std::floor(std::fabs(now - birthDate) / 365.25));
    const double afterYears = DayCount::addMonths(birthDate, int(12 * years));
    const qint64 months = qint64(std::floor(std::fabs(now - afterYears) / 30.4375));
    const double afterMonths = DayCount::addMonths(afterYears, int(months));
    return ageText(years, months, whole(now - afterMonths));
}

QString ageText(qint64 years, qint64 months, qint64 days) {
    return QCoreApplication::translate("EventTexts", "%1yrs,%2m,%3d.").arg(years).arg(months).arg(days);
}

QString birthdayLine(const QString& name, int before) {
    if (before == 0)
        return QCoreApplication::translate("EventTexts", "%1's Birthday").arg(name);
    return QCoreApplication::translate("EventTexts", "%1's Birthday in %n days", nullptr, before).arg(name);
}

} // namespace EventTexts
