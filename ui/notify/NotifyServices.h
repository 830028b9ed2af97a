#pragma once

#include "platform/SoundPlayer.h"

#include <QString>
#include <functional>

class DesktopNotifier;
class OpenAlarmRegistry;
class PowerBackend;
class SchedulerClock;
class TXMLIniFile;

// What the notification windows need from the running program. The main window fills it once; the
// stores are reached through accessors because moving the data directory replaces them.
struct NotifyServices {
    std::function<TXMLIniFile&()> settings;
    std::function<TXMLIniFile&()> events;
    std::function<TXMLIniFile&()> pastAlarms;
    OpenAlarmRegistry* registry = nullptr;
    const SchedulerClock* clock = nullptr;
    // A new player for one window; the window owns it.
    SoundPlayerFactory makeSoundPlayer;
    PowerBackend* power = nullptr;
    std::function<void(const QString&)> showMsg;
    std::function<void(bool)> setSchedulerEnabled;
    // Sends a desktop notice with each window, for when the window opens unseen; none when null.
    DesktopNotifier* notifier = nullptr;
    // "hurryup.mid" in the executable's folder.
    QString defaultSoundFile;
};
