#include "ui/editors/EventCommit.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

namespace EventCommit {

namespace K = EventRecord::Key;

namespace {

void writeRepetition(TXMLIniFile& store, const QByteArray& section, const Repetition& repetition) {
    store.WriteFlag(section, K::Repeat, repetition.enabled);
    if (!repetition.enabled)
        return;
    const DayMonthFilter& filter = repetition.filter;
    store.WriteInt(section, K::RepVal, repetition.count);
    store.WriteInt(section, K::RepType, repetition.unit);
    store.WriteFlag(section, K::AllDays, filter.allDays);
    store.WriteFlag(section, K::AllMonths, filter.allMonths);
    if (!filter.allDays)
        store.WriteString(section, K::Days, EventRecord::dayString(filter.days));
    if (!filter.allMonths)
        store.WriteString(section, K::Months, EventRecord::monthString(filter.months));
}

} // namespace

void writeAlarm(TXMLIniFile& store, const QByteArray& section, const AlarmRecord& record) {
    TXMLIniFile::Batch batch(store);
    store.WriteFlag(section, K::Bypass, record.bypass);
    store.WriteString(section, K::AlType, EventRecord::KindAlarm);
    store.WriteDouble(section, K::Date, record.date);
    writeRepetition(store, section, record.repetition);
    store.WriteFlag(section, K::Sound, record.sound);
    store.WriteString(section, K::Category, record.category);
    EventRecord::writeStoredTextBlock(store, section, record.lines);
    batch.commit();
}

void writePowerAction(TXMLIniFile& store, const QByteArray& section, const PowerActionRecord& record) {
    TXMLIniFile::Batch batch(store);
    store.WriteString(section, K::AlType, EventRecord::KindShut);
    store.WriteDouble(section, K::Date, DayCount::addSeconds(record.moment, -powerCountdownSeconds));
    writeRepetition(store, section, record.repetition);
    store.WriteInt(section, K::ShutType, record.action);
    batch.commit();
}

void writeBirthday(TXMLIniFile& store, const QByteArray& section, const BirthdayRecord& record) {
    TXMLIniFile::Batch batch(store);
    store.WriteString(section, K::AlType, EventRecord::KindBirth);
    store.WriteDouble(section, K::BirthDate, record.birthDate);
    store.WriteDouble(section, K::Date, record.date);
    store.WriteString(section, K::Name, record.name);
    store.WriteFlag(section, K::Sound, record.sound);
    store.WriteInt(section, K::Before, record.before);
    batch.commit();
}

double firstBirthdayNotification(double birthDate, double now, int before) {
    double d = birthDate;
    // Years are added one at a time from the previous result, so a 29th of February that once became
    // the 28th stays there.
    while (d < now)
        d = DayCount::addYears(d, 1);
    return DayCount::addDays(d, -before);
}

QStringList textLines(const QString& text) {
    return EventRecord::textLines(text, EventRecord::EmptyText::NoLine);
}

} // namespace EventCommit
