#include "app/ClockWatchdog.h"
#include "ui/notify/TForm6.h"

#include "fakes/FakePlatform.h"
#include "scheduler/TestClock.h"

#include <QPushButton>
#include <QTest>
#include <QTimeZone>
#include <memory>

namespace {
constexpr qint64 Minute = 60 * 1000;
constexpr qint64 Hour = 60 * Minute;

// The watchdog with a warning window and a recorded scheduler switch.
struct Fixture {
    explicit Fixture(const QDateTime& start = QDateTime(QDate(2026, 5, 4), QTime(10, 0)))
        : clock(start)
        , watchdog(clock, warning,
                   {[this] { ++titles; },
                    [this](bool on) {
                        schedulerOn = on;
                    }}) {
        TForm6::setNextAnswer(std::nullopt);
        askedBefore = TForm6::timesAsked();
    }
    void tick(qint64 afterMs = 1000) {
        clock.advance(afterMs);
        watchdog.Timer1Timer();
    }
    int warnings() const { return TForm6::timesAsked() - askedBefore; }

    TestClock clock;
    TForm6 warning;
    int titles = 0;
    bool schedulerOn = true;
    ClockWatchdog watchdog;
    int askedBefore = 0;
};
// The watchdog of a program whose main window can hide, with clock-change notices from a fake.
struct RestingFixture : Fixture {
    RestingFixture() {
        watchdog.setMainWindow(&mainWindow);
        watchdog.setClockChangeMonitor(&notices);
        watchdog.start();
    }
    FakeClockChangeMonitor notices;
    QWidget mainWindow;
};

enum class Wake { ClockNotice, WindowShown };
} // namespace

class TestClockWatchdog : public QObject {
    Q_OBJECT

private slots:
    void clockChanges_data();
    void clockChanges();
    void asksOncePerRun();
    void answerKeepsOrRestartsScheduler_data();
    void answerKeepsOrRestartsScheduler();
    void sleepIsNotAClockChange();
    void daylightSavingChange_data();
    void daylightSavingChange();
    void hiddenMainWindowStaysHidden();
    void ticksOnlyWhileTheTitleIsSeen_data();
    void ticksOnlyWhileTheTitleIsSeen();
    void restingSeesTheSameChanges_data();
    void restingSeesTheSameChanges();
};

void TestClockWatchdog::clockChanges_data() {
    QTest::addColumn<qint64>("shift");
    QTest::addColumn<bool>("warns");
    QTest::newRow("2 hours forward") << 2 * Hour << true;
    QTest::newRow("2 hours back") << -2 * Hour << true;
    QTest::newRow("45 minutes forward") << 45 * Minute << false;
    QTest::newRow("45 minutes back") << -45 * Minute << false;
    // The gap counts whole minutes: one second short of 61 is still 60.
    QTest::newRow("60 whole minutes") << 60 * Minute << false;
    QTest::newRow("61 minutes forward") << 61 * Minute << true;
}

void TestClockWatchdog::clockChanges() {
    QFETCH(qint64, shift);
    QFETCH(bool, warns);
    Fixture f;
    f.tick();
    TForm6::setNextAnswer(true);
    f.clock.jump(shift);
    f.tick();
    QCOMPARE(f.warnings(), warns ? 1 : 0);
    QCOMPARE(f.schedulerOn, !warns);
    QCOMPARE(f.titles, 2);
    TForm6::setNextAnswer(std::nullopt);
}

void TestClockWatchdog::asksOncePerRun() {
    Fixture f;
    TForm6::setNextAnswer(false);
    f.clock.jump(2 * Hour);
    f.tick();
    QCOMPARE(f.warnings(), 1);
    QVERIFY(f.schedulerOn);

    // Whatever the first answer was, a later jump is let through without a question.
    TForm6::setNextAnswer(true);
    f.clock.jump(-3 * Hour);
    f.tick();
    QCOMPARE(f.warnings(), 1);
    QVERIFY(f.schedulerOn);
    QVERIFY(!f.watchdog.clockWarningArmed);
    TForm6::setNextAnswer(std::nullopt);
}

