#include "SchedulerHarness.h"

#include "scheduler/Firing.h"
#include "scheduler/Snooze.h"
#include "support/TimerWitness.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace EventRecord;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

RecordFields alarmAt(const QDateTime& when) {
    RecordFields r;
    r.date = when;
    return r;
}

RecordFields repeating(const QDateTime& when, AlarmUnit unit, int n) {
    RecordFields r = alarmAt(when);
    r.repeat = true;
    r.reptype = int(unit);
    r.repval = n;
    return r;
}

} // namespace

class TestScheduler : public QObject {
    Q_OBJECT

private slots:
    void timerSetup();
    void lookAheadTimerOfEitherConstruction_data();
    void lookAheadTimerOfEitherConstruction();
    void interval_data();
    void interval();
    void followingTickFiresTheNearRecord();
    void recordsWrittenBetweenTicksAreSeen();
    void oneTimeAlarmOnTime();
    void alarmIsPreparedAheadOfItsMoment_data();
    void alarmIsPreparedAheadOfItsMoment();
    void windowMadeAheadIsShownFirst_data();
    void windowMadeAheadIsShownFirst();
    void lateness_data();
    void lateness();
    void missedDaysFireOnce();
    void calendarStepping_data();
    void calendarStepping();
    void filters_data();
    void filters();
    void dueTogetherFireInStoreOrder();
    void unknownKindIsPassedOver();
    void keylessSectionIsNoRecord();
    void headerFollowsTheLocale_data();
    void headerFollowsTheLocale();
    void powerActionOnTime();
    void powerActionRepeatingAndLate_data();
    void powerActionRepeatingAndLate();
    void powerActionWithUnknownUnitFiresOnce();
    void unknownPowerAction();
    void birthdays_data();
    void birthdays();
    void birthdayWithoutSound();
    void birthdayNoticePeriodOfAYear();
    void failingSaveIsReported();
    void namelessSectionIsPassedOver_data();
    void namelessSectionIsPassedOver();
};

void TestScheduler::timerSetup() {
    SchedulerHarness h;
    QCOMPARE(h.scheduler->timer().timerType(), Qt::PreciseTimer);
    QVERIFY(!h.scheduler->isEnabled());
    QCOMPARE(h.scheduler->interval(), 50);
    h.scheduler->setEnabled(true);
    QVERIFY(h.scheduler->isEnabled());
    h.scheduler->setInterval(20);
    QCOMPARE(h.scheduler->interval(), 50);
    h.scheduler->setEnabled(false);
    QVERIFY(!h.scheduler->isEnabled());
    // The real timer drives the tick: a record due now fires within the first 50 ms.
    h.write("0", alarmAt(h.clock.dateTime()));
    h.scheduler->setEnabled(true);
    QTRY_COMPARE_WITH_TIMEOUT(h.sink.alarms.size(), 1, 2000);
}

// The program builds its scheduler before it reads the stores; its look-ahead must run as one given them at once.
void TestScheduler::lookAheadTimerOfEitherConstruction_data() {
    QTest::addColumn<bool>("storesLater");
    QTest::newRow("stores at once") << false;
    QTest::newRow("stores to come") << true;
}

void TestScheduler::lookAheadTimerOfEitherConstruction() {
    QFETCH(bool, storesLater);
    SchedulerHarness h;
    if (storesLater) {
        h.scheduler = std::make_unique<Scheduler>(h.clock, h.sink);
        h.scheduler->setStores(*h.events, *h.pastAlarms);
    }
    const QTimer& prepare = h.scheduler->prepareTimer();
    QCOMPARE(prepare.timerType(), Qt::PreciseTimer);
    QVERIFY(prepare.isSingleShot());
    // A little beyond the lead: the look-ahead's own timer, not a tick, hands it to the sink.
    h.write("0", alarmAt(h.clock.dateTime().addMSecs(Scheduler::PrepareAheadMs + 100)));
    QCOMPARE(h.tick(), Scheduler::PrepareAheadMs + 100);
    QVERIFY(prepare.isActive());
    QVERIFY(h.sink.prepared.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(h.sink.prepared.size(), 1, 2000);
    QVERIFY(!prepare.isActive());
    QCOMPARE(h.sink.shown(), 0);
}

void TestScheduler::interval_data() {
    QTest::addColumn<QList<qint64>>("aheadMs");
    QTest::addColumn<int>("expected");
    QTest::newRow("empty store") << QList<qint64>{} << 60000;
    QTest::newRow("10.25 s") << QList<qint64>{10250} << 10250;
    QTest::newRow("90 s") << QList<qint64>{90000} << 60000;
    QTest::newRow("20 ms") << QList<qint64>{20} << 50;
    // A tick aimed at a record that wakes a hair before it aims again to the millisecond, not 50 ms late.
    QTest::newRow("1 ms: woke just before") << QList<qint64>{1} << 1;
    QTest::newRow("3 ms") << QList<qint64>{3} << 50;
    QTest::newRow("1 ms and 10 s") << QList<qint64>{10000, 1} << 1;
    QTest::newRow("59.999 s") << QList<qint64>{59999} << 59999;
    QTest::newRow("exactly a minute") << QList<qint64>{60000} << 60000;
    QTest::newRow("nearest of several") << QList<qint64>{45000, 3000, 20000, 86400000 * 3LL} << 3000;
    QTest::newRow("more than a day") << QList<qint64>{86400000LL + 5000} << 60000;
}

void TestScheduler::interval() {
    QFETCH(QList<qint64>, aheadMs);
    QFETCH(int, expected);
    SchedulerHarness h;
    for (int i = 0; i < aheadMs.size(); ++i)
        h.write(QByteArray::number(i), alarmAt(h.clock.dateTime().addMSecs(aheadMs.at(i))));
    QCOMPARE(h.tick(), expected);
    QCOMPARE(h.sink.shown(), 0);
}

void TestScheduler::followingTickFiresTheNearRecord() {
    SchedulerHarness h;
    h.write("0", alarmAt(h.clock.dateTime().addSecs(90)));
    QCOMPARE(h.tick(), 60000);
    h.clock.advance(60000);
    QCOMPARE(h.tick(), 30000);
    h.clock.advance(30000);
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), 1);
    QCOMPARE(h.tick(), 60000);
}

