#include "RunningClock.h"

#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "fakes/FakePlatform.h"
#include "scheduler/EventRecord.h"
#include "scheduler/Scheduler.h"
#include "store/XMLIniFile.h"
#include "support/TimerWitness.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"
#include "widgets/ClickableLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/FirstPaint.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {
constexpr qint64 Hour = 3600 * 1000;
namespace Key = EventRecord::Key;

// The first word of each line of the firing trace ("shown", "settled").
QStringList& firingTrace() {
    static QStringList trace;
    return trace;
}

void traceFiring(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (qstrcmp(context.category, "zentick.firing") == 0)
        firingTrace().append(message.section(QLatin1Char(' '), 0, 0));
}

template <typename Window> QList<Window*> openWindows() {
    QList<Window*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible())
            found << window;
    }
    return found;
}

// The main window as the program builds it, hidden in the tray, in a temporary folder, with fakes
// for the machine and a clock that runs from a fixed morning.
struct Program {
    enum class Platform { Now, Later };

    explicit Program(Platform platform = Platform::Now)
        : clock(QDateTime(QDate(2026, 5, 4), QTime(9, 0))) {
        form = std::make_unique<TForm1>(AppContext{folder.path(), &clock, true});
        if (platform == Platform::Now) {
            form->schedulerHost().attachPlatform({&power, &sleep, sounds.factory(), nullptr, &notifier});
            return;
        }
        // As the program starts: what needs no bus at once, the rest once the window is up.
        form->schedulerHost().attachPlatform({nullptr, nullptr, sounds.factory()});
        form->schedulerHost().attachPlatformLater([this] {
            ++connections;
            return PlatformServices{&power, &sleep, sounds.factory(), nullptr, &notifier};
        });
    }
    ~Program() { TForm6::setNextAnswer(std::nullopt); }

    // An alarm as the commit writes it, with the scheduler told to look again.
    void commitAlarm(const QByteArray& section, double date, const QString& text, bool repeating = false) {
        TXMLIniFile& events = form->eventStore();
        events.WriteString(section, Key::AlType, EventRecord::KindAlarm);
        events.WriteDouble(section, Key::Date, date);
        events.WriteFlag(section, Key::Repeat, repeating);
        events.WriteInt(section, Key::RepType, 0);
        events.WriteInt(section, Key::RepVal, 1);
        EventRecord::writeTextBlock(events, section, {text});
        form->schedulerHost().scheduler().setInterval(50);
    }
    double inMs(qint64 ms) const { return DayCount::fromDateTime(QDateTime::fromMSecsSinceEpoch(clock.wallMs() + ms)); }

    QTemporaryDir folder;
    RunningClock clock;
    FakePowerBackend power;
    FakeSleepMonitor sleep;
    FakeSoundPlayers sounds;
    FakeDesktopNotifier notifier;
    int connections = 0;
    std::unique_ptr<TForm1> form;
};
} // namespace

class TestSchedulerHost : public QObject {
    Q_OBJECT

private slots:
    void alarmFiresAtItsMomentIntoPastAlarms();
    void alarmWindowIsMadeAheadThroughTheHost_data();
    void alarmWindowIsMadeAheadThroughTheHost();
    void repeatingAlarmKeepsOneWindow();
    void answerNoFiresWhatBecameDue();
    void answerYesKeepsEverythingOff();
    void sleepAcrossHoursIsNoClockChange();
    void countdownKeepsSchedulerOffUntilItCloses();
    void firingBeforeThePlatformIsAttachedAttachesItFirst_data();
    void firingBeforeThePlatformIsAttachedAttachesItFirst();
    void platformLeftForLaterIsAttachedOnce();
    void storesAreReadAfterTheFirstFrame_data();
    void storesAreReadAfterTheFirstFrame();
    void storeAskedForBeforeTheFirstFrameIsReadThen();
};

void TestSchedulerHost::alarmFiresAtItsMomentIntoPastAlarms() {
    Program p;
    const double due = p.inMs(700);
    p.commitAlarm("0", due, QStringLiteral("Tea"));
    QVERIFY(openWindows<TForm2>().isEmpty());

    QTRY_VERIFY_WITH_TIMEOUT(!openWindows<TForm2>().isEmpty(), 5000);
    QVERIFY(p.clock.now() >= due); // not a moment early
    TForm2* window = openWindows<TForm2>().first();
    QCOMPARE(window->Label->text(), QStringLiteral("Tea\n"));
    QVERIFY(window->ProgLabel->text().startsWith(QStringLiteral("This Alarm scheduled for:\n")));
    QTRY_VERIFY(p.sounds.last());
    QCOMPARE(p.sounds.last()->plays, QStringList{SchedulerHost::defaultSoundFile()});
    QVERIFY(!p.form->isVisible()); // the main window stays in the tray

    TXMLIniFile past(p.folder.filePath(QStringLiteral("Alarms Directory/PAlarms.xml")));
    QCOMPARE(past.ReadDouble("0", Key::Date, 0), due);
    QCOMPARE(EventRecord::readTextBlock(past, "0"), QStringList{QStringLiteral("Tea")});
    TXMLIniFile events(p.folder.filePath(QStringLiteral("Alarms Directory/Alarms.xml")));
    QVERIFY(!events.HasSection("0"));
}

