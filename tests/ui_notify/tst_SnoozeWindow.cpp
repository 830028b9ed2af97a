#include "NotifyFixture.h"
#include "support/Caption.h"

#include "context/SettingsKeys.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/Scheduler.h"
#include "scheduler/Snooze.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/TForm2.h"
#include "ui/notify/TForm4.h"
#include "widgets/ClickableLabel.h"
#include "widgets/FancyButton.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

using Fields = QList<std::pair<QByteArray, QByteArray>>;

// The windows the firings opened, oldest first.
QList<SoundingNoticeWindow*> shownWindows() {
    QList<SoundingNoticeWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<SoundingNoticeWindow*>(widget); window && window->isVisible())
            found.append(window);
    }
    return found;
}

// What the window shows of its reminder: the alarm's description, or the birthday greeting.
QString shownText(const SoundingNoticeWindow* window) {
    if (const auto* alarm = qobject_cast<const TForm2*>(window))
        return alarm->Label->text();
    return qobject_cast<const TForm4*>(window)->BirthLabel->text();
}

// Chooses a line of the length list with the keyboard, as the user would.
void chooseLength(QComboBox* lengths, int index) {
    lengths->setFocus();
    QTest::keyClick(lengths, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(lengths, Qt::Key_Down);
    QCOMPARE(lengths->currentIndex(), index);
}

// The real windows of a firing on the fixture's stores, with a scheduler that ticks only when told.
struct Firings {
    explicit Firings(NotifyFixture& f)
        : f(f)
        , windows(f.services)
        , scheduler(*f.events, *f.past, f.clock, windows) {
        scheduler.setSnoozeStore(f.settings.get());
    }
    ~Firings() { qDeleteAll(shownWindows()); }

    void write(const QByteArray& section, const Fields& fields) {
        for (const auto& [key, value] : fields)
            f.events->WriteString(section, key, value);
    }
    // One tick at the clock's time.
    void tick() { scheduler.TimerTimer(); }

    NotifyFixture& f;
    NotificationWindows windows;
    Scheduler scheduler;
};

QByteArray day(const QDateTime& moment) {
    return QByteArray::number(DayCount::fromDateTime(moment), 'g', 15);
}

Fields alarmDueAt(const QDateTime& moment, bool repeating = false) {
    Fields fields{{"altype", "alarm"}, {"date", day(moment)}, {"sound", "1"},  {"bypass", "0"},
                  {"linecount", "2"},  {"0", "Dentist"},      {"1", "Room 4"}, {"repeat", repeating ? "1" : "0"}};
    if (repeating)
        fields << std::pair<QByteArray, QByteArray>{"repval", "1"} << std::pair<QByteArray, QByteArray>{"reptype", "2"};
    return fields;
}

Fields birthdayAt(const QDateTime& moment) {
    return {{"altype", "birth"}, {"date", day(moment)}, {"birthdate", day(moment.addYears(-30))},
            {"name", "Ann"},     {"sound", "1"},        {"before", "0"}};
}

} // namespace

class TestSnoozeWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { QCOMPARE(shownWindows().size(), 0); }
    void snoozeComesBackOnceAtItsMoment_data();
    void snoozeComesBackOnceAtItsMoment();
    void lastLengthIsOfferedAgain_data();
    void lastLengthIsOfferedAgain();
    void passedMomentIsRefused();
    void keyboardAndNames();
    void skipNextFromTheWindow_data();
    void skipNextFromTheWindow();
};

void TestSnoozeWindow::snoozeComesBackOnceAtItsMoment_data() {
    QTest::addColumn<bool>("birthday");
    QTest::addColumn<int>("choice");     // the line of the length list
    QTest::addColumn<qint64>("afterMs"); // from the click to the moment it comes back
    QTest::addColumn<QTime>("until");    // for "until": the time typed, on the fixture's day
    const qint64 minute = 60'000;
    QTest::newRow("alarm, 5 minutes") << false << 0 << 5 * minute << QTime();
    QTest::newRow("alarm, 10 minutes") << false << 1 << 10 * minute << QTime();
    QTest::newRow("alarm, 1 hour") << false << 4 << 60 * minute << QTime();
    QTest::newRow("alarm, until 9:30") << false << 5 << 90 * minute << QTime(9, 30);
    QTest::newRow("birthday, 15 minutes") << true << 2 << 15 * minute << QTime();
    QTest::newRow("birthday, 30 minutes") << true << 3 << 30 * minute << QTime();
}