// The tick keeps the dates it read; a write to the store between two ticks must still reach it,
// whether it adds a record, moves one or erases one, and without any call on the scheduler.
void TestScheduler::recordsWrittenBetweenTicksAreSeen() {
    SchedulerHarness h;
    h.write("0", alarmAt(h.clock.dateTime().addDays(3)));
    QCOMPARE(h.tick(), 60000);
    h.write("1", alarmAt(h.clock.dateTime().addSecs(20)));
    QCOMPARE(h.tick(), 20000);
    h.events->WriteDouble("1", EventRecord::Key::Date, DayCount::fromDateTime(h.clock.dateTime().addSecs(5)));
    QCOMPARE(h.tick(), 5000);
    h.events->EraseSection("1");
    QCOMPARE(h.tick(), 60000);
    h.events->WriteDouble("0", EventRecord::Key::Date, DayCount::fromDateTime(h.clock.dateTime()));
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), 1);
}

void TestScheduler::alarmIsPreparedAheadOfItsMoment_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("preparedAgain");
    QTest::addColumn<bool>("shownAtTheMoment");
    QTest::addColumn<int>("drops");
    QTest::newRow("unchanged") << QString() << true << true << 0;
    QTest::newRow("text edited") << u"text"_s << true << true << 0;
    QTest::newRow("deleted") << u"delete"_s << false << false << 1;
    QTest::newRow("moved an hour later") << u"move"_s << false << false << 1;
    QTest::newRow("clock set back an hour") << u"clock back"_s << false << false << 1;
    // The clock warning holds the scheduler; enabled again at the moment, it fires with a window of its own.
    QTest::newRow("scheduler disabled") << u"disable"_s << false << true << 1;
}

