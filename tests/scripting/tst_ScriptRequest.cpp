#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scripting/ScriptActions.h"
#include "scripting/ScriptRequest.h"
#include "store/XMLIniFile.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime Now(QDate(2026, 5, 4), QTime(9, 0));
const QLocale Britain(QLocale::English, QLocale::UnitedKingdom);

struct Folder {
    QTemporaryDir dir;
    TXMLIniFile events{dir.filePath(QStringLiteral("Alarms.xml"))};
    TXMLIniFile pastAlarms{dir.filePath(QStringLiteral("PAlarms.xml"))};
    TXMLIniFile settings{dir.filePath(QStringLiteral("Settings.xml"))};
    Script::Stores stores() { return {&events, &pastAlarms, &settings, nullptr}; }
    Script::Reply run(const QStringList& arguments) {
        const Script::Parsed parsed = Script::parseArguments(arguments);
        if (!parsed.error.isEmpty())
            return Script::Reply::refused(parsed.error);
        // Across the channel as the running instance gets it.
        const Script::Request request = Script::Request::fromJson(parsed.request.toJson());
        return Script::perform(request, stores(), DayCount::fromDateTime(Now), Britain);
    }
};

} // namespace

class tst_ScriptRequest : public QObject {
    Q_OBJECT

private slots:
    void refusedArguments_data();
    void refusedArguments();
    void moments_data();
    void moments();
    void refusedRequestsWriteNothing_data();
    void refusedRequestsWriteNothing();
    void addedAlarmIsWrittenAsTheEditorWritesIt();
    void repetitionFromThePastStartsAhead();
    void birthday();
    void listAndDelete();
};

void tst_ScriptRequest::refusedArguments_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString alarm = QStringLiteral("--add-alarm");
    const QString at = QStringLiteral("--at");
    const QString when = QStringLiteral("2026-05-04 10:00");
    QTest::newRow("nothing to do") << QStringList{QStringLiteral("--json")} << QStringLiteral("Nothing to do");
    QTest::newRow("unknown option") << QStringList{alarm, QStringLiteral("x"), QStringLiteral("--soon")}
                                    << QStringLiteral("Unknown option \"--soon\"");
    QTest::newRow("missing value") << QStringList{alarm, QStringLiteral("x"), at}
                                   << QStringLiteral("--at needs a value");
    QTest::newRow("two actions") << QStringList{QStringLiteral("--list"), QStringLiteral("--delete"),
                                                QStringLiteral("3")}
                                 << QStringLiteral("cannot be asked for together");
    QTest::newRow("unknown unit") << QStringList{alarm,
                                                 QStringLiteral("x"),
                                                 at,
                                                 when,
                                                 QStringLiteral("--repeat"),
                                                 QStringLiteral("2"),
                                                 QStringLiteral("fortnights")}
                                  << QStringLiteral("Unknown unit \"fortnights\"");
    QTest::newRow("count 0") << QStringList{alarm,
                                            QStringLiteral("x"),
                                            at,
                                            when,
                                            QStringLiteral("--repeat"),
                                            QStringLiteral("0"),
                                            QStringLiteral("days")}
                             << QStringLiteral("not a number from 1 to 9999");
    QTest::newRow("option of another action")
        << QStringList{alarm, QStringLiteral("x"), at, when, QStringLiteral("--born"), QStringLiteral("1980-01-01")}
        << QStringLiteral("--born does not go with --add-alarm");
    QTest::newRow("notice not a number") << QStringList{QStringLiteral("--add-birthday"), QStringLiteral("Ann"),
                                                        QStringLiteral("--notice"), QStringLiteral("soon")}
                                         << QStringLiteral("not a number of days");
    QTest::newRow("twice") << QStringList{QStringLiteral("--list"), QStringLiteral("--json"), QStringLiteral("--json")}
                           << QStringLiteral("--json is given twice");
}

void tst_ScriptRequest::refusedArguments() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QVERIFY(Script::isRequested(arguments) || !arguments.contains(QStringLiteral("--list")));
    const Script::Parsed parsed = Script::parseArguments(arguments);
    QVERIFY2(parsed.error.contains(message), qPrintable(parsed.error));
}

