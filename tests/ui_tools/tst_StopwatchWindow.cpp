#include "ManualClock.h"
#include "fakes/FakePlatform.h"
#include "support/Caption.h"

#include "ui/tools/StopwatchText.h"
#include "ui/tools/TForm7.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

constexpr qint64 Second = 1000;
constexpr qint64 Day = 86'400'000;

// One window on a hand-moved clock, with a fake player and the alerts counted.
struct WindowFixture {
    WindowFixture() {
        StopwatchServices services;
        services.clock = &clock;
        services.makeSoundPlayer = players.factory();
        services.soundFile = QStringLiteral("/opt/zentick/hurryup.mid");
        services.alert = [this](QWidget*) {
            ++alerts;
        };
        window = new TForm7(std::move(services));
        window->show();
    }
    ~WindowFixture() { delete window.data(); }

    QString display() const { return window->Edit2->text(); }
    QString state() const { return Caption::shown(window->DsFancyButton1->text()); }
    void press() const { QTest::mouseClick(window->DsFancyButton1, Qt::LeftButton); }
    void reset() const { QTest::mouseClick(window->DsFancyButton2, Qt::LeftButton); }
    // Time passes and the display catches up at its next refresh.
    bool runFor(qint64 ms, const QString& expected) {
        clock.advance(ms);
        return QTest::qWaitFor([&] { return display() == expected; }, 2000);
    }

    ManualClock clock;
    FakeSoundPlayers players;
    int alerts = 0;
    QPointer<TForm7> window;
};

} // namespace

class TestStopwatchWindow : public QObject {
    Q_OBJECT

private slots:
    void displayText_data();
    void displayText();
    void timeSeparatorOfLocale_data();
    void timeSeparatorOfLocale();
    void newWindowIsReadyAndOnItsOwn();
    void stopwatchPauseContinueReset();
    void countdownPauseContinueAndEndsOnTime();
    void expiry_data();
    void expiry();
    void unplayableSoundLeavesSilence();
    void sleepCountsTowardsTheEnd();
    void refreshOnlyWhileSeen_data();
    void refreshOnlyWhileSeen();
    void closingDestroysTheWindow();
};

void TestStopwatchWindow::displayText_data() {
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "00:00:00:00:000";
    QTest::newRow("one second") << Second << "00:00:00:01:000";
    QTest::newRow("every field") << Day + 2 * 3'600'000 + 3 * 60'000 + 4005 << "01:02:03:04:005";
    QTest::newRow("seven days") << 7 * Day << "07:00:00:00:000";
    QTest::newRow("last ms of a day") << Day - 1 << "00:23:59:59:999";
    QTest::newRow("100 days keeps two digits") << 100 * Day << "00:00:00:00:000";
    QTest::newRow("123 days") << 123 * Day + 1 << "23:00:00:00:001";
    QTest::newRow("negative reads zero") << qint64(-5) << "00:00:00:00:000";
}

void TestStopwatchWindow::displayText() {
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    QCOMPARE(StopwatchText::display(ms, u':'), text);
}

void TestStopwatchWindow::timeSeparatorOfLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    QTest::newRow("en_GB") << "en_GB"
                           << ":";
    QTest::newRow("de_DE") << "de_DE"
                           << ":";
    QTest::newRow("fi_FI") << "fi_FI"
                           << ".";
}

void TestStopwatchWindow::timeSeparatorOfLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, separator);
    QCOMPARE(QString(StopwatchText::timeSeparator(QLocale(locale))), separator);
    QCOMPARE(StopwatchText::display(Second, QLocale(locale)),
             QStringLiteral("00:00:00:01:000").replace(u':', separator));
}

void TestStopwatchWindow::newWindowIsReadyAndOnItsOwn() {
    WindowFixture f;
    QVERIFY(f.window->isWindow());
    QVERIFY(f.window->parentWidget() == nullptr);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("Zentick"));
    QCOMPARE(f.window->myaSuperLabel68->text(), QStringLiteral("Timer"));
    QVERIFY(!f.window->isCountdown());
    QCOMPARE(f.display(), QStringLiteral("00:00:00:00:000"));
    QCOMPARE(f.state(), QStringLiteral("Start"));
    QVERIFY(!f.window->DsFancyButton2->isEnabled());
    QVERIFY(!f.window->Timer1.isActive());
    QVERIFY(!f.window->Timer2.isActive());
}

