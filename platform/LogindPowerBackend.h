#pragma once

#include "PowerBackend.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantList>

// Power actions through systemd-logind on the given (system) bus. Only main() hands it the real system
// bus; tests give it a private bus with a fake logind.
//
// Shut down, restart, hibernate and stand by first ask CanPowerOff, CanReboot, CanHibernate or
// CanSuspend: anything but "yes" ("na", "no", "challenge", an error, no logind at all) means the user
// cannot take the privilege without a password prompt, which a forced action never shows. The action is
// then asked for as PowerOffWithFlags (and so on) with SD_LOGIND_SKIP_INHIBITORS, which logind honours
// from systemd 256 on; older logind (Debian 12 has 252) rejects the flag or the method, and the call is
// repeated as the plain method with interactive = false, which still lets root pass blocking inhibitors.
// Log off terminates the own session: the one logind names for our process id, else $XDG_SESSION_ID,
// else logind's "auto" (the caller's session, or the user's graphical one for a process started outside
// any session).
class LogindPowerBackend final : public PowerBackend {
public:
    explicit LogindPowerBackend(QDBusConnection systemBus, int callTimeoutMs = 10000);

    PowerOutcome perform(int action) override;

private:
    PowerOutcome logOff();
    QString ownSessionId(bool* logindMissing);
    QDBusMessage callManager(const QString& method, const QVariantList& arguments);

    QDBusConnection m_bus;
    int m_timeoutMs;
};
