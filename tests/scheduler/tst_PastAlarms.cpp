// The move of an alarm into the past-alarm store: stored bytes copied unchanged, all or nothing on disk,
// and the move a kill cut off between its two saves finished at the next start.

#include "SchedulerHarness.h"
#include "StoreObstacle.h"

#include "scheduler/PastAlarms.h"
#include "store/Exception.h"

#include <QSignalSpy>
#include <QTest>

using namespace EventRecord;

namespace {

QByteArray fileBytes(const TXMLIniFile& store) {
    QFile file(store.FileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

// "[section]" and "key=value" lines in store order.
QByteArray dump(const TXMLIniFile& store) {
    QByteArray out;
    for (const QByteArray& section : store.ReadSections()) {
        out += '[' + section + "]\n";
        for (const QByteArray& key : store.ReadSection(section))
            out += key + '=' + store.ReadString(section, key, {}) + '\n';
    }
    return out;
}

RecordFields oneTime(const QDateTime& when, const QStringList& lines = {QStringLiteral("Meeting")}) {
    RecordFields r;
    r.date = when;
    r.lines = lines;
    return r;
}

} // namespace

class TestPastAlarms : public QObject {
    Q_OBJECT

private slots:
    void storedBytesMoveUnchanged();
    void everyLineKeyMovesAlong_data();
    void everyLineKeyMovesAlong();
    void failedMoveLeavesBothStoresAsTheyWere_data();
    void failedMoveLeavesBothStoresAsTheyWere();
    void interruptedMoveIsFinished_data();
    void interruptedMoveIsFinished();
    void interruptedMoveThatCannotBeSettled();
};

void TestPastAlarms::storedBytesMoveUnchanged() {
    SchedulerHarness h;
    h.write("4", oneTime(h.clock.dateTime()));
    // Windows-1252 text of the earlier version, a missing line key, a "sound" of its own spelling.
    h.events->WriteString("4", "0", "caf\xE9 au lait");
    h.events->WriteInt("4", Key::LineCount, 3);
    h.events->WriteString("4", "2", "\x80 5");
    h.events->WriteString("4", Key::Sound, "0");
    h.pastAlarms->WriteString("0", Key::Date, "1");

    const QByteArray k = PastAlarms::retire(*h.events, *h.pastAlarms, "4", 46146.5);
    QCOMPARE(k, QByteArray("1"));
    QVERIFY(!h.events->HasSection("4"));
    const TXMLIniFile reread(h.pastAlarms->FileName());
    QCOMPARE(dump(reread), QByteArray("[0]\ndate=1\n[1]\ndate=46146.5\nsound=0\nlinecount=3\n"
                                      "0=caf\xE9 au lait\n1=\n2=\x80 5\n"));
    QVERIFY(fileBytes(reread).contains("caf&#xE9;"));
    QCOMPARE(readTextBlock(reread, k), (QStringList{QStringLiteral("café au lait"), QString(), QStringLiteral("€ 5")}));
}

// The window shows the text block as "linecount" says; the move takes along every line key the record holds, so
// stored text never ends up in neither file. The moved record shows what the alarm showed.
void TestPastAlarms::everyLineKeyMovesAlong_data() {
    QTest::addColumn<QByteArrayList>("keys"); // "key=value", written in this order after the always-written keys
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QByteArray>("moved");
    QTest::addColumn<bool>("byScheduler");
    for (const bool byScheduler : {true, false}) {
        const char* who = byScheduler ? "firing" : "list delete";
        QTest::addRow("%s, no linecount", who) << QByteArrayList{"0=Tea", "1=with lemon"} << QStringList()
                                               << QByteArray("linecount=0\n0=Tea\n1=with lemon\n") << byScheduler;
        QTest::addRow("%s, lines an edit left behind", who)
            << QByteArrayList{"linecount=1", "0=Tea", "1=old", "2=older"} << QStringList{QStringLiteral("Tea")}
            << QByteArray("linecount=1\n0=Tea\n1=old\n2=older\n") << byScheduler;
        QTest::addRow("%s, a missing line within the count", who)
            << QByteArrayList{"linecount=3", "0=Tea", "2=cake", "3=left"}
            << QStringList{QStringLiteral("Tea"), QString(), QStringLiteral("cake")}
            << QByteArray("linecount=3\n0=Tea\n1=\n2=cake\n3=left\n") << byScheduler;
    }
}

void TestPastAlarms::everyLineKeyMovesAlong() {
    QFETCH(QByteArrayList, keys);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, moved);
    QFETCH(bool, byScheduler);
    SchedulerHarness h;
    {
        TXMLIniFile::Batch batch(*h.events);
        h.events->WriteString("0", Key::AlType, KindAlarm);
        h.events->WriteDouble("0", Key::Date, h.clock.now());
        h.events->WriteFlag("0", Key::Sound, false);
        for (const QByteArray& key : std::as_const(keys))
            h.events->WriteString("0", key.left(key.indexOf('=')), key.mid(key.indexOf('=') + 1));
        batch.commit();
    }
    if (byScheduler) {
        QCOMPARE(h.tick(), 50);
        QCOMPARE(h.sink.alarms.size(), 1);
        QCOMPARE(h.sink.alarms.first().lines, shown);
    } else {
        PastAlarms::retire(*h.events, *h.pastAlarms, "0", h.clock.now());
    }
    QVERIFY(!h.events->HasSection("0"));
    const TXMLIniFile reread(h.pastAlarms->FileName());
    const QByteArray date = reread.ReadString("0", Key::Date, {});
    QCOMPARE(dump(reread), "[0]\ndate=" + date + "\nsound=0\n" + moved);
    QCOMPARE(readTextBlock(reread, "0"), shown);
}

void TestPastAlarms::failedMoveLeavesBothStoresAsTheyWere_data() {
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<bool>("byScheduler");
    for (const bool byScheduler : {false, true}) {
        const char* who = byScheduler ? "firing" : "list delete";
        QTest::addRow("%s, past-alarm store unsaveable", who) << QStringLiteral("PAlarms.xml") << byScheduler;
        QTest::addRow("%s, event store unsaveable", who) << QStringLiteral("Alarms.xml") << byScheduler;
    }
}

void TestPastAlarms::failedMoveLeavesBothStoresAsTheyWere() {
    QFETCH(QString, blocked);
    QFETCH(bool, byScheduler);
    SchedulerHarness h;
    h.write("0", oneTime(h.clock.dateTime()));
    h.write("1", oneTime(h.clock.dateTime().addDays(1)));
    h.pastAlarms->WriteString("0", Key::Date, "46000");
    const QByteArray events = dump(*h.events);
    const QByteArray past = dump(*h.pastAlarms);
    const QByteArray eventBytes = fileBytes(*h.events);
    const QByteArray pastBytes = fileBytes(*h.pastAlarms);
    QSignalSpy failed(h.scheduler.get(), &Scheduler::failed);
    {
        const StoreObstacle obstacle(h.dir.filePath(blocked));
        if (byScheduler) {
            QCOMPARE(h.tick(), 50);
            QCOMPARE(h.sink.alarms.size(), 1); // the window comes first
            QCOMPARE(failed.size(), 1);
            QVERIFY(failed.first().first().toString().startsWith(QStringLiteral("Cannot create file ")));
            // Passed over from now on: not shown, and not reported, at every tick.
            for (int i = 0; i < 3; ++i)
                h.tick();
            QCOMPARE(h.sink.alarms.size(), 1);
            QCOMPARE(failed.size(), 1);
        } else {
            QVERIFY_THROWS_EXCEPTION(Exception, PastAlarms::retire(*h.events, *h.pastAlarms, "0", h.clock.now()));
        }
        QCOMPARE(dump(*h.events), events);
        QCOMPARE(dump(*h.pastAlarms), past);
    }
    QCOMPARE(fileBytes(*h.events), eventBytes);
    QCOMPARE(fileBytes(*h.pastAlarms), pastBytes);
    // Once the disk takes saves again, the next move is whole.
    PastAlarms::retire(*h.events, *h.pastAlarms, "0", h.clock.now());
    QCOMPARE(dump(TXMLIniFile(h.events->FileName())), dump(*h.events));
    QCOMPARE(dump(TXMLIniFile(h.pastAlarms->FileName())), dump(*h.pastAlarms));
    QVERIFY(!h.events->HasSection("0"));
    QVERIFY(h.pastAlarms->HasSection("1"));
}

void TestPastAlarms::interruptedMoveIsFinished_data() {
    QTest::addColumn<QString>("difference");
    QTest::addColumn<bool>("finished");
    QTest::newRow("identical record") << QString() << true;
    QTest::newRow("another text") << QStringLiteral("text") << false;
    QTest::newRow("another sound") << QStringLiteral("sound") << false;
    QTest::newRow("another date") << QStringLiteral("date") << false;
    QTest::newRow("one more line") << QStringLiteral("lines") << false;
}

// A kill after the past-alarm save and before the event save leaves the record in both stores.
void TestPastAlarms::interruptedMoveIsFinished() {
    QFETCH(QString, difference);
    QFETCH(bool, finished);
    SchedulerHarness h;
    const QDateTime due = h.clock.dateTime().addSecs(-30);
    h.write("0", oneTime(due, {QStringLiteral("Dentist"), QStringLiteral("caf\u00e9")}));
    h.write("1", oneTime(h.clock.dateTime().addDays(1)));
    {
        PastAlarms::Move move(*h.events, *h.pastAlarms);
        move.retire("0", h.events->ReadDouble("0", Key::Date, 0));
        h.pastAlarms->UpdateFile(); // the first of the two saves, and then the kill
    }
    QCOMPARE(TXMLIniFile(h.pastAlarms->FileName()).ReadSections(), QByteArrayList{"0"});
    TXMLIniFile past(h.pastAlarms->FileName());
    if (difference == QStringLiteral("text"))
        past.WriteString("0", "1", "cafe");
    else if (difference == QStringLiteral("sound"))
        past.WriteFlag("0", Key::Sound, false);
    else if (difference == QStringLiteral("date"))
        past.WriteDouble("0", Key::Date, past.ReadDouble("0", Key::Date, 0) - 1);
    else if (difference == QStringLiteral("lines"))
        writeTextBlock(past, "0", {QStringLiteral("Dentist"), QStringLiteral("caf\u00e9"), QString()});

    // The next start.
    TXMLIniFile events(h.events->FileName());
    QCOMPARE(events.ReadSections(), QByteArrayList({"0", "1"}));
    RecordingSink sink;
    Scheduler scheduler(events, past, h.clock, sink);
    scheduler.TimerTimer();
    QCOMPARE(sink.alarms.size(), finished ? 0 : 1);
    QCOMPARE(TXMLIniFile(events.FileName()).ReadSections(), QByteArrayList{"1"});
    QCOMPARE(TXMLIniFile(past.FileName()).ReadSections().size(), finished ? 1 : 2);
}

// The disk refuses the save that would finish the move: the record is not shown again, the failure is told
// once, and the scheduler keeps its pace for the records after it.
void TestPastAlarms::interruptedMoveThatCannotBeSettled() {
    SchedulerHarness h;
    h.write("0", oneTime(h.clock.dateTime().addSecs(-30), {QStringLiteral("Dentist")}));
    h.write("1", oneTime(h.clock.dateTime().addSecs(10), {QStringLiteral("Tea")}));
    {
        PastAlarms::Move move(*h.events, *h.pastAlarms);
        move.retire("0", h.events->ReadDouble("0", Key::Date, 0));
        h.pastAlarms->UpdateFile(); // the first of the two saves, and then the kill
    }
    // The next start, on a disk that no longer takes the event store.
    TXMLIniFile events(h.events->FileName());
    TXMLIniFile past(h.pastAlarms->FileName());
    const QByteArray before = dump(events);
    RecordingSink sink;
    Scheduler scheduler(events, past, h.clock, sink);
    QSignalSpy failed(&scheduler, &Scheduler::failed);
    {
        StoreObstacle obstacle(events.FileName());
        for (int tick = 0; tick < 3; ++tick) {
            if (tick == 2)
                scheduler.setInterval(50); // a commit re-arms the timer
            scheduler.TimerTimer();
            QCOMPARE(scheduler.interval(), 10'000);
        }
        QCOMPARE(sink.shown(), 0);
        QCOMPARE(dump(events), before);
    }
    QCOMPARE(failed.size(), 1);
    QVERIFY2(failed.first().first().toString().contains(QStringLiteral("not shown again")),
             qPrintable(failed.first().first().toString()));
    QCOMPARE(dump(TXMLIniFile(events.FileName())), before);
    QCOMPARE(TXMLIniFile(past.FileName()).ReadSections(), QByteArrayList{"0"});
    // Once the disk takes saves again, the next start settles it.
    TXMLIniFile nextEvents(events.FileName());
    Scheduler next(nextEvents, past, h.clock, sink);
    next.TimerTimer();
    QCOMPARE(sink.shown(), 0);
    QCOMPARE(TXMLIniFile(events.FileName()).ReadSections(), QByteArrayList{"1"});
}

QTEST_GUILESS_MAIN(TestPastAlarms)
#include "tst_PastAlarms.moc"
