#pragma once

#include "platform/ExclusiveLock.h"
#include "platform/InstanceChannel.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class InstanceServer;

// The running instance holds an flock on a per-user file; the kernel drops it with the process however
// that ends, so a killed instance never blocks the next start. Beside it a local socket carries a
// second start's message. Both live in $XDG_RUNTIME_DIR, or, when that is missing or not private, in a
// folder of the user's own under the temp folder. Without a private folder there is no lock at all.
//
// The socket is a plain Unix stream socket watched by the event loop: the start needs no network library for it.
// Its path and its bytes are what they have always been, so an instance of an older version and a second start of
// a newer one (or the reverse) still understand each other.
class SingleInstance final : public InstanceChannel {
public:
    // Long enough for a busy instance, short enough that a hung one does not hang the second start.
    static constexpr int AnswerTimeoutMs = 10'000;

    explicit SingleInstance(QString runtimeFolder = defaultRuntimeFolder());
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False also when there is no folder for the lock (hasFolder()).
    bool acquire() override;
    bool hasFolder() const { return !m_folder.isEmpty(); }
    bool send(InstanceMessage message) override;
    // The same, waiting at most timeoutMs for each step of the exchange.
    bool send(InstanceMessage message, int timeoutMs);
    // The same to an instance whose channel is known by its path.
    static bool sendTo(const QString& serverPath, InstanceMessage message, int timeoutMs = AnswerTimeoutMs);
    bool listen(Handler handler) override;

    // A script request (Script::Request as JSON) and its reply, so the running instance stays the one writer of
    // the files: a message byte of its own, then the length (4 bytes, big-endian) and the bytes, each
    // way. The handler runs on the GUI thread before the sender gets the reply; without one a request is refused.
    using RequestHandler = std::function<QByteArray(const QByteArray& request)>;
    void setRequestHandler(RequestHandler handler) { m_requestHandler = std::move(handler); }
    // The reply; nullopt when no instance listens, or it did not answer in time.
    std::optional<QByteArray> request(const QByteArray& payload);
    static std::optional<QByteArray> requestTo(const QString& serverPath, const QByteArray& payload);
    static constexpr qint64 MaxRequestBytes = 16 * 1024 * 1024;
    // Takes the socket away, for a process about to end without running its destructors.
    void stopListening();

    // $XDG_RUNTIME_DIR when it is a private folder of this user, else privateFolder() of
    // <temp>/zentick-<uid>; empty when neither will do.
    static QString defaultRuntimeFolder();
    static QString runtimeFolder(const QString& xdgRuntimeDir, const QString& tempFolder);
    // path when it is a real folder (no symbolic link) owned by this user and closed to everyone else;
    // else empty. With create, a missing one is made owner-only and one of ours left open is closed.
    static QString privateFolder(const QString& path, bool create);
    QString lockPath() const;
    QString serverPath() const;

private:
    friend class InstanceServer;
    // What a connection's bytes so far ask for; taken from the front of input once answered. False once the
    // connection is to be dropped.
    bool serve(QByteArray& input, QByteArray& output);

    QString m_folder;
    ExclusiveLock m_lock;
    std::unique_ptr<InstanceServer> m_server;
    Handler m_handler;
    RequestHandler m_requestHandler;
};
