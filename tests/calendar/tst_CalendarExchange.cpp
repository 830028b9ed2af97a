#include "calendar/CalendarExchange.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/PastAlarms.h"
#include "store/XMLIniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

namespace K = EventRecord::Key;

const QDateTime Now(QDate(2026, 5, 4), QTime(9, 0));

QByteArray fixture(const QString& name) {
    QFile file(qEnvironmentVariable("ZENTICK_TEST_DATA") + QStringLiteral("/calendar/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The event, past-alarm and diary stores of one data folder.
struct Folder {
    QTemporaryDir dir;
    TXMLIniFile events{dir.filePath(QStringLiteral("Alarms.xml"))};
    TXMLIniFile diary{dir.filePath(QStringLiteral("Calendar.xml"))};
};

void writeAlarm(TXMLIniFile& s, const QByteArray& section, const QDateTime& date, const QStringList& lines,
                int repval = 0, int reptype = 0, const QByteArray& days = {}, const QByteArray& months = {}) {
    TXMLIniFile::Batch batch(s);
    s.WriteFlag(section, K::Bypass, section == "0");
    s.WriteString(section, K::AlType, EventRecord::KindAlarm);
    s.WriteDouble(section, K::Date, DayCount::fromDateTime(date));
    s.WriteFlag(section, K::Repeat, repval > 0);
    if (repval > 0) {
        s.WriteInt(section, K::RepVal, repval);
        s.WriteInt(section, K::RepType, reptype);
        s.WriteFlag(section, K::AllDays, days.isEmpty());
        s.WriteFlag(section, K::AllMonths, months.isEmpty());
        if (!days.isEmpty())
            s.WriteString(section, K::Days, days);
        if (!months.isEmpty())
            s.WriteString(section, K::Months, months);
    }
    s.WriteFlag(section, K::Sound, section != "1");
    s.WriteString(section, K::Category, section == "0" ? "Work" : "General");
    EventRecord::writeTextBlock(s, section, lines);
    batch.commit();
}

// Every key of every section but the UID, sorted: what a record is, whatever order its keys were written in.
QStringList recordsOf(const TXMLIniFile& store) {
    QStringList out;
    for (const QByteArray& section : store.ReadSections()) {
        QStringList keys;
        for (const QByteArray& key : store.ReadSection(section)) {
            if (key != CalendarExchange::UidKey)
                keys << QString::fromUtf8(key + '=' + store.ReadString(section, key, {}));
        }
        keys.sort();
        out << keys.join(u';');
    }
    return out;
}

} // namespace

class tst_CalendarExchange : public QObject {
    Q_OBJECT

private slots:
    void roundTripGivesTheSameRecords();
    void importingTwiceAddsNothing();
    void powerActionsOnlyOnRequest();
    void filesOfOtherPrograms_data();
    void filesOfOtherPrograms();
    void damagedFilesAreRefused_data();
    void damagedFilesAreRefused();
    void diaryNoteOfATakenDayIsKept();
    void uidStaysBehindWhenTheAlarmRetires();
};

void tst_CalendarExchange::roundTripGivesTheSameRecords() {
    Folder from;
    writeAlarm(from.events, "0", Now.addDays(1), {QStringLiteral("Dentist"), QStringLiteral("bring the card")});
    writeAlarm(from.events, "1", Now.addSecs(3600), {QStringLiteral("Every other day, workdays in spring")}, 2,
               int(EventRecord::AlarmUnit::Days), "0111110", "001110000000");
    writeAlarm(from.events, "2", Now.addDays(2), {QStringLiteral("Weekly, but not in August")}, 1,
               int(EventRecord::AlarmUnit::Weeks), "1111110", "111111101111");
    writeAlarm(from.events, "3", Now.addSecs(600), {QStringLiteral("Quarter-hourly")}, 15,
               int(EventRecord::AlarmUnit::Minutes));
    writeAlarm(from.events, "4", Now.addMonths(1), {QStringLiteral("Yearly")}, 1, int(EventRecord::AlarmUnit::Years));
    {
        TXMLIniFile::Batch batch(from.events);
        from.events.WriteString("5", K::AlType, EventRecord::KindBirth);
        from.events.WriteDouble("5", K::BirthDate, DayCount::fromDate(QDate(1980, 5, 10)));
        from.events.WriteDouble("5", K::Date, DayCount::fromDate(QDate(2026, 5, 7)));
        from.events.WriteString("5", K::Name, "Ann \xc3\xa9");
        from.events.WriteFlag("5", K::Sound, false);
        from.events.WriteInt("5", K::Before, 3);
        batch.commit();
    }
    EventRecord::writeTextBlock(from.diary, "46000", {QStringLiteral("A note"), QStringLiteral("of two lines")});
    // Nothing to say and no category: libical takes a property without a value for damage.
    writeAlarm(from.events, "6", Now.addDays(5), {});
    from.events.WriteString("6", K::Category, "");

    const QByteArray text = CalendarExchange::exportCalendar(from.events, &from.diary);
    QVERIFY(text.contains("BEGIN:VJOURNAL"));
    QVERIFY(text.contains("RRULE:FREQ=DAILY;INTERVAL=2;BYDAY=MO,TU,WE,TH,FR;BYMONTH=3,4,5"));
    QVERIFY(text.contains("TRIGGER:-P3D"));
    Folder to;
    const CalendarExchange::ImportReport report =
        CalendarExchange::importCalendar(text, to.events, &to.diary, DayCount::fromDateTime(Now));
    QVERIFY2(report.error.isEmpty(), qPrintable(report.error));
    QVERIFY2(report.notes.isEmpty(), qPrintable(report.notes.join(u'\n')));
    QCOMPARE(report.added, 7);
    QCOMPARE(report.notesAdded, 1);
    QCOMPARE(recordsOf(to.events), recordsOf(from.events));
    QCOMPARE(recordsOf(to.diary), recordsOf(from.diary));
    QCOMPARE(to.events.ReadString("0", CalendarExchange::UidKey, {}), CalendarExchange::uidOf(from.events, "0"));
}

void tst_CalendarExchange::importingTwiceAddsNothing() {
    Folder from;
    writeAlarm(from.events, "0", Now.addDays(1), {QStringLiteral("Dentist")});
    EventRecord::writeTextBlock(from.diary, "46000", {QStringLiteral("A note")});
    const QByteArray text = CalendarExchange::exportCalendar(from.events, &from.diary);
    // Back into the store it came from: nothing doubles.
    const quint64 saves = from.events.saveCount();
    CalendarExchange::ImportReport report =
        CalendarExchange::importCalendar(text, from.events, &from.diary, DayCount::fromDateTime(Now));
    QCOMPARE(report.added + report.notesAdded, 0);
    QCOMPARE(report.alreadyThere, 2);
    QCOMPARE(from.events.ReadSections(), QByteArrayList{"0"});
    QCOMPARE(from.events.saveCount(), saves);

    Folder other;
    writeAlarm(other.events, "0", Now.addDays(3), {QStringLiteral("Mine, kept")});
    const QByteArray foreign = fixture(QStringLiteral("utc-event.ics"));
    for (int round = 0; round < 2; ++round)
        report = CalendarExchange::importCalendar(foreign, other.events, &other.diary, DayCount::fromDateTime(Now));
    QCOMPARE(report.added, 0);
    QCOMPARE(other.events.ReadSections(), (QByteArrayList{"0", "1"}));
    QCOMPARE(EventRecord::readTextBlock(other.events, "0"), QStringList{QStringLiteral("Mine, kept")});

    // A UID with a bare line break inside and blanks after it is kept as the export writes it back.
    Folder odd;
    const QByteArray oddUid = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\rb  \r\n"
                              "DTSTART:20270101T100000\r\nSUMMARY:Odd\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    QCOMPARE(CalendarExchange::importCalendar(oddUid, odd.events, &odd.diary, DayCount::fromDateTime(Now)).added, 1);
    report = CalendarExchange::importCalendar(CalendarExchange::exportCalendar(odd.events, &odd.diary), odd.events,
                                              &odd.diary, DayCount::fromDateTime(Now));
    QCOMPARE(report.added, 0);
    QCOMPARE(report.alreadyThere, 1);
}

void tst_CalendarExchange::powerActionsOnlyOnRequest() {
    Folder from;
    from.events.WriteString("0", K::AlType, EventRecord::KindShut);
    from.events.WriteDouble("0", K::Date, DayCount::fromDateTime(Now.addSecs(3600 - 30)));
    from.events.WriteInt("0", K::ShutType, 1);
    QVERIFY(!CalendarExchange::exportCalendar(from.events, nullptr).contains("VEVENT"));
    CalendarExchange::ExportOptions options;
    options.powerActions = true;
    const QByteArray text = CalendarExchange::exportCalendar(from.events, nullptr, options);
    QVERIFY(text.contains("SUMMARY:Restart"));
    QVERIFY(text.contains("DTSTART:20260504T100000"));
    Folder to;
    const CalendarExchange::ImportReport report =
        CalendarExchange::importCalendar(text, to.events, &to.diary, DayCount::fromDateTime(Now));
    QCOMPARE(report.added, 0);
    QCOMPARE(report.notes.size(), 1);
    QVERIFY(to.events.ReadSections().isEmpty());
}

void tst_CalendarExchange::filesOfOtherPrograms_data() {
    QTest::addColumn<QString>("file");
    // One line per record: kind, local date, repetition (count unit), Days, first line, sound.
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QStringList>("noteParts"); // each must occur in the report's notes, in order
    QTest::newRow("UTC") << QStringLiteral("utc-event.ics")
                         << QStringList{QStringLiteral(
                                "alarm 2027-09-18T16:30:00 once - Networld+Interop Conference and Exhibit|3 lines "
                                "sound")}
                         << QStringList{};
    QTest::newRow("VTIMEZONE") << QStringLiteral("vtimezone.ics")
                               << QStringList{QStringLiteral(
                                      "alarm 2027-03-12T14:30:00 once - XYZ Project Review|2 lines sound")}
                               << QStringList{};
    QTest::newRow("all-day") << QStringLiteral("all-day.ics")
                             << QStringList{QStringLiteral("alarm 2026-11-02T00:00:00 1 5 - Our Blissful Anniversary|1 "
                                                           "lines sound"),
                                            QStringLiteral("alarm 2027-06-28T00:00:00 once - Festival International "
                                                           "de Jazz de Montreal|1 lines sound")}
                             << QStringList{};
    QTest::newRow("92nd month") << QStringLiteral("month-92.ics") << QStringList{}
                                << QStringList{QStringLiteral("\"In the 92nd month\" has no start")};
    QTest::newRow("COUNT, UNTIL, BYDAY, VTODO")
        << QStringLiteral("rrule-count-until-todo.ics")
        << QStringList{QStringLiteral("alarm 2026-05-05T09:00:00 once - Daily for 10 occurrences|1 lines sound"),
                       QStringLiteral("alarm 2026-05-05T07:15:00 1 2 0111110 Every weekday|1 lines sound")}
        << QStringList{QStringLiteral("\"Daily for 10 occurrences\": Zentick cannot repeat RRULE:FREQ=DAILY;COUNT=10; "
                                      "only its next occurrence, 2026-05-05T09:00:00, was imported."),
                       QStringLiteral("\"Daily until December 24, 2025\""), QStringLiteral("1 to-do(s) left out")};
}

void tst_CalendarExchange::filesOfOtherPrograms() {
    QFETCH(QString, file);
    QFETCH(QStringList, records);
    QFETCH(QStringList, noteParts);
    Folder to;
    const CalendarExchange::ImportReport report =
        CalendarExchange::importCalendar(fixture(file), to.events, &to.diary, DayCount::fromDateTime(Now));
    QVERIFY2(report.error.isEmpty(), qPrintable(report.error));
    QStringList found;
    for (const QByteArray& s : to.events.ReadSections()) {
        const bool repeat = to.events.ReadFlag(s, K::Repeat, false);
        const QStringList lines = EventRecord::readTextBlock(to.events, s);
        found << QStringLiteral("%1 %2 %3 %4 %5|%6 lines %7")
                     .arg(QString::fromUtf8(to.events.ReadString(s, K::AlType, {})),
                          DayCount::toDateTime(to.events.ReadDouble(s, K::Date, 0)).toString(Qt::ISODate),
                          repeat ? QStringLiteral("%1 %2")
                                       .arg(to.events.ReadInt(s, K::RepVal, 0))
                                       .arg(to.events.ReadInt(s, K::RepType, 0))
                                 : QStringLiteral("once"),
                          repeat && !to.events.ReadFlag(s, K::AllDays, true)
                              ? QString::fromUtf8(to.events.ReadString(s, K::Days, {}))
                              : QStringLiteral("-"),
                          lines.value(0))
                     .arg(lines.size())
                     .arg(to.events.ReadFlag(s, K::Sound, true) ? QStringLiteral("sound") : QStringLiteral("quiet"));
    }
    QCOMPARE(found, records);
    const QString notes = report.notes.join(u'\n');
    qsizetype at = 0;
    for (const QString& part : noteParts) {
        at = notes.indexOf(part, at);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("\"%1\" not in:\n%2").arg(part, notes)));
    }
    QCOMPARE(report.notes.size(), noteParts.size());
}

