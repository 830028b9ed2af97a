#include "EditorFixture.h"
#include "EditorTestSupport.h"

#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "store/XMLIniFile.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/DayMonthFilterPage.h"
#include "ui/editors/EditorPages.h"
#include "ui/editors/SpinKeyFilter.h"
#include "ui/notify/TForm2.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/DateField.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/LinkLabel.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"
#include "widgets/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using EditorTest::click;
using EditorTest::keysOf;

// The alarm editor with the confirmation page and the commit, driven as the user drives them.
class TestAlarmEditor : public QObject {
    Q_OBJECT
private slots:
    void roadOfOneAlarm();
    void newAlarmProposesTheNextWholeMinute_data();
    void newAlarmProposesTheNextWholeMinute();
    void newAlarmDefaults();
    void editActiveAlarmFillsFromTheRecord();
    void unknownCategoryShowsGeneral();
    void editInPlaceKeepsStaleKeys();
    void reactivatePastAlarm();
    void backFromPastAlarmRemovesNothing();
    void textTheUserLeftKeepsItsBytes_data();
    void textTheUserLeftKeepsItsBytes();
    void backRules_data();
    void backRules();
    void validation_data();
    void validation();
    void confirmationTextWithRepetitionAndBypass();
    void afterModeCountsFromOk();
    void subPagesKeepTheValues();
    void keyboardNextAndBack();
    void tabOrderFollowsThePage();
    void spinKeyFilter_data();
    void spinKeyFilter();
    void typedDigitsOnly();
    void unitMaxima_data();
    void unitMaxima();
    void clampingOnLeavingTheField();
};

namespace {

const QDateTime wednesday(QDate(2007, 11, 14), QTime(10, 15));

AlarmEditorPage* alarmPage(EditorFixture& f) {
    return f.page<AlarmEditorPage>(AlarmTab);
}

TForm2* alarmWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* alarm = qobject_cast<TForm2*>(window))
            return alarm;
    }
    return nullptr;
}

QString confirmation(EditorFixture& f) {
    return f.page<ConfirmationPage>(ConfirmTab)->text();
}

void writeRecord(TXMLIniFile& store, const QByteArray& section, const QList<QPair<QByteArray, QByteArray>>& keys) {
    for (const auto& [key, value] : keys)
        store.WriteString(section, key, value);
}

} // namespace

void TestAlarmEditor::roadOfOneAlarm() {
    EditorFixture f(wednesday);
    f.openMainMenuEntry(1);
    QCOMPARE(f.current(), int(AlarmTab));
    AlarmEditorPage* page = alarmPage(f);
    QCOMPARE(page->BackAlarm->text(), u"New Alarm"_s);

    QTest::keyClicks(page->Memo1, u"Tea"_s);
    QTest::keyClick(page->Memo1, Qt::Key_Return);
    QTest::keyClicks(page->Memo1, u"with"_s);
    QTest::keyClick(page->Memo1, Qt::Key_Return);
    QTest::keyClicks(page->Memo1, u"milk"_s);
    page->DateTimePicker2->setTime(QTime(10, 17));
    click(page->DsFancyButton2);

    QCOMPARE(f.current(), int(ConfirmTab));
    QCOMPARE(confirmation(f), u"The Alarm has been Scheduled for:\n\"Wednesday, 14 November 2007 10:17:00\"\n"
                              "\nWith the following notification text:\n\nTea\nwith\nmilk\n"
                              "\nYou will be notified with sound as well"_s);

    const quint64 savesBefore = f.form().eventStore().saveCount();
    f.setSchedulerInterval(60000);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);
    QCOMPARE(f.form().eventStore().saveCount(), savesBefore + 1);
    QCOMPARE(EditorTest::fileBytes(f.dataFile(u"Alarms.xml"_s)), EditorTest::fixture(u"road-alarm.xml"_s));
    QCOMPARE(f.current(), int(MainTab));
    QCOMPARE(f.schedulerInterval(), 50);

    // The scheduler looks at once and finds the alarm two minutes away: it waits the full minute.
    f.scheduler().TimerTimer();
    QCOMPARE(f.schedulerInterval(), 60000);
    QVERIFY(!alarmWindow());
    // A minute later it is 60 000 ms away; at its moment it fires.
    f.clock().advance(60 * 1000);
    f.scheduler().TimerTimer();
    QCOMPARE(f.schedulerInterval(), 60000);
    f.clock().advance(60 * 1000);
    f.scheduler().TimerTimer();
    TForm2* window = alarmWindow();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->lines, (QStringList{u"Tea"_s, u"with"_s, u"milk"_s}));
    QVERIFY(f.form().eventStore().ReadSections().isEmpty());
    QCOMPARE(keysOf(f.form().pastAlarmStore(), "0"),
             (QByteArrayList{"date=39400.4284722222", "sound=1", "linecount=3", "0=Tea", "1=with", "2=milk"}));
    window->close();
}

