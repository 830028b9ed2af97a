#include "RadicaleServer.h"
#include "SyncFolder.h"

#include "scheduler/PastAlarms.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRandomGenerator>
#include <QTcpServer>

using namespace SyncData;

namespace {

const QString User = QStringLiteral("alice");
const QString Password = QStringLiteral("s3cret pass");

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

// Every file of the folder with its bytes: what "nothing written" compares.
QMap<QString, QByteArray> filesOf(const QString& folder) {
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(path, bytesOf(path));
    }
    return out;
}

// A server that is no CalDAV server: it answers every connection with the given bytes (or, when empty, never).
class OddServer : public QTcpServer {
public:
    explicit OddServer(QByteArray answer)
        : m_answer(std::move(answer)) {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    if (m_answer.isEmpty())
                        return;
                    socket->write(m_answer);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(serverPort())); }

private:
    QByteArray m_answer;
};

} // namespace

class tst_CalDavSync : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void recordsTravelBothWays();
    void changedOnBothSidesIsKeptTwice();
    void firingOnOneComputerRetiresOnTheOther();
    void changeWinsOverDeletion_data();
    void changeWinsOverDeletion();
    void staleStateDoublesNothing_data();
    void staleStateDoublesNothing();
    void failuresWriteNothing_data();
    void failuresWriteNothing();
    void killedSyncLosesNothing();

private:
    SyncAccount account() const { return {m_server.url(), User, Password}; }
    QString syncOnce() const { return qEnvironmentVariable("ZENTICK_SYNC_ONCE"); }

    RadicaleServer m_server;
};

