#pragma once

// What the pages share while the user works through them: what is being edited, where the edit came from (and so
// where "<<Back" and the commit lead), the day and month filter and the main menu's choice. What one page alone
// keeps (its sort order, a second click) lives in that page.
// One lives with the main window for the whole run; the pages reach it through their PageContext.
struct EditSession {
    bool allDays = true;
    bool allMonths = true;
    // The address form changes the entry selected in the table instead of adding one.
    bool addressEditMode = false;
    // 0 until start-up selects "New Alarm": selecting the entry already chosen does nothing.
    int menuChoice = 0;

    // Where the pages came from and where "<<Back" leads.
    int editorKind = 0; // 0 alarm, 1 power action, 2 birthday
    int editSection = 0;
    bool editFromList = false;
    bool editFromCalendar = false;
    bool editPastAlarm = false;
    bool returnToEditor = false;
    int listPage = 1; // 1 to 4: the list page filled last

    // The four flags above always go together.
    void clearModeFlags() {
        editFromList = false;
        editFromCalendar = false;
        returnToEditor = false;
        editPastAlarm = false;
    }
};