void TestStopwatchWindow::stopwatchPauseContinueReset() {
    WindowFixture f;
    f.press();
    QCOMPARE(f.state(), QStringLiteral("Pause"));
    QVERIFY(f.window->DsFancyButton2->isEnabled());
    QVERIFY(f.runFor(5250, QStringLiteral("00:00:00:05:250")));

    f.press();
    QCOMPARE(f.state(), QStringLiteral("Continue"));
    f.clock.advance(60 * Second); // paused time is not counted
    QTest::qWait(3 * TForm7::RefreshMs);
    QCOMPARE(f.display(), QStringLiteral("00:00:00:05:250"));

    f.press();
    QCOMPARE(f.state(), QStringLiteral("Pause"));
    QVERIFY(f.runFor(Second, QStringLiteral("00:00:00:06:250")));
    QVERIFY(f.runFor(101 * Day, QStringLiteral("01:00:00:06:250")));

    f.reset();
    QCOMPARE(f.display(), QStringLiteral("00:00:00:00:000"));
    QCOMPARE(f.state(), QStringLiteral("Start"));
    QVERIFY(!f.window->DsFancyButton2->isEnabled());
    QVERIFY(!f.window->Timer1.isActive());
    f.clock.advance(Second);
    QTest::qWait(3 * TForm7::RefreshMs);
    QCOMPARE(f.display(), QStringLiteral("00:00:00:00:000"));
}

void TestStopwatchWindow::countdownPauseContinueAndEndsOnTime() {
    WindowFixture f;
    f.window->setCountdown(20 * Second, false);
    QCOMPARE(f.display(), QStringLiteral("00:00:00:20:000"));
    f.press();
    QVERIFY(f.runFor(10 * Second, QStringLiteral("00:00:00:10:000")));
    f.press();
    QCOMPARE(f.state(), QStringLiteral("Continue"));
    f.clock.advance(3600 * Second);
    f.press();
    QVERIFY(f.runFor(10 * Second - 1, QStringLiteral("00:00:00:00:001")));
    QVERIFY(f.window->DsFancyButton1->isEnabled());
    QCOMPARE(f.alerts, 0);
    f.clock.advance(1);
    QTRY_VERIFY(!f.window->DsFancyButton1->isEnabled());
    QCOMPARE(f.display(), QStringLiteral("00:00:00:00:000"));
}

void TestStopwatchWindow::expiry_data() {
    QTest::addColumn<bool>("sound");
    QTest::newRow("with sound") << true;
    QTest::newRow("silent") << false;
}

void TestStopwatchWindow::expiry() {
    QFETCH(bool, sound);
    WindowFixture f;
    QSignalSpy expired(f.window.data(), &TForm7::expired);
    f.window->setCountdown(Second, sound);
    QCOMPARE(f.display(), QStringLiteral("00:00:00:01:000"));
    f.press();
    f.clock.advance(Second);
    QTRY_COMPARE(expired.count(), 1);

    QCOMPARE(f.display(), QStringLiteral("00:00:00:00:000"));
    QCOMPARE(f.state(), QStringLiteral("Pause"));
    QVERIFY(!f.window->DsFancyButton1->isEnabled());
    QVERIFY(f.window->DsFancyButton2->isEnabled());
    QVERIFY(!f.window->Timer2.isActive());
    QVERIFY(!f.window->EndTimer.isActive());
    QCOMPARE(f.alerts, 1);
    QCOMPARE(f.window->soundPlaying, sound);
    const QPointer<FakeSoundPlayer> player = f.players.last();
    QCOMPARE(f.players.created.size(), sound ? 1 : 0);
    if (sound)
        QCOMPARE(player->plays, QStringList{QStringLiteral("/opt/zentick/hurryup.mid")});

    // Nothing more happens while the window stands expired.
    f.clock.advance(Second);
    QTest::qWait(3 * TForm7::RefreshMs);
    QCOMPARE(expired.count(), 1);
    QCOMPARE(f.alerts, 1);

    f.reset();
    if (sound) {
        QVERIFY(!player.isNull());
        QCOMPARE(player->stops, 1);
        QVERIFY(!player->isPlaying());
        QVERIFY(!f.window->soundPlaying);
    }
    QCOMPARE(f.display(), QStringLiteral("00:00:00:01:000"));
    QCOMPARE(f.state(), QStringLiteral("Start"));
    QVERIFY(f.window->DsFancyButton1->isEnabled());
    QVERIFY(!f.window->DsFancyButton2->isEnabled());

    // And it runs again from the full length.
    f.press();
    f.clock.advance(Second);
    QTRY_COMPARE(expired.count(), 2);
}

