#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"

#include <QRandomGenerator>
#include <QTest>

#include <cstring>

using namespace EventRecord;

namespace {

double count(const QDateTime& dt) {
    return DayCount::fromDateTime(dt);
}

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// The stored rule taken literally: one unit at a time until the date passes now.
double stepwiseAlarm(double d, int reptype, int repval, double now) {
    while (d <= now)
        d = addAlarmUnits(d, reptype, repval);
    return d;
}

double stepwisePower(double d, int reptype, int repval, double now) {
    while (d <= now)
        d = *addPowerUnits(d, reptype, repval);
    return d;
}

quint64 bits(double v) {
    quint64 b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}

} // namespace

class TestRecordRepetition : public QObject {
    Q_OBJECT

private slots:
    void unitTables_data();
    void unitTables();
    void catchUpEqualsStepwise_data();
    void catchUpEqualsStepwise();
    void catchUpFromLongAgo();
    void firstOccurrenceStrictlyAfterNow();
    void countBelowOneIsOne();
    void unknownUnits();
    void absurdValuesFinish();
};

void TestRecordRepetition::unitTables_data() {
    QTest::addColumn<bool>("power");
    QTest::addColumn<int>("reptype");
    QTest::addColumn<int>("repval");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("expected");
    const QDateTime ten = at(2026, 1, 31, 10);
    QTest::newRow("alarm 0 minutes") << false << 0 << 15 << ten << at(2026, 1, 31, 10, 15);
    QTest::newRow("alarm 1 hours") << false << 1 << 3 << ten << at(2026, 1, 31, 13);
    QTest::newRow("alarm 2 days") << false << 2 << 2 << ten << at(2026, 2, 2, 10);
    QTest::newRow("alarm 3 weeks") << false << 3 << 1 << ten << at(2026, 2, 7, 10);
    QTest::newRow("alarm 4 months") << false << 4 << 1 << ten << at(2026, 2, 28, 10);
    QTest::newRow("alarm 5 years") << false << 5 << 1 << at(2024, 2, 29, 10) << at(2025, 2, 28, 10);
    QTest::newRow("power 0 days") << true << 0 << 2 << at(2026, 1, 1, 21, 59, 30) << at(2026, 1, 3, 21, 59, 30);
    QTest::newRow("power 1 weeks") << true << 1 << 1 << ten << at(2026, 2, 7, 10);
}

void TestRecordRepetition::unitTables() {
    QFETCH(bool, power);
    QFETCH(int, reptype);
    QFETCH(int, repval);
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, expected);
    const double next =
        power ? *addPowerUnits(count(from), reptype, repval) : addAlarmUnits(count(from), reptype, repval);
    QCOMPARE(DayCount::toDateTime(next), expected);
}

void TestRecordRepetition::catchUpEqualsStepwise_data() {
    QTest::addColumn<bool>("power");
    QTest::addColumn<int>("reptype");
    QTest::addColumn<int>("repval");
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("until");
    const QDateTime until = at(2026, 6, 1);
    QTest::newRow("every minute for months") << false << 0 << 1 << at(2026, 1, 1, 0, 0, 17) << until;
    QTest::newRow("every 7 minutes") << false << 0 << 7 << at(2025, 11, 3, 9, 30) << until;
    QTest::newRow("every hour for years") << false << 1 << 1 << at(2015, 3, 1, 8, 45) << until;
    QTest::newRow("every 5 hours across a binade") << false << 1 << 5 << at(2017, 1, 1, 7) << until;
    QTest::newRow("every day since 1950") << false << 2 << 1 << at(1950, 6, 1, 23, 59, 59) << until;
    QTest::newRow("every 2 weeks since 1900") << false << 3 << 2 << at(1900, 1, 1, 6) << until;
    QTest::newRow("every month from 31 Jan") << false << 4 << 1 << at(1990, 1, 31, 12, 30) << until;
    QTest::newRow("every 5 months from 31 Aug") << false << 4 << 5 << at(1800, 8, 31, 18) << until;
    QTest::newRow("every year from 29 Feb") << false << 5 << 1 << at(1904, 2, 29, 7) << until;
    QTest::newRow("every year from 31 Mar") << false << 5 << 1 << at(1700, 3, 31, 7) << until;
    QTest::newRow("minutes before the epoch") << false << 0 << 1 << at(1899, 12, 28, 22) << at(1900, 1, 2);
    QTest::newRow("hours before the epoch") << false << 1 << 1 << at(1899, 1, 1, 6) << at(1900, 3, 1);
    QTest::newRow("days before the epoch") << false << 2 << 3 << at(1850, 1, 1, 6) << at(1950, 1, 1);
    QTest::newRow("power days") << true << 0 << 2 << at(1990, 1, 1, 21, 59, 30) << until;
    QTest::newRow("power weeks") << true << 1 << 3 << at(1920, 1, 1, 21, 59, 30) << until;
}

