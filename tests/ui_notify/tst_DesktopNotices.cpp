// The desktop notice beside each alarm, birthday and countdown window: sent over a private session bus to
// python-dbusmock's notification daemon, answered from there, and closed with its window.
#include "FakeNotificationService.h"
#include "NotifyFixture.h"

#include "platform/FreedesktopNotifier.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm3.h"
#include "ui/notify/TForm4.h"
#include "widgets/FancyButton.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QPointer>
#include <QRegularExpression>
#include <QtTest>

namespace {

enum class Kind { Alarm, Birthday, Countdown };

// The window of a class that has opened since the list before was taken (Qt keeps top-level windows in no order).
template <class Window> Window* opened(const QWidgetList& before) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible() && !before.contains(widget))
            return window;
    }
    return nullptr;
}

// Each window stands for its own record (section), as two events firing together would.
QWidget* open(NotificationWindows& windows, Kind kind, const QString& text, const QByteArray& section = "0") {
    const QWidgetList before = QApplication::topLevelWidgets();
    switch (kind) {
    case Kind::Alarm: {
        AlarmNotice notice;
        notice.section = section;
        notice.header = QStringLiteral("This Alarm scheduled for:\n14/11/2026 08:00:00");
        notice.lines = {text, QStringLiteral("Number is on the fridge.")};
        notice.sound = true;
        notice.showStopSound = true;
        windows.showAlarm(notice);
        return opened<TForm2>(before);
    }
    case Kind::Birthday: {
        BirthdayNotice notice;
        notice.section = section;
        notice.greeting = text + QStringLiteral(" is now\n26 Years Old.");
        notice.sound = true;
        notice.showStopSound = true;
        windows.showBirthday(notice);
        return opened<TForm4>(before);
    }
    case Kind::Countdown: {
        PowerNotice notice;
        notice.section = section;
        notice.action = 1;
        notice.actionName = text;
        notice.buttonCaption = text + QStringLiteral(" Now");
        windows.startPowerCountdown(notice);
        return opened<TForm3>(before);
    }
    }
    return nullptr;
}

QStringList strings(const QVariant& value) {
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QStringList>(value.value<QDBusArgument>());
    return value.toStringList();
}

QVariantMap map(const QVariant& value) {
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value.toMap();
}

bool isOpen(const QPointer<QWidget>& window) {
    return window && window->isVisible();
}

} // namespace

class TestDesktopNotices : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void sentWithTextsAndActions_data();
    void sentWithTextsAndActions();
    void actionActsOnItsWindow_data();
    void actionActsOnItsWindow();
    void windowOkClosesNotice();
    void noServiceNoError();
    void settingTurnsItOff_data();
    void settingTurnsItOff();

private:
    // A fresh daemon per test, so that its notice numbers and its call log start anew.
    bool startDaemon(FakeNotificationService& daemon);
};

void TestDesktopNotices::initTestCase() {
    if (!FakeNotificationService::mockAvailable())
        QSKIP("/usr/bin/python3 has no dbusmock (package python3-dbusmock)");
}

void TestDesktopNotices::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<TForm2*>(widget) || qobject_cast<TForm3*>(widget) || qobject_cast<TForm4*>(widget))
            delete widget;
    }
}

bool TestDesktopNotices::startDaemon(FakeNotificationService& daemon) {
    if (!daemon.startBus() || !daemon.startService()) {
        qWarning("%s", qPrintable(daemon.error()));
        return false;
    }
    return true;
}

