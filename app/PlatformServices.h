#pragma once

#include "app/AppOnly.h"

#include "platform/SoundPlayer.h"

class ClockChangeMonitor;
class DesktopNotifier;
class PowerBackend;
class SleepMonitor;

// The machine-facing services the main window works with. main() hands in the real ones (logind on
// the system bus, the GStreamer player); tests hand in fakes. Owned by whoever creates them, and
// alive as long as the main window.
struct PlatformServices {
    PowerBackend* power = nullptr;
    SleepMonitor* sleepMonitor = nullptr;
    SoundPlayerFactory makeSoundPlayer;
    // Lets the clock watchdog rest while the main window is hidden; without it the watchdog ticks every second.
    ClockChangeMonitor* clockChanges = nullptr;
    // Desktop notices beside the alarm windows; none when empty.
    DesktopNotifier* notifier = nullptr;
};
