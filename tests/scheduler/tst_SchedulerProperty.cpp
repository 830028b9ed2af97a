#include "SchedulerHarness.h"

#include <QRandomGenerator>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using namespace EventRecord;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi));
}

QByteArray randomFilter(QRandomGenerator& rng, int length) {
    QByteArray text;
    const int n = rng.bounded(4) == 0 ? rng.bounded(length) : length; // sometimes too short
    for (int i = 0; i < n; ++i)
        text.append(rng.bounded(3) == 0 ? '0' : '1');
    return text;
}

RecordFields randomRecord(QRandomGenerator& rng, const QDateTime& start) {
    RecordFields r;
    const int kind = rng.bounded(10);
    r.kind = kind < 6 ? KindAlarm : kind < 8 ? KindShut : KindBirth;
    switch (rng.bounded(5)) {
    case 0: // long ago
        r.date = at(2000, 1 + rng.bounded(12), 1 + rng.bounded(28), rng.bounded(24), rng.bounded(60));
        break;
    case 1: // now
        r.date = start;
        break;
    default: // around now, to the second
        r.date = start.addSecs(rng.bounded(-3 * 86400, 3 * 86400));
        break;
    }
    r.repeat = rng.bounded(3) != 0;
    r.repval = rng.bounded(-1, 6);
    r.reptype = r.kind == KindAlarm ? rng.bounded(-1, 8) : rng.bounded(0, 4);
    r.bypass = rng.bounded(2) == 0;
    r.sound = rng.bounded(2) == 0;
    if (rng.bounded(3) == 0)
        r.days = randomFilter(rng, 7);
    if (rng.bounded(3) == 0)
        r.months = randomFilter(rng, 12);
    r.shuttype = rng.bounded(6);
    r.birth = QDate(1950 + rng.bounded(60), 1 + rng.bounded(12), 1).addDays(rng.bounded(31));
    r.before = rng.bounded(4) == 0 ? 400 : rng.bounded(0, 8);
    if (r.kind == KindBirth)
        r.date = QDateTime(r.date.date(), QTime(0, 0));
    return r;
}

} // namespace

class TestSchedulerProperty : public QObject {
    Q_OBJECT

private slots:
    void randomRecordsAndClockPaths_data();
    void randomRecordsAndClockPaths();
    void daylightSaving_data();
    void daylightSaving();
};

