#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

class QString;
class QTreeWidget;
class QTreeWidgetItem;

// What a row of an event list carries besides its texts: the section it was made from (its number, and its
// name for the store) and the index of its picture, which the calendar's day list chooses the editor by.
namespace RowData {

void set(QTreeWidgetItem* row, const QByteArray& section, int icon);
QByteArray section(const QTreeWidgetItem* row); // empty for no row
int sectionNumber(const QTreeWidgetItem* row);
int icon(const QTreeWidgetItem* row); // -1 for none

// An event list as the five lists share it: a report of whole rows, one selected at a time, read-only, its popup
// menu asked for by the page; the columns by caption and alignment, the first wide and left-aligned, the others
// as wide as their contents.
void prepareList(QTreeWidget* list, const QList<QPair<QString, Qt::Alignment>>& columns);

} // namespace RowData