void tst_CalendarExchange::damagedFilesAreRefused_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("cut off") << fixture(QStringLiteral("cut-off.ics"));
    QTest::newRow("bad date") << fixture(QStringLiteral("bad-date.ics"));
    QTest::newRow("no calendar") << QByteArray("hello\nEND:VCALENDAR\n");
    QTest::newRow("zero byte")
        << fixture(QStringLiteral("utc-event.ics")).replace("Atlanta", QByteArray("Atl\0nta", 7));
    QTest::newRow("empty") << QByteArray();
}

void tst_CalendarExchange::damagedFilesAreRefused() {
    QFETCH(QByteArray, text);
    Folder to;
    writeAlarm(to.events, "0", Now.addDays(3), {QStringLiteral("Mine")});
    const QByteArray before = to.events.GetXML();
    const CalendarExchange::ImportReport report =
        CalendarExchange::importCalendar(text, to.events, &to.diary, DayCount::fromDateTime(Now));
    QVERIFY(!report.error.isEmpty());
    QCOMPARE(report.added, 0);
    QCOMPARE(to.events.GetXML(), before);
    QVERIFY(!QFile::exists(to.dir.filePath(QStringLiteral("Calendar.xml"))));
}

void tst_CalendarExchange::diaryNoteOfATakenDayIsKept() {
    Folder from;
    EventRecord::writeTextBlock(from.diary, "46000", {QStringLiteral("Theirs")});
    Folder to;
    EventRecord::writeTextBlock(to.diary, "46000", {QStringLiteral("Mine")});
    const CalendarExchange::ImportReport report = CalendarExchange::importCalendar(
        CalendarExchange::exportCalendar(from.events, &from.diary), to.events, &to.diary, DayCount::fromDateTime(Now));
    QCOMPARE(report.notesAdded, 0);
    QCOMPARE(report.notes.size(), 1);
    QCOMPARE(EventRecord::readTextBlock(to.diary, "46000"), QStringList{QStringLiteral("Mine")});
}

// The UID is the one key the import adds. The readers of the earlier version look keys up by name, and a record
// that moves to the past alarms takes exactly the specified keys along.
void tst_CalendarExchange::uidStaysBehindWhenTheAlarmRetires() {
    Folder to;
    QCOMPARE(CalendarExchange::importCalendar(fixture(QStringLiteral("utc-event.ics")), to.events, &to.diary,
                                              DayCount::fromDateTime(Now))
                 .added,
             1);
    QCOMPARE(to.events.ReadString("0", CalendarExchange::UidKey, {}), QByteArray("uid1@example.com"));
    TXMLIniFile past(to.dir.filePath(QStringLiteral("PAlarms.xml")));
    PastAlarms::retire(to.events, past, "0", to.events.ReadDouble("0", K::Date, 0));
    QCOMPARE(past.ReadSection("0"), (QByteArrayList{"date", "sound", "linecount", "0", "1", "2"}));
}

QTEST_GUILESS_MAIN(tst_CalendarExchange)
#include "tst_CalendarExchange.moc"
