#include "scheduler/Firing.h"

#include "scheduler/EventRecord.h"
#include "scheduler/SchedulerClock.h"
#include "store/XMLIniFile.h"

namespace Firing {

PowerOutcome firePowerAction(TXMLIniFile& events, const QByteArray& section, const SchedulerClock& clock) {
    using namespace EventRecord;
    PowerOutcome out;
    PowerNotice& notice = out.notice;
    notice.section = section;
    const double scheduled = events.ReadDouble(section, Key::Date, 0);
    notice.scheduled = scheduled;
    notice.action = events.ReadInt(section, Key::ShutType, 0);
    notice.actionName = powerActionName(notice.action);
    notice.buttonCaption = powerActionButton(notice.action);

    if (events.ReadFlag(section, Key::Repeat, false)) {
        // An unknown unit writes the date back unchanged; the scheduler then passes the record over.
        const int reptype = events.ReadInt(section, Key::RepType, 0);
        const int repval = events.ReadInt(section, Key::RepVal, 1);
        const double now = clock.now();
        Firing::writeNextDate(events, section, nextPowerOccurrence(scheduled, reptype, repval, now), now,
                              [&](double from) { return nextPowerOccurrence(from, reptype, repval, now); });
    } else {
        // A one-time power action leaves no trace.
        events.EraseSection(section);
    }

    // A one-time power action is gone by now, so the filters read their defaults and let it through.
    const double now = clock.now();
    if (!allowedToday(events, section, now))
        return out;
    // Carried out only on time: there is no bypass choice for power actions.
    out.startCountdown = minutesLate(scheduled, now) < 1;
    return out;
}

} // namespace Firing
