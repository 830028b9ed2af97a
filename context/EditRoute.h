#pragma once

#include "context/EditSession.h"

#include <vector>

// Where an editor leads when it is left: "<<Back" without saving, or the commit ("OK" on the confirmation page).
// Both depend only on which editor it is and where the edit came from; EditRoute.cpp holds the one table.
namespace EditRoute {

enum class Editor { Alarm = 0, PowerAction = 1, Birthday = 2 };
enum class Origin {
    Menu,         // the main menu's "New ..." entries, the tray menu
    ViewEditMenu, // a list page reached through the main menu's "View/Edit" entry, without a row chosen
    List,         // a row of the editor's own list
    PastList,     // a row of the past alarms (the alarm editor only)
    DayList,      // a row of the calendar view's day list
};
enum class Action { Back, Commit };

// Where the edit in progress came from, for the editor shown.
Origin origin(const EditSession& edit, Editor editor);

// The page the user lands on (PageIndex.h).
int target(Editor editor, Origin origin, Action action);

// Leaves the editor: clears the flags the way out uses and gives the pages to show, in order, the last being
// target(). A commit from the day list of a calendar reached through a list page passes that list page on the way,
// which is what the list pages remember as the list filled last.
std::vector<int> leave(EditSession& edit, Editor editor, Action action);

} // namespace EditRoute
