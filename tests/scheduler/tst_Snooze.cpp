#include "SchedulerHarness.h"
#include "StoreObstacle.h"

#include "scheduler/Snooze.h"
#include "store/Exception.h"

#include <QFile>
#include <QTest>

namespace {

constexpr qint64 Minute = 60'000;

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The harness with the settings store that keeps the snoozes, and a restart that reads everything from disk again.
struct SnoozeHarness : SchedulerHarness {
    explicit SnoozeHarness(const QDateTime& start)
        : SchedulerHarness(start) {
        open();
    }
    QString settingsPath() const { return dir.filePath(QStringLiteral("Settings.xml")); }
    void open() {
        settings = std::make_unique<TXMLIniFile>(settingsPath());
        scheduler->setSnoozeStore(settings.get());
    }
    void restart() {
        scheduler.reset();
        events = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("Alarms.xml")));
        pastAlarms = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("PAlarms.xml")));
        scheduler = std::make_unique<Scheduler>(*events, *pastAlarms, clock, sink);
        scheduler->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        open();
    }
    // Fires the alarm due now and snoozes what it showed.
    QByteArray fireAndSnooze(qint64 untilMs) {
        const qsizetype before = sink.alarms.size();
        tick();
        if (sink.alarms.size() != before + 1)
            return {};
        return Snooze::snoozeAlarm(*settings, sink.alarms.constLast(), untilMs, clock);
    }
    std::unique_ptr<TXMLIniFile> settings;
};

} // namespace

class tst_Snooze : public QObject {
    Q_OBJECT

private slots:
    void comesBackOnceAcrossRestart();
    void comesBackAfterSuspendAndClockChange_data();
    void comesBackAfterSuspendAndClockChange();
    void lengthIsRealTimeAcrossDaylightSaving_data();
    void lengthIsRealTimeAcrossDaylightSaving();
    void repeatingAlarmKeepsItsGrid();
    void birthdayComesBack();
    void failedSaveLeavesNoSnooze();
    void cancelTakesItBack();
    void refusesAMomentNotAhead();
    void untilATime_data();
    void untilATime();
    void earlierReadersSeeNothingNew();
    void skipNext_data();
    void skipNext();
};

void tst_Snooze::comesBackOnceAcrossRestart() {
    SnoozeHarness h(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    RecordFields fields;
    fields.date = h.clock.dateTime();
    fields.sound = false;
    fields.lines = {QStringLiteral("Call Bob"), QStringLiteral("about the roof")};
    h.write("0", fields);
    QVERIFY(!h.fireAndSnooze(Snooze::after(h.clock, 10)).isEmpty());
    // "OK" would have retired it: so has the snooze.
    QVERIFY(!h.events->HasSection("0"));
    QCOMPARE(h.pastAlarms->ReadSections().size(), 1);

    h.restart();
    h.clock.advance(9 * Minute);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 1);
    h.clock.advance(Minute);
    const int interval = h.tick();
    QCOMPARE(h.sink.alarms.size(), 2);
    QCOMPARE(interval, Scheduler::MinInterval);
    const AlarmNotice& again = h.sink.alarms.constLast();
    QCOMPARE(again.lines, fields.lines);
    QCOMPARE(again.sound, false);
    QCOMPARE(again.showStopSound, false);
    QCOMPARE(again.header, h.sink.alarms.constFirst().header);
    QVERIFY(!again.showDisableRepetition);

    h.clock.advance(Minute);
    h.tick();
    h.restart();
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 2);
    QVERIFY(Snooze::entries(*h.settings).isEmpty());
}

void tst_Snooze::comesBackAfterSuspendAndClockChange_data() {
    QTest::addColumn<int>("way"); // 0 suspend, 1 clock set forward, 2 program not running
    QTest::newRow("suspend") << 0;
    QTest::newRow("clock set forward") << 1;
    QTest::newRow("off, then started") << 2;
}

