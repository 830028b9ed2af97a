// The event views over a large event store: the alarm list filled and sorted by each column, the calendar's
// refresh of one month, and the tray hint, each against the bare cost of reading the same keys from the store in
// the same run. Run offscreen: QT_QPA_PLATFORM=offscreen nice -n 19 ./views_bench

#include "app/AppContext.h"
#include "app/PageControl.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/EventTable.h"
#include "scheduler/Scheduler.h"
#include "scheduler/SchedulerClock.h"
#include "store/XMLIniFile.h"
#include "ui/views/AlarmListPage.h"
#include "ui/views/CalendarMonth.h"
#include "ui/views/CalendarViewPage.h"
#include "ui/views/TrayHint.h"
#include "widgets/MonthCalendar.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int recordCount = 10'000;
const QDateTime start(QDate(2026, 3, 4), QTime(10, 0));

class FixedClock final : public SchedulerClock {
public:
    double now() const override { return DayCount::fromDateTime(start); }
    qint64 monotonicMs() const override { return 0; }
};

// The main window over an event store of 10 000 alarms spread over the coming year (about 830 a month, 27 today),
// with descriptions, repetitions, sound and bypass varied so that every column has many different values.
struct World {
    QTemporaryDir dir;
    FixedClock clock;
    std::unique_ptr<TForm1> form;

    World() {
        form = std::make_unique<TForm1>(AppContext{dir.path(), &clock, true});
        form->schedulerHost().scheduler().setEnabled(false);
        using namespace EventRecord;
        TXMLIniFile& events = form->eventStore();
        TXMLIniFile::Batch batch(events);
        const double now = clock.now();
        for (int i = 0; i < recordCount; ++i) {
            const QByteArray s = QByteArray::number(i);
            events.WriteFlag(s, Key::Bypass, i % 3 == 0);
            events.WriteString(s, Key::AlType, KindAlarm);
            events.WriteDouble(s, Key::Date, now + 0.001 + double((i * 7919) % recordCount) * 0.0365);
            events.WriteFlag(s, Key::Repeat, i % 2 == 0);
            if (i % 2 == 0) {
                events.WriteInt(s, Key::RepVal, 1 + i % 12);
                events.WriteInt(s, Key::RepType, i % 6);
            }
            events.WriteFlag(s, Key::Sound, i % 5 != 0);
            events.WriteString(s, Key::Category, "General");
            writeTextBlock(events, s,
                           {QStringLiteral("Reminder %1 about item %2").arg((i * 31) % 997).arg(i),
                            QStringLiteral("second line")});
        }
        batch.commit();
    }
};

World& world() {
    static World w;
    return w;
}

// A change of the event store that reaches no disk: a write undone at once. The views' tables see the store's
// change count move and read the store again.
void touchStore(benchmark::State& state) {
    state.PauseTiming();
    TXMLIniFile& events = world().form->eventStore();
    TXMLIniFile::Batch batch(events);
    events.WriteString("0", "touched", "1");
    batch.rollBack();
    state.ResumeTiming();
}

// The second argument: 0 for a store unchanged since the view was last shown, 1 for a store changed just before.
bool changedEachTime(const benchmark::State& state, int argument) {
    return state.range(argument) != 0;
}

// The reference: every key the alarm list reads for a row, read from the store, nothing shown.
void BM_ReadAlarmListKeys(benchmark::State& state) {
    using namespace EventRecord;
    const TXMLIniFile& events = world().form->eventStore();
    for (auto _ : state) {
        qint64 sum = 0;
        for (const QByteArray& s : events.ReadSections()) {
            sum += events.ReadString(s, Key::AlType, {}).size();
            sum += events.ReadString(s, Key::Category, "General").size();
            sum += qint64(events.ReadDouble(s, Key::Date, 0));
            sum += events.ReadFlag(s, Key::Repeat, false) + events.ReadInt(s, Key::RepVal, 1) +
                   events.ReadInt(s, Key::RepType, 0) + events.ReadFlag(s, Key::Sound, true) +
                   events.ReadFlag(s, Key::Bypass, true);
            sum += readTextBlock(events, s).size();
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadAlarmListKeys)->Unit(benchmark::kMillisecond);

// "General Alarms" shown: emptied, filled from the store and sorted by the column (1 Description ... 5 Bypass).
void BM_AlarmListFillAndSort(benchmark::State& state) {
    TForm1& form = *world().form;
    auto* page = form.PageControl1->page<AlarmListPage>(ViewTabAl);
    page->setSortState(int(state.range(0)));
    const bool changed = changedEachTime(state, 1);
    for (auto _ : state) {
        if (changed)
            touchStore(state);
        page->ViewTabAlShow();
    }
    if (page->ListView1->topLevelItemCount() != recordCount)
        state.SkipWithError("not every alarm was listed");
}
BENCHMARK(BM_AlarmListFillAndSort)->ArgsProduct({{1, 2, 3, 4, 5}, {0, 1}})->Unit(benchmark::kMillisecond);

// The reference for the calendar and the tray hint: "date" and "altype" of every record.
void BM_ReadDatesAndKinds(benchmark::State& state) {
    using namespace EventRecord;
    const TXMLIniFile& events = world().form->eventStore();
    for (auto _ : state) {
        double sum = 0;
        for (const QByteArray& s : events.ReadSections())
            sum += events.ReadDouble(s, Key::Date, 0) + double(events.ReadString(s, Key::AlType, {}).size());
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadDatesAndKinds)->Unit(benchmark::kMillisecond);

// A month turned on the calendar view: the marks and hints of the month, put on the month calendar.
void BM_CalendarRefreshMonth(benchmark::State& state) {
    TForm1& form = *world().form;
    auto* page = form.PageControl1->page<CalendarViewPage>(EditTab);
    const QDate month = start.date().addMonths(1);
    const bool changed = changedEachTime(state, 0);
    for (auto _ : state) {
        if (changed)
            touchStore(state);
        page->PlannerCalendar1MonthChange(month, month);
    }
    state.counters["marks"] = page->PlannerCalendar1->markCount();
}
BENCHMARK(BM_CalendarRefreshMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Today's hint made again, as the tray does when the date or the store has changed (unchanged, it keeps its text).
void BM_TrayHint(benchmark::State& state) {
    const TXMLIniFile& events = world().form->eventStore();
    EventTable table;
    qsizetype length = 0;
    const bool changed = changedEachTime(state, 0);
    for (auto _ : state) {
        if (changed)
            touchStore(state);
        const QString hint = TrayHint::text(table, events, start.date());
        length = hint.size();
        benchmark::DoNotOptimize(length);
    }
    state.counters["characters"] = double(length);
}
BENCHMARK(BM_TrayHint)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    world();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
