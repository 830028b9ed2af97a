// The four list pages through their real widgets: what each row shows, the orders of the header clicks, the
// category filter, and delete and edit by buttons, popup menu and keys.

#include "ViewsFixture.h"

#include "app/SchedulerHost.h"
#include "ui/notify/TForm2.h"
#include "ui/views/AlarmListPage.h"
#include "widgets/FancyButton.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>

using namespace Records;

namespace {

const QDateTime clockAt(QDate(2007, 6, 1), QTime(12, 0));
const QDate tomorrow(2007, 6, 2);

} // namespace

class tst_ListPages : public QObject {
    Q_OBJECT

private slots:
    void cellsAndIcons();
    void powerActionIcons_data();
    void powerActionIcons();
    void headerClicksSort_data();
    void headerClicksSort();
    void headerClickDropsRowsOfRecordsThatHaveGone();
    void headerClickKeepsTheSelectionOnItsRecord_data();
    void headerClickKeepsTheSelectionOnItsRecord();
    void categoryFilter();
    void categoryFilterComparesNamesAsShown();
    void deleteAlarmMovesItToThePastAlarms();
    void disableRepetitionAfterDeleteFromTheList_data();
    void disableRepetitionAfterDeleteFromTheList();
    void deleteErasesOnTheOtherLists_data();
    void deleteErasesOnTheOtherLists();
    void editOpensTheEditor_data();
    void editOpensTheEditor();
    void popupMenuOnlyWithASelectedRow();
    void popupSkipsTheNextOccurrence_data();
    void popupSkipsTheNextOccurrence();
    void keyboard();
    void menuKeyOpensWithEditActive();
    void headerSortsFromTheKeyboard();
};

void tst_ListPages::cellsAndIcons() {
    ViewsFixture fx(clockAt);
    write(fx.events(), "0",
          {{"altype", "alarm"},
           {"date", at(tomorrow, QTime(9, 0))},
           {"linecount", "3"},
           {"0", "Dentist"},
           {"1", "b"},
           {"2", "c"},
           {"repeat", "1"},
           {"repval", "2"},
           {"reptype", "3"},
           {"sound", "0"}});
    write(fx.events(), "1",
          {{"altype", "alarm"},
           {"date", at(tomorrow)},
           {"linecount", "1"},
           {"0", "Gym"},
           {"repeat", "0"},
           {"repval", "5"},
           {"sound", "1"},
           {"bypass", "0"}});
    write(fx.events(), "2", {{"altype", "alarm"}, {"date", "0.5"}});
    write(
        fx.events(), "3",
        {{"altype", "alarm"}, {"date", at(tomorrow, QTime(8, 0))}, {"linecount", "1"}, {"0", "Quiet"}, {"sound", "0"}});
    write(fx.events(), "4",
          {{"altype", "shut"},
           {"date", at(tomorrow, QTime(21, 59, 30))},
           {"shuttype", "1"},
           {"repeat", "1"},
           {"repval", "3"},
           {"reptype", "1"}});
    write(fx.events(), "5", {{"altype", "shut"}, {"date", at(tomorrow, QTime(22, 59, 30))}, {"shuttype", "3"}});
    write(fx.events(), "6", {{"altype", "shut"}, {"date", at(tomorrow, QTime(23, 59, 30))}, {"shuttype", "4"}});
    write(fx.events(), "7",
          {{"altype", "birth"},
           {"birthdate", at(QDate(1970, 3, 15))},
           {"name", "Anna"},
           {"before", "0"},
           {"date", at(QDate(2008, 3, 15))}});
    write(fx.events(), "8",
          {{"altype", "birth"},
           {"birthdate", at(QDate(1980, 6, 1))},
           {"name", "Ben"},
           {"before", "3"},
           {"sound", "1"},
           {"date", at(QDate(2008, 5, 29))}});
    write(fx.events(), "9", {{"altype", "Alarm"}, {"date", at(tomorrow)}}); // not exactly "alarm": no list
    write(fx.past(), "0",
          {{"date", at(QDate(2007, 5, 1), QTime(7, 30))}, {"sound", "0"}, {"linecount", "1"}, {"0", "Old one"}});
    write(fx.past(), "1", {{"altype", "whatever"}});

    fx.show(ViewTabAl);
    QCOMPARE(fx.form().edit().listPage, 1);
    QCOMPARE(
        ViewsFixture::rows(fx.list("ListView1")),
        (QByteArrayList{"(No Description)|12:00:00|No|Yes|Yes#4", "\"Dentist...\"|02/06/2007 09:00:00|2 Weeks|No|Yes#5",
                        "\"Gym\"|02/06/2007|No|Yes|No#4", "\"Quiet\"|02/06/2007 08:00:00|No|No|Yes#3"}));
    fx.show(ViewTabShut);
    QCOMPARE(fx.form().edit().listPage, 2);
    QCOMPARE(ViewsFixture::rows(fx.list("ListView2")),
             (QByteArrayList{"Restart|02/06/2007 22:00:00|3 Weeks#1", "Hibernate|02/06/2007 23:00:00|No#9",
                             "Stand By|03/06/2007|No#8"}));
    fx.show(ViewTabBirthDay);
    QCOMPARE(fx.form().edit().listPage, 3);
    QCOMPARE(ViewsFixture::rows(fx.list("ListView3")), (QByteArrayList{"Anna|15/03/1970|37yrs,2m,17d.|No|0 days#6",
                                                                       "Ben|01/06/1980|26yrs,12m,0d.|Yes|3 days#6"}));
    fx.show(ViewTabPast);
    QCOMPARE(fx.form().edit().listPage, 4);
    QCOMPARE(ViewsFixture::rows(fx.list("ListView4")),
             (QByteArrayList{"(No Description)|00:00:00|Yes#7", "\"Old one\"|01/05/2007 07:30:00|No#7"}));
}