void tst_Snooze::comesBackAfterSuspendAndClockChange() {
    QFETCH(int, way);
    SnoozeHarness h(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    RecordFields fields;
    fields.date = h.clock.dateTime();
    h.write("0", fields);
    QVERIFY(!h.fireAndSnooze(Snooze::after(h.clock, 15)).isEmpty());
    h.clock.advance(Minute);
    // Nothing near: the scheduler sleeps its minute, and may not wake until long after.
    QCOMPARE(h.tick(), Scheduler::MaxInterval);
    if (way == 0)
        h.clock.suspend(3 * 60 * Minute);
    else if (way == 1)
        h.clock.jump(20 * Minute);
    else {
        h.clock.advance(2 * 60 * Minute);
        h.restart();
    }
    h.tick();
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 2);
}

void tst_Snooze::lengthIsRealTimeAcrossDaylightSaving_data() {
    QTest::addColumn<QDateTime>("start"); // UTC; local is Europe/Berlin
    QTest::addColumn<QTime>("comesBackAt");
    // 29 March 2026: 02:00 becomes 03:00. 25 October 2026: 03:00 CEST becomes 02:00 CET.
    QTest::newRow("spring forward") << QDateTime(QDate(2026, 3, 29), QTime(0, 55), Qt::UTC) << QTime(3, 5);
    // 02:55 summer time, the first of the two.
    QTest::newRow("fall back") << QDateTime(QDate(2026, 10, 25), QTime(0, 55), Qt::UTC) << QTime(2, 5);
}

void tst_Snooze::lengthIsRealTimeAcrossDaylightSaving() {
    QFETCH(QDateTime, start);
    QFETCH(QTime, comesBackAt);
    if (start.toLocalTime().offsetFromUtc() == 0)
        QSKIP("needs TZ=Europe/Berlin");
    SnoozeHarness h(start.toLocalTime());
    RecordFields fields;
    fields.date = h.clock.dateTime();
    h.write("0", fields);
    QVERIFY(!h.fireAndSnooze(Snooze::after(h.clock, 10)).isEmpty());
    h.clock.advance(Minute);
    h.tick();
    h.clock.advance(8 * Minute);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 1);
    // One minute ahead the scheduler waits exactly that minute.
    QCOMPARE(h.tick(), int(Minute));
    h.clock.advance(Minute);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 2);
    QCOMPARE(h.clock.dateTime().time(), comesBackAt);
}

void tst_Snooze::repeatingAlarmKeepsItsGrid() {
    SnoozeHarness h(QDateTime(QDate(2026, 5, 4), QTime(10, 0)));
    RecordFields fields;
    fields.date = h.clock.dateTime();
    fields.repeat = true;
    fields.reptype = int(EventRecord::AlarmUnit::Minutes);
    fields.repval = 15;
    h.write("0", fields);
    QVERIFY(!h.fireAndSnooze(Snooze::after(h.clock, 30)).isEmpty());
    QCOMPARE(h.dateOf("0"), QDateTime(QDate(2026, 5, 4), QTime(10, 15)));

    // The next occurrence comes before the snooze, on its own.
    h.clock.advance(15 * Minute);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 2);
    QCOMPARE(h.sink.alarms.constLast().scheduled, DayCount::fromDateTime(QDateTime(QDate(2026, 5, 4), QTime(10, 15))));
    QCOMPARE(h.dateOf("0"), QDateTime(QDate(2026, 5, 4), QTime(10, 30)));

    // At 10:30 both: the occurrence, then the snooze of 10:00, once each.
    h.clock.advance(15 * Minute);
    for (int i = 0; i < 4; ++i)
        h.tick();
    QCOMPARE(h.sink.alarms.size(), 4);
    QCOMPARE(h.sink.alarms.at(2).scheduled, DayCount::fromDateTime(QDateTime(QDate(2026, 5, 4), QTime(10, 30))));
    QCOMPARE(h.sink.alarms.at(3).scheduled, DayCount::fromDateTime(QDateTime(QDate(2026, 5, 4), QTime(10, 0))));
    QVERIFY(h.sink.alarms.at(3).showDisableRepetition);
    QCOMPARE(h.dateOf("0"), QDateTime(QDate(2026, 5, 4), QTime(10, 45)));
}

