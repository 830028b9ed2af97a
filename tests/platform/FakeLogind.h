#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <memory>

// A private message bus standing in for the system bus, and python-dbusmock's logind template on it.
// Nothing here reaches the machine's real buses: the bus listens in a temporary folder, activates no
// services, and the code under test is handed connection().
class FakeLogind {
public:
    struct Call {
        QString method;
        QVariantList arguments;
    };

    FakeLogind();
    ~FakeLogind();
    FakeLogind(const FakeLogind&) = delete;
    FakeLogind& operator=(const FakeLogind&) = delete;

    // /usr/bin/python3 can run the mock.
    static bool mockAvailable();

    // Starts the bus; false with a reason in error() when it does not come up.
    bool startBus();
    // Starts (or restarts) the fake logind with the template's parameters, e.g. {"CanHibernate": "na"}.
    bool startLogind(const QString& parametersJson = QString());
    void stopLogind();

    QDBusConnection connection() const;
    QString error() const { return m_error; }

    // Control of the mock (org.freedesktop.DBus.Mock on the manager object).
    bool addManagerMethod(const QString& name, const QString& inSignature, const QString& outSignature,
                          const QString& pythonCode);
    QString addSession(const QString& id, quint32 uid, const QString& user);
    QList<Call> calls();
    QStringList calledMethods();
    void clearCalls();
    bool emitPrepareForSleep(bool start);
    // (what, who, why, mode) of the inhibitor locks the fake holds.
    QList<QStringList> inhibitors();

private:
    QVariantList mockCall(const QString& method, const QVariantList& arguments);

    QTemporaryDir m_folder;
    std::unique_ptr<QProcess> m_bus;
    std::unique_ptr<QProcess> m_logind;
    QString m_address;
    QString m_connectionName;
    QString m_error;
};