void TestDesktopNotices::sentWithTextsAndActions_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("summary");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("actions");

    QTest::newRow("alarm") << Kind::Alarm << QStringLiteral("Call the dentist <today> & tomorrow")
                           << QStringLiteral("This Alarm scheduled for:\n14/11/2026 08:00:00")
                           << QStringList{QStringLiteral("default"),    QStringLiteral("Show"),
                                          QStringLiteral("ok"),         QStringLiteral("OK"),
                                          QStringLiteral("stop-sound"), QStringLiteral("Stop Sound")};
    QTest::newRow("birthday") << Kind::Birthday << QStringLiteral("Ann is now 26 Years Old.") << QString()
                              << QStringList{QStringLiteral("default"),    QStringLiteral("Show"),
                                             QStringLiteral("ok"),         QStringLiteral("OK"),
                                             QStringLiteral("stop-sound"), QStringLiteral("Stop Sound")};
    QTest::newRow("countdown") << Kind::Countdown << QStringLiteral("System will Restart")
                               << QStringLiteral("Automatically in 30 sec")
                               << QStringList{QStringLiteral("default"), QStringLiteral("Show"),
                                              QStringLiteral("ok"),      QStringLiteral("OK"),
                                              QStringLiteral("cancel"),  QStringLiteral("Cancel")};
}

void TestDesktopNotices::sentWithTextsAndActions() {
    QFETCH(Kind, kind);
    QFETCH(QString, summary);
    QFETCH(QString, body);
    QFETCH(QStringList, actions);

    FakeNotificationService daemon;
    QVERIFY(startDaemon(daemon));
    FreedesktopNotifier notifier(daemon.connection());
    NotifyFixture f;
    f.services.notifier = &notifier;
    NotificationWindows windows(f.services);
    const QString text = kind == Kind::Alarm      ? QStringLiteral("Call the dentist <today> & tomorrow")
                         : kind == Kind::Birthday ? QStringLiteral("Ann")
                                                  : QStringLiteral("Restart");
    QVERIFY(open(windows, kind, text));

    QTRY_COMPARE(daemon.calls(QStringLiteral("Notify")).size(), 1);
    const QVariantList arguments = daemon.calls(QStringLiteral("Notify")).first().arguments;
    QCOMPARE(arguments.value(0).toString(), QStringLiteral("Zentick"));
    QCOMPARE(arguments.value(3).toString(), summary);
    // The body is markup to a daemon that reads markup: the text comes through as text.
    QCOMPARE(arguments.value(4).toString(), body.toHtmlEscaped());
    QCOMPARE(strings(arguments.value(5)), actions);
    const QVariantMap hints = map(arguments.value(6));
    QCOMPARE(hints.value(QStringLiteral("urgency")).toInt(), 2);
    QCOMPARE(arguments.value(7).toInt(), 0); // never expires on its own
}

void TestDesktopNotices::actionActsOnItsWindow_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("staysOpen");

    QTest::newRow("alarm, OK") << Kind::Alarm << QStringLiteral("ok") << false;
    QTest::newRow("alarm, Stop Sound") << Kind::Alarm << QStringLiteral("stop-sound") << true;
    QTest::newRow("birthday, OK") << Kind::Birthday << QStringLiteral("ok") << false;
    QTest::newRow("birthday, Stop Sound") << Kind::Birthday << QStringLiteral("stop-sound") << true;
    QTest::newRow("countdown, Cancel") << Kind::Countdown << QStringLiteral("cancel") << false;
    QTest::newRow("countdown, OK") << Kind::Countdown << QStringLiteral("ok") << false;
}

