#pragma once

#include "ui/views/EventIcons.h"
#include "ui/views/ListSort.h"

#include <QWidget>

class FancyButton;
class LinkLabel;
class QHeaderView;
class QCollator;
class QHBoxLayout;
class QTreeWidget;
class QTreeWidgetItem;
class ShadowLabel;
struct PageContext;
class TXMLIniFile;

// What the four list pages of the classic view have in common: a title, the list of one kind of record, "Delete"
// and "Edit>>", the link to the calendar view, the four buttons that switch between the lists and "<<Back". A
// page holds no data: every show empties its list and fills it again from the store, sorted by the list's sort
// state in the edit session. Each row keeps the name of the section it shows.
//
// Keyboard: Tab reaches every control; on the list Enter edits and Delete deletes the selected row; Escape goes
// back to the main menu.
class EventListPage : public QWidget {
    Q_OBJECT
public:
    struct Column {
        const char* caption;
        Qt::Alignment alignment;
        // For the first column: the characters it keeps room for beside its picture however little the others
        // leave, the list scrolling sideways instead. A description is what tells one alarm from another; a
        // name is short and its tooltip shows it whole, so the birthday list keeps every column in view.
        int leastCharacters = 0;
    };
    // The controls' names on this page, in the order: title, list, delete, edit, calendar link, the switch
    // buttons "Alarms", "Shut Downs", "Birthdays", "Past Alarms", then "<<Back".
    struct Names {
        const char* page;
        const char* title;
        const char* list;
        const char* deleteButton;
        const char* editButton;
        const char* calendarLink;
        const char* switches[4];
        const char* back;
    };

    // listNumber: 1 alarms, 2 power actions, 3 birthdays, 4 past alarms (EditSession::listPage).
    EventListPage(PageContext& context, int listNumber, const Names& names, const QString& title,
                  const QList<Column>& columns, QWidget* parent = nullptr);

    ShadowLabel* title() const { return m_title; }
    QTreeWidget* list() const { return m_list; }
    FancyButton* deleteButton() const { return m_delete; }
    FancyButton* editButton() const { return m_edit; }
    FancyButton* backButton() const { return m_back; }
    int listNumber() const { return m_listNumber; }

    // The switch, back and calendar handlers, shared by the four pages.
    void DsFancyButton20Click(); // "Alarms"
    void DsFancyButton19Click(); // "Shut Downs"
    void DsFancyButton18Click(); // "Birthdays"
    void DsFancyButton12Click(); // "Past Alarms"
    void DsFancyButton8Click();  // "<<Back"
    void myLabel3d27Click();     // "Switch to Calendar View"

    // A header click: rows whose record has gone are dropped, then the list is sorted by the column, the
    // second click on the same column reversing the order.
    void ListView1ColumnClick(int column);
    // The selection enables "Delete" and "Edit>>".
    void selectionChanged();
    // Sorts the list by its sort state, keeping the selected row.
    void sortList();
    // Selects the row of the record, or none when it has no row.
    void selectRecord(const QByteArray& section);
    // The section name and number a row was made from.
    static QByteArray sectionOf(const QTreeWidgetItem* row);
    QTreeWidgetItem* selectedRow() const;

    // The page's edit action: a double click, "Edit>>", Enter, or "Edit" of the popup menu.
    virtual void editSelected() = 0;
    // The column the list is sorted by, from 1, negative when descending; kept while the program runs.
    int sortState() const { return m_sortState; }
    void setSortState(int state) { m_sortState = state; }
    // "Delete", Delete on the list or "Delete" of the popup menu: the selected row's record goes at once, without a
    // question; the row that takes its place is selected.
    void deleteSelected();

protected:
    // Fills the list from the store: rows made by makeRow(), then sorted.
    void fill(const QList<QTreeWidgetItem*>& rows);
    QTreeWidgetItem* makeRow(const QByteArray& section, const QStringList& cells, int icon) const;
    virtual TXMLIniFile& store() = 0;
    // Erases the record; the alarm list moves it to the past alarms instead.
    virtual void deleteRecord(const QTreeWidgetItem* row);
    // Every text a column other than the first can show, whatever the records (dates in the locale's format,
    // "Yes" and "No", the longest count an editor allows): the columns are as wide as these, so a delete or
    // another record never changes them.
    virtual QStringList possibleTexts(int column) const = 0;
    // A row's value for the sort by column, read from the store.
    virtual ListSort::SortKey sortKey(const QByteArray& section, int column, const QCollator& collator);
    ListSort::List sortKind() const { return ListSort::List(m_listNumber); }
    bool eventFilter(QObject* watched, QEvent* event) override;

    PageContext& m_context;
    EventIcons::Set m_icons;
    QHBoxLayout* m_bottom = nullptr; // "<<Back" to "Edit>>"; the alarm page adds its category filter there

private:
    void switchTo(int page);
    void showHeaderSort();
    // The other columns as wide as their caption and texts need; the first takes what they leave.
    void fitColumns();
    void placeFirstColumn();
    int cellWidth(const QString& text) const;
    QFont captionFont() const;
    int captionFrame() const;
    int captionWidth(int column) const;
    int captionLines(int column, int width) const;
    void setCaptionLines(int lines);
    std::vector<ListSort::SortKey> keysOf(const QList<QTreeWidgetItem*>& rows);
    void addInOrder(const QList<QTreeWidgetItem*>& rows);

    int m_listNumber;
    int m_sortState = 1;
    QList<Column> m_columns;
    ShadowLabel* m_title = nullptr;
    QTreeWidget* m_list = nullptr;
    QHeaderView* m_header = nullptr;
    int m_otherColumnsWidth = 0;
    FancyButton* m_delete = nullptr;
    FancyButton* m_edit = nullptr;
    LinkLabel* m_calendar = nullptr;
    FancyButton* m_back = nullptr;
};
