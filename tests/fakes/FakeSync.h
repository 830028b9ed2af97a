#pragma once

// Stand-ins for the calendar sync and the desktop's secret store. Header only.

#include "platform/CredentialStore.h"
#include "context/SyncRunner.h"

#include <QList>
#include <QMap>
#include <QPointer>
#include <QTimer>

// Starts when asked and ends when the test says so (finish()); a cancel ends it at once unless it hangs.
class FakeSyncRunner final : public SyncRunner {
public:
    void start(const SyncAccount& account) override {
        if (m_running) {
            ++ignoredStarts;
            return;
        }
        m_running = true;
        accounts << account;
        if (startCount)
            ++*startCount;
    }
    bool isRunning() const override { return m_running; }
    void cancel() override {
        ++cancels;
        if (m_running && !hangs) {
            SyncOutcome outcome;
            outcome.status = QStringLiteral("Cancelled.");
            finish(outcome);
        }
    }
    void finish(const SyncOutcome& outcome) {
        m_running = false;
        emit finished(outcome);
    }

    QList<SyncAccount> accounts; // one per sync started
    // Counted outside too, for the starts of runners the program has since let go of.
    int* startCount = nullptr;
    int ignoredStarts = 0;
    int cancels = 0;
    bool hangs = false; // a cancel does not end it

private:
    bool m_running = false;
};

// Keeps secrets in memory and answers on the event loop, as the desktop's store does. error set: it refuses.
class FakeCredentialStore final : public CredentialStore {
public:
    void read(const QString& key, QObject* receiver, ReadDone done) override {
        ++reads;
        Answer answer;
        answer.error = error;
        answer.found = error.isEmpty() && secrets.contains(key);
        answer.secret = answer.found ? secrets.value(key) : QString();
        QTimer::singleShot(0, receiver, [answer, done = std::move(done)] { done(answer); });
    }
    void write(const QString& key, const QString& secret, QObject* receiver, WriteDone done) override {
        if (error.isEmpty()) {
            if (secret.isEmpty())
                secrets.remove(key);
            else
                secrets.insert(key, secret);
        }
        QTimer::singleShot(0, receiver, [e = error, done = std::move(done)] { done(e); });
    }

    QMap<QString, QString> secrets;
    QString error;
    int reads = 0;
};