// The host stands between the scheduler and the windows: what the scheduler hands on ahead of a moment must reach
// the windows through it, or every alarm window is built at its moment again.
// It is shown first, before the record is settled: the firing trace says "shown", then "settled".
void TestSchedulerHost::alarmWindowIsMadeAheadThroughTheHost_data() {
    QTest::addColumn<qint64>("ahead");
    // Within the lead, the tick that sees the record makes its window at once.
    QTest::newRow("within the lead") << qint64(900);
    // Further off, the look-ahead's own timer makes it: the first alarm after the start is always this one.
    QTest::newRow("beyond the lead") << qint64(Scheduler::PrepareAheadMs + 1000);
}

void TestSchedulerHost::alarmWindowIsMadeAheadThroughTheHost() {
    QFETCH(qint64, ahead);
    QLoggingCategory::setFilterRules(QStringLiteral("zentick.firing.debug=true"));
    const QtMessageHandler previous = qInstallMessageHandler(traceFiring);
    firingTrace().clear();
    Program p;
    p.commitAlarm("0", p.inMs(ahead), QStringLiteral("Tea"));
    NotificationWindows& windows = p.form->schedulerHost().notificationWindows();
    QTRY_VERIFY_WITH_TIMEOUT(windows.preparedWindow() || !openWindows<TForm2>().isEmpty(), 5000);
    const QPointer<NoticeWindow> prepared = windows.preparedWindow();
    QVERIFY(prepared);
    QVERIFY(openWindows<TForm2>().isEmpty());

    QTRY_VERIFY_WITH_TIMEOUT(!openWindows<TForm2>().isEmpty(), 5000);
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    QCOMPARE(static_cast<NoticeWindow*>(openWindows<TForm2>().first()), prepared.data());
    QCOMPARE(firingTrace(), (QStringList{QStringLiteral("shown"), QStringLiteral("settled")}));
}

void TestSchedulerHost::repeatingAlarmKeepsOneWindow() {
    // Every minute, fired twice (the clock set forward a minute in between) with the window left open.
    Program p;
    p.commitAlarm("3", p.inMs(100), QStringLiteral("Stretch"), true);
    QTRY_COMPARE_WITH_TIMEOUT(openWindows<TForm2>().size(), 1, 5000);
    QPointer<TForm2> first = openWindows<TForm2>().first();
    p.clock.jump(61 * 1000);
    p.form->schedulerHost().scheduler().setInterval(50);
    QTRY_VERIFY_WITH_TIMEOUT(!first, 5000);
    QCOMPARE(openWindows<TForm2>().size(), 1);
    QCOMPARE(p.form->schedulerHost().registry().openAlarmNumbers, QList<int>{3});
}

void TestSchedulerHost::answerNoFiresWhatBecameDue() {
    Program p;
    p.commitAlarm("0", p.inMs(Hour), QStringLiteral("Meeting"));
    // A tick has seen it an hour away and re-armed for the longest wait: only the answer can fire it now.
    QTRY_COMPARE_WITH_TIMEOUT(p.form->schedulerHost().scheduler().interval(), Scheduler::MaxInterval, 5000);
    TForm6::setNextAnswer(false);
    p.clock.jump(2 * Hour);
    p.form->schedulerHost().watchdog().Timer1Timer();
    QCOMPARE(p.form->schedulerHost().watchdog().clockWarningArmed, false);
    QTRY_COMPARE_WITH_TIMEOUT(openWindows<TForm2>().size(), 1, 2000);
    QVERIFY(!p.form->isVisible());
}

void TestSchedulerHost::answerYesKeepsEverythingOff() {
    Program p;
    p.commitAlarm("0", p.inMs(Hour), QStringLiteral("Meeting"));
    TForm6::setNextAnswer(true);
    p.clock.jump(2 * Hour);
    p.form->schedulerHost().watchdog().Timer1Timer();
    QVERIFY(!p.form->schedulerHost().scheduler().isEnabled());
    p.form->schedulerHost().scheduler().setInterval(50); // even a commit does not wake it
    QVERIFY(!p.form->schedulerHost().scheduler().isEnabled());
    QVERIFY(letTimerIntervalsPass(50));
    QVERIFY(openWindows<TForm2>().isEmpty());
    QVERIFY(p.form->eventStore().HasSection("0"));
}

