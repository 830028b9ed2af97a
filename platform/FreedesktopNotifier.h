#pragma once

#include "platform/DesktopNotifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QPointer>

class FreedesktopNotice;

// DesktopNotifier through org.freedesktop.Notifications on the session bus: urgency critical (so it is shown
// over full-screen programs and kept until answered), the product's desktop entry as its sender, never
// expiring. Calls are asynchronous: a notice closed before the service has answered with its number is
// closed as soon as the number comes.
class FreedesktopNotifier final : public QObject, public DesktopNotifier {
    Q_OBJECT
public:
    explicit FreedesktopNotifier(const QDBusConnection& sessionBus, QObject* parent = nullptr);
    ~FreedesktopNotifier() override;

    std::unique_ptr<DesktopNotice> notify(const QString& summary, const QString& body,
                                          const QList<Action>& actions) override;

private slots:
    // QtDBus delivers bus signals to slots named by their signature only.
    void onActionInvoked(uint id, const QString& key);
    void onNotificationClosed(uint id, uint reason);

private:
    friend class FreedesktopNotice;
    void closeNotice(FreedesktopNotice* notice);
    void closeById(uint id);

    QDBusConnection m_bus;
    QHash<uint, QPointer<FreedesktopNotice>> m_shown;
    // Notices sent whose number has not come back yet, and what the desktop said about numbers meanwhile: QtDBus
    // may hand over a bus signal before the answer to the call that came before it.
    int m_waiting = 0;
    QHash<uint, QStringList> m_earlyActions;
    QList<uint> m_earlyClosed;
};