void tst_ListPages::powerActionIcons_data() {
    QTest::addColumn<int>("shutType");
    QTest::addColumn<int>("icon");
    const int icons[] = {0, 1, 2, 9, 8, 5, 6, 7, 8, 9};
    for (int type = 0; type < 10; ++type)
        QTest::addRow("shuttype %d", type) << type << icons[type];
    QTest::newRow("past the set") << 10 << -1;
    QTest::newRow("negative") << -1 << -1;
}

void tst_ListPages::powerActionIcons() {
    QFETCH(int, shutType);
    QFETCH(int, icon);
    ViewsFixture fx(clockAt);
    write(fx.events(), "0", {{"altype", "shut"}, {"date", at(tomorrow)}, {"shuttype", QByteArray::number(shutType)}});
    fx.show(ViewTabShut);
    const QTreeWidgetItem* row = fx.list("ListView2")->topLevelItem(0);
    QCOMPARE(RowData::icon(row), icon);
    QCOMPARE(row->icon(0).isNull(), icon < 0);
}

void tst_ListPages::headerClicksSort_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QByteArrayList>("expected");
    // Rows a column holds equal may come back in another order when the page is filled again.
    QTest::addColumn<bool>("ties");
    const auto a = [](const char* s) -> QByteArray {
        return QByteArray("\"") + s + "\"";
    };
    QTest::newRow("alarms: description, case-insensitive")
        << int(ViewTabAl) << QByteArray("ListView1") << QList<int>{}
        << QByteArrayList{a("apple"), a("Banana"), a("cherry"), a("Date"), a("elder"), a("fig")} << false;
    QTest::newRow("alarms: description descending")
        << int(ViewTabAl) << QByteArray("ListView1") << QList<int>{1}
        << QByteArrayList{a("fig"), a("elder"), a("Date"), a("cherry"), a("Banana"), a("apple")} << false;
    QTest::newRow("alarms: date, then descending")
        << int(ViewTabAl) << QByteArray("ListView1") << QList<int>{2, 2}
        << QByteArrayList{a("fig"), a("elder"), a("Date"), a("apple"), a("cherry"), a("Banana")} << false;
    QTest::newRow("alarms: repeat every, by length")
        << int(ViewTabAl) << QByteArray("ListView1") << QList<int>{3}
        << QByteArrayList{a("cherry"), a("apple"), a("Date"), a("Banana"), a("elder"), a("fig")} << false;
    QTest::newRow("alarms: sound, No first")
        << int(ViewTabAl) << QByteArray("ListView1") << QList<int>{4}
        << QByteArrayList{a("Banana"), a("Date"), a("apple"), a("cherry"), a("elder"), a("fig")} << true;
    QTest::newRow("alarms: bypass descending")
        << int(ViewTabAl) << QByteArray("ListView1") << QList<int>{5, 5}
        << QByteArrayList{a("Banana"), a("cherry"), a("elder"), a("fig"), a("apple"), a("Date")} << true;
    QTest::newRow("power: action by number") << int(ViewTabShut) << QByteArray("ListView2") << QList<int>{}
                                             << QByteArrayList{"Shut Down", "Restart", "Log Off", "Stand By"} << false;
    QTest::newRow("power: date") << int(ViewTabShut) << QByteArray("ListView2") << QList<int>{2}
                                 << QByteArrayList{"Log Off", "Stand By", "Shut Down", "Restart"} << false;
    QTest::newRow("power: repeat, days and weeks")
        << int(ViewTabShut) << QByteArray("ListView2") << QList<int>{3}
        << QByteArrayList{"Log Off", "Stand By", "Shut Down", "Restart"} << true;
    QTest::newRow("birthdays: name") << int(ViewTabBirthDay) << QByteArray("ListView3") << QList<int>{}
                                     << QByteArrayList{"anna", "Ben", "Clara"} << false;
    QTest::newRow("birthdays: age, youngest first") << int(ViewTabBirthDay) << QByteArray("ListView3") << QList<int>{3}
                                                    << QByteArrayList{"Clara", "anna", "Ben"} << true;
    QTest::newRow("birthdays: date of birth descending")
        << int(ViewTabBirthDay) << QByteArray("ListView3") << QList<int>{2, 2} << QByteArrayList{"Clara", "anna", "Ben"}
        << true;
    QTest::newRow("birthdays: notify me before") << int(ViewTabBirthDay) << QByteArray("ListView3") << QList<int>{5}
                                                 << QByteArrayList{"Ben", "Clara", "anna"} << false;
    QTest::newRow("past: date") << int(ViewTabPast) << QByteArray("ListView4") << QList<int>{2}
                                << QByteArrayList{a("zebra"), a("Ant")} << false;
}

