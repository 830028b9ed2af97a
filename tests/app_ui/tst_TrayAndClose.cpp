#include "MainWindowFixture.h"

#include "app/MainMenuPage.h"
#include "app/SchedulerHost.h"
#include "app/TrayController.h"
#include "context/PageIndex.h"
#include "scheduler/Scheduler.h"
#include "scheduler/Snooze.h"
#include "scheduler/TestClock.h"
#include "support/EventProbe.h"
#include "ui/notify/TForm2.h"
#include "widgets/FirstPaint.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

namespace {

void setAllModeFlags(TForm1& form) {
    form.edit().editFromList = form.edit().editFromCalendar = form.edit().editPastAlarm = form.edit().returnToEditor =
        true;
}

QList<bool> modeFlags(const TForm1& form) {
    return {form.edit().editFromList, form.edit().editFromCalendar, form.edit().editPastAlarm,
            form.edit().returnToEditor};
}

const QList<bool> allClear{false, false, false, false};

const QList<bool> allSet{true, true, true, true};

} // namespace

class TestTrayAndClose : public QObject {
    Q_OBJECT

private slots:
    void menuItemsInOrder();
    void snoozesInTheHintAndCancelled();
    void menuItemOpensItsPage_data();
    void menuItemOpensItsPage();
    void disableTray();
    void startupFollowsTheTraySetting_data();
    void startupFollowsTheTraySetting();
    void doubleClickKeepsTheMode();
    void singleClickKeepsTheEditorPage();
    void closingHidesAndForgetsTheMode();
    void endingAsksNoWindow_data();
    void endingAsksNoWindow();
    void closeWithAndWithoutTray_data();
    void closeWithAndWithoutTray();
    void startWithAndWithoutTray_data();
    void startWithAndWithoutTray();
    void offscreenHasNoTrayAndMinimises();
    void trayIconIsMadeAfterTheFirstFrame_data();
    void trayIconIsMadeAfterTheFirstFrame();
};

