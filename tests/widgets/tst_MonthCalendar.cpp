// The month calendar: marks with hints, hit testing across month layouts, and which notifications it sends.
#include "widgets/MonthCalendar.h"

#include "support/ShownText.h"

#include <QHelpEvent>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

namespace {
struct Shown {
    explicit Shown(QDate date) {
        calendar.setDate(date);
        calendar.resize(360, 260);
        calendar.show();
    }
    QWidget* viewport() const { return calendar.findChild<QTableView*>()->viewport(); }
    QPoint inViewport(QDate day) const { return viewport()->mapFrom(&calendar, calendar.dayRect(day).center()); }
    void click(QDate day) { QTest::mouseClick(viewport(), Qt::LeftButton, Qt::NoModifier, inViewport(day)); }

    MonthCalendar calendar;
};
} // namespace

class TestMonthCalendar : public QObject {
    Q_OBJECT

private slots:
    void marksAndHintsBelongToTheirDay();
    void batchUpdateAndRemoval();
    void everyDayIsFoundWhereItIsDrawn_data();
    void everyDayIsFoundWhereItIsDrawn();
    void hintShowsAsTooltipOnItsDayOnly();
    void setDateIsSilent();
    void clickSelectsDay();
    void everyPressSelects_data();
    void everyPressSelects();
    void turningTheMonthCarriesTheDay();
    void neighbouringDaysAreBlank();
};

void TestMonthCalendar::marksAndHintsBelongToTheirDay() {
    MonthCalendar calendar;
    calendar.setDate(QDate(2025, 3, 14));
    const int dentist = calendar.addMark(QDate(2025, 3, 3), QColor(255, 255, 0), u"09:00:00 - \"Dentist\""_qs);
    const int spring = calendar.addMark(QDate(2025, 3, 21), QColor(255, 0, 0), u"\"Spring...\""_qs);

    QCOMPARE(calendar.markCount(), 2);
    QCOMPARE(calendar.indexOfMark(QDate(2025, 3, 3)), dentist);
    QCOMPARE(calendar.indexOfMark(QDate(2025, 3, 21)), spring);
    QCOMPARE(calendar.indexOfMark(QDate(2025, 3, 4)), -1);
    QCOMPARE(calendar.mark(spring).colour, QColor(255, 0, 0));
    QCOMPARE(calendar.hint(QDate(2025, 3, 3)), u"09:00:00 - \"Dentist\""_qs);
    // The same day number in another month or year is another day.
    QVERIFY(calendar.hint(QDate(2025, 4, 3)).isEmpty());
    QVERIFY(calendar.hint(QDate(2024, 3, 3)).isEmpty());
    QVERIFY(calendar.hint(QDate(2025, 3, 4)).isEmpty());
}

void TestMonthCalendar::batchUpdateAndRemoval() {
    MonthCalendar calendar;
    calendar.setDate(QDate(2025, 3, 14));
    calendar.beginUpdate();
    calendar.beginUpdate();
    for (int day = 1; day <= 31; ++day)
        calendar.addMark(QDate(2025, 3, day), Qt::yellow, QString::number(day));
    calendar.endUpdate();
    calendar.endUpdate();
    calendar.endUpdate(); // one too many does no harm
    QCOMPARE(calendar.markCount(), 31);

    calendar.deleteMark(calendar.indexOfMark(QDate(2025, 3, 14)));
    QCOMPARE(calendar.markCount(), 30);
    QCOMPARE(calendar.indexOfMark(QDate(2025, 3, 14)), -1);
    QCOMPARE(calendar.hint(QDate(2025, 3, 15)), u"15"_qs);
    calendar.deleteMark(-1);
    calendar.deleteMark(99);
    QCOMPARE(calendar.markCount(), 30);
    calendar.clearMarks();
    QCOMPARE(calendar.markCount(), 0);
    QVERIFY(calendar.hint(QDate(2025, 3, 15)).isEmpty());
}

void TestMonthCalendar::everyDayIsFoundWhereItIsDrawn_data() {
    QTest::addColumn<QDate>("month");
    QTest::newRow("starts on Monday, 30 days") << QDate(2025, 9, 1);
    QTest::newRow("four full weeks") << QDate(2021, 2, 1);
    QTest::newRow("starts on Sunday, 31 days") << QDate(2025, 6, 1);
    QTest::newRow("leap February") << QDate(2024, 2, 1);
    QTest::newRow("December") << QDate(2025, 12, 1);
}

