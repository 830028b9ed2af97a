#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
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

QString instanceName() {
    return QStringLiteral("ZENTICK.MUTEX-") + QString::number(::getuid());
}

// False when the path does not fit into a socket address.
bool addressOf(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || size_t(name.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

// The second start's end of the line: it blocks, each step waiting at most its time-out for the running instance.
class ClientSocket {
public:
    ClientSocket() = default;
    ~ClientSocket() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ClientSocket(const ClientSocket&) = delete;
    ClientSocket& operator=(const ClientSocket&) = delete;

    bool connectTo(const QString& path, int timeoutMs) {
        sockaddr_un address;
        if (!addressOf(path, address))
            return false;
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (m_fd < 0)
            return false;
        const QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            if (::connect(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
                return true;
            if (errno == EINTR)
                continue;
            // A full backlog: the instance is busy and will take the line when it comes back to its event loop.
            if (errno != EAGAIN || deadline.hasExpired())
                return false;
            QThread::msleep(5);
        }
    }

    bool writeAll(const QByteArray& bytes, int timeoutMs) {
        qsizetype written = 0;
        while (written < bytes.size()) {
            const ssize_t n = ::send(m_fd, bytes.constData() + written, size_t(bytes.size() - written), MSG_NOSIGNAL);
            if (n > 0)
                written += n;
            else if (n < 0 && errno != EINTR && (errno != EAGAIN || !wait(POLLOUT, timeoutMs)))
                return false;
        }
        return true;
    }

    enum class Read { Data, Closed, TimedOut };
    // Appends at most count bytes, waiting at most timeoutMs for the first of them.
    Read readSome(QByteArray& into, qint64 count, int timeoutMs) {
        for (;;) {
            const qsizetype before = into.size();
            into.resize(before + qsizetype(count));
            const ssize_t n = ::recv(m_fd, into.data() + before, size_t(count), 0);
            into.resize(before + qMax<qsizetype>(n, 0));
            if (n > 0)
                return Read::Data;
            if (n == 0)
                return Read::Closed;
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN)
                return Read::Closed;
            if (!wait(POLLIN, timeoutMs))
                return Read::TimedOut;
        }
    }

    // Reads exactly count bytes, waiting at most timeoutMs for each piece.
    std::optional<QByteArray> readExactly(qint64 count, int timeoutMs) {
        QByteArray bytes;
        while (bytes.size() < count) {
            if (readSome(bytes, count - bytes.size(), timeoutMs) != Read::Data)
                return std::nullopt;
        }
        return bytes;
    }

private:
    // True when the socket is ready (or has ended, which the next call reports) within timeoutMs.
    bool wait(short events, int timeoutMs) const {
        const QDeadlineTimer deadline(timeoutMs);
        for (;;) {
            pollfd watched{m_fd, events, 0};
            const int ready = ::poll(&watched, 1, int(deadline.remainingTime()));
            if (ready > 0)
                return true;
            if (ready == 0 || errno != EINTR)
                return false;
        }
    }

    int m_fd = -1;
};

} // namespace

// One second start's line to the running instance: what it sends is gathered until a message is whole, and the
// answer goes out as the socket takes it, without ever blocking the event loop.
class InstanceConnection final : public QObject {
public:
    using Serve = std::function<bool(QByteArray& input, QByteArray& output)>;

    InstanceConnection(int fd, Serve serve, QObject* parent)
        : QObject(parent)
        , m_fd(fd)
        , m_serve(std::move(serve))
        , m_readable(fd, QSocketNotifier::Read)
        , m_writable(fd, QSocketNotifier::Write) {
        m_writable.setEnabled(false);
        connect(&m_readable, &QSocketNotifier::activated, this, &InstanceConnection::readable);
        connect(&m_writable, &QSocketNotifier::activated, this, &InstanceConnection::flush);
    }
    ~InstanceConnection() override { ::close(m_fd); }
    InstanceConnection(const InstanceConnection&) = delete;
    InstanceConnection& operator=(const InstanceConnection&) = delete;

    void readable() {
        bool ended = false;
        char buffer[64 * 1024];
        for (;;) {
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n > 0) {
                m_input.append(buffer, n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            ended = n == 0 || errno != EAGAIN;
            break;
        }
        // A handler may open a nested event loop: the line is not read again until its answer is out.
        m_readable.setEnabled(false);
        const QPointer<InstanceConnection> alive(this);
        const bool keep = m_serve(m_input, m_output);
        if (!alive)
            return;
        m_closing = ended || !keep;
        if (!m_closing)
            m_readable.setEnabled(true);
        flush();
    }

    void flush() {
        while (!m_output.isEmpty()) {
            const ssize_t n = ::send(m_fd, m_output.constData(), size_t(m_output.size()), MSG_NOSIGNAL);
            if (n > 0) {
                m_output.remove(0, n);
            } else if (n < 0 && errno == EINTR) {
                continue;
            } else if (n < 0 && errno == EAGAIN) {
                m_writable.setEnabled(true);
                return;
            } else {
                // The sender has gone: nobody is left to answer.
                m_output.clear();
                m_closing = true;
            }
        }
        m_writable.setEnabled(false);
        if (m_closing) {
            m_readable.setEnabled(false);
            deleteLater();
        }
    }

private:
    int m_fd;
    Serve m_serve;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    QByteArray m_input;
    QByteArray m_output;
    bool m_closing = false;
};

// The listening socket; the connections it took are its children.
class InstanceServer final : public QObject {
public:
    InstanceServer(SingleInstance& owner, int fd, QString path)
        : m_owner(owner)
        , m_fd(fd)
        , m_path(std::move(path))
        , m_notifier(fd, QSocketNotifier::Read) {
        connect(&m_notifier, &QSocketNotifier::activated, this, &InstanceServer::accept);
    }
    ~InstanceServer() override { close(); }
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // No new second start reaches this instance; the socket file goes, so nobody waits for it.
    void close() {
        if (m_fd < 0)
            return;
        m_notifier.setEnabled(false);
        ::unlink(QFile::encodeName(m_path).constData());
        ::close(m_fd);
        m_fd = -1;
    }

private:
    void accept() {
        for (;;) {
            const int fd = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
            if (fd < 0) {
                if (errno == EINTR || errno == ECONNABORTED)
                    continue;
                return;
            }
            auto* connection = new InstanceConnection(
                fd, [this](QByteArray& input, QByteArray& output) { return m_owner.serve(input, output); }, this);
            // Bytes sent before the connection was taken are already waiting.
            connection->readable();
        }
    }

    SingleInstance& m_owner;
    int m_fd;
    QString m_path;
    QSocketNotifier m_notifier;
};

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
    ClientSocket socket;
    if (!socket.connectTo(serverPath, timeoutMs) || !socket.writeAll(QByteArray(1, char(message)), timeoutMs))
        return false;
    // A terminating instance may close the line right after its answer, or before it; either way it has acted.
    QByteArray answer;
    switch (socket.readSome(answer, 1, timeoutMs)) {
    case ClientSocket::Read::Data:
        return answer.at(0) == Answered;
    case ClientSocket::Read::Closed:
        return true;
    case ClientSocket::Read::TimedOut:
        break;
    }
    return false;
}

std::optional<QByteArray> SingleInstance::request(const QByteArray& payload) {
    if (!hasFolder())
        return std::nullopt;
    return requestTo(serverPath(), payload);
}

std::optional<QByteArray> SingleInstance::requestTo(const QString& serverPath, const QByteArray& payload) {
    if (payload.size() > MaxRequestBytes)
        return std::nullopt;
    ClientSocket socket;
    if (!socket.connectTo(serverPath, AnswerTimeoutMs) ||
        !socket.writeAll(QByteArray(1, RequestMessage) + lengthBytes(payload.size()) + payload, AnswerTimeoutMs))
        return std::nullopt;
    const std::optional<QByteArray> head = socket.readExactly(5, AnswerTimeoutMs);
    if (!head || head->at(0) != Answered)
        return std::nullopt;
    const qint64 length = lengthOf(head->mid(1));
    if (length > MaxRequestBytes)
        return std::nullopt;
    return socket.readExactly(length, AnswerTimeoutMs);
}

bool SingleInstance::listen(Handler handler) {
    m_handler = std::move(handler);
    m_server.reset();
    sockaddr_un address;
    if (!hasFolder() || !addressOf(serverPath(), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    // Only the lock holder gets here, so a socket file left by a killed instance is stale.
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRWXU) != 0 || ::listen(fd, SOMAXCONN) != 0) {
        ::close(fd);
        ::unlink(address.sun_path);
        return false;
    }
    m_server = std::make_unique<InstanceServer>(*this, fd, serverPath());
    return true;
}

void SingleInstance::stopListening() {
    if (m_server)
        m_server->close();
}

bool SingleInstance::serve(QByteArray& input, QByteArray& output) {
    while (!input.isEmpty()) {
        const char request = input.at(0);
        if (request == RequestMessage) {
            // The request may come in pieces: it is served once it is whole.
            if (input.size() < 5)
                return true;
            const qint64 length = lengthOf(input.mid(1, 4));
            if (length > MaxRequestBytes || !m_requestHandler)
                return false;
            if (input.size() < 5 + length)
                return true;
            const QByteArray payload = input.mid(5, length);
            input.remove(0, 5 + length);
            const QByteArray reply = m_requestHandler(payload);
            output += QByteArray(1, Answered) + lengthBytes(reply.size()) + reply;
            continue;
        }
        input.remove(0, 1);
        const auto message = static_cast<InstanceMessage>(request);
        if (message != InstanceMessage::Show && message != InstanceMessage::Terminate)
            return false;
        if (m_handler)
            m_handler(message);
        output += Answered;
    }
    return true;
}
