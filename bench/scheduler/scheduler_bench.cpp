// The scheduler tick over a large event store, and the catch-up of a repeating record dated long ago
// against the literal one-unit-at-a-time loop, measured in the same run.
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/NotificationSink.h"
#include "scheduler/Scheduler.h"
#include "scheduler/SchedulerClock.h"
#include "store/XMLIniFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

class FixedClock final : public SchedulerClock {
public:
    explicit FixedClock(double now)
        : m_now(now) {}
    double now() const override { return m_now; }
    qint64 monotonicMs() const override { return 0; }

private:
    double m_now;
};

class NullSink final : public NotificationSink {
public:
    void showAlarm(const AlarmNotice&) override {}
    void startPowerCountdown(const PowerNotice&) override {}
    void showBirthday(const BirthdayNotice&) override {}
    void firingDone() override {}
};

double at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    return DayCount::fromDateTime(QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms)));
}

// A store of n alarms spread over the coming year, some within the day, none due.
void fillEvents(TXMLIniFile& events, qint64 count, double now) {
    using namespace EventRecord;
    TXMLIniFile::Batch batch(events);
    for (qint64 i = 0; i < count; ++i) {
        const QByteArray s = QByteArray::number(i);
        events.WriteString(s, Key::AlType, KindAlarm);
        events.WriteDouble(s, Key::Date, now + 0.001 + double(i % 997) * 0.37);
        events.WriteFlag(s, Key::Repeat, i % 2 == 0);
        events.WriteFlag(s, Key::Sound, true);
        events.WriteFlag(s, Key::Bypass, false);
        events.WriteString(s, Key::Category, "General");
        writeTextBlock(events, s, {QStringLiteral("Reminder number %1").arg(i), QStringLiteral("second line")});
    }
    batch.commit();
}

const double tickNow = at(2026, 5, 4, 9);

// A tick that fires nothing reads every section name and every "date": the cost of the minute tick.
void BM_TickOverRecords(benchmark::State& state) {
    QTemporaryDir dir;
    TXMLIniFile events(dir.filePath(QStringLiteral("Alarms.xml")));
    TXMLIniFile pastAlarms(dir.filePath(QStringLiteral("PAlarms.xml")));
    fillEvents(events, state.range(0), tickNow);
    FixedClock clock(tickNow);
    NullSink sink;
    Scheduler scheduler(events, pastAlarms, clock, sink);
    for (auto _ : state)
        scheduler.TimerTimer();
    state.counters["interval_ms"] = scheduler.interval();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TickOverRecords)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The floor under the tick: the store reads it cannot do without (every name, every "date").
void BM_StoreReadsOfATick(benchmark::State& state) {
    QTemporaryDir dir;
    TXMLIniFile events(dir.filePath(QStringLiteral("Alarms.xml")));
    fillEvents(events, state.range(0), tickNow);
    for (auto _ : state) {
        double nearest = 1e300;
        const QByteArrayList sections = events.ReadSections();
        for (const QByteArray& s : sections)
            nearest = std::min(nearest, events.ReadDouble(s, EventRecord::Key::Date, 0));
        benchmark::DoNotOptimize(nearest);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_StoreReadsOfATick)->Arg(10000)->Unit(benchmark::kMicrosecond);

// A record every minute dated 1 January 2000, found on 17 April 2026: 13.8 million missed steps.
const double minuteStart = at(2000, 1, 1, 8);
const double minuteNow = at(2026, 4, 17, 15, 4, 5, 321);

void BM_CatchUpMinutesFrom2000(benchmark::State& state) {
    double next = 0;
    for (auto _ : state) {
        next = EventRecord::nextAlarmOccurrence(minuteStart, 0, 1, minuteNow);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_CatchUpMinutesFrom2000)->Unit(benchmark::kMicrosecond);

// The reference: the stored rule taken literally. Also reports how far its accumulated rounding has
// carried it from the ideal k-th minute, which is why the catch-up has to follow it exactly.
void BM_StepwiseMinutesFrom2000(benchmark::State& state) {
    double next = 0;
    qint64 steps = 0;
    for (auto _ : state) {
        next = minuteStart;
        steps = 0;
        while (next <= minuteNow) {
            next = EventRecord::addAlarmUnits(next, 0, 1);
            ++steps;
        }
        benchmark::DoNotOptimize(next);
    }
    state.counters["steps"] = double(steps);
    state.counters["drift_ms"] = (next - (minuteStart + double(steps) / 1440)) * 86400000.0;
    state.counters["same_as_catch_up"] = next == EventRecord::nextAlarmOccurrence(minuteStart, 0, 1, minuteNow);
}
BENCHMARK(BM_StepwiseMinutesFrom2000)->Unit(benchmark::kMillisecond);

// Calendar units from far back: monthly from 31 January 1900, hourly from 1950.
void BM_CatchUpMonthlyFrom1900(benchmark::State& state) {
    const double start = at(1900, 1, 31, 9);
    for (auto _ : state)
        benchmark::DoNotOptimize(EventRecord::nextAlarmOccurrence(start, 4, 1, minuteNow));
}
BENCHMARK(BM_CatchUpMonthlyFrom1900)->Unit(benchmark::kMicrosecond);

void BM_StepwiseMonthlyFrom1900(benchmark::State& state) {
    const double start = at(1900, 1, 31, 9);
    for (auto _ : state) {
        double next = start;
        while (next <= minuteNow)
            next = EventRecord::addAlarmUnits(next, 4, 1);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_StepwiseMonthlyFrom1900)->Unit(benchmark::kMicrosecond);

void BM_CatchUpHourlyFrom1950(benchmark::State& state) {
    const double start = at(1950, 6, 1, 7, 30);
    for (auto _ : state)
        benchmark::DoNotOptimize(EventRecord::nextAlarmOccurrence(start, 1, 1, minuteNow));
}
BENCHMARK(BM_CatchUpHourlyFrom1950)->Unit(benchmark::kMicrosecond);

void BM_StepwiseHourlyFrom1950(benchmark::State& state) {
    const double start = at(1950, 6, 1, 7, 30);
    for (auto _ : state) {
        double next = start;
        while (next <= minuteNow)
            next = EventRecord::addAlarmUnits(next, 1, 1);
        benchmark::DoNotOptimize(next);
    }
}
BENCHMARK(BM_StepwiseHourlyFrom1950)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the scheduler's timer wants an application object
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
