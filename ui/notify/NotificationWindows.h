#pragma once

#include "platform/DesktopNotifier.h"
#include "scheduler/NotificationSink.h"
#include "ui/notify/NotifyServices.h"

#include <QPointer>
#include <QWidget>

class NoticeWindow;
class TForm2;

// Turns what the scheduler fires into windows: an alarm window, a power-action countdown or a
// birthday greeting, each a top-level window of its own, created to be shown and destroyed when
// closed. None of them ever brings back a main window that sits hidden in the tray.
//
// Each window is also announced as a desktop notice (unless the settings say "desktopnotices" = "0"), because
// some desktops open a window from the background behind others or not at all: the notice's actions answer
// the window ("OK", "Stop Sound", a countdown's "Cancel"), and the notice goes when the window goes.
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

    // The alarm window is made, laid out and polished hidden; showAlarm() with an equal notice shows it as it is,
    // any other notice gets a window of its own and this one goes.
    void prepareAlarm(const AlarmNotice& notice) override;
    void dropPrepared() override;
    bool showPrepared(const AlarmNotice& notice) override;
    // The window made ahead and not shown yet, if any.
    NoticeWindow* preparedWindow() const;

private:
    TForm2* makeAlarmWindow(const AlarmNotice& notice);
    // The window's notice, with "Show" and the actions the window offers.
    void announce(NoticeWindow* window, const QString& summary, const QString& body);

    NotifyServices m_services;
    QPointer<QWidget> m_mainWindow;
    QPointer<TForm2> m_prepared;
    AlarmNotice m_preparedNotice;
};
