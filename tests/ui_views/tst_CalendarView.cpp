// The calendar view through its real widgets: the month's marks and hints, the day list with its edit and
// delete, the way back that keeps the month, the commit of an edit made here, and the tray's tooltip.

#include "ViewsFixture.h"

#include "app/TrayController.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/views/CalendarViewPage.h"
#include "ui/views/DayListPage.h"
#include "widgets/FancyButton.h"
#include "widgets/LinkLabel.h"
#include "widgets/MonthCalendar.h"

#include <QMenu>

using namespace Records;

namespace {

// Wednesday 4 March 2026.
const QDateTime clockAt(QDate(2026, 3, 4), QTime(10, 0));
const QDate day10(2026, 3, 10);

void writeMarch(TXMLIniFile& events) {
    write(events, "0", {{"altype", "alarm"}, {"date", at(day10, QTime(18, 0))}, {"linecount", "1"}, {"0", "Dinner"}});
    write(events, "1",
          {{"altype", "alarm"},
           {"date", at(day10, QTime(9, 0))},
           {"linecount", "2"},
           {"0", "Gym"},
           {"1", "towel"},
           {"repeat", "1"},
           {"sound", "0"}});
    write(events, "2", {{"altype", "birth"}, {"date", at(QDate(2026, 3, 17))}, {"name", "Anna"}, {"before", "3"}});
    write(events, "3", {{"altype", "shut"}, {"date", at(QDate(2026, 3, 20), QTime(21, 59, 30))}, {"shuttype", "4"}});
    write(events, "4", {{"altype", "birth"}, {"date", at(QDate(2026, 3, 25))}, {"before", "0"}});
    write(events, "5", {{"altype", "shut"}, {"date", at(QDate(2026, 3, 25), QTime(7, 0))}, {"shuttype", "3"}});
}

void clickDay(MonthCalendar* calendar, QDate date) {
    const QPoint centre = calendar->dayRect(date).center();
    QWidget* target = calendar->childAt(centre);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(calendar, centre));
}

// The second click of a person's double click: Qt delivers its press as a double-click event, then the release.
void secondClickOfDoubleClick(MonthCalendar* calendar, QDate date) {
    const QPoint centre = calendar->dayRect(date).center();
    QWidget* target = calendar->childAt(centre);
    QVERIFY(target);
    QTest::mouseDClick(target, Qt::LeftButton, {}, target->mapFrom(calendar, centre));
    QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(calendar, centre));
}

} // namespace

class tst_CalendarView : public QObject {
    Q_OBJECT

private slots:
    void marksHintsAndDayList();
    void doubleSelectionOpensTheDay_data();
    void doubleSelectionOpensTheDay();
    void deleteOnTheDayListAndBack();
    void editFromTheDayListChoosesTheEditor_data();
    void editFromTheDayListChoosesTheEditor();
    void commitOfAnEditReturnsToTheRecordsMonth();
    void classicSetting();
    void trayTooltipFollowsStoreAndDate();
};

void tst_CalendarView::marksHintsAndDayList() {
    ViewsFixture fx(clockAt);
    writeMarch(fx.events());
    fx.show(EditTab);
    auto* calendar = fx.find<MonthCalendar>("PlannerCalendar1");
    auto* show = fx.find<FancyButton>("DsFancyButton54");
    QCOMPARE(calendar->date(), clockAt.date());
    QVERIFY(calendar->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == calendar);
    QCOMPARE(calendar->markCount(), 4);
    QCOMPARE(calendar->mark(0).colour, QColor(255, 255, 0));
    QCOMPARE(calendar->hint(day10), u"18:00:00 - \"Dinner\"\n09:00:00 - \"Gym...\""_s);
    QCOMPARE(calendar->hint(QDate(2026, 3, 17)), u"Anna's Birthday in 3 days"_s);
    QCOMPARE(calendar->hint(QDate(2026, 3, 25)), u"'s Birthday\n07:00:00 - Hibernate"_s);
    QVERIFY(!show->isEnabled()); // today holds nothing

    clickDay(calendar, day10);
    QVERIFY(show->isEnabled());
    QTest::mouseClick(show, Qt::LeftButton);
    QCOMPARE(fx.current(), int(EditViewTab));
    QTreeWidget* list = fx.list("ListView6");
    QCOMPARE(fx.find<QLabel>("myaSuperLabel78")->text(), u"10/03/2026"_s);
    QCOMPARE(ViewsFixture::rows(list),
             (QByteArrayList{"\"Dinner\"|18:00:00|No|Yes#4", "\"Gym...\"|09:00:00|Yes|No#4"}));
    QVERIFY(!fx.find<FancyButton>("DsFancyButton56")->isEnabled());
    QVERIFY(!fx.find<FancyButton>("DsFancyButton57")->isEnabled());

    // "<<Back" keeps the month and the day; Enter on the calendar opens the day again.
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton55"), Qt::LeftButton);
    QCOMPARE(fx.current(), int(EditTab));
    QCOMPARE(calendar->date(), day10);
    clickDay(calendar, QDate(2026, 3, 25));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(fx.current(), int(EditViewTab));
    QCOMPARE(ViewsFixture::rows(list),
             (QByteArrayList{"Unnamed's Birthday|-----|-----|Yes#6", "Hibernate|07:00:00|No|-----#9"}));
    QTest::keyClick(list, Qt::Key_Escape);
    QTRY_COMPARE(fx.current(), int(EditTab));

    // Away to the main menu and back: today's month again.
    fx.show(MainTab);
    fx.show(EditTab);
    QCOMPARE(calendar->date(), clockAt.date());
}