void tst_CalDavSync::initTestCase() {
    if (RadicaleServer::program().isEmpty())
        QSKIP("radicale is not installed (apt-get install radicale): the sync is tested against a real CalDAV server.");
    const QString error = m_server.start(User, Password);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

// Each test begins with an empty account: the calendar the first sync makes is deleted.
void tst_CalDavSync::init() {
    QNetworkAccessManager manager;
    QNetworkRequest request(m_server.url().resolved(QUrl(QStringLiteral("alice/zentick/"))));
    request.setRawHeader("Authorization", "Basic " + (User + u':' + Password).toUtf8().toBase64());
    std::unique_ptr<QNetworkReply> reply(manager.sendCustomRequest(request, "DELETE"));
    QSignalSpy done(reply.get(), &QNetworkReply::finished);
    QVERIFY(done.wait(10'000));
}

void tst_CalDavSync::recordsTravelBothWays() {
    SyncFolder a;
    SyncFolder b;
    writeAlarm(a.events(), "0", inDays(3), QStringLiteral("Dentist"));
    writeAlarm(a.events(), "1", inDays(1), QStringLiteral("Stretch"), 1);
    writeBirthday(a.events(), "2", QStringLiteral("Ada"), QDate(1990, 12, 10));
    writePowerAction(a.events(), "3", inDays(2));
    EventRecord::writeTextBlock(a.diary(), "46000", {QStringLiteral("A walk by the river"), QStringLiteral("Rain")});
    writeAlarm(a.events(), "9", inDays(-1), QStringLiteral("Fired yesterday"));
    PastAlarms::retire(a.events(), a.past(), "9", inDays(-1));
    const QByteArray aEvents = bytesOf(a.file("Alarms.xml"));

    // The first sync finds the calendar home from the server's address and makes the calendar.
    SyncOutcome outcome = a.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QVERIFY(outcome.conflicts.isEmpty());
    QVERIFY(!outcome.storesChanged);
    // Sending wrote nothing into the stores: the sync keeps what it knows in Sync.xml only.
    QCOMPARE(bytesOf(a.file("Alarms.xml")), aEvents);
    QVERIFY(QFile::exists(a.file("Sync.xml")));

    outcome = b.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QVERIFY(outcome.storesChanged);
    const QStringList expected{QStringLiteral("alarm: Dentist"), QStringLiteral("alarm: Stretch"),
                               QStringLiteral("birth: Ada")};
    QCOMPARE(eventsOf(b.events()), expected); // no power action
    QCOMPARE(notesOf(b.diary()), notesOf(a.diary()));
    QVERIFY(b.past().ReadSections().isEmpty()); // past alarms stay at home
    QVERIFY(!QFile::exists(b.file("PAlarms.xml")));
    const QByteArray sectionOfStretch = sectionWith(b.events(), QStringLiteral("Stretch"));
    QCOMPARE(b.events().ReadInt(sectionOfStretch, K::RepVal, 0), 1);
    // To the second: iCalendar has no finer time.
    QVERIFY(qAbs(b.events().ReadDouble(sectionOfStretch, K::Date, 0) - a.events().ReadDouble("1", K::Date, 0)) <
            1.0 / 86'400);

    // A sync with nothing to do writes nothing and asks once.
    const QMap<QString, QByteArray> before = filesOf(b.dir.path());
    outcome = b.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QCOMPARE(outcome.requests, 1);
    QCOMPARE(filesOf(b.dir.path()), before);

    // Edit, add and delete on B; they reach A.
    for (const QByteArray& s : b.events().ReadSections()) {
        const QStringList text = EventRecord::readTextBlock(b.events(), s);
        if (text.value(0) == QStringLiteral("Dentist"))
            EventRecord::writeTextBlock(b.events(), s, {QStringLiteral("Dentist at 10:30")});
        if (b.events().ReadString(s, K::AlType, {}) == EventRecord::KindBirth)
            b.events().EraseSection(s);
    }
    addAlarm(b.events(), inDays(5), QStringLiteral("Call Bob"));
    EventRecord::writeTextBlock(b.diary(), "46001", {QStringLiteral("Second day")});
    outcome = b.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    outcome = a.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QCOMPARE(eventsOf(a.events()),
             (QStringList{QStringLiteral("alarm: Call Bob"), QStringLiteral("alarm: Dentist at 10:30"),
                          QStringLiteral("alarm: Stretch"), QStringLiteral("shut")}));
    QCOMPARE(notesOf(a.diary()), notesOf(b.diary()));
    QVERIFY(a.events().HasSection("3")); // the power action stayed where it was
}

void tst_CalDavSync::changedOnBothSidesIsKeptTwice() {
    SyncFolder a;
    SyncFolder b;
    writeAlarm(a.events(), "0", inDays(3), QStringLiteral("Meeting"));
    EventRecord::writeTextBlock(a.diary(), "46000", {QStringLiteral("Morning")});
    QVERIFY(a.sync(account()).ok);
    QVERIFY(b.sync(account()).ok);

    EventRecord::writeTextBlock(a.events(), "0", {QStringLiteral("Meeting in room 4")});
    EventRecord::writeTextBlock(a.diary(), "46000", {QStringLiteral("Morning: sun")});
    EventRecord::writeTextBlock(b.events(), "0", {QStringLiteral("Meeting moved to Friday")});
    EventRecord::writeTextBlock(b.diary(), "46000", {QStringLiteral("Morning: fog")});
    QVERIFY(a.sync(account()).ok);
    const SyncOutcome outcome = b.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QCOMPARE(outcome.conflicts, (QStringList{QStringLiteral("Alarm \"Meeting moved to Friday\""),
                                             QStringLiteral("Diary note of 2025-12-09")}));
    // The server's version stays in place, this computer's is added.
    QCOMPARE(EventRecord::readTextBlock(b.events(), "0"), QStringList{QStringLiteral("Meeting in room 4")});
    const QStringList both{QStringLiteral("alarm: Meeting in room 4"),
                           QStringLiteral("alarm: Meeting moved to Friday")};
    QCOMPARE(eventsOf(b.events()), both);
    QCOMPARE(EventRecord::readTextBlock(b.diary(), "46000"),
             (QStringList{QStringLiteral("Morning: sun"), QString(), QStringLiteral("Morning: fog")}));

    const SyncOutcome back = a.sync(account());
    QVERIFY2(back.ok, qPrintable(back.status));
    QVERIFY(back.conflicts.isEmpty()); // told once, on the computer that found it
    QCOMPARE(eventsOf(a.events()), both);
    QCOMPARE(notesOf(a.diary()), notesOf(b.diary()));
}

void tst_CalDavSync::firingOnOneComputerRetiresOnTheOther() {
    SyncFolder a;
    SyncFolder b;
    writeAlarm(a.events(), "0", inDays(1.0 / 24), QStringLiteral("Pills"));
    writeAlarm(a.events(), "1", inDays(2), QStringLiteral("Stays"));
    QVERIFY(a.sync(account()).ok);
    QVERIFY(b.sync(account()).ok);
    QCOMPARE(eventsOf(b.events()), (QStringList{QStringLiteral("alarm: Pills"), QStringLiteral("alarm: Stays")}));

    // The alarm fires on A: it retires to A's past alarms.
    PastAlarms::retire(a.events(), a.past(), "0", a.events().ReadDouble("0", K::Date, 0));
    SyncOutcome outcome = a.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    outcome = b.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QCOMPARE(eventsOf(b.events()), QStringList{QStringLiteral("alarm: Stays")});
    QVERIFY(b.past().ReadSections().isEmpty());
    QCOMPARE(a.past().ReadSections().size(), 1);
}

void tst_CalDavSync::changeWinsOverDeletion_data() {
    QTest::addColumn<bool>("deletedOnA");
    QTest::newRow("changed on B, deleted on A") << true;
    QTest::newRow("deleted on B, changed on A") << false;
}

void tst_CalDavSync::changeWinsOverDeletion() {
    QFETCH(bool, deletedOnA);
    SyncFolder a;
    SyncFolder b;
    writeAlarm(a.events(), "0", inDays(3), QStringLiteral("Dentist"));
    writeAlarm(a.events(), "1", inDays(4), QStringLiteral("Other"));
    QVERIFY(a.sync(account()).ok);
    QVERIFY(b.sync(account()).ok);
    SyncFolder& deleting = deletedOnA ? a : b;
    SyncFolder& changing = deletedOnA ? b : a;
    // Each computer numbers its sections itself.
    deleting.events().EraseSection(sectionWith(deleting.events(), QStringLiteral("Dentist")));
    EventRecord::writeTextBlock(changing.events(), sectionWith(changing.events(), QStringLiteral("Dentist")),
                                {QStringLiteral("Dentist at 11")});
    // The deletion reaches the server first.
    QVERIFY(deleting.sync(account()).ok);
    QVERIFY(changing.sync(account()).ok);
    QVERIFY(deleting.sync(account()).ok);
    const QStringList expected{QStringLiteral("alarm: Dentist at 11"), QStringLiteral("alarm: Other")};
    QCOMPARE(eventsOf(a.events()), expected);
    QCOMPARE(eventsOf(b.events()), expected);
}

// Sync.xml lost, or a sync token the server no longer knows: the records are matched by content again.
void tst_CalDavSync::staleStateDoublesNothing_data() {
    QTest::addColumn<bool>("loseState");
    QTest::newRow("Sync.xml deleted") << true;
    QTest::newRow("sync token unknown to the server") << false;
}

void tst_CalDavSync::staleStateDoublesNothing() {
    QFETCH(bool, loseState);
    SyncFolder a;
    SyncFolder b;
    writeAlarm(a.events(), "0", inDays(3), QStringLiteral("Dentist"));
    EventRecord::writeTextBlock(a.diary(), "46000", {QStringLiteral("Note")});
    QVERIFY(a.sync(account()).ok);
    QVERIFY(b.sync(account()).ok);
    if (loseState) {
        QVERIFY(QFile::remove(b.file("Sync.xml")));
    } else {
        TXMLIniFile state(b.file("Sync.xml"));
        state.WriteString("collection", "synctoken", "http://radicale.org/ns/sync/0000");
    }
    addAlarm(a.events(), inDays(4), QStringLiteral("New on A"));
    QVERIFY(a.sync(account()).ok);
    const SyncOutcome outcome = b.sync(account());
    QVERIFY2(outcome.ok, qPrintable(outcome.status));
    QVERIFY(outcome.conflicts.isEmpty());
    QVERIFY(a.sync(account()).ok);
    const QStringList expected{QStringLiteral("alarm: Dentist"), QStringLiteral("alarm: New on A")};
    QCOMPARE(eventsOf(b.events()), expected);
    QCOMPARE(eventsOf(a.events()), expected);
    QCOMPARE(notesOf(b.diary()), notesOf(a.diary()));
}

void tst_CalDavSync::failuresWriteNothing_data() {
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QString>("status");
    QTest::newRow("wrong password") << QByteArray("password")
                                    << QStringLiteral("refused the user name or the password");
    QTest::newRow("server down") << QByteArray("down") << QStringLiteral("cannot be reached");
    QTest::newRow("garbage for WebDAV")
        << QByteArray("HTTP/1.1 207 Multi-Status\r\nContent-Length: 12\r\nConnection: close\r\n\r\n<<<garbage>>")
        << QStringLiteral("is no WebDAV answer");
    QTest::newRow("no HTTP at all") << QByteArray("SSH-2.0-OpenSSH\r\n\r\n") << QStringLiteral("The server");
    QTest::newRow("silent") << QByteArray("silent") << QStringLiteral("did not answer within 1 seconds");
}

void tst_CalDavSync::failuresWriteNothing() {
    QFETCH(QByteArray, kind);
    QFETCH(QString, status);
    SyncFolder a;
    writeAlarm(a.events(), "0", inDays(3), QStringLiteral("Dentist"));
    EventRecord::writeTextBlock(a.diary(), "46000", {QStringLiteral("Note")});
    const QMap<QString, QByteArray> before = filesOf(a.dir.path());

    SyncAccount target = account();
    std::unique_ptr<OddServer> odd;
    if (kind == "password") {
        target.password = QStringLiteral("wrong");
    } else if (kind == "down") {
        target.url = QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(RadicaleServer::freePort()));
    } else {
        odd = std::make_unique<OddServer>(kind == "silent" ? QByteArray() : kind);
        target.url = odd->url();
    }
    // radicale answers a wrong password after a pause of its own.
    const SyncOutcome outcome = a.sync(target, kind == "silent" ? 1000 : 10'000);
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.status.contains(status), qPrintable(outcome.status));
    QVERIFY(outcome.finishedAt.isValid());
    QCOMPARE(filesOf(a.dir.path()), before);
}

// The sync runs in a child process killed at random moments, over and over, while both computers keep changing
// records; after each kill a whole sync of both must show both computers the same records, each once.
void tst_CalDavSync::killedSyncLosesNothing() {
    QVERIFY2(QFile::exists(syncOnce()), "zentick-sync-once is not built");
    const int rounds = qEnvironmentVariableIntValue("ZENTICK_SYNC_KILLS") > 0
                           ? qEnvironmentVariableIntValue("ZENTICK_SYNC_KILLS")
                           : 30;
    const quint32 seed = QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    SyncFolder a;
    SyncFolder b;
    for (int i = 0; i < 20; ++i)
        addAlarm(a.events(), inDays(1 + i), QStringLiteral("base %1").arg(i));
    writeAlarm(a.events(), "100", inDays(1), QStringLiteral("shared"));
    QVERIFY(a.sync(account()).ok);
    QVERIFY(b.sync(account()).ok);

    const QStringList args{a.dir.path(), m_server.url().toString(), User, Password};
    int killed = 0;
    const auto runChild = [&](int killAfterMs) {
        QProcess child;
        child.start(syncOnce(), args);
        if (!child.waitForStarted(10'000))
            return false;
        if (killAfterMs >= 0 && !child.waitForFinished(killAfterMs)) {
            child.kill();
            ++killed;
        }
        const bool ok = child.state() == QProcess::NotRunning || child.waitForFinished(60'000);
        return ok;
    };
    QElapsedTimer timer;
    timer.start();
    QVERIFY(runChild(-1));
    const int whole = std::max<int>(50, int(timer.elapsed()));

    QStringList expected;
    for (int i = 0; i < 20; ++i)
        expected << QStringLiteral("alarm: base %1").arg(i);
    for (int round = 0; round < rounds; ++round) {
        // Changes on both sides: A adds one and edits the shared one, B adds one and deletes its own of two rounds ago.
        a.reopen();
        addAlarm(a.events(), inDays(2), QStringLiteral("round %1 A").arg(round));
        EventRecord::writeTextBlock(a.events(), "100", {QStringLiteral("shared %1").arg(round)});
        EventRecord::writeTextBlock(a.diary(), QByteArray::number(46000 + round), {QStringLiteral("A %1").arg(round)});
        addAlarm(b.events(), inDays(2), QStringLiteral("round %1 B").arg(round));
        for (const QByteArray& s : b.events().ReadSections()) {
            if (EventRecord::readTextBlock(b.events(), s).value(0) == QStringLiteral("round %1 B").arg(round - 2))
                b.events().EraseSection(s);
        }
        QVERIFY(b.sync(account()).ok);

        const int delay = int(random.bounded(whole + whole / 2));
        QVERIFY(runChild(delay));
        QVERIFY(runChild(-1)); // the sync after the one cut short completes it
        a.reopen();
        SyncOutcome outcome = b.sync(account());
        QVERIFY2(outcome.ok, qPrintable(outcome.status));

        QStringList want = expected;
        for (int j = 0; j <= round; ++j) {
            want << QStringLiteral("alarm: round %1 A").arg(j);
            if (j >= round - 1)
                want << QStringLiteral("alarm: round %1 B").arg(j);
        }
        want << QStringLiteral("alarm: shared %1").arg(round);
        want.sort();
        if (eventsOf(a.events()) != want)
            qWarning() << "round" << round << "killed after" << delay << "ms:" << eventsOf(a.events());
        QCOMPARE(eventsOf(a.events()), want);
        QCOMPARE(eventsOf(b.events()), want);
        QCOMPARE(notesOf(b.diary()), notesOf(a.diary()));
        QCOMPARE(notesOf(a.diary()).size(), round + 1);
    }
    qInfo("%d of %d syncs killed before their end", killed, rounds);
}

QTEST_GUILESS_MAIN(tst_CalDavSync)
#include "tst_CalDavSync.moc"
