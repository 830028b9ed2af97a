#include "MainWindowFixture.h"
#include "support/Caption.h"

#include "app/AboutPage.h"
#include "app/MainMenuPage.h"
#include "context/PageIndex.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/IconLabel.h"
#include "widgets/ShadowLabel.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

const QColor chosen(230, 224, 0);
const QColor unchosen(224, 224, 224);
const QColor hover(255, 255, 255);

const char* const captionNames[] = {"myLabel3d1",  "myLabel3d2",  "myLabel3d3",  "myLabel3d4",
                                    "myLabel3d26", "myLabel3d20", "myLabel3d19", "myLabel3d21"};
const char* const markerNames[] = {"RadioButton3",  "RadioButton4", "RadioButton5",  "RadioButton6",
                                   "RadioButton11", "RadioButton9", "RadioButton10", "RadioButton12"};

void press(MainWindowFixture& f, int key) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : f.form.get();
    QTest::keyClick(target, Qt::Key(key));
}

// Exactly one entry looks chosen, and it is the one menuChoice names.
QString selectionProblem(const MainWindowFixture& f, int expected) {
    if (f.form->edit().menuChoice != expected)
        return QStringLiteral("menuChoice is %1").arg(f.form->edit().menuChoice);
    const MainMenuPage& menu = *f.form->mainMenu;
    for (int k = 1; k <= 8; ++k) {
        const bool on = k == expected;
        if (menu.caption(k)->captionColour() != (on ? chosen : unchosen))
            return QStringLiteral("caption %1 has the wrong colour").arg(k);
        if (menu.image(k)->isLit() != on)
            return QStringLiteral("icon %1 shows the wrong picture").arg(k);
        if (f.find<QRadioButton>(markerNames[k - 1])->isChecked() != on)
            return QStringLiteral("marker %1 is wrong").arg(k);
    }
    return {};
}

} // namespace

class TestMainMenu : public QObject {
    Q_OBJECT

private slots:
    void startChoosesNewAlarmAndEnterOpensIt();
    void clickingTheChosenEntryChangesNothing();
    void clickChoosesAnEntry();
    void doubleClickChoosesAndOpens_data();
    void doubleClickChoosesAndOpens();
    void viewEditEventsFollowsClassic_data();
    void viewEditEventsFollowsClassic();
    void rightWalksAcrossTheColumns();
    void keyboardTable_data();
    void keyboardTable();
    void keysActOnlyWhileTheMenuIsAttached();
    void hoverLightsOnlyUnchosenEntries();
    void aboutIconAndBack();
    void keyboardOnlyRoundTrip();
    void updateIconAsksForTheCheck();
    void enterMeansNextAfterAnIcon();
};

void TestMainMenu::startChoosesNewAlarmAndEnterOpensIt() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    QCOMPARE(f.page(), int(MainTab));
    QCOMPARE(selectionProblem(f, 1), QString());
    QCOMPARE(Caption::shown(f.find<ChoiceLabel>("myLabel3d1")->text()), QStringLiteral("New Alarm"));
    QCOMPARE(Caption::shown(f.find<FancyButton>("DsFancyButton1")->text()), QStringLiteral("Next>>"));

    press(f, Qt::Key_Return);
    QCOMPARE(f.page(), int(AlarmTab));
}

void TestMainMenu::clickingTheChosenEntryChangesNothing() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    QTest::mouseClick(f.find<ChoiceLabel>("myLabel3d1"), Qt::LeftButton);
    QTest::mouseClick(f.find<IconLabel>("Image9"), Qt::LeftButton);
    QCOMPARE(selectionProblem(f, 1), QString());
    QCOMPARE(f.page(), int(MainTab));
    QVERIFY(f.form->mainMenu->keyboardMenuAttached());
}

void TestMainMenu::clickChoosesAnEntry() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    QTest::mouseClick(f.find<ChoiceLabel>("myLabel3d19"), Qt::LeftButton);
    QCOMPARE(selectionProblem(f, 7), QString());
    // The picture beside a caption is part of the entry.
    QTest::mouseClick(f.find<IconLabel>("Image5"), Qt::LeftButton);
    QCOMPARE(selectionProblem(f, 2), QString());
    QCOMPARE(f.page(), int(MainTab));
}