void tst_CalendarView::doubleSelectionOpensTheDay_data() {
    QTest::addColumn<bool>("doubleClick"); // the second click as a double-click event, else a click of its own
    QTest::addColumn<bool>("selectedBefore");
    QTest::addColumn<int>("gapMs");
    QTest::addColumn<int>("page");
    QTest::newRow("within 200 ms: the day list") << false << false << 120 << int(EditViewTab);
    QTest::newRow("two clicks 50 ms apart") << false << false << 50 << int(EditViewTab);
    QTest::newRow("slower: stays") << false << false << 250 << int(EditTab);
    QTest::newRow("double click, unselected day") << true << false << 60 << int(EditViewTab);
    QTest::newRow("double click, selected day") << true << true << 20 << int(EditViewTab);
    QTest::newRow("slow double click: stays") << true << true << 300 << int(EditTab);
}

void tst_CalendarView::doubleSelectionOpensTheDay() {
    QFETCH(bool, doubleClick);
    QFETCH(bool, selectedBefore);
    QFETCH(int, gapMs);
    QFETCH(int, page);
    ViewsFixture fx(clockAt);
    writeMarch(fx.events());
    fx.show(EditTab);
    auto* calendar = fx.find<MonthCalendar>("PlannerCalendar1");
    if (selectedBefore) {
        clickDay(calendar, day10);
        fx.clock().advance(5000);
    }
    clickDay(calendar, day10);
    QCOMPARE(fx.current(), int(EditTab));
    fx.clock().advance(gapMs);
    if (doubleClick)
        secondClickOfDoubleClick(calendar, day10);
    else
        clickDay(calendar, day10);
    QCOMPARE(fx.current(), page);
    if (page == EditViewTab)
        QCOMPARE(fx.find<QLabel>("myaSuperLabel78")->text(), u"10/03/2026"_s);
}

void tst_CalendarView::deleteOnTheDayListAndBack() {
    ViewsFixture fx(clockAt);
    writeMarch(fx.events());
    fx.show(EditTab);
    auto* calendar = fx.find<MonthCalendar>("PlannerCalendar1");
    const QDate day20(2026, 3, 20);
    clickDay(calendar, day20);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton54"), Qt::LeftButton);
    QTreeWidget* list = fx.list("ListView6");
    QCOMPARE(ViewsFixture::rows(list), (QByteArrayList{"Stand By|21:59:30|No|-----#8"}));
    ViewsFixture::selectRow(list, 0);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton57"), Qt::LeftButton);
    QVERIFY(!fx.events().HasSection("3"));
    QCOMPARE(fx.past().ReadSections().size(), 0);
    QCOMPARE(list->topLevelItemCount(), 0);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton55"), Qt::LeftButton);
    QCOMPARE(calendar->indexOfMark(day20), -1);
    QCOMPARE(calendar->markCount(), 3);
}

void tst_CalendarView::editFromTheDayListChoosesTheEditor_data() {
    QTest::addColumn<QDate>("day");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("editor");
    QTest::addColumn<int>("section");
    QTest::newRow("alarm") << day10 << 1 << int(AlarmTab) << 1;
    QTest::newRow("birthday") << QDate(2026, 3, 25) << 0 << int(BirthTab) << 4;
    QTest::newRow("hibernate") << QDate(2026, 3, 25) << 1 << int(ShutTab) << 5;
}

