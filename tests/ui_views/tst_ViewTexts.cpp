// What the event views show and in which order, computed from stored records: cell texts, typed sort keys,
// the calendar's marked days and the tray hint. The locale is pinned to en_GB by the test runner.

#include "Records.h"

#include "scheduler/DayCount.h"
#include "ui/views/CalendarMonth.h"
#include "ui/views/EventTexts.h"
#include "ui/views/ListSort.h"
#include "ui/views/TrayHint.h"

#include <QCollator>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Records;

class tst_ViewTexts : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TXMLIniFile> freshStore() {
        static int n = 0;
        return std::make_unique<TXMLIniFile>(m_dir.filePath(QStringLiteral("store%1.xml").arg(++n)));
    }

private slots:
    void dateText_data();
    void dateText();
    void descriptionAndRepeatTexts();
    void ageText_data();
    void ageText();
    void intervalLengths_data();
    void intervalLengths();
    void compareRules();
    void sortOrderIsStableAndDirected();
    void calendarMonth();
    void trayHint_data();
    void trayHint();
};

void tst_ViewTexts::dateText_data() {
    QTest::addColumn<double>("dayCount");
    QTest::addColumn<QString>("expected");
    const QDate day(2024, 3, 5);
    QTest::newRow("whole day: date alone") << DayCount::fromDate(day) << "05/03/2024";
    QTest::newRow("with a time: long time, no zone")
        << DayCount::fromDateTime(QDateTime(day, QTime(12, 0))) << "05/03/2024 12:00:00";
    QTest::newRow("below 1: time alone") << 0.75 << "18:00:00";
    QTest::newRow("zero") << 0.0 << "00:00:00";
    // A power action stored at 21:59:30 is listed at the moment chosen, 30 seconds later.
    QTest::newRow("power action plus 30 s")
        << DayCount::addSeconds(DayCount::fromDateTime(QDateTime(day, QTime(21, 59, 30))), 30) << "05/03/2024 22:00:00";
}

void tst_ViewTexts::dateText() {
    QFETCH(double, dayCount);
    QFETCH(QString, expected);
    QCOMPARE(EventTexts::dateText(dayCount), expected);
}

void tst_ViewTexts::descriptionAndRepeatTexts() {
    QCOMPARE(EventTexts::descriptionText({}), u"(No Description)"_qs);
    QCOMPARE(EventTexts::descriptionText({u"Dentist"_qs}), u"\"Dentist\""_qs);
    QCOMPARE(EventTexts::descriptionText({u"Dentist"_qs, u"b"_qs, u"c"_qs}), u"\"Dentist...\""_qs);

    QCOMPARE(EventTexts::alarmRepeatText(false, 5, 3), u"No"_qs);
    QCOMPARE(EventTexts::alarmRepeatText(true, 2, 3), u"2 Weeks"_qs);
    QCOMPARE(EventTexts::alarmRepeatText(true, 1, 0), u"1 Minutes"_qs);
    QCOMPARE(EventTexts::alarmRepeatText(true, 3, 5), u"3 Years"_qs);
    QCOMPARE(EventTexts::alarmRepeatText(true, 4, 9), u"4"_qs);
    QCOMPARE(EventTexts::powerRepeatText(true, 3, 1), u"3 Weeks"_qs);
    QCOMPARE(EventTexts::powerRepeatText(true, 2, 0), u"2 Days"_qs);
    QCOMPARE(EventTexts::powerRepeatText(true, 2, 2), u"2"_qs);
    QCOMPARE(EventTexts::powerRepeatText(false, 2, 0), u"No"_qs);
}

void tst_ViewTexts::ageText_data() {
    QTest::addColumn<QDateTime>("born");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("expected");
    QTest::newRow("37 years 2 months 17 days")
        << QDateTime(QDate(1970, 3, 15), QTime(0, 0)) << QDateTime(QDate(2007, 6, 1), QTime(12, 0)) << "37yrs,2m,17d.";
    // The 365.25-day year reaches 27 only later that day.
    QTest::newRow("birthday, one second in") << QDateTime(QDate(1980, 6, 1), QTime(0, 0))
                                             << QDateTime(QDate(2007, 6, 1), QTime(0, 0, 1)) << "26yrs,11m,31d.";
    QTest::newRow("leap day, a common year on")
        << QDateTime(QDate(2000, 2, 29), QTime(0, 0)) << QDateTime(QDate(2001, 2, 28), QTime(12, 0)) << "1yrs,0m,0d.";
}

void tst_ViewTexts::ageText() {
    QFETCH(QDateTime, born);
    QFETCH(QDateTime, now);
    QFETCH(QString, expected);
    QCOMPARE(EventTexts::ageText(DayCount::fromDateTime(born), DayCount::fromDateTime(now)), expected);
}