void TestClockWatchdog::answerKeepsOrRestartsScheduler_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes keeps alarms off") << true;
    QTest::newRow("No lets them run") << false;
}

void TestClockWatchdog::answerKeepsOrRestartsScheduler() {
    QFETCH(bool, yes);
    Fixture f;
    TForm6::setNextAnswer(yes);
    f.clock.jump(2 * Hour);
    f.tick();
    QCOMPARE(f.warnings(), 1);
    QCOMPARE(f.schedulerOn, !yes);
    QCOMPARE(f.warning.disableAlarms, yes);
    // Later ticks never switch the scheduler on behind the user's back.
    for (int i = 0; i < 3; ++i)
        f.tick();
    QCOMPARE(f.schedulerOn, !yes);
}

void TestClockWatchdog::sleepIsNotAClockChange() {
    Fixture f;
    f.watchdog.Timer1.start();
    f.tick();
    f.watchdog.systemSuspending();
    QVERIFY(!f.watchdog.Timer1.isActive());
    f.clock.advance(3 * Hour);
    f.watchdog.systemResumed();
    QVERIFY(f.watchdog.Timer1.isActive());
    QCOMPARE(f.watchdog.Timer1.interval(), 1000);
    f.tick();
    QCOMPARE(f.warnings(), 0);
    QVERIFY(f.schedulerOn);

    // Only that one gap is forgiven: a real change afterwards is still asked about.
    TForm6::setNextAnswer(false);
    f.clock.jump(2 * Hour);
    f.tick();
    QCOMPARE(f.warnings(), 1);
    TForm6::setNextAnswer(std::nullopt);
}

void TestClockWatchdog::daylightSavingChange_data() {
    QTest::addColumn<QDateTime>("changeUtc");
    QTest::newRow("spring forward 2026-03-29") << QDateTime(QDate(2026, 3, 29), QTime(1, 0), Qt::UTC);
    QTest::newRow("fall back 2026-10-25") << QDateTime(QDate(2026, 10, 25), QTime(1, 0), Qt::UTC);
}

void TestClockWatchdog::daylightSavingChange() {
    QFETCH(QDateTime, changeUtc);
    QCOMPARE(QTimeZone::systemTimeZoneId(), QByteArray("Europe/Berlin"));
    Fixture f(changeUtc.addSecs(-5));
    TForm6::setNextAnswer(true);
    for (int i = 0; i < 10; ++i)
        f.tick();
    QCOMPARE(f.warnings(), 0);
    QVERIFY(f.schedulerOn);
    TForm6::setNextAnswer(std::nullopt);
}

void TestClockWatchdog::hiddenMainWindowStaysHidden() {
    // The real modal question, answered by a click, while the main window sits in the tray.
    Fixture f;
    QWidget mainWindow;
    mainWindow.hide();
    f.watchdog.setMainWindow(&mainWindow);
    bool seenWhileOpen = false;
    QTimer::singleShot(0, &f.warning, [&] {
        seenWhileOpen = f.warning.isVisible() && !mainWindow.isVisible();
        QTest::mouseClick(f.warning.DsFancyButton11, Qt::LeftButton);
    });
    f.clock.jump(-2 * Hour);
    f.tick();
    QVERIFY(seenWhileOpen);
    QVERIFY(!f.warning.isVisible());
    QVERIFY(!mainWindow.isVisible());
    QVERIFY(f.schedulerOn);
    QCOMPARE(f.warnings(), 1);
}

void TestClockWatchdog::ticksOnlyWhileTheTitleIsSeen_data() {
    QTest::addColumn<bool>("notices");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("ticks");
    QTest::newRow("hidden, clock changes told") << true << false << false;
    QTest::newRow("shown, clock changes told") << true << true << true;
    QTest::newRow("hidden, nothing tells of clock changes") << false << false << true;
}

