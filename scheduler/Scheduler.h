#pragma once

#include "scheduler/EventTable.h"

#include <QByteArray>
#include <QHash>
#include <QLocale>
#include <QObject>
#include <QTimer>
#include <QVector>

class NotificationSink;
class SchedulerClock;
class TXMLIniFile;

// The scheduler: one precise timer, `Timer`, whose tick `TimerTimer` scans the event store in store
// order, fires at most one due record, and re-arms itself: 60 000 ms while nothing is near, the exact
// time to a record less than a minute away, 50 ms right after a firing (so records due together fire
// one per 50 ms), never below 50 ms. A record less than half a millisecond ahead counts as due: its
// stored date (15 significant digits) may lie microseconds after the moment it names.
//
// Owned by the main window, which keeps the stores, the clock and the sink alive as long as the
// scheduler. Constructed disabled with interval 50; the main window enables it once it is built, so
// the first tick comes 50 ms later. Others touch only setInterval (the commit: 50) and setEnabled (the
// power countdown and the clock warning).
//
// A firing settles the record in the stores in memory, and saves each file once right after
// (PastAlarms::Move: the past-alarm store first); what is to be shown goes to the NotificationSink, after the
// settle, or before it for an alarm whose window was made ahead for exactly what the firing shows
// (NotificationSink::showPrepared). Either way nothing reaches the disk before the window is up, so a crash
// repeats the occurrence at the next start rather than losing it. A save that fails leaves both stores as they were:
// the record has been shown, is passed over from then on like a record that stayed due, and the failure is reported
// once. The first tick after start (or after the stores were replaced) first finishes moves that a kill interrupted
// (PastAlarms::finishInterruptedMoves), so such an alarm is not shown a second time; when that cannot be
// saved, it is reported once, those records are passed over, and the tick goes on with the others. A power action that
// starts its countdown disables the scheduler first; the countdown window enables it again when it closes.
//
// An alarm record due less than PrepareAheadMs ahead is handed to the sink beforehand (prepareAlarm, at that lead
// on a precise timer of its own, or at once by a tick that finds it nearer), so that the moment costs only the
// window's showing. Every tick aims the look-ahead again at the nearest record: what was prepared for another record
// or another date, or for a moment no longer near, is dropped, and so is what a firing left unshown.
//
// Records the scan passes over, instead of letting them hold back every later record at every tick:
// an "altype" other than "alarm", "shut" and "birth"; a "date" that is no number; a section without
// keys (a free number, not a record) or without a name; and a record whose firing could not move its
// date past now (a power action with an unknown unit is written back unchanged, a firing that raised
// or could not be saved): it has fired once for that date and is passed over until its date changes
// or the commit re-arms the timer.
class Scheduler : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxInterval = 60'000;
    static constexpr int MinInterval = 50;
    static constexpr int PrepareAheadMs = 1500;
    // Less than this ahead, a record is not raised to MinInterval but aimed at again to the millisecond.
    static constexpr double JustBeforeMs = 2.0;

    Scheduler(TXMLIniFile& events, TXMLIniFile& pastAlarms, const SchedulerClock& clock, NotificationSink& sink,
              QObject* parent = nullptr);
    // With its stores to come (setStores), for a start that reads them after its window is shown; a tick before
    // then looks at nothing.
    Scheduler(const SchedulerClock& clock, NotificationSink& sink, QObject* parent = nullptr);
    ~Scheduler() override;

    // The tick. Never throws: a store that cannot be saved is reported through failed() after the
    // notice has gone out and the timer has been re-armed.
    void TimerTimer();
    // The look-ahead's timer: hands the record it was aimed at to the sink to prepare, if it still stands as it was.
    void prepareAhead();

    void setInterval(int milliseconds);
    int interval() const;
    void setEnabled(bool enabled); // enabling restarts the countdown with the current interval
    bool isEnabled() const;
    const QTimer& timer() const { return Timer; }
    const QTimer& prepareTimer() const { return m_prepareTimer; }

    // A data-directory change replaces the data stores.
    void setStores(TXMLIniFile& events, TXMLIniFile& pastAlarms);
    // The store that keeps snoozes (Snooze.h), the settings store; none: snoozes are neither fired nor made. A due
    // snooze is shown once, like a record: taken out of the store in memory, handed to the sink, then saved.
    void setSnoozeStore(TXMLIniFile* store);
    TXMLIniFile* snoozeStore() const { return m_snoozes; }

    // The locale of the alarm header; the system's unless set (tests).
    void setLocale(const QLocale& locale) { m_locale = locale; }

signals:
    // Every firing, shown or not: the record's section and the date it was due at.
    void recordFired(const QByteArray& section, double scheduled);
    // The same with the record's kind ("alarm", "shut", "birth"), which a one-time record no longer shows; a snooze
    // that comes back fires as its record's kind.
    void eventFired(const QByteArray& section, const QByteArray& kind, double scheduled);
    // A snooze came back: its id and the event record it came from (which may be gone).
    void snoozeFired(const QByteArray& id, const QByteArray& section);
    // A message for the user: a store could not be saved during a firing.
    void failed(const QString& message);

private:
    void setUpTimers();
    bool fire(const QByteArray& section, const SchedulerClock& clock); // false: passed over
    void settleInterruptedMoves();
    bool passedOver(const QByteArray& section);
    void rememberIfStillDue(const QByteArray& section, const SchedulerClock& clock);
    // Fires the first due snooze; otherwise lowers interval to the nearest one. True when one fired.
    bool fireDueSnooze(qint64& interval);
    // Aims the look-ahead at the nearest record ahead (none: an empty section), msAhead from now.
    void lookAhead(const QByteArray& section, double msAhead);
    void dropPrepared();

    // A record and its "date" text, as the look-ahead saw it.
    struct Aim {
        QByteArray section;
        QByteArray date;
        bool operator==(const Aim& other) const { return section == other.section && date == other.date; }
    };

    QTimer Timer;
    TXMLIniFile* m_events = nullptr;
    TXMLIniFile* m_pastAlarms = nullptr;
    TXMLIniFile* m_snoozes = nullptr;
    // Snoozes shown whose removal could not be saved, with their "until": not shown again.
    QHash<QByteArray, QByteArray> m_snoozesShown;
    const SchedulerClock& m_clock;
    NotificationSink& m_sink;
    QLocale m_locale = QLocale::system();
    // Records that fired but stayed due, with the "date" text they fired with.
    QHash<QByteArray, QByteArray> m_firedStillDue;
    QString m_failure; // of the current tick
    // Records whose interrupted move could not be settled, with their "date" text: already shown, so passed
    // over (also after the commit re-arms) until their date changes.
    QHash<QByteArray, QByteArray> m_unsettled;
    QString m_settleFailure;
    // A tick over many records walks plain numbers, not thousands of lookups.
    EventTable m_dates;
    bool m_interruptedMovesChecked = false;
    // What the look-ahead will prepare when m_prepareTimer comes, and what the sink holds prepared.
    QTimer m_prepareTimer;
    Aim m_aim;
    Aim m_prepared;
};
