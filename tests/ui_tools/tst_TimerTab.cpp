#include "ManualClock.h"
#include "fakes/FakePlatform.h"
#include "scheduler/TestClock.h"
#include "support/Caption.h"

#include "support/PageFixture.h"

#include "app/SchedulerHost.h"
#include "context/PageIndex.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/tools/TimerPage.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/LabelToggle.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SpinEdit.h"
#include "widgets/Theme.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

// The launcher page on its own, with a wall clock the test sets and an elapsed clock it moves; sounds go to fake
// players and messages are answered at once.
struct TimerFixture {
    TimerFixture() {
        pages.context.soundPlayerFactory = [this] {
            return players.factory();
        };
        pages.context.defaultSoundFile = &SchedulerHost::defaultSoundFile;
        page->clock = &elapsed;
        page->alert = [this](QWidget*) {
            ++alerts;
        };
        pages.show();
    }

    void showPage(int index) { pages.navigation.showPage(index); }
    int currentPage() const { return pages.currentPage(); }
    QWidget* window() { return &pages.window; }

    void setLength(int days, int hours, int minutes, int seconds) const {
        QTest::mouseClick(page->myLabel3d25, Qt::LeftButton);
        page->CSpinEdit8->setValue(days);
        page->CSpinEdit9->setValue(hours);
        page->CSpinEdit10->setValue(minutes);
        page->CSpinEdit11->setValue(seconds);
    }
    TForm7* ok() const {
        const int before = int(page->openWindows().size());
        QTest::mouseClick(page->DsFancyButton52, Qt::LeftButton);
        const QList<TForm7*> windows = page->openWindows();
        return windows.size() > before ? windows.last() : nullptr;
    }

    // Two seconds before summer time.
    PageFixture<TimerPage> pages{TimerTab, &TimerPage::TimerTabShow, QDateTime(QDate(2026, 3, 29), QTime(1, 59, 58))};
    TestClock& wall = pages.clock;
    ManualClock elapsed;
    FakeSoundPlayers players;
    int alerts = 0;
    TimerPage* page = pages.page;
};

bool lengthEnabled(const TimerPage& page) {
    const QList<QWidget*> controls{
        page.CSpinEdit8,      page.CSpinEdit9,      page.CSpinEdit10,     page.CSpinEdit11,     page.myaSuperLabel72,
        page.myaSuperLabel70, page.myaSuperLabel71, page.myaSuperLabel69, page.myaSuperLabel76, page.CheckBox25};
    const bool first = controls.first()->isEnabled();
    for (const QWidget* control : controls)
        if (control->isEnabled() != first)
            qFatal("%s is out of step", qPrintable(control->objectName()));
    return first;
}

} // namespace

class TestTimerTab : public QObject {
    Q_OBJECT

private slots:
    void showResetsThePage();
    void choicesEnableTheLength();
    void zeroLengthIsRefused();
    void countdownWindowShowsItsLength_data();
    void countdownWindowShowsItsLength();
    void windowsRunIndependently();
    void doubleClickOpensAtOnce();
    void expiryPlaysTheToolsOwnSound();
    void wallClockJumpChangesNothing();
};

void TestTimerTab::showResetsThePage() {
    TimerFixture f;
    f.setLength(1, 2, 3, 4);
    f.page->CheckBox25->setChecked(false);
    f.showPage(MainTab);
    f.showPage(TimerTab);
    QCOMPARE(f.page->myaSuperLabel68->text(), QStringLiteral("Timer - CountDown"));
    QVERIFY(f.page->CheckBox25->isChecked());
    for (const SpinEdit* edit : {f.page->CSpinEdit8, f.page->CSpinEdit9, f.page->CSpinEdit10, f.page->CSpinEdit11})
        QCOMPARE(edit->value(), 0);
    QVERIFY(f.page->myLabel3d24->isChosen());
    QCOMPARE(f.page->myLabel3d24->captionColour(), QColor(230, 224, 0));
    QCOMPARE(f.page->myLabel3d25->captionColour(), QColor(224, 224, 224));
    QVERIFY(!lengthEnabled(*f.page));
    QCOMPARE(f.page->CSpinEdit8->maximum(), 99);
    QCOMPARE(f.page->CSpinEdit9->maximum(), 23);
    QCOMPARE(f.page->CSpinEdit10->maximum(), 59);
    QCOMPARE(f.page->CSpinEdit11->maximum(), 59);
}

void TestTimerTab::choicesEnableTheLength() {
    TimerFixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.window()));
    // A disabled label toggle takes no clicks.
    QTest::mouseClick(f.page->myaSuperLabel76, Qt::LeftButton);
    QVERIFY(f.page->CheckBox25->isChecked());

    QTest::mouseClick(f.page->myLabel3d25, Qt::LeftButton);
    QVERIFY(f.page->myLabel3d25->isChosen());
    QVERIFY(!f.page->myLabel3d24->isChosen());
    QVERIFY(lengthEnabled(*f.page));
    QTest::mouseClick(f.page->myaSuperLabel76, Qt::LeftButton);
    QVERIFY(!f.page->CheckBox25->isChecked());

    // Only digits reach the fields, and a number beyond the range is brought into it.
    f.page->CSpinEdit9->setFocus();
    f.page->CSpinEdit9->selectAll();
    QTest::keyClicks(f.page->CSpinEdit9, QStringLiteral("-4x7"));
    QCOMPARE(f.page->CSpinEdit9->entryValue(), 23);

    QTest::mouseClick(f.page->myLabel3d24, Qt::LeftButton);
    QVERIFY(!lengthEnabled(*f.page));
}