void tst_ScriptRequest::moments_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QDateTime>("expected"); // invalid: refused
    const QDateTime ten(QDate(2026, 5, 4), QTime(10, 0));
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("ISO with T") << QStringLiteral("2026-05-04T10:00") << Britain << ten;
    QTest::newRow("ISO with a blank") << QStringLiteral("2026-05-04 10:00") << Britain << ten;
    QTest::newRow("ISO with seconds") << QStringLiteral("2026-05-04 10:00:30") << Britain << ten.addSecs(30);
    QTest::newRow("ISO in UTC") << QStringLiteral("2026-05-04T08:00Z") << Britain << ten;
    QTest::newRow("ISO with offset") << QStringLiteral("2026-05-04T10:00+02:00") << Britain << ten;
    QTest::newRow("British short") << QStringLiteral("04/05/2026 10:00") << Britain << ten;
    QTest::newRow("American short") << QStringLiteral("5/4/26 10:00 AM") << us << ten;
    QTest::newRow("date only") << QStringLiteral("2026-05-04") << Britain << QDateTime();
    QTest::newRow("American in Britain") << QStringLiteral("5/4/26 10:00 AM") << Britain << QDateTime();
    QTest::newRow("words") << QStringLiteral("tomorrow at ten") << Britain << QDateTime();
    QTest::newRow("31 February") << QStringLiteral("2026-02-31 10:00") << Britain << QDateTime();
}

void tst_ScriptRequest::moments() {
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(QDateTime, expected);
    const QDateTime moment = Script::parseMoment(text, locale);
    QCOMPARE(moment.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(moment.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch());
}

void tst_ScriptRequest::refusedRequestsWriteNothing_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    const QString alarm = QStringLiteral("--add-alarm");
    const QString at = QStringLiteral("--at");
    QTest::newRow("past one-time alarm") << QStringList{alarm, QStringLiteral("x"), at,
                                                        QStringLiteral("2026-05-04 08:59")}
                                         << QStringLiteral("has passed");
    QTest::newRow("now") << QStringList{alarm, QStringLiteral("x"), at, QStringLiteral("2026-05-04 09:00")}
                         << QStringLiteral("has passed");
    QTest::newRow("unreadable date") << QStringList{alarm, QStringLiteral("x"), at, QStringLiteral("soon")}
                                     << QStringLiteral("\"soon\" is no date and time");
    QTest::newRow("no moment") << QStringList{alarm, QStringLiteral("x")} << QStringLiteral("needs --at");
    QTest::newRow("no text") << QStringList{alarm, QString(), at, QStringLiteral("2027-01-01 10:00")}
                             << QStringLiteral("no text");
    QTest::newRow("unknown category") << QStringList{alarm,
                                                     QStringLiteral("x"),
                                                     at,
                                                     QStringLiteral("2027-01-01 10:00"),
                                                     QStringLiteral("--category"),
                                                     QStringLiteral("Chores")}
                                      << QStringLiteral("There is no category \"Chores\"; there are: General, Work.");
    QTest::newRow("born in the future") << QStringList{QStringLiteral("--add-birthday"), QStringLiteral("Ann"),
                                                       QStringLiteral("--born"), QStringLiteral("2026-05-05")}
                                        << QStringLiteral("lies in the future");
    QTest::newRow("birthday without date")
        << QStringList{QStringLiteral("--add-birthday"), QStringLiteral("Ann")} << QStringLiteral("needs --born");
    QTest::newRow("delete unknown") << QStringList{QStringLiteral("--delete"), QStringLiteral("7")}
                                    << QStringLiteral("There is no event \"7\"");
    QTest::newRow("delete a settings section")
        << QStringList{QStringLiteral("--delete"), QStringLiteral("x")} << QStringLiteral("There is no event \"x\"");
}

void tst_ScriptRequest::refusedRequestsWriteNothing() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    Folder f;
    f.settings.WriteString("categories", "count", "1");
    f.settings.WriteString("categories", "0", "Work");
    const Script::Reply reply = f.run(arguments);
    QCOMPARE(reply.status, Script::Refused);
    QVERIFY2(reply.error.contains(message), qPrintable(reply.error));
    QVERIFY(!reply.changed);
    QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("Alarms.xml"))));
    QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("PAlarms.xml"))));
}