void TestSchedulerHost::sleepAcrossHoursIsNoClockChange() {
    Program p;
    const int asked = TForm6::timesAsked();
    ClockWatchdog& watchdog = p.form->schedulerHost().watchdog();
    QVERIFY(watchdog.Timer1.isActive());
    p.sleep.simulateSuspend();
    QVERIFY(!watchdog.Timer1.isActive());
    p.clock.jump(3 * Hour);
    p.sleep.simulateResume();
    QVERIFY(watchdog.Timer1.isActive());
    watchdog.Timer1Timer();
    QCOMPARE(TForm6::timesAsked(), asked);
    QVERIFY(p.form->schedulerHost().scheduler().isEnabled());
    QVERIFY(p.form->windowTitle().contains(QStringLiteral("12:00")));
}

void TestSchedulerHost::countdownKeepsSchedulerOffUntilItCloses() {
    Program p;
    TXMLIniFile& events = p.form->eventStore();
    events.WriteString("0", Key::AlType, EventRecord::KindShut);
    events.WriteDouble("0", Key::Date, p.inMs(50));
    events.WriteInt("0", Key::ShutType, 3);
    const double behindDue = p.inMs(200);
    p.commitAlarm("1", behindDue, QStringLiteral("Behind the countdown"));
    QTRY_COMPARE_WITH_TIMEOUT(openWindows<TForm3>().size(), 1, 5000);
    TForm3* countdown = openWindows<TForm3>().first();
    QCOMPARE(countdown->Shut->text(), QStringLiteral("System will Hibernate\nAutomatically in 30 sec"));
    QVERIFY(!p.form->schedulerHost().scheduler().isEnabled());
    // The alarm behind it is due, and a tick would have come: still nothing.
    QTRY_VERIFY_WITH_TIMEOUT(p.clock.now() > behindDue, 5000);
    QVERIFY(letTimerIntervalsPass(p.form->schedulerHost().scheduler().interval()));
    QVERIFY(openWindows<TForm2>().isEmpty());

    countdown->DsFancyButton2Click(); // "Cancel"
    QTRY_COMPARE_WITH_TIMEOUT(openWindows<TForm2>().size(), 1, 2000);
    QVERIFY(p.power.performed.isEmpty());
}

void TestSchedulerHost::firingBeforeThePlatformIsAttachedAttachesItFirst_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<int>("aheadMs");
    QTest::newRow("alarm, with its desktop notice") << QByteArray(EventRecord::KindAlarm) << 50;
    // Made ahead and shown before the record is settled.
    QTest::newRow("alarm made ahead, with its desktop notice") << QByteArray(EventRecord::KindAlarm) << 900;
    QTest::newRow("power action, carried out") << QByteArray(EventRecord::KindShut) << 50;
}

// The start attaches the services on the buses only after its window's first frame; an alarm due at that moment
// fires sooner, and must find them all the same: the power action carried out, not failed for want of a backend.
void TestSchedulerHost::firingBeforeThePlatformIsAttachedAttachesItFirst() {
    QFETCH(QByteArray, kind);
    QFETCH(int, aheadMs);
    Program p(Program::Platform::Later);
    if (kind == QByteArray(EventRecord::KindShut)) {
        TXMLIniFile& events = p.form->eventStore();
        events.WriteString("0", Key::AlType, EventRecord::KindShut);
        events.WriteDouble("0", Key::Date, p.inMs(50));
        events.WriteInt("0", Key::ShutType, 3);
        p.form->schedulerHost().scheduler().setInterval(50);
        QTRY_COMPARE_WITH_TIMEOUT(openWindows<TForm3>().size(), 1, 5000);
        QCOMPARE(p.connections, 1);
        QTest::mouseClick(openWindows<TForm3>().first()->DsFancyButton4, Qt::LeftButton); // "Hibernate Now"
        QTRY_COMPARE_WITH_TIMEOUT(p.power.performed, QList<int>{3}, 3000);
    } else {
        p.commitAlarm("0", p.inMs(aheadMs), QStringLiteral("Tea"));
        QTRY_COMPARE_WITH_TIMEOUT(openWindows<TForm2>().size(), 1, 5000);
        QCOMPARE(p.connections, 1);
        QCOMPARE(p.notifier.notices.size(), 1);
        QVERIFY(p.notifier.notices.first()->summary.contains(QStringLiteral("Tea")));
    }
    p.form->schedulerHost().attachPendingPlatform(); // the first frame, after the firing: nothing more to do
    QCOMPARE(p.connections, 1);
}