void TestAlarmEditor::newAlarmProposesTheNextWholeMinute_data() {
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QDateTime>("proposed");
    QTest::addColumn<bool>("accepted");
    const QDate day(2007, 11, 14);
    QTest::newRow("seconds advance to the minute")
        << QDateTime(day, QTime(10, 15, 42, 123)) << QDateTime(day, QTime(10, 16, 0, 123)) << true;
    QTest::newRow("a whole minute stays, and is already past")
        << QDateTime(day, QTime(10, 15)) << QDateTime(day, QTime(10, 15)) << false;
    QTest::newRow("past midnight keeps today's date")
        << QDateTime(day, QTime(23, 59, 40)) << QDateTime(day, QTime(0, 0)) << false;
}

void TestAlarmEditor::newAlarmProposesTheNextWholeMinute() {
    QFETCH(QDateTime, now);
    QFETCH(QDateTime, proposed);
    QFETCH(bool, accepted);
    EditorFixture f(now);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    QCOMPARE(page->DateTimePicker1->dateTime(), proposed);
    QCOMPARE(page->DateTimePicker2->time(), proposed.time());
    click(page->DsFancyButton2);
    QCOMPARE(f.current(), accepted ? int(ConfirmTab) : int(AlarmTab));
    QCOMPARE(f.messages(), accepted ? QStringList() : QStringList{u"Invalid Date or Time."_s});
}

void TestAlarmEditor::newAlarmDefaults() {
    EditorFixture f(wednesday);
    f.form().settingsStore().WriteInt("categories", "count", 1);
    f.form().settingsStore().WriteString("categories", "0", "Anniversary");
    AlarmEditorPage* page = alarmPage(f);
    // Leftovers of an earlier visit must not survive a fill for a new alarm.
    f.show(AlarmTab);
    page->Memo1->setPlainText(u"old"_s);
    click(page->myaSuperLabel9);
    click(page->myaSuperLabel19);
    click(page->myaSuperLabel6);
    click(page->myLabel3d6);
    f.show(MainTab);
    f.show(AlarmTab);

    QCOMPARE(page->BackAlarm->text(), u"New Alarm"_s);
    QVERIFY(page->Memo1->toPlainText().isEmpty());
    QVERIFY(page->CheckBox2->isChecked());
    QVERIFY(!page->CheckBox1->isChecked() && !page->CheckBox5->isChecked());
    QVERIFY(page->RadioButton1->isChecked() && page->myLabel3d5->isChosen() && !page->myLabel3d6->isChosen());
    QVERIFY(page->DateTimePicker1->isEnabled() && !page->CSpinEdit1->isEnabled());
    QCOMPARE(page->CSpinEdit3->value(), 1);
    QCOMPARE(page->CSpinEdit3->maximum(), 1440);
    QCOMPARE(page->ComboBox1->currentText(), u"Minutes"_s);
    QVERIFY(!page->CSpinEdit3->isEnabled() && !page->ComboBox1->isEnabled() && !page->myaSuperLabel46->isEnabled());
    QCOMPARE(page->ComboBox2->count(), 2);
    QCOMPARE(page->ComboBox2->itemText(1), u"Anniversary"_s);
    QCOMPARE(page->ComboBox2->currentText(), u"General"_s);
    QCOMPARE(page->myaSuperLabel46->colour(), Theme::filterOffColour());
}

