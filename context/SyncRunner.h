#pragma once

#include <QDateTime>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

// Where the CalDAV server is and who the user is there. The password never goes into a store: it comes from the
// desktop's secret store each time a sync starts.
struct SyncAccount {
    QUrl url; // the server, a principal or a calendar collection
    QString user;
    QString password;
    bool isSet() const { return url.isValid() && !url.isEmpty(); }
};

// What one sync did, in words the settings page can show as they stand.
struct SyncOutcome {
    bool ok = false;
    QString status;        // one sentence: what was sent and received, or why it stopped
    QStringList conflicts; // records changed on both sides, kept twice (one line each, as the user knows them)
    int requests = 0;      // HTTP requests made
    bool storesChanged = false; // the local stores were written: what is due and what the lists show may differ
    QDateTime finishedAt;
};
Q_DECLARE_METATYPE(SyncOutcome)

// One sync at a time and never blocking: start() returns at once and finished() follows exactly once per start(),
// also when it is cancelled, times out or the account is wrong. A start() while one runs is ignored.
class SyncRunner : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void start(const SyncAccount& account) = 0;
    virtual bool isRunning() const = 0;
    // Ends the sync in progress as soon as it is safe; finished() still follows.
    virtual void cancel() = 0;

signals:
    void finished(const SyncOutcome& outcome);
};