void TestTrayAndClose::menuItemsInOrder() {
    MainWindowFixture f({}, false);
    QStringList items;
    for (const QAction* action : f.form->tray->PopupMenu2->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(items, (QStringList{QStringLiteral("Main Menu"), QStringLiteral("-"), QStringLiteral("New Alarm"),
                                 QStringLiteral("Scheduled Shut Down"), QStringLiteral("Add Birthday"),
                                 QStringLiteral("View/Edit Alarms"), QStringLiteral("-"),
                                 QStringLiteral("Timer - Countdown"), QStringLiteral("Address Book"),
                                 QStringLiteral("Diary"), QStringLiteral("-"), QStringLiteral("Settings"),
                                 QStringLiteral("Disable Tray"), QStringLiteral("-"), QStringLiteral("Quit")}));
    QCOMPARE(f.form->tray->TrayIcon()->toolTip(), QStringLiteral("Zentick"));
    QVERIFY(f.form->tray->TrayIcon()->contextMenu() == f.form->tray->PopupMenu2);
}

// Each snoozed reminder is a line of the hint and an item of "Cancel Snooze"; cancelling one takes it out of the
// settings file, and it does not come back.
void TestTrayAndClose::snoozesInTheHintAndCancelled() {
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
    QTemporaryDir folder;
    TestClock clock(QDateTime(QDate(2024, 3, 5), QTime(10, 0)));
    TForm1 form(AppContext{folder.path(), &clock, true, [] {
                               return true;
                           }});
    form.schedulerHost().scheduler().setEnabled(false);
    TrayController& tray = *form.tray;
    const auto menuItems = [&] {
        emit tray.PopupMenu2->aboutToShow();
        QStringList items;
        for (const QAction* action : tray.PopupMenu2->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return items;
    };
    const QStringList plain = menuItems();
    QVERIFY(!tray.TrayIcon()->toolTip().contains(QStringLiteral("Snoozed")));

    AlarmNotice dentist;
    dentist.lines = {QStringLiteral("Dentist")};
    AlarmNotice gym;
    gym.lines = {QStringLiteral("Gym")};
    const qint64 dentistAt = Snooze::after(clock, 10);
    Snooze::snoozeAlarm(form.settingsStore(), dentist, dentistAt, clock);
    Snooze::snoozeAlarm(form.settingsStore(), gym, Snooze::after(clock, 30), clock);

    QStringList withSnoozes = plain;
    withSnoozes.insert(plain.indexOf(QStringLiteral("View/Edit Alarms")) + 1, QStringLiteral("Cancel Snooze"));
    QCOMPARE(menuItems(), withSnoozes);
    const QString hint = tray.TrayIcon()->toolTip();
    QVERIFY2(hint.contains(QStringLiteral("Snoozed:")), qPrintable(hint));
    QVERIFY(hint.indexOf(QStringLiteral("Dentist")) > hint.indexOf(QStringLiteral("Snoozed:")));
    QVERIFY(hint.indexOf(QStringLiteral("Gym")) > hint.indexOf(QStringLiteral("Dentist")));
    QCOMPARE(tray.CancelSnooze1->actions().size(), 2);
    QVERIFY(tray.CancelSnooze1->actions().at(0)->text().endsWith(QStringLiteral("Dentist")));

    tray.CancelSnooze1->actions().at(0)->trigger();
    TXMLIniFile reread(folder.filePath(QStringLiteral("Settings.xml")));
    const QList<Snooze::Entry> left = Snooze::entries(reread);
    QCOMPARE(left.size(), 1);
    QCOMPARE(left.first().lines, QStringList{QStringLiteral("Gym")});
    QVERIFY(!tray.TrayIcon()->toolTip().contains(QStringLiteral("Dentist")));
    QVERIFY(tray.TrayIcon()->toolTip().contains(QStringLiteral("Gym")));

    // The moment it was snoozed to passes without it.
    clock.set(QDateTime::fromMSecsSinceEpoch(dentistAt));
    form.schedulerHost().scheduler().TimerTimer();
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<TForm2*>(window) || !window->isVisible());

    tray.CancelSnooze1->actions().at(0)->trigger();
    QCOMPARE(menuItems(), plain);
    QVERIFY(!tray.TrayIcon()->toolTip().contains(QStringLiteral("Snoozed")));
}

void TestTrayAndClose::menuItemOpensItsPage_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("menuChoice");
    QTest::newRow("Main Menu") << QStringLiteral("Restore1") << int(MainTab) << 3;
    QTest::newRow("New Alarm") << QStringLiteral("NewAlarm1") << int(AlarmTab) << 1;
    QTest::newRow("Scheduled Shut Down") << QStringLiteral("ScheduledShutDown1") << int(ShutTab) << 2;
    QTest::newRow("Add Birthday") << QStringLiteral("AddBirthday1") << int(BirthTab) << 3;
    QTest::newRow("View/Edit Alarms") << QStringLiteral("ViewEditAlarms1") << int(ViewTabAl) << 4;
    QTest::newRow("Timer - Countdown") << QStringLiteral("CountDown1") << int(TimerTab) << 5;
    QTest::newRow("Address Book") << QStringLiteral("AddressBook1") << int(AddressTab) << 6;
    QTest::newRow("Diary") << QStringLiteral("Calendar1") << int(CalendarTab) << 7;
    QTest::newRow("Settings") << QStringLiteral("Settings1") << int(SetTab) << 8;
}

// From a hidden window left in the middle of something: the item brings it up on its page with a clean slate.
void TestTrayAndClose::menuItemOpensItsPage() {
    QFETCH(QString, item);
    QFETCH(int, page);
    QFETCH(int, menuChoice);
    MainWindowFixture f({}, false);
    f.form->mainMenu->selectEntry(3);
    f.form->showPage(ConfirmTab);
    setAllModeFlags(*f.form);
    QVERIFY(!f.form->isVisible());

    auto* action = f.form->tray->PopupMenu2->findChild<QAction*>(item);
    QVERIFY(action);
    action->trigger();

    QVERIFY(f.form->isVisible());
    QCOMPARE(f.page(), page);
    QCOMPARE(f.form->edit().menuChoice, menuChoice);
    QCOMPARE(modeFlags(*f.form), allClear);
    // Only the main menu keeps its keyboard; an opened entry has run "Next>>".
    QCOMPARE(f.form->mainMenu->keyboardMenuAttached(), page == int(MainTab));
}

