#include "app/ZentickApplication.h"
#include "store/Exception.h"
#include "ui/ExceptionMessageBox.h"

#include <QTest>
#include <QTimer>
#include <QWidget>

#include <stdexcept>

class TestZentickApplication : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void identity();
    void exceptionInAHandlerIsShownAndTheLoopGoesOn_data();
    void exceptionInAHandlerIsShownAndTheLoopGoesOn();
    void autoDismissAnswersTheBox();

private:
    QStringList m_shown;
};

void TestZentickApplication::init() {
    m_shown.clear();
    ExceptionMessageBox::setObserver([this](const QString& message) { m_shown << message; });
}

void TestZentickApplication::cleanup() {
    ExceptionMessageBox::setObserver({});
}

void TestZentickApplication::identity() {
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Zentick"));
    QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
}

void TestZentickApplication::exceptionInAHandlerIsShownAndTheLoopGoesOn_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("our exception") << 0 << QStringLiteral("Cannot create file /x/Alarms.xml");
    QTest::newRow("standard exception") << 1 << QStringLiteral("out of range");
    QTest::newRow("anything else") << 2 << QString();
}

void TestZentickApplication::exceptionInAHandlerIsShownAndTheLoopGoesOn() {
    QFETCH(int, kind);
    QFETCH(QString, message);
    QTimer::singleShot(0, this, [kind, message] {
        if (kind == 0)
            throw Exception(message);
        if (kind == 1)
            throw std::out_of_range(message.toStdString());
        throw 42;
    });
    bool later = false;
    QTimer::singleShot(5, this, [&later] { later = true; });
    QTRY_VERIFY(later);
    QCOMPARE(m_shown, QStringList{message});
}

void TestZentickApplication::autoDismissAnswersTheBox() {
    ExceptionMessageBox::setObserver({});
    qputenv("ZENTICK_AUTO_DISMISS", "1");
    bool waitedForAPerson = false;
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, this, [&waitedForAPerson] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            waitedForAPerson = true;
            box->close();
        }
    });
    guard.start(5000);
    ExceptionMessageBox::show(QStringLiteral("shown and answered"));
    qunsetenv("ZENTICK_AUTO_DISMISS");
    QVERIFY(!waitedForAPerson);
}

int main(int argc, char** argv) {
    ZentickApplication application(argc, argv);
    TestZentickApplication test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ZentickApplication.moc"
