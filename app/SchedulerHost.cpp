#include "app/SchedulerHost.h"

#include "app/InstalledData.h"
#include "app/TForm1.h"
#include "platform/SleepMonitor.h"
#include "scheduler/SchedulerClock.h"
#include "ui/notify/FiringLog.h"
#include "ui/notify/NoticeWindow.h"
#include "ui/notify/TForm6.h"
#include "ui/notify/TMsgfrm.h"

#include <QApplication>

// What the scheduler fires reaches the windows with the platform services attached, so a power action or a desktop
// notice never finds them missing because the start had not connected them yet.
class SchedulerHost::PlatformFirst final : public NotificationSink {
public:
    explicit PlatformFirst(SchedulerHost& host)
        : m_host(host) {}

    void showAlarm(const AlarmNotice& notice) override {
        m_host.attachPendingPlatform();
        m_host.m_windows->showAlarm(notice);
    }
    void startPowerCountdown(const PowerNotice& notice) override {
        m_host.attachPendingPlatform();
        m_host.m_windows->startPowerCountdown(notice);
    }
    void showBirthday(const BirthdayNotice& notice) override {
        m_host.attachPendingPlatform();
        m_host.m_windows->showBirthday(notice);
    }
    void firingDone() override { m_host.m_windows->firingDone(); }
    // A window made ahead needs no bus: the notice is sent when it is shown, through showAlarm above.
    void prepareAlarm(const AlarmNotice& notice) override { m_host.m_windows->prepareAlarm(notice); }
    void dropPrepared() override { m_host.m_windows->dropPrepared(); }
    bool showPrepared(const AlarmNotice& notice) override {
        if (!m_host.m_windows->preparedWindow())
            return false;
        m_host.attachPendingPlatform();
        return m_host.m_windows->showPrepared(notice);
    }

private:
    SchedulerHost& m_host;
};

SchedulerHost::SchedulerHost(TForm1& form)
    : m_form(form)
    , m_messages(std::make_unique<TMsgfrm>(&form))
    , m_warning(std::make_unique<TForm6>()) {
    m_windows = std::make_unique<NotificationWindows>(notifyServices());
    m_windows->setMainWindow(&m_form);
    m_sink = std::make_unique<PlatformFirst>(*this);
    // The stores come with start(): a start may read them only after its window is shown.
    m_scheduler = std::make_unique<Scheduler>(m_form.clock(), *m_sink);
    // Snoozes stay with the settings, which a data-folder move leaves where they are.
    m_scheduler->setSnoozeStore(&m_form.settingsStore());
    // Queued: the message window runs its own event loop, which must not start inside a scheduler tick.
    connect(
        m_scheduler.get(), &Scheduler::failed, this, [this](const QString& message) { m_form.ShowMsg(message); },
        Qt::QueuedConnection);
    connect(m_scheduler.get(), &Scheduler::recordFired, this, [this](const QByteArray& section, double scheduled) {
        FiringLog::recordSettled(section, scheduled, m_form.clock());
    });
    ClockWatchdog::Hooks hooks;
    hooks.refreshTitle = [this] {
        m_form.refreshTitle();
    };
    hooks.setSchedulerEnabled = [this](bool on) {
        schedulerAfterClockChange(on);
    };
    m_watchdog = std::make_unique<ClockWatchdog>(m_form.clock(), *m_warning, std::move(hooks));
    m_watchdog->setMainWindow(&m_form);
}

SchedulerHost::~SchedulerHost() {
    // Notification windows still open reach back into this object and the main window's stores.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (qobject_cast<NoticeWindow*>(window))
            delete window;
    }
}

QString SchedulerHost::defaultSoundFile() {
    return InstalledData::file(QStringLiteral("hurryup.mid"));
}

NotifyServices SchedulerHost::notifyServices() {
    NotifyServices services;
    services.settings = [this]() -> TXMLIniFile& {
        return m_form.settingsStore();
    };
    services.events = [this]() -> TXMLIniFile& {
        return m_form.eventStore();
    };
    services.pastAlarms = [this]() -> TXMLIniFile& {
        return m_form.pastAlarmStore();
    };
    services.registry = &m_registry;
    services.clock = &m_form.clock();
    services.showMsg = [this](const QString& text) {
        m_form.ShowMsg(text);
    };
    services.setSchedulerEnabled = [this](bool on) {
        m_scheduler->setEnabled(on);
    };
    services.defaultSoundFile = defaultSoundFile();
    return services;
}

void SchedulerHost::attachPlatform(const PlatformServices& platform) {
    NotifyServices& services = m_windows->services();
    services.power = platform.power;
    services.makeSoundPlayer = platform.makeSoundPlayer;
    services.notifier = platform.notifier;
    if (m_sleepMonitor)
        m_sleepMonitor->disconnect(this);
    m_sleepMonitor = platform.sleepMonitor;
    if (m_sleepMonitor) {
        connect(m_sleepMonitor, &SleepMonitor::suspending, this, [this] { m_watchdog->systemSuspending(); });
        connect(m_sleepMonitor, &SleepMonitor::resumed, this, [this] { m_watchdog->systemResumed(); });
    }
    m_watchdog->setClockChangeMonitor(platform.clockChanges);
}

void SchedulerHost::attachPlatformLater(std::function<PlatformServices()> connect) {
    m_pendingPlatform = std::move(connect);
}

void SchedulerHost::attachPendingPlatform() {
    if (!m_pendingPlatform)
        return;
    const std::function<PlatformServices()> connect = std::move(m_pendingPlatform);
    m_pendingPlatform = nullptr;
    attachPlatform(connect());
}

void SchedulerHost::start() {
    m_scheduler->setStores(m_form.eventStore(), m_form.pastAlarmStore());
    m_scheduler->setInterval(Scheduler::MinInterval);
    m_scheduler->setEnabled(true);
    m_watchdog->start();
}

void SchedulerHost::schedulerAfterClockChange(bool on) {
    // The interval the scheduler was waiting out was measured on the clock before the jump: let it look
    // again at once, so that what became due fires now.
    if (on)
        m_scheduler->setInterval(Scheduler::MinInterval);
    m_scheduler->setEnabled(on);
}

void SchedulerHost::storesReplaced() {
    m_scheduler->setStores(m_form.eventStore(), m_form.pastAlarmStore());
}
