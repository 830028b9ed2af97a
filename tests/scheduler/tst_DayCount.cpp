#include "scheduler/DayCount.h"

#include <QRandomGenerator>
#include <QTest>
#include <QTimeZone>

class TestDayCount : public QObject {
    Q_OBJECT

private slots:
    void conversions_data();
    void conversions();
    void roundsToTheMillisecond();
    void roundTrips();
    void clockUnits_data();
    void clockUnits();
    void months_data();
    void months();
    void weekdayAndMonth();
    void daylightSavingGap();
    void daylightSavingOverlap();
    void outOfRange();
};

static QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

void TestDayCount::conversions_data() {
    QTest::addColumn<double>("count");
    QTest::addColumn<QDateTime>("dateTime");
    QTest::newRow("epoch") << 0.0 << at(1899, 12, 30);
    QTest::newRow("epoch noon") << 0.5 << at(1899, 12, 30, 12);
    QTest::newRow("day before epoch") << -1.0 << at(1899, 12, 29);
    // Before the epoch the whole part counts back, the fraction forward from midnight.
    QTest::newRow("-1.25") << -1.25 << at(1899, 12, 29, 6);
    QTest::newRow("-2.75") << -2.75 << at(1899, 12, 28, 18);
    QTest::newRow("1 Jan 1800 noon") << -36522.5 << at(1800, 1, 1, 12);
    QTest::newRow("stored 12:30 14 Nov 2007") << 39400.5208333333 << at(2007, 11, 14, 12, 30);
    QTest::newRow("1 Jan 2000") << 36526.0 << at(2000, 1, 1);
}

void TestDayCount::conversions() {
    QFETCH(double, count);
    QFETCH(QDateTime, dateTime);
    QCOMPARE(DayCount::toDateTime(count), dateTime);
    QCOMPARE(DayCount::toDate(count), dateTime.date());
    QVERIFY2(std::fabs(DayCount::fromDateTime(dateTime) - count) < 1e-9,
             qPrintable(QString::number(DayCount::fromDateTime(dateTime), 'g', 17)));
}

void TestDayCount::roundsToTheMillisecond() {
    const double oneMs = 1.0 / 86'400'000;
    QCOMPARE(DayCount::toDateTime(0.5 + 0.4 * oneMs), at(1899, 12, 30, 12));
    QCOMPARE(DayCount::toDateTime(0.5 + 0.6 * oneMs), at(1899, 12, 30, 12, 0, 0, 1));
    // Rounding up across midnight gives the next day, also on the negative side.
    QCOMPARE(DayCount::toDateTime(39400.0 - 0.2 * oneMs), at(2007, 11, 14));
    QCOMPARE(DayCount::toDateTime(-1.0 - (1.0 - 0.2 * oneMs)), at(1899, 12, 30));
    QCOMPARE(DayCount::toDate(39400.0 - 0.2 * oneMs), QDate(2007, 11, 14));
}

void TestDayCount::roundTrips() {
    QRandomGenerator rng(1899);
    const qint64 from = at(1700, 1, 1).toMSecsSinceEpoch();
    const qint64 to = at(2100, 1, 1).toMSecsSinceEpoch();
    for (int i = 0; i < 20000; ++i) {
        const QDateTime dt = QDateTime::fromMSecsSinceEpoch(from + qint64(rng.bounded(double(to - from))));
        const double count = DayCount::fromDateTime(dt);
        QCOMPARE(DayCount::toDateTime(count).toMSecsSinceEpoch(), dt.toMSecsSinceEpoch());
    }
    // Other zones' times are taken as the local time they name.
    const QDateTime utc(QDate(2026, 7, 1), QTime(10, 0), Qt::UTC);
    QCOMPARE(DayCount::toDateTime(DayCount::fromDateTime(utc)), at(2026, 7, 1, 12));
    QVERIFY(std::isnan(DayCount::fromDateTime(QDateTime())));
}

void TestDayCount::clockUnits_data() {
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("n");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("15 minutes") << at(2026, 3, 1, 10) << "min" << 15 << at(2026, 3, 1, 10, 15);
    QTest::newRow("minutes over midnight") << at(2026, 3, 1, 23, 50) << "min" << 20 << at(2026, 3, 2, 0, 10);
    QTest::newRow("3 hours") << at(2026, 3, 1, 22) << "h" << 3 << at(2026, 3, 2, 1);
    QTest::newRow("90 seconds") << at(2026, 3, 1, 10) << "s" << 90 << at(2026, 3, 1, 10, 1, 30);
    QTest::newRow("2 days") << at(2026, 2, 27, 21, 59, 30) << "d" << 2 << at(2026, 3, 1, 21, 59, 30);
    QTest::newRow("1 week") << at(2026, 12, 28, 8) << "w" << 1 << at(2027, 1, 4, 8);
    QTest::newRow("minus 1 hour") << at(2026, 3, 1, 0, 30) << "h" << -1 << at(2026, 2, 28, 23, 30);
}

void TestDayCount::clockUnits() {
    QFETCH(QDateTime, start);
    QFETCH(QString, unit);
    QFETCH(int, n);
    QFETCH(QDateTime, expected);
    const double d = DayCount::fromDateTime(start);
    double r = 0;
    if (unit == u"min")
        r = DayCount::addMinutes(d, n);
    else if (unit == u"h")
        r = DayCount::addHours(d, n);
    else if (unit == u"s")
        r = DayCount::addSeconds(d, n);
    else if (unit == u"d")
        r = DayCount::addDays(d, n);
    else
        r = DayCount::addWeeks(d, n);
    QCOMPARE(DayCount::toDateTime(r), expected);
}

