#include "FakeDavServer.h"
#include "SyncFolder.h"

using namespace SyncData;

// The sync against servers that differ from radicale where the protocol lets them: one without sync-collection
// (the client lists the members with calendar-query instead), one that answers sync-collection in pages.
class tst_CalDavServerKinds : public QObject {
    Q_OBJECT

private slots:
    void withoutSyncCollection_data();
    void withoutSyncCollection();
    void changesInPages_data();
    void changesInPages();
};

namespace {

SyncAccount accountOf(const FakeDavServer& server) {
    return {server.url(), QStringLiteral("alice"), QStringLiteral("pass")};
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

QStringList fiveAlarms(const QString& prefix) {
    QStringList out;
    for (int i = 0; i < 5; ++i)
        out << QStringLiteral("alarm: %1 %2").arg(prefix).arg(i);
    return out;
}

} // namespace

void tst_CalDavServerKinds::withoutSyncCollection_data() {
    QTest::addColumn<int>("refusal");
    QTest::newRow("403 supported-report") << 403;
    QTest::newRow("405") << 405;
}

void tst_CalDavServerKinds::withoutSyncCollection() {
    QFETCH(int, refusal);
    FakeDavServer server;
    server.refuseSyncCollection = refusal;
    SyncFolder a;
    SyncFolder b;
    writeAlarm(a.events(), "0", inDays(3), QStringLiteral("Dentist"));
    writeAlarm(a.events(), "1", inDays(4), QStringLiteral("Gym"));
    writeBirthday(a.events(), "2", QStringLiteral("Ada"), QDate(1990, 12, 10));
    EventRecord::writeTextBlock(a.diary(), "46000", {QStringLiteral("A walk")});
    SyncOutcome outcome = a.sync(accountOf(server));
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QCOMPARE(server.members(), 4);

    outcome = b.sync(accountOf(server));
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    const QStringList all{QStringLiteral("alarm: Dentist"), QStringLiteral("alarm: Gym"), QStringLiteral("birth: Ada")};
    QCOMPARE(eventsOf(b.events()), all);
    QCOMPARE(notesOf(b.diary()), notesOf(a.diary()));

    // Without a token every sync lists all members: one deleted on B is missing from the list A gets, one edited
    // there has a new ETag.
    b.events().EraseSection(sectionWith(b.events(), QStringLiteral("Gym")));
    EventRecord::writeTextBlock(b.events(), sectionWith(b.events(), QStringLiteral("Dentist")),
                                {QStringLiteral("Dentist at 9")});
    QVERIFY(b.sync(accountOf(server)).ok);
    outcome = a.sync(accountOf(server));
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    const QStringList changed{QStringLiteral("alarm: Dentist at 9"), QStringLiteral("birth: Ada")};
    QCOMPARE(eventsOf(a.events()), changed);
    QCOMPARE(server.members(), 3);
    QVERIFY(server.reports.value("calendar-query") >= 4);

    // Nothing changed: nothing is written.
    const QByteArray before = bytesOf(a.file("Alarms.xml"));
    outcome = a.sync(accountOf(server));
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QVERIFY(!outcome.storesChanged);
    QCOMPARE(eventsOf(a.events()), changed);
    QCOMPARE(bytesOf(a.file("Alarms.xml")), before);
}

// Two members a page at the sync looked at: every list of more than two comes in pages, which only together say
// what the server holds.
void tst_CalDavServerKinds::changesInPages_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::newRow("first sync") << QByteArray("first");
    QTest::newRow("changes since the last sync") << QByteArray("changes");
    QTest::newRow("all once more: sync token unknown to the server") << QByteArray("token");
}

void tst_CalDavServerKinds::changesInPages() {
    QFETCH(QByteArray, kind);
    FakeDavServer server;
    SyncFolder a;
    SyncFolder b;
    for (int i = 0; i < 5; ++i)
        addAlarm(a.events(), inDays(1 + i), QStringLiteral("base %1").arg(i));
    EventRecord::writeTextBlock(a.diary(), "46000", {QStringLiteral("Note")});
    QVERIFY(a.sync(accountOf(server)).ok);
    QCOMPARE(server.members(), 6);

    QStringList expected = fiveAlarms(QStringLiteral("base"));
    if (kind != "first") {
        QVERIFY(b.sync(accountOf(server)).ok);
        QCOMPARE(eventsOf(b.events()), expected);
    }
    if (kind == "changes") {
        // Five edits and a deletion on A: more than a page.
        for (int i = 0; i < 5; ++i) {
            EventRecord::writeTextBlock(a.events(), sectionWith(a.events(), QStringLiteral("base %1").arg(i)),
                                        {QStringLiteral("edited %1").arg(i)});
        }
        a.diary().EraseSection("46000");
        QVERIFY(a.sync(accountOf(server)).ok);
        expected = fiveAlarms(QStringLiteral("edited"));
    } else if (kind == "token") {
        TXMLIniFile state(b.file("Sync.xml"));
        state.WriteString("collection", "synctoken", "http://fake.invalid/sync/999999");
    }
    server.pageSize = 2;
    const int pagesBefore = server.reports.value("sync-collection");
    const SyncOutcome outcome = b.sync(accountOf(server));
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QVERIFY(outcome.conflicts.isEmpty());
    QCOMPARE(eventsOf(b.events()), expected);
    QCOMPARE(notesOf(b.diary()), notesOf(a.diary()));
    QVERIFY(server.reports.value("sync-collection") - pagesBefore >= 3);
    // Nothing on the server was taken for deleted there.
    QCOMPARE(server.members(), kind == "changes" ? 5 : 6);
    QVERIFY(a.sync(accountOf(server)).ok);
    QCOMPARE(eventsOf(a.events()), expected);
}

QTEST_GUILESS_MAIN(tst_CalDavServerKinds)
#include "tst_CalDavServerKinds.moc"