void TestScheduler::alarmIsPreparedAheadOfItsMoment() {
    QFETCH(QString, change);
    QFETCH(bool, preparedAgain);
    QFETCH(bool, shownAtTheMoment);
    QFETCH(int, drops);
    SchedulerHarness h(at(2007, 11, 14, 12, 30));
    RecordFields r = alarmAt(at(2007, 11, 14, 12, 30).addSecs(10));
    r.lines = {QStringLiteral("Call Bob")};
    h.write("0", r);

    // Ten seconds ahead the tick still aims at the moment itself; the look-ahead has a timer of its own.
    QCOMPARE(h.tick(), 10'000);
    QVERIFY(h.scheduler->prepareTimer().isActive());
    QCOMPARE(h.scheduler->prepareTimer().interval(), 10'000 - Scheduler::PrepareAheadMs);
    QCOMPARE(h.scheduler->prepareTimer().timerType(), Qt::PreciseTimer);
    QVERIFY(h.sink.prepared.isEmpty());

    // The look-ahead's timer comes a millisecond late, so that the ticks below find the record within the lead.
    h.clock.advance(10'000 - Scheduler::PrepareAheadMs + 1);
    h.scheduler->prepareAhead();
    QCOMPARE(h.sink.prepared.size(), 1);
    QCOMPARE(h.sink.prepared.last(),
             Firing::alarmNotice(*h.events, "0", QLocale(QLocale::English, QLocale::UnitedKingdom)));
    QCOMPARE(h.sink.prepared.last().lines, r.lines);
    QCOMPARE(h.sink.shown(), 0);

    if (change == u"text") {
        r.lines = {QStringLiteral("Call Ann")};
        h.write("0", r);
    } else if (change == u"delete") {
        h.events->EraseSection("0");
    } else if (change == u"move") {
        r.date = r.date.addSecs(3600);
        h.write("0", r);
    } else if (change == u"clock back") {
        h.clock.jump(-3'600'000);
    }
    if (change == u"disable") {
        h.scheduler->setEnabled(false);
    } else {
        // As the commit re-arms after an edit, and the clock watchdog after a jump.
        h.scheduler->setInterval(Scheduler::MinInterval);
        h.tick();
    }
    QCOMPARE(h.sink.drops, drops);
    QCOMPARE(h.sink.shown(), 0);
    // Within the lead the record is handed over again at once, with what it says now.
    QCOMPARE(h.sink.prepared.size(), preparedAgain ? 2 : 1);
    QCOMPARE(h.sink.prepared.last().lines, r.lines);
    if (change == u"disable")
        h.scheduler->setEnabled(true);

    h.clock.advance(Scheduler::PrepareAheadMs - 1);
    h.tick();
    QCOMPARE(h.sink.alarms.size(), shownAtTheMoment ? 1 : 0);
    if (shownAtTheMoment)
        QCOMPARE(h.sink.alarms.first(), h.sink.prepared.last());
    QCOMPARE(h.sink.drops, drops);
}

void TestScheduler::windowMadeAheadIsShownFirst_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("repeat"); // every minute, on Wednesdays only
    QTest::addColumn<bool>("bypass");
    QTest::addColumn<int>("shownFirst"); // the window made ahead, before the record is settled
    QTest::addColumn<int>("shownAfter"); // a window of its own, after the settle
    QTest::newRow("one-time") << QString() << false << false << 1 << 0;
    QTest::newRow("repeated, and its next moment") << QString() << true << false << 2 << 0;
    QTest::newRow("text edited before the moment") << u"text"_s << false << false << 1 << 0;
    // The edit's tick has not come yet: the window made ahead says what the record said before.
    QTest::newRow("text edited at the moment") << u"text, no tick"_s << false << false << 0 << 1;
    QTest::newRow("scheduler disabled") << u"disable"_s << false << false << 0 << 1;
    QTest::newRow("next skipped") << u"skip"_s << true << false << 0 << 0;
    // The machine wakes or the clock is set on past the moment: the missed occurrence is caught up, once.
    QTest::newRow("ten minutes late") << u"late"_s << true << false << 1 << 0;
    QTest::newRow("ten minutes late, bypassed if delayed") << u"late"_s << true << true << 0 << 0;
    QTest::newRow("one-time, ten minutes late, bypassed") << u"late"_s << false << true << 0 << 0;
    QTest::newRow("a day late, not on that day") << u"day late"_s << true << false << 0 << 0;
}

// What a firing shows first is the window made ahead for exactly what it would show after the settle, and it comes
// before anything of the record is changed or saved; anything else shows what it showed before, after the settle.
void TestScheduler::windowMadeAheadIsShownFirst() {
    QFETCH(QString, change);
    QFETCH(bool, repeat);
    QFETCH(bool, bypass);
    QFETCH(int, shownFirst);
    QFETCH(int, shownAfter);
    const QDateTime wednesday = at(2007, 11, 14, 12, 30);
    SchedulerHarness h(wednesday);
    RecordFields r = repeat ? repeating(wednesday.addSecs(10), AlarmUnit::Minutes, 1) : alarmAt(wednesday.addSecs(10));
    if (repeat)
        r.days = "0001000";
    r.bypass = bypass;
    h.write("0", r);
    struct Seen {
        QByteArray date;
        quint64 eventSaves = 0;
        quint64 pastSaves = 0;
    };
    QList<Seen> seen;
    h.sink.onShownFirst = [&](const AlarmNotice&) {
        seen.append(
            {h.events->ReadString("0", Key::Date, QByteArray()), h.events->saveCount(), h.pastAlarms->saveCount()});
    };

    for (int occurrence = 0; occurrence < (repeat && change.isEmpty() ? 2 : 1); ++occurrence) {
        const QByteArray dateText = h.events->ReadString("0", Key::Date, QByteArray());
        const QDateTime moment = h.dateOf("0");
        h.tick();
        // A tick within the lead hands it over at once.
        h.clock.advance(h.clock.dateTime().msecsTo(moment) - Scheduler::PrepareAheadMs + 1);
        h.tick();
        QCOMPARE(h.sink.prepared.size(), occurrence + 1);
        if (change == u"text" || change == u"text, no tick") {
            r.lines = {QStringLiteral("Call Ann")};
            h.write("0", r);
            if (change == u"text")
                h.tick();
        } else if (change == u"disable") {
            h.scheduler->setEnabled(false);
        } else if (change == u"skip") {
            QVERIFY(SkipOccurrence::skipNext(*h.events, "0"));
        } else if (change == u"late") {
            h.clock.suspend(10 * 60'000);
        } else if (change == u"day late") {
            h.clock.suspend(24 * 3'600'000);
        }
        h.clock.advance(Scheduler::PrepareAheadMs - 1);
        if (change == u"disable")
            h.scheduler->setEnabled(true);
        const quint64 eventSaves = h.events->saveCount();
        const quint64 pastSaves = h.pastAlarms->saveCount();
        h.tick();
        if (h.sink.shownFirst.size() > occurrence) {
            // Shown while the record still stood as it was, in memory and on disk.
            QCOMPARE(seen.last().date, dateText);
            QCOMPARE(seen.last().eventSaves, eventSaves);
            QCOMPARE(seen.last().pastSaves, pastSaves);
            QCOMPARE(h.sink.shownFirst.last(), h.sink.prepared.last());
            QCOMPARE(h.sink.shownFirst.last().scheduled, DayCount::fromDateTime(moment));
            // Then settled and saved, as a window shown after the settle.
            QVERIFY(h.events->ReadString("0", Key::Date, QByteArray()) != dateText);
            QVERIFY(h.events->saveCount() > eventSaves);
        }
    }
    QCOMPARE(h.sink.shownFirst.size(), shownFirst);
    QCOMPARE(h.sink.alarms.size(), shownFirst + shownAfter);
    if (change.startsWith(u"text"))
        QCOMPARE(h.sink.alarms.last().lines, r.lines);
    QCOMPARE(h.sink.rehides, change == u"skip" ? 0 : (repeat && change.isEmpty() ? 2 : 1));
}

void TestScheduler::oneTimeAlarmOnTime() {
    SchedulerHarness h(at(2007, 11, 14, 12, 30));
    RecordFields r = alarmAt(at(2007, 11, 14, 12, 30));
    r.lines = {QStringLiteral("Call Bob"), QStringLiteral("about the roof")};
    r.sound = false;
    h.write("0", r);
    QSignalSpy fired(h.scheduler.get(), &Scheduler::recordFired);
    const quint64 eventSaves = h.events->saveCount();
    const quint64 pastSaves = h.pastAlarms->saveCount();

    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), 1);
    const AlarmNotice& n = h.sink.alarms.first();
    QCOMPARE(n.section, QByteArray("0"));
    QCOMPARE(n.header, QStringLiteral("This Alarm scheduled for:\nWednesday 14/11/2007 12:30"));
    QCOMPARE(n.lines, r.lines);
    QVERIFY(!n.sound);
    QVERIFY(!n.showStopSound);
    QVERIFY(!n.showDisableRepetition);
    QCOMPARE(h.sink.rehides, 1);
    QCOMPARE(fired.size(), 1);
    // Retired: the past-alarm store holds exactly the date, the sound and the description.
    QVERIFY(!h.events->HasSection("0"));
    QCOMPARE(h.pastAlarms->ReadSection("0"), (QByteArrayList{"date", "sound", "linecount", "0", "1"}));
    QCOMPARE(DayCount::toDateTime(h.pastAlarms->ReadDouble("0", Key::Date, -1)), at(2007, 11, 14, 12, 30));
    QCOMPARE(h.pastAlarms->ReadString("0", Key::Sound, {}), QByteArray("0"));
    QCOMPARE(readTextBlock(*h.pastAlarms, "0"), r.lines);
    // One firing saves each file once.
    QCOMPARE(h.events->saveCount(), eventSaves + 1);
    QCOMPARE(h.pastAlarms->saveCount(), pastSaves + 1);
    QCOMPARE(h.tick(), 60000);
    QCOMPARE(h.sink.alarms.size(), 1);
}

void TestScheduler::lateness_data() {
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<bool>("bypass");
    QTest::addColumn<int>("lateMs");
    QTest::addColumn<bool>("shown");
    QTest::newRow("59 s, bypass") << false << true << 59000 << true;
    QTest::newRow("59.999 s, bypass") << false << true << 59999 << true;
    QTest::newRow("60 s, bypass") << false << true << 60000 << false;
    QTest::newRow("60 s, no bypass") << false << false << 60000 << true;
    QTest::newRow("5 min, bypass") << false << true << 300000 << false;
    QTest::newRow("5 min, no bypass") << false << false << 300000 << true;
    QTest::newRow("repeating 60 s, bypass") << true << true << 60000 << false;
    QTest::newRow("repeating 59 s, bypass") << true << true << 59000 << true;
}

void TestScheduler::lateness() {
    QFETCH(bool, repeat);
    QFETCH(bool, bypass);
    QFETCH(int, lateMs);
    QFETCH(bool, shown);
    const QDateTime due = at(2026, 5, 4, 10, 0, 0);
    SchedulerHarness h(due.addMSecs(lateMs));
    RecordFields r = repeat ? repeating(due, AlarmUnit::Hours, 1) : alarmAt(due);
    r.bypass = bypass;
    h.write("0", r);
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), shown ? 1 : 0);
    QCOMPARE(h.sink.rehides, 1);
    // Shown or not, the occurrence is settled: retired, or moved to the next hour.
    if (repeat) {
        QCOMPARE(h.dateOf("0"), at(2026, 5, 4, 11));
    } else {
        QVERIFY(!h.events->HasSection("0"));
        QCOMPARE(DayCount::toDateTime(h.pastAlarms->ReadDouble("0", Key::Date, -1)), due);
    }
    QCOMPARE(h.tick(), 60000);
}