// The catch-up must give what the literal loop gives, bit for bit, whatever now is: now is drawn at
// random over the range, and also placed exactly on the values the loop passes.
void TestRecordRepetition::catchUpEqualsStepwise() {
    QFETCH(bool, power);
    QFETCH(int, reptype);
    QFETCH(int, repval);
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, until);
    const double start = count(from);
    const double end = count(until);
    auto fast = [&](double now) {
        return power ? nextPowerOccurrence(start, reptype, repval, now)
                     : nextAlarmOccurrence(start, reptype, repval, now);
    };
    auto slow = [&](double now) {
        return power ? stepwisePower(start, reptype, repval, now) : stepwiseAlarm(start, reptype, repval, now);
    };
    QRandomGenerator rng(42);
    for (int i = 0; i < 12; ++i) {
        const double now = start + (end - start) * rng.generateDouble();
        const double expected = slow(now);
        QCOMPARE(bits(fast(now)), bits(expected));
        // now right on an occurrence: that one is not "after now"; just before it, it is.
        QCOMPARE(bits(fast(expected)), bits(slow(expected)));
        QCOMPARE(bits(fast(std::nextafter(expected, -1e300))), bits(expected));
    }
}

// A record every minute dated in 2000: millions of missed steps whose roundings add up to far more
// than a millisecond, so only a result equal to the literal chain is right.
void TestRecordRepetition::catchUpFromLongAgo() {
    const double start = count(at(2000, 1, 1, 8, 0, 0));
    const double now = count(at(2026, 4, 17, 15, 4, 5).addMSecs(321));
    const double expected = stepwiseAlarm(start, 0, 1, now);
    QCOMPARE(bits(nextAlarmOccurrence(start, 0, 1, now)), bits(expected));
    QVERIFY(expected > now);
    QVERIFY(expected - now <= 1.0 / 1440 + 1e-9);
}

void TestRecordRepetition::firstOccurrenceStrictlyAfterNow() {
    // Every 15 minutes, scheduled 10:00, fired at 10:00:00.05.
    const double ten = count(at(2026, 5, 4, 10));
    const double fired = count(at(2026, 5, 4, 10).addMSecs(50));
    QCOMPARE(DayCount::toDateTime(nextAlarmOccurrence(ten, 0, 15, fired)), at(2026, 5, 4, 10, 15));
    // Daily at 08:00, three days missed, started on the fourth day at 10:00: the fifth day.
    const double eight = count(at(2026, 5, 1, 8));
    QCOMPARE(DayCount::toDateTime(nextAlarmOccurrence(eight, 2, 1, count(at(2026, 5, 4, 10)))), at(2026, 5, 5, 8));
    // A date already in the future is left alone.
    QCOMPARE(nextAlarmOccurrence(ten, 2, 1, ten - 1), ten);
}

void TestRecordRepetition::countBelowOneIsOne() {
    const double d = count(at(2026, 1, 31, 10));
    const double now = count(at(2026, 3, 3, 12));
    for (int repval : {0, -1, -2147483647 - 1}) {
        QCOMPARE(addAlarmUnits(d, 2, repval), addAlarmUnits(d, 2, 1));
        QCOMPARE(nextAlarmOccurrence(d, 4, repval, now), nextAlarmOccurrence(d, 4, 1, now));
        QCOMPARE(nextPowerOccurrence(d, 1, repval, now), nextPowerOccurrence(d, 1, 1, now));
    }
}

void TestRecordRepetition::unknownUnits() {
    const double d = count(at(2026, 1, 31, 10));
    const double now = count(at(2026, 1, 31, 12, 0, 30));
    // An alarm unit outside the table counts in minutes.
    for (int reptype : {9, -1, 6}) {
        QCOMPARE(addAlarmUnits(d, reptype, 5), addAlarmUnits(d, 0, 5));
        QCOMPARE(nextAlarmOccurrence(d, reptype, 5, now), nextAlarmOccurrence(d, 0, 5, now));
    }
    // "reptype" 1 is hours on an alarm but weeks on a power action.
    QCOMPARE(DayCount::toDateTime(*addPowerUnits(d, 1, 1)), at(2026, 2, 7, 10));
    // A power action with another unit keeps its date.
    for (int reptype : {2, 3, 9, -1}) {
        QVERIFY(!addPowerUnits(d, reptype, 1));
        QCOMPARE(nextPowerOccurrence(d, reptype, 1, now), d);
    }
}

// Whatever a damaged file holds, the catch-up ends, and a date it returns is after now.
void TestRecordRepetition::absurdValuesFinish() {
    const double now = count(at(2026, 6, 1, 12));
    const double dates[] = {-1e300, -1e17, -1e12, -693593.5, -0.25, 0, 1e-300, -1e-300, now, qInf(), -qInf()};
    const int counts[] = {1, 7, 1000000, 2147483647};
    for (double d : dates) {
        for (int reptype = -1; reptype <= 6; ++reptype) {
            for (int repval : counts) {
                const double next = nextAlarmOccurrence(d, reptype, repval, now);
                QVERIFY2(next > now, qPrintable(QStringLiteral("%1 %2 %3").arg(d).arg(reptype).arg(repval)));
                if (reptype == 0 || reptype == 1)
                    QVERIFY(nextPowerOccurrence(d, reptype, repval, now) > now);
            }
        }
    }
    QVERIFY(std::isnan(nextAlarmOccurrence(qQNaN(), 0, 1, now)));
}

QTEST_GUILESS_MAIN(TestRecordRepetition)
#include "tst_RecordRepetition.moc"