void tst_ListPages::headerClicksSort() {
    QFETCH(int, page);
    QFETCH(QByteArray, list);
    QFETCH(QList<int>, clicks);
    QFETCH(QByteArrayList, expected);
    QFETCH(bool, ties);
    ViewsFixture fx(clockAt);
    struct Alarm {
        const char* text;
        int days;
        const char* repeat; // repval, reptype
        const char* sound;
        const char* bypass;
    };
    // Store order differs from every expected order.
    const Alarm alarms[] = {{"Date", 4, "2,1", "0", "0"},   {"fig", 6, "9,3", "1", "1"},
                            {"apple", 3, "90,0", "1", "0"}, {"cherry", 2, "", "1", "1"},
                            {"elder", 5, "2,4", "1", "1"},  {"Banana", 1, "1,4", "0", "1"}};
    int n = 0;
    for (const Alarm& alarm : alarms) {
        const QByteArray section = QByteArray::number(n++);
        const QList<QByteArray> repeat = QByteArray(alarm.repeat).split(',');
        write(fx.events(), section,
              {{"altype", "alarm"},
               {"date", at(tomorrow.addDays(alarm.days))},
               {"linecount", "1"},
               {"0", alarm.text},
               {"sound", alarm.sound},
               {"bypass", alarm.bypass},
               {"repeat", repeat.size() == 2 ? "1" : "0"},
               {"repval", repeat.value(0)},
               {"reptype", repeat.value(1)}});
    }
    const char* const shut[][4] = {
        {"2", "1", "", ""}, {"0", "3", "1", "1"}, {"4", "2", "1", "2"}, {"1", "4", "3", "1"}};
    for (const auto& s : shut)
        write(fx.events(), QByteArray::number(n++),
              {{"altype", "shut"},
               {"shuttype", s[0]},
               {"date", at(tomorrow.addDays(QByteArray(s[1]).toInt()))},
               {"repeat", QByteArray(s[2]).isEmpty() ? "0" : "1"},
               {"repval", s[2]},
               {"reptype", s[3]}});
    // Clara is youngest; anna and Ben born the same day at different times compare equal on both dates.
    write(fx.events(), QByteArray::number(n++),
          {{"altype", "birth"},
           {"name", "Ben"},
           {"before", "0"},
           {"birthdate", at(QDateTime(QDate(1980, 6, 1), QTime(6, 0)))}});
    write(fx.events(), QByteArray::number(n++),
          {{"altype", "birth"}, {"name", "Clara"}, {"before", "2"}, {"birthdate", at(QDate(1999, 1, 1))}});
    write(fx.events(), QByteArray::number(n++),
          {{"altype", "birth"}, {"name", "anna"}, {"before", "7"}, {"birthdate", at(QDate(1980, 6, 1))}});
    write(fx.past(), "0", {{"date", at(tomorrow.addDays(2))}, {"linecount", "1"}, {"0", "Ant"}});
    write(fx.past(), "1", {{"date", at(tomorrow)}, {"linecount", "1"}, {"0", "zebra"}});

    fx.show(page);
    QTreeWidget* view = fx.list(list.constData());
    for (const int column : clicks)
        ViewsFixture::clickHeader(view, column);
    QCOMPARE(ViewsFixture::captions(view), expected);
    // The order survives a refill of the page.
    fx.show(MainTab);
    fx.show(page);
    if (!ties)
        QCOMPARE(ViewsFixture::captions(view), expected);
}