void TestTrayAndClose::disableTray() {
    MainWindowFixture f({}, false);
    TrayController& tray = *f.form->tray;
    QVERIFY(tray.isIconShown());
    QSignalSpy switched(&tray, &TrayController::iconShownChanged);

    tray.DisableTray1->trigger();

    QCOMPARE(f.form->settingsStore().ReadString("settings", "tray", ""), QByteArray("0"));
    QVERIFY(!tray.isIconShown());
    QVERIFY(!tray.TrayIcon()->isVisible());
    QCOMPARE(switched.count(), 1);
    QCOMPARE(switched.first().first().toBool(), false);
    QVERIFY(!f.form->isVisible());
}

void TestTrayAndClose::startupFollowsTheTraySetting_data() {
    QTest::addColumn<QByteArray>("tray"); // empty: the key is missing
    QTest::addColumn<bool>("shown");
    QTest::newRow("missing key") << QByteArray() << true;
    QTest::newRow("on") << QByteArray("1") << true;
    QTest::newRow("off") << QByteArray("0") << false;
}

void TestTrayAndClose::startupFollowsTheTraySetting() {
    QFETCH(QByteArray, tray);
    QFETCH(bool, shown);
    MainWindowFixture f(tray.isEmpty() ? QList<QPair<QByteArray, QByteArray>>{}
                                       : QList<QPair<QByteArray, QByteArray>>{{"tray", tray}},
                        false);
    QCOMPARE(f.form->tray->isIconShown(), shown);
    QCOMPARE(f.form->tray->TrayIcon()->isVisible(), shown);
    QVERIFY(!f.form->isVisible());
}

void TestTrayAndClose::doubleClickKeepsTheMode() {
    MainWindowFixture f({}, false);
    f.form->showPage(ConfirmTab);
    setAllModeFlags(*f.form);

    emit f.form->tray->TrayIcon()->activated(QSystemTrayIcon::DoubleClick);

    QVERIFY(f.form->isVisible());
    QCOMPARE(f.page(), int(MainTab));
    QCOMPARE(modeFlags(*f.form), allSet);
    QVERIFY(f.form->mainMenu->keyboardMenuAttached());
}

// Left on an editor page in the middle of a new alarm, and switched to another window: the click brings the editor
// back.
void TestTrayAndClose::singleClickKeepsTheEditorPage() {
    MainWindowFixture f;
    f.form->showPage(AlarmTab);
    setAllModeFlags(*f.form);
    f.form->showMinimized();
    QTRY_VERIFY(f.form->isMinimized());

    emit f.form->tray->TrayIcon()->activated(QSystemTrayIcon::Trigger);

    QVERIFY(f.form->isVisible());
    QVERIFY(!f.form->isMinimized());
    QCOMPARE(f.page(), int(AlarmTab));
    QCOMPARE(modeFlags(*f.form), allSet);
}

void TestTrayAndClose::endingAsksNoWindow_data() {
    QTest::addColumn<bool>("fromTray"); // else a second start's "-t"
    QTest::addColumn<bool>("modal");
    QTest::newRow("Quit, on an editor page") << true << false;
    QTest::newRow("Quit, a modal message open") << true << true;
    QTest::newRow("-t, on an editor page") << false << false;
    QTest::newRow("-t, a modal message open") << false << true;
}