// Snoozing closes the window and ends its sound; the reminder comes back with the same text and sound at the
// moment chosen, not a tick before, and once only.
void TestSnoozeWindow::snoozeComesBackOnceAtItsMoment() {
    QFETCH(bool, birthday);
    QFETCH(int, choice);
    QFETCH(qint64, afterMs);
    QFETCH(QTime, until);
    NotifyFixture f;
    Firings firings(f);
    const QDateTime start = f.clock.dateTime();
    firings.write("0", birthday ? birthdayAt(start) : alarmDueAt(start));
    firings.tick();
    QCOMPARE(shownWindows().size(), 1);
    QPointer<SoundingNoticeWindow> window = shownWindows().first();
    const QString text = shownText(window);
    QTRY_VERIFY(f.players.last() && f.players.last()->isPlaying());
    QPointer<FakeSoundPlayer> player = f.players.last();
    const QString soundFile = player->plays.value(0);

    chooseLength(window->SnoozeLength, choice);
    QCOMPARE(window->SnoozeUntil->isVisible(), until.isValid());
    if (until.isValid())
        window->SnoozeUntil->setDateTime(QDateTime(start.date(), until));
    f.clock.advance(1000); // the user took a second
    const qint64 clickedMs = f.clock.wallMs();
    QTest::mouseClick(window->SnoozeButton, Qt::LeftButton);
    QTRY_VERIFY(!window);
    QVERIFY(!player || !player->isPlaying());
    QCOMPARE(f.players.created.size(), 1);
    QVERIFY(f.messages.isEmpty());

    // Stored on disk, for a program started again.
    const qint64 expected = until.isValid() ? QDateTime(start.date(), until).toMSecsSinceEpoch() : clickedMs + afterMs;
    TXMLIniFile reread(f.dir.filePath(u"Settings.xml"_s));
    const QList<Snooze::Entry> stored = Snooze::entries(reread);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored.first().untilMs, expected);

    f.clock.set(QDateTime::fromMSecsSinceEpoch(expected - 1));
    firings.tick();
    QCOMPARE(shownWindows().size(), 0);
    f.clock.set(QDateTime::fromMSecsSinceEpoch(expected));
    firings.tick();
    QCOMPARE(shownWindows().size(), 1);
    SoundingNoticeWindow* again = shownWindows().first();
    QCOMPARE(bool(qobject_cast<TForm4*>(again)), birthday);
    QCOMPARE(shownText(again), text);
    QTRY_VERIFY(f.players.created.size() == 2 && f.players.last() && f.players.last()->isPlaying());
    QCOMPARE(f.players.last()->plays.value(0), soundFile);

    for (int i = 0; i < 3; ++i) {
        f.clock.advance(Scheduler::MaxInterval);
        firings.tick();
    }
    QCOMPARE(shownWindows().size(), 1);
    QVERIFY(Snooze::entries(*f.settings).isEmpty());
}

void TestSnoozeWindow::lastLengthIsOfferedAgain_data() {
    QTest::addColumn<QByteArray>("stored"); // "snoozelength" before; empty: none
    QTest::addColumn<int>("choice");        // chosen in the window; -1: nothing snoozed
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<int>("offered"); // the line the next window starts on
    QTest::newRow("first time: 10 minutes") << QByteArray() << -1 << QByteArray() << 1;
    QTest::newRow("unknown value: 10 minutes") << QByteArray("7") << -1 << QByteArray("7") << 1;
    QTest::newRow("5 minutes") << QByteArray() << 0 << QByteArray("5") << 0;
    QTest::newRow("15 minutes") << QByteArray("60") << 2 << QByteArray("15") << 2;
    QTest::newRow("30 minutes") << QByteArray() << 3 << QByteArray("30") << 3;
    QTest::newRow("1 hour") << QByteArray("until") << 4 << QByteArray("60") << 4;
    QTest::newRow("until") << QByteArray() << 5 << QByteArray("until") << 5;
    QTest::newRow("kept") << QByteArray("30") << -1 << QByteArray("30") << 3;
}

