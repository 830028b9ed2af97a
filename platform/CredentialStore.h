#pragma once

#include <QObject>
#include <QString>

#include <functional>

// Secrets kept by the desktop rather than in the program's files. Every call answers later, on the event loop,
// and never while the caller waits: the desktop may ask the user to unlock the store first. An answer for a
// receiver that is gone is dropped.
class CredentialStore {
public:
    struct Answer {
        bool found = false;
        QString secret;
        QString error; // not empty: the store could not be asked (none running, locked, refused)
    };
    using ReadDone = std::function<void(const Answer&)>;
    using WriteDone = std::function<void(const QString& error)>; // empty: done

    // The one account of the calendar sync.
    static constexpr char SyncPasswordKey[] = "caldav";

    virtual ~CredentialStore() = default;
    virtual void read(const QString& key, QObject* receiver, ReadDone done) = 0;
    // An empty secret takes the key away.
    virtual void write(const QString& key, const QString& secret, QObject* receiver, WriteDone done) = 0;
};