// The main window refuses every close, so ending must not go through closing windows; and a modal message runs
// its own loop, which must not hold the end back until it is answered.
void TestTrayAndClose::endingAsksNoWindow() {
    QFETCH(bool, fromTray);
    QFETCH(bool, modal);
    MainWindowFixture f;
    f.form->showPage(AlarmTab);
    int ended = 0;
    bool modalOpenAtTheEnd = false;
    f.form->setProgramEnd([&] {
        ++ended;
        modalOpenAtTheEnd = QApplication::activeModalWidget() != nullptr;
    });
    const auto end = [&] {
        if (fromTray)
            f.form->tray->Quit1->trigger();
        else
            f.form->handleInstanceMessage(InstanceMessage::Terminate);
    };
    if (modal) {
        QTimer::singleShot(0, f.form.get(), [&] {
            end();
            // The program end of the test only counts; the message is answered so the test goes on.
            QTimer::singleShot(50, f.form.get(), [] {
                if (QWidget* box = QApplication::activeModalWidget())
                    box->close();
            });
        });
        f.form->ShowMsg(QStringLiteral("Please enter a text"));
    } else {
        end();
    }
    QTRY_COMPARE(ended, 1);
    QCOMPARE(modalOpenAtTheEnd, modal);
    QCOMPARE(f.page(), int(AlarmTab));
}

// An editor opened from a list, then the window closed: the next "New Alarm" from the tray is a new alarm.
void TestTrayAndClose::closingHidesAndForgetsTheMode() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    f.form->showPage(AlarmTab);
    setAllModeFlags(*f.form);

    QVERIFY(!f.form->close());

    QVERIFY(!f.form->isVisible());
    QCOMPARE(f.page(), int(MainTab));
    QCOMPARE(modeFlags(*f.form), allClear);
    QVERIFY(f.form->mainMenu->keyboardMenuAttached());

    f.form->tray->NewAlarm1->trigger();
    QVERIFY(f.form->isVisible());
    QCOMPARE(f.page(), int(AlarmTab));
    QVERIFY(!f.form->edit().editFromList);
}

void TestTrayAndClose::closeWithAndWithoutTray_data() {
    QTest::addColumn<bool>("tray");
    QTest::addColumn<bool>("visible");
    QTest::newRow("tray: hidden behind the icon") << true << false;
    QTest::newRow("no tray: minimised, never lost") << false << true;
}

// Either way the window comes back from where it went on the main menu with a clean slate, through the tray menu
// or a second start.
void TestTrayAndClose::closeWithAndWithoutTray() {
    QFETCH(bool, tray);
    QFETCH(bool, visible);
    MainWindowFixture f({}, true, tray);
    QVERIFY(f.waitUntilActive());
    f.form->showPage(AlarmTab);
    setAllModeFlags(*f.form);

    QVERIFY(!f.form->close());

    QCOMPARE(f.form->isVisible(), visible);
    QCOMPARE(f.form->isMinimized(), visible);
    QCOMPARE(f.page(), int(MainTab));
    QCOMPARE(modeFlags(*f.form), allClear);

    f.form->handleInstanceMessage(InstanceMessage::Show);
    QVERIFY(f.form->isVisible());
    QVERIFY(!f.form->isMinimized());
    QCOMPARE(f.page(), int(MainTab));
}

void TestTrayAndClose::startWithAndWithoutTray_data() {
    QTest::addColumn<bool>("hidden"); // "-h"
    QTest::addColumn<bool>("tray");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("minimised");
    QTest::newRow("plain start, tray") << false << true << true << false;
    QTest::newRow("plain start, no tray") << false << false << true << false;
    QTest::newRow("-h, tray: only the icon") << true << true << false << false;
    QTest::newRow("-h, no tray: minimised") << true << false << true << true;
}

void TestTrayAndClose::startWithAndWithoutTray() {
    QFETCH(bool, hidden);
    QFETCH(bool, tray);
    QFETCH(bool, visible);
    QFETCH(bool, minimised);
    QTemporaryDir folder;
    const FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(10, 0))};
    TForm1 form(AppContext{folder.path(), &clock, hidden, [tray] {
                               return tray;
                           }});
    form.showAtStart();
    QCOMPARE(form.isVisible(), visible);
    QCOMPARE(form.isMinimized(), minimised);
    // The icon is asked for all the same, so that a notification area that turns up later shows it.
    QVERIFY(form.tray->TrayIcon()->isVisible());
}

