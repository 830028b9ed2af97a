#pragma once

#include "app/AppOnly.h"

#include <QString>

#include <functional>
#include <memory>

class CredentialStore;
class DataStores;
class SchedulerClock;
class SyncRunner;

// What the main window takes from outside: where its files live and which clock it reads. The program
// passes the executable's folder and the system clock; tests a temporary folder and a fake clock.
struct AppContext {
    QString exeFolder;
    const SchedulerClock* clock = nullptr;
    // Started with "-h": the main window stays hidden until asked for.
    bool startHidden = false;
    // Whether the desktop has a notification area right now; empty: ask Qt. Tests answer for the desktop.
    std::function<bool()> trayAvailable = nullptr;
    // Where the desktop looks for entries started with the session ($XDG_CONFIG_HOME/autostart for the program,
    // a temporary folder in tests). Empty: the settings page offers no start at login.
    QString autostartFolder = QString();
    // The files lock is taken in the data folder as well as beside "Settings.xml", so that two program folders
    // naming one data folder never run as two instances. The program sets it; in-process tests need not.
    bool lockDataFolder = false;
    // The four data stores are read and the tray icon is made once the window is shown (TForm1::finishStart(),
    // which the program calls after the first frame), or when first asked for; a hidden start does both at once.
    // The program sets it; tests that do not call finishStart() need not.
    bool storesAfterFirstFrame = false;
    // The desktop's secret store for the sync's password; null: none.
    CredentialStore* credentials = nullptr;
    // Makes the calendar sync on the main window's stores; empty or null: no sync in this program, and the settings
    // say so.
    std::function<std::unique_ptr<SyncRunner>(DataStores&)> makeSyncRunner = nullptr;
};
