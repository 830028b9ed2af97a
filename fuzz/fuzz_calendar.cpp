// The iCalendar import on arbitrary text, into a data folder that holds one alarm and one note of its own. A file
// that is refused leaves both files byte for byte as they were; one that is taken adds records under new numbers
// and never changes the ones there, every record it adds is one the scheduler can fire (a known kind, a date, a
// one-time alarm ahead of now), both files reload as saved, and exporting what is there and importing that into
// the same folder adds nothing.
#include "FuzzSupport.h"

#include "calendar/CalendarExchange.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QDateTime>

#include <cmath>
#include <cstdint>

namespace {

const QByteArray OwnEvents = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

void prepare() {
    QFile::remove(Fuzz::scratchFile(QStringLiteral("Alarms.xml")));
    QFile::remove(Fuzz::scratchFile(QStringLiteral("Calendar.xml")));
    TXMLIniFile events(Fuzz::scratchFile(QStringLiteral("Alarms.xml")));
    TXMLIniFile::Batch batch(events);
    events.WriteString("0", EventRecord::Key::AlType, EventRecord::KindAlarm);
    events.WriteDouble("0", EventRecord::Key::Date, 47000.5);
    EventRecord::writeTextBlock(events, "0", {QStringLiteral("Mine")});
    batch.commit();
    TXMLIniFile diary(Fuzz::scratchFile(QStringLiteral("Calendar.xml")));
    EventRecord::writeTextBlock(diary, "46000", {QStringLiteral("My note")});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    prepare();
    const QByteArray eventsBefore = Fuzz::readScratch(QStringLiteral("Alarms.xml"));
    const QByteArray diaryBefore = Fuzz::readScratch(QStringLiteral("Calendar.xml"));
    TXMLIniFile events(Fuzz::scratchFile(QStringLiteral("Alarms.xml")));
    TXMLIniFile diary(Fuzz::scratchFile(QStringLiteral("Calendar.xml")));
    const double now = DayCount::fromDateTime(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    const CalendarExchange::ImportReport report = CalendarExchange::importCalendar(text, events, &diary, now);
    if (!report.error.isEmpty() || report.added + report.notesAdded == 0) {
        FUZZ_CHECK(Fuzz::readScratch(QStringLiteral("Alarms.xml")) == eventsBefore, "refused, yet events changed");
        FUZZ_CHECK(Fuzz::readScratch(QStringLiteral("Calendar.xml")) == diaryBefore, "refused, yet diary changed");
        FUZZ_CHECK(report.added + report.notesAdded == 0, "refused, yet reported as added");
        return 0;
    }
    const QByteArrayList sections = events.ReadSections();
    FUZZ_CHECK(sections.value(0) == "0", "the alarm that was there moved");
    FUZZ_CHECK(EventRecord::readTextBlock(events, "0") == QStringList{QStringLiteral("Mine")}, "own alarm changed");
    FUZZ_CHECK(EventRecord::readTextBlock(diary, "46000") == QStringList{QStringLiteral("My note")}, "note replaced");
    FUZZ_CHECK(sections.size() == 1 + report.added, "%d added, %d sections", report.added, int(sections.size()));
    for (const QByteArray& s : sections.mid(1)) {
        const QByteArray kind = events.ReadString(s, EventRecord::Key::AlType, {});
        FUZZ_CHECK(kind == EventRecord::KindAlarm || kind == EventRecord::KindBirth, "kind %s", kind.constData());
        const double date = events.ReadDouble(s, EventRecord::Key::Date, NAN);
        FUZZ_CHECK(std::isfinite(date), "section %s has no date", s.constData());
        if (kind == EventRecord::KindAlarm && !events.ReadFlag(s, EventRecord::Key::Repeat, false))
            FUZZ_CHECK(date > now, "one-time alarm %s lies in the past", s.constData());
    }
    FUZZ_CHECK(TXMLIniFile(Fuzz::scratchFile(QStringLiteral("Alarms.xml"))).GetXML() == events.GetXML(),
               "events reload otherwise");
    FUZZ_CHECK(TXMLIniFile(Fuzz::scratchFile(QStringLiteral("Calendar.xml"))).GetXML() == diary.GetXML(),
               "diary reloads otherwise");
    const CalendarExchange::ImportReport again =
        CalendarExchange::importCalendar(CalendarExchange::exportCalendar(events, &diary), events, &diary, now);
    FUZZ_CHECK(again.error.isEmpty(), "own export refused: %s", qPrintable(again.error));
    FUZZ_CHECK(again.added == 0 && again.notesAdded == 0, "own export added %d events, %d notes", again.added,
               again.notesAdded);
    return 0;
}
