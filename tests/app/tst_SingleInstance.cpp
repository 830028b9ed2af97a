#include "platform/FilesLock.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void oneHolderAtATime();
    void messageReachesTheRunningInstance_data();
    void messageReachesTheRunningInstance();
    void requestGetsItsReply_data();
    void requestGetsItsReply();
    void noListenerMeansNoAnswer();
    void socketLeftByAKilledInstanceIsTakenOver();
    void olderAndNewerVersionsUnderstandEachOther_data();
    void olderAndNewerVersionsUnderstandEachOther();
    void runtimeFolderIsPrivate_data();
    void runtimeFolderIsPrivate();
    void noPrivateFolderMeansNoLock();
    void filesLockNamesTheHoldersChannel();
};

namespace {

// The second start blocks until the running instance has answered, so it has to run beside the event
// loop of the running one.
bool sendFromAnotherThread(const QString& folder, InstanceMessage message) {
    std::atomic<bool> done{false};
    bool answered = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        answered = SingleInstance(folder).send(message);
        done = true;
    }));
    thread->start();
    if (!QTest::qWaitFor([&] { return done.load(); }, 20'000))
        qFatal("the second start did not come back");
    thread->wait();
    return answered;
}

} // namespace

void TestSingleInstance::oneHolderAtATime() {
    QTemporaryDir runtime;
    auto first = std::make_unique<SingleInstance>(runtime.path());
    QVERIFY(first->acquire());
    SingleInstance second(runtime.path());
    QVERIFY(!second.acquire());
    QVERIFY(!second.acquire());
    first.reset();
    QVERIFY(second.acquire());
    QCOMPARE(second.lockPath(), runtime.path() + QStringLiteral("/ZENTICK.MUTEX-%1.lock").arg(::getuid()));
}

void TestSingleInstance::messageReachesTheRunningInstance_data() {
    QTest::addColumn<InstanceMessage>("message");
    QTest::newRow("show") << InstanceMessage::Show;
    QTest::newRow("terminate") << InstanceMessage::Terminate;
}

void TestSingleInstance::messageReachesTheRunningInstance() {
    QFETCH(InstanceMessage, message);
    QTemporaryDir runtime;
    SingleInstance running(runtime.path());
    QVERIFY(running.acquire());
    QList<InstanceMessage> received;
    QVERIFY(running.listen([&](InstanceMessage m) { received << m; }));

    QVERIFY(sendFromAnotherThread(runtime.path(), message));
    QCOMPARE(received, QList<InstanceMessage>{message});
}

void TestSingleInstance::requestGetsItsReply_data() {
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("handled");
    QTest::newRow("small") << QByteArray("{\"action\":4}") << true;
    // Far more than one read: it comes in pieces and is served once whole.
    QTest::newRow("4 MB") << QByteArray(4 * 1024 * 1024, 'x') << true;
    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("no handler") << QByteArray("{}") << false;
}

void TestSingleInstance::requestGetsItsReply() {
    QFETCH(QByteArray, payload);
    QFETCH(bool, handled);
    QTemporaryDir runtime;
    SingleInstance running(runtime.path());
    QVERIFY(running.acquire());
    QList<InstanceMessage> messages;
    QVERIFY(running.listen([&](InstanceMessage m) { messages << m; }));
    QByteArrayList received;
    if (handled) {
        running.setRequestHandler([&](const QByteArray& request) -> QByteArray {
            received << request;
            return "reply to " + QByteArray::number(request.size());
        });
    }
    std::atomic<bool> done{false};
    std::optional<QByteArray> reply;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        reply = SingleInstance(runtime.path()).request(payload);
        done = true;
    }));
    thread->start();
    QVERIFY(QTest::qWaitFor([&] { return done.load(); }, 20'000));
    thread->wait();
    QVERIFY(messages.isEmpty());
    if (!handled) {
        QVERIFY(!reply);
        return;
    }
    QCOMPARE(received, QByteArrayList{payload});
    QVERIFY(reply);
    QCOMPARE(*reply, "reply to " + QByteArray::number(payload.size()));
    // The one-byte messages still work beside it.
    QVERIFY(sendFromAnotherThread(runtime.path(), InstanceMessage::Show));
    QCOMPARE(messages, QList<InstanceMessage>{InstanceMessage::Show});
}

void TestSingleInstance::noListenerMeansNoAnswer() {
    QTemporaryDir runtime;
    SingleInstance starting(runtime.path());
    QVERIFY(starting.acquire());
    QElapsedTimer elapsed;
    elapsed.start();
    QVERIFY(!SingleInstance(runtime.path()).send(InstanceMessage::Show));
    QVERIFY(elapsed.elapsed() < SingleInstance::AnswerTimeoutMs);
}

void TestSingleInstance::socketLeftByAKilledInstanceIsTakenOver() {
    QTemporaryDir runtime;
    SingleInstance running(runtime.path());
    QVERIFY(running.acquire());

    // A process killed while listening leaves its socket file behind.
    const QByteArray path = QFile::encodeName(running.serverPath());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    QVERIFY(QFile::exists(running.serverPath()));

    int shown = 0;
    QVERIFY(running.listen([&](InstanceMessage) { ++shown; }));
    QVERIFY(sendFromAnotherThread(runtime.path(), InstanceMessage::Show));
    QCOMPARE(shown, 1);
}

namespace {

QByteArray framed(char head, const QByteArray& bytes) {
    const auto n = quint32(bytes.size());
    const char length[4] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    return QByteArray(1, head) + QByteArray(length, 4) + bytes;
}

// The channel as earlier versions spoke it, over Qt's local sockets, byte for byte: a message byte answered by 1, or
// 2, a 4-byte big-endian length and a request, answered by 1, the reply's length and the reply.
class EarlierInstance : public QObject {
public:
    EarlierInstance(const QString& path, QByteArray reply)
        : m_reply(std::move(reply)) {
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        QLocalServer::removeServer(path);
        listening = m_server.listen(path);
        connect(&m_server, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = m_server.nextPendingConnection())
                connect(socket, &QLocalSocket::readyRead, this, [this, socket] { serve(socket); });
        });
    }
    bool listening = false;
    QByteArrayList received;

private:
    void serve(QLocalSocket* socket) {
        m_pending += socket->readAll();
        if (m_pending.startsWith('\2')) {
            if (m_pending.size() < 5)
                return;
            const qint64 length = qint64(quint8(m_pending[1])) << 24 | quint8(m_pending[2]) << 16 |
                                  quint8(m_pending[3]) << 8 | quint8(m_pending[4]);
            if (m_pending.size() < 5 + length)
                return;
            received << m_pending;
            socket->write(framed(1, m_reply));
        } else {
            received << m_pending;
            socket->write("\1", 1);
        }
        m_pending.clear();
        socket->flush();
    }

    QLocalServer m_server;
    QByteArray m_reply;
    QByteArray m_pending;
};