void TestAlarmEditor::editActiveAlarmFillsFromTheRecord() {
    EditorFixture f(wednesday);
    TXMLIniFile& settings = f.form().settingsStore();
    settings.WriteInt("categories", "count", 2);
    settings.WriteString("categories", "0", "Work");
    settings.WriteString("categories", "1", "Work");
    const QDateTime due(QDate(2007, 12, 1), QTime(8, 30));
    writeRecord(f.form().eventStore(), "3",
                {{"altype", "alarm"},
                 {"date", QByteArray::number(DayCount::fromDateTime(due), 'g', 15)},
                 {"repeat", "1"},
                 {"repval", "90"},
                 {"reptype", "0"},
                 {"alldays", "0"},
                 {"Days", "0100010"},
                 {"allmonths", "1"},
                 {"bypass", "1"},
                 {"sound", "0"},
                 {"category", "Work"},
                 {"linecount", "2"},
                 {"0", "first"},
                 {"1", "second"},
                 {"2", "stale"}});
    AlarmEditorPage* page = alarmPage(f);
    // A unit with a small maximum before: the count of 90 minutes must still show as 90.
    f.show(AlarmTab);
    click(page->myaSuperLabel9);
    page->ComboBox1->setCurrentIndex(5);
    page->ComboBox1Select();

    f.form().edit().editFromList = true;
    f.form().edit().editSection = 3;
    f.show(AlarmTab);
    QCOMPARE(page->BackAlarm->text(), u"Edit Active Alarm"_s);
    QCOMPARE(page->DateTimePicker1->dateTime(), due);
    QCOMPARE(page->DateTimePicker2->time(), due.time());
    QCOMPARE(page->Memo1->toPlainText(), u"first\nsecond"_s);
    QVERIFY(!page->CheckBox2->isChecked() && page->CheckBox1->isChecked() && page->CheckBox5->isChecked());
    QCOMPARE(page->ComboBox1->currentIndex(), 0);
    QCOMPARE(page->CSpinEdit3->value(), 90);
    QVERIFY(page->CSpinEdit3->isEnabled() && page->myaSuperLabel46->isEnabled());
    QCOMPARE(page->ComboBox2->currentIndex(), 2); // the last of two equal names
    QCOMPARE(page->myaSuperLabel46->colour(), Theme::filterOnColour());
    DayMonthFilterPage* filter = f.page<DayMonthFilterPage>(MoreTab);
    QVERIFY(!f.form().edit().allDays && f.form().edit().allMonths);
    QVERIFY(filter->myLabel3d16->isChosen() && filter->myLabel3d17->isChosen());
    QString ticks;
    for (QCheckBox* box : filter->dayBox)
        ticks += box->isChecked() ? u'1' : u'0';
    QCOMPARE(ticks, u"0100010"_s);
}

void TestAlarmEditor::unknownCategoryShowsGeneral() {
    EditorFixture f(wednesday);
    writeRecord(f.form().eventStore(), "0", {{"altype", "alarm"}, {"date", "39500"}, {"category", "Deleted Since"}});
    f.form().edit().editFromCalendar = true;
    f.form().edit().editSection = 0;
    f.show(AlarmTab);
    QCOMPARE(alarmPage(f)->ComboBox2->currentText(), u"General"_s);
    // Missing keys read as the defaults: sound on, no repetition.
    QVERIFY(alarmPage(f)->CheckBox2->isChecked() && !alarmPage(f)->CheckBox1->isChecked());
}

void TestAlarmEditor::editInPlaceKeepsStaleKeys() {
    EditorFixture f(wednesday);
    TXMLIniFile& events = f.form().eventStore();
    writeRecord(events, "0", {{"altype", "alarm"}, {"date", "39500"}});
    writeRecord(events, "1",
                {{"altype", "alarm"},
                 {"date", "39500.5"},
                 {"repeat", "1"},
                 {"repval", "5"},
                 {"reptype", "2"},
                 {"alldays", "0"},
                 {"Days", "1000001"},
                 {"allmonths", "0"},
                 {"Months", "111111000000"},
                 {"bypass", "0"},
                 {"sound", "1"},
                 {"category", "General"},
                 {"linecount", "3"},
                 {"0", "one"},
                 {"1", "two"},
                 {"2", "three"}});
    f.form().edit().editFromList = true;
    f.form().edit().editSection = 1;
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    click(page->myaSuperLabel9); // repetition off
    page->Memo1->setPlainText(u"only"_s);
    click(page->DsFancyButton2);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);

    QCOMPARE(events.ReadSections(), (QByteArrayList{"0", "1"}));
    QCOMPARE(keysOf(events, "1"),
             (QByteArrayList{"altype=alarm", "date=39500.5", "repeat=0", "repval=5", "reptype=2", "alldays=0",
                             "Days=1000001", "allmonths=0", "Months=111111000000", "bypass=0", "sound=1",
                             "category=General", "linecount=1", "0=only", "1=two", "2=three"}));
    QCOMPARE(f.current(), int(ViewTabAl));
    QVERIFY(!f.form().edit().editFromList);
}