void tst_Snooze::birthdayComesBack() {
    SnoozeHarness h(QDateTime(QDate(2026, 5, 10), QTime(0, 0)));
    RecordFields fields;
    fields.kind = EventRecord::KindBirth;
    fields.date = h.clock.dateTime();
    fields.birth = QDate(1980, 5, 10);
    h.write("0", fields);
    h.tick();
    QCOMPARE(h.sink.birthdays.size(), 1);
    Snooze::snoozeBirthday(*h.settings, h.sink.birthdays.constFirst(), Snooze::after(h.clock, 60), h.clock);
    h.clock.advance(60 * Minute);
    h.tick();
    QCOMPARE(h.sink.birthdays.size(), 2);
    QCOMPARE(h.sink.birthdays.at(1).greeting, h.sink.birthdays.at(0).greeting);
    QCOMPARE(h.sink.birthdays.at(1).section, QByteArray("0"));
}

void tst_Snooze::failedSaveLeavesNoSnooze() {
    // A kill between the snooze and its save finds the file as before the snooze: the save is one rename, so
    // there is no half snooze to fire, and nothing fires twice.
    SnoozeHarness h(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    h.settings->WriteString("settings", "tray", "1");
    RecordFields fields;
    fields.date = h.clock.dateTime();
    h.write("0", fields);
    h.tick();
    const quint64 saves = h.settings->saveCount();
    {
        StoreObstacle obstacle(h.settingsPath());
        QVERIFY_THROWS_EXCEPTION(Exception, Snooze::snoozeAlarm(*h.settings, h.sink.alarms.constFirst(),
                                                                Snooze::after(h.clock, 10), h.clock));
        QVERIFY(Snooze::entries(*h.settings).isEmpty());
        QCOMPARE(h.settings->ReadSections(), QByteArrayList{"settings"});
    }
    // A whole snooze is one save.
    Snooze::snoozeAlarm(*h.settings, h.sink.alarms.constFirst(), Snooze::after(h.clock, 10), h.clock);
    QCOMPARE(h.settings->saveCount(), saves + 1);
    h.restart();
    QCOMPARE(Snooze::entries(*h.settings).size(), 1);
}

void tst_Snooze::cancelTakesItBack() {
    SnoozeHarness h(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    RecordFields fields;
    fields.date = h.clock.dateTime();
    h.write("0", fields);
    const QByteArray first = h.fireAndSnooze(Snooze::after(h.clock, 5));
    const QByteArray second =
        Snooze::snoozeAlarm(*h.settings, h.sink.alarms.constFirst(), Snooze::after(h.clock, 10), h.clock);
    QVERIFY(first != second);
    const QList<Snooze::Entry> listed = Snooze::entries(*h.settings);
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed.at(0).id, first);
    QVERIFY(Snooze::cancel(*h.settings, first));
    QVERIFY(!Snooze::cancel(*h.settings, first));
    QVERIFY(!Snooze::cancel(*h.settings, "settings"));
    h.restart();
    h.clock.advance(6 * Minute);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 1);
    h.clock.advance(5 * Minute);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 2);
}

void tst_Snooze::refusesAMomentNotAhead() {
    SnoozeHarness h(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    AlarmNotice notice;
    notice.section = "0";
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             Snooze::snoozeAlarm(*h.settings, notice, h.clock.wallMs(), h.clock));
    QVERIFY(h.settings->ReadSections().isEmpty());
}

void tst_Snooze::untilATime_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QTime>("at");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("later today") << QDateTime(QDate(2026, 5, 4), QTime(9, 0)) << QTime(17, 30)
                                 << QDateTime(QDate(2026, 5, 4), QTime(17, 30));
    QTest::newRow("passed: tomorrow") << QDateTime(QDate(2026, 5, 4), QTime(9, 0)) << QTime(8, 0)
                                      << QDateTime(QDate(2026, 5, 5), QTime(8, 0));
    QTest::newRow("now: tomorrow") << QDateTime(QDate(2026, 5, 4), QTime(9, 0)) << QTime(9, 0)
                                   << QDateTime(QDate(2026, 5, 5), QTime(9, 0));
    QTest::newRow("in the spring gap") << QDateTime(QDate(2026, 3, 29), QTime(1, 0)) << QTime(2, 30)
                                       << QDateTime(QDate(2026, 3, 29), QTime(3, 30));
}

void tst_Snooze::untilATime() {
    QFETCH(QDateTime, now);
    QFETCH(QTime, at);
    QFETCH(QDateTime, expected);
    TestClock clock(now);
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(Snooze::nextAt(clock, at)), expected);
}

