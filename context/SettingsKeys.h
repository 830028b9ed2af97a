#pragma once

// Section and key names of the settings store, exactly as stored; the pages and windows that read or
// write a setting take its name from here.
namespace SettingsKey {
inline constexpr char Section[] = "settings";
inline constexpr char DataFolder[] = "alpath";
// Present only while the data files move: the folder they come from ("alpath" already names the new one).
inline constexpr char DataFolderMovingFrom[] = "alpathmovingfrom";
inline constexpr char Tray[] = "tray";
inline constexpr char Classic[] = "classic";
inline constexpr char DefaultSound[] = "defaultsound";
inline constexpr char SoundPath[] = "soundpath";
// The alarm list's category filter: the index of its choice ("All", "General", then the user's categories).
inline constexpr char CategoryIndex[] = "categoryindex";
// The user's alarm categories: "count", then one key per name, "0" upward.
inline constexpr char CategoriesSection[] = "categories";
inline constexpr char CategoryCount[] = "count";
// Not written by the program: a site to ask for updates in place of the product's own.
inline constexpr char UpdateUrl[] = "updateurl";
// "0" stops the desktop notices that accompany the alarm, birthday and countdown windows; on when missing.
inline constexpr char DesktopNotices[] = "desktopnotices";
// The snooze length last chosen in an alarm or birthday window: minutes ("5" ... "60"), or "until"; 10 minutes when
// missing.
inline constexpr char SnoozeLength[] = "snoozelength";
// The calendar sync's account: the CalDAV server (a principal or a calendar's address) and the user there. The
// password is never stored here; the desktop's secret store keeps it. No sync while "syncurl" is missing or empty.
inline constexpr char SyncUrl[] = "syncurl";
inline constexpr char SyncUser[] = "syncuser";
} // namespace SettingsKey
