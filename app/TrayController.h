#pragma once

#include "app/AppOnly.h"

#include "scheduler/EventTable.h"
#include "ui/PageContext.h"

#include <QDate>
#include <QObject>
#include <QSystemTrayIcon>

class TForm1;
class QAction;
class QMenu;
class TXMLIniFile;

// The icon in the notification area and its menu: the way back to the main window while it is hidden. Every menu item
// but "Disable Tray" brings the window up on the main menu, with a clean slate, and opens its entry. Where the desktop
// has no notification area the icon simply never appears; nothing else depends on it.
class TrayController final : public TraySwitch {
    Q_OBJECT
public:
    explicit TrayController(TForm1& form, QObject* parent = nullptr);
    ~TrayController() override;

    // Start-up: the icon is shown exactly when "tray" (default on) is on; one not made yet is made shown or hidden.
    void applyStartupSetting();
    // Show or hide the icon; the settings page and "Disable Tray" switch it.
    void setIconShown(bool shown) override;
    bool isIconShown() const override { return m_shown; }

    // The icon, made on the first call: a shown start leaves it until the main window's first frame (finishStart),
    // since making it asks the session bus for a StatusNotifier watcher; whatever needs it sooner makes it then.
    QSystemTrayIcon* TrayIcon();
    QMenu* PopupMenu2 = nullptr;
    QAction* Restore1 = nullptr;           // "Main Menu", the default item
    QAction* NewAlarm1 = nullptr;          // "New Alarm"
    QAction* ScheduledShutDown1 = nullptr; // "Scheduled Shut Down"
    QAction* AddBirthday1 = nullptr;       // "Add Birthday"
    QAction* ViewEditAlarms1 = nullptr;    // "View/Edit Alarms"
    QAction* CountDown1 = nullptr;         // "Timer - Countdown"
    QAction* AddressBook1 = nullptr;       // "Address Book"
    QAction* Calendar1 = nullptr;          // "Diary"
    QAction* Settings1 = nullptr;          // "Settings"
    QAction* DisableTray1 = nullptr;       // "Disable Tray"
    QAction* Quit1 = nullptr;              // "Quit", the one way to end the program from the desktop
    // "Cancel Snooze", after "View/Edit Alarms" while something is snoozed: one item per snooze.
    QMenu* CancelSnooze1 = nullptr;

    void Restore1Click();
    void NewAlarm1Click();
    void ScheduledShutDown1Click();
    void AddBirthday1Click();
    void ViewEditAlarms1Click();
    void CountDown1Click();
    void AddressBook1Click();
    void Calendar1Click();
    void Settings1Click();
    void DisableTray1Click();
    void Quit1Click();
    void TrayIconDblClick();
    // Takes the snooze back: it does not come; the hint and the menu follow.
    void cancelSnooze(const QByteArray& id);
    // The tooltip: today's events, then what is snoozed, built again now; the snooze items of the menu with it.
    void TrayIconMouseEnter();
    // Builds the tooltip again when the event store or the date changed since it was built; the watchdog's tick
    // calls it, so the hint follows midnight, clock changes and resume without a timer of its own.
    void refreshHint();

private:
    void buildMenu();
    void openEntry(int choice);
    void activated(QSystemTrayIcon::ActivationReason reason);

    void showIcon(bool shown, bool makeIcon);

    TForm1& m_form;
    QSystemTrayIcon* m_icon = nullptr;
    QString m_toolTip = QStringLiteral("Zentick");
    bool m_shown = false;
    void rebuildSnoozeMenu();

    quint64 m_hintChange = 0;
    quint64 m_hintSnoozeChange = 0;
    QDate m_hintDay;
    EventTable m_hintTable;
};