void tst_Snooze::earlierReadersSeeNothingNew() {
    // The event and past-alarm files are what every list, the calendar and the tray hint read: a snooze leaves
    // them alone. In the settings file the known sections read as before, and a scheduler that knows no snoozes
    // (an earlier version) fires nothing because of one.
    SnoozeHarness h(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    h.settings->WriteString("settings", "tray", "1");
    h.settings->WriteString("categories", "count", "1");
    h.settings->WriteString("categories", "0", "Work");
    RecordFields fields;
    fields.date = h.clock.dateTime();
    h.write("0", fields);
    h.tick();
    const QByteArray events = fileBytes(h.dir.filePath(QStringLiteral("Alarms.xml")));
    const QByteArray past = fileBytes(h.dir.filePath(QStringLiteral("PAlarms.xml")));
    Snooze::snoozeAlarm(*h.settings, h.sink.alarms.constFirst(), Snooze::after(h.clock, 10), h.clock);
    QCOMPARE(fileBytes(h.dir.filePath(QStringLiteral("Alarms.xml"))), events);
    QCOMPARE(fileBytes(h.dir.filePath(QStringLiteral("PAlarms.xml"))), past);
    TXMLIniFile reread(h.settingsPath());
    QCOMPARE(reread.ReadSection("settings"), QByteArrayList{"tray"});
    QCOMPARE(reread.ReadSection("categories"), (QByteArrayList{"count", "0"}));
    QCOMPARE(reread.ReadString("categories", "0", {}), QByteArray("Work"));

    h.scheduler->setSnoozeStore(nullptr);
    h.clock.advance(11 * Minute);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), 1);
}

void tst_Snooze::skipNext_data() {
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<int>("reptype");
    QTest::addColumn<QByteArray>("days");
    QTest::addColumn<QDateTime>("skipped");
    QTest::addColumn<QDateTime>("after");
    const QTime eight(8, 0);
    // 8 May 2026 is a Friday.
    QTest::newRow("daily") << QDateTime(QDate(2026, 5, 8), eight) << int(EventRecord::AlarmUnit::Days) << QByteArray()
                           << QDateTime(QDate(2026, 5, 8), eight) << QDateTime(QDate(2026, 5, 9), eight);
    QTest::newRow("workdays, from Saturday")
        << QDateTime(QDate(2026, 5, 9), eight) << int(EventRecord::AlarmUnit::Days) << QByteArray("0111110")
        << QDateTime(QDate(2026, 5, 11), eight) << QDateTime(QDate(2026, 5, 12), eight);
    QTest::newRow("monthly on the 31st") << QDateTime(QDate(2026, 1, 31), eight) << int(EventRecord::AlarmUnit::Months)
                                         << QByteArray() << QDateTime(QDate(2026, 1, 31), eight)
                                         << QDateTime(QDate(2026, 2, 28), eight);
}

void tst_Snooze::skipNext() {
    QFETCH(QDateTime, date);
    QFETCH(int, reptype);
    QFETCH(QByteArray, days);
    QFETCH(QDateTime, skipped);
    QFETCH(QDateTime, after);
    SchedulerHarness h(QDateTime(QDate(2026, 1, 1), QTime(7, 0)));
    RecordFields fields;
    fields.date = date;
    fields.repeat = true;
    fields.reptype = reptype;
    fields.days = days;
    h.write("0", fields);
    const std::optional<double> done = SkipOccurrence::skipNext(*h.events, "0");
    QVERIFY(done);
    QCOMPARE(DayCount::toDateTime(*done), skipped);
    QCOMPARE(h.dateOf("0"), after);
    QVERIFY(h.events->ReadFlag("0", EventRecord::Key::Repeat, false));

    fields.repeat = false;
    h.write("1", fields);
    const QByteArray before = h.events->GetXML();
    QVERIFY(!SkipOccurrence::skipNext(*h.events, "1"));
    QVERIFY(!SkipOccurrence::skipNext(*h.events, "7"));
    QCOMPARE(h.events->GetXML(), before);
}

QTEST_GUILESS_MAIN(tst_Snooze)
#include "tst_Snooze.moc"