void TestSchedulerProperty::randomRecordsAndClockPaths_data() {
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

// Whatever the records and however the clock moves: an occurrence fires at most once, a firing moves
// its record past now (or the record is passed over from then on), at most one record fires per tick,
// the interval stays within its bounds, and once the clock runs on normally every due record fires.
void TestSchedulerProperty::randomRecordsAndClockPaths() {
    QFETCH(quint32, seed);
    QRandomGenerator rng(seed);
    const QDateTime start = at(2026, 1, 1).addSecs(rng.bounded(365 * 86400));
    SchedulerHarness h(start);
    const int recordCount = 30;
    for (int i = 0; i < recordCount; ++i)
        h.write(QByteArray::number(i), randomRecord(rng, start));

    QSignalSpy fired(h.scheduler.get(), &Scheduler::recordFired);
    QSet<QPair<QByteArray, double>> occurrences;
    QSet<QByteArray> stuck; // fired, and could not move past now
    int countdownTicks = -1;
    h.sink.onCountdown = [&](const PowerNotice&) {
        countdownTicks = rng.bounded(1, 4);
    };
    h.scheduler->setEnabled(true);

    auto tickAndCheck = [&] {
        const qsizetype before = fired.size();
        const double now = h.clock.now();
        const int interval = h.tick();
        QVERIFY(interval >= 50 && interval <= 60000);
        QVERIFY(fired.size() - before <= 1);
        if (fired.size() == before)
            return;
        const QByteArray s = fired.last().at(0).toByteArray();
        const double scheduled = fired.last().at(1).toDouble();
        QVERIFY2(scheduled <= now + 0.5 / 86400000, "fired before it was due");
        QVERIFY2(!occurrences.contains({s, scheduled}),
                 qPrintable(QStringLiteral("%1 fired twice").arg(QString::fromUtf8(s))));
        occurrences.insert({s, scheduled});
        if (h.events->HasSection(s) && !(h.events->ReadDouble(s, Key::Date, 0) > now)) {
            // Only a power action with an unknown unit keeps its date; it must never fire again.
            QCOMPARE(h.events->ReadString(s, Key::AlType, {}), QByteArray(KindShut));
            QVERIFY(!stuck.contains(s));
            stuck.insert(s);
        }
    };

    for (int step = 0; step < 400; ++step) {
        if (h.scheduler->isEnabled())
            tickAndCheck();
        if (QTest::currentTestFailed())
            return;
        if (countdownTicks > 0 && --countdownTicks == 0) {
            h.clock.advance(30000); // the countdown ran out or was cancelled
            h.scheduler->setEnabled(true);
        }
        switch (rng.bounded(12)) {
        case 0:
            h.clock.jump(qint64(rng.bounded(1, 72)) * 3600000); // clock set forward
            break;
        case 1:
            h.clock.jump(-qint64(rng.bounded(1, 72)) * 3600000); // clock set back
            break;
        case 2:
            h.clock.suspend(qint64(rng.bounded(1, 48)) * 3600000); // asleep
            break;
        case 3:
            h.clock.advance(rng.bounded(0, 50)); // a tick that comes early or at once
            break;
        default:
            h.clock.advance(h.scheduler->interval()); // the timer on time
            break;
        }
    }

    // The clock runs on normally for a while: every due record of a known kind fires.
    h.scheduler->setEnabled(true);
    for (int step = 0; step < 2000 && !QTest::currentTestFailed(); ++step) {
        tickAndCheck();
        h.scheduler->setEnabled(true);
        h.clock.advance(h.scheduler->interval());
    }
    const double now = h.clock.now();
    for (const QByteArray& s : h.events->ReadSections()) {
        const QByteArray kind = h.events->ReadString(s, Key::AlType, KindAlarm);
        const bool known = kind == KindAlarm || kind == KindShut || kind == KindBirth;
        QVERIFY2(!known || h.events->ReadDouble(s, Key::Date, 0) > now - 1.0 / 1440 || stuck.contains(s),
                 qPrintable(QStringLiteral("record %1 left due").arg(QString::fromUtf8(s))));
    }
}

void TestSchedulerProperty::daylightSaving_data() {
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<QDateTime>("until");
    QTest::newRow("spring 2026") << at(2026, 3, 27, 0) << at(2026, 3, 31, 12);
    QTest::newRow("autumn 2026") << at(2026, 10, 23, 0) << at(2026, 10, 27, 12);
}

// A daily 02:30 alarm and an hourly alarm across a change: each occurrence fires once; the 02:30 that
// the spring change skips fires when the clock reaches 03:00, and the 02:30 that autumn repeats fires
// the first time only. Time passes as the timer says.
void TestSchedulerProperty::daylightSaving() {
    QFETCH(QDateTime, from);
    QFETCH(QDateTime, until);
    SchedulerHarness h(from);
    RecordFields daily;
    daily.date = QDateTime(from.date(), QTime(2, 30));
    daily.repeat = true;
    daily.reptype = int(AlarmUnit::Days);
    h.write("0", daily);
    RecordFields hourly = daily;
    hourly.date = QDateTime(from.date(), QTime(0, 30));
    hourly.reptype = int(AlarmUnit::Hours);
    h.write("1", hourly);

    QSignalSpy fired(h.scheduler.get(), &Scheduler::recordFired);
    while (h.clock.dateTime() < until) {
        h.tick();
        h.clock.advance(h.scheduler->interval());
    }
    QMap<QByteArray, QList<double>> bySection;
    for (const QList<QVariant>& f : fired)
        bySection[f.at(0).toByteArray()].append(f.at(1).toDouble());

    // One firing per wall-clock day at 02:30, one per wall-clock hour at half past.
    const double first = DayCount::fromDate(from.date());
    const double last = DayCount::fromDateTime(until);
    QList<QString> expectedDaily, expectedHourly, gotDaily, gotHourly;
    for (double d = first; d + 2.5 / 24 < last; d += 1)
        for (int hour = 0; hour < 24; ++hour) {
            const double moment = d + (hour + 0.5) / 24;
            if (moment >= last)
                break;
            const QString text = DayCount::toDate(moment).toString(Qt::ISODate) + u' ' +
                                 DayCount::toTime(moment).toString(QStringLiteral("HH:mm"));
            expectedHourly.append(text);
            if (hour == 2)
                expectedDaily.append(text);
        }
    auto texts = [](const QList<double>& counts) {
        QList<QString> out;
        for (double c : counts)
            out.append(DayCount::toDate(c).toString(Qt::ISODate) + u' ' +
                       DayCount::toTime(c).toString(QStringLiteral("HH:mm")));
        return out;
    };
    QCOMPARE(texts(bySection.value("0")), expectedDaily);
    QCOMPARE(texts(bySection.value("1")), expectedHourly);
    QCOMPARE(h.sink.alarms.size(), expectedDaily.size() + expectedHourly.size());
}

QTEST_GUILESS_MAIN(TestSchedulerProperty)
#include "tst_SchedulerProperty.moc"
