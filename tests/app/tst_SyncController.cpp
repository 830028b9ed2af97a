#include "fakes/FakeSync.h"
#include "scheduler/TestClock.h"

#include "app/SyncController.h"
#include "context/DataStores.h"
#include "context/SettingsKeys.h"
#include "store/XMLIniFile.h"

#include <QDir>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A controller on stores in a temporary folder, a clock the test moves and a runner the test ends. The schedule's
// own timer is left to sleep: the test ticks.
struct Harness {
    explicit Harness(bool account = true, bool withRunner = true) {
        stores.openSettingsStore();
        QDir(dir.path()).mkdir(QStringLiteral("data"));
        stores.openDataStores(dir.filePath(QStringLiteral("data")));
        if (account) {
            stores.settingsStore().WriteString(SettingsKey::Section, SettingsKey::SyncUrl, "https://dav.example/ann/");
            stores.settingsStore().WriteString(SettingsKey::Section, SettingsKey::SyncUser, "ann");
            credentials.secrets.insert(QLatin1String(CredentialStore::SyncPasswordKey), QStringLiteral("s3cret"));
        }
        SyncController::RunnerFactory factory;
        if (withRunner)
            factory = [this] {
                auto made = std::make_unique<FakeSyncRunner>();
                made->startCount = &startedTotal;
                runners << made.get();
                return std::unique_ptr<SyncRunner>(std::move(made));
            };
        SyncController::Timing timing;
        timing.tickMs = 3'600'000;
        controller = std::make_unique<SyncController>(stores, clock, &credentials, factory, timing);
        controller->setTell([this](const QString& text) { told << text; });
        controller->setStoresWritten([this] { ++written; });
    }

    FakeSyncRunner* runner() const { return runners.last(); }
    // Syncs started on all runners; a start waits for the secret store's answer.
    int started() const { return startedTotal; }
    void advance(qint64 ms) {
        clock.advance(ms);
        controller->tick();
    }
    void finish(const QStringList& conflicts = {}, bool storesChanged = false) {
        SyncOutcome outcome;
        outcome.ok = true;
        outcome.status = QStringLiteral("Sent 1, received 2.");
        outcome.conflicts = conflicts;
        outcome.storesChanged = storesChanged;
        runner()->finish(outcome);
    }

    QTemporaryDir dir;
    TestClock clock;
    DataStores stores{dir.path()};
    FakeCredentialStore credentials;
    // A runner left behind is deleted by the controller: only the last one is followed.
    QList<QPointer<FakeSyncRunner>> runners;
    int startedTotal = 0;
    std::unique_ptr<SyncController> controller;
    QStringList told;
    int written = 0;
};

} // namespace

// When the sync runs: at start, after changes (once for many), every quarter of an hour, never two at once, and
// what ends one that hangs; what a sync is given and what follows it.
class TestSyncController : public QObject {
    Q_OBJECT
private slots:
    void schedule_data();
    void schedule();
    void timeOutEndsAHungSync_data();
    void timeOutEndsAHungSync();
    void conflictsAreToldOnce();
    void accountAndWhatFollows();
    void secretStoreRefuses();
};

// Steps, one word each: "start"; "+N" N seconds pass and the schedule looks; "alarm" / "note" a change to the
// events / the diary; "now" the user's "Sync Now"; "end" the sync in progress ends. After each step the number of
// syncs started so far.
void TestSyncController::schedule_data() {
    QTest::addColumn<bool>("account");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("started");
    QTest::newRow("at start") << true << "start +1 end +1"
                              << "1 1 1 1";
    QTest::newRow("every quarter of an hour") << true << "start end +899 +1 end +899 +1"
                                              << "1 1 1 2 2 2 3";
    QTest::newRow("many changes, one sync") << true << "start end alarm +2 alarm +2 note +2 alarm +4 +1 end +5"
                                            << "1 1 1 1 1 1 1 1 1 1 2 2 2";
    QTest::newRow("a change while one runs waits for its end") << true << "start alarm +10 now alarm end +1 end +5"
                                                               << "1 1 1 1 1 1 2 2 2";
    QTest::newRow("no account") << false << "start alarm +10 now +900"
                                << "0 0 0 0 0";
}

void TestSyncController::schedule() {
    QFETCH(bool, account);
    QFETCH(QString, steps);
    QFETCH(QString, started);
    Harness h(account);
    const QStringList expected = started.split(u' ');
    const QStringList words = steps.split(u' ');
    QCOMPARE(words.size(), expected.size());
    int alarms = 0;
    for (int i = 0; i < words.size(); ++i) {
        const QString& step = words[i];
        if (step == u"start") {
            h.controller->start();
        } else if (step.startsWith(u'+')) {
            h.advance(step.mid(1).toLongLong() * 1000);
        } else if (step == u"alarm") {
            h.stores.eventStore().WriteString(QByteArray::number(alarms++), "text", "Dentist");
            h.controller->tick();
        } else if (step == u"note") {
            h.stores.diaryStore().WriteString("46000", "0", "Piano");
            h.controller->tick();
        } else if (step == u"now") {
            h.controller->syncNow();
        } else if (step == u"end") {
            QVERIFY2(h.runner()->isRunning(), qPrintable(QStringLiteral("step %1: none runs").arg(i)));
            h.finish();
        }
        // A start is made once the secret store has answered, on the event loop.
        QCoreApplication::processEvents();
        QVERIFY2(h.started() == expected[i].toInt(),
                 qPrintable(QStringLiteral("after step %1 (%2): %3 started").arg(i).arg(step).arg(h.started())));
    }
    for (const QPointer<FakeSyncRunner>& runner : std::as_const(h.runners))
        QVERIFY(!runner || runner->ignoredStarts == 0);
}

