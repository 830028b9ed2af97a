#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char Answered = 1;
// Beside the one-byte messages of InstanceMessage: a script request with its reply.
constexpr char RequestMessage = 2;

QByteArray lengthBytes(qint64 length) {
    const auto n = quint32(length);
    const char bytes[4] = {char(n >> 24), char(n >> 16), char(n >> 8), char(n)};
    return QByteArray(bytes, 4);
}

qint64 lengthOf(const QByteArray& bytes) {
    return qint64(quint32(quint8(bytes[0])) << 24 | quint32(quint8(bytes[1])) << 16 | quint32(quint8(bytes[2])) << 8 |
                  quint32(quint8(bytes[3])));
}

// Reads exactly count bytes, waiting for them.
std::optional<QByteArray> readExactly(QLocalSocket& socket, qint64 count) {
    QByteArray bytes;
    while (bytes.size() < count) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(SingleInstance::AnswerTimeoutMs))
            return std::nullopt;
        bytes += socket.read(count - bytes.size());
    }
    return bytes;
}

QString instanceName() {
    return QStringLiteral("ZENTICK.MUTEX-") + QString::number(::getuid());
}

} // namespace

SingleInstance::SingleInstance(QString runtimeFolder)
    : m_folder(std::move(runtimeFolder)) {}

SingleInstance::~SingleInstance() {
    if (m_server)
        m_server->close();
}

QString SingleInstance::defaultRuntimeFolder() {
    return runtimeFolder(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath());
}

QString SingleInstance::runtimeFolder(const QString& xdgRuntimeDir, const QString& tempFolder) {
    // The runtime folder belongs to the session manager: it is used as it is, never created here.
    if (QDir::isAbsolutePath(xdgRuntimeDir) && QFileInfo(xdgRuntimeDir).isDir()) {
        const QString runtime = privateFolder(QFileInfo(xdgRuntimeDir).canonicalFilePath(), false);
        if (!runtime.isEmpty())
            return runtime;
    }
    return privateFolder(tempFolder + QStringLiteral("/zentick-") + QString::number(::getuid()), true);
}

QString SingleInstance::privateFolder(const QString& path, bool create) {
    const QByteArray name = QFile::encodeName(path);
    if (create && ::mkdir(name.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return {};
    // A folder of our own left open to others (made by hand, or by an older version) is closed again.
    if ((info.st_mode & 077) != 0 && (!create || ::chmod(name.constData(), 0700) != 0))
        return {};
    if (::access(name.constData(), W_OK | X_OK) != 0)
        return {};
    return path;
}

QString SingleInstance::lockPath() const {
    return m_folder + QLatin1Char('/') + instanceName() + QStringLiteral(".lock");
}

QString SingleInstance::serverPath() const {
    return m_folder + QLatin1Char('/') + instanceName();
}

bool SingleInstance::acquire() {
    return hasFolder() && m_lock.take(lockPath()) == ExclusiveLock::Result::Taken;
}

bool SingleInstance::send(InstanceMessage message) {
    return send(message, AnswerTimeoutMs);
}

bool SingleInstance::send(InstanceMessage message, int timeoutMs) {
    return hasFolder() && sendTo(serverPath(), message, timeoutMs);
}

bool SingleInstance::sendTo(const QString& serverPath, InstanceMessage message, int timeoutMs) {
    if (serverPath.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverPath);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    const char request = static_cast<char>(message);
    socket.write(&request, 1);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // A terminating instance may close the line right after its answer; either way it has acted.
    if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(timeoutMs))
        return socket.state() == QLocalSocket::UnconnectedState;
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == Answered;
}

std::optional<QByteArray> SingleInstance::request(const QByteArray& payload) {
    if (!hasFolder())
        return std::nullopt;
    return requestTo(serverPath(), payload);
}

std::optional<QByteArray> SingleInstance::requestTo(const QString& serverPath, const QByteArray& payload) {
    if (serverPath.isEmpty() || payload.size() > MaxRequestBytes)
        return std::nullopt;
    QLocalSocket socket;
    socket.connectToServer(serverPath);
    if (!socket.waitForConnected(AnswerTimeoutMs))
        return std::nullopt;
    socket.write(QByteArray(1, RequestMessage) + lengthBytes(payload.size()) + payload);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(AnswerTimeoutMs))
            return std::nullopt;
    }
    const std::optional<QByteArray> head = readExactly(socket, 5);
    if (!head || head->at(0) != Answered)
        return std::nullopt;
    const qint64 length = lengthOf(head->mid(1));
    if (length > MaxRequestBytes)
        return std::nullopt;
    return readExactly(socket, length);
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
    if (socket->peek(&request, 1) != 1)
        return;
    if (request == RequestMessage) {
        // The request may come in pieces: it is served once it is whole.
        const QByteArray head = socket->peek(5);
        if (head.size() < 5)
            return;
        const qint64 length = lengthOf(head.mid(1));
        if (length > MaxRequestBytes || !m_requestHandler) {
            socket->disconnectFromServer();
            return;
        }
        if (socket->bytesAvailable() < 5 + length)
            return;
        socket->read(5);
        const QByteArray reply = m_requestHandler(socket->read(length));
        socket->write(QByteArray(1, Answered) + lengthBytes(reply.size()) + reply);
        socket->flush();
        return;
    }
    socket->read(1);
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