void TestClockWatchdog::ticksOnlyWhileTheTitleIsSeen() {
    QFETCH(bool, notices);
    QFETCH(bool, visible);
    QFETCH(bool, ticks);
    RestingFixture f;
    if (!notices)
        f.watchdog.setClockChangeMonitor(nullptr);
    f.mainWindow.setVisible(visible);
    QCOMPARE(f.watchdog.Timer1.isActive(), ticks);
    QCOMPARE(f.watchdog.resting(), !ticks);

    // Showing the window brings the ticks back, with the title right at once; hiding it again lets them rest.
    const int titles = f.titles;
    f.mainWindow.show();
    QVERIFY(f.watchdog.Timer1.isActive());
    QCOMPARE(f.titles, titles + (ticks ? 0 : 1));
    f.mainWindow.hide();
    QCOMPARE(f.watchdog.Timer1.isActive(), !notices);
    QCOMPARE(f.warnings(), 0);
}

void TestClockWatchdog::restingSeesTheSameChanges_data() {
    QTest::addColumn<qint64>("passes");   // time passing while the window is hidden
    QTest::addColumn<qint64>("clockSet"); // the clock set forward or back (during the sleep, if any)
    QTest::addColumn<qint64>("sleeps");   // the computer asleep
    QTest::addColumn<bool>("sleepTold");  // logind told of the sleep
    QTest::addColumn<Wake>("wake");       // what brings the next look at the clock
    QTest::addColumn<int>("warnings");
    QTest::newRow("set 2 hours forward") << 3 * Hour << 2 * Hour << 0LL << false << Wake::ClockNotice << 1;
    QTest::newRow("set 2 hours back") << 3 * Hour << -2 * Hour << 0LL << false << Wake::ClockNotice << 1;
    QTest::newRow("set 45 minutes forward") << 3 * Hour << 45 * Minute << 0LL << false << Wake::ClockNotice << 0;
    QTest::newRow("set 62 minutes back") << Minute << -62 * Minute << 0LL << false << Wake::ClockNotice << 1;
    QTest::newRow("hours pass, nothing set") << 5 * Hour << 0LL << 0LL << false << Wake::WindowShown << 0;
    QTest::newRow("set 2 hours forward, seen when shown") << Hour << 2 * Hour << 0LL << false << Wake::WindowShown << 1;
    QTest::newRow("3 hours asleep, told") << Hour << 0LL << 3 * Hour << true << Wake::ClockNotice << 0;
    QTest::newRow("3 hours asleep and set, told") << Hour << 2 * Hour << 3 * Hour << true << Wake::WindowShown << 0;
    // As the ticking watchdog: a sleep nobody announced looks like a change of the clock.
    QTest::newRow("3 hours asleep, not told") << Hour << 0LL << 3 * Hour << false << Wake::ClockNotice << 1;
}

// A watchdog at rest judges a change as one ticking every second would: the same gaps warn, the same are let
// through, and time simply passing is no change however long the rest.
void TestClockWatchdog::restingSeesTheSameChanges() {
    QFETCH(qint64, passes);
    QFETCH(qint64, clockSet);
    QFETCH(qint64, sleeps);
    QFETCH(bool, sleepTold);
    QFETCH(Wake, wake);
    QFETCH(int, warnings);
    RestingFixture f;
    QVERIFY(f.watchdog.resting());
    TForm6::setNextAnswer(false);
    f.clock.advance(passes);
    if (sleeps) {
        if (sleepTold)
            f.watchdog.systemSuspending();
        f.clock.suspend(sleeps);
        f.clock.jump(clockSet); // a time service stepping the clock as the computer wakes
        // The kernel tells of the wall clock's jump on waking; logind's notice comes about then too.
        f.notices.simulateClockChange();
        if (sleepTold)
            f.watchdog.systemResumed();
        QVERIFY(f.watchdog.resting());
    } else {
        f.clock.jump(clockSet);
    }
    if (wake == Wake::ClockNotice)
        f.notices.simulateClockChange();
    else
        f.mainWindow.show();
    QCOMPARE(f.warnings(), warnings);
    QVERIFY(f.schedulerOn); // "No": the scheduler runs again
    QCOMPARE(f.watchdog.lastClockTick, f.clock.now());

    // Ticking again afterwards, nothing more is asked.
    f.mainWindow.show();
    f.tick();
    QCOMPARE(f.warnings(), warnings);
    TForm6::setNextAnswer(std::nullopt);
}

QTEST_MAIN(TestClockWatchdog)
#include "tst_ClockWatchdog.moc"
