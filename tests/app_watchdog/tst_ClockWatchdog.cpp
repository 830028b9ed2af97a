#include "app/ClockWatchdog.h"
#include "ui/notify/TForm6.h"

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

QTEST_MAIN(TestClockWatchdog)
#include "tst_ClockWatchdog.moc"
