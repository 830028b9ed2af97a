#include "context/EditRoute.h"
#include "context/PageIndex.h"

#include <QTest>

using EditRoute::Action;
using EditRoute::Editor;
using EditRoute::Origin;

Q_DECLARE_METATYPE(EditRoute::Editor)
Q_DECLARE_METATYPE(EditRoute::Origin)
Q_DECLARE_METATYPE(EditRoute::Action)

namespace {

// The session an editor sees when it was opened from origin.
EditSession sessionFrom(Origin origin) {
    EditSession edit;
    edit.menuChoice = 1;
    switch (origin) {
    case Origin::Menu:
        break;
    case Origin::ViewEditMenu:
        edit.menuChoice = 4;
        break;
    case Origin::List:
        edit.editFromList = true;
        break;
    case Origin::PastList:
        edit.editPastAlarm = true;
        break;
    case Origin::DayList:
        edit.editFromCalendar = true;
        break;
    }
    return edit;
}

} // namespace

class tst_EditRoute : public QObject {
    Q_OBJECT
private slots:
    void everyWayOut_data();
    void everyWayOut();
    void originOfTheFlags_data();
    void originOfTheFlags();
    void commitFromACalendarReachedThroughAList();
};

void tst_EditRoute::everyWayOut_data() {
    QTest::addColumn<Editor>("editor");
    QTest::addColumn<Origin>("origin");
    QTest::addColumn<Action>("action");
    QTest::addColumn<int>("page");

    const struct {
        const char* name;
        Editor editor;
        Origin origin;
        int back;
        int commit;
    } rows[] = {
        {"alarm from the menu", Editor::Alarm, Origin::Menu, MainTab, MainTab},
        {"alarm from View/Edit", Editor::Alarm, Origin::ViewEditMenu, ViewTabAl, ViewTabAl},
        {"alarm from its list", Editor::Alarm, Origin::List, ViewTabAl, ViewTabAl},
        {"alarm from the past alarms", Editor::Alarm, Origin::PastList, ViewTabPast, ViewTabAl},
        {"alarm from the calendar", Editor::Alarm, Origin::DayList, EditViewTab, EditTab},
        {"power action from the menu", Editor::PowerAction, Origin::Menu, MainTab, MainTab},
        {"power action from View/Edit", Editor::PowerAction, Origin::ViewEditMenu, ViewTabShut, ViewTabShut},
        {"power action from its list", Editor::PowerAction, Origin::List, ViewTabShut, ViewTabShut},
        {"power action from the calendar", Editor::PowerAction, Origin::DayList, EditViewTab, EditTab},
        {"birthday from the menu", Editor::Birthday, Origin::Menu, MainTab, MainTab},
        {"birthday from View/Edit", Editor::Birthday, Origin::ViewEditMenu, ViewTabBirthDay, ViewTabBirthDay},
        {"birthday from its list", Editor::Birthday, Origin::List, ViewTabBirthDay, ViewTabBirthDay},
        {"birthday from the calendar", Editor::Birthday, Origin::DayList, EditViewTab, EditTab},
    };
    for (const auto& row : rows) {
        QTest::addRow("%s, <<Back", row.name) << row.editor << row.origin << Action::Back << row.back;
        QTest::addRow("%s, commit", row.name) << row.editor << row.origin << Action::Commit << row.commit;
    }
}

// The table, and leave() through the flags the pages set: the page reached and no flag of the way out left set
// (but the calendar's, which the calendar view clears when it shows the committed month).
void tst_EditRoute::everyWayOut() {
    QFETCH(Editor, editor);
    QFETCH(Origin, origin);
    QFETCH(Action, action);
    QFETCH(int, page);

    QCOMPARE(EditRoute::target(editor, origin, action), page);

    EditSession edit = sessionFrom(origin);
    QCOMPARE(EditRoute::origin(edit, editor), origin);
    const std::vector<int> pages = EditRoute::leave(edit, editor, action);
    QCOMPARE(pages, std::vector<int>{page});
    QVERIFY(!edit.editFromList);
    QVERIFY(!edit.editPastAlarm);
    QCOMPARE(edit.editFromCalendar, origin == Origin::DayList && action == Action::Commit);
}

void tst_EditRoute::originOfTheFlags_data() {
    QTest::addColumn<bool>("past");
    QTest::addColumn<bool>("calendar");
    QTest::addColumn<bool>("list");
    QTest::addColumn<int>("menuChoice");
    QTest::addColumn<Editor>("editor");
    QTest::addColumn<Origin>("origin");

    QTest::newRow("past before the calendar") << true << true << false << 1 << Editor::Alarm << Origin::PastList;
    QTest::newRow("a past alarm is the alarm editor's only")
        << true << false << false << 1 << Editor::PowerAction << Origin::Menu;
    QTest::newRow("calendar before the list") << false << true << true << 4 << Editor::Birthday << Origin::DayList;
    QTest::newRow("list before View/Edit") << false << false << true << 4 << Editor::Alarm << Origin::List;
    QTest::newRow("View/Edit without a row")
        << false << false << false << 4 << Editor::PowerAction << Origin::ViewEditMenu;
}

void tst_EditRoute::originOfTheFlags() {
    QFETCH(bool, past);
    QFETCH(bool, calendar);
    QFETCH(bool, list);
    QFETCH(int, menuChoice);
    QFETCH(Editor, editor);
    QFETCH(Origin, origin);

    EditSession edit;
    edit.editPastAlarm = past;
    edit.editFromCalendar = calendar;
    edit.editFromList = list;
    edit.menuChoice = menuChoice;
    QCOMPARE(EditRoute::origin(edit, editor), origin);
}

// The list page the calendar was reached from is shown on the way, so it is the list filled last.
void tst_EditRoute::commitFromACalendarReachedThroughAList() {
    EditSession edit = sessionFrom(Origin::DayList);
    edit.menuChoice = 4;
    QCOMPARE(EditRoute::leave(edit, Editor::Birthday, Action::Commit), (std::vector<int>{ViewTabBirthDay, EditTab}));
    edit.editFromCalendar = true;
    QCOMPARE(EditRoute::leave(edit, Editor::Birthday, Action::Back), std::vector<int>{EditViewTab});
    QVERIFY(!edit.editFromCalendar);
}

QTEST_GUILESS_MAIN(tst_EditRoute)
#include "tst_EditRoute.moc"