void tst_ListPages::headerClickDropsRowsOfRecordsThatHaveGone() {
    ViewsFixture fx(clockAt);
    for (const char* s : {"0", "1", "2"})
        write(fx.events(), s, {{"altype", "alarm"}, {"date", at(tomorrow)}, {"linecount", "1"}, {"0", s}});
    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    fx.events().EraseSection("1"); // fired and retired while the list was shown
    QCOMPARE(view->topLevelItemCount(), 3);
    ViewsFixture::clickHeader(view, 2);
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"0\"", "\"2\""}));
}

void tst_ListPages::headerClickKeepsTheSelectionOnItsRecord_data() {
    QTest::addColumn<int>("picked");
    QTest::addColumn<QByteArray>("gone");
    QTest::addColumn<QByteArray>("selected"); // empty: none
    QTest::newRow("picked row's record gone") << 1 << QByteArray("1") << QByteArray();
    QTest::newRow("last row's record gone") << 2 << QByteArray("2") << QByteArray();
    QTest::newRow("another record gone") << 0 << QByteArray("1") << QByteArray("\"0\"");
    QTest::newRow("record below gone") << 2 << QByteArray("0") << QByteArray("\"2\"");
}

void tst_ListPages::headerClickKeepsTheSelectionOnItsRecord() {
    QFETCH(int, picked);
    QFETCH(QByteArray, gone);
    QFETCH(QByteArray, selected);
    ViewsFixture fx(clockAt);
    for (const char* s : {"0", "1", "2"})
        write(fx.events(), s, {{"altype", "alarm"}, {"date", at(tomorrow)}, {"linecount", "1"}, {"0", s}});
    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    view->setFocus();
    ViewsFixture::selectRow(view, picked);
    fx.events().EraseSection(gone); // fired and retired while the list was shown
    ViewsFixture::clickHeader(view, 2);
    QCOMPARE(view->topLevelItemCount(), 2);
    QCOMPARE(ViewsFixture::selectedCaption(view), selected);
    QCOMPARE(fx.find<FancyButton>("Del0")->isEnabled(), !selected.isEmpty());
    QCOMPARE(fx.find<FancyButton>("Edt")->isEnabled(), !selected.isEmpty());
    // Delete with nothing picked deletes nothing.
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(view->topLevelItemCount(), selected.isEmpty() ? 2 : 1);
    QCOMPARE(fx.events().ReadSections().size(), selected.isEmpty() ? 2 : 1);
}

void tst_ListPages::categoryFilter() {
    ViewsFixture fx(clockAt);
    write(fx.form().settingsStore(), "categories", {{"count", "2"}, {"0", "Name Day"}, {"1", "Work"}});
    write(fx.events(), "0", {{"altype", "alarm"}, {"linecount", "1"}, {"0", "none"}});
    write(fx.events(), "1", {{"altype", "alarm"}, {"linecount", "1"}, {"0", "general"}, {"category", "General"}});
    write(fx.events(), "2", {{"altype", "alarm"}, {"linecount", "1"}, {"0", "name day"}, {"category", "Name Day"}});
    write(fx.events(), "3", {{"altype", "alarm"}, {"linecount", "1"}, {"0", "lower"}, {"category", "name day"}});
    fx.show(ViewTabAl);
    auto* combo = fx.find<QComboBox>("ComboBox4");
    QTreeWidget* view = fx.list("ListView1");
    QCOMPARE(combo->count(), 4);
    QCOMPARE(combo->currentText(), u"All"_qs);
    QCOMPARE(view->topLevelItemCount(), 4);

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down); // "General": no category counts as General
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"general\"", "\"none\""}));
    QTest::keyClick(combo, Qt::Key_Down); // "Name Day", exactly
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"name day\""}));
    QCOMPARE(fx.form().settingsStore().ReadInt("settings", "categoryindex", -1), 2);

    // Another list and back: the choice is read again from the settings.
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton19"), Qt::LeftButton);
    QCOMPARE(fx.current(), int(ViewTabShut));
    QTest::mouseClick(fx.find<FancyButton>("DsFancyButton13"), Qt::LeftButton);
    QCOMPARE(fx.current(), int(ViewTabAl));
    QCOMPARE(combo->currentText(), u"Name Day"_qs);
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"name day\""}));

    // The category was deleted since: the stored index points past the list, and every alarm shows.
    write(fx.form().settingsStore(), "categories", {{"count", "0"}});
    fx.show(MainTab);
    fx.show(ViewTabAl);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(view->topLevelItemCount(), 4);
}

