#pragma once

#include "app/AppOnly.h"

#include "dbus/ZentickBus.h"
#include "scripting/ScriptActions.h"

#include <QObject>

class SchedulerClock;
class SingleInstance;
class TForm1;

// Scripts inside the running instance: the requests a second start hands over the single-instance channel and the
// calls on the session bus are carried out here on the main window's stores, so the instance stays the one
// writer; a change re-arms the scheduler as the commit does. Every firing is announced on the bus.
class ScriptingHost : public QObject {
    Q_OBJECT

public:
    ScriptingHost(TForm1& form, SingleInstance& instance, const SchedulerClock& clock);

    // The reply to a request as it came over the channel (JSON both ways).
    QByteArray answer(const QByteArray& payload);
    Script::Reply perform(const Script::Request& request);
    // Offers the interface on this bus; false when it could not (no bus, or the name is taken).
    bool offerOn(const QDBusConnection& bus);

private:
    TForm1& m_form;
    const SchedulerClock& m_clock;
    ZentickBus m_bus;
};
