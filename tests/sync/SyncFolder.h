#pragma once

// A Zentick data folder of its own, its stores, and one sync of it at a time.

#include "context/DataStores.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"
#include "sync/CalDavSyncRunner.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

struct SyncFolder {
    QTemporaryDir dir;
    DataStores stores{dir.path()};
    SyncFolder() { stores.openDataStores(dir.path()); }

    TXMLIniFile& events() { return stores.eventStore(); }
    TXMLIniFile& diary() { return stores.diaryStore(); }
    TXMLIniFile& past() { return stores.pastAlarmStore(); }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }

    // Data folders of a sync child write their stores behind our back: read them again.
    void reopen() { stores.openDataStores(dir.path()); }

    SyncOutcome sync(const SyncAccount& account, int timeoutMs = 30'000) {
        CalDavSyncRunner runner(stores);
        runner.setTimeout(timeoutMs);
        QSignalSpy done(&runner, &SyncRunner::finished);
        runner.start(account);
        if (!done.wait(120'000) || done.size() != 1)
            return {};
        return done.first().first().value<SyncOutcome>();
    }
};

namespace SyncData {

namespace K = EventRecord::Key;

inline double inDays(double days) {
    return DayCount::fromDateTime(QDateTime::currentDateTime()) + days;
}

inline void writeAlarm(TXMLIniFile& events, const QByteArray& section, double date, const QString& text,
                       int repval = 0) {
    TXMLIniFile::Batch batch(events);
    events.WriteString(section, K::AlType, EventRecord::KindAlarm);
    events.WriteDouble(section, K::Date, date);
    events.WriteFlag(section, K::Repeat, repval > 0);
    if (repval > 0) {
        events.WriteInt(section, K::RepVal, repval);
        events.WriteInt(section, K::RepType, int(EventRecord::AlarmUnit::Days));
        events.WriteFlag(section, K::AllDays, true);
        events.WriteFlag(section, K::AllMonths, true);
    }
    events.WriteFlag(section, K::Sound, true);
    events.WriteFlag(section, K::Bypass, false);
    events.WriteString(section, K::Category, "General");
    EventRecord::writeTextBlock(events, section, {text});
    batch.commit();
}

inline QByteArray addAlarm(TXMLIniFile& events, double date, const QString& text) {
    const QByteArray section = EventRecord::firstFreeSection(events);
    writeAlarm(events, section, date, text);
    return section;
}

// The section of the record whose first line is text, or "".
inline QByteArray sectionWith(const TXMLIniFile& events, const QString& text) {
    for (const QByteArray& s : events.ReadSections()) {
        if (EventRecord::readTextBlock(events, s).value(0) == text)
            return s;
    }
    return {};
}

inline void writeBirthday(TXMLIniFile& events, const QByteArray& section, const QString& name, QDate born) {
    TXMLIniFile::Batch batch(events);
    events.WriteString(section, K::AlType, EventRecord::KindBirth);
    events.WriteDouble(section, K::BirthDate, DayCount::fromDate(born));
    events.WriteDouble(section, K::Date,
                       DayCount::fromDate(QDate(QDate::currentDate().year() + 1, born.month(), born.day())));
    events.WriteString(section, K::Name, name.toUtf8());
    events.WriteFlag(section, K::Sound, true);
    events.WriteInt(section, K::Before, 2);
    batch.commit();
}

inline void writePowerAction(TXMLIniFile& events, const QByteArray& section, double date) {
    TXMLIniFile::Batch batch(events);
    events.WriteString(section, K::AlType, EventRecord::KindShut);
    events.WriteDouble(section, K::Date, date);
    events.WriteFlag(section, K::Repeat, false);
    events.WriteInt(section, K::ShutType, 0);
    batch.commit();
}

// What the event store shows: one line per record ("alarm: <text>", "birth: <name>", "shut"), sorted, so two
// folders can be compared whatever their section numbers.
inline QStringList eventsOf(const TXMLIniFile& events) {
    QStringList out;
    for (const QByteArray& s : events.ReadSections()) {
        const QByteArray kind = events.ReadString(s, K::AlType, EventRecord::KindAlarm);
        if (kind == EventRecord::KindBirth)
            out << QStringLiteral("birth: ") + QString::fromUtf8(events.ReadString(s, K::Name, {}));
        else if (kind == EventRecord::KindAlarm)
            out << QStringLiteral("alarm: ") + EventRecord::readTextBlock(events, s).join(u'|');
        else
            out << QString::fromUtf8(kind);
    }
    out.sort();
    return out;
}

inline QStringList notesOf(const TXMLIniFile& diary) {
    QStringList out;
    for (const QByteArray& s : diary.ReadSections())
        out << QString::fromUtf8(s) + u'=' + EventRecord::readTextBlock(diary, s).join(u'|');
    out.sort();
    return out;
}

} // namespace SyncData