// Every day at 08:00, the computer off for three days and started on the fourth day at 10:00.
void TestScheduler::missedDaysFireOnce() {
    for (bool bypass : {false, true}) {
        SchedulerHarness h(at(2026, 5, 4, 10));
        RecordFields r = repeating(at(2026, 5, 1, 8), AlarmUnit::Days, 1);
        r.bypass = bypass;
        h.write("0", r);
        QCOMPARE(h.tick(), 50);
        QCOMPARE(h.tick(), 60000);
        QCOMPARE(h.dateOf("0"), at(2026, 5, 5, 8));
        if (bypass) {
            QCOMPARE(h.sink.alarms.size(), 0);
        } else {
            QCOMPARE(h.sink.alarms.size(), 1);
            QCOMPARE(h.sink.alarms.first().header,
                     QStringLiteral("This Alarm scheduled for:\nFriday 01/05/2026 08:00"));
            QVERIFY(h.sink.alarms.first().showDisableRepetition);
        }
    }
}

void TestScheduler::calendarStepping_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<QDateTime>("first");
    QTest::addColumn<QList<QDateTime>>("next");
    QTest::newRow("monthly from 31 Jan") << int(AlarmUnit::Months) << at(2027, 1, 31, 9)
                                         << QList<QDateTime>{at(2027, 2, 28, 9), at(2027, 3, 28, 9),
                                                             at(2027, 4, 28, 9)};
    QTest::newRow("monthly from 31 Jan, leap year")
        << int(AlarmUnit::Months) << at(2028, 1, 31, 9) << QList<QDateTime>{at(2028, 2, 29, 9), at(2028, 3, 29, 9)};
    QTest::newRow("yearly from 29 Feb") << int(AlarmUnit::Years) << at(2028, 2, 29, 7)
                                        << QList<QDateTime>{at(2029, 2, 28, 7), at(2030, 2, 28, 7), at(2031, 2, 28, 7),
                                                            at(2032, 2, 28, 7)};
    QTest::newRow("every 15 minutes") << int(AlarmUnit::Minutes) << at(2027, 1, 31, 10)
                                      << QList<QDateTime>{at(2027, 1, 31, 10, 15)};
}

