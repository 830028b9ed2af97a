#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestMessageWindows : public QObject {
    Q_OBJECT

private slots:
    void messageBelowAnEmptyLineAndOkCloses();
    void autoAnswerDoesNotBlock();
    void warningTextAndAnswers_data();
    void warningTextAndAnswers();
};

void TestMessageWindows::messageBelowAnEmptyLineAndOkCloses() {
    TMsgfrm msg;
    QCOMPARE(msg.windowTitle(), QStringLiteral("Warning"));
    QVERIFY(msg.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(msg.windowType(), Qt::Window);
    bool seen = false;
    QTimer::singleShot(0, &msg, [&] {
        seen = msg.isVisible() && msg.Message->text() == QStringLiteral("\nInvalid Date or Time.");
        QTest::mouseClick(msg.Button1, Qt::LeftButton);
    });
    msg.ShowMsg(QStringLiteral("Invalid Date or Time."));
    QVERIFY(seen);
    QVERIFY(!msg.isVisible());

    // Reused: a second message replaces the first.
    QTimer::singleShot(0, &msg, [&] { msg.close(); });
    msg.ShowMsg(QStringLiteral("No Countdown Set."));
    QCOMPARE(msg.Message->text(), QStringLiteral("\nNo Countdown Set."));
}

void TestMessageWindows::autoAnswerDoesNotBlock() {
    TMsgfrm msg;
    TMsgfrm::setAutoAnswer(true);
    msg.ShowMsg(QStringLiteral("Select at least one day..."));
    QCOMPARE(TMsgfrm::autoAnswered(), QStringList{QStringLiteral("Select at least one day...")});
    QVERIFY(!msg.isVisible());
    TMsgfrm::setAutoAnswer(false);
    QVERIFY(TMsgfrm::autoAnswered().isEmpty());
}

void TestMessageWindows::warningTextAndAnswers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("disables");
    QTest::newRow("Yes") << "DsFancyButton1" << true;
    QTest::newRow("No") << "DsFancyButton11" << false;
    QTest::newRow("title bar close") << "" << false;
    QTest::newRow("Alt+Y") << "Alt+Y" << true;
    QTest::newRow("Alt+N") << "Alt+N" << false;
}

void TestMessageWindows::warningTextAndAnswers() {
    QFETCH(QString, answer);
    QFETCH(bool, disables);
    TForm6 warning;
    QCOMPARE(warning.windowTitle(), QStringLiteral("Warning"));
    // A window of its own with a taskbar entry: a parentless dialog would be tied to a hidden leader.
    QCOMPARE(warning.windowType(), Qt::Window);
    QVERIFY(!warning.parentWidget());
    QVERIFY(warning.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(warning.Ms->text(), QStringLiteral("\"Zentick\" noticed that the system clock has changed. This Action "
                                                "may cause the alarms to malfunction. Do you want to disable all "
                                                "alarms until the system restarts and be sure that the system clock "
                                                "is correct?"));
    // "Yes" and "No", underlined: Alt+Y and Alt+N answer.
    QCOMPARE(warning.DsFancyButton1->text(), QStringLiteral("&Yes"));
    QCOMPARE(warning.DsFancyButton11->text(), QStringLiteral("&No"));
    int mayRun = 0;
    connect(&warning, &TForm6::schedulerMayRun, this, [&] { ++mayRun; });

    // Asked twice in a row on the same window: the earlier answer must not stick.
    for (int round = 0; round < 2; ++round) {
        const bool yes = round == 0 ? !disables : disables;
        QTimer::singleShot(0, &warning, [&, yes] {
            if (round == 0)
                QTest::mouseClick(yes ? warning.DsFancyButton1 : warning.DsFancyButton11, Qt::LeftButton);
            else if (answer.isEmpty())
                warning.close();
            else if (answer.startsWith(QLatin1String("Alt+")))
                QTest::keySequence(&warning, QKeySequence(answer));
            else
                QTest::mouseClick(warning.findChild<QPushButton*>(answer), Qt::LeftButton);
        });
        QCOMPARE(warning.ask(), yes);
        QVERIFY(!warning.isVisible());
    }
    QCOMPARE(mayRun, 1);
}

QTEST_MAIN(TestMessageWindows)
#include "tst_MessageWindows.moc"