void TestAlarmEditor::reactivatePastAlarm() {
    EditorFixture f(wednesday);
    TXMLIniFile& past = f.form().pastAlarmStore();
    TXMLIniFile& events = f.form().eventStore();
    const QDateTime fired(QDate(2007, 11, 1), QTime(7, 45));
    writeRecord(past, "0", {{"date", "39300"}, {"sound", "1"}, {"linecount", "0"}});
    writeRecord(past, "1",
                {{"date", QByteArray::number(DayCount::fromDateTime(fired), 'g', 15)},
                 {"sound", "0"},
                 {"linecount", "1"},
                 {"0", "Call Ann"}});
    for (const char* section : {"0", "1", "3"})
        writeRecord(events, section, {{"altype", "birth"}, {"date", "40000"}});

    TXMLIniFile& settings = f.form().settingsStore();
    settings.WriteInt("categories", "count", 1);
    settings.WriteString("categories", "0", "Work");
    AlarmEditorPage* page = alarmPage(f);
    f.show(AlarmTab);
    page->ComboBox2->setCurrentIndex(1);
    click(page->myaSuperLabel19);
    settings.WriteInt("categories", "count", 0);
    f.form().edit().editPastAlarm = true;
    f.form().edit().editSection = 1;
    f.show(AlarmTab);
    QCOMPARE(page->BackAlarm->text(), u"Edit Past Alarm"_s);
    QCOMPARE(page->DateTimePicker1->dateTime(), fired);
    QCOMPARE(page->Memo1->toPlainText(), u"Call Ann"_s);
    QVERIFY(!page->CheckBox2->isChecked() && !page->CheckBox1->isChecked() && !page->CheckBox5->isChecked());
    QCOMPARE(page->ComboBox2->currentIndex(), 0);
    QCOMPARE(page->ComboBox2->count(), 2); // not reloaded from the settings

    click(page->DsFancyButton2);
    QCOMPARE(f.messages(), QStringList{u"Invalid Date or Time."_s});
    page->DateTimePicker1->setDate(QDate(2007, 11, 20));
    click(page->DsFancyButton2);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);

    QCOMPARE(past.ReadSections(), QByteArrayList{"0"});
    QCOMPARE(events.ReadString("2", "altype", ""), QByteArray("alarm"));
    QCOMPARE(events.ReadString("2", "0", ""), QByteArray("Call Ann"));
    QCOMPARE(f.current(), int(ViewTabAl));
    QVERIFY(!f.form().edit().editPastAlarm);
}

// An earlier version's file holds Windows-1252: "Grüße café €uro" (the euro sign is byte 0x80).
void TestAlarmEditor::textTheUserLeftKeepsItsBytes_data() {
    QTest::addColumn<bool>("past");
    QTest::addColumn<QString>("secondLine"); // empty: the text left alone
    QTest::addColumn<int>("category");       // -1: left alone; else the index chosen
    QTest::addColumn<QByteArrayList>("expected");
    const QByteArray first = "0=Gr\xfc\xdf"
                             "e caf\xe9 \x80uro";
    QTest::newRow("past alarm re-activated unchanged")
        << true << QString() << -1 << QByteArrayList{"category=General", "linecount=3", first, "1=zweite", "2="};
    QTest::newRow("past alarm, another line changed")
        << true << u"zwölf"_s << -1
        << QByteArrayList{"category=General", "linecount=2", first, "1=zw\xc3\xb6lf", "2=(missing)"};
    QTest::newRow("active alarm unchanged")
        << false << QString() << -1
        << QByteArrayList{"category=Caf\xe9", "linecount=3", first, "1=zweite", "2=", "3=stale"};
    QTest::newRow("active alarm, the same category chosen")
        << false << QString() << 2
        << QByteArrayList{"category=Caf\xe9", "linecount=3", first, "1=zweite", "2=", "3=stale"};
    QTest::newRow("active alarm, another category")
        << false << u"zwölf"_s << 1
        << QByteArrayList{"category=Work", "linecount=2", first, "1=zw\xc3\xb6lf", "2=", "3=stale"};
}