// Each firing on time: the record moves one step, each step from the date before.
void TestScheduler::calendarStepping() {
    QFETCH(int, unit);
    QFETCH(QDateTime, first);
    QFETCH(QList<QDateTime>, next);
    SchedulerHarness h(first);
    h.write("0", repeating(first, AlarmUnit(unit), unit == int(AlarmUnit::Minutes) ? 15 : 1));
    QDateTime due = first;
    for (const QDateTime& expected : next) {
        h.clock.set(due.addMSecs(50));
        QCOMPARE(h.tick(), 50);
        QCOMPARE(h.dateOf("0"), expected);
        due = expected;
    }
    QCOMPARE(h.sink.alarms.size(), next.size());
}

void TestScheduler::filters_data() {
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<QByteArray>("days");
    QTest::addColumn<QByteArray>("months");
    QTest::addColumn<QDateTime>("due");
    QTest::addColumn<bool>("shown");
    const QDateTime saturday = at(2026, 5, 9, 8);
    const QDateTime monday = at(2026, 5, 11, 8);
    QTest::newRow("Mon-Fri on Saturday") << true << QByteArray("0111110") << QByteArray() << saturday << false;
    QTest::newRow("Mon-Fri on Monday") << true << QByteArray("0111110") << QByteArray() << monday << true;
    QTest::newRow("May excluded") << true << QByteArray() << QByteArray("111101111111") << monday << false;
    QTest::newRow("only May") << true << QByteArray() << QByteArray("000010000000") << monday << true;
    QTest::newRow("short day string allows") << true << QByteArray("01") << QByteArray() << saturday << true;
    QTest::newRow("one-time never filtered") << false << QByteArray("0000000") << QByteArray() << saturday << true;
}

void TestScheduler::filters() {
    QFETCH(bool, repeat);
    QFETCH(QByteArray, days);
    QFETCH(QByteArray, months);
    QFETCH(QDateTime, due);
    QFETCH(bool, shown);
    SchedulerHarness h(due);
    RecordFields r = repeating(due, AlarmUnit::Days, 1);
    r.repeat = repeat;
    r.days = days;
    r.months = months;
    h.write("0", r);
    if (!repeat) {
        // A one-time record as an earlier version may have left it: filter keys beside "repeat" = "0".
        h.events->WriteFlag("0", Key::AllDays, false);
        h.events->WriteString("0", Key::Days, days);
    }
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), shown ? 1 : 0);
    QCOMPARE(h.sink.rehides, 1);
    if (repeat)
        QCOMPARE(h.dateOf("0"), due.addDays(1)); // already the next day, shown or not
}

void TestScheduler::dueTogetherFireInStoreOrder() {
    SchedulerHarness h;
    const QDateTime now = h.clock.dateTime();
    // Store order is the order of first writing, not numeric order.
    h.write("3", alarmAt(now));
    h.write("1", alarmAt(now.addSecs(-5)));
    h.write("2", alarmAt(now.addSecs(30)));
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), 1);
    QCOMPARE(h.sink.alarms.at(0).section, QByteArray("3"));
    h.clock.advance(50);
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.at(1).section, QByteArray("1"));
    h.clock.advance(50);
    QCOMPARE(h.tick(), 30000 - 100);
    QCOMPARE(h.sink.alarms.size(), 2);
}

