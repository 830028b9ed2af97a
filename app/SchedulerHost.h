#pragma once

#include "app/AppOnly.h"

#include "app/ClockWatchdog.h"
#include "app/PlatformServices.h"
#include "scheduler/Scheduler.h"
#include "ui/notify/NotificationWindows.h"
#include "ui/notify/OpenAlarmRegistry.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class TForm1;
class TForm6;
class TMsgfrm;

// The scheduler as it runs inside the main window, with everything it fires into: the notification
// windows and their registry, the message window, and the clock watchdog with its warning. The main
// window owns one and hands it the platform services.
class SchedulerHost final : public QObject {
    Q_OBJECT
public:
    explicit SchedulerHost(TForm1& form);
    ~SchedulerHost() override;

    // Power actions, sleep notices and sound; until this is called there is no sound, and a power
    // action fails as one without the privilege.
    void attachPlatform(const PlatformServices& platform);
    // The services reached over D-Bus need not hold up the start: connect() makes them and returns the whole set,
    // and runs at attachPendingPlatform(), or before the first firing when that comes sooner, so a firing never
    // meets the services missing. Once only.
    void attachPlatformLater(std::function<PlatformServices()> connect);
    void attachPendingPlatform();
    // Reads the event and past-alarm stores; the first scheduler tick follows 50 ms later, and the watchdog ticks
    // every second from now on.
    void start();
    // Moving the data directory replaced the event and past-alarm stores.
    void storesReplaced();

    Scheduler& scheduler() { return *m_scheduler; }
    OpenAlarmRegistry& registry() { return m_registry; }
    TMsgfrm& messageWindow() { return *m_messages; }
    TForm6& clockWarning() { return *m_warning; }
    ClockWatchdog& watchdog() { return *m_watchdog; }
    NotificationWindows& notificationWindows() { return *m_windows; }

    // The default alarm sound: "hurryup.mid" beside the executable, else in the installed data folder.
    static QString defaultSoundFile();

private:
    class PlatformFirst;

    NotifyServices notifyServices();
    void schedulerAfterClockChange(bool on);

    TForm1& m_form;
    OpenAlarmRegistry m_registry;
    std::unique_ptr<TMsgfrm> m_messages;
    std::unique_ptr<TForm6> m_warning;
    std::unique_ptr<NotificationWindows> m_windows;
    std::unique_ptr<NotificationSink> m_sink;
    std::function<PlatformServices()> m_pendingPlatform;
    std::unique_ptr<Scheduler> m_scheduler;
    std::unique_ptr<ClockWatchdog> m_watchdog;
    QPointer<SleepMonitor> m_sleepMonitor;
};
