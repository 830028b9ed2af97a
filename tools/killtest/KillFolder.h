#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The folder a killed program leaves behind: its executable's folder with "Settings.xml" and the data folder
// "Alarms Directory". It seeds due alarms there while the program is stopped and checks, after every kill, what
// must hold whatever moment the kill came at.
//
// "Zentick.lock" beside the executable and in the data folder is no stray file: it is the program's files lock, there
// by design for as long as the program runs. A clean end removes it; after a kill it stays behind, empty of any lock
// (the kernel drops a dead process's locks), and the next start takes it over. What is checked instead is that nothing
// still holds it once the program is dead, since a leftover holder would turn every later start away.
class KillFolder {
public:
    explicit KillFolder(QString exeFolder);

    QString dataFolder() const { return m_exeFolder + QStringLiteral("/Alarms Directory"); }

    // Tops the event store up to `dueOnce` due one-time alarms, and adds `repeating` repeating alarms on a
    // minute grid the first time; later calls set every repeating alarm back to a grid point in the past, so
    // each start has them to fire. Each alarm's first text line names it: "once <n>" or "every <n>". The store
    // is edited in a copy and put back whole, so a temporary file the program left stays for the program's
    // own next save to remove.
    void seed(int dueOnce, int repeating);

    struct Result {
        QStringList failures;
        QSet<QByteArray> doubles; // one-time alarms in both stores: a kill between the two saves of their move
        QString stray;            // the temporary file a killed save left, if any
        int retired = 0;          // one-time alarms in the past-alarm store
    };
    // Checks the folder of a stopped program: every document loads and saves to the same bytes; every one-time
    // alarm is in one store, or in both when `doublesAllowed`; each is at most once in each; every repeating
    // alarm is on its grid and never went back; at most one stray file, and a stray of the last check is gone
    // once its document was saved again.
    Result check(bool doublesAllowed);

    // The one-time alarms of `names` still having a record in the event store.
    QSet<QByteArray> stillInEvents(const QSet<QByteArray>& names) const;

    // One-time alarms in the past-alarm store at the last check.
    int retired() const { return m_retired; }

private:
    struct Repeating {
        double base;     // the grid's origin
        int minutes;     // the grid's step
        double lastSeen; // the date at the last check
    };
    void checkDocuments(Result& result);
    void checkAlarms(bool doublesAllowed, Result& result);
    void checkStray(Result& result);
    void checkLock(Result& result) const;

    QString m_exeFolder;
    QTemporaryDir m_scratch;
    int m_retired = 0;
    int m_nextOnce = 0;
    QMap<QByteArray, Repeating> m_repeating;
    QSet<QByteArray> m_onceSeeded;
    QHash<QString, QByteArray> m_documents; // bytes of each document at the last check
    QString m_lastStray;
    QByteArray m_lastStrayBytes;
};