void TestMonthCalendar::everyDayIsFoundWhereItIsDrawn() {
    QFETCH(QDate, month);
    Shown f(month);
    QVERIFY(QTest::qWaitForWindowExposed(&f.calendar));
    QSet<QRect> cells;
    for (int day = 1; day <= month.daysInMonth(); ++day) {
        const QDate date(month.year(), month.month(), day);
        const QRect cell = f.calendar.dayRect(date);
        QVERIFY2(cell.isValid(), qPrintable(date.toString(Qt::ISODate)));
        QCOMPARE(f.calendar.dateAt(cell.center()), date);
        cells.insert(cell);
    }
    QCOMPARE(int(cells.size()), month.daysInMonth());
    QVERIFY(!f.calendar.dayRect(month.addDays(-1)).isValid());
    QVERIFY(!f.calendar.dayRect(month.addMonths(1)).isValid());
}

void TestMonthCalendar::hintShowsAsTooltipOnItsDayOnly() {
    Shown f(QDate(2025, 3, 14));
    f.calendar.addMark(QDate(2025, 3, 21), Qt::yellow, u"22:00:00 - Shut Down"_qs);
    QVERIFY(QTest::qWaitForWindowExposed(&f.calendar));
    const auto askHint = [&f](QDate day) {
        const QPoint at = f.inViewport(day);
        QHelpEvent help(QEvent::ToolTip, at, f.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(f.viewport(), &help);
    };

    askHint(QDate(2025, 3, 21));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(ShownText::ofToolTip(QToolTip::text()), u"22:00:00 - Shut Down"_qs);

    askHint(QDate(2025, 3, 22));
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestMonthCalendar::setDateIsSilent() {
    Shown f(QDate(2025, 3, 14));
    QSignalSpy days(&f.calendar, &MonthCalendar::dayChanged);
    QSignalSpy months(&f.calendar, &MonthCalendar::monthChanged);
    QSignalSpy years(&f.calendar, &MonthCalendar::yearChanged);
    f.calendar.setDate(QDate(2025, 3, 20));
    f.calendar.setDate(QDate(2025, 7, 1));
    f.calendar.setDate(QDate(2027, 1, 9));
    QCOMPARE(f.calendar.date(), QDate(2027, 1, 9));
    QCOMPARE(f.calendar.day(), 9);
    QCOMPARE(f.calendar.monthShown(), 1);
    QCOMPARE(days.count() + months.count() + years.count(), 0);
}

void TestMonthCalendar::clickSelectsDay() {
    Shown f(QDate(2025, 3, 14));
    QVERIFY(QTest::qWaitForWindowExposed(&f.calendar));
    QSignalSpy selected(&f.calendar, &MonthCalendar::daySelected);
    QSignalSpy days(&f.calendar, &MonthCalendar::dayChanged);

    f.click(QDate(2025, 3, 3));
    QCOMPARE(f.calendar.date(), QDate(2025, 3, 3));
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected.at(0).at(0).toDate(), QDate(2025, 3, 3));
    QCOMPARE(days.count(), 1);

    // Clicking the current day again is a selection, not a change.
    f.click(QDate(2025, 3, 3));
    QCOMPARE(selected.count(), 2);
    QCOMPARE(days.count(), 1);

    // The keyboard moves the day too.
    QTest::keyClick(f.viewport()->parentWidget(), Qt::Key_Right);
    QCOMPARE(f.calendar.date(), QDate(2025, 3, 4));
    QCOMPARE(days.count(), 2);
}

// Qt turns the second press of a double click into a double-click event (a person's double click arrives as press,
// release, double click, release); each press, that one included, is a day selection of its own.
void TestMonthCalendar::everyPressSelects_data() {
    QTest::addColumn<QList<int>>("events");
    QTest::addColumn<int>("selections");
    const int press = QEvent::MouseButtonPress;
    const int release = QEvent::MouseButtonRelease;
    const int doubleClick = QEvent::MouseButtonDblClick;
    QTest::newRow("click") << QList<int>{press, release} << 1;
    QTest::newRow("a person's double click") << QList<int>{press, release, doubleClick, release} << 2;
    QTest::newRow("the double-click event alone") << QList<int>{doubleClick, release} << 1;
    QTest::newRow("press and double-click event of one press") << QList<int>{press, doubleClick, release} << 1;
}

void TestMonthCalendar::everyPressSelects() {
    QFETCH(QList<int>, events);
    QFETCH(int, selections);
    Shown f(QDate(2025, 3, 14));
    QVERIFY(QTest::qWaitForWindowExposed(&f.calendar));
    QSignalSpy days(&f.calendar, &MonthCalendar::dayChanged);
    // The pages read the calendar's date when they hear of the selection: it must be the pressed day by then.
    QList<QPair<QDate, QDate>> heard; // selected day, calendar's date
    connect(&f.calendar, &MonthCalendar::daySelected, this, [&](QDate date) {
        heard.append({date, f.calendar.date()});
    });
    const QDate day(2025, 3, 20);
    const QPoint at = f.inViewport(day);
    for (const int type : events) {
        if (type == QEvent::MouseButtonPress)
            QTest::mousePress(f.viewport(), Qt::LeftButton, {}, at);
        else if (type == QEvent::MouseButtonRelease)
            QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, at);
        else
            QTest::mouseDClick(f.viewport(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(f.calendar.date(), day);
    QCOMPARE(heard, (QList<QPair<QDate, QDate>>(selections, {day, day})));
    QCOMPARE(days.count(), 1);
}

void TestMonthCalendar::turningTheMonthCarriesTheDay() {
    Shown f(QDate(2025, 1, 31));
    QVERIFY(QTest::qWaitForWindowExposed(&f.calendar));
    QSignalSpy months(&f.calendar, &MonthCalendar::monthChanged);
    QSignalSpy years(&f.calendar, &MonthCalendar::yearChanged);
    auto* next = f.calendar.findChild<QToolButton*>(u"qt_calendar_nextmonth"_qs);
    auto* previous = f.calendar.findChild<QToolButton*>(u"qt_calendar_prevmonth"_qs);
    QVERIFY(next && previous);

    QTest::mouseClick(next, Qt::LeftButton);
    QCOMPARE(f.calendar.date(), QDate(2025, 2, 28)); // the 31st does not exist in February
    QCOMPARE(months.count(), 1);
    QCOMPARE(months.at(0).at(0).toDate(), QDate(2025, 1, 31));
    QCOMPARE(months.at(0).at(1).toDate(), QDate(2025, 2, 28));

    QTest::mouseClick(previous, Qt::LeftButton);
    QTest::mouseClick(previous, Qt::LeftButton);
    QCOMPARE(f.calendar.date(), QDate(2024, 12, 28));
    QCOMPARE(months.count(), 2); // the turn into another year is told as a year change only
    QCOMPARE(years.count(), 1);
    QCOMPARE(years.at(0).at(0).toDate(), QDate(2025, 1, 28));
    QCOMPARE(years.at(0).at(1).toDate(), QDate(2024, 12, 28));
}

void TestMonthCalendar::neighbouringDaysAreBlank() {
    Shown f(QDate(2025, 3, 14)); // March 2025 begins on a Saturday: the first week shows February's end
    QVERIFY(QTest::qWaitForWindowExposed(&f.calendar));
    QSignalSpy selected(&f.calendar, &MonthCalendar::daySelected);
    QSignalSpy months(&f.calendar, &MonthCalendar::monthChanged);
    const QRect first = f.calendar.dayRect(QDate(2025, 3, 1));
    // One cell to the left of the 1st is February's 28th, drawn blank.
    const QPoint blank = first.center() - QPoint(first.width(), 0);
    QVERIFY(!f.calendar.dateAt(blank).isValid());

    QTest::mouseClick(f.viewport(), Qt::LeftButton, Qt::NoModifier, f.viewport()->mapFrom(&f.calendar, blank));

    QCOMPARE(f.calendar.date(), QDate(2025, 3, 14));
    QCOMPARE(selected.count(), 0);
    QCOMPARE(months.count(), 0);
}

QTEST_MAIN(TestMonthCalendar)
#include "tst_MonthCalendar.moc"