void tst_ListPages::categoryFilterComparesNamesAsShown() {
    ViewsFixture fx(clockAt);
    write(fx.form().settingsStore(), "categories", {{"count", "1"}, {"0", "Caf\xc3\xa9"}});
    // The same name from an earlier version's file, in Windows-1252, and as UTF-8; then another.
    write(fx.events(), "0", {{"altype", "alarm"}, {"linecount", "1"}, {"0", "old"}, {"category", "Caf\xe9"}});
    write(fx.events(), "1", {{"altype", "alarm"}, {"linecount", "1"}, {"0", "new"}, {"category", "Caf\xc3\xa9"}});
    write(fx.events(), "2", {{"altype", "alarm"}, {"linecount", "1"}, {"0", "other"}, {"category", "Cafe"}});
    fx.show(ViewTabAl);
    auto* combo = fx.find<QComboBox>("ComboBox4");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::keyClick(combo, Qt::Key_Down);
    QCOMPARE(combo->currentText(), u"Caf\u00e9"_s);
    QCOMPARE(ViewsFixture::captions(fx.list("ListView1")), (QByteArrayList{"\"new\"", "\"old\""}));
}

void tst_ListPages::deleteAlarmMovesItToThePastAlarms() {
    ViewsFixture fx(clockAt);
    const char* const names[] = {"A", "B", "C", "D", "E"};
    for (int i = 0; i < 5; ++i)
        write(fx.events(), QByteArray::number(i),
              {{"bypass", "1"},
               {"altype", "alarm"},
               {"date", at(tomorrow, QTime(9, i))},
               {"repeat", "1"},
               {"repval", "1"},
               {"reptype", "2"},
               {"sound", i == 2 ? "0" : "1"},
               {"category", "Work"},
               {"linecount", "2"},
               {"0", names[i]},
               {"1", "second"},
               {"2", "stale"}});
    write(fx.past(), "0", {{"date", "1"}});
    write(fx.past(), "2", {{"date", "2"}});
    // A window still open for record 2.
    QWidget window;
    window.show();
    fx.form().schedulerHost().registry().enter(2, &window);

    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    auto* del = fx.find<FancyButton>("Del0");
    QVERIFY(!del->isEnabled());
    ViewsFixture::selectRow(view, 2);
    QVERIFY(del->isEnabled());
    QTest::mouseClick(del, Qt::LeftButton);

    QVERIFY(!fx.events().HasSection("2"));
    // The line an edit left above "linecount" moves along: a move drops no stored text.
    QCOMPARE(EditorTest::keysOf(fx.past(), "1"), (QByteArrayList{"date=" + at(tomorrow, QTime(9, 2)), "sound=0",
                                                                 "linecount=2", "0=C", "1=second", "2=stale"}));
    QVERIFY(!fx.form().schedulerHost().registry().contains(2));
    QVERIFY(window.isVisible());
    QCOMPARE(ViewsFixture::selectedCaption(view), QByteArray("\"D...\""));

    ViewsFixture::selectRow(view, 3);
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(ViewsFixture::selectedCaption(view), QByteArray("\"D...\"")); // the new last row
    QTest::mouseClick(del, Qt::LeftButton);
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"A...\""}));
    QTest::mouseClick(del, Qt::LeftButton);
    QCOMPARE(view->topLevelItemCount(), 0);
    QVERIFY(view->selectedItems().isEmpty());
    QVERIFY(!del->isEnabled());
    QVERIFY(!fx.find<FancyButton>("Edt")->isEnabled());
    QCOMPARE(fx.past().ReadSections().size(), 7);
    QVERIFY(fx.events().ReadSections().isEmpty());
}

