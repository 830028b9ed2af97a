#include "scheduler/PastAlarms.h"

#include "scheduler/EventRecord.h"
#include "store/IniText.h"

#include <QHash>

namespace PastAlarms {

namespace {

// The past-alarm record an event record becomes, as stored.
struct PastRecord {
    QByteArray date;
    QByteArray sound;
    EventRecord::MovedTextBlock text;
    bool operator==(const PastRecord& other) const {
        return date == other.date && sound == other.sound && text == other.text;
    }
};

PastRecord pastRecordOf(const TXMLIniFile& events, const QByteArray& section, double date) {
    using namespace EventRecord;
    // An absent "sound" means sound on; a present one is copied as it is.
    return {IniText::fromDouble(date), events.ReadString(section, Key::Sound, "1"),
            readTextBlockToMove(events, section)};
}

PastRecord storedPastRecord(const TXMLIniFile& pastAlarms, const QByteArray& section) {
    using namespace EventRecord;
    return {pastAlarms.ReadString(section, Key::Date, {}), pastAlarms.ReadString(section, Key::Sound, {}),
            readTextBlockToMove(pastAlarms, section)};
}

bool isDueOneTimeAlarm(const TXMLIniFile& events, const QByteArray& section, double now) {
    using namespace EventRecord;
    return !section.isEmpty() && events.ReadString(section, Key::AlType, KindAlarm) == KindAlarm &&
           !events.ReadFlag(section, Key::Repeat, false) && events.ReadDouble(section, Key::Date, now + 1) <= now;
}

} // namespace

Move::Move(TXMLIniFile& events, TXMLIniFile& pastAlarms)
    : m_events(events)
    , m_pastAlarms(pastAlarms)
    , m_pastBatch(pastAlarms)
    , m_eventsBatch(events) {}

Move::~Move() = default;

QByteArray Move::retire(const QByteArray& section, double date) {
    using namespace EventRecord;
    const PastRecord record = pastRecordOf(m_events, section, date);
    const QByteArray k = firstFreeSection(m_pastAlarms);
    m_pastAlarms.WriteString(k, Key::Date, record.date);
    m_pastAlarms.WriteString(k, Key::Sound, record.sound);
    writeMovedTextBlock(m_pastAlarms, k, record.text);
    m_written.append(k);
    m_events.EraseSection(section);
    return k;
}

void Move::commit() {
    try {
        m_pastBatch.commit();
    } catch (...) {
        m_eventsBatch.rollBack();
        throw;
    }
    try {
        m_eventsBatch.commit();
    } catch (...) {
        // The event records are back in memory and were never gone from disk: take their past-alarm
        // copies out again, so that neither file holds a record twice.
        try {
            TXMLIniFile::Batch undo(m_pastAlarms);
            for (const QByteArray& k : std::as_const(m_written))
                m_pastAlarms.EraseSection(k);
            undo.commit();
        } catch (...) {
            // Both files hold the record now; the next start settles it.
        }
        throw;
    }
}

QByteArray retire(TXMLIniFile& events, TXMLIniFile& pastAlarms, const QByteArray& section, double date) {
    Move move(events, pastAlarms);
    QByteArray k = move.retire(section, date);
    move.commit();
    return k;
}

QByteArrayList interruptedMoves(const TXMLIniFile& events, const TXMLIniFile& pastAlarms, double now) {
    using namespace EventRecord;
    QByteArrayList due;
    const QByteArrayList sections = events.ReadSections();
    for (const QByteArray& section : sections) {
        if (isDueOneTimeAlarm(events, section, now))
            due.append(section);
    }
    if (due.isEmpty())
        return {};
    QMultiHash<QByteArray, QByteArray> pastByDate;
    const QByteArrayList pastSections = pastAlarms.ReadSections();
    for (const QByteArray& k : pastSections)
        pastByDate.insert(pastAlarms.ReadString(k, Key::Date, {}), k);

    QByteArrayList moved;
    for (const QByteArray& section : std::as_const(due)) {
        const PastRecord record = pastRecordOf(events, section, events.ReadDouble(section, Key::Date, 0));
        const QList<QByteArray> candidates = pastByDate.values(record.date);
        for (const QByteArray& k : candidates) {
            if (storedPastRecord(pastAlarms, k) == record) {
                moved.append(section);
                break;
            }
        }
    }
    return moved;
}

QByteArrayList finishInterruptedMoves(TXMLIniFile& events, const TXMLIniFile& pastAlarms, double now) {
    const QByteArrayList finished = interruptedMoves(events, pastAlarms, now);
    if (finished.isEmpty())
        return {};
    TXMLIniFile::Batch batch(events);
    for (const QByteArray& section : finished)
        events.EraseSection(section);
    batch.commit();
    return finished;
}

} // namespace PastAlarms
