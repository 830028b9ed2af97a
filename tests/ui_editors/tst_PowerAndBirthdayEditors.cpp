#include "EditorFixture.h"
#include "EditorTestSupport.h"
#include "support/Caption.h"

#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "store/XMLIniFile.h"
#include "ui/editors/BirthdayEditorPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/DayMonthFilterPage.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/PowerActionEditorPage.h"
#include "widgets/ChoiceGroup.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"
#include "widgets/MonthCalendar.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"
#include "widgets/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>

using EditorTest::click;
using EditorTest::keysOf;

// The power-action and birthday editors, from the main menu to the record on disk.
class TestPowerAndBirthdayEditors : public QObject {
    Q_OBJECT
private slots:
    void repeatingPowerActionWithWeekdayFilter();
    void powerActionOpensThirtySecondsLater();
    void unknownActionKeepsThePreviousOne();
    void powerActionValidation_data();
    void powerActionValidation();
    void birthdayWithDaysBefore();
    void birthdayChecks_data();
    void birthdayChecks();
    void editBirthdayInPlace();
    void nameTheUserLeftKeepsItsBytes();
    void calendarAndDateFieldFollowEachOther();
    void enterInANumberFieldStaysThere_data();
    void enterInANumberFieldStaysThere();
};

namespace {

const QDateTime wednesday(QDate(2007, 11, 14), QTime(10, 15));
const QDateTime juneFirst(QDate(2007, 6, 1), QTime(12, 0));

PowerActionEditorPage* powerPage(EditorFixture& f) {
    return f.page<PowerActionEditorPage>(ShutTab);
}

BirthdayEditorPage* birthdayPage(EditorFixture& f) {
    return f.page<BirthdayEditorPage>(BirthTab);
}

void confirm(EditorFixture& f) {
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);
}

} // namespace

void TestPowerAndBirthdayEditors::repeatingPowerActionWithWeekdayFilter() {
    EditorFixture f(wednesday);
    f.openMainMenuEntry(2);
    QCOMPARE(f.current(), int(ShutTab));
    PowerActionEditorPage* page = powerPage(f);
    QCOMPARE(Caption::shown(page->myLabel3d8->text()), u"Shut Down system at:"_s);
    QCOMPARE(page->myaSuperLabel47->colour(), Theme::filterOffColour());

    click(page->myLabel3d32);
    QCOMPARE(page->RadioGroup1->chosen(), 3);
    QVERIFY(page->myLabel3d32->isChosen() && !page->myLabel3d11->isChosen());
    QCOMPARE(Caption::shown(page->myLabel3d8->text()), u"Hibernate system at:"_s);
    QCOMPARE(Caption::shown(page->myLabel3d7->text()), u"Hibernate system after:"_s);
    page->DateTimePicker3->setDate(QDate(2007, 11, 19));
    page->DateTimePicker4->setTime(QTime(22, 0));
    click(page->myaSuperLabel15);
    page->CSpinEdit6->setValue(3);
    QTest::keyClick(page->ComboBox3, Qt::Key_Down);

    click(page->myaSuperLabel47);
    QCOMPARE(f.current(), int(MoreTab));
    QCOMPARE(f.form().edit().editorKind, 1);
    DayMonthFilterPage* filter = f.page<DayMonthFilterPage>(MoreTab);
    click(filter->myLabel3d16);
    for (int day : {0, 2, 3, 4, 6}) // all but Monday and Friday
        click(filter->dayLabel[day]);
    click(filter->DsFancyButton31);
    QCOMPARE(f.current(), int(ShutTab));
    QCOMPARE(page->myaSuperLabel47->colour(), Theme::filterOnColour());

    click(page->DsFancyButton5);
    QCOMPARE(f.page<ConfirmationPage>(ConfirmTab)->text(),
             u"The System will Hibernate at:\n\"Monday, 19 November 2007 22:00:00\"\n"
             "\nThis Action will take place every 3 Weeks\n"_s);
    const quint64 saves = f.form().eventStore().saveCount();
    confirm(f);
    QCOMPARE(f.form().eventStore().saveCount(), saves + 1);
    QCOMPARE(keysOf(f.form().eventStore(), "0"),
             (QByteArrayList{"altype=shut", "date=39405.9163194444", "repeat=1", "repval=3", "reptype=1", "alldays=0",
                             "allmonths=1", "Days=0100010", "shuttype=3"}));
    QCOMPARE(f.current(), int(MainTab));
    QCOMPARE(f.schedulerInterval(), 50);
}

