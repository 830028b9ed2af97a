#include "scheduler/Scheduler.h"

#include "scheduler/EventRecord.h"
#include "scheduler/Firing.h"
#include "scheduler/NotificationSink.h"
#include "scheduler/PastAlarms.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/Snooze.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr double MsPerDay = 86'400'000.0;

// The clock a firing sees: never before the moment the record was found due at, so a record taken as
// due a fraction of a millisecond early still moves past that moment.
class NotBeforeClock final : public SchedulerClock {
public:
    NotBeforeClock(const SchedulerClock& clock, double floor)
        : m_clock(clock)
        , m_floor(floor) {}
    double now() const override { return std::max(m_clock.now(), m_floor); }
    qint64 monotonicMs() const override { return m_clock.monotonicMs(); }
    qint64 epochMs() const override { return m_clock.epochMs(); }

private:
    const SchedulerClock& m_clock;
    double m_floor;
};

QString messageOf(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Exception*>(&e))
        return own->message();
    return QString::fromUtf8(e.what());
}

} // namespace

Scheduler::Scheduler(TXMLIniFile& events, TXMLIniFile& pastAlarms, const SchedulerClock& clock, NotificationSink& sink,
                     QObject* parent)
    : QObject(parent)
    , m_events(&events)
    , m_pastAlarms(&pastAlarms)
    , m_clock(clock)
    , m_sink(sink) {
    setUpTimers();
}

