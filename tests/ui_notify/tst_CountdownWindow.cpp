#include "NotifyFixture.h"

#include "ui/notify/TForm3.h"
#include "widgets/FancyButton.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>

Q_DECLARE_METATYPE(PowerOutcome)

namespace {
// As the power-action firing leaves it: scheduler off, window shown, countdown under way. The test
// drives the ticks itself.
QPointer<TForm3> countdown(NotifyFixture& f, int action) {
    f.schedulerOn = false;
    QPointer<TForm3> window = new TForm3(f.services);
    window->action = action;
    window->actionName = powerActionName(action);
    window->DsFancyButton4->setText(powerActionName(action) + QStringLiteral(" Now"));
    window->section = "5";
    window->show();
    window->Timer1.stop();
    return window;
}

QString remaining(const QString& name, int seconds) {
    return QStringLiteral("System will %1\nAutomatically in %2 sec").arg(name).arg(seconds);
}
} // namespace

class TestCountdownWindow : public QObject {
    Q_OBJECT

private slots:
    void countsDownThenActs();
    void outcomes_data();
    void outcomes();
    void actNow();
    void okHidesAndTheFinalCloseLetsTheSchedulerRun_data();
    void okHidesAndTheFinalCloseLetsTheSchedulerRun();
    void cancelAndCloseBoxLetTheSchedulerRun_data();
    void cancelAndCloseBoxLetTheSchedulerRun();
};

void TestCountdownWindow::countsDownThenActs() {
    NotifyFixture f;
    QPointer<TForm3> window = countdown(f, Restart);
    QCOMPARE(window->windowTitle(), QStringLiteral("Zentick..."));
    QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(!(window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QCOMPARE(window->Shut->text(), remaining(QStringLiteral("Restart"), 30));
    QCOMPARE(window->DsFancyButton4->text(), QStringLiteral("Restart Now"));
    QTRY_COMPARE(QApplication::focusWidget(), window->DsFancyButton2); // a stray Enter cancels, never acts
    for (int seconds = 29; seconds >= 1; --seconds) {
        window->Timer1Timer();
        QCOMPARE(window->Shut->text(), remaining(QStringLiteral("Restart"), seconds));
    }
    QVERIFY(f.power.performed.isEmpty());
    window->Timer1Timer(); // the 30th tick
    QCOMPARE(f.power.performed, QList<int>{Restart});
    QCOMPARE(window->Shut->text(), QStringLiteral("Restarting..."));
    QVERIFY(!window->Timer1.isActive());
    QVERIFY(f.messages.isEmpty());
    delete window;
}

void TestCountdownWindow::outcomes_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<PowerOutcome>("outcome");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("windowStays"); // the session is ending: nothing more to do
    QTest::newRow("shut down") << int(ShutDown) << PowerOutcome::Done << "Shutting Down..."
                               << "" << true;
    QTest::newRow("log off") << int(LogOff) << PowerOutcome::Done << "Logging Off..."
                             << "" << true;
    QTest::newRow("hibernate, woke up") << int(Hibernate) << PowerOutcome::Done << "Hibernating..."
                                        << "" << false;
    QTest::newRow("stand by, woke up") << int(StandBy) << PowerOutcome::Done << "Standing By..."
                                       << "" << false;
    QTest::newRow("hibernation off") << int(Hibernate) << PowerOutcome::Failed << "Hibernating..."
                                     << "Failed to Hibernate System" << false;
    QTest::newRow("log off refused") << int(LogOff) << PowerOutcome::Failed << "Logging Off..."
                                     << "Failed to Log Off System" << false;
    QTest::newRow("no privilege") << int(ShutDown) << PowerOutcome::NoPrivilege << "Shutting Down..."
                                  << "Failed to take Privilegies" << false;
}

void TestCountdownWindow::outcomes() {
    QFETCH(int, action);
    QFETCH(PowerOutcome, outcome);
    QFETCH(QString, status);
    QFETCH(QString, message);
    QFETCH(bool, windowStays);
    NotifyFixture f;
    f.power.outcomes[action] = outcome;
    QPointer<TForm3> window;
    QString statusSeen;
    f.services.showMsg = [&](const QString& text) {
        // The window is out of the way before the message appears.
        QVERIFY(!window->isVisible());
        statusSeen = window->Shut->text();
        f.messages.append(text);
    };
    window = countdown(f, action);
    window->counter = 0;
    window->Timer1Timer();
    QCOMPARE(f.power.performed, QList<int>{action});
    QCOMPARE(f.messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (windowStays) {
        QVERIFY(window->isVisible());
        QCOMPARE(window->Shut->text(), status);
        QVERIFY(!f.schedulerOn);
        delete window;
    } else {
        QTRY_VERIFY(!window);
        QVERIFY(f.schedulerOn);
        if (!message.isEmpty())
            QCOMPARE(statusSeen, status);
    }
}

void TestCountdownWindow::actNow() {
    NotifyFixture f;
    QPointer<TForm3> window = countdown(f, ShutDown);
    for (int i = 0; i < 5; ++i)
        window->Timer1Timer();
    QTest::mouseClick(window->DsFancyButton4, Qt::LeftButton);
    QVERIFY(!window->DsFancyButton4->isEnabled());
    QVERIFY(f.power.performed.isEmpty());
    window->Timer1Timer();
    QCOMPARE(f.power.performed, QList<int>{ShutDown});
    QCOMPARE(window->Shut->text(), QStringLiteral("Shutting Down..."));
    delete window;
}

void TestCountdownWindow::okHidesAndTheFinalCloseLetsTheSchedulerRun_data() {
    QTest::addColumn<PowerOutcome>("outcome");
    QTest::newRow("stand by done") << PowerOutcome::Done;
    QTest::newRow("stand by failed") << PowerOutcome::Failed;
}

void TestCountdownWindow::okHidesAndTheFinalCloseLetsTheSchedulerRun() {
    QFETCH(PowerOutcome, outcome);
    NotifyFixture f;
    f.power.outcomes[StandBy] = outcome;
    QPointer<TForm3> window = countdown(f, StandBy);
    window->Timer1.start();
    QTest::mouseClick(window->DsFancyButton1, Qt::LeftButton);
    QCoreApplication::processEvents();
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QVERIFY(window->Timer1.isActive()); // the countdown goes on
    QVERIFY(!f.schedulerOn);
    window->Timer1.stop();

    for (int i = 0; i < 30; ++i)
        window->Timer1Timer();
    QCOMPARE(f.power.performed, QList<int>{StandBy});
    QTRY_VERIFY(!window);
    QVERIFY(f.schedulerOn);
}

void TestCountdownWindow::cancelAndCloseBoxLetTheSchedulerRun_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close box") << true;
}

void TestCountdownWindow::cancelAndCloseBoxLetTheSchedulerRun() {
    QFETCH(bool, closeBox);
    NotifyFixture f;
    QPointer<TForm3> window = countdown(f, Hibernate);
    window->Timer1.start();
    window->Timer1Timer();
    if (closeBox)
        window->close();
    else
        QTest::mouseClick(window->DsFancyButton2, Qt::LeftButton);
    QVERIFY(f.schedulerOn);
    QTRY_VERIFY(!window);
    QTest::qWait(50);
    QVERIFY(f.power.performed.isEmpty());
}

QTEST_MAIN(TestCountdownWindow)
#include "tst_CountdownWindow.moc"
