#pragma once

#include "scheduler/NotificationSink.h"
#include "ui/notify/NotifyServices.h"

#include <QPointer>
#include <QWidget>

// Turns what the scheduler fires into windows: an alarm window, a power-action countdown or a
// birthday greeting, each a top-level window of its own, created to be shown and destroyed when
// closed. None of them ever brings back a main window that sits hidden in the tray.
class NotificationWindows final : public NotificationSink {
public:
    explicit NotificationWindows(NotifyServices services);

    void setMainWindow(QWidget* window) { m_mainWindow = window; }
    NotifyServices& services() { return m_services; }

    void showAlarm(const AlarmNotice& notice) override;
    void startPowerCountdown(const PowerNotice& notice) override;
    void showBirthday(const BirthdayNotice& notice) override;
    // The main window hidden in the notification area is hidden again, with its taskbar button, so a
    // notification never brings it back.
    void firingDone() override { rehideMainWindowIfHidden(); }
    void rehideMainWindowIfHidden();

private:
    NotifyServices m_services;
    QPointer<QWidget> m_mainWindow;
};