void TestScheduler::unknownKindIsPassedOver() {
    SchedulerHarness h;
    const QDateTime now = h.clock.dateTime();
    RecordFields note = alarmAt(now.addSecs(-60));
    note.kind = "note";
    h.write("0", note);
    RecordFields noKind = alarmAt(now.addSecs(-1));
    h.write("1", noKind);
    h.events->DeleteKey("1", Key::AlType); // no "altype": an alarm
    const QByteArray before = h.events->GetXML();
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), 1);
    QCOMPARE(h.sink.alarms.first().section, QByteArray("1"));
    QCOMPARE(h.tick(), 60000);
    QCOMPARE(h.tick(), 60000);
    QCOMPARE(h.sink.shown(), 1);
    QCOMPARE(h.dateOf("0"), now.addSecs(-60)); // left as it is
    QVERIFY(before.contains("note"));
}

void TestScheduler::keylessSectionIsNoRecord() {
    SchedulerHarness h;
    h.events->WriteString("0", Key::Name, "x");
    h.events->DeleteKey("0", Key::Name);
    h.write("1", alarmAt(h.clock.dateTime().addSecs(10)));
    QCOMPARE(h.tick(), 10000);
    QCOMPARE(h.sink.shown(), 0);
}

void TestScheduler::headerFollowsTheLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("count");
    QTest::addColumn<QString>("expected");
    const double stored = 39400.5208333333; // 12:30 on 14 November 2007
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom) << stored
                           << QStringLiteral("Wednesday 14/11/2007 12:30");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << stored
                           << QStringLiteral("Mittwoch 14.11.2007 12:30");
    QTest::newRow("fi_FI") << QLocale(QLocale::Finnish, QLocale::Finland) << stored
                           << QStringLiteral("keskiviikko 14.11.2007 12.30");
    QTest::newRow("sv_SE") << QLocale(QLocale::Swedish, QLocale::Sweden) << stored
                           << QStringLiteral("onsdag 14-11-2007 12:30");
    // The stored wall-clock time, even where the clock skipped it.
    QTest::newRow("in the spring gap") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                       << DayCount::fromDate(QDate(2026, 3, 29)) + 2.5 / 24
                                       << QStringLiteral("Sunday 29/03/2026 02:30");
    QTest::newRow("a millisecond before the minute rounds")
        << QLocale(QLocale::English, QLocale::UnitedKingdom) << 39400.5 - 0.3 / 86400000
        << QStringLiteral("Wednesday 14/11/2007 12:00");
}

void TestScheduler::headerFollowsTheLocale() {
    QFETCH(QLocale, locale);
    QFETCH(double, count);
    QFETCH(QString, expected);
    QCOMPARE(Firing::scheduledMoment(count, locale), expected);
}

void TestScheduler::powerActionOnTime() {
    SchedulerHarness h(at(2026, 5, 4, 21, 59, 30));
    RecordFields restart;
    restart.kind = KindShut;
    restart.date = at(2026, 5, 4, 21, 59, 30);
    restart.shuttype = 1;
    h.write("0", restart);
    h.write("1", alarmAt(at(2026, 5, 4, 21, 59, 30)));
    h.scheduler->setEnabled(true);
    bool enabledDuringCountdown = true;
    h.sink.onCountdown = [&](const PowerNotice&) {
        enabledDuringCountdown = h.scheduler->isEnabled();
    };

    h.tick();
    QVERIFY(!enabledDuringCountdown);
    QVERIFY(!h.scheduler->isEnabled());
    QCOMPARE(h.sink.powers.size(), 1);
    QCOMPARE(h.sink.powers.first().action, 1);
    QCOMPARE(h.sink.powers.first().actionName, QStringLiteral("Restart"));
    QCOMPARE(h.sink.powers.first().buttonCaption, QStringLiteral("Restart Now"));
    QVERIFY(!h.events->HasSection("0")); // a one-time power action leaves no trace
    QCOMPARE(h.pastAlarms->ReadSections().size(), 0);
    // Nothing fires while the countdown runs: the timer is off.
    QVERIFY(letTimerIntervalsPass(h.scheduler->interval()));
    QCOMPARE(h.sink.alarms.size(), 0);
    // The countdown window closes and enables the scheduler again.
    h.scheduler->setEnabled(true);
    QCOMPARE(h.scheduler->interval(), 50);
    QTRY_COMPARE_WITH_TIMEOUT(h.sink.alarms.size(), 1, 2000);
}

void TestScheduler::powerActionRepeatingAndLate_data() {
    QTest::addColumn<bool>("repeat");
    QTest::addColumn<int>("reptype");
    QTest::addColumn<int>("lateSeconds");
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<QDateTime>("nextDate"); // invalid: erased
    const QDateTime due = at(2026, 5, 1, 21, 59, 30);
    QTest::newRow("every 2 days, on time") << true << 0 << 0 << true << at(2026, 5, 3, 21, 59, 30);
    QTest::newRow("every 2 days, 59 s late") << true << 0 << 59 << true << at(2026, 5, 3, 21, 59, 30);
    QTest::newRow("every 2 days, 3 min late") << true << 0 << 180 << false << at(2026, 5, 3, 21, 59, 30);
    QTest::newRow("every 2 weeks, 3 days late") << true << 1 << 3 * 86400 << false << at(2026, 5, 15, 21, 59, 30);
    QTest::newRow("one-time, 3 min late") << false << 0 << 180 << false << QDateTime();
    QTest::newRow("one-time, on time") << false << 0 << 0 << true << QDateTime();
}

