#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a firing hands to the windows. The scheduler decides on the record as it stands and settles it in the stores
// (an alarm whose window was made ahead is shown before the record is settled, any other window after); a notice
// reaches the sink only when something is to be shown, so a window is created only to be shown (a filtered,
// bypassed or late occurrence simply makes no call). All texts are final: the windows display them as they are.

struct AlarmNotice {
    QByteArray section;                 // the event record it came from (gone already for a one-time alarm)
    double scheduled = 0;               // the day count this occurrence was scheduled for
    QString header;                     // "This Alarm scheduled for:\n" and the scheduled moment
    QStringList lines;                  // the description as shown: bounded (TextPreview.h)
    bool sound = true;                  // play the alarm sound
    bool showStopSound = true;          // false when there is no sound
    bool showDisableRepetition = false; // a repeating alarm: offer to end the repetition
};

inline bool operator==(const AlarmNotice& a, const AlarmNotice& b) {
    return a.section == b.section && a.scheduled == b.scheduled && a.header == b.header && a.lines == b.lines &&
           a.sound == b.sound && a.showStopSound == b.showStopSound &&
           a.showDisableRepetition == b.showDisableRepetition;
}
inline bool operator!=(const AlarmNotice& a, const AlarmNotice& b) {
    return !(a == b);
}

struct PowerNotice {
    QByteArray section;
    double scheduled = 0;
    int action = 0;        // "shuttype": 0 shut down, 1 restart, 2 log off, 3 hibernate, 4 stand by
    QString actionName;    // "Restart"; empty for an unknown action
    QString buttonCaption; // "Restart Now"; "Shut Down Now" for an unknown action
};

struct BirthdayNotice {
    QByteArray section;
    double scheduled = 0;
    QString greeting; // "Ann is now\n26 Years Old." or "Ann will be\n27 Years Old\nIn 3 days."
    bool sound = true;
    bool showStopSound = true;
};

// Implemented by the notification windows (ui/notify/NotificationWindows.h). Every call is made from
// the scheduler tick on the GUI thread and must return at once (show, never exec).
class NotificationSink {
public:
    virtual ~NotificationSink() = default;
    virtual void showAlarm(const AlarmNotice& notice) = 0;
    // The scheduler is already disabled when this comes; the countdown window enables it again when
    // it closes (Scheduler::setEnabled(true)).
    virtual void startPowerCountdown(const PowerNotice& notice) = 0;
    virtual void showBirthday(const BirthdayNotice& notice) = 0;
    // After every firing, shown or not: whatever showing may have disturbed is put back.
    virtual void firingDone() = 0;

    // Shortly before an alarm is due the scheduler tells what it will show, so that the window can be made
    // ahead, hidden, and its moment costs only the showing. Nothing prepared is ever shown but by showAlarm()
    // with a notice equal to it; a later call replaces what was prepared, and dropPrepared() lets it go (the
    // record changed, went, was fired without a window, or its moment is no longer near).
    virtual void prepareAlarm(const AlarmNotice& notice) { static_cast<void>(notice); }
    virtual void dropPrepared() {}
    // The moment of an alarm has come and the firing will show notice: the window made ahead for an equal notice is
    // shown at once, before the record is settled and saved (true). Anything else shows nothing (false), and the
    // firing calls showAlarm() once the record is settled.
    virtual bool showPrepared(const AlarmNotice& notice) {
        static_cast<void>(notice);
        return false;
    }
};
