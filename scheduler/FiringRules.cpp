#include "scheduler/Firing.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>

#include <cmath>
#include <iterator>
#include <limits>

namespace Firing {

namespace {

// The first separator character of a locale format, or the fallback when it has none.
QChar separatorOf(const QString& format, QChar fallback) {
    bool seenField = false;
    for (const QChar c : format) {
        if (c.isLetter()) {
            seenField = true;
        } else if (seenField && !c.isSpace() && c != u'\'') {
            return c;
        }
    }
    return fallback;
}

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

struct PowerAction {
    const char* name;
    const char* button;
};

constexpr PowerAction Actions[] = {
    {QT_TRANSLATE_NOOP("PowerAction", "Shut Down"), QT_TRANSLATE_NOOP("PowerAction", "Shut Down Now")},
    {QT_TRANSLATE_NOOP("PowerAction", "Restart"), QT_TRANSLATE_NOOP("PowerAction", "Restart Now")},
    {QT_TRANSLATE_NOOP("PowerAction", "Log Off"), QT_TRANSLATE_NOOP("PowerAction", "Log Off Now")},
    {QT_TRANSLATE_NOOP("PowerAction", "Hibernate"), QT_TRANSLATE_NOOP("PowerAction", "Hibernate Now")},
    {QT_TRANSLATE_NOOP("PowerAction", "Stand By"), QT_TRANSLATE_NOOP("PowerAction", "Stand By Now")},
};

bool known(int action) {
    return action >= 0 && action < int(std::size(Actions));
}

} // namespace

QString scheduledMoment(double dayCount, const QLocale& locale) {
    const QDate date = DayCount::toDate(dayCount);
    const QTime time = DayCount::toTime(dayCount);
    if (!date.isValid() || !time.isValid())
        return QString();
    const QChar dateSeparator = separatorOf(locale.dateFormat(QLocale::ShortFormat), u'/');
    const QChar timeSeparator = separatorOf(locale.timeFormat(QLocale::ShortFormat), u':');
    return locale.standaloneDayName(date.dayOfWeek(), QLocale::LongFormat) + u' ' + twoDigits(date.day()) +
           dateSeparator + twoDigits(date.month()) + dateSeparator +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) + u' ' + twoDigits(time.hour()) +
           timeSeparator + twoDigits(time.minute());
}

qint64 minutesLate(double scheduled, double now) {
    const double ms = std::round((now - scheduled) * 86'400'000.0);
    if (!std::isfinite(ms))
        return ms > 0 ? std::numeric_limits<qint64>::max() : 0;
    if (std::fabs(ms) > 9.0e18)
        return ms > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return static_cast<qint64>(ms) / 60'000;
}

bool allowedToday(const TXMLIniFile& events, const QByteArray& section, double now) {
    using namespace EventRecord;
    if (!events.ReadFlag(section, Key::AllDays, true) &&
        !dayAllowed(events.ReadString(section, Key::Days, QByteArray()), DayCount::weekday(now)))
        return false;
    if (!events.ReadFlag(section, Key::AllMonths, true) &&
        !monthAllowed(events.ReadString(section, Key::Months, QByteArray()), DayCount::month(now)))
        return false;
    return true;
}

QString powerActionName(int action) {
    return known(action) ? QCoreApplication::translate("PowerAction", Actions[action].name) : QString();
}

QString powerActionButton(int action) {
    return QCoreApplication::translate("PowerAction", Actions[known(action) ? action : 0].button);
}

} // namespace Firing