void tst_ViewTexts::intervalLengths_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("repeat");
    QTest::addColumn<int>("reptype");
    QTest::addColumn<int>("repval");
    QTest::addColumn<double>("days");
    QTest::newRow("not repeating") << QByteArray("alarm") << QByteArray("0") << 3 << 5 << 0.0;
    QTest::newRow("90 minutes") << QByteArray("alarm") << QByteArray("1") << 0 << 90 << 90.0 / 1440;
    QTest::newRow("2 hours") << QByteArray("alarm") << QByteArray("1") << 1 << 2 << 2.0 / 24;
    QTest::newRow("1 day") << QByteArray("alarm") << QByteArray("1") << 2 << 1 << 1.0;
    QTest::newRow("9 weeks") << QByteArray("alarm") << QByteArray("1") << 3 << 9 << 63.0;
    QTest::newRow("1 month is 31 days") << QByteArray("alarm") << QByteArray("1") << 4 << 1 << 31.0;
    QTest::newRow("2 months are 60 days") << QByteArray("alarm") << QByteArray("1") << 4 << 2 << 60.0;
    QTest::newRow("1 year") << QByteArray("alarm") << QByteArray("1") << 5 << 1 << 365.0;
    QTest::newRow("alarm unknown unit") << QByteArray("alarm") << QByteArray("1") << 6 << 3 << 0.0;
    QTest::newRow("power 2 days") << QByteArray("shut") << QByteArray("1") << 0 << 2 << 2.0;
    QTest::newRow("power 3 weeks") << QByteArray("shut") << QByteArray("1") << 1 << 3 << 21.0;
    QTest::newRow("power unit 2 counts nothing") << QByteArray("shut") << QByteArray("1") << 2 << 5 << 0.0;
}

void tst_ViewTexts::intervalLengths() {
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, repeat);
    QFETCH(int, reptype);
    QFETCH(int, repval);
    QFETCH(double, days);
    auto store = freshStore();
    write(*store, "0",
          {{"altype", kind},
           {"repeat", repeat},
           {"reptype", QByteArray::number(reptype)},
           {"repval", QByteArray::number(repval)}});
    const double length = kind == "shut" ? ListSort::powerInterval(*store, "0") : ListSort::alarmInterval(*store, "0");
    QVERIFY2(qAbs(length - days) < 1e-9, qPrintable(QString::number(length)));
}

void tst_ViewTexts::compareRules() {
    using ListSort::Rule;
    using ListSort::SortKey;
    const double ms = 1.0 / 86'400'000;
    QCOMPARE(ListSort::compare(SortKey{Rule::Date, 100.5, {}}, SortKey{Rule::Date, 100.5 + ms / 2, {}}), 0);
    QCOMPARE(ListSort::compare(SortKey{Rule::Date, 100.5, {}}, SortKey{Rule::Date, 100.5 + 2 * ms, {}}), -1);
    QCOMPARE(ListSort::compare(SortKey{Rule::WholeDay, 100.1, {}}, SortKey{Rule::WholeDay, 100.9, {}}), 0);
    QCOMPARE(ListSort::compare(SortKey{Rule::WholeDay, 101.1, {}}, SortKey{Rule::WholeDay, 100.9, {}}), 1);
    QCOMPARE(ListSort::compare(SortKey{Rule::Number, 0, {}}, SortKey{Rule::Number, 1, {}}), -1);

    const QCollator collator = ListSort::textCollator();
    const auto text = [&](const char* s) {
        return SortKey{Rule::Text, 0, collator.sortKey(QString::fromUtf8(s))};
    };
    QCOMPARE(ListSort::compare(text("apple "), text("Apple ")), 0);
    QVERIFY(ListSort::compare(text("apple "), text("Banana ")) < 0);
    QVERIFY(ListSort::compare(text("Émile "), text("Zoe ")) < 0);

    // A two-line description compares as "first second ".
    auto store = freshStore();
    write(*store, "0", {{"linecount", "2"}, {"0", "first"}, {"1", "second"}, {"2", "stale"}});
    QCOMPARE(ListSort::descriptionKey(*store, "0"), u"first second "_qs);
}

void tst_ViewTexts::sortOrderIsStableAndDirected() {
    using ListSort::Rule;
    using ListSort::SortKey;
    const std::vector<SortKey> keys = {
        {Rule::Number, 1, {}}, {Rule::Number, 0, {}}, {Rule::Number, 1, {}}, {Rule::Number, 0, {}}};
    QCOMPARE(ListSort::order(keys, 4), (std::vector<int>{1, 3, 0, 2}));
    QCOMPARE(ListSort::order(keys, -4), (std::vector<int>{0, 2, 1, 3}));
}