void TestAlarmEditor::textTheUserLeftKeepsItsBytes() {
    QFETCH(bool, past);
    QFETCH(QString, secondLine);
    QFETCH(int, category);
    QFETCH(QByteArrayList, expected);
    EditorFixture f(wednesday);
    TXMLIniFile& settings = f.form().settingsStore();
    settings.WriteInt("categories", "count", 2);
    settings.WriteString("categories", "0", "Work");
    settings.WriteString("categories", "1", "Caf\xc3\xa9"); // the same name as UTF-8
    TXMLIniFile& events = f.form().eventStore();
    // An empty last line too: a text left alone keeps its line count.
    const QList<QPair<QByteArray, QByteArray>> text = {{"linecount", "3"},
                                                       {"0", "Gr\xfc\xdf"
                                                             "e caf\xe9 \x80uro"},
                                                       {"1", "zweite"},
                                                       {"2", ""}};
    if (past) {
        writeRecord(f.form().pastAlarmStore(), "0", QList<QPair<QByteArray, QByteArray>>{{"date", "39300"}} + text);
        f.form().edit().editPastAlarm = true;
    } else {
        writeRecord(
            events, "0",
            QList<QPair<QByteArray, QByteArray>>{{"altype", "alarm"}, {"date", "39500"}, {"category", "Caf\xe9"}} +
                text + QList<QPair<QByteArray, QByteArray>>{{"3", "stale"}});
        f.form().edit().editFromList = true;
    }
    f.form().edit().editSection = 0;
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    QCOMPARE(page->Memo1->toPlainText(), u"Grüße café €uro\nzweite\n"_s);
    // Categories compare as the user sees them: the record's Windows-1252 name is the listed UTF-8 one.
    if (!past)
        QCOMPARE(page->ComboBox2->currentText(), u"Café"_s);
    if (!secondLine.isEmpty()) {
        QTextCursor cursor(page->Memo1->document()->findBlockByNumber(1));
        cursor.select(QTextCursor::BlockUnderCursor);
        cursor.removeSelectedText();
        cursor.insertText(u"\n"_s + secondLine);
    }
    if (category >= 0)
        page->ComboBox2->setCurrentIndex(category);
    page->DateTimePicker1->setDate(QDate(2007, 11, 20));
    click(page->DsFancyButton2);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);
    QByteArrayList written;
    for (const QByteArray& pair : expected) {
        const QByteArray key = pair.left(pair.indexOf('='));
        written << key + '=' + events.ReadString("0", key, "(missing)");
    }
    QCOMPARE(written, expected);
}

void TestAlarmEditor::backFromPastAlarmRemovesNothing() {
    EditorFixture f(wednesday);
    writeRecord(f.form().pastAlarmStore(), "0", {{"date", "39300"}, {"linecount", "0"}});
    f.form().edit().editPastAlarm = true;
    f.form().edit().editSection = 0;
    f.show(AlarmTab);
    click(alarmPage(f)->DsFancyButton3);
    QCOMPARE(f.current(), int(ViewTabPast));
    QVERIFY(!f.form().edit().editPastAlarm);
    QCOMPARE(f.form().pastAlarmStore().ReadSections(), QByteArrayList{"0"});
    QVERIFY(f.form().eventStore().ReadSections().isEmpty());
}

