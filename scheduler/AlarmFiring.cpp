#include "scheduler/Firing.h"

#include "scheduler/EventRecord.h"
#include "scheduler/PastAlarms.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/TextPreview.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>

namespace Firing {

AlarmNotice alarmNotice(const TXMLIniFile& events, const QByteArray& section, const QLocale& locale) {
    using namespace EventRecord;
    AlarmNotice notice;
    notice.section = section;
    notice.scheduled = events.ReadDouble(section, Key::Date, 0);
    notice.header = QCoreApplication::translate("Firing", "This Alarm scheduled for:\n%1")
                        .arg(scheduledMoment(notice.scheduled, locale));
    notice.lines = TextPreview::readTextBlock(events, section);
    notice.sound = events.ReadFlag(section, Key::Sound, true);
    notice.showStopSound = notice.sound;
    notice.showDisableRepetition = events.ReadFlag(section, Key::Repeat, false);
    return notice;
}

AlarmOutcome alarmOutcome(const TXMLIniFile& events, const QByteArray& section, double now, const QLocale& locale) {
    using namespace EventRecord;
    AlarmOutcome out;
    out.notice = alarmNotice(events, section, locale);
    // A one-time alarm is retired by its firing, so no filter of its own holds it back.
    if (out.notice.showDisableRepetition && !allowedToday(events, section, now))
        return out;
    out.show = !events.ReadFlag(section, Key::Bypass, false) || minutesLate(out.notice.scheduled, now) < 1;
    return out;
}

void settleAlarm(TXMLIniFile& events, PastAlarms::Move& move, const QByteArray& section, double scheduled,
                 const SchedulerClock& clock) {
    using namespace EventRecord;
    if (!events.ReadFlag(section, Key::Repeat, false)) {
        move.retire(section, scheduled);
        return;
    }
    const int reptype = events.ReadInt(section, Key::RepType, 0);
    const int repval = events.ReadInt(section, Key::RepVal, 1);
    const double now = clock.now();
    Firing::writeNextDate(events, section, nextAlarmOccurrence(scheduled, reptype, repval, now), now,
                          [&](double from) { return nextAlarmOccurrence(from, reptype, repval, now); });
}

} // namespace Firing
