#include "platform/SingleInstance.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void oneHolderAtATime();
    void messageReachesTheRunningInstance_data();
    void messageReachesTheRunningInstance();
    void noListenerMeansNoAnswer();
    void socketLeftByAKilledInstanceIsTakenOver();
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

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_SingleInstance.moc"
