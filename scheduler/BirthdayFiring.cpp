#include "scheduler/Firing.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/Recurrence.h"
#include "scheduler/SchedulerClock.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>

#include <cmath>

namespace Firing {

namespace {

// Whole years of 365.25 days, held in 16 bits as the age always has been.
quint16 ageOn(double today, double birth) {
    const double years = std::trunc(std::fabs(today - birth) / 365.25);
    if (!std::isfinite(years) || years > 9.0e15)
        return 0;
    return static_cast<quint16>(static_cast<qint64>(years) & 0xFFFF);
}

// The first value of the yearly chain from date that is not before today.
double firstYearlyOnOrAfter(double date, double today) {
    return Recurrence::catchUpMonths(date, std::nextafter(today, -HUGE_VAL), 12);
}

} // namespace

BirthdayNotice fireBirthday(TXMLIniFile& events, const QByteArray& section, const SchedulerClock& clock) {
    using namespace EventRecord;
    BirthdayNotice notice;
    notice.section = section;
    double date = events.ReadDouble(section, Key::Date, 0);
    notice.scheduled = date;
    const double birth = events.ReadDouble(section, Key::BirthDate, 0);
    notice.sound = events.ReadFlag(section, Key::Sound, true);
    notice.showStopSound = notice.sound;
    const int before = events.ReadInt(section, Key::Before, 0);
    const QString name = QString::fromUtf8(events.ReadString(section, Key::Name, QByteArray()));

    const double now = clock.now();
    const double today = DayCount::fromDate(DayCount::toDate(now));
    const quint16 age = ageOn(today, birth);
    const QString isNow =
        QCoreApplication::translate("Firing", "%1 is now\n%2 Years Old.").arg(name, QString::number(age));

    if (before == 0) {
        date = Recurrence::catchUpMonths(date, today, 12);
        notice.greeting = isNow;
    } else {
        const double next = firstYearlyOnOrAfter(DayCount::addYears(birth, age), today);
        auto days = static_cast<qint64>(std::trunc(std::fabs(next - today)));
        if (days > before)
            days = -1;
        if (days > 0) {
            // An advance notice; the next one is on the birthday itself.
            date = next;
            notice.greeting =
                QCoreApplication::translate("Firing", "%1 will be\n%2 Years Old\nIn %n days.", nullptr, int(days))
                    .arg(name, QString::number(int(age) + 1));
        } else {
            // The birthday itself, or found late: the next notice is the advance notice of the following one.
            date = (days == 0 ? DayCount::addYears(next, 1) : next) - before;
            notice.greeting = isNow;
        }
    }
    // A notice period of a year or more, or a record whose date is not at midnight, could otherwise
    // come out at or before now and fire at every tick; the next notice is then tomorrow.
    if (!(date > now) || !std::isfinite(date))
        date = today + 1;
    Firing::writeNextDate(events, section, date, now, [&](double) { return today + 1; });
    return notice;
}

} // namespace Firing