void TestScheduler::powerActionRepeatingAndLate() {
    QFETCH(bool, repeat);
    QFETCH(int, reptype);
    QFETCH(int, lateSeconds);
    QFETCH(bool, countdown);
    QFETCH(QDateTime, nextDate);
    const QDateTime due = at(2026, 5, 1, 21, 59, 30);
    SchedulerHarness h(due.addSecs(lateSeconds));
    RecordFields r;
    r.kind = KindShut;
    r.date = due;
    r.repeat = repeat;
    r.reptype = reptype;
    r.repval = 2;
    h.write("0", r);
    h.scheduler->setEnabled(true);
    h.tick();
    QCOMPARE(h.sink.powers.size(), countdown ? 1 : 0);
    QCOMPARE(h.scheduler->isEnabled(), !countdown);
    QCOMPARE(h.sink.rehides, 1);
    if (nextDate.isValid())
        QCOMPARE(h.dateOf("0"), nextDate);
    else
        QVERIFY(!h.events->HasSection("0"));
}

// An unknown unit cannot move the date: it is written back unchanged, and the record then fires once,
// not at every tick, and does not hold back the records behind it.
void TestScheduler::powerActionWithUnknownUnitFiresOnce() {
    const QDateTime due = at(2026, 5, 1, 22);
    SchedulerHarness h(due.addSecs(600));
    RecordFields r;
    r.kind = KindShut;
    r.date = due;
    r.repeat = true;
    r.reptype = 3;
    h.write("0", r);
    h.write("1", alarmAt(due.addSecs(600 + 10)));
    QSignalSpy fired(h.scheduler.get(), &Scheduler::recordFired);
    QCOMPARE(h.tick(), 50);
    QCOMPARE(fired.size(), 1);
    QCOMPARE(h.dateOf("0"), due);
    QCOMPARE(h.tick(), 10000);
    h.clock.advance(10000);
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.alarms.size(), 1);
    QCOMPARE(h.tick(), 60000);
    QCOMPARE(fired.size(), 2);
}

void TestScheduler::unknownPowerAction() {
    SchedulerHarness h;
    RecordFields r;
    r.kind = KindShut;
    r.date = h.clock.dateTime();
    r.shuttype = 7;
    h.write("0", r);
    h.tick();
    QCOMPARE(h.sink.powers.size(), 1);
    QCOMPARE(h.sink.powers.first().action, 7);
    QCOMPARE(h.sink.powers.first().actionName, QString());
    QCOMPARE(h.sink.powers.first().buttonCaption, QStringLiteral("Shut Down Now"));
}

void TestScheduler::birthdays_data() {
    QTest::addColumn<QDate>("born");
    QTest::addColumn<int>("before");
    QTest::addColumn<QDate>("stored");
    QTest::addColumn<QDateTime>("firedAt");
    QTest::addColumn<QString>("greeting");
    QTest::addColumn<QDate>("nextDate");
    const QDate may1980(1980, 5, 10);
    QTest::newRow("on the day") << may1980 << 0 << QDate(2007, 5, 10) << at(2007, 5, 10)
                                << QStringLiteral("Ann is now\n26 Years Old.") << QDate(2008, 5, 10);
    QTest::newRow("on the day, in the evening") << may1980 << 0 << QDate(2007, 5, 10) << at(2007, 5, 10, 20)
                                                << QStringLiteral("Ann is now\n26 Years Old.") << QDate(2008, 5, 10);
    QTest::newRow("advance notice") << may1980 << 3 << QDate(2007, 5, 7) << at(2007, 5, 7)
                                    << QStringLiteral("Ann will be\n27 Years Old\nIn 3 days.") << QDate(2007, 5, 10);
    QTest::newRow("after the advance notice") << may1980 << 3 << QDate(2007, 5, 10) << at(2007, 5, 10)
                                              << QStringLiteral("Ann is now\n26 Years Old.") << QDate(2008, 5, 7);
    QTest::newRow("late, with before") << may1980 << 3 << QDate(2007, 5, 7) << at(2007, 5, 20, 9)
                                       << QStringLiteral("Ann is now\n27 Years Old.") << QDate(2008, 5, 7);
    QTest::newRow("late by years") << may1980 << 0 << QDate(2001, 5, 10) << at(2007, 5, 20, 9)
                                   << QStringLiteral("Ann is now\n27 Years Old.") << QDate(2008, 5, 10);
    QTest::newRow("29 Feb, common year") << QDate(1980, 2, 29) << 0 << QDate(2008, 2, 29) << at(2008, 2, 29)
                                         << QStringLiteral("Ann is now\n28 Years Old.") << QDate(2009, 2, 28);
    QTest::newRow("29 Feb stays on the 28th") << QDate(1980, 2, 29) << 0 << QDate(2011, 2, 28) << at(2011, 2, 28)
                                              << QStringLiteral("Ann is now\n30 Years Old.") << QDate(2012, 2, 28);
}

