#include "scheduler/DayCount.h"
#include "ui/editors/ConfirmationText.h"
#include "ui/editors/EventCommit.h"
#include "ui/editors/LocaleFormats.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The parts of the editors that do not need a window: the long time without its zone, the first
// notification day of a birthday, the lines of a description, the confirmation texts.
class TestEditorLogic : public QObject {
    Q_OBJECT
private slots:
    void longTimeFormat_data();
    void longTimeFormat();
    void firstBirthdayNotification_data();
    void firstBirthdayNotification();
    void textLines_data();
    void textLines();
    void alarmTextCutsAfterFiveLines_data();
    void alarmTextCutsAfterFiveLines();
};

void TestEditorLogic::longTimeFormat_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zone after") << u"en_GB"_s << u"HH:mm:ss"_s;
    QTest::newRow("zone after AM/PM") << u"en_US"_s << u"h:mm:ss AP"_s;
    QTest::newRow("zone in front") << u"zh_CN"_s << u"HH:mm:ss"_s;
    QTest::newRow("zone in brackets") << u"fa_IR"_s << u"H:mm:ss"_s;
}

void TestEditorLogic::longTimeFormat() {
    QFETCH(QString, locale);
    QFETCH(QString, expected);
    QCOMPARE(LocaleFormats::longTimeFormat(QLocale(locale)), expected);
}

void TestEditorLogic::firstBirthdayNotification_data() {
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("before");
    QTest::addColumn<QDate>("expected");
    const QDateTime june2007(QDate(2007, 6, 1), QTime(12, 0));
    QTest::newRow("next year, 3 days before") << QDate(1980, 5, 10) << june2007 << 3 << QDate(2008, 5, 7);
    QTest::newRow("later this year") << QDate(1980, 8, 10) << june2007 << 0 << QDate(2007, 8, 10);
    QTest::newRow("born today: midnight is past") << QDate(2007, 6, 1) << june2007 << 0 << QDate(2008, 6, 1);
    QTest::newRow("birthday today, 2 days before") << QDate(1990, 6, 1) << june2007 << 2 << QDate(2008, 5, 30);
    QTest::newRow("29 February stays at the 28th") << QDate(2000, 2, 29) << june2007 << 0 << QDate(2008, 2, 28);
    QTest::newRow("before larger than days left") << QDate(1970, 6, 6) << june2007 << 20 << QDate(2007, 5, 17);
    QTest::newRow("exactly midnight is not earlier")
        << QDate(1999, 6, 1) << QDateTime(QDate(2007, 6, 1), QTime(0, 0)) << 0 << QDate(2007, 6, 1);
}

void TestEditorLogic::firstBirthdayNotification() {
    QFETCH(QDate, birth);
    QFETCH(QDateTime, now);
    QFETCH(int, before);
    QFETCH(QDate, expected);
    const double d =
        EventCommit::firstBirthdayNotification(DayCount::fromDate(birth), DayCount::fromDateTime(now), before);
    QCOMPARE(DayCount::toDateTime(d), QDateTime(expected, QTime(0, 0)));
}

void TestEditorLogic::textLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << QString() << QStringList();
    QTest::newRow("one") << u"Tea"_s << QStringList{u"Tea"_s};
    QTest::newRow("trailing break") << u"Tea\nCake\n"_s << QStringList{u"Tea"_s, u"Cake"_s};
    QTest::newRow("empty line kept") << u"Tea\n\nCake"_s << QStringList{u"Tea"_s, u""_s, u"Cake"_s};
    QTest::newRow("only a break") << u"\n"_s << QStringList{u""_s};
    QTest::newRow("CR LF") << u"Tea\r\nCake"_s << QStringList{u"Tea"_s, u"Cake"_s};
}

void TestEditorLogic::textLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(EventCommit::textLines(text), lines);
}

void TestEditorLogic::alarmTextCutsAfterFiveLines_data() {
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("tail");
    QTest::newRow("five") << 5 << u"\nWith the following notification text:\n\nl1\nl2\nl3\nl4\nl5\n"_s;
    QTest::newRow("seven") << 7 << u"\nWith the following notification text:\n\nl1\nl2\nl3\nl4\nl5\n...\n"_s;
    QTest::newRow("none") << 0 << u""_s;
}

void TestEditorLogic::alarmTextCutsAfterFiveLines() {
    QFETCH(int, lineCount);
    QFETCH(QString, tail);
    QStringList lines;
    for (int i = 1; i <= lineCount; ++i)
        lines << u"l%1"_s.arg(i);
    const QDateTime moment(QDate(2007, 11, 14), QTime(12, 30));
    const QString text = ConfirmationText::alarm(moment, lines, {}, false, false);
    QCOMPARE(text, (u"The Alarm has been Scheduled for:\n\"Wednesday, 14 November 2007 12:30:00\"\n"_s) + tail);
}

QTEST_GUILESS_MAIN(TestEditorLogic)
#include "tst_editor_logic.moc"