void TestAlarmEditor::backRules_data() {
    QTest::addColumn<int>("editor");
    QTest::addColumn<bool>("past");
    QTest::addColumn<bool>("calendar");
    QTest::addColumn<bool>("list");
    QTest::addColumn<int>("menuChoice");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("flagsAfter"); // past, calendar, list

    QTest::newRow("alarm: past first") << int(AlarmTab) << true << true << true << 1 << int(ViewTabPast) << "011";
    QTest::newRow("alarm: calendar") << int(AlarmTab) << false << true << true << 4 << int(EditViewTab) << "001";
    QTest::newRow("alarm: list") << int(AlarmTab) << false << false << true << 1 << int(ViewTabAl) << "000";
    QTest::newRow("alarm: View/Edit") << int(AlarmTab) << false << false << false << 4 << int(ViewTabAl) << "000";
    QTest::newRow("alarm: menu") << int(AlarmTab) << false << false << false << 1 << int(MainTab) << "000";
    QTest::newRow("power: calendar") << int(ShutTab) << false << true << true << 2 << int(EditViewTab) << "001";
    QTest::newRow("power: list") << int(ShutTab) << false << false << true << 2 << int(ViewTabShut) << "000";
    QTest::newRow("power: View/Edit") << int(ShutTab) << false << false << false << 4 << int(ViewTabShut) << "000";
    QTest::newRow("power: menu") << int(ShutTab) << false << false << false << 2 << int(MainTab) << "000";
    QTest::newRow("birthday: calendar") << int(BirthTab) << false << true << false << 3 << int(EditViewTab) << "000";
    QTest::newRow("birthday: list") << int(BirthTab) << false << false << true << 3 << int(ViewTabBirthDay) << "000";
    QTest::newRow("birthday: View/Edit") << int(BirthTab) << false << false << false << 4 << int(ViewTabBirthDay)
                                         << "000";
    QTest::newRow("birthday: menu") << int(BirthTab) << false << false << false << 3 << int(MainTab) << "000";
}

void TestAlarmEditor::backRules() {
    QFETCH(int, editor);
    QFETCH(bool, past);
    QFETCH(bool, calendar);
    QFETCH(bool, list);
    QFETCH(int, menuChoice);
    QFETCH(int, page);
    QFETCH(QString, flagsAfter);
    EditorFixture f(wednesday);
    TForm1& form = f.form();
    form.edit().editPastAlarm = past;
    form.edit().editFromCalendar = calendar;
    form.edit().editFromList = list;
    form.edit().menuChoice = menuChoice;
    form.edit().editSection = 0;
    f.show(editor);
    // Escape is "<<Back" on every editor.
    QTest::keyClick(form.PageControl1->currentWidget(), Qt::Key_Escape);
    QCOMPARE(f.current(), page);
    const QString flags = QString::number(form.edit().editPastAlarm) + QString::number(form.edit().editFromCalendar) +
                          QString::number(form.edit().editFromList);
    QCOMPARE(flags, flagsAfter);
    QVERIFY(f.form().eventStore().ReadSections().isEmpty());
}

void TestAlarmEditor::validation_data() {
    QTest::addColumn<bool>("after");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("at: a minute ahead") << false << wednesday.addSecs(60) << 0 << 0 << true;
    QTest::newRow("at: now") << false << wednesday << 0 << 0 << false;
    QTest::newRow("at: yesterday") << false << wednesday.addDays(-1) << 0 << 0 << false;
    QTest::newRow("after: nothing") << true << QDateTime() << 0 << 0 << false;
    QTest::newRow("after: one minute") << true << QDateTime() << 0 << 1 << true;
}

void TestAlarmEditor::validation() {
    QFETCH(bool, after);
    QFETCH(QDateTime, moment);
    QFETCH(int, hours);
    QFETCH(int, minutes);
    QFETCH(bool, accepted);
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    page->Memo1->setPlainText(u"kept"_s);
    if (after) {
        click(page->myLabel3d6);
        page->CSpinEdit1->setValue(hours);
        page->CSpinEdit2->setValue(minutes);
    } else {
        page->DateTimePicker1->setDateTime(moment);
    }
    click(page->DsFancyButton2);
    QCOMPARE(f.current(), accepted ? int(ConfirmTab) : int(AlarmTab));
    QCOMPARE(f.messages(), accepted ? QStringList() : QStringList{u"Invalid Date or Time."_s});
    QCOMPARE(page->Memo1->toPlainText(), u"kept"_s);
}

