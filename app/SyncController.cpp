#include "app/SyncController.h"

#include "context/DataStores.h"
#include "context/SettingsKeys.h"
#include "platform/CredentialStore.h"
#include "scheduler/SchedulerClock.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <QPointer>
#include <QUrl>

SyncController::SyncController(DataStores& stores, const SchedulerClock& clock, CredentialStore* credentials,
                               RunnerFactory makeRunner, Timing timing, QObject* parent)
    : SyncControl(parent)
    , m_stores(stores)
    , m_clock(clock)
    , m_credentials(credentials)
    , m_makeRunner(std::move(makeRunner))
    , m_timing(timing) {
    replaceRunner();
    m_ticker.setInterval(m_timing.tickMs);
    connect(&m_ticker, &QTimer::timeout, this, &SyncController::tick);
    // Stores on another folder: a sync running on the old ones has nothing left to write to.
    connect(&m_stores, &DataStores::storesReplaced, this, [this] {
        if (m_busy && m_runner && m_runner->isRunning() && !m_cancelled) {
            m_cancelled = true;
            m_cancelledAt = m_clock.monotonicMs();
            m_runner->cancel();
        }
    });
}

SyncController::~SyncController() = default;

void SyncController::replaceRunner() {
    if (m_runner) {
        m_runner->disconnect(this);
        // It may still be inside a network call: it goes when it comes back to the event loop.
        m_runner.release()->deleteLater();
    }
    if (m_makeRunner)
        m_runner = m_makeRunner();
    if (m_runner)
        connect(m_runner.get(), &SyncRunner::finished, this, &SyncController::finished);
}

SyncController::Counts SyncController::counts() const {
    return {m_stores.eventStore().changeCount(), m_stores.diaryStore().changeCount()};
}

void SyncController::start() {
    m_counts = counts();
    m_startWanted = true;
    m_ticker.start();
    tick();
}

SyncControl::State SyncController::state() const {
    if (!m_runner)
        return State::Unavailable;
    if (m_busy)
        return State::Running;
    const QByteArray url = m_stores.settingsStore().ReadString(SettingsKey::Section, SettingsKey::SyncUrl, {});
    return url.trimmed().isEmpty() ? State::NoAccount : State::Idle;
}

void SyncController::noteChanges() {
    const Counts now = counts();
    if (now != m_counts) {
        m_counts = now;
        m_changed = true;
        m_changedAt = m_clock.monotonicMs();
    }
}

void SyncController::tick() {
    noteChanges();
    const qint64 now = m_clock.monotonicMs();
    if (m_busy) {
        if (!m_cancelled && now - m_startedAt >= m_timing.timeoutMs) {
            m_timedOut = true;
            m_cancelled = true;
            m_cancelledAt = now;
            if (m_waitingForPassword || !m_runner->isRunning())
                end({QDateTime::fromMSecsSinceEpoch(m_clock.epochMs()), false,
                     tr("The sync did not end within %n minute(s) and was stopped.", nullptr,
                        int(m_timing.timeoutMs / 60'000))});
            else
                m_runner->cancel();
        } else if (m_cancelled && now - m_cancelledAt >= m_timing.cancelGraceMs) {
            // Cancelled and still not finished: left behind, so the schedule goes on with a new one.
            replaceRunner();
            end({QDateTime::fromMSecsSinceEpoch(m_clock.epochMs()), false,
                 tr("The sync did not end when it was stopped and was left behind.")});
        }
        return;
    }
    if (m_startWanted || (m_changed && now - m_changedAt >= m_timing.debounceMs) || now >= m_nextPeriodic)
        begin();
}

void SyncController::syncNow() {
    m_startWanted = true;
    if (!m_busy)
        tick();
}

void SyncController::accountChanged() {
    m_changed = true;
    m_changedAt = m_clock.monotonicMs();
    emit changed();
}

void SyncController::begin() {
    const qint64 now = m_clock.monotonicMs();
    m_startWanted = false;
    m_changed = false;
    m_nextPeriodic = now + m_timing.periodMs;
    if (state() != State::Idle) {
        emit changed();
        return;
    }
    SyncAccount account;
    account.url =
        QUrl(storedTextToDisplay(m_stores.settingsStore().ReadString(SettingsKey::Section, SettingsKey::SyncUrl, {}))
                 .trimmed());
    account.user =
        storedTextToDisplay(m_stores.settingsStore().ReadString(SettingsKey::Section, SettingsKey::SyncUser, {}));
    m_busy = true;
    m_cancelled = false;
    m_timedOut = false;
    m_startedAt = now;
    const quint64 generation = ++m_generation;
    emit changed();
    if (!m_credentials) {
        m_runner->start(account);
        return;
    }
    m_waitingForPassword = true;
    m_credentials->read(
        QLatin1String(CredentialStore::SyncPasswordKey), this,
        [this, account, generation](const CredentialStore::Answer& answer) mutable {
            if (generation != m_generation || !m_busy)
                return;
            m_waitingForPassword = false;
            if (!answer.error.isEmpty()) {
                end({QDateTime::fromMSecsSinceEpoch(m_clock.epochMs()), false,
                     tr("The password could not be read from the desktop's secret store: %1").arg(answer.error)});
                return;
            }
            account.password = answer.secret;
            m_runner->start(account);
        });
}

void SyncController::finished(const SyncOutcome& outcome) {
    if (!m_busy)
        return;
    Report report{outcome.finishedAt.isValid() ? outcome.finishedAt : QDateTime::fromMSecsSinceEpoch(m_clock.epochMs()),
                  outcome.ok, outcome.status};
    if (m_timedOut)
        report.status =
            tr("The sync did not end within %n minute(s) and was stopped.", nullptr, int(m_timing.timeoutMs / 60'000)) +
            QLatin1Char(' ') + outcome.status;
    end(report);
    if (outcome.storesChanged && m_storesWritten)
        m_storesWritten();
    if (!outcome.conflicts.isEmpty())
        tellConflicts(outcome.conflicts);
}

void SyncController::end(const Report& report) {
    m_busy = false;
    m_waitingForPassword = false;
    ++m_generation;
    m_last = report;
    m_nextPeriodic = m_clock.monotonicMs() + m_timing.periodMs;
    emit changed();
}

// Once per record: a later sync that reports the same conflict (the user has not looked at it yet) stays silent.
// The message waits for the event loop, so no window opens inside the runner's signal.
void SyncController::tellConflicts(const QStringList& conflicts) {
    QStringList fresh;
    for (const QString& line : conflicts) {
        if (!m_told.contains(line)) {
            m_told.insert(line);
            fresh << line;
        }
    }
    if (fresh.isEmpty() || !m_tell)
        return;
    const QString text =
        tr("These records were changed here and on the server since the last sync. Both versions are kept, "
           "so you can choose:\n%1")
            .arg(fresh.join(QLatin1Char('\n')));
    QTimer::singleShot(0, this, [this, text] { m_tell(text); });
}