void tst_ListPages::disableRepetitionAfterDeleteFromTheList_data() {
    QTest::addColumn<bool>("numberTakenAgain");
    QTest::newRow("the number taken by a new birthday") << true;
    QTest::newRow("the number free") << false;
}

// A repeating alarm fires and its window stays open; the alarm is deleted from the list, and "Disable Repetition"
// is clicked afterwards: the window no longer stands for any record, so neither store changes.
void tst_ListPages::disableRepetitionAfterDeleteFromTheList() {
    QFETCH(bool, numberTakenAgain);
    ViewsFixture fx(clockAt);
    write(fx.events(), "0",
          {{"altype", "alarm"},
           {"date", at(clockAt.addSecs(-30))},
           {"repeat", "1"},
           {"repval", "1"},
           {"reptype", "2"},
           {"sound", "0"},
           {"linecount", "1"},
           {"0", "Tea"}});
    fx.scheduler().TimerTimer();
    QPointer<TForm2> window;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* form2 = qobject_cast<TForm2*>(widget))
            window = form2;
    QVERIFY(window);
    QTRY_VERIFY(window->isVisible());
    QVERIFY(window->Button2->isEnabled());

    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    QCOMPARE(view->topLevelItemCount(), 1);
    ViewsFixture::selectRow(view, 0);
    QTest::mouseClick(fx.find<FancyButton>("Del0"), Qt::LeftButton);
    QVERIFY(!fx.events().HasSection("0"));
    if (numberTakenAgain)
        write(fx.events(), "0", {{"altype", "birth"}, {"name", "Ann"}, {"date", at(tomorrow)}});
    const QByteArray events = fx.events().GetXML();
    const QByteArray past = fx.past().GetXML();

    QTest::mouseClick(window->Button2, Qt::LeftButton);
    QCOMPARE(fx.events().GetXML(), events);
    QCOMPARE(fx.past().GetXML(), past);
    QVERIFY(window->isVisible());
    delete window;
}

void tst_ListPages::deleteErasesOnTheOtherLists_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<bool>("fromPast");
    QTest::newRow("power action") << int(ViewTabShut) << QByteArray("ListView2") << QByteArray("Del1") << false;
    QTest::newRow("birthday") << int(ViewTabBirthDay) << QByteArray("ListView3") << QByteArray("Del2") << false;
    QTest::newRow("past alarm") << int(ViewTabPast) << QByteArray("ListView4") << QByteArray("Del") << true;
}

void tst_ListPages::deleteErasesOnTheOtherLists() {
    QFETCH(int, page);
    QFETCH(QByteArray, list);
    QFETCH(QByteArray, button);
    QFETCH(bool, fromPast);
    ViewsFixture fx(clockAt);
    write(fx.events(), "0", {{"altype", "shut"}, {"date", at(tomorrow)}});
    write(fx.events(), "1", {{"altype", "birth"}, {"date", at(tomorrow)}, {"name", "Anna"}});
    write(fx.past(), "0", {{"date", at(tomorrow)}});
    fx.show(page);
    ViewsFixture::selectRow(fx.list(list.constData()), 0);
    QTest::mouseClick(fx.find<FancyButton>(button.constData()), Qt::LeftButton);
    QCOMPARE(fx.past().ReadSections().size(), fromPast ? 0 : 1);
    QCOMPARE(fx.events().ReadSections().size(), fromPast ? 2 : 1);
}

void tst_ListPages::editOpensTheEditor_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<bool>("select");
    QTest::addColumn<int>("editor");
    QTest::addColumn<bool>("fromList");
    QTest::addColumn<bool>("pastAlarm");
    QTest::newRow("alarm") << int(ViewTabAl) << QByteArray("ListView1") << true << int(AlarmTab) << true << false;
    QTest::newRow("alarm list, no row: a new alarm")
        << int(ViewTabAl) << QByteArray("ListView1") << false << int(AlarmTab) << false << false;
    QTest::newRow("power action") << int(ViewTabShut) << QByteArray("ListView2") << true << int(ShutTab) << true
                                  << false;
    QTest::newRow("birthday") << int(ViewTabBirthDay) << QByteArray("ListView3") << true << int(BirthTab) << true
                              << false;
    QTest::newRow("past alarm") << int(ViewTabPast) << QByteArray("ListView4") << true << int(AlarmTab) << false
                                << true;
    QTest::newRow("past list, no row: nothing")
        << int(ViewTabPast) << QByteArray("ListView4") << false << int(ViewTabPast) << false << false;
}