void TestPowerAndBirthdayEditors::powerActionOpensThirtySecondsLater() {
    EditorFixture f(wednesday);
    TXMLIniFile& events = f.form().eventStore();
    const QDateTime stored(QDate(2007, 11, 20), QTime(21, 59, 30));
    events.WriteString("0", "altype", "shut");
    events.WriteDouble("0", "date", DayCount::fromDateTime(stored));
    events.WriteString("0", "repeat", "0");
    events.WriteString("0", "repval", "9");
    events.WriteString("0", "shuttype", "4");
    f.form().edit().editFromList = true;
    f.form().edit().editSection = 0;
    f.show(ShutTab);
    PowerActionEditorPage* page = powerPage(f);
    QCOMPARE(page->DateTimePicker3->dateTime(), QDateTime(QDate(2007, 11, 20), QTime(22, 0)));
    QCOMPARE(page->DateTimePicker4->time(), QTime(22, 0));
    QCOMPARE(page->RadioGroup1->chosen(), 4);
    QVERIFY(!page->CheckBox3->isChecked());
    QCOMPARE(page->CSpinEdit6->value(), 1);

    click(page->DsFancyButton5);
    confirm(f);
    QCOMPARE(events.ReadSections(), QByteArrayList{"0"});
    QCOMPARE(keysOf(events, "0"),
             (QByteArrayList{"altype=shut", "date=39406.9163194444", "repeat=0", "repval=9", "shuttype=4"}));
    QCOMPARE(f.current(), int(ViewTabShut));
    QVERIFY(!f.form().edit().editFromList);
}

void TestPowerAndBirthdayEditors::unknownActionKeepsThePreviousOne() {
    EditorFixture f(wednesday);
    f.show(ShutTab);
    PowerActionEditorPage* page = powerPage(f);
    click(page->myLabel3d10); // Restart
    f.form().eventStore().WriteString("5", "altype", "shut");
    f.form().eventStore().WriteString("5", "date", "39500");
    f.form().eventStore().WriteString("5", "shuttype", "7");
    f.form().edit().editFromCalendar = true;
    f.form().edit().editSection = 5;
    f.show(ShutTab);
    QCOMPARE(page->RadioGroup1->chosen(), 1);
    QCOMPARE(Caption::shown(page->myLabel3d8->text()), u"Restart system at:"_s);
    click(page->DsFancyButton5);
    QVERIFY(f.page<ConfirmationPage>(ConfirmTab)->text().startsWith(u"The System will Restart at:\n"_s));
    confirm(f);
    QCOMPARE(f.form().eventStore().ReadString("5", "shuttype", ""), QByteArray("1"));
}

void TestPowerAndBirthdayEditors::powerActionValidation_data() {
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("after nothing") << 0 << 0 << false;
    QTest::newRow("after one minute") << 0 << 1 << true;
    QTest::newRow("after 23 hours") << 23 << 0 << true;
}

void TestPowerAndBirthdayEditors::powerActionValidation() {
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(bool, accepted);
    EditorFixture f(wednesday);
    f.show(ShutTab);
    PowerActionEditorPage* page = powerPage(f);
    click(page->myLabel3d7);
    QVERIFY(page->RadioButton7->isChecked() && !page->DateTimePicker3->isEnabled());
    page->CSpinEdit5->setValue(hours);
    page->CSpinEdit4->setValue(minutes);
    click(page->DsFancyButton5);
    QCOMPARE(f.messages(), accepted ? QStringList() : QStringList{u"Invalid Date or Time."_s});
    QCOMPARE(f.current(), accepted ? int(ConfirmTab) : int(ShutTab));
    if (!accepted)
        return;
    confirm(f);
    const double due =
        DayCount::addSeconds(DayCount::addMinutes(DayCount::addHours(f.clock().now(), hours), minutes), -30);
    QCOMPARE(f.form().eventStore().ReadDouble("0", "date", 0), due);
}

void TestPowerAndBirthdayEditors::birthdayWithDaysBefore() {
    EditorFixture f(juneFirst);
    f.openMainMenuEntry(3);
    QCOMPARE(f.current(), int(BirthTab));
    BirthdayEditorPage* page = birthdayPage(f);
    QCOMPARE(page->myaSuperLabel8->text(), u"New Birthday"_s);
    QCOMPARE(page->DateTimePicker6->date(), juneFirst.date());
    QTest::keyClicks(page->Edit1, u"Ann"_s);
    page->DateTimePicker6->setDate(QDate(1980, 5, 10));
    QCOMPARE(page->MonthCalendar1->date(), QDate(1980, 5, 10));
    page->CSpinEdit7->setValue(3);
    click(page->DsFancyButton7);
    QCOMPARE(f.page<ConfirmationPage>(ConfirmTab)->text(),
             u"\"Ann\" was borne at:\n\"Saturday, 10 May 1980\"\n\nYou will be notified for the first time at:\n"
             "\"Wednesday, 7 May 2008\"\n\nYou will be notified with sound as well.\n"_s);
    const quint64 saves = f.form().eventStore().saveCount();
    confirm(f);
    QCOMPARE(f.form().eventStore().saveCount(), saves + 1);
    QCOMPARE(keysOf(f.form().eventStore(), "0"),
             (QByteArrayList{"altype=birth", "birthdate=29351", "date=39575", "name=Ann", "sound=1", "before=3"}));
    QCOMPARE(f.current(), int(MainTab));
    QCOMPARE(f.schedulerInterval(), 50);
}

