#pragma once

class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;
struct PageContext;

// Delete and edit of the selected row, one handler for the four list pages and the calendar's day list, acting
// on the list of the page that is shown. Deleting an alarm from the alarm list moves it to the past alarms;
// every other delete erases the record. No confirmation: the lists delete at once.
namespace ListActions {

// "Delete" on any of the five lists (their buttons and the popup menu); nothing on another page or without a
// selected row.
void Delete1Click(PageContext& context);
// "Edit" of the popup menu: the edit action of the list shown.
void Edit4Click(PageContext& context);

// "Skip Next Occurrence" of the popup menu on the alarm list: the selected repeating alarm passes over its next
// occurrence and stays on; its row shows the one after. Nothing for a one-time alarm.
void SkipNext1Click(PageContext& context);

// The popup menu of the five lists, "Edit" and "Delete", and on the alarm list with a repeating alarm selected
// "Skip Next Occurrence"; made with the main window on first use.
QMenu* PopupMenu1(PageContext& context);
// A right click (or the menu key) on a list: the menu opens only over a list with a selected row.
void ListView3ContextPopup(PageContext& context, QTreeWidget* list, const QPoint& pos);

// Drops the selected row and selects the one that took its place, or the new last row.
void removeSelectedRow(QTreeWidget* list);

// Edit from the alarm, power-action or birthday list: the editor page opens for the row's record, or for a new
// record without a selected row.
void editFromList(PageContext& context, const QTreeWidgetItem* row, int editorPage);
// Edit from the past-alarm list: the alarm editor brings the record back as a new alarm. Nothing without a row.
void editPastAlarm(PageContext& context, const QTreeWidgetItem* row);
// Edit from the calendar's day list: the editor chosen by the row's picture. Nothing without a row.
void editFromCalendar(PageContext& context, const QTreeWidgetItem* row);

// The row's key handling shared by the five lists: Enter edits, Delete deletes the selected row. True when the
// key was one of them.
bool listKey(PageContext& context, QTreeWidget* list, int key);

} // namespace ListActions