void tst_ListPages::editOpensTheEditor() {
    QFETCH(int, page);
    QFETCH(QByteArray, list);
    QFETCH(bool, select);
    QFETCH(int, editor);
    QFETCH(bool, fromList);
    QFETCH(bool, pastAlarm);
    ViewsFixture fx(clockAt);
    write(fx.events(), "3", {{"altype", "alarm"}, {"date", at(tomorrow)}});
    write(fx.events(), "5", {{"altype", "shut"}, {"date", at(tomorrow)}});
    write(fx.events(), "7", {{"altype", "birth"}, {"date", at(tomorrow)}, {"name", "Anna"}});
    write(fx.past(), "0", {{"date", "1"}});
    write(fx.past(), "4", {{"date", at(tomorrow)}, {"linecount", "1"}, {"0", "again"}});
    fx.show(page);
    QTreeWidget* view = fx.list(list.constData());
    if (select)
        ViewsFixture::selectRow(view, view->topLevelItemCount() - 1);
    // A double click on the empty part below the rows.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, view->viewport()->height() - 5));
    QCOMPARE(fx.current(), editor);
    QCOMPARE(fx.form().edit().editFromList, fromList);
    QCOMPARE(fx.form().edit().editPastAlarm, pastAlarm);
    if (select)
        QCOMPARE(fx.form().edit().editSection, QList<int>({0, 3, 5, 7, 4}).at(page - ViewTabAl + 1));
}

void tst_ListPages::popupMenuOnlyWithASelectedRow() {
    ViewsFixture fx(clockAt);
    write(fx.events(), "0", {{"altype", "birth"}, {"date", at(tomorrow)}, {"name", "Anna"}});
    fx.show(ViewTabBirthDay);
    QTreeWidget* view = fx.list("ListView3");
    const auto rightClick = [&] {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10),
                                view->viewport()->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(view->viewport(), &event);
    };
    rightClick();
    auto* menu = fx.form().findChild<QMenu*>(u"PopupMenu1"_qs);
    QVERIFY(!menu || !menu->isVisible());

    ViewsFixture::selectRow(view, 0);
    rightClick();
    menu = fx.form().findChild<QMenu*>(u"PopupMenu1"_qs);
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text();
    QCOMPARE(items, (QStringList{u"Edit"_s, u"Delete"_s}));
    menu->actions().at(1)->trigger();
    menu->hide();
    QVERIFY(!fx.events().HasSection("0"));
    QCOMPARE(view->topLevelItemCount(), 0);
}

void tst_ListPages::popupSkipsTheNextOccurrence_data() {
    QTest::addColumn<bool>("repeating");
    QTest::newRow("repeating alarm") << true;
    QTest::newRow("one-time alarm") << false;
}

// On the alarm list a repeating alarm's menu offers "Skip Next Occurrence": its row then shows the occurrence after
// the next, and the alarm stays on. A one-time alarm has the menu of the other lists.
void tst_ListPages::popupSkipsTheNextOccurrence() {
    QFETCH(bool, repeating);
    ViewsFixture fx(clockAt);
    const QDateTime next(tomorrow, QTime(7, 0));
    write(fx.events(), "0",
          {{"altype", "alarm"},
           {"date", at(next)},
           {"repeat", repeating ? "1" : "0"},
           {"repval", "1"},
           {"reptype", "2"},
           {"linecount", "1"},
           {"0", "Gym"}});
    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    ViewsFixture::selectRow(view, 0);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 10), view->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(view->viewport(), &event);
    auto* menu = fx.form().findChild<QMenu*>(u"PopupMenu1"_qs);
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text();
    QStringList expected{u"Edit"_s, u"Delete"_s};
    if (repeating)
        expected << u"Skip Next Occurrence"_s;
    QCOMPARE(items, expected);
    if (!repeating) {
        menu->hide();
        return;
    }
    const QString before = view->topLevelItem(0)->text(1);
    menu->actions().at(2)->trigger();
    menu->hide();
    TXMLIniFile reread(fx.events().FileName());
    QCOMPARE(reread.ReadString("0", "date", {}), at(next.addDays(1)));
    QVERIFY(reread.ReadFlag("0", "repeat", false));
    QCOMPARE(view->topLevelItemCount(), 1);
    QVERIFY(view->topLevelItem(0)->text(1) != before);
    QCOMPARE(ViewsFixture::selectedCaption(view), QByteArray("\"Gym\""));
}

