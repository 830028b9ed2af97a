#pragma once

#include "app/AppOnly.h"

#include "context/SyncControl.h"
#include "context/SyncRunner.h"

#include <QSet>
#include <QTimer>

#include <functional>
#include <memory>

class CredentialStore;
class DataStores;
class SchedulerClock;

// When the calendar sync runs, and what follows it. A sync runs at start, a few seconds after the alarms,
// birthdays or diary notes last changed (many changes in a row give one sync), every quarter of an hour while the
// program runs, and when the user asks. Never two at once: what is due while one runs waits for its end. A sync
// that does not end within the time-out is cancelled. The sync itself works without blocking (SyncRunner); after
// one that wrote the stores, the scheduler looks again and the lists in view are read anew (storesWritten).
// Records in conflict are told to the user once.
//
// Changes are found by the stores' change counts, looked at once a second, so every writer counts (pages,
// firings, scripts) without telling anyone. The sync's own writes count too: after a sync that wrote, one more
// follows, which finds nothing to do; a change the user made while the sync ran is never taken for the sync's.
class SyncController final : public SyncControl {
    Q_OBJECT
public:
    using RunnerFactory = std::function<std::unique_ptr<SyncRunner>()>;
    struct Timing {
        qint64 debounceMs = 5'000;
        qint64 periodMs = 15 * 60'000;
        qint64 timeoutMs = 5 * 60'000;
        // After cancel() a runner that still does not finish is left behind and a new one made.
        qint64 cancelGraceMs = 30'000;
        int tickMs = 1'000;
    };

    // makeRunner may be empty or return null: no sync in this program, and the page says so. credentials may be
    // null: the account has no password then.
    SyncController(DataStores& stores, const SchedulerClock& clock, CredentialStore* credentials,
                   RunnerFactory makeRunner, Timing timing, QObject* parent = nullptr);
    ~SyncController() override;

    // What follows a sync that wrote the stores.
    void setStoresWritten(std::function<void()> written) { m_storesWritten = std::move(written); }
    // How conflicts reach the user (the message window).
    void setTell(std::function<void(const QString&)> tell) { m_tell = std::move(tell); }

    // Starts the schedule with a sync at once.
    void start();
    // One look at the clock and the stores; the schedule's timer calls it every tickMs.
    void tick();

    State state() const override;
    Report lastReport() const override { return m_last; }
    void syncNow() override;
    void accountChanged() override;

    SyncRunner* runner() const { return m_runner.get(); }

private:
    struct Counts {
        quint64 events = 0;
        quint64 diary = 0;
        bool operator!=(const Counts& other) const { return events != other.events || diary != other.diary; }
    };
    Counts counts() const;
    void noteChanges();
    void begin();
    void finished(const SyncOutcome& outcome);
    void end(const Report& report);
    void replaceRunner();
    void tellConflicts(const QStringList& conflicts);

    DataStores& m_stores;
    const SchedulerClock& m_clock;
    CredentialStore* m_credentials;
    RunnerFactory m_makeRunner;
    Timing m_timing;
    std::unique_ptr<SyncRunner> m_runner;
    std::function<void()> m_storesWritten;
    std::function<void(const QString&)> m_tell;
    QTimer m_ticker;

    bool m_busy = false;
    bool m_waitingForPassword = false;
    bool m_cancelled = false;
    bool m_timedOut = false;
    quint64 m_generation = 0; // of the sync in progress: a late password answer for an ended one is dropped
    qint64 m_startedAt = 0;
    qint64 m_cancelledAt = 0;
    bool m_startWanted = false;
    bool m_changed = false;
    qint64 m_changedAt = 0;
    qint64 m_nextPeriodic = 0;
    Counts m_counts;
    Report m_last;
    QSet<QString> m_told;
};
