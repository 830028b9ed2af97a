#include "ui/personal/AddressBookPage.h"

#include "context/PageIndex.h"
#include "platform/UrlOpener.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/personal/AddressEntries.h"
#include "ui/personal/AddressEntryPage.h"
#include "widgets/FancyButton.h"
#include "widgets/Icons.h"
#include "widgets/MenuKeys.h"
#include "widgets/PlainTip.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SortHeader.h"

#include <QCollator>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

struct Row {
    QByteArray section;
    QStringList fields;
};

} // namespace

AddressBookPage::AddressBookPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("AddressTab"));
    setAccessibleName(tr("Address Book"));

    m_rowIcon = Icons::icon(Icons::menu(6, false));
    myaSuperLabel56 = named(new ShadowLabel(tr("Address Book"), this), "myaSuperLabel56");
    ListView5 = named(new QTableWidget(0, ColumnCount, this), "ListView5");
    ListView5->setAccessibleName(tr("Address book entries"));
    // Sorting from the keyboard too: Shift+Tab from the rows reaches the column headers.
    ListView5->setHorizontalHeader(new SortHeader(Qt::Horizontal, ListView5));
    ListView5->setHorizontalHeaderLabels({tr("Name"), tr("Address"), tr("Phone Number(s)"), tr("E-Mail"), tr("Other")});
    ListView5->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView5->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView5->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView5->setShowGrid(true);
    // Tab leaves the table for the buttons; the arrows move between the rows.
    ListView5->setTabKeyNavigation(false);
    ListView5->setWordWrap(false);
    ListView5->verticalHeader()->hide();
    ListView5->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ListView5->horizontalHeader()->setSectionsClickable(true);
    ListView5->horizontalHeader()->setSortIndicatorShown(true);
    ListView5->horizontalHeader()->setStretchLastSection(true);
    ListView5->horizontalHeader()->setHighlightSections(false);
    ListView5->setContextMenuPolicy(Qt::CustomContextMenu);
    MenuKeys::install(ListView5);

    PopupMenu3 = named(new QMenu(this), "PopupMenu3");
    AddNew1 = named(PopupMenu3->addAction(tr("Add New")), "AddNew1");
    QFont bold = AddNew1->font();
    bold.setBold(true);
    AddNew1->setFont(bold);
    PopupMenu3->setDefaultAction(AddNew1);
    Edit13 = named(PopupMenu3->addAction(tr("Edit")), "Edit13");
    Delete2 = named(PopupMenu3->addAction(tr("Delete")), "Delete2");
    SendEmail1 = named(PopupMenu3->addAction(tr("Send Email")), "SendEmail1");

    DsFancyButton37 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton37");
    DsFancyButton37->setAccessibleName(tr("Back to the main menu"));
    DsFancyButton37->addShortcut(QKeySequence(Qt::Key_Escape));
    DsFancyButton38 = named(new FancyButton(tr("&Add New>>"), this), "DsFancyButton38");
    DsFancyButton38->setAccessibleName(tr("Add a new entry"));
    DsFancyButton39 = named(new FancyButton(tr("&Edit>>"), this), "DsFancyButton39");
    DsFancyButton39->setAccessibleName(tr("Change the selected entry"));
    DsFancyButton40 = named(new FancyButton(tr("&Delete"), this), "DsFancyButton40");
    DsFancyButton40->setAccessibleName(tr("Delete the selected entry"));
    DsFancyButton39->setEnabled(false);
    DsFancyButton40->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton37);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton40);
    buttons->addWidget(DsFancyButton39);
    buttons->addWidget(DsFancyButton38);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(myaSuperLabel56);
    layout->addWidget(ListView5, 1);
    layout->addLayout(buttons);
    // The bottom row from the left.
    setTabOrder(ListView5, DsFancyButton37);
    setTabOrder(DsFancyButton37, DsFancyButton40);
    setTabOrder(DsFancyButton40, DsFancyButton39);
    setTabOrder(DsFancyButton39, DsFancyButton38);
    setFocusProxy(ListView5);

    connect(ListView5, &QTableWidget::itemSelectionChanged, this, &AddressBookPage::ListView5SelectItem);
    connect(ListView5, &QTableWidget::itemDoubleClicked, this, &AddressBookPage::ListView5DblClick);
    connect(ListView5->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { ListView5ColumnClick(column + 1); });
    connect(ListView5, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        ListView5ContextPopup(pos);
        PopupMenu3->popup(ListView5->viewport()->mapToGlobal(pos));
        // Opened with the Menu key, the first Return takes the default item rather than only highlighting it.
        PopupMenu3->setActiveAction(PopupMenu3->defaultAction());
    });
    connect(AddNew1, &QAction::triggered, this, &AddressBookPage::AddNew1Click);
    connect(Edit13, &QAction::triggered, this, &AddressBookPage::Edit13Click);
    connect(Delete2, &QAction::triggered, this, &AddressBookPage::Delete2Click);
    connect(SendEmail1, &QAction::triggered, this, &AddressBookPage::SendEmail1Click);
    connect(DsFancyButton37, &FancyButton::clicked, this, &AddressBookPage::DsFancyButton37Click);
    connect(DsFancyButton38, &FancyButton::clicked, this, &AddressBookPage::DsFancyButton38Click);
    connect(DsFancyButton39, &FancyButton::clicked, this, &AddressBookPage::DsFancyButton39Click);
    connect(DsFancyButton40, &FancyButton::clicked, this, &AddressBookPage::DsFancyButton40Click);
}