// A second start of an earlier version: the bytes sent, and what came back once the answer was whole.
QByteArray earlierSecondStart(const QString& path, const QByteArray& sent, qint64 answerSize) {
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(10'000))
        return "not connected";
    socket.write(sent);
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(10'000)) {
    }
    QByteArray answer;
    while (answer.size() < answerSize && (socket.bytesAvailable() > 0 || socket.waitForReadyRead(10'000)))
        answer += socket.readAll();
    return answer;
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

} // namespace

// An instance of one version and a second start of another meet on the same socket file.
void TestSingleInstance::olderAndNewerVersionsUnderstandEachOther_data() {
    QTest::addColumn<bool>("earlierInstance");
    QTest::addColumn<QByteArray>("request"); // empty: the message "show"
    QTest::addColumn<QByteArray>("reply");
    const QByteArray large(4 * 1024 * 1024, 'r'); // far more than the socket takes at once
    QTest::newRow("show to an earlier instance") << true << QByteArray() << QByteArray();
    QTest::newRow("request to an earlier instance") << true << QByteArray("{\"action\":4}") << large;
    QTest::newRow("show from an earlier second start") << false << QByteArray() << QByteArray();
    QTest::newRow("request from an earlier second start") << false << QByteArray("{\"action\":4}") << large;
}

void TestSingleInstance::olderAndNewerVersionsUnderstandEachOther() {
    QFETCH(bool, earlierInstance);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, reply);
    QTemporaryDir runtime;
    SingleInstance running(runtime.path());
    QVERIFY(running.acquire());
    const QByteArray sent = request.isEmpty() ? QByteArray(1, '\0') : framed(2, request);
    const QByteArray expected = request.isEmpty() ? QByteArray(1, '\1') : framed(1, reply);

    std::atomic<bool> done{false};
    if (earlierInstance) {
        EarlierInstance earlier(running.serverPath(), reply);
        QVERIFY(earlier.listening);
        std::optional<QByteArray> answer;
        bool shown = false;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            if (request.isEmpty())
                shown = SingleInstance(runtime.path()).send(InstanceMessage::Show);
            else
                answer = SingleInstance(runtime.path()).request(request);
            done = true;
        }));
        thread->start();
        QVERIFY(QTest::qWaitFor([&] { return done.load(); }, 20'000));
        thread->wait();
        QCOMPARE(earlier.received, QByteArrayList{sent});
        if (request.isEmpty())
            QVERIFY(shown);
        else
            QCOMPARE(answer, std::optional<QByteArray>(reply));
        return;
    }
    QList<InstanceMessage> messages;
    QVERIFY(running.listen([&](InstanceMessage m) { messages << m; }));
    QByteArrayList requests;
    running.setRequestHandler([&](const QByteArray& r) {
        requests << r;
        return reply;
    });
    QByteArray answer;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        answer = earlierSecondStart(running.serverPath(), sent, expected.size());
        done = true;
    }));
    thread->start();
    QVERIFY(QTest::qWaitFor([&] { return done.load(); }, 20'000));
    thread->wait();
    QCOMPARE(answer.size(), expected.size());
    QVERIFY(answer == expected);
    QCOMPARE(messages.size(), request.isEmpty() ? 1 : 0);
    QCOMPARE(requests, request.isEmpty() ? QByteArrayList() : QByteArrayList{request});
}

void TestSingleInstance::runtimeFolderIsPrivate_data() {
    QTest::addColumn<QString>("runtime"); // relative to the test folder; "" for unset
    QTest::addColumn<int>("runtimeMode");
    QTest::addColumn<bool>("usesRuntime");
    QTest::newRow("private runtime folder") << QStringLiteral("run") << 0700 << true;
    QTest::newRow("unset") << QString() << 0 << false;
    QTest::newRow("does not exist yet") << QStringLiteral("missing") << 0 << false;
    QTest::newRow("open to others") << QStringLiteral("run") << 0777 << false;
    QTest::newRow("relative") << QStringLiteral("@relative") << 0 << false;
}

// A runtime folder that is missing or not private gives way to a folder of the user's own in the temp
// folder, made owner-only.
void TestSingleInstance::runtimeFolderIsPrivate() {
    QFETCH(QString, runtime);
    QFETCH(int, runtimeMode);
    QFETCH(bool, usesRuntime);
    QTemporaryDir base;
    QDir(base.path()).mkdir(QStringLiteral("tmp"));
    const QString temp = base.filePath(QStringLiteral("tmp"));
    QString xdg;
    if (runtime == QLatin1String("@relative"))
        xdg = QStringLiteral("run");
    else if (!runtime.isEmpty())
        xdg = base.filePath(runtime);
    if (runtimeMode != 0) {
        QVERIFY(QDir().mkdir(xdg));
        QCOMPARE(::chmod(QFile::encodeName(xdg).constData(), mode_t(runtimeMode)), 0);
    }
    const QString fallback = temp + QStringLiteral("/zentick-%1").arg(::getuid());

    const QString chosen = SingleInstance::runtimeFolder(xdg, temp);
    QCOMPARE(chosen, usesRuntime ? xdg : fallback);
    QCOMPARE(modeOf(chosen) & 0777, mode_t(usesRuntime ? runtimeMode : 0700));
    QCOMPARE(modeOf(base.filePath(QStringLiteral("missing"))), mode_t(0)); // never created for the session

    // Two starts under the same conditions meet at the same lock.
    SingleInstance first(chosen);
    QVERIFY(first.acquire());
    QVERIFY(!SingleInstance(SingleInstance::runtimeFolder(xdg, temp)).acquire());
}

// A fallback name that is a symbolic link or a plain file, or a folder of someone else, is no place for
// the lock, and no lock means no start.
void TestSingleInstance::noPrivateFolderMeansNoLock() {
    QTemporaryDir base;
    const QString fallback = base.filePath(QStringLiteral("zentick-%1").arg(::getuid()));
    QTemporaryDir elsewhere;
    QVERIFY(QFile::link(elsewhere.path(), fallback));
    QVERIFY(SingleInstance::runtimeFolder(QString(), base.path()).isEmpty());
    QVERIFY(QFile::remove(fallback));
    QFile plain(fallback);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(SingleInstance::runtimeFolder(QString(), base.path()).isEmpty());

    SingleInstance noFolder{QString()};
    QVERIFY(!noFolder.hasFolder());
    QVERIFY(!noFolder.acquire());
    QVERIFY(!noFolder.send(InstanceMessage::Show));
}

void TestSingleInstance::filesLockNamesTheHoldersChannel() {
    QTemporaryDir files;
    auto holder = std::make_unique<FilesLock>(files.path());
    QCOMPARE(holder->take(false), ExclusiveLock::Result::NoFile); // only looking creates nothing
    QVERIFY(!QFile::exists(holder->path()));
    QCOMPARE(holder->take(), ExclusiveLock::Result::Taken);
    QCOMPARE(modeOf(holder->path()) & 0777, mode_t(0600));
    holder->setChannel(QStringLiteral("/run/user/1000/ZENTICK.MUTEX-1000"));

    FilesLock other(files.path());
    QCOMPARE(other.take(), ExclusiveLock::Result::HeldByOther);
    QCOMPARE(other.take(false), ExclusiveLock::Result::HeldByOther);
    QCOMPARE(other.holderChannel(), QStringLiteral("/run/user/1000/ZENTICK.MUTEX-1000"));

    // The holder takes its file along when it goes; the next one starts afresh.
    holder.reset();
    QVERIFY(!QFile::exists(other.path()));
    QCOMPARE(other.take(), ExclusiveLock::Result::Taken);
    QCOMPARE(other.holderChannel(), QString());

    // A name that is a symbolic link is no lock file.
    other.release();
    QTemporaryDir target;
    QVERIFY(QFile::link(target.filePath(QStringLiteral("x")), other.path()));
    QCOMPARE(FilesLock(files.path()).take(), ExclusiveLock::Result::NoFile);
    QVERIFY(!QFile::exists(target.filePath(QStringLiteral("x"))));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
