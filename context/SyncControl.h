#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

// The calendar sync as a page sees it: whether one can run, the last one's end, and a sync on request. The
// main window owns the sync and its schedule; a page only shows and asks.
class SyncControl : public QObject {
    Q_OBJECT
public:
    enum class State {
        Unavailable, // no sync built into the program
        NoAccount,   // no server address stored
        Idle,
        Running,
    };
    struct Report {
        QDateTime finishedAt; // invalid: none yet in this run
        bool ok = false;
        QString status;
    };

    using QObject::QObject;
    virtual State state() const = 0;
    virtual Report lastReport() const = 0;
    // At once when none runs; otherwise nothing (one runs already).
    virtual void syncNow() = 0;
    // The page stored another address, user or password: a sync follows soon with it.
    virtual void accountChanged() = 0;

signals:
    void changed();
};
