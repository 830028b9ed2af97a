#pragma once

#include "platform/InstanceChannel.h"

#include <QString>
#include <memory>

class QLocalServer;
class QLocalSocket;

// The running instance holds an flock on a per-user file; the kernel drops it with the process however
// that ends, so a killed instance never blocks the next start. Beside it a local socket carries a
// second start's message. Both live in $XDG_RUNTIME_DIR (the temp folder when unset).
class SingleInstance final : public InstanceChannel {
public:
    explicit SingleInstance(QString runtimeFolder = defaultRuntimeFolder());
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool acquire() override;
    bool send(InstanceMessage message) override;
    bool listen(Handler handler) override;
    // Takes the socket away, for a process about to end without running its destructors.
    void stopListening();

    static QString defaultRuntimeFolder();
    QString lockPath() const;
    QString serverPath() const;

    // Long enough for a busy instance, short enough that a hung one does not hang the second start.
    static constexpr int AnswerTimeoutMs = 10'000;

private:
    void serve(QLocalSocket* socket);

    QString m_folder;
    int m_lockFd = -1;
    std::unique_ptr<QLocalServer> m_server;
    Handler m_handler;
};