void tst_ListPages::keyboard() {
    ViewsFixture fx(clockAt);
    for (const char* s : {"0", "1"})
        write(fx.events(), s, {{"altype", "alarm"}, {"date", at(tomorrow)}, {"linecount", "1"}, {"0", s}});
    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    QCOMPARE(QApplication::focusWidget(), view);

    // Tab reaches every control of the page and comes back to the list.
    ViewsFixture::selectRow(view, 0);
    QSet<QString> reached;
    for (int i = 0; i < 14 && (i == 0 || QApplication::focusWidget() != view); ++i) {
        reached << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (const char* name : {"ListView1", "ComboBox4", "myLabel3d27", "DsFancyButton20", "DsFancyButton19",
                             "DsFancyButton18", "DsFancyButton12", "DsFancyButton8", "Del0", "Edt"})
        QVERIFY2(reached.contains(QLatin1String(name)), name);

    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(view->topLevelItemCount(), 1);
    QTest::keyClick(view, Qt::Key_Return);
    QCOMPARE(fx.current(), int(AlarmTab));
    QVERIFY(fx.form().edit().editFromList);
    QCOMPARE(fx.form().edit().editSection, 1);

    fx.form().clearModeFlags();
    fx.show(ViewTabAl);
    QTest::keyClick(view, Qt::Key_Escape);
    QTRY_COMPARE(fx.current(), int(MainTab));
}

void tst_ListPages::menuKeyOpensWithEditActive() {
    ViewsFixture fx(clockAt);
    write(fx.events(), "0", {{"altype", "alarm"}, {"date", at(tomorrow)}, {"linecount", "1"}, {"0", "Dentist"}});
    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    ViewsFixture::selectRow(view, 0);
    view->setFocus();
    // What the Menu key sends to the list.
    const QPoint at = view->visualRect(view->currentIndex()).center();
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, at, view->mapToGlobal(at));
    QApplication::sendEvent(view, &menuKey);
    auto* menu = fx.form().findChild<QMenu*>(u"PopupMenu1"_qs);
    QVERIFY(menu);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(menu->activeAction());
    QCOMPARE(menu->activeAction()->text(), u"Edit"_s);
    // One Return takes it.
    QTest::keyClick(menu, Qt::Key_Return);
    QTRY_COMPARE(fx.current(), int(AlarmTab));
    QVERIFY(fx.form().edit().editFromList);
    QCOMPARE(fx.form().edit().editSection, 0);
}

// Shift+Tab from the rows reaches the column headers; Left and Right choose a column, Space or Enter sorts by it
// as a click would.
void tst_ListPages::headerSortsFromTheKeyboard() {
    ViewsFixture fx(clockAt);
    write(fx.events(), "0", {{"altype", "alarm"}, {"date", at(tomorrow.addDays(2))}, {"linecount", "1"}, {"0", "a"}});
    write(fx.events(), "1", {{"altype", "alarm"}, {"date", at(tomorrow)}, {"linecount", "1"}, {"0", "b"}});
    fx.show(ViewTabAl);
    QTreeWidget* view = fx.list("ListView1");
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"a\"", "\"b\""}));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab, Qt::ShiftModifier);
    QHeaderView* header = view->header();
    QCOMPARE(QApplication::focusWidget(), header);

    QTest::keyClick(header, Qt::Key_Right);
    QTest::keyClick(header, Qt::Key_Space);
    QCOMPARE(fx.find<AlarmListPage>("ViewTabAl")->sortState(), 2);
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"b\"", "\"a\""}));
    QTest::keyClick(header, Qt::Key_Return);
    QCOMPARE(fx.find<AlarmListPage>("ViewTabAl")->sortState(), -2);
    QCOMPARE(ViewsFixture::captions(view), (QByteArrayList{"\"a\"", "\"b\""}));
    QCOMPARE(fx.current(), int(ViewTabAl)); // Enter sorted; it did not edit
    QTest::keyClick(header, Qt::Key_Left);
    QTest::keyClick(header, Qt::Key_Space);
    QCOMPARE(fx.find<AlarmListPage>("ViewTabAl")->sortState(), 1);
    // The chosen column is framed while the header has the focus.
    const QImage framed = header->grab().toImage();
    // Tab goes on to the rows.
    QTest::keyClick(header, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), view);
    QVERIFY(header->grab().toImage() != framed);
}

QTEST_MAIN(tst_ListPages)
#include "tst_ListPages.moc"