void TestScheduler::birthdays() {
    QFETCH(QDate, born);
    QFETCH(int, before);
    QFETCH(QDate, stored);
    QFETCH(QDateTime, firedAt);
    QFETCH(QString, greeting);
    QFETCH(QDate, nextDate);
    SchedulerHarness h(firedAt);
    RecordFields r;
    r.kind = KindBirth;
    r.birth = born;
    r.before = before;
    r.date = stored.startOfDay();
    h.write("0", r);
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.birthdays.size(), 1);
    QCOMPARE(h.sink.birthdays.first().greeting, greeting);
    QVERIFY(h.sink.birthdays.first().showStopSound);
    QCOMPARE(h.dateOf("0"), nextDate.startOfDay());
    QCOMPARE(h.sink.rehides, 1);
    QCOMPARE(h.tick(), 60000);
}

void TestScheduler::birthdayWithoutSound() {
    SchedulerHarness h(at(2007, 5, 10));
    RecordFields r;
    r.kind = KindBirth;
    r.birth = QDate(1980, 5, 10);
    r.date = at(2007, 5, 10);
    r.sound = false;
    h.write("0", r);
    h.tick();
    QCOMPARE(h.sink.birthdays.size(), 1);
    QVERIFY(!h.sink.birthdays.first().sound);
    QVERIFY(!h.sink.birthdays.first().showStopSound);
}

// A notice period of a year or more would put the next notice before today: it comes tomorrow
// instead of at every tick.
void TestScheduler::birthdayNoticePeriodOfAYear() {
    SchedulerHarness h(at(2007, 5, 10, 9));
    RecordFields r;
    r.kind = KindBirth;
    r.birth = QDate(1980, 5, 10);
    r.before = 400;
    r.date = at(2007, 5, 10);
    h.write("0", r);
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.tick(), 60000);
    QCOMPARE(h.sink.birthdays.size(), 1);
    QCOMPARE(h.dateOf("0"), at(2007, 5, 11));
    h.clock.set(at(2007, 5, 11, 0, 0, 1));
    QCOMPARE(h.tick(), 50);
    QCOMPARE(h.sink.birthdays.last().greeting, QStringLiteral("Ann will be\n28 Years Old\nIn 365 days."));
    QCOMPARE(h.dateOf("0"), at(2008, 5, 10));
}

void TestScheduler::failingSaveIsReported() {
    SchedulerHarness h;
    h.write("0", alarmAt(h.clock.dateTime()));
    QSignalSpy failed(h.scheduler.get(), &Scheduler::failed);
    // The folder is gone: no save can succeed.
    QVERIFY(QDir(h.dir.path()).removeRecursively());
    QCOMPARE(h.tick(), 50);
    QCOMPARE(failed.size(), 1);
    QVERIFY(failed.first().first().toString().startsWith(QStringLiteral("Cannot create file")));
    // The alarm still shows once; the record, back as it was on disk, is passed over instead of showing at every
    // tick.
    QCOMPARE(h.sink.alarms.size(), 1);
    QCOMPARE(h.tick(), 60000);
    QCOMPARE(h.sink.alarms.size(), 1);
}

void TestScheduler::namelessSectionIsPassedOver_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<bool>("repeat");
    QTest::newRow("one-time alarm") << QByteArray(KindAlarm) << false;
    QTest::newRow("repeating alarm") << QByteArray(KindAlarm) << true;
    QTest::newRow("power action") << QByteArray(KindShut) << true;
}

// A section read from disk without its "SectionName" cannot be written to, so its firing cannot settle it.
void TestScheduler::namelessSectionIsPassedOver() {
    QFETCH(QByteArray, kind);
    QFETCH(bool, repeat);
    SchedulerHarness h;
    RecordFields nameless = repeating(h.clock.dateTime().addSecs(-60), AlarmUnit::Hours, 1);
    nameless.kind = kind;
    nameless.repeat = repeat;
    h.write("nameless", nameless);
    h.write("1", alarmAt(h.clock.dateTime()));
    QFile file(h.events->FileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll().replace("<SectionName>nameless</SectionName>", "<SectionName></SectionName>");
    file.close();
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();
    TXMLIniFile events(h.events->FileName());
    QCOMPARE(events.ReadSections(), QByteArrayList({"", "1"}));
    h.scheduler->setStores(events, *h.pastAlarms);
    QSignalSpy failed(h.scheduler.get(), &Scheduler::failed);

    for (int i = 0; i < 3; ++i)
        h.tick();
    QCOMPARE(failed.size(), 0);
    QCOMPARE(h.sink.shown(), 1);
    QCOMPARE(h.sink.alarms.first().section, QByteArray("1"));
    QCOMPARE(events.ReadSections(), QByteArrayList{""});
}

QTEST_GUILESS_MAIN(TestScheduler)
#include "tst_Scheduler.moc"