void TestTimerTab::zeroLengthIsRefused() {
    TimerFixture f;
    f.setLength(0, 0, 0, 0);
    QCOMPARE(f.ok(), nullptr);
    QCOMPARE(TMsgfrm::autoAnswered(), QStringList{QStringLiteral("No Countdown Set.")});
    QCOMPARE(f.currentPage(), int(TimerTab));
}

void TestTimerTab::countdownWindowShowsItsLength_data() {
    QTest::addColumn<QList<int>>("length");
    QTest::addColumn<QString>("display");
    QTest::newRow("one second") << QList<int>{0, 0, 0, 1} << "00:00:00:01:000";
    QTest::newRow("every field") << QList<int>{1, 2, 3, 4} << "01:02:03:04:000";
    QTest::newRow("longest") << QList<int>{99, 23, 59, 59} << "99:23:59:59:000";
}

void TestTimerTab::countdownWindowShowsItsLength() {
    QFETCH(QList<int>, length);
    QFETCH(QString, display);
    TimerFixture f;
    f.setLength(length[0], length[1], length[2], length[3]);
    TForm7* window = f.ok();
    QVERIFY(window != nullptr);
    QVERIFY(window->isVisible());
    QVERIFY(window->isCountdown());
    QCOMPARE(window->myaSuperLabel68->text(), QStringLiteral("Countdown"));
    QCOMPARE(window->Edit2->text(), display);
    QCOMPARE(Caption::shown(window->DsFancyButton1->text()), QStringLiteral("Start"));
    QCOMPARE(f.currentPage(), int(MainTab));
    // The launcher keeps what was set.
    QCOMPARE(f.page->CSpinEdit8->value(), length[0]);
    QCOMPARE(f.page->CSpinEdit11->value(), length[3]);
}

void TestTimerTab::windowsRunIndependently() {
    TimerFixture f;
    TForm7* stopwatch = f.ok();
    f.showPage(TimerTab);
    TForm7* second = f.ok();
    QVERIFY(stopwatch != nullptr && second != nullptr && stopwatch != second);
    QCOMPARE(stopwatch->myaSuperLabel68->text(), QStringLiteral("Timer"));
    QTest::mouseClick(stopwatch->DsFancyButton1, Qt::LeftButton);
    f.elapsed.advance(2500);
    QTRY_COMPARE(stopwatch->Edit2->text(), QStringLiteral("00:00:00:02:500"));
    QTest::mouseClick(second->DsFancyButton1, Qt::LeftButton);
    f.elapsed.advance(1000);
    QTRY_COMPARE(second->Edit2->text(), QStringLiteral("00:00:00:01:000"));
    QTRY_COMPARE(stopwatch->Edit2->text(), QStringLiteral("00:00:00:03:500"));

    QVERIFY(second->close());
    QTRY_COMPARE(f.page->openWindows(), QList<TForm7*>{stopwatch});
    QCOMPARE(Caption::shown(stopwatch->DsFancyButton1->text()), QStringLiteral("Pause"));
}

void TestTimerTab::doubleClickOpensAtOnce() {
    TimerFixture f;
    QTest::mouseDClick(f.page->myLabel3d24, Qt::LeftButton);
    QCOMPARE(f.page->openWindows().size(), 1);
    QCOMPARE(f.page->openWindows().first()->myaSuperLabel68->text(), QStringLiteral("Timer"));
    QCOMPARE(f.currentPage(), int(MainTab));
}

void TestTimerTab::expiryPlaysTheToolsOwnSound() {
    TimerFixture f;
    f.setLength(0, 0, 0, 2);
    TForm7* window = f.ok();
    QTest::mouseClick(window->DsFancyButton1, Qt::LeftButton);
    f.elapsed.advance(2000);
    QTRY_VERIFY(!window->DsFancyButton1->isEnabled());
    QCOMPARE(f.alerts, 1);
    QVERIFY(f.players.last() != nullptr);
    QCOMPARE(f.players.last()->plays, QStringList{SchedulerHost::defaultSoundFile()});
}

// The stopwatch and the countdown run across a move of the wall clock by an hour (here the change to summer
// time, and then the user setting the clock back) as if nothing had happened.
void TestTimerTab::wallClockJumpChangesNothing() {
    TimerFixture f;
    TForm7* stopwatch = f.ok();
    f.showPage(TimerTab);
    f.setLength(0, 1, 0, 0);
    TForm7* countdown = f.ok();
    QTest::mouseClick(stopwatch->DsFancyButton1, Qt::LeftButton);
    QTest::mouseClick(countdown->DsFancyButton1, Qt::LeftButton);

    f.wall.advance(2000);
    f.elapsed.advance(2000);
    f.wall.jump(-3'600'000);
    QTRY_COMPARE(stopwatch->Edit2->text(), QStringLiteral("00:00:00:02:000"));
    QTRY_COMPARE(countdown->Edit2->text(), QStringLiteral("00:00:59:58:000"));
    f.wall.jump(2 * 3'600'000);
    QTest::qWait(3 * TForm7::RefreshMs);
    QCOMPARE(stopwatch->Edit2->text(), QStringLiteral("00:00:00:02:000"));
    QCOMPARE(countdown->Edit2->text(), QStringLiteral("00:00:59:58:000"));
    QVERIFY(countdown->DsFancyButton1->isEnabled());

    // It ends one real hour after "Start".
    f.elapsed.advance(3'600'000 - 2001);
    QTRY_COMPARE(countdown->Edit2->text(), QStringLiteral("00:00:00:00:001"));
    QVERIFY(countdown->DsFancyButton1->isEnabled());
    f.elapsed.advance(1);
    QTRY_VERIFY(!countdown->DsFancyButton1->isEnabled());
}

QTEST_MAIN(TestTimerTab)
#include "tst_TimerTab.moc"
