#pragma once

#include "context/DataStores.h"
#include "context/EditSession.h"
#include "context/Navigation.h"
#include "platform/SoundPlayer.h"

#include <QObject>
#include <QString>
#include <functional>

class CredentialStore;
class OpenAlarmRegistry;
class SyncControl;
class QWidget;
class SchedulerClock;

// The tray icon as the settings page sees it: on or off, switched from the page and from the icon's own menu.
class TraySwitch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isIconShown() const = 0;
    virtual void setIconShown(bool shown) = 0;

signals:
    void iconShownChanged(bool shown);
};

// Everything a page of the main window reaches: the stores, the clock, the edit in progress, navigation and the few
// services of the running program. The main window fills one and hands it to every page it builds; a page keeps the
// reference. Services that come up after the first pages (the scheduler's) are read at the time of use, so a page
// built early still finds them. To give the pages something new, add a member here and fill it in the main window.
struct PageContext {
    PageContext(DataStores& stores, const SchedulerClock& clock, EditSession& edit, Navigation& navigation)
        : stores(stores)
        , clock(clock)
        , edit(edit)
        , navigation(navigation) {}

    DataStores& stores;
    const SchedulerClock& clock;
    EditSession& edit;
    Navigation& navigation;
    // The main window, as the parent of the menus and dialogs a page opens.
    QWidget* window = nullptr;

    // Tells the user something in the message window and returns once it is closed.
    std::function<void(const QString&)> showMessage;
    // Checks the alarms again at once: a commit changed what is due.
    std::function<void()> rearmScheduler;
    // Records were written outside the editors (an import, a calendar sync): the scheduler looks again at once and
    // a list or calendar in view reads the stores afresh.
    std::function<void()> storesWritten;
    // The notification windows open right now; null until the scheduler is up.
    OpenAlarmRegistry* registry = nullptr;
    // The factory of sound players the notification windows use right now (the timer's window uses it too); empty
    // until the platform is attached.
    std::function<SoundPlayerFactory()> soundPlayerFactory;
    // The default alarm sound: "hurryup.mid" beside the executable, else in the installed data folder.
    std::function<QString()> defaultSoundFile;
    // Null until the main window has made its tray icon.
    TraySwitch* tray = nullptr;
    // Where the desktop looks for entries started with the session; empty: no start at login is offered.
    QString autostartFolder;
    // The calendar sync and its schedule; null until the main window has made it.
    SyncControl* sync = nullptr;
    // The desktop's secret store, for the sync's password; null: none (the page says so).
    CredentialStore* credentials = nullptr;
    // Takes the files lock in a data folder; false when another instance holds it.
    std::function<bool(const QString&)> lockDataFolder;
};
