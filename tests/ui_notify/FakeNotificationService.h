#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>

#include <memory>

// A private session bus in a temporary folder, with python-dbusmock's notification daemon on it when asked.
// Nothing here reaches the machine's own buses: the code under test is handed connection().
class FakeNotificationService {
public:
    struct Call {
        QString method;
        QVariantList arguments;
    };

    FakeNotificationService();
    ~FakeNotificationService();
    FakeNotificationService(const FakeNotificationService&) = delete;
    FakeNotificationService& operator=(const FakeNotificationService&) = delete;

    static bool mockAvailable();
    // The bus alone: false with error() when it does not come up.
    bool startBus();
    // The notification daemon on the bus.
    bool startService();

    QDBusConnection connection() const;
    QString error() const { return m_error; }

    // The calls the daemon received, oldest first; those of one method.
    QList<Call> calls();
    QList<Call> calls(const QString& method);
    // The user chooses an action on notice id.
    bool invokeAction(uint id, const QString& key);

private:
    QTemporaryDir m_folder;
    std::unique_ptr<QProcess> m_bus;
    std::unique_ptr<QProcess> m_service;
    QString m_address;
    QString m_connectionName;
    QString m_error;
};