void tst_ScriptRequest::addedAlarmIsWrittenAsTheEditorWritesIt() {
    Folder f;
    f.settings.WriteString("categories", "count", "1");
    f.settings.WriteString("categories", "0", "Work");
    f.events.WriteString("0", "altype", "birth"); // taken
    const Script::Reply reply = f.run(
        {QStringLiteral("--add-alarm"), QStringLiteral("Call Bob\nabout the roof"), QStringLiteral("--at"),
         QStringLiteral("05/05/2026 07:30"), QStringLiteral("--repeat"), QStringLiteral("1"), QStringLiteral("week"),
         QStringLiteral("--no-sound"), QStringLiteral("--category"), QStringLiteral("Work")});
    QCOMPARE(reply.status, Script::Done);
    QCOMPARE(reply.section, QByteArray("1"));
    QCOMPARE(f.events.ReadSection("1"),
             (QByteArrayList{"bypass", "altype", "date", "repeat", "repval", "reptype", "alldays", "allmonths", "sound",
                             "category", "linecount", "0", "1"}));
    QCOMPARE(f.events.ReadDouble("1", "date", 0), DayCount::fromDateTime(QDateTime(QDate(2026, 5, 5), QTime(7, 30))));
    QCOMPARE(f.events.ReadString("1", "reptype", {}), QByteArray("3"));
    QCOMPARE(f.events.ReadString("1", "sound", {}), QByteArray("0"));
    QCOMPARE(f.events.ReadString("1", "category", {}), QByteArray("Work"));
    QCOMPARE(EventRecord::readTextBlock(f.events, "1"),
             (QStringList{QStringLiteral("Call Bob"), QStringLiteral("about the roof")}));
}

void tst_ScriptRequest::repetitionFromThePastStartsAhead() {
    Folder f;
    const Script::Reply reply = f.run({QStringLiteral("--add-alarm"), QStringLiteral("Stand up"),
                                       QStringLiteral("--at"), QStringLiteral("2026-05-01 08:30"),
                                       QStringLiteral("--repeat"), QStringLiteral("1"), QStringLiteral("days")});
    QCOMPARE(reply.status, Script::Done);
    QCOMPARE(DayCount::toDateTime(f.events.ReadDouble("0", "date", 0)), QDateTime(QDate(2026, 5, 5), QTime(8, 30)));
}

void tst_ScriptRequest::birthday() {
    Folder f;
    const Script::Reply reply =
        f.run({QStringLiteral("--add-birthday"), QStringLiteral("Ann"), QStringLiteral("--born"),
               QStringLiteral("10/05/1980"), QStringLiteral("--notice"), QStringLiteral("3")});
    QCOMPARE(reply.status, Script::Done);
    QCOMPARE(f.events.ReadSection("0"), (QByteArrayList{"altype", "birthdate", "date", "name", "sound", "before"}));
    QCOMPARE(DayCount::toDate(f.events.ReadDouble("0", "date", 0)), QDate(2026, 5, 7));
    QCOMPARE(DayCount::toDate(f.events.ReadDouble("0", "birthdate", 0)), QDate(1980, 5, 10));
}

void tst_ScriptRequest::listAndDelete() {
    Folder f;
    f.run({QStringLiteral("--add-alarm"), QStringLiteral("Dentist"), QStringLiteral("--at"),
           QStringLiteral("2026-05-06 10:00")});
    f.run({QStringLiteral("--add-birthday"), QStringLiteral("Ann"), QStringLiteral("--born"),
           QStringLiteral("1980-05-10")});
    f.events.WriteString("snooze.0", "until", "1"); // no record of ours
    Script::Reply list = f.run({QStringLiteral("--list"), QStringLiteral("--json")});
    QCOMPARE(list.status, Script::Done);
    const QJsonArray listed = QJsonDocument::fromJson(list.out.toUtf8()).array();
    QCOMPARE(listed.size(), 2);
    QCOMPARE(listed.at(0).toObject().value(QLatin1String("kind")).toString(), QStringLiteral("alarm"));
    QCOMPARE(listed.at(0).toObject().value(QLatin1String("next")).toString(), QStringLiteral("2026-05-06T10:00:00"));
    QCOMPARE(listed.at(1).toObject().value(QLatin1String("text")).toString(), QStringLiteral("Ann"));
    list = f.run({QStringLiteral("--list")});
    QCOMPARE(list.out,
             QStringLiteral("0\talarm\t2026-05-06T10:00:00\tDentist\n1\tbirthday\t2026-05-10T00:00:00\tAnn\n"));

    // As "Delete" on the lists: the alarm is kept among the past alarms, the birthday goes.
    QCOMPARE(f.run({QStringLiteral("--delete"), QStringLiteral("0")}).status, Script::Done);
    QCOMPARE(f.run({QStringLiteral("--delete"), QStringLiteral("1")}).status, Script::Done);
    QCOMPARE(f.events.ReadSections(), QByteArrayList{"snooze.0"});
    QCOMPARE(f.pastAlarms.ReadSections(), QByteArrayList{"0"});
    QCOMPARE(EventRecord::readTextBlock(f.pastAlarms, "0"), QStringList{QStringLiteral("Dentist")});
}

QTEST_GUILESS_MAIN(tst_ScriptRequest)
#include "tst_ScriptRequest.moc"