void TestDesktopNotices::actionActsOnItsWindow() {
    QFETCH(Kind, kind);
    QFETCH(QString, key);
    QFETCH(bool, staysOpen);

    FakeNotificationService daemon;
    QVERIFY(startDaemon(daemon));
    FreedesktopNotifier notifier(daemon.connection());
    NotifyFixture f;
    f.services.notifier = &notifier;
    NotificationWindows windows(f.services);
    const QPointer<QWidget> first = open(windows, kind, QStringLiteral("First"));
    QTRY_COMPARE(daemon.calls(QStringLiteral("Notify")).size(), 1);
    const QPointer<QWidget> second = open(windows, kind, QStringLiteral("Second"), "1");
    QTRY_COMPARE(daemon.calls(QStringLiteral("Notify")).size(), 2);
    QVERIFY(first && second && first != second);

    // The daemon numbers its notices from 1: the second window's is 2.
    QVERIFY(daemon.invokeAction(2, key));
    const auto playing = [](QWidget* window) {
        if (auto* alarm = qobject_cast<TForm2*>(window))
            return alarm->playing();
        if (auto* birthday = qobject_cast<TForm4*>(window))
            return birthday->playing();
        return false;
    };
    if (staysOpen) {
        QVERIFY(playing(second));
        QTRY_VERIFY(!playing(second));
        QVERIFY(isOpen(second));
    } else {
        QTRY_VERIFY(!isOpen(second));
    }
    QVERIFY(isOpen(first));
    QCOMPARE(playing(first), kind != Kind::Countdown);
    QVERIFY(f.power.performed.isEmpty());
}

void TestDesktopNotices::windowOkClosesNotice() {
    FakeNotificationService daemon;
    QVERIFY(startDaemon(daemon));
    FreedesktopNotifier notifier(daemon.connection());
    NotifyFixture f;
    f.services.notifier = &notifier;
    NotificationWindows windows(f.services);
    open(windows, Kind::Alarm, QStringLiteral("First"));
    QTRY_COMPARE(daemon.calls(QStringLiteral("Notify")).size(), 1);
    auto* window = qobject_cast<TForm2*>(open(windows, Kind::Alarm, QStringLiteral("Second"), "1"));
    QTRY_COMPARE(daemon.calls(QStringLiteral("Notify")).size(), 2);

    QTest::mouseClick(window->Button1, Qt::LeftButton);
    QTRY_COMPARE(daemon.calls(QStringLiteral("CloseNotification")).size(), 1);
    QCOMPARE(daemon.calls(QStringLiteral("CloseNotification")).first().arguments.value(0).toUInt(), 2u);
}

void TestDesktopNotices::noServiceNoError() {
    FakeNotificationService bus;
    QVERIFY2(bus.startBus(), qPrintable(bus.error()));
    QTest::failOnWarning(QRegularExpression(QStringLiteral("DBus|Notif")));
    FreedesktopNotifier notifier(bus.connection());
    NotifyFixture f;
    f.services.notifier = &notifier;
    NotificationWindows windows(f.services);
    QPointer<QWidget> window = open(windows, Kind::Alarm, QStringLiteral("Call the dentist"));
    QVERIFY(window);
    // A round trip on the same connection: the refused call's answer has come back before this one.
    QVERIFY(!bus.connection().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications")));
    QCoreApplication::processEvents();
    QVERIFY(isOpen(window));
    QVERIFY(f.messages.isEmpty());
    window->close();
    QTRY_VERIFY(!window);
}

void TestDesktopNotices::settingTurnsItOff_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("notices");
    QTest::newRow("not set") << QByteArray() << 1;
    QTest::newRow("on") << QByteArray("1") << 1;
    QTest::newRow("off") << QByteArray("0") << 0;
}

void TestDesktopNotices::settingTurnsItOff() {
    QFETCH(QByteArray, stored);
    QFETCH(int, notices);

    NotifyFixture f;
    if (!stored.isNull())
        f.settings->WriteString("settings", "desktopnotices", stored);
    FakeDesktopNotifier notifier;
    f.services.notifier = &notifier;
    NotificationWindows windows(f.services);
    QPointer<QWidget> window = open(windows, Kind::Birthday, QStringLiteral("Ann"));
    QVERIFY(window);
    QCOMPARE(notifier.notices.size(), notices);
    if (notices == 0)
        return;
    QVERIFY(!notifier.notices.first()->closed);
    window->close();
    QTRY_VERIFY(notifier.notices.first().isNull() || notifier.notices.first()->closed);
}

QTEST_MAIN(TestDesktopNotices)
#include "tst_DesktopNotices.moc"