void TestPowerAndBirthdayEditors::birthdayChecks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("firstDay");
    QTest::newRow("no name, even with a future date")
        << QString() << QDate(2010, 1, 1) << 0 << u"Please enter his/her name."_s << QString();
    QTest::newRow("a name of blanks is a name")
        << u"  "_s << QDate(2010, 1, 1) << 0 << u"Invalid Date of Birth."_s << QString();
    QTest::newRow("tomorrow") << u"Bo"_s << QDate(2007, 6, 2) << 0 << u"Invalid Date of Birth."_s << QString();
    QTest::newRow("today: next year") << u"Bo"_s << QDate(2007, 6, 1) << 0 << QString() << u"Sunday, 1 June 2008"_s;
    QTest::newRow("today, 2 before") << u"Bo"_s << QDate(2007, 6, 1) << 2 << QString() << u"Friday, 30 May 2008"_s;
    QTest::newRow("29 February") << u"Bo"_s << QDate(2000, 2, 29) << 0 << QString() << u"Thursday, 28 February 2008"_s;
    QTest::newRow("before reaches into the past")
        << u"Bo"_s << QDate(1970, 6, 6) << 20 << QString() << u"Thursday, 17 May 2007"_s;
}

void TestPowerAndBirthdayEditors::birthdayChecks() {
    QFETCH(QString, name);
    QFETCH(QDate, birth);
    QFETCH(int, before);
    QFETCH(QString, message);
    QFETCH(QString, firstDay);
    EditorFixture f(juneFirst);
    f.show(BirthTab);
    BirthdayEditorPage* page = birthdayPage(f);
    page->Edit1->setText(name);
    page->DateTimePicker6->setDate(birth);
    page->CSpinEdit7->setValue(before);
    click(page->DsFancyButton7);
    QCOMPARE(f.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(f.current(), message.isEmpty() ? int(ConfirmTab) : int(BirthTab));
    QCOMPARE(page->Edit1->text(), name);
    if (message.isEmpty())
        QVERIFY(f.page<ConfirmationPage>(ConfirmTab)->text().contains(u'"' + firstDay + u'"'));
}

void TestPowerAndBirthdayEditors::editBirthdayInPlace() {
    EditorFixture f(juneFirst);
    TXMLIniFile& events = f.form().eventStore();
    events.WriteString("2", "altype", "birth");
    events.WriteString("2", "birthdate", "29351");
    events.WriteString("2", "date", "39212");
    events.WriteString("2", "name", "Ann");
    events.WriteString("2", "sound", "0");
    events.WriteString("2", "before", "3");
    f.form().edit().editFromCalendar = true;
    f.form().edit().editSection = 2;
    f.form().edit().menuChoice = 4;
    f.show(BirthTab);
    BirthdayEditorPage* page = birthdayPage(f);
    QCOMPARE(page->myaSuperLabel8->text(), u"Edit Birthday"_s);
    QCOMPARE(page->MonthCalendar1->date(), QDate(1980, 5, 10));
    QCOMPARE(page->DateTimePicker6->date(), QDate(1980, 5, 10));
    QCOMPARE(page->Edit1->text(), u"Ann"_s);
    QVERIFY(!page->CheckBox4->isChecked());
    QCOMPARE(page->CSpinEdit7->value(), 3);

    page->Edit1->setText(u"Ann B."_s);
    page->CSpinEdit7->setValue(0);
    click(page->DsFancyButton7);
    QVERIFY(!f.page<ConfirmationPage>(ConfirmTab)->text().contains(u"sound"_s));
    // The calendar view's month calendar; a stand-in while the view is not built.
    QWidget* view = f.form().PageControl1->widget(EditTab);
    auto* calendar = view->findChild<MonthCalendar*>(u"PlannerCalendar1"_s);
    if (!calendar) {
        calendar = new MonthCalendar(view);
        calendar->setObjectName(u"PlannerCalendar1"_s);
    }
    QSignalSpy monthChange(calendar, &MonthCalendar::monthChanged);
    confirm(f);
    QCOMPARE(keysOf(events, "2"),
             (QByteArrayList{"altype=birth", "birthdate=29351", "date=39578", "name=Ann B.", "sound=0", "before=0"}));
    // From the calendar the commit returns to the calendar view, refreshed for the month of the new date.
    QCOMPARE(f.current(), int(EditTab));
    QCOMPARE(calendar->date(), QDate(2008, 5, 10));
    QCOMPARE(monthChange.count(), 1);
    QCOMPARE(monthChange.at(0).at(1).toDate(), QDate(2008, 5, 10));
}

void TestPowerAndBirthdayEditors::nameTheUserLeftKeepsItsBytes() {
    EditorFixture f(juneFirst);
    TXMLIniFile& events = f.form().eventStore();
    events.WriteString("0", "altype", "birth");
    events.WriteString("0", "birthdate", "29351");
    events.WriteString("0", "name", "Jos\xe9 M\xfcller"); // Windows-1252, from an earlier version's file
    f.form().edit().editFromList = true;
    f.form().edit().editSection = 0;
    f.show(BirthTab);
    BirthdayEditorPage* page = birthdayPage(f);
    QCOMPARE(page->Edit1->text(), u"José Müller"_s);
    click(page->DsFancyButton7);
    confirm(f);
    QCOMPARE(events.ReadString("0", "name", {}), QByteArray("Jos\xe9 M\xfcller"));

    // Changed, the name is stored as typed, in UTF-8.
    f.form().edit().editFromList = true;
    f.show(BirthTab);
    page->Edit1->end(false);
    page->Edit1->insert(u"é"_s);
    click(page->DsFancyButton7);
    confirm(f);
    QCOMPARE(events.ReadString("0", "name", {}), QByteArray("Jos\xc3\xa9 M\xc3\xbcller\xc3\xa9"));
}

void TestPowerAndBirthdayEditors::calendarAndDateFieldFollowEachOther() {
    EditorFixture f(juneFirst);
    f.show(BirthTab);
    BirthdayEditorPage* page = birthdayPage(f);
    page->DateTimePicker6->setDate(QDate(1999, 12, 31));
    QCOMPARE(page->MonthCalendar1->date(), QDate(1999, 12, 31));
    QWidget* grid = page->MonthCalendar1->focusProxy() ? page->MonthCalendar1->focusProxy() : page->MonthCalendar1;
    page->MonthCalendar1->setFocus();
    QTest::keyClick(grid, Qt::Key_Left);
    QCOMPARE(page->DateTimePicker6->date(), QDate(1999, 12, 30));
    QTest::keyClick(grid, Qt::Key_PageDown);
    QCOMPARE(page->DateTimePicker6->date(), page->MonthCalendar1->date());
    QCOMPARE(page->DateTimePicker6->date().year(), 2000);
}

void TestPowerAndBirthdayEditors::enterInANumberFieldStaysThere_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("checkBox"); // ticked first, to enable the field
    QTest::addColumn<QString>("field");
    QTest::newRow("alarm repetition count") << int(AlarmTab) << u"CheckBox1"_s << u"CSpinEdit3"_s;
    QTest::newRow("power-action repetition count") << int(ShutTab) << u"CheckBox3"_s << u"CSpinEdit6"_s;
    QTest::newRow("days before the birthday") << int(BirthTab) << QString() << u"CSpinEdit7"_s;
    QTest::newRow("year of the birthday calendar") << int(BirthTab) << QString() << u"qt_calendar_yearedit"_s;
}

// Enter settles the number being typed; it does not press the page's "Next>>".
void TestPowerAndBirthdayEditors::enterInANumberFieldStaysThere() {
    QFETCH(int, page);
    QFETCH(QString, checkBox);
    QFETCH(QString, field);
    EditorFixture f(wednesday);
    f.show(page);
    QWidget* shown = f.form().PageControl1->currentWidget();
    if (!checkBox.isEmpty())
        shown->findChild<QCheckBox*>(checkBox)->click();
    if (field == u"qt_calendar_yearedit"_s)
        click(birthdayPage(f)->MonthCalendar1->findChild<QToolButton*>(u"qt_calendar_yearbutton"_s));
    auto* spin = shown->findChild<QAbstractSpinBox*>(field);
    QVERIFY(spin);
    QTRY_VERIFY(spin->isVisible() && spin->isEnabled());
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_End);
    QTest::keyClicks(spin, u"2"_s);
    QTest::keyClick(spin, Qt::Key_Return);

    QCOMPARE(f.current(), page);
    QCOMPARE(f.messages(), QStringList());
}

QTEST_MAIN(TestPowerAndBirthdayEditors)
#include "tst_PowerAndBirthdayEditors.moc"
