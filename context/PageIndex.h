#pragma once

// The pages of the main window's page control, by index. Some handlers navigate by these numbers
// (a list page is listPage + 3), so the order is part of the contract between pages.
enum PageIndex : int {
    MainTab = 0,
    AlarmTab = 1,
    ShutTab = 2,
    BirthTab = 3,
    ViewTabAl = 4,
    ViewTabShut = 5,
    ViewTabBirthDay = 6,
    ViewTabPast = 7,
    ConfirmTab = 8,
    AboutTab = 9,
    MoreTab = 10,
    CategoryTab = 11,
    AddressTab = 12,
    AddAddressTab = 13,
    CalendarTab = 14,
    EditCalendarTab = 15,
    SetTab = 16,
    TimerTab = 17,
    EditTab = 18,
    EditViewTab = 19,
    // Reached from the settings page: calendar files and the calendar sync.
    CalendarsTab = 20,
    PageCount = 21
};

// Each page's name as the code spells it, by index: for tests and tools that list what they walk through.
inline constexpr const char* PageNames[PageCount] = {
    "MainTab",     "AlarmTab",        "ShutTab",  "BirthTab", "ViewTabAl",   "ViewTabShut", "ViewTabBirthDay",
    "ViewTabPast", "ConfirmTab",      "AboutTab", "MoreTab",  "CategoryTab", "AddressTab",  "AddAddressTab",
    "CalendarTab", "EditCalendarTab", "SetTab",   "TimerTab", "EditTab",     "EditViewTab", "CalendarsTab"};
