#pragma once

#include <QDBusAbstractInterface>

// The logind manager's signals as Qt signals: QtDBus subscribes to a bus signal when a Qt signal of the
// same name on an interface proxy is connected to.
class LogindManagerSignals final : public QDBusAbstractInterface {
    Q_OBJECT
public:
    LogindManagerSignals(const QDBusConnection& bus, QObject* parent);

Q_SIGNALS:
    void PrepareForSleep(bool start);
};
