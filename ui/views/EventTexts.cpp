#include "ui/views/EventTexts.h"

#include "scheduler/DayCount.h"
#include "ui/LocaleDateTimeText.h"

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
        return QStringLiteral("(No Description)");
    const QString quote = QStringLiteral("\"");
    return quote + lines.first() + (lines.size() > 1 ? QStringLiteral("...") : QString()) + quote;
}

QString yesNo(bool flag) {
    return flag ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString alarmRepeatText(bool repeat, int repval, int reptype) {
    static const char* const units[] = {" Minutes", " Hours", " Days", " Weeks", " Months", " Years"};
    if (!repeat)
        return QStringLiteral("No");
    const QString unit = reptype >= 0 && reptype < 6 ? QLatin1String(units[reptype]) : QString();
    return QString::number(repval) + unit;
}

QString powerRepeatText(bool repeat, int repval, int reptype) {
    if (!repeat)
        return QStringLiteral("No");
    const QString unit = reptype == 0 ? QStringLiteral(" Days") : reptype == 1 ? QStringLiteral(" Weeks") : QString();
    return QString::number(repval) + unit;
}

QString powerActionName(int shutType) {
    static const char* const names[] = {"Shut Down", "Restart", "Log Off", "Hibernate", "Stand By"};
    return shutType >= 0 && shutType < 5 ? QLatin1String(names[shutType]) : QString();
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
    return QStringLiteral("%1yrs,%2m,%3d.").arg(years).arg(months).arg(whole(now - afterMonths));
}

QString birthdayLine(const QString& name, int before) {
    QString line = name + QStringLiteral("'s Birthday");
    if (before != 0)
        line += QStringLiteral(" in %1 days").arg(before);
    return line;
}

} // namespace EventTexts
