#include "FakeLogind.h"
#include "platform/LogindSleepMonitor.h"

#include <QTest>

class TestLogindSleepMonitor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void sleepAndWakeInOrder();
    void withoutLogindNothingHappens();

private:
    FakeLogind m_logind;
};

void TestLogindSleepMonitor::initTestCase() {
    if (!FakeLogind::mockAvailable())
        QSKIP("/usr/bin/python3 has no dbusmock (package python3-dbusmock)");
    QVERIFY2(m_logind.startBus(), qPrintable(m_logind.error()));
    QVERIFY2(m_logind.startLogind(), qPrintable(m_logind.error()));
}

// The delay lock keeps logind waiting until suspending() has been handled, and is taken again on waking.
void TestLogindSleepMonitor::sleepAndWakeInOrder() {
    LogindSleepMonitor monitor(m_logind.connection());
    QStringList events;
    connect(&monitor, &SleepMonitor::suspending, this, [&] {
        events << QStringLiteral("suspending");
        // While the handler runs, logind must still be waiting for us.
        QVERIFY(monitor.holdsSleepDelayLock());
    });
    connect(&monitor, &SleepMonitor::resumed, this, [&] { events << QStringLiteral("resumed"); });
    const QStringList lock{QStringLiteral("sleep"), QStringLiteral("Zentick"),
                           QStringLiteral("Pausing the clock-change watchdog"), QStringLiteral("delay")};
    QVERIFY(monitor.holdsSleepDelayLock());
    QCOMPARE(m_logind.inhibitors(), QList<QStringList>{lock});

    QVERIFY(m_logind.emitPrepareForSleep(true));
    QTRY_COMPARE(events, QStringList{QStringLiteral("suspending")});
    QVERIFY(!monitor.holdsSleepDelayLock());
    QTRY_VERIFY(m_logind.inhibitors().isEmpty());

    QVERIFY(m_logind.emitPrepareForSleep(false));
    QTRY_COMPARE(events, (QStringList{QStringLiteral("suspending"), QStringLiteral("resumed")}));
    QVERIFY(monitor.holdsSleepDelayLock());
    QCOMPARE(m_logind.inhibitors(), QList<QStringList>{lock});
}

void TestLogindSleepMonitor::withoutLogindNothingHappens() {
    m_logind.stopLogind();
    LogindSleepMonitor monitor(m_logind.connection());
    int count = 0;
    connect(&monitor, &SleepMonitor::suspending, this, [&] { ++count; });
    connect(&monitor, &SleepMonitor::resumed, this, [&] { ++count; });
    QVERIFY(!monitor.holdsSleepDelayLock());
    QTest::qWait(100);
    QCOMPARE(count, 0);
}

QTEST_GUILESS_MAIN(TestLogindSleepMonitor)
#include "tst_LogindSleepMonitor.moc"