// The length chosen last is where the next window starts, also in a program started again (the store read anew).
void TestSnoozeWindow::lastLengthIsOfferedAgain() {
    QFETCH(QByteArray, stored);
    QFETCH(int, choice);
    QFETCH(QByteArray, written);
    QFETCH(int, offered);
    NotifyFixture f;
    if (!stored.isEmpty())
        f.settings->WriteString(SettingsKey::Section, SettingsKey::SnoozeLength, stored);
    if (choice >= 0) {
        QPointer<TForm2> window = new TForm2(f.services);
        window->lines = {u"Dentist"_s};
        window->show();
        chooseLength(window->SnoozeLength, choice);
        QTest::mouseClick(window->SnoozeButton, Qt::LeftButton);
        QTRY_VERIFY(!window);
    }
    f.settings = std::make_unique<TXMLIniFile>(f.dir.filePath(u"Settings.xml"_s));
    QCOMPARE(f.settings->ReadString(SettingsKey::Section, SettingsKey::SnoozeLength, {}), written);
    for (SoundingNoticeWindow* window :
         std::initializer_list<SoundingNoticeWindow*>{new TForm2(f.services), new TForm4(f.services)}) {
        QCOMPARE(window->SnoozeLength->currentIndex(), offered);
        QCOMPARE(window->SnoozeLength->count(), 6);
        delete window;
    }
}

// A moment typed that has passed is refused in one sentence; nothing is stored and the window stays.
void TestSnoozeWindow::passedMomentIsRefused() {
    NotifyFixture f;
    f.settings->WriteString(SettingsKey::Section, SettingsKey::SnoozeLength, "5");
    QFile file(f.dir.filePath(u"Settings.xml"_s));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();

    QPointer<TForm2> window = new TForm2(f.services);
    window->lines = {u"Dentist"_s};
    window->show();
    QTRY_VERIFY(f.players.last() && f.players.last()->isPlaying());
    chooseLength(window->SnoozeLength, 5);
    window->SnoozeUntil->setDateTime(f.clock.dateTime().addSecs(-60));
    QTest::mouseClick(window->SnoozeButton, Qt::LeftButton);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY(f.messages.first().endsWith(u'.'));
    QCOMPARE(f.messages.first().count(u'.'), 1);
    QVERIFY(window && window->isVisible());
    QVERIFY(f.players.last() && f.players.last()->isPlaying());
    QVERIFY(Snooze::entries(*f.settings).isEmpty());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
    delete window;
}

// The snooze controls come just before "OK" in the Tab order, as the row reads, each with a name a screen reader
// says; Space on "Snooze" snoozes.
void TestSnoozeWindow::keyboardAndNames() {
    NotifyFixture f;
    QPointer<TForm2> window = new TForm2(f.services);
    window->lines = {u"Dentist"_s};
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), window->Button1);
    QStringList names;
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QWidget* focus = QApplication::focusWidget();
        names << (focus->accessibleName().isEmpty() ? Caption::shown(focus->property("text").toString())
                                                    : focus->accessibleName());
    }
    QCOMPARE(names, (QStringList{u"Snooze"_s, u"Snooze length"_s}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QTRY_VERIFY(!window);
    QCOMPARE(Snooze::entries(*f.settings).size(), 1);
}

void TestSnoozeWindow::skipNextFromTheWindow_data() {
    QTest::addColumn<bool>("repeating");
    QTest::newRow("repeating alarm") << true;
    QTest::newRow("one-time alarm") << false;
}

// "Skip Next" passes over the occurrence after the one shown and leaves the alarm on; a one-time alarm has no
// next occurrence and no such button.
void TestSnoozeWindow::skipNextFromTheWindow() {
    QFETCH(bool, repeating);
    NotifyFixture f;
    Firings firings(f);
    firings.write("0", alarmDueAt(f.clock.dateTime(), repeating));
    firings.tick();
    QCOMPARE(shownWindows().size(), 1);
    auto* window = qobject_cast<TForm2*>(shownWindows().first());
    QVERIFY(window);
    QCOMPARE(window->SkipButton->isVisible(), repeating);
    if (!repeating)
        return;
    const double next = f.events->ReadDouble("0", EventRecord::Key::Date, 0);
    QCOMPARE(next, DayCount::fromDateTime(f.clock.dateTime().addDays(1)));
    QTest::mouseClick(window->SkipButton, Qt::LeftButton);
    QVERIFY(!window->SkipButton->isEnabled());
    TXMLIniFile reread(f.dir.filePath(u"Alarms.xml"_s));
    QCOMPARE(reread.ReadDouble("0", EventRecord::Key::Date, 0), EventRecord::addAlarmUnits(next, 2, 1));
    QVERIFY(reread.ReadFlag("0", EventRecord::Key::Repeat, false));
    QVERIFY(window->isVisible());
}

QTEST_MAIN(TestSnoozeWindow)
#include "tst_SnoozeWindow.moc"
