#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr char Answered = 1;

QString instanceName() {
    return QStringLiteral("ZENTICK.MUTEX-") + QString::number(::getuid());
}

} // namespace

SingleInstance::SingleInstance(QString runtimeFolder)
    : m_folder(std::move(runtimeFolder)) {}

SingleInstance::~SingleInstance() {
    if (m_server)
        m_server->close();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleInstance::defaultRuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString SingleInstance::lockPath() const {
    return m_folder + QLatin1Char('/') + instanceName() + QStringLiteral(".lock");
}

QString SingleInstance::serverPath() const {
    return m_folder + QLatin1Char('/') + instanceName();
}

bool SingleInstance::acquire() {
    if (m_lockFd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(lockPath());
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // Without a place for the lock the program still has to run; it runs unguarded.
    if (fd < 0)
        return true;
    int rc = 0;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool SingleInstance::send(InstanceMessage message) {
    QLocalSocket socket;
    socket.connectToServer(serverPath());
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return false;
    const char request = static_cast<char>(message);
    socket.write(&request, 1);
    if (!socket.waitForBytesWritten(AnswerTimeoutMs))
        return false;
    // A terminating instance may close the line right after its answer; either way it has acted.
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(AnswerTimeoutMs))
        return socket.state() == QLocalSocket::UnconnectedState;
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == Answered;
}

bool SingleInstance::listen(Handler handler) {
    m_handler = std::move(handler);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Only the lock holder gets here, so a socket file left by a killed instance is stale.
    QLocalServer::removeServer(serverPath());
    if (!m_server->listen(serverPath()))
        return false;
    QObject::connect(m_server.get(), &QLocalServer::newConnection, m_server.get(), [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] { serve(socket); });
            if (socket->bytesAvailable() > 0)
                serve(socket);
        }
    });
    return true;
}

void SingleInstance::stopListening() {
    if (m_server)
        m_server->close();
}

void SingleInstance::serve(QLocalSocket* socket) {
    char request = 0;
    if (socket->read(&request, 1) != 1)
        return;
    const auto message = static_cast<InstanceMessage>(request);
    if (message != InstanceMessage::Show && message != InstanceMessage::Terminate) {
        socket->disconnectFromServer();
        return;
    }
    if (m_handler)
        m_handler(message);
    socket->write(&Answered, 1);
    socket->flush();
}