Scheduler::Scheduler(const SchedulerClock& clock, NotificationSink& sink, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_sink(sink) {
    setUpTimers();
}

// Both constructors: a look-ahead timer left unconnected here makes every record first seen beyond the lead
// (the first alarm after every start) get its window only at its moment.
void Scheduler::setUpTimers() {
    Timer.setTimerType(Qt::PreciseTimer);
    Timer.setInterval(MinInterval);
    connect(&Timer, &QTimer::timeout, this, &Scheduler::TimerTimer);
    m_prepareTimer.setTimerType(Qt::PreciseTimer);
    m_prepareTimer.setSingleShot(true);
    connect(&m_prepareTimer, &QTimer::timeout, this, &Scheduler::prepareAhead);
}

Scheduler::~Scheduler() = default;

void Scheduler::setInterval(int milliseconds) {
    // Only the commit re-arms from outside: a record it rewrote deserves a fresh look.
    m_firedStillDue.clear();
    Timer.setInterval(std::max(milliseconds, MinInterval));
}

int Scheduler::interval() const {
    return Timer.interval();
}

void Scheduler::setEnabled(bool enabled) {
    if (enabled) {
        Timer.start();
    } else {
        Timer.stop();
        // Whatever comes next is aimed at by the tick that enables it again.
        m_prepareTimer.stop();
        dropPrepared();
    }
}

bool Scheduler::isEnabled() const {
    return Timer.isActive();
}

void Scheduler::setStores(TXMLIniFile& events, TXMLIniFile& pastAlarms) {
    m_events = &events;
    m_pastAlarms = &pastAlarms;
    m_firedStillDue.clear();
    m_unsettled.clear();
    m_interruptedMovesChecked = false;
    m_prepareTimer.stop();
    dropPrepared();
}

void Scheduler::setSnoozeStore(TXMLIniFile* store) {
    m_snoozes = store;
    m_snoozesShown.clear();
}

void Scheduler::TimerTimer() {
    if (m_events == nullptr || m_pastAlarms == nullptr)
        return;
    qint64 interval = MaxInterval;
    m_failure.clear();
    bool firedRecord = false;
    bool scanned = false;
    QByteArray nearest;
    double nearestMs = 0;
    try {
        if (!m_interruptedMovesChecked) {
            m_interruptedMovesChecked = true;
            settleInterruptedMoves();
        }
        // The time is taken afresh for every record; the monotonic clock makes that cheap.
        const double tickStart = m_clock.now();
        const qint64 tickStartMs = m_clock.monotonicMs();
        for (const EventTable::Record& entry : m_dates.records(*m_events)) {
            const QByteArray& section = entry.section;
            const double date = entry.date;
            const double now = tickStart + double(m_clock.monotonicMs() - tickStartMs) / MsPerDay;
            const double diff = date - now;
            // A section without a name cannot be written to, so it can be neither moved nor retired.
            if (std::isnan(diff) || section.isEmpty())
                continue;
            // Less than half a millisecond ahead is due: a stored date may lie a few microseconds
            // after the moment it names, and the tick that comes at that moment should fire it.
            if (diff * MsPerDay >= 0.5) {
                if (nearest.isEmpty() || diff * MsPerDay < nearestMs) {
                    nearest = section;
                    nearestMs = diff * MsPerDay;
                }
                if (diff < 1.0) {
                    const qint64 ms = std::llround(diff * MsPerDay);
                    if (ms < MaxInterval && ms < interval)
                        interval = ms;
                }
                continue;
            }
            if (fire(section, NotBeforeClock(m_clock, date))) {
                interval = MinInterval;
                firedRecord = true;
                break;
            }
        }
        scanned = !firedRecord;
    } catch (const std::exception& e) {
        m_failure = messageOf(e);
    }
    // Records first: a snooze due at the same tick comes 50 ms later.
    if (!firedRecord && m_snoozes) {
        try {
            fireDueSnooze(interval);
        } catch (const std::exception& e) {
            m_failure = messageOf(e);
        }
    }
    // A tick aimed at a record can wake a hair before it (the wall clock is read to the millisecond, and runs at
    // its own rate beside the monotonic one the timer counts on): the 50 ms floor would then make that alarm 50 ms
    // late, so the record is aimed at once more, to the millisecond.
    const bool wokeJustBefore = scanned && !nearest.isEmpty() && nearestMs < JustBeforeMs && interval < MinInterval;
    Timer.setInterval(int(std::max<qint64>(interval, wokeJustBefore ? 1 : MinInterval)));
    // A firing's tick has not seen every record; the tick 50 ms later aims again.
    if (scanned)
        lookAhead(nearest, nearestMs);
    if (!m_settleFailure.isEmpty())
        emit failed(std::exchange(m_settleFailure, QString()));
    if (!m_failure.isEmpty())
        emit failed(m_failure);
}

void Scheduler::settleInterruptedMoves() {
    const double now = m_clock.now();
    try {
        PastAlarms::finishInterruptedMoves(*m_events, *m_pastAlarms, now);
    } catch (const std::exception& e) {
        // Each of these has been shown and is in the past alarms already: it stays in both files, the next start
        // settles it, and until then it is passed over while its date stays what it was.
        const QByteArrayList unsettled = PastAlarms::interruptedMoves(*m_events, *m_pastAlarms, now);
        for (const QByteArray& section : unsettled)
            m_unsettled.insert(section, m_events->ReadString(section, EventRecord::Key::Date, QByteArray()));
        m_settleFailure = messageOf(e) + QStringLiteral("\nAn alarm shown before Zentick last ended could not be "
                                                        "taken out of the alarm list; it is not shown again.");
    }
}

bool Scheduler::passedOver(const QByteArray& section) {
    const auto unsettled = m_unsettled.constFind(section);
    if (unsettled != m_unsettled.cend()) {
        if (m_events->ReadString(section, EventRecord::Key::Date, QByteArray()) == *unsettled)
            return true;
        m_unsettled.remove(section);
    }
    const auto it = m_firedStillDue.find(section);
    if (it == m_firedStillDue.end())
        return false;
    if (m_events->ReadString(section, EventRecord::Key::Date, QByteArray()) == *it)
        return true;
    m_firedStillDue.erase(it);
    return false;
}

void Scheduler::rememberIfStillDue(const QByteArray& section, const SchedulerClock& clock) {
    if (m_events->HasSection(section) && !(m_events->ReadDouble(section, EventRecord::Key::Date, 0) > clock.now()))
        m_firedStillDue.insert(section, m_events->ReadString(section, EventRecord::Key::Date, QByteArray()));
}

bool Scheduler::fire(const QByteArray& section, const SchedulerClock& clock) {
    using namespace EventRecord;
    if (!m_events->HasSection(section) || passedOver(section))
        return false;
    const QByteArray kind = m_events->ReadString(section, Key::AlType, KindAlarm);
    if (kind != KindAlarm && kind != KindShut && kind != KindBirth)
        return false;
    std::optional<Firing::AlarmOutcome> alarm;
    std::optional<Firing::PowerOutcome> power;
    std::optional<BirthdayNotice> birthday;
    // A window made ahead is shown first, when the firing would show exactly what it was made for: the moment then
    // costs only its showing. Nothing is written yet, so a crash from here to the saves below repeats the
    // occurrence at the next start instead of losing it, as it does for a window shown after the settle.
    bool shownFirst = false;
    PastAlarms::Move settle(*m_events, *m_pastAlarms);
    try {
        if (kind == KindAlarm) {
            Firing::AlarmOutcome outcome = Firing::alarmOutcome(*m_events, section, clock.now(), m_locale);
            shownFirst = outcome.show && m_prepared.section == section && m_sink.showPrepared(outcome.notice);
            Firing::settleAlarm(*m_events, settle, section, outcome.notice.scheduled, clock);
            alarm = std::move(outcome);
        } else if (kind == KindShut) {
            power = Firing::firePowerAction(*m_events, section, clock);
        } else {
            birthday = Firing::fireBirthday(*m_events, section, clock);
        }
    } catch (const std::exception& e) {
        // The record could not be settled (the move undoes what was written): it is passed over and
        // reported once, and the records after it still fire.
        m_failure = messageOf(e);
        m_firedStillDue.insert(section, m_events->ReadString(section, Key::Date, QByteArray()));
        if (!shownFirst)
            return false;
        // Its window is up already: as after a failed save, the next start shows it again.
        m_prepared = Aim();
        m_sink.firingDone();
        return true;
    }

    // The record is settled in memory, so this occurrence cannot fire again; a window not made ahead comes up
    // now, and the disk follows within the same tick. A crash in between repeats the occurrence at the next start
    // instead of losing it.
    if (alarm) {
        emit recordFired(section, alarm->notice.scheduled);
        emit eventFired(section, kind, alarm->notice.scheduled);
        if (alarm->show && !shownFirst)
            m_sink.showAlarm(alarm->notice);
    } else if (power) {
        emit recordFired(section, power->notice.scheduled);
        emit eventFired(section, kind, power->notice.scheduled);
        if (power->startCountdown) {
            setEnabled(false);
            m_sink.startPowerCountdown(power->notice);
        }
    } else if (birthday) {
        emit recordFired(section, birthday->scheduled);
        emit eventFired(section, kind, birthday->scheduled);
        m_sink.showBirthday(*birthday);
    }
    // A window made ahead for this record and not shown now (filtered, late with "Bypass if delayed", or another
    // kind of record) is not wanted any more.
    if (m_prepared.section == section) {
        if (alarm && alarm->show)
            m_prepared = Aim(); // the sink has shown it, or let it go for a window of its own
        else
            dropPrepared();
    }
    try {
        settle.commit();
    } catch (const std::exception& e) {
        // Both stores are as they were, so the record is due again: it has been shown and is passed
        // over, and the next start shows it again rather than losing it.
        m_failure = messageOf(e);
    }
    rememberIfStillDue(section, clock);
    m_sink.firingDone();
    return true;
}

bool Scheduler::fireDueSnooze(qint64& interval) {
    const qint64 nowMs = m_clock.epochMs();
    for (const Snooze::Entry& snooze : Snooze::entries(*m_snoozes)) {
        const auto shown = m_snoozesShown.constFind(snooze.id);
        if (shown != m_snoozesShown.cend()) {
            if (*shown == QByteArray::number(snooze.untilMs))
                continue;
            m_snoozesShown.remove(snooze.id);
        }
        const qint64 wait = snooze.untilMs - nowMs;
        if (wait > 0) {
            interval = std::min(interval, wait);
            continue;
        }
        TXMLIniFile::Batch taken(*m_snoozes);
        Snooze::cancel(*m_snoozes, snooze.id);
        emit snoozeFired(snooze.id, snooze.of);
        emit eventFired(snooze.of,
                        snooze.kind == Snooze::Kind::Birthday ? EventRecord::KindBirth : EventRecord::KindAlarm,
                        snooze.scheduled);
        if (snooze.kind == Snooze::Kind::Birthday)
            m_sink.showBirthday(Snooze::birthdayNotice(snooze));
        else
            m_sink.showAlarm(Snooze::alarmNotice(snooze, *m_events, m_locale));
        try {
            taken.commit();
        } catch (const std::exception&) {
            // Shown already: passed over from now on, and the next start shows it again rather than losing it.
            m_snoozesShown.insert(snooze.id, QByteArray::number(snooze.untilMs));
            m_sink.firingDone();
            throw;
        }
        m_sink.firingDone();
        interval = MinInterval;
        return true;
    }
    return false;
}

void Scheduler::lookAhead(const QByteArray& section, double msAhead) {
    const Aim aim{section, section.isEmpty() ? QByteArray()
                                             : m_events->ReadString(section, EventRecord::Key::Date, QByteArray())};
    if (aim.section.isEmpty() || msAhead >= MaxInterval) {
        m_prepareTimer.stop();
        dropPrepared();
        return;
    }
    m_aim = aim;
    if (msAhead > PrepareAheadMs) {
        // Too early for a window: one made for another record or moment (a date moved, a clock set back) goes now.
        // A tick a moment before the lead keeps what the look-ahead made just before it.
        if (!(m_prepared == aim) || msAhead > 2 * PrepareAheadMs)
            dropPrepared();
        m_prepareTimer.start(int(std::llround(msAhead)) - PrepareAheadMs);
        return;
    }
    m_prepareTimer.stop();
    if (!(m_prepared == aim))
        dropPrepared();
    // Again for the same record too: its text may have changed, and the sink keeps an equal window as it is.
    prepareAhead();
}

void Scheduler::prepareAhead() {
    using namespace EventRecord;
    const QByteArray& section = m_aim.section;
    try {
        const bool stillAimed = !section.isEmpty() && m_events->HasSection(section) &&
                                m_events->ReadString(section, Key::Date, QByteArray()) == m_aim.date;
        if (!stillAimed || m_events->ReadString(section, Key::AlType, KindAlarm) != KindAlarm ||
            !Firing::allowedToday(*m_events, section, m_events->ReadDouble(section, Key::Date, 0))) {
            dropPrepared();
            return;
        }
        if (!(m_prepared == m_aim))
            dropPrepared();
        m_sink.prepareAlarm(Firing::alarmNotice(*m_events, section, m_locale));
        m_prepared = m_aim;
    } catch (const std::exception&) {
        // Only a window made ahead is missed: the firing makes its own.
        dropPrepared();
    }
}

void Scheduler::dropPrepared() {
    if (m_prepared.section.isEmpty())
        return;
    m_prepared = Aim();
    m_sink.dropPrepared();
}
