#include "app/LegacyImport.h"
#include "ui/LocaleDateTimeText.h"

#include <QTest>

using LocaleDateTimeText::WallClock;

class TestLocaleDateTimeText : public QObject {
    Q_OBJECT

private slots:
    void format_data();
    void format();
    void parse_data();
    void parse();
    void zoneLeavesTheLongTime_data();
    void zoneLeavesTheLongTime();
    void roundTrip_data();
    void roundTrip();
    void dayCountOfUnreadableTextIsZero();
};

static QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

void TestLocaleDateTimeText::format_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<QString>("text");
    QTest::newRow("en_GB") << QStringLiteral("en_GB") << at(2007, 11, 14, 12, 30)
                           << QStringLiteral("14/11/2007 12:30:00");
    QTest::newRow("en_GB midnight") << QStringLiteral("en_GB") << at(2007, 11, 14) << QStringLiteral("14/11/2007");
    QTest::newRow("en_US") << QStringLiteral("en_US") << at(2007, 11, 14, 12, 30)
                           << QStringLiteral("11/14/07 12:30:00 PM");
    QTest::newRow("de_DE") << QStringLiteral("de_DE") << at(2007, 11, 14, 9, 5, 7)
                           << QStringLiteral("14.11.07 09:05:07");
    // Zone in front ("t HH:mm:ss") and in brackets ("H:mm:ss (t)") goes as well.
    QTest::newRow("zh_CN") << QStringLiteral("zh_CN") << at(2007, 11, 14, 9, 5, 7)
                           << QStringLiteral("2007/11/14 09:05:07");
}

void TestLocaleDateTimeText::format() {
    QFETCH(QString, locale);
    QFETCH(QDateTime, dateTime);
    QFETCH(QString, text);
    QCOMPARE(LocaleDateTimeText::format(dateTime, QLocale(locale)), text);
}

void TestLocaleDateTimeText::zoneLeavesTheLongTime_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("format");
    QTest::newRow("zone behind") << QStringLiteral("en_GB") << QStringLiteral("HH:mm:ss");
    QTest::newRow("zone behind the day half") << QStringLiteral("en_US") << QStringLiteral("h:mm:ss AP");
    QTest::newRow("zone in front") << QStringLiteral("zh_CN") << QStringLiteral("HH:mm:ss");
    QTest::newRow("zone in brackets") << QStringLiteral("fa_IR") << QStringLiteral("H:mm:ss");
}

void TestLocaleDateTimeText::zoneLeavesTheLongTime() {
    QFETCH(QString, locale);
    QFETCH(QString, format);
    QCOMPARE(LocaleDateTimeText::longTimeFormatWithoutZone(QLocale(locale)), format);
}

void TestLocaleDateTimeText::parse_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QDateTime>("dateTime");
    const QDateTime none;
    const QDateTime noon = at(2007, 11, 14, 12, 30);
    QTest::newRow("as written") << QStringLiteral("en_GB") << QStringLiteral("14/11/2007 12:30:00") << true << noon;
    QTest::newRow("date alone is midnight")
        << QStringLiteral("en_GB") << QStringLiteral("14/11/2007") << true << at(2007, 11, 14);
    QTest::newRow("one digit, no seconds")
        << QStringLiteral("en_GB") << QStringLiteral("5/6/2008 9:05") << true << at(2008, 6, 5, 9, 5);
    QTest::newRow("blanks around") << QStringLiteral("en_GB") << QStringLiteral("  14/11/2007   12:30:00 ") << true
                                   << noon;
    QTest::newRow("two-digit year locale")
        << QStringLiteral("en_US") << QStringLiteral("11/14/07 12:30:00 PM") << true << noon;
    QTest::newRow("four digits where the locale has two")
        << QStringLiteral("en_US") << QStringLiteral("11/14/2007 12:30:00 PM") << true << noon;
    QTest::newRow("two-digit year, later century")
        << QStringLiteral("en_US") << QStringLiteral("1/2/99") << true << at(1999, 1, 2);
    // What the earlier version wrote under a Windows short date of "dd/MM/yy".
    QTest::newRow("two digits where the locale has four")
        << QStringLiteral("en_GB") << QStringLiteral("14/11/07 12:30:00") << true << noon;
    QTest::newRow("two digits, last century")
        << QStringLiteral("en_GB") << QStringLiteral("05/06/90") << true << at(1990, 6, 5);
    QTest::newRow("de_DE two digits") << QStringLiteral("de_DE") << QStringLiteral("14.11.07 12:30") << true << noon;
    QTest::newRow("three-digit year") << QStringLiteral("en_GB") << QStringLiteral("14/11/007") << false << none;
    QTest::newRow("de_DE four digits") << QStringLiteral("de_DE") << QStringLiteral("14.11.2007 12:30:00") << true
                                       << noon;
    QTest::newRow("no such day") << QStringLiteral("en_GB") << QStringLiteral("31/02/2007") << false << none;
    QTest::newRow("no date at all") << QStringLiteral("en_GB") << QStringLiteral("Shopping list") << false << none;
    QTest::newRow("empty") << QStringLiteral("en_GB") << QStringLiteral("") << false << none;
    QTest::newRow("hour 25") << QStringLiteral("en_GB") << QStringLiteral("14/11/2007 25:00:00") << false << none;
    QTest::newRow("trailing words") << QStringLiteral("en_GB") << QStringLiteral("14/11/2007 12:30:00 extra") << false
                                    << none;
    QTest::newRow("other locale's order") << QStringLiteral("en_GB") << QStringLiteral("11/14/2007") << false << none;
}

void TestLocaleDateTimeText::parse() {
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(QDateTime, dateTime);
    const auto parsed = LocaleDateTimeText::parse(text, QLocale(locale));
    QCOMPARE(parsed.has_value(), readable);
    if (readable)
        QCOMPARE(QDateTime(parsed->date, parsed->time), dateTime);
}

void TestLocaleDateTimeText::roundTrip_data() {
    QTest::addColumn<QString>("locale");
    for (const char* name : {"en_GB", "en_US", "de_DE", "fr_FR", "ja_JP", "ko_KR", "zh_CN", "nl_NL", "sv_SE"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestLocaleDateTimeText::roundTrip() {
    QFETCH(QString, locale);
    const QLocale l(locale);
    for (const QDateTime& dateTime :
         {at(2007, 11, 14, 12, 30), at(2007, 11, 14), at(2030, 1, 2, 23, 59, 58), at(2008, 6, 5, 0, 0, 1)}) {
        const QString text = LocaleDateTimeText::format(dateTime, l);
        const auto parsed = LocaleDateTimeText::parse(text, l);
        QVERIFY2(parsed.has_value(), qPrintable(text));
        QCOMPARE(QDateTime(parsed->date, parsed->time), dateTime);
    }
}

void TestLocaleDateTimeText::dayCountOfUnreadableTextIsZero() {
    const QLocale gb(QStringLiteral("en_GB"));
    QCOMPARE(LegacyImport::dayCountOf(QStringLiteral("yesterday"), gb), 0.0);
    // Before the epoch the whole part counts back while the fraction counts forward.
    QCOMPARE(LegacyImport::dayCountOf(QStringLiteral("29/12/1899 06:00:00"), gb), -1.25);
    // 02:30 on the spring change day does not exist on the clock; the text still keeps its value.
    QCOMPARE(LegacyImport::dayCountOf(QStringLiteral("30/03/2008 02:30:00"), gb), 39537.0 + 2.5 / 24);
}

QTEST_GUILESS_MAIN(TestLocaleDateTimeText)
#include "tst_LocaleDateTimeText.moc"