void TestAlarmEditor::confirmationTextWithRepetitionAndBypass() {
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    page->Memo1->setPlainText(u"1\n2\n3\n4\n5\n6\n7"_s);
    page->DateTimePicker1->setDateTime(QDateTime(QDate(2008, 2, 29), QTime(6, 5, 4)));
    click(page->myaSuperLabel9);
    QTest::keyClick(page->ComboBox1, Qt::Key_Down);
    page->CSpinEdit3->setValue(2);
    click(page->myaSuperLabel6);  // no sound
    click(page->myaSuperLabel19); // bypass
    click(page->DsFancyButton2);
    QCOMPARE(confirmation(f),
             u"The Alarm has been Scheduled for:\n\"Friday, 29 February 2008 06:05:04\"\n"
             "\nWith the following notification text:\n\n1\n2\n3\n4\n5\n...\n"
             "\nThe Alarm will be shown every 2 Hours"
             "\nThe Alarm will be bypassed if the system\nis turned off at the specified Date and Time"_s);
}

void TestAlarmEditor::afterModeCountsFromOk() {
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    click(page->myLabel3d6);
    QVERIFY(page->CSpinEdit1->isEnabled() && !page->DateTimePicker1->isEnabled());
    page->CSpinEdit1->setValue(1);
    click(page->DsFancyButton2);
    QVERIFY(
        confirmation(f).startsWith(u"The Alarm has been Scheduled for:\n\"Wednesday, 14 November 2007 11:15:00\""_s));
    f.clock().advance(10 * 60 * 1000);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton28);
    QCOMPARE(DayCount::toDateTime(f.form().eventStore().ReadDouble("0", "date", 0)),
             QDateTime(QDate(2007, 11, 14), QTime(11, 25)));
    // Empty description: a line count of 0 and no line keys.
    QCOMPARE(f.form().eventStore().ReadString("0", "linecount", ""), QByteArray("0"));
    QVERIFY(!f.form().eventStore().HasKey("0", "0"));
}

void TestAlarmEditor::subPagesKeepTheValues() {
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    page->Memo1->setPlainText(u"keep me"_s);
    click(page->myLabel3d6);
    page->CSpinEdit2->setValue(30);
    click(page->myaSuperLabel9);
    click(page->myaSuperLabel46);
    QCOMPARE(f.current(), int(MoreTab));
    QCOMPARE(f.form().edit().editorKind, 0);
    click(f.page<DayMonthFilterPage>(MoreTab)->DsFancyButton31);
    QCOMPARE(f.current(), int(AlarmTab));
    click(page->myaSuperLabel51);
    QCOMPARE(f.current(), int(CategoryTab));
    QTest::keyClick(f.form().PageControl1->currentWidget(), Qt::Key_Escape);
    QCOMPARE(f.current(), int(AlarmTab));
    click(page->DsFancyButton2);
    click(f.page<ConfirmationPage>(ConfirmTab)->DsFancyButton29);
    QCOMPARE(f.current(), int(AlarmTab));
    QVERIFY(!f.form().edit().returnToEditor);
    QCOMPARE(page->Memo1->toPlainText(), u"keep me"_s);
    QVERIFY(page->RadioButton2->isChecked() && page->CheckBox1->isChecked());
    QCOMPARE(page->CSpinEdit2->value(), 30);
}

void TestAlarmEditor::keyboardNextAndBack() {
    EditorFixture f(wednesday.addSecs(-30));
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    // Enter in the description is a new line, not "Next>>".
    QTest::keyClick(page->Memo1, Qt::Key_Return);
    QCOMPARE(f.current(), int(AlarmTab));
    QTest::keyClick(page->DateTimePicker1, Qt::Key_Return);
    QCOMPARE(f.current(), int(ConfirmTab));
    QTest::keyClick(f.form().PageControl1->currentWidget(), Qt::Key_Escape);
    QCOMPARE(f.current(), int(AlarmTab));
    QTest::keyClick(page->Memo1, Qt::Key_Escape);
    QCOMPARE(f.current(), int(MainTab));
}