void TestSyncController::timeOutEndsAHungSync_data() {
    QTest::addColumn<bool>("hangsAfterCancel");
    QTest::newRow("ends when cancelled") << false;
    QTest::newRow("does not end even then") << true;
}

void TestSyncController::timeOutEndsAHungSync() {
    QFETCH(bool, hangsAfterCancel);
    Harness h;
    h.controller->start();
    QTRY_COMPARE(h.started(), 1);
    FakeSyncRunner* first = h.runner();
    first->hangs = hangsAfterCancel;
    h.advance(299'000);
    QCOMPARE(first->cancels, 0);
    QCOMPARE(h.controller->state(), SyncControl::State::Running);
    h.advance(1'000);
    QCOMPARE(first->cancels, 1);
    if (hangsAfterCancel) {
        h.advance(29'000);
        QCOMPARE(h.controller->state(), SyncControl::State::Running);
        h.advance(1'000);
        QCOMPARE(h.runners.size(), 2); // a new runner in place of the one left behind
        QVERIFY2(h.controller->lastReport().status.contains(u"left behind"_s),
                 qPrintable(h.controller->lastReport().status));
    } else {
        QVERIFY2(h.controller->lastReport().status.startsWith(u"The sync did not end within 5 minute(s)"_s),
                 qPrintable(h.controller->lastReport().status));
    }
    QVERIFY(!h.controller->lastReport().ok);
    QCOMPARE(h.controller->state(), SyncControl::State::Idle);
    h.controller->syncNow();
    QTRY_COMPARE(h.started(), 2);
    QVERIFY(h.runner()->isRunning());
}

void TestSyncController::conflictsAreToldOnce() {
    Harness h;
    h.controller->start();
    QTRY_COMPARE(h.started(), 1);
    h.finish({u"Alarm \"Dentist\""_s, u"Diary note of 07/03/2024"_s});
    QTRY_COMPARE(h.told.size(), 1);
    QVERIFY(h.told[0].contains(u"Dentist"_s) && h.told[0].contains(u"07/03/2024"_s));
    // The same two again: nothing new to tell.
    h.controller->syncNow();
    QTRY_COMPARE(h.started(), 2);
    h.finish({u"Alarm \"Dentist\""_s, u"Diary note of 07/03/2024"_s});
    h.controller->syncNow();
    QTRY_COMPARE(h.started(), 3);
    h.finish({u"Alarm \"Dentist\""_s, u"Birthday of Ann"_s});
    QTRY_COMPARE(h.told.size(), 2);
    QVERIFY(h.told[1].contains(u"Birthday of Ann"_s) && !h.told[1].contains(u"Dentist"_s));
    QTest::qWait(0);
    QCOMPARE(h.told.size(), 2);
}

void TestSyncController::accountAndWhatFollows() {
    Harness h;
    QSignalSpy changed(h.controller.get(), &SyncControl::changed);
    h.controller->start();
    QTRY_COMPARE(h.started(), 1);
    const SyncAccount account = h.runner()->accounts.first();
    QCOMPARE(account.url, QUrl(u"https://dav.example/ann/"_s));
    QCOMPARE(account.user, u"ann"_s);
    QCOMPARE(account.password, u"s3cret"_s);
    QCOMPARE(h.controller->state(), SyncControl::State::Running);
    h.finish({}, false);
    QCOMPARE(h.written, 0);
    QCOMPARE(h.controller->lastReport().status, u"Sent 1, received 2."_s);
    QVERIFY(h.controller->lastReport().ok);
    QCOMPARE(h.controller->state(), SyncControl::State::Idle);
    h.controller->syncNow();
    QTRY_COMPARE(h.started(), 2);
    h.finish({}, true);
    QCOMPARE(h.written, 1);
    QVERIFY(changed.count() >= 4); // each start and each end
}

void TestSyncController::secretStoreRefuses() {
    Harness h;
    h.credentials.error = u"The secret store is locked."_s;
    h.controller->start();
    QTRY_VERIFY(h.controller->lastReport().finishedAt.isValid());
    QCOMPARE(h.started(), 0);
    QVERIFY2(h.controller->lastReport().status.contains(u"The secret store is locked."_s),
             qPrintable(h.controller->lastReport().status));
    QCOMPARE(h.controller->state(), SyncControl::State::Idle);
}

QTEST_GUILESS_MAIN(TestSyncController)
#include "tst_SyncController.moc"