void TestMainMenu::doubleClickChoosesAndOpens_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("page");
    QTest::newRow("New Alarm") << 1 << int(AlarmTab);
    QTest::newRow("Schedule Shut Down") << 2 << int(ShutTab);
    QTest::newRow("Add Birthday") << 3 << int(BirthTab);
    QTest::newRow("View/Edit Events") << 4 << int(ViewTabAl);
    QTest::newRow("Timer-Countdown") << 5 << int(TimerTab);
    QTest::newRow("Address Book") << 6 << int(AddressTab);
    QTest::newRow("Diary") << 7 << int(CalendarTab);
    QTest::newRow("Settings") << 8 << int(SetTab);
}

void TestMainMenu::doubleClickChoosesAndOpens() {
    QFETCH(int, entry);
    QFETCH(int, page);
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    // What the window system sends: a click, then the second press as a double click.
    auto* label = f.find<ChoiceLabel>(captionNames[entry - 1]);
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::mouseDClick(label, Qt::LeftButton);
    QCOMPARE(f.form->edit().menuChoice, entry);
    QCOMPARE(f.page(), page);
}

void TestMainMenu::viewEditEventsFollowsClassic_data() {
    QTest::addColumn<QByteArray>("classic"); // empty: the key is missing
    QTest::addColumn<int>("listPage");
    QTest::addColumn<int>("page");
    QTest::newRow("missing key means classic") << QByteArray() << 1 << int(ViewTabAl);
    QTest::newRow("classic, alarm list") << QByteArray("1") << 1 << int(ViewTabAl);
    QTest::newRow("classic, list filled last") << QByteArray("1") << 3 << int(ViewTabBirthDay);
    QTest::newRow("classic, past alarms") << QByteArray("1") << 4 << int(ViewTabPast);
    QTest::newRow("calendar view") << QByteArray("0") << 3 << int(EditTab);
}

void TestMainMenu::viewEditEventsFollowsClassic() {
    QFETCH(QByteArray, classic);
    QFETCH(int, listPage);
    QFETCH(int, page);
    MainWindowFixture f(classic.isEmpty() ? QList<QPair<QByteArray, QByteArray>>{}
                                          : QList<QPair<QByteArray, QByteArray>>{{"classic", classic}});
    QVERIFY(f.waitUntilActive());
    f.form->edit().listPage = listPage;
    QTest::mouseClick(f.find<ChoiceLabel>("myLabel3d4"), Qt::LeftButton);
    QTest::mouseClick(f.find<FancyButton>("DsFancyButton1"), Qt::LeftButton);
    QCOMPARE(f.page(), page);
}

void TestMainMenu::rightWalksAcrossTheColumns() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    QList<int> seen;
    for (int i = 0; i < 4; ++i) {
        press(f, Qt::Key_Right);
        seen << f.form->edit().menuChoice;
    }
    QCOMPARE(seen, (QList<int>{5, 2, 6, 3}));
    QCOMPARE(selectionProblem(f, 3), QString());
}

void TestMainMenu::keyboardTable_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    const int table[8][4] = {{8, 2, 8, 5}, {1, 3, 5, 6}, {2, 4, 6, 7}, {3, 5, 7, 8},
                             {4, 6, 1, 2}, {5, 7, 2, 3}, {6, 8, 3, 4}, {7, 1, 4, 1}};
    const std::pair<int, const char*> keys[] = {
        {Qt::Key_Up, "Up"}, {Qt::Key_Down, "Down"}, {Qt::Key_Left, "Left"}, {Qt::Key_Right, "Right"}};
    for (int from = 1; from <= 8; ++from)
        for (int k = 0; k < 4; ++k)
            QTest::addRow("%d %s", from, keys[k].second) << from << keys[k].first << table[from - 1][k];
}

void TestMainMenu::keyboardTable() {
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, to);
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    f.form->mainMenu->selectEntry(from);
    press(f, key);
    QCOMPARE(selectionProblem(f, to), QString());
    QCOMPARE(f.page(), int(MainTab));
}

void TestMainMenu::keysActOnlyWhileTheMenuIsAttached() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    QTest::mouseClick(f.find<FancyButton>("DsFancyButton1"), Qt::LeftButton);
    QCOMPARE(f.page(), int(AlarmTab));
    press(f, Qt::Key_Down);
    press(f, Qt::Key_Right);
    QCOMPARE(f.form->edit().menuChoice, 1);
    QCOMPARE(f.page(), int(AlarmTab));
    QVERIFY(!f.form->PageControl1->actions().contains(f.form->mainMenu->Enter1));

    // Back on the main menu, the keys are attached again.
    f.form->showPage(MainTab);
    press(f, Qt::Key_Down);
    QCOMPARE(selectionProblem(f, 2), QString());
    press(f, Qt::Key_Enter);
    QCOMPARE(f.page(), int(ShutTab));
}