void tst_ViewTexts::calendarMonth() {
    auto store = freshStore();
    const QDate march(2026, 3, 1);
    write(*store, "0",
          {{"altype", "alarm"}, {"date", at(QDate(2026, 3, 10), QTime(18, 0))}, {"linecount", "1"}, {"0", "Dinner"}});
    write(*store, "1",
          {{"altype", "alarm"},
           {"date", at(QDate(2026, 3, 10), QTime(9, 0))},
           {"linecount", "2"},
           {"0", "Gym"},
           {"1", "bring a towel"}});
    write(*store, "2", {{"altype", "birth"}, {"date", at(QDate(2026, 3, 17))}, {"name", "Anna"}, {"before", "3"}});
    // Chosen for 00:00:10 on 1 March: stored 30 seconds earlier, on the last day of February.
    write(*store, "3", {{"altype", "shut"}, {"date", at(QDate(2026, 2, 28), QTime(23, 59, 40))}, {"shuttype", "0"}});
    write(*store, "4", {{"altype", "shut"}, {"date", at(QDate(2026, 3, 20), QTime(21, 59, 30))}, {"shuttype", "4"}});
    write(*store, "5", {{"altype", "birth"}, {"date", at(QDate(2026, 3, 25))}, {"name", "Ben"}, {"before", "0"}});
    write(*store, "6", {{"altype", "shut"}, {"date", at(QDate(2026, 3, 25), QTime(7, 0))}, {"shuttype", "3"}});
    write(*store, "7", {{"altype", "alarm"}, {"date", at(QDate(2026, 4, 1), QTime(9, 0))}});

    const QList<CalendarMonth::DayEvents> days = CalendarMonth::collect(*store, march);
    QCOMPARE(days.size(), 4);
    QCOMPARE(days[0].day, 10);
    QCOMPARE(days[0].sections, (QByteArrayList{"0", "1"}));
    // Store order, not time order; no final line feed.
    QCOMPARE(days[0].hint, u"18:00:00 - \"Dinner\"\n09:00:00 - \"Gym...\""_qs);
    QCOMPARE(days[1].day, 17);
    QCOMPARE(days[1].hint, u"Anna's Birthday in 3 days"_qs);
    QCOMPARE(days[2].day, 20);
    QCOMPARE(days[2].hint, u"21:59:30 - Stand By"_qs);
    QCOMPARE(days[3].day, 25);
    QCOMPARE(days[3].sections, (QByteArrayList{"5", "6"}));
    QCOMPARE(days[3].hint, u"Ben's Birthday\n07:00:00 - Hibernate"_qs);

    const QList<CalendarMonth::DayEvents> february = CalendarMonth::collect(*store, QDate(2026, 2, 1));
    QCOMPARE(february.size(), 1);
    QCOMPARE(february[0].day, 28);
    QCOMPARE(february[0].hint, u"23:59:40 - Shut Down"_qs);
}

void tst_ViewTexts::trayHint_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("expected");
    // 6 May 2026 is a Wednesday, 10 May a Sunday.
    QTest::newRow("Wednesday: the weekday alarm is listed")
        << QDate(2026, 5, 6)
        << "Events for Today:\n09:00:00 - \"Meeting\"\n14:30:00 - \"Call\"\n08:00:00 - \"Standup\"\n"
           "Anna's Birthday in 2 days\n21:59:30 - Hibernate\n11:00:00 - \"(No Description)\"\n"
           "12:00:00 - \"(No Description)\"";
    QTest::newRow("Sunday: Monday to Friday only is left out")
        << QDate(2026, 5, 10)
        << "Events for Today:\n09:00:00 - \"Meeting\"\n14:30:00 - \"Call\"\nAnna's Birthday in 2 days\n"
           "21:59:30 - Hibernate\n11:00:00 - \"(No Description)\"\n12:00:00 - \"(No Description)\"";
}

void tst_ViewTexts::trayHint() {
    QFETCH(QDate, today);
    QFETCH(QString, expected);
    auto store = freshStore();
    write(
        *store, "0",
        {{"altype", "alarm"}, {"date", at(today, QTime(9, 0))}, {"linecount", "2"}, {"0", "Meeting"}, {"1", "agenda"}});
    write(*store, "1", {{"altype", "alarm"}, {"date", at(today, QTime(14, 30))}, {"linecount", "1"}, {"0", "Call"}});
    write(*store, "2",
          {{"altype", "alarm"},
           {"date", at(today, QTime(8, 0))},
           {"linecount", "1"},
           {"0", "Standup"},
           {"repeat", "1"},
           {"alldays", "0"},
           {"Days", "0111110"}});
    write(*store, "3", {{"altype", "birth"}, {"date", at(today)}, {"name", "Anna"}, {"before", "2"}});
    write(*store, "4", {{"altype", "shut"}, {"date", at(today, QTime(21, 59, 30))}, {"shuttype", "3"}});
    write(*store, "5", {{"altype", "alarm"}, {"date", at(today.addDays(1), QTime(9, 0))}, {"linecount", "0"}});
    // Every weekday, but May is excluded.
    write(*store, "6",
          {{"altype", "alarm"},
           {"date", at(today, QTime(10, 0))},
           {"linecount", "1"},
           {"0", "Rent"},
           {"allmonths", "0"},
           {"Months", "111101111111"}});
    write(*store, "7", {{"altype", "alarm"}, {"date", at(today, QTime(11, 0))}});
    // Shortened to no lines by an edit: its old line "0" is not shown.
    write(*store, "8", {{"altype", "alarm"}, {"date", at(today, QTime(12, 0))}, {"linecount", "0"}, {"0", "old text"}});
    QCOMPARE(TrayHint::text(*store, today), expected);
    QCOMPARE(TrayHint::text(*store, today.addDays(2)), u"No Events for Today"_qs);
}

QTEST_GUILESS_MAIN(tst_ViewTexts)
#include "tst_ViewTexts.moc"