// With nobody answering for it, the desktop decides: the offscreen platform has no notification area.
void TestTrayAndClose::offscreenHasNoTrayAndMinimises() {
    QTemporaryDir folder;
    const FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(10, 0))};
    TForm1 form(AppContext{folder.path(), &clock, true});
    QVERIFY(!form.trayAvailable());
    form.showAtStart();
    QVERIFY(form.isVisible() && form.isMinimized());
}

void TestTrayAndClose::trayIconIsMadeAfterTheFirstFrame_data() {
    QTest::addColumn<bool>("hidden"); // "-h"
    QTest::addColumn<QByteArray>("tray");
    QTest::addColumn<bool>("switchedOnEarly"); // the settings page switches the icon on before the first frame
    QTest::newRow("shown, tray on: after the first frame") << false << QByteArray("1") << false;
    QTest::newRow("shown, tray off: never, until switched on") << false << QByteArray("0") << false;
    QTest::newRow("shown, switched on before the first frame: then") << false << QByteArray("0") << true;
    QTest::newRow("-h: at once") << true << QByteArray("1") << false;
    QTest::newRow("-h, tray off: never, until switched on") << true << QByteArray("0") << false;
}

// Making the icon asks the session bus for a notification area, which a shown start leaves until its first frame
// and a start with the tray off leaves altogether; whatever needs the icon sooner finds it made, shown as the
// setting says, with its hint and menu.
void TestTrayAndClose::trayIconIsMadeAfterTheFirstFrame() {
    QFETCH(bool, hidden);
    QFETCH(QByteArray, tray);
    QFETCH(bool, switchedOnEarly);
    QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
    QTemporaryDir folder;
    TXMLIniFile(folder.filePath(QStringLiteral("Settings.xml"))).WriteString("settings", "tray", tray);
    const FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(10, 0))};
    AppContext context{folder.path(), &clock, hidden, [] {
                           return true;
                       }};
    context.storesAfterFirstFrame = true;
    TForm1 form(context);
    const auto made = [&form] {
        return form.tray->findChild<QSystemTrayIcon*>();
    };
    const bool trayOn = tray == "1" || switchedOnEarly;
    QCOMPARE(made() != nullptr, hidden && trayOn);
    if (switchedOnEarly) {
        form.tray->setIconShown(true);
        QVERIFY(made() && made()->isVisible());
    }
    bool painted = false;
    bool madeAtPaint = false;
    EventProbe probe(&form, QEvent::Paint, [&] {
        if (!painted)
            madeAtPaint = made() != nullptr;
        painted = true;
    });
    bool started = false;
    form.showAtStart();
    FirstPaint::runAfter(&form, [&form, &started] { // as the program does
        form.finishStart();
        started = true;
    });

    if (!hidden) {
        QTRY_VERIFY(painted);
        QCOMPARE(madeAtPaint, switchedOnEarly);
    }
    QTRY_VERIFY(started);
    QCOMPARE(made() != nullptr, trayOn);
    if (!trayOn) {
        QVERIFY(!form.tray->isIconShown());
        form.tray->setIconShown(false);
        QVERIFY(!made());
        form.tray->setIconShown(true);
    }
    QSystemTrayIcon* icon = made();
    QVERIFY(icon);
    QCOMPARE(form.tray->TrayIcon(), icon);
    QVERIFY(icon->isVisible());
    QVERIFY(form.tray->isIconShown());
    QCOMPARE(icon->toolTip(), QStringLiteral("Zentick"));
    QVERIFY(icon->contextMenu() == form.tray->PopupMenu2);
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    QVERIFY(form.isVisible() && !form.isMinimized());
}

QTEST_MAIN(TestTrayAndClose)
#include "tst_TrayAndClose.moc"