void TestStopwatchWindow::unplayableSoundLeavesSilence() {
    WindowFixture f;
    f.players.unplayable.insert(QStringLiteral("/opt/zentick/hurryup.mid"));
    f.window->setCountdown(Second, true);
    f.press();
    f.clock.advance(Second);
    QTRY_VERIFY(!f.window->DsFancyButton1->isEnabled());
    QTRY_VERIFY(!f.window->soundPlaying);
    QTRY_VERIFY(f.players.last() == nullptr); // the player went with its failed play
    f.reset();
    QCOMPARE(f.display(), QStringLiteral("00:00:00:01:000"));
}

// A countdown measured on the boot clock: hours asleep count, and it has ended when the computer wakes.
void TestStopwatchWindow::sleepCountsTowardsTheEnd() {
    WindowFixture f;
    f.window->setCountdown(3600 * Second, false);
    f.press();
    QVERIFY(f.runFor(1800 * Second, QStringLiteral("00:00:30:00:000")));
    f.clock.advance(3 * 3600 * Second);
    QTRY_VERIFY(!f.window->DsFancyButton1->isEnabled());
    QCOMPARE(f.display(), QStringLiteral("00:00:00:00:000"));
}

// A window nobody can see is not redrawn 30 times a second; it shows the right time the moment it is back, and a
// countdown still ends at its moment meanwhile.
void TestStopwatchWindow::refreshOnlyWhileSeen_data() {
    QTest::addColumn<bool>("countdown");
    QTest::addColumn<bool>("minimise"); // else hidden
    QTest::newRow("stopwatch minimised") << false << true;
    QTest::newRow("stopwatch hidden") << false << false;
    QTest::newRow("countdown minimised") << true << true;
    QTest::newRow("countdown hidden") << true << false;
}

void TestStopwatchWindow::refreshOnlyWhileSeen() {
    QFETCH(bool, countdown);
    QFETCH(bool, minimise);
    WindowFixture f;
    if (countdown)
        f.window->setCountdown(60 * Second, false);
    const QTimer& refresh = countdown ? f.window->Timer2 : f.window->Timer1;
    const auto shown = [countdown](qint64 elapsed) {
        return StopwatchText::display(countdown ? 60 * Second - elapsed : elapsed, u':');
    };
    f.press();
    QVERIFY(f.runFor(Second, shown(Second)));

    if (minimise)
        f.window->setWindowState(Qt::WindowMinimized);
    else
        f.window->hide();
    QVERIFY(!refresh.isActive());
    QCOMPARE(f.window->EndTimer.isActive(), countdown);
    f.clock.advance(5 * Second);
    QTest::qWait(3 * TForm7::RefreshMs);
    QCOMPARE(f.display(), shown(Second));

    if (minimise)
        f.window->setWindowState(Qt::WindowNoState);
    else
        f.window->show();
    QCOMPARE(f.display(), shown(6 * Second));
    QVERIFY(refresh.isActive());
    QVERIFY(f.runFor(Second, shown(7 * Second)));

    // Paused while away: nothing to refresh when it comes back.
    f.press();
    f.window->setWindowState(Qt::WindowMinimized);
    f.window->setWindowState(Qt::WindowNoState);
    QVERIFY(!refresh.isActive());
    QCOMPARE(f.state(), QStringLiteral("Continue"));
}

void TestStopwatchWindow::closingDestroysTheWindow() {
    WindowFixture f;
    f.window->setCountdown(Second, true);
    f.press();
    QVERIFY(f.window->close());
    QTRY_VERIFY(f.window.isNull());
}

QTEST_MAIN(TestStopwatchWindow)
#include "tst_StopwatchWindow.moc"