void TestMainMenu::hoverLightsOnlyUnchosenEntries() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    auto* shutDown = f.find<ChoiceLabel>("myLabel3d2");
    auto* shutDownIcon = f.find<IconLabel>("Image5");
    auto* newAlarm = f.find<ChoiceLabel>("myLabel3d1");

    QTest::mouseMove(shutDown);
    QTRY_COMPARE(shutDown->captionColour(), hover);
    QVERIFY(shutDownIcon->isLit());

    QTest::mouseMove(newAlarm);
    QTRY_COMPARE(shutDown->captionColour(), unchosen);
    QVERIFY(!shutDownIcon->isLit());
    QCOMPARE(newAlarm->captionColour(), chosen);
    QVERIFY(f.find<IconLabel>("Image9")->isLit());
}

void TestMainMenu::aboutIconAndBack() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    auto* icon = f.find<IconLabel>("Image12");
    QCOMPARE(icon->toolTip(), QStringLiteral("About Zentick..."));
    QTest::mouseMove(icon);
    QTRY_VERIFY(icon->isLit());
    QTest::mouseMove(f.find<FancyButton>("DsFancyButton1"));
    QTRY_VERIFY(!icon->isLit());

    QTest::mouseClick(icon, Qt::LeftButton);
    QCOMPARE(f.page(), int(AboutTab));
    QCOMPARE(f.form->about->myaSuperLabel20->text(), QStringLiteral("Zentick®"));
    QVERIFY(!f.form->about->myaSuperLabel23->text().isEmpty());
    QTest::mouseClick(f.find<FancyButton>("DsFancyButton30"), Qt::LeftButton);
    QCOMPARE(f.page(), int(MainTab));

    QTest::mouseClick(icon, Qt::LeftButton);
    press(f, Qt::Key_Escape);
    QTRY_COMPARE(f.page(), int(MainTab));
}

// Tab goes round from "Next>>" to the chosen entry (the page's top) and on to the About icon, where Enter opens
// About rather than the chosen entry; Escape comes back and the focus is on "Next>>" again.
void TestMainMenu::keyboardOnlyRoundTrip() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    QTRY_COMPARE(QApplication::focusWidget(), f.find<QWidget>("DsFancyButton1"));
    press(f, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("myLabel3d1"));
    press(f, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("Image12"));
    press(f, Qt::Key_Return);
    QCOMPARE(f.page(), int(AboutTab));
    QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("DsFancyButton30"));
    press(f, Qt::Key_Escape);
    QTRY_COMPARE(f.page(), int(MainTab));
    QCOMPARE(QApplication::focusWidget(), f.find<QWidget>("DsFancyButton1"));
    press(f, Qt::Key_Return);
    QCOMPARE(f.page(), int(AlarmTab));
}

void TestMainMenu::updateIconAsksForTheCheck() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    QSignalSpy asked(f.form->mainMenu, &MainMenuPage::updateCheckRequested);
    auto* icon = f.find<IconLabel>("Image11");
    QCOMPARE(icon->toolTip(), QStringLiteral("Check for Updates"));
    QTest::mouseClick(icon, Qt::LeftButton);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(f.page(), int(MainTab));
}

// A click on an icon leaves the focus where it was, and choosing an entry brings it back to "Next>>" from an icon
// that Tab had reached: Enter then opens the chosen entry.
void TestMainMenu::enterMeansNextAfterAnIcon() {
    MainWindowFixture f;
    QVERIFY(f.waitUntilActive());
    // The check itself would go to the network; here only the request counts.
    QObject::disconnect(f.form->mainMenu, &MainMenuPage::updateCheckRequested, f.form.get(), nullptr);
    QSignalSpy asked(f.form->mainMenu, &MainMenuPage::updateCheckRequested);
    QTest::mouseClick(f.find<IconLabel>("Image11"), Qt::LeftButton);
    QCOMPARE(asked.count(), 1);
    press(f, Qt::Key_Return);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(f.page(), int(AlarmTab));

    f.form->showPage(MainTab);
    f.find<QWidget>("Image11")->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(f.find<ChoiceLabel>("myLabel3d19"), Qt::LeftButton);
    press(f, Qt::Key_Return);
    QCOMPARE(asked.count(), 1);
    QCOMPARE(f.page(), int(CalendarTab));
}

QTEST_MAIN(TestMainMenu)
#include "tst_MainMenu.moc"
