#include "platform/FreedesktopNotifier.h"

#include "ProductIdentity.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
// The desktop notification protocol's urgency levels: 0 low, 1 normal, 2 critical.
constexpr uchar urgencyCritical = 2;
} // namespace

class FreedesktopNotice final : public DesktopNotice {
public:
    explicit FreedesktopNotice(FreedesktopNotifier* owner)
        : m_owner(owner) {}
    ~FreedesktopNotice() override { close(); }

    void close() override {
        if (m_closed)
            return;
        m_closed = true;
        if (m_owner)
            m_owner->closeNotice(this);
    }

    uint id = 0;
    bool isClosed() const { return m_closed; }
    // The service closed it itself (the user dismissed it): nothing left to close.
    void forget() {
        m_closed = true;
        id = 0;
    }

private:
    QPointer<FreedesktopNotifier> m_owner;
    bool m_closed = false;
};

FreedesktopNotifier::FreedesktopNotifier(const QDBusConnection& sessionBus, QObject* parent)
    : QObject(parent)
    , m_bus(sessionBus) {
    if (!m_bus.isConnected())
        return;
    m_bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
}

FreedesktopNotifier::~FreedesktopNotifier() {
    // The notices outlive nothing they stand for: the windows go with the program.
    for (auto it = m_shown.cbegin(); it != m_shown.cend(); ++it)
        closeById(it.key());
}

std::unique_ptr<DesktopNotice> FreedesktopNotifier::notify(const QString& summary, const QString& body,
                                                           const QList<Action>& actions) {
    auto notice = std::make_unique<FreedesktopNotice>(this);
    if (!m_bus.isConnected())
        return notice;

    QStringList flatActions;
    for (const auto& [key, caption] : actions)
        flatActions << key << caption;
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(urgencyCritical));
    hints.insert(QStringLiteral("desktop-entry"), QLatin1String(ProductIdentity::AppId));
    // Kept after an action, so that "Stop Sound" leaves "OK" to answer.
    hints.insert(QStringLiteral("resident"), true);
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    // A service that understands markup in the body would read an alarm's "<" or "&" as markup.
    call.setArguments({QStringLiteral("Zentick"), uint(0), QLatin1String(ProductIdentity::AppId), summary,
                       body.toHtmlEscaped(), flatActions, hints, int(0)});

    ++m_waiting;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, pending = QPointer<FreedesktopNotice>(notice.get())] {
                watcher->deleteLater();
                --m_waiting;
                const QDBusPendingReply<uint> reply = *watcher;
                const uint id = reply.isError() ? 0 : reply.value();
                const QStringList early = m_earlyActions.take(id);
                const bool closedEarly = m_earlyClosed.removeAll(id) > 0;
                if (m_waiting == 0) {
                    m_earlyActions.clear();
                    m_earlyClosed.clear();
                }
                // No service, or one that refused: the window is there all the same.
                if (id == 0)
                    return;
                if (!pending || pending->isClosed()) {
                    closeById(id);
                    return;
                }
                pending->id = id;
                m_shown.insert(id, pending);
                for (const QString& key : early) {
                    if (m_shown.contains(id))
                        onActionInvoked(id, key);
                }
                if (closedEarly)
                    onNotificationClosed(id, 0);
            });
    return notice;
}

void FreedesktopNotifier::closeNotice(FreedesktopNotice* notice) {
    if (notice->id == 0)
        return; // not shown yet: closed when its number comes
    m_shown.remove(notice->id);
    closeById(notice->id);
}

void FreedesktopNotifier::closeById(uint id) {
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("CloseNotification"));
    call.setArguments({id});
    m_bus.asyncCall(call);
}

// Every program on the bus hears every notice's signals: those of numbers not ours are kept only while one of
// ours may still be waiting for its number, and only a few.
constexpr int earlyLimit = 64;

void FreedesktopNotifier::onActionInvoked(uint id, const QString& key) {
    if (FreedesktopNotice* notice = m_shown.value(id))
        emit notice->actionInvoked(key);
    else if (m_waiting > 0 && m_earlyActions.size() < earlyLimit)
        m_earlyActions[id].append(key);
}

void FreedesktopNotifier::onNotificationClosed(uint id, uint /*reason*/) {
    if (FreedesktopNotice* notice = m_shown.take(id))
        notice->forget();
    else if (m_waiting > 0 && m_earlyClosed.size() < earlyLimit)
        m_earlyClosed.append(id);
}
