#include "context/EditRoute.h"

#include "context/PageIndex.h"

namespace EditRoute {

namespace {

struct Route {
    Origin origin;
    int back[3];   // alarm, power action, birthday
    int commit[3]; // the day list's commit shows the record's month in the calendar view
};

// "Where does <<Back go / where does the commit go": the one answer. A past alarm is only ever edited in the alarm
// editor; the other two columns of its row repeat the menu's.
constexpr Route routes[] = {
    {Origin::Menu, {MainTab, MainTab, MainTab}, {MainTab, MainTab, MainTab}},
    {Origin::ViewEditMenu, {ViewTabAl, ViewTabShut, ViewTabBirthDay}, {ViewTabAl, ViewTabShut, ViewTabBirthDay}},
    {Origin::List, {ViewTabAl, ViewTabShut, ViewTabBirthDay}, {ViewTabAl, ViewTabShut, ViewTabBirthDay}},
    {Origin::PastList, {ViewTabPast, MainTab, MainTab}, {ViewTabAl, MainTab, MainTab}},
    {Origin::DayList, {EditViewTab, EditViewTab, EditViewTab}, {EditTab, EditTab, EditTab}},
};

const Route& routeOf(Origin origin) {
    for (const Route& route : routes) {
        if (route.origin == origin)
            return route;
    }
    return routes[0];
}

} // namespace

Origin origin(const EditSession& edit, Editor editor) {
    if (edit.editPastAlarm && editor == Editor::Alarm)
        return Origin::PastList;
    if (edit.editFromCalendar)
        return Origin::DayList;
    if (edit.editFromList)
        return Origin::List;
    if (edit.menuChoice == 4)
        return Origin::ViewEditMenu;
    return Origin::Menu;
}

int target(Editor editor, Origin origin, Action action) {
    const Route& route = routeOf(origin);
    const int column = int(editor);
    return action == Action::Back ? route.back[column] : route.commit[column];
}

std::vector<int> leave(EditSession& edit, Editor editor, Action action) {
    const Origin from = origin(edit, editor);
    std::vector<int> pages;
    if (action == Action::Back) {
        // Only the flag of the way back is cleared; the others were never set.
        switch (from) {
        case Origin::PastList:
            edit.editPastAlarm = false;
            break;
        case Origin::DayList:
            edit.editFromCalendar = false;
            break;
        case Origin::List:
        case Origin::ViewEditMenu:
            edit.editFromList = false;
            break;
        case Origin::Menu:
            break;
        }
    } else {
        const bool throughList =
            edit.editFromList || (edit.editPastAlarm && editor == Editor::Alarm) || edit.menuChoice == 4;
        if (throughList) {
            edit.editFromList = false;
            if (editor == Editor::Alarm)
                edit.editPastAlarm = false;
            if (from == Origin::DayList)
                pages.push_back(target(editor, Origin::List, action));
        }
        // editFromCalendar stays set: it tells the calendar view that the commit chose its month.
    }
    pages.push_back(target(editor, from, action));
    return pages;
}

} // namespace EditRoute