void TestAlarmEditor::tabOrderFollowsThePage() {
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    click(page->myaSuperLabel9);
    QStringList order;
    QWidget* widget = page->Memo1;
    do {
        if (widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus) &&
            page->isAncestorOf(widget) && !widget->focusProxy())
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != page->Memo1 && order.size() < 20);
    QCOMPARE(order, (QStringList{u"Memo1"_s, u"myLabel3d5"_s, u"DateTimePicker1"_s, u"DateTimePicker2"_s,
                                 u"myLabel3d6"_s, u"CheckBox5"_s, u"CheckBox2"_s, u"CheckBox1"_s, u"CSpinEdit3"_s,
                                 u"ComboBox1"_s, u"ComboBox2"_s, u"myaSuperLabel51"_s, u"myaSuperLabel46"_s,
                                 u"DsFancyButton3"_s, u"DsFancyButton2"_s}));
}

void TestAlarmEditor::spinKeyFilter_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("dropped");
    QTest::newRow("digit") << int(Qt::Key_7) << u"7"_s << 0 << false;
    QTest::newRow("letter") << int(Qt::Key_A) << u"a"_s << 0 << true;
    QTest::newRow("minus") << int(Qt::Key_Minus) << u"-"_s << 0 << true;
    QTest::newRow("blank") << int(Qt::Key_Space) << u" "_s << 0 << true;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << u"\b"_s << 0 << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << u"\r"_s << 0 << false;
    QTest::newRow("Delete") << int(Qt::Key_Delete) << u"\x7f"_s << 0 << false;
    QTest::newRow("arrow") << int(Qt::Key_Up) << QString() << 0 << false;
    QTest::newRow("paste") << int(Qt::Key_V) << u"\x16"_s << int(Qt::ControlModifier) << false;
}

void TestAlarmEditor::spinKeyFilter() {
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(bool, dropped);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(SpinKeyFilter::CSpinEdit3KeyPress(&event), dropped);
}

void TestAlarmEditor::typedDigitsOnly() {
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    click(page->myaSuperLabel9);
    SpinEdit* spin = page->CSpinEdit3;
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_End);
    QTest::keyClicks(spin, u"2x4"_s);
    QCOMPARE(spin->text(), u"124"_s);
    QTest::keyClick(spin, Qt::Key_Backspace);
    QCOMPARE(spin->text(), u"124"_s);
    spin->clear();
    QCOMPARE(spin->entryValue(), 1); // empty reads as the minimum
}

void TestAlarmEditor::unitMaxima_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("maximum");
    const int maxima[] = {1440, 168, 365, 52, 120, 10};
    for (int unit = 0; unit < 6; ++unit)
        QTest::newRow(qPrintable(QString::number(unit))) << unit << maxima[unit];
}

void TestAlarmEditor::unitMaxima() {
    QFETCH(int, unit);
    QFETCH(int, maximum);
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    click(page->myaSuperLabel9);
    for (int i = 0; i < unit; ++i)
        QTest::keyClick(page->ComboBox1, Qt::Key_Down);
    QCOMPARE(page->ComboBox1->currentIndex(), unit);
    QCOMPARE(page->CSpinEdit3->maximum(), maximum);
    page->CSpinEdit3->setValue(5000);
    QCOMPARE(page->CSpinEdit3->value(), maximum);
    page->CSpinEdit3->setValue(0);
    QCOMPARE(page->CSpinEdit3->value(), 1);
    // A smaller unit cuts a larger count down to its maximum.
    QTest::keyClick(page->ComboBox1, Qt::Key_End);
    QCOMPARE(page->CSpinEdit3->maximum(), 10);
    page->CSpinEdit3->setValue(maximum);
    QCOMPARE(page->CSpinEdit3->value(), 10);
}

void TestAlarmEditor::clampingOnLeavingTheField() {
    EditorFixture f(wednesday);
    f.show(AlarmTab);
    AlarmEditorPage* page = alarmPage(f);
    click(page->myLabel3d6);
    SpinEdit* minutes = page->CSpinEdit2;
    minutes->setFocus();
    minutes->clear();
    QTest::keyClicks(minutes, u"75"_s);
    QCOMPARE(minutes->text(), u"75"_s);
    page->CSpinEdit1->setFocus();
    QTRY_COMPARE(minutes->text(), u"59"_s);
    QCOMPARE(minutes->value(), 59);
}

QTEST_MAIN(TestAlarmEditor)
#include "tst_AlarmEditor.moc"