void tst_CalendarView::editFromTheDayListChoosesTheEditor() {
    QFETCH(QDate, day);
    QFETCH(int, row);
    QFETCH(int, editor);
    QFETCH(int, section);
    ViewsFixture fx(clockAt);
    writeMarch(fx.events());
    fx.show(EditTab);
    clickDay(fx.find<MonthCalendar>("PlannerCalendar1"), day);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton54"), Qt::LeftButton);
    ViewsFixture::selectRow(fx.list("ListView6"), row);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton56"), Qt::LeftButton);
    QCOMPARE(fx.current(), editor);
    QVERIFY(fx.form().edit().editFromCalendar);
    QVERIFY(!fx.form().edit().editFromList);
    QCOMPARE(fx.form().edit().editSection, section);
}

void tst_CalendarView::commitOfAnEditReturnsToTheRecordsMonth() {
    ViewsFixture fx(clockAt);
    const QDate april15(2026, 4, 15);
    write(fx.events(), "0",
          {{"bypass", "0"},
           {"altype", "alarm"},
           {"date", at(april15, QTime(9, 0))},
           {"repeat", "0"},
           {"sound", "1"},
           {"category", "General"},
           {"linecount", "1"},
           {"0", "Dentist"}});
    fx.show(EditTab);
    auto* calendar = fx.find<MonthCalendar>("PlannerCalendar1");
    calendar->showNextMonth();
    QCOMPARE(calendar->markCount(), 1);
    clickDay(calendar, april15);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton54"), Qt::LeftButton);
    ViewsFixture::selectRow(fx.list("ListView6"), 0);
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton56"), Qt::LeftButton);
    QCOMPARE(fx.current(), int(AlarmTab));
    auto* editor = fx.find<AlarmEditorPage>("AlarmTab");
    QTest::mouseClick(editor->DsFancyButton2, Qt::LeftButton);
    QCOMPARE(fx.current(), int(ConfirmTab));
    // Meanwhile the calendar went back to today's month.
    fx.find<CalendarViewPage>("EditTab")->PlannerCalendar1->setDate(clockAt.date());
    QTest::mouseClick(fx.find<ConfirmationPage>("ConfirmTab")->DsFancyButton28, Qt::LeftButton);
    QCOMPARE(fx.current(), int(EditTab));
    QCOMPARE(calendar->date(), april15);
    QCOMPARE(calendar->hint(april15), u"09:00:00 - \"Dentist\""_s);
    QVERIFY(!fx.form().edit().editFromCalendar);
    QCOMPARE(fx.events().ReadSections(), QByteArrayList{"0"});
}

void tst_CalendarView::classicSetting() {
    ViewsFixture fx(clockAt);
    TXMLIniFile& settings = fx.form().settingsStore();
    fx.show(ViewTabBirthDay);
    QTest::mouseClick(fx.find<LinkLabel>("myLabel3d29"), Qt::LeftButton);
    QCOMPARE(fx.current(), int(EditTab));
    QCOMPARE(settings.ReadString("settings", "classic", {}), QByteArray("0"));
    QTest::mouseClick(fx.find<LinkLabel>("myLabel3d31"), Qt::LeftButton);
    QCOMPARE(fx.current(), int(ViewTabBirthDay));
    QCOMPARE(settings.ReadString("settings", "classic", {}), QByteArray("1"));
}

void tst_CalendarView::trayTooltipFollowsStoreAndDate() {
    // Two seconds before midnight.
    ViewsFixture fx(QDateTime(clockAt.date(), QTime(23, 59, 58)));
    TrayController* tray = fx.form().tray;
    QTRY_COMPARE(tray->TrayIcon()->toolTip(), u"No Events for Today"_s);
    write(fx.events(), "0",
          {{"altype", "alarm"}, {"date", at(clockAt.date(), QTime(14, 30))}, {"linecount", "1"}, {"0", "Call"}});
    emit tray->PopupMenu2->aboutToShow();
    QCOMPARE(tray->TrayIcon()->toolTip(), u"Events for Today:\n14:30:00 - \"Call\""_s);
    // A change of the store, then midnight, reach the tooltip with the watchdog's next tick.
    write(fx.events(), "1", {{"altype", "birth"}, {"date", at(clockAt.date())}, {"name", "Anna"}, {"before", "0"}});
    QTRY_COMPARE(tray->TrayIcon()->toolTip(), u"Events for Today:\n14:30:00 - \"Call\"\nAnna's Birthday"_s);
    fx.clock().advance(3000);
    QTRY_COMPARE(tray->TrayIcon()->toolTip(), u"No Events for Today"_s);
}

QTEST_MAIN(tst_CalendarView)
#include "tst_CalendarView.moc"
