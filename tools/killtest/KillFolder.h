#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

// The folder a killed program leaves behind: its executable's folder with "Settings.xml" and the data folder
// "Alarms Directory". It seeds due alarms there while the program is stopped and checks, after every kill, what
// must hold whatever moment the kill came at.
class KillFolder {
public:
    explicit KillFolder(QString exeFolder);

    QString dataFolder() const { return m_exeFolder + QStringLiteral("/Alarms Directory"); }

    // Tops the event store up to `dueOnce` due one-time alarms, and adds `repeating` repeating alarms on a
    // minute grid the first time; later calls set every repeating alarm back to a grid point in the past, so
    // each start has them to fire. Each alarm's first text line names it: "once <n>" or "every <n>".
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

private:
    struct Repeating {
        double base;     // the grid's origin
        int minutes;     // the grid's step
        double lastSeen; // the date at the last check
    };
    void checkDocuments(Result& result);
    void checkAlarms(bool doublesAllowed, Result& result);
    void checkStray(Result& result);

    QString m_exeFolder;
    int m_nextOnce = 0;
    QMap<QByteArray, Repeating> m_repeating;
    QSet<QByteArray> m_onceSeeded;
    QHash<QString, QByteArray> m_documents; // bytes of each document at the last check
    QString m_lastStray;
    QByteArray m_lastStrayBytes;
};
