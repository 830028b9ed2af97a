// The date field's drop-down: our own calendar, opened preset to the field's date, writing back only the day.
#include "widgets/DateField.h"
#include "widgets/MonthCalendar.h"

#include <QSignalSpy>
#include <QTableView>
#include <QtTest>

namespace {
// A field holding a moment with seconds, shown on a page, as the editors hold the alarm moment.
struct Form {
    explicit Form(DateField::Kind kind, const QDateTime& moment)
        : field(new DateField(kind, &window)) {
        field->setDateTime(moment);
        field->resize(field->sizeHint().width() + 40, field->sizeHint().height());
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        field->setFocus();
    }
    QWidget window;
    DateField* field;
};

void clickDay(MonthCalendar* calendar, QDate day) {
    const QRect cell = calendar->dayRect(day);
    QVERIFY(cell.isValid());
    auto* view = calendar->findChild<QTableView*>();
    QVERIFY(view);
    const QPoint at = view->viewport()->mapFrom(calendar, cell.center());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}
} // namespace

class TestDateField : public QObject {
    Q_OBJECT

private slots:
    void formatsFollowLocale();
    void dropDownIsOursAndPreset_data();
    void dropDownIsOursAndPreset();
    void pickedDayKeepsTimeOfDay_data();
    void pickedDayKeepsTimeOfDay();
    void keyboardOpensAndPicks();
    void noDropDownShowsButtons();
};

void TestDateField::formatsFollowLocale() {
    QCOMPARE(DateField::shortDateFormat(QLocale(QLocale::English, QLocale::UnitedKingdom)), u"dd/MM/yyyy"_qs);
    // A two-digit year is widened so that 25 never reads as 1925.
    const QString us = DateField::shortDateFormat(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY2(us.contains(u"yyyy"_qs), qPrintable(us));
    DateField date(DateField::Kind::Date);
    QCOMPARE(date.displayFormat(), u"dd/MM/yyyy"_qs); // the tests run with en_GB
    DateField both(DateField::Kind::DateTime);
    QCOMPARE(both.displayFormat(), u"dd/MM/yyyy HH:mm"_qs);
    DateField time(DateField::Kind::Time);
    QCOMPARE(time.displayFormat(), u"HH:mm"_qs);
    QVERIFY(!time.dropCalendar());
}

void TestDateField::dropDownIsOursAndPreset_data() {
    QTest::addColumn<QDate>("date");
    QTest::newRow("this spring") << QDate(2025, 3, 14);
    QTest::newRow("another year") << QDate(2031, 11, 30);
}

void TestDateField::dropDownIsOursAndPreset() {
    QFETCH(QDate, date);
    Form f(DateField::Kind::Date, QDateTime(QDate(2020, 1, 1), QTime(23, 59, 40)));
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    MonthCalendar* calendar = f.field->dropCalendar();
    QVERIFY(calendar);
    // Opened and closed once at another date, as a user would have done earlier.
    f.field->showDropDown();
    QTRY_VERIFY(calendar->isVisible());
    calendar->window()->close();
    QTRY_VERIFY(!calendar->isVisible());
    f.field->setDateTime(QDateTime(date, QTime(23, 59, 40)));

    f.field->showDropDown();

    QTRY_VERIFY(calendar->isVisible());
    QCOMPARE(calendar->date(), date);
    QCOMPARE(calendar->yearShown(), date.year());
    QCOMPARE(calendar->monthShown(), date.month());
    QVERIFY(calendar->window() != &f.window); // it floats over the page
}

void TestDateField::pickedDayKeepsTimeOfDay_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QDate>("picked");
    // The date-only field still carries the moment's time, seconds included.
    QTest::newRow("date, late evening") << int(DateField::Kind::Date)
                                        << QDateTime(QDate(2025, 3, 14), QTime(23, 59, 40)) << QDate(2025, 3, 21);
    QTest::newRow("date and time") << int(DateField::Kind::DateTime) << QDateTime(QDate(2025, 3, 14), QTime(10, 16, 5))
                                   << QDate(2025, 3, 1);
    QTest::newRow("into daylight saving")
        << int(DateField::Kind::Date) << QDateTime(QDate(2025, 3, 14), QTime(9, 0)) << QDate(2025, 3, 31);
}

void TestDateField::pickedDayKeepsTimeOfDay() {
    QFETCH(int, kind);
    QFETCH(QDateTime, moment);
    QFETCH(QDate, picked);
    Form f(DateField::Kind(kind), moment);
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QSignalSpy changed(f.field, &DateField::dateTimeChanged);
    f.field->showDropDown();
    MonthCalendar* calendar = f.field->dropCalendar();
    QTRY_VERIFY(calendar->isVisible());

    clickDay(calendar, picked);

    QTRY_VERIFY(!calendar->isVisible());
    QCOMPARE(f.field->date(), picked);
    QCOMPARE(f.field->time(), moment.time());
    QCOMPARE(f.field->dateTime(), QDateTime(picked, moment.time()));
    QVERIFY(changed.count() >= 1);
}

void TestDateField::keyboardOpensAndPicks() {
    Form f(DateField::Kind::Date, QDateTime(QDate(2025, 1, 31), QTime(7, 30, 15)));
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    MonthCalendar* calendar = f.field->dropCalendar();

    QTest::keyClick(f.field, Qt::Key_Down, Qt::AltModifier);
    QTRY_VERIFY(calendar->isVisible());
    QCOMPARE(calendar->date(), QDate(2025, 1, 31));
    // Across the month's end with the arrows, then Enter.
    auto* view = calendar->findChild<QTableView*>();
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Return);
    QTRY_VERIFY(!calendar->isVisible());
    QCOMPARE(f.field->dateTime(), QDateTime(QDate(2025, 2, 1), QTime(7, 30, 15)));

    // Escape puts the field back as it was, after the arrows have moved it along.
    QTest::keyClick(f.field, Qt::Key_F4);
    QTRY_VERIFY(calendar->isVisible());
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Escape);
    QTRY_VERIFY(!calendar->isVisible());
    QCOMPARE(f.field->dateTime(), QDateTime(QDate(2025, 2, 1), QTime(7, 30, 15)));
}

void TestDateField::noDropDownShowsButtons() {
    Form f(DateField::Kind::Date, QDateTime(QDate(2025, 2, 14), QTime(12, 0, 30)));
    f.field->setDropDown(false);
    QVERIFY(!f.field->dropCalendar());
    f.field->showDropDown(); // nothing to open, nothing breaks
    f.field->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(f.field, Qt::Key_Up);
    QCOMPARE(f.field->dateTime(), QDateTime(QDate(2025, 2, 15), QTime(12, 0, 30)));
}

QTEST_MAIN(TestDateField)
#include "tst_DateField.moc"