void AddressBookPage::AddressTabShow() {
    ListView5->setRowCount(0);
    const TXMLIniFile& book = m_context.stores.addressBookStore();
    for (const QByteArray& section : book.ReadSections())
        addRow(section, AddressEntries::read(book, section));
    sortRows();
    ListView5SelectItem();
    emit entriesReloaded();
}

void AddressBookPage::addRow(const QByteArray& section, const QStringList& fields) {
    const int row = ListView5->rowCount();
    ListView5->insertRow(row);
    for (int column = 0; column < ColumnCount; ++column) {
        auto* item = new QTableWidgetItem(fields.value(column));
        item->setToolTip(PlainTip::text(fields.value(column)));
        ListView5->setItem(row, column, item);
    }
    QTableWidgetItem* first = ListView5->item(row, NameColumn);
    first->setData(Qt::UserRole, section);
    first->setIcon(m_rowIcon);
}

QByteArray AddressBookPage::selectedSection() const {
    const QList<QTableWidgetItem*> selected = ListView5->selectedItems();
    if (selected.isEmpty())
        return {};
    return ListView5->item(selected.first()->row(), NameColumn)->data(Qt::UserRole).toByteArray();
}

int AddressBookPage::ListView5Compare(const QStringList& a, const QStringList& b, int key, const QCollator& collator) {
    const int column = qAbs(key) - 1;
    const int order = collator.compare(a.value(column), b.value(column));
    return (int(order > 0) - int(order < 0)) * key;
}

// Rows are taken out, ordered and put back; the selection follows its entry.
void AddressBookPage::sortRows() {
    const QByteArray selected = selectedSection();
    QList<Row> rows;
    for (int r = 0; r < ListView5->rowCount(); ++r) {
        Row row{ListView5->item(r, NameColumn)->data(Qt::UserRole).toByteArray(), {}};
        for (int column = 0; column < ColumnCount; ++column)
            row.fields.append(ListView5->item(r, column)->text());
        rows.append(row);
    }
    const int key = m_sortKey;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [key, &collator](const Row& a, const Row& b) {
        return ListView5Compare(a.fields, b.fields, key, collator) < 0;
    });
    ListView5->setRowCount(0);
    for (const Row& row : rows)
        addRow(row.section, row.fields);
    ListView5->horizontalHeader()->setSortIndicator(qAbs(key) - 1, key > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    for (int r = 0; r < ListView5->rowCount() && !selected.isNull(); ++r)
        if (ListView5->item(r, NameColumn)->data(Qt::UserRole).toByteArray() == selected)
            ListView5->selectRow(r);
    ListView5->resizeColumnsToContents();
}

void AddressBookPage::ListView5SelectItem() {
    const bool selected = !selectedSection().isNull();
    DsFancyButton39->setEnabled(selected);
    DsFancyButton40->setEnabled(selected);
}

void AddressBookPage::DsFancyButton38Click() {
    m_context.navigation.showPage(AddAddressTab);
}

void AddressBookPage::AddNew1Click() {
    DsFancyButton38Click();
}

void AddressBookPage::DsFancyButton39Click() {
    const QByteArray section = selectedSection();
    if (section.isNull())
        return;
    m_context.edit.addressEditMode = true;
    emit editRequested(section);
    m_context.navigation.showPage(AddAddressTab);
}

void AddressBookPage::ListView5DblClick() {
    DsFancyButton39Click();
}

void AddressBookPage::Edit13Click() {
    DsFancyButton39Click();
}

void AddressBookPage::DsFancyButton40Click() {
    const QByteArray section = selectedSection();
    if (section.isNull())
        return;
    const int row = ListView5->selectedItems().first()->row();
    m_context.stores.addressBookStore().EraseSection(section);
    ListView5->removeRow(row);
    ListView5->clearSelection();
    ListView5SelectItem();
}

void AddressBookPage::Delete2Click() {
    DsFancyButton40Click();
}

void AddressBookPage::DsFancyButton37Click() {
    m_context.navigation.showPage(MainTab);
}

// A click on empty space below the rows leaves no row selected, as a list does.
void AddressBookPage::ListView5ContextPopup(const QPoint& pos) {
    const QTableWidgetItem* item = ListView5->itemAt(pos);
    if (item)
        ListView5->selectRow(item->row());
    else
        ListView5->clearSelection();
    const QByteArray section = selectedSection();
    const bool selected = !section.isNull();
    Edit13->setVisible(selected);
    Delete2->setVisible(selected);
    SendEmail1->setVisible(selected &&
                           !ListView5->item(ListView5->selectedItems().first()->row(), EmailColumn)->text().isEmpty());
}

// The address goes into the URL as its path, encoded by QUrl: blanks, "?", "&" and "#" stay part of the one
// address and can add neither recipients nor headers nor a body.
void AddressBookPage::SendEmail1Click() {
    const QList<QTableWidgetItem*> selected = ListView5->selectedItems();
    if (selected.isEmpty())
        return;
    QUrl mail;
    mail.setScheme(QStringLiteral("mailto"));
    mail.setPath(ListView5->item(selected.first()->row(), EmailColumn)->text(), QUrl::DecodedMode);
    UrlOpener::instance().openUrl(mail);
}

void AddressBookPage::ListView5ColumnClick(int tag) {
    int& key = m_sortKey;
    key = qAbs(key) == tag ? -key : tag;
    sortRows();
}