// Attached after the first frame, without a firing: connected once, and the sleep notices reach the watchdog.
void TestSchedulerHost::platformLeftForLaterIsAttachedOnce() {
    Program p(Program::Platform::Later);
    QCOMPARE(p.connections, 0);
    p.form->schedulerHost().attachPendingPlatform();
    p.form->schedulerHost().attachPendingPlatform();
    QCOMPARE(p.connections, 1);
    ClockWatchdog& watchdog = p.form->schedulerHost().watchdog();
    QVERIFY(watchdog.Timer1.isActive());
    p.sleep.simulateSuspend();
    QVERIFY(!watchdog.Timer1.isActive());
}

namespace {
// Notes whether the data stores were still unread when the window was first painted.
class FirstPaintProbe final : public QObject {
public:
    explicit FirstPaintProbe(TForm1& form)
        : m_form(form) {
        form.installEventFilter(this);
    }
    bool painted = false;
    bool storesPendingAtPaint = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_form && event->type() == QEvent::Paint && !painted) {
            painted = true;
            storesPendingAtPaint = m_form.stores().dataStoresPending();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TForm1& m_form;
};

// An alarm that came due while the program was not running, in the data folder a first start makes.
void writeMissedAlarm(const QString& exeFolder, double due) {
    QVERIFY(QDir(exeFolder).mkpath(QStringLiteral("Alarms Directory")));
    TXMLIniFile events(exeFolder + QStringLiteral("/Alarms Directory/Alarms.xml"));
    TXMLIniFile::Batch batch(events);
    events.WriteString("0", Key::AlType, EventRecord::KindAlarm);
    events.WriteDouble("0", Key::Date, due);
    events.WriteFlag("0", Key::Repeat, false);
    events.WriteInt("0", Key::RepType, 0);
    events.WriteInt("0", Key::RepVal, 1);
    EventRecord::writeTextBlock(events, "0", {QStringLiteral("Missed")});
    batch.commit();
}
} // namespace

void TestSchedulerHost::storesAreReadAfterTheFirstFrame_data() {
    QTest::addColumn<bool>("hidden");
    QTest::newRow("shown: after the first frame") << false;
    QTest::newRow("hidden (-h): at once") << true;
}

// A start with many records shows its main menu first and reads the stores after; the alarm missed while the
// program was not running still fires at start. A hidden start has no frame to wait for.
void TestSchedulerHost::storesAreReadAfterTheFirstFrame() {
    QFETCH(bool, hidden);
    QTemporaryDir folder;
    RunningClock clock(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    writeMissedAlarm(folder.path(), DayCount::fromDateTime(QDateTime(QDate(2026, 5, 4), QTime(8, 59))));
    AppContext context{folder.path(), &clock, hidden, [] {
                           return true;
                       }};
    context.storesAfterFirstFrame = true;
    TForm1 form(context);
    FakeSoundPlayers sounds;
    form.schedulerHost().attachPlatform({nullptr, nullptr, sounds.factory()});
    FirstPaintProbe probe(form);
    QCOMPARE(form.stores().dataStoresPending(), !hidden);
    QCOMPARE(form.schedulerHost().scheduler().isEnabled(), hidden);
    form.showAtStart();
    FirstPaint::runAfter(&form, [&form] { form.finishStart(); }); // as the program does

    QTRY_COMPARE_WITH_TIMEOUT(openWindows<TForm2>().size(), 1, 5000);
    QCOMPARE(openWindows<TForm2>().first()->Label->text(), QStringLiteral("Missed\n"));
    QVERIFY(!form.stores().dataStoresPending());
    if (!hidden) {
        QVERIFY(probe.painted);
        QVERIFY2(probe.storesPendingAtPaint, "the stores were read before the window was painted");
    }
}

// Whatever reads a store before the first frame (a script over the instance channel, a page) finds it read, and
// the later reading keeps it as it is, with what was written to it.
void TestSchedulerHost::storeAskedForBeforeTheFirstFrameIsReadThen() {
    QTemporaryDir folder;
    RunningClock clock(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
    writeMissedAlarm(folder.path(), DayCount::fromDateTime(QDateTime(QDate(2026, 5, 5), QTime(8, 0))));
    AppContext context{folder.path(), &clock, false, [] {
                           return true;
                       }};
    context.storesAfterFirstFrame = true;
    TForm1 form(context);
    QVERIFY(form.stores().dataStoresPending());
    QVERIFY(form.eventStore().HasSection("0"));
    form.eventStore().WriteString("0", Key::AlType, EventRecord::KindShut);
    form.finishStart();
    QCOMPARE(form.eventStore().ReadString("0", Key::AlType, {}), QByteArray(EventRecord::KindShut));
    QVERIFY(form.schedulerHost().scheduler().isEnabled());
}

QTEST_MAIN(TestSchedulerHost)
#include "tst_SchedulerHost.moc"
