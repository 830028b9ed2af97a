// The real sleep monitor, fed by a fake logind on a private bus, drives the clock watchdog: a sleep of
// three hours must not be taken for a clock change, while a jump of the same size without a sleep is.
#include "FakeLogind.h"
#include "app/ClockWatchdog.h"
#include "platform/LogindSleepMonitor.h"
#include "ui/notify/TForm6.h"

#include "scheduler/TestClock.h"

#include <QSignalSpy>
#include <QTest>

namespace {
constexpr qint64 Hour = 60 * 60 * 1000;
}

class TestSleepAcrossLogind : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { TForm6::setNextAnswer(std::nullopt); }
    void threeHourGap_data();
    void threeHourGap();

private:
    FakeLogind m_logind;
};

void TestSleepAcrossLogind::initTestCase() {
    if (!FakeLogind::mockAvailable())
        QSKIP("/usr/bin/python3 has no dbusmock (package python3-dbusmock)");
    QVERIFY2(m_logind.startBus(), qPrintable(m_logind.error()));
    QVERIFY2(m_logind.startLogind(), qPrintable(m_logind.error()));
}

void TestSleepAcrossLogind::threeHourGap_data() {
    QTest::addColumn<bool>("sleeps");
    QTest::addColumn<int>("warnings");
    QTest::newRow("PrepareForSleep true, then false") << true << 0;
    QTest::newRow("no sleep: the clock was changed") << false << 1;
}

void TestSleepAcrossLogind::threeHourGap() {
    QFETCH(bool, sleeps);
    QFETCH(int, warnings);
    TestClock clock(QDateTime(QDate(2026, 5, 4), QTime(22, 0)));
    TForm6 warning;
    bool schedulerOn = true;
    ClockWatchdog watchdog(clock, warning,
                           {[] {},
                            [&](bool on) {
                                schedulerOn = on;
                            }});
    LogindSleepMonitor monitor(m_logind.connection());
    connect(&monitor, &SleepMonitor::suspending, &watchdog, &ClockWatchdog::systemSuspending);
    connect(&monitor, &SleepMonitor::resumed, &watchdog, &ClockWatchdog::systemResumed);
    QSignalSpy suspending(&monitor, &SleepMonitor::suspending);
    QSignalSpy resumed(&monitor, &SleepMonitor::resumed);
    TForm6::setNextAnswer(false);
    const int askedBefore = TForm6::timesAsked();

    watchdog.Timer1.start();
    clock.advance(1000);
    watchdog.Timer1Timer();
    if (sleeps) {
        QVERIFY(m_logind.emitPrepareForSleep(true));
        QTRY_COMPARE(suspending.count(), 1);
        QVERIFY(!watchdog.Timer1.isActive());
    }
    clock.advance(3 * Hour);
    if (sleeps) {
        QVERIFY(m_logind.emitPrepareForSleep(false));
        QTRY_COMPARE(resumed.count(), 1);
        QVERIFY(watchdog.Timer1.isActive());
    }
    clock.advance(1000);
    watchdog.Timer1Timer();

    QCOMPARE(TForm6::timesAsked() - askedBefore, warnings);
    QVERIFY(schedulerOn); // "No" (or no question at all) leaves the scheduler running
}

QTEST_MAIN(TestSleepAcrossLogind)
#include "tst_SleepAcrossLogind.moc"
