#pragma once

// Section and key names of the settings store, exactly as stored; the pages and windows that read or
// write a setting take its name from here.
namespace SettingsKey {
inline constexpr char Section[] = "settings";
inline constexpr char DataFolder[] = "alpath";
inline constexpr char Tray[] = "tray";
inline constexpr char Classic[] = "classic";
inline constexpr char DefaultSound[] = "defaultsound";
inline constexpr char SoundPath[] = "soundpath";
} // namespace SettingsKey
