#pragma once

#include "context/SyncRunner.h"

#include <memory>

class DataStores;
class DavClient;

// Two-way sync of the alarms, the birthdays and the diary notes with one calendar collection on a CalDAV server
// (RFC 4791), named "Zentick" and made when missing. Past alarms and power actions stay on this computer.
//
// What was last synced is kept beside the stores in "Sync.xml" of the data folder: per record its section, UID,
// href, ETag and a fingerprint of the content then, and the collection's sync token. The four data stores gain no
// key for it.
//
// Changed on both sides: the server's version stays where the record was, and this computer's version is added as
// a new record (which the same sync sends up); both are named in SyncOutcome::conflicts. A diary note, one per day,
// gets the server's text, a blank line and this computer's text instead. Changed here but deleted on the server (or
// the reverse): the change wins and the record comes back. A one-time alarm that fired here was moved to the past
// alarms, so the sync deletes it on the server and the other computers drop it.
//
// A sync cut short at any moment leaves both sides consistent: the server's changes are written to the stores and
// "Sync.xml" in one step after everything was received, the stores before "Sync.xml"; what was sent after it and
// not yet noted there is recognised by its content at the next sync (the same record on both sides is linked
// again, not doubled), and a request the server refused (412) is tried again then.
class CalDavSyncRunner final : public SyncRunner {
    Q_OBJECT
public:
    explicit CalDavSyncRunner(DataStores& stores, QObject* parent = nullptr);
    ~CalDavSyncRunner() override;

    void start(const SyncAccount& account) override;
    bool isRunning() const override;
    void cancel() override;

    // Per request; 30 s unless set.
    void setTimeout(int milliseconds);

private:
    struct Job;
    void discover();
    void findHome(const QUrl& principal);
    void findCollection(const QUrl& home);
    void list(bool full);
    void listPage(const QByteArray& token);
    void listByQuery();
    void fetch();
    void apply();
    void pushNext();
    void finish(bool ok, const QString& status);
    bool failed(const struct DavReply& reply, const QString& what);
    void saveState();

    DataStores& m_stores;
    DavClient* m_client;
    std::unique_ptr<Job> m_job;
};

std::unique_ptr<SyncRunner> makeCalDavSyncRunner(DataStores& stores, QObject* parent = nullptr);