void TestDayCount::months_data() {
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<int>("months");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("31 Jan -> 28 Feb") << at(2007, 1, 31, 8) << 1 << at(2007, 2, 28, 8);
    QTest::newRow("31 Jan -> 29 Feb leap") << at(2008, 1, 31, 8) << 1 << at(2008, 2, 29, 8);
    QTest::newRow("31 Jan -> 31 Mar") << at(2007, 1, 31, 8) << 2 << at(2007, 3, 31, 8);
    QTest::newRow("31 Mar -> 30 Apr") << at(2007, 3, 31, 23, 59, 59) << 1 << at(2007, 4, 30, 23, 59, 59);
    QTest::newRow("31 Dec -> 29 Feb across year") << at(2007, 12, 31, 12) << 2 << at(2008, 2, 29, 12);
    QTest::newRow("29 Feb + 1 year") << at(2008, 2, 29, 7) << 12 << at(2009, 2, 28, 7);
    QTest::newRow("29 Feb + 4 years") << at(2008, 2, 29, 7) << 48 << at(2012, 2, 29, 7);
    QTest::newRow("29 Feb 1900 does not exist") << at(1896, 2, 29, 7) << 48 << at(1900, 2, 28, 7);
    QTest::newRow("29 Feb 2000 exists") << at(1996, 2, 29, 7) << 48 << at(2000, 2, 29, 7);
    QTest::newRow("backwards 31 Mar -> 28 Feb") << at(2007, 3, 31, 8) << -1 << at(2007, 2, 28, 8);
    QTest::newRow("before the epoch") << at(1899, 1, 31, 6) << 1 << at(1899, 2, 28, 6);
    QTest::newRow("across the epoch") << at(1899, 11, 30, 18) << 2 << at(1900, 1, 30, 18);
    QTest::newRow("into the epoch's past") << at(1900, 1, 31, 18) << -2 << at(1899, 11, 30, 18);
}

void TestDayCount::months() {
    QFETCH(QDateTime, start);
    QFETCH(int, months);
    QFETCH(QDateTime, expected);
    QCOMPARE(DayCount::toDateTime(DayCount::addMonths(DayCount::fromDateTime(start), months)), expected);
    if (months % 12 == 0)
        QCOMPARE(DayCount::toDateTime(DayCount::addYears(DayCount::fromDateTime(start), months / 12)), expected);
}

void TestDayCount::weekdayAndMonth() {
    QCOMPARE(DayCount::weekday(DayCount::fromDate(QDate(2007, 11, 14))), 4); // Wednesday
    QCOMPARE(DayCount::weekday(DayCount::fromDate(QDate(2026, 3, 1))), 1);   // Sunday
    QCOMPARE(DayCount::weekday(DayCount::fromDate(QDate(2026, 2, 28))), 7);  // Saturday
    QCOMPARE(DayCount::weekday(-1.25), 6);                                   // Friday 29 Dec 1899
    QCOMPARE(DayCount::month(39400.5), 11);
    QCOMPARE(DayCount::month(-1.25), 12);
}

void TestDayCount::daylightSavingGap() {
    // 29 March 2026, Berlin: 02:00 to 03:00 does not exist.
    const double gapTime = DayCount::fromDate(QDate(2026, 3, 29)) + 2.5 / 24;
    const QDateTime dt = DayCount::toDateTime(gapTime);
    QVERIFY(dt.isValid());
    QCOMPARE(dt, at(2026, 3, 29, 3, 30));
    // The hours on both sides still map one to one.
    QCOMPARE(DayCount::toDateTime(DayCount::fromDate(QDate(2026, 3, 29)) + 1.5 / 24), at(2026, 3, 29, 1, 30));
    QCOMPARE(DayCount::fromDateTime(at(2026, 3, 29, 3, 30)), DayCount::fromDate(QDate(2026, 3, 29)) + 3.5 / 24);
}

void TestDayCount::daylightSavingOverlap() {
    // 25 October 2026, Berlin: 02:00 to 03:00 happens twice (from 00:00 and from 01:00 UTC); both
    // name the same day count, which comes back as one of them.
    const QDateTime first = QDateTime(QDate(2026, 10, 25), QTime(0, 30), Qt::UTC).toLocalTime();
    const QDateTime second = first.addSecs(3600);
    QCOMPARE(first.time(), QTime(2, 30));
    QCOMPARE(second.time(), QTime(2, 30));
    QCOMPARE(DayCount::fromDateTime(first), DayCount::fromDateTime(second));
    const QDateTime back = DayCount::toDateTime(DayCount::fromDateTime(second));
    QVERIFY(back == first || back == second);
}

void TestDayCount::outOfRange() {
    QVERIFY(!DayCount::toDateTime(qQNaN()).isValid());
    QVERIFY(!DayCount::toDateTime(qInf()).isValid());
    QVERIFY(!DayCount::toDateTime(1e300).isValid());
    QVERIFY(!DayCount::toDate(-1e300).isValid());
    QCOMPARE(DayCount::weekday(qQNaN()), 0);
    QCOMPARE(DayCount::addMonths(1e300, 1), 1e300);
}

QTEST_GUILESS_MAIN(TestDayCount)
#include "tst_DayCount.moc"
