#include "scheduler/PastAlarms.h"

#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

namespace PastAlarms {

QByteArray retire(TXMLIniFile& events, TXMLIniFile& pastAlarms, const QByteArray& section, double date) {
    using namespace EventRecord;
    TXMLIniFile::Batch pastBatch(pastAlarms);
    TXMLIniFile::Batch eventsBatch(events);
    const bool sound = events.ReadFlag(section, Key::Sound, true);
    const QStringList lines = readTextBlock(events, section);
    QByteArray k = firstFreeSection(pastAlarms);
    pastAlarms.WriteDouble(k, Key::Date, date);
    pastAlarms.WriteFlag(k, Key::Sound, sound);
    writeTextBlock(pastAlarms, k, lines);
    // The past record is on disk before the event record goes, so a failing save loses nothing.
    pastBatch.commit();
    events.EraseSection(section);
    eventsBatch.commit();
    return k;
}

} // namespace PastAlarms
