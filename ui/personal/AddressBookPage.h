#pragma once

#include <QByteArray>
#include <QIcon>
#include <QWidget>

class FancyButton;
class ShadowLabel;
struct PageContext;
class QAction;
class QCollator;
class QMenu;
class QTableWidget;

// "Address Book": every entry of the address book store as a row of five columns, sorted by addressSortKey
// (a column tag 1 to 5, negative for descending) without regard to letter case, in the user's locale. The table
// is filled anew from the store each time the page is shown. Each row keeps its section name, so an entry
// whose section is no number (a hand-edited file) is listed, changed and deleted like any other.
class AddressBookPage final : public QWidget {
    Q_OBJECT
public:
    explicit AddressBookPage(PageContext& context, QWidget* parent = nullptr);

    // addressSortKey: the column the table is sorted by, from 1, negative when descending.
    int addressSortKey() const { return m_sortKey; }

    ShadowLabel* myaSuperLabel56 = nullptr; // "Address Book"
    FancyButton* DsFancyButton37 = nullptr; // "<<Back"
    FancyButton* DsFancyButton38 = nullptr; // "Add New>>"
    FancyButton* DsFancyButton39 = nullptr; // "Edit>>"
    FancyButton* DsFancyButton40 = nullptr; // "Delete"
    QTableWidget* ListView5 = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction* AddNew1 = nullptr;
    QAction* Edit13 = nullptr;
    QAction* Delete2 = nullptr;
    QAction* SendEmail1 = nullptr;

    void AddressTabShow();
    void ListView5SelectItem();
    void DsFancyButton38Click();
    void AddNew1Click();
    void DsFancyButton39Click();
    void ListView5DblClick();
    void Edit13Click();
    void DsFancyButton40Click();
    void Delete2Click();
    void DsFancyButton37Click();
    // Readies the menu for a click at pos (viewport coordinates): the row under it becomes the selection.
    void ListView5ContextPopup(const QPoint& pos);
    void SendEmail1Click();
    void ListView5ColumnClick(int tag);
    // The sign of a comparison of two rows' columns under key, times key: below 0 when a sorts before b.
    static int ListView5Compare(const QStringList& a, const QStringList& b, int key, const QCollator& collator);

    // The section of the selected row; empty when no row is selected.
    QByteArray selectedSection() const;

    enum Column { NameColumn, AddressColumn, PhoneColumn, EmailColumn, OtherColumn, ColumnCount };

signals:
    // "Edit": the entry page is to show the entry of section for a change.
    void editRequested(const QByteArray& section);
    // The table was filled again with no row selected: an entry opened for a change is no longer the one chosen.
    void entriesReloaded();

private:
    int m_sortKey = 1; // the column sorted by, from 1, negative when descending
    void addRow(const QByteArray& section, const QStringList& fields);
    void sortRows();

    PageContext& m_context;
    QIcon m_rowIcon;
};
