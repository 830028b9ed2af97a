#include "ui/views/EventListPage.h"

#include "context/PageIndex.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/views/ListActions.h"
#include "ui/views/RowData.h"
#include "widgets/FancyButton.h"
#include "widgets/LinkLabel.h"
#include "widgets/PlainTip.h"
#include "widgets/ShadowLabel.h"
#include "widgets/SortHeader.h"

#include <QCollator>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <QVBoxLayout>

EventListPage::EventListPage(PageContext& context, int listNumber, const Names& names, const QString& title,
                             const QList<Column>& columns, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_listNumber(listNumber)
    , m_columns(columns) {
    setObjectName(QLatin1String(names.page));
    setAccessibleName(title);

    m_title = named(new ShadowLabel(title, this), names.title);
    m_list = named(new QTreeWidget(this), names.list);
    m_list->setAccessibleName(title);
    QList<QPair<QString, Qt::Alignment>> headers;
    for (const Column& column : columns)
        headers.append({tr(column.caption), column.alignment});
    RowData::prepareList(m_list, headers);
    m_header = m_list->header();
    if (auto* sortHeader = qobject_cast<SortHeader*>(m_header))
        sortHeader->setSortArrowAbove(true);
    // Whatever header the list has now: a caption of several words wraps when its column is narrower than it, and
    // the sides of a section have half their usual padding, as a list as narrow as the window needs every pixel
    // and the separators keep the captions apart.
    for (int i = 0; i < columns.size(); ++i)
        m_list->headerItem()->setData(i, Qt::TextAlignmentRole,
                                      int(columns[i].alignment | Qt::AlignVCenter) | Qt::TextWordWrap);
    m_header->setStyleSheet(QStringLiteral("QHeaderView::section { padding-left: 3px; padding-right: 3px; }"));
    // The other columns are as wide as the texts they can show, so no date, flag or age is ever cut and a delete
    // moves nothing; the first takes what they leave, and a description longer than that shows in full in its
    // tooltip. Only when the other columns alone are wider than the list does it scroll sideways.
    m_list->header()->setSectionsClickable(true);
    m_list->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_list->header()->setMinimumSectionSize(m_list->iconSize().width() + 4);
    m_list->viewport()->installEventFilter(this);
    m_list->installEventFilter(this);

    m_delete = named(new FancyButton(tr("&Delete"), this), names.deleteButton);
    m_delete->setAccessibleName(tr("Delete the selected event"));
    m_edit = named(new FancyButton(tr("&Edit>>"), this), names.editButton);
    m_edit->setAccessibleName(tr("Edit the selected event"));
    m_delete->setEnabled(false);
    m_edit->setEnabled(false);
    m_calendar = named(new LinkLabel(tr("Switch to &Calendar View"), this), names.calendarLink);

    static const char* const captions[4] = {QT_TR_NOOP("&Alarms"), QT_TR_NOOP("S&hut Downs"), QT_TR_NOOP("B&irthdays"),
                                            QT_TR_NOOP("&Past Alarms")};
    static const char* const switchNames[4] = {
        QT_TR_NOOP("Show the list of alarms"), QT_TR_NOOP("Show the list of shut downs"),
        QT_TR_NOOP("Show the list of birthdays"), QT_TR_NOOP("Show the list of past alarms")};
    static constexpr void (EventListPage::*switchHandlers[4])() = {
        &EventListPage::DsFancyButton20Click, &EventListPage::DsFancyButton19Click,
        &EventListPage::DsFancyButton18Click, &EventListPage::DsFancyButton12Click};
    auto* switches = new QHBoxLayout;
    switches->setSpacing(4);
    for (int i = 0; i < 4; ++i) {
        auto* button = named(new FancyButton(tr(captions[i]), this), names.switches[i]);
        button->setAccessibleName(tr(switchNames[i]));
        connect(button, &FancyButton::clicked, this, switchHandlers[i]);
        switches->addWidget(button, 1);
    }
    m_back = named(new FancyButton(tr("<<&Back"), this), names.back);
    m_back->setAccessibleName(tr("Back to the main menu"));
    m_back->addShortcut(QKeySequence(Qt::Key_Escape));
    // As the page reads: the link beside the title, the list, the switches, then the bottom row.
    setTabOrder(m_calendar, m_list);
    setTabOrder(m_list, findChild<QWidget*>(QLatin1String(names.switches[0])));
    for (int i = 1; i < 4; ++i)
        setTabOrder(findChild<QWidget*>(QLatin1String(names.switches[i - 1])),
                    findChild<QWidget*>(QLatin1String(names.switches[i])));
    setTabOrder(findChild<QWidget*>(QLatin1String(names.switches[3])), m_back);
    setTabOrder(m_back, m_delete);
    setTabOrder(m_delete, m_edit);

    auto* top = new QHBoxLayout;
    top->addWidget(m_title);
    top->addStretch();
    top->addWidget(m_calendar, 0, Qt::AlignBottom);

    m_bottom = new QHBoxLayout;
    m_bottom->addWidget(m_back);
    m_bottom->addStretch();
    auto* buttons = m_bottom;
    buttons->addWidget(m_delete);
    buttons->addWidget(m_edit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(switches);
    layout->addLayout(buttons);

    connect(m_list->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { ListView1ColumnClick(section + 1); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &EventListPage::selectionChanged);
    connect(m_list, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ListActions::ListView3ContextPopup(m_context, m_list, pos); });
    connect(m_delete, &FancyButton::clicked, this, [this] { ListActions::Delete1Click(m_context); });
    connect(m_edit, &FancyButton::clicked, this, &EventListPage::editSelected);
    connect(m_calendar, &LinkLabel::clicked, this, &EventListPage::myLabel3d27Click);
    connect(m_back, &FancyButton::clicked, this, &EventListPage::DsFancyButton8Click);

    setFocusProxy(m_list);
}

void EventListPage::switchTo(int page) {
    // The list shown already is not filled again.
    if (m_context.navigation.currentPage() != page)
        m_context.navigation.showPage(page);
}

void EventListPage::DsFancyButton20Click() {
    switchTo(ViewTabAl);
}
void EventListPage::DsFancyButton19Click() {
    switchTo(ViewTabShut);
}
void EventListPage::DsFancyButton18Click() {
    switchTo(ViewTabBirthDay);
}
void EventListPage::DsFancyButton12Click() {
    switchTo(ViewTabPast);
}
void EventListPage::DsFancyButton8Click() {
    m_context.navigation.showPage(MainTab);
}
void EventListPage::myLabel3d27Click() {
    m_context.navigation.showPage(EditTab);
}

QByteArray EventListPage::sectionOf(const QTreeWidgetItem* row) {
    return RowData::section(row);
}

QTreeWidgetItem* EventListPage::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QTreeWidgetItem* EventListPage::makeRow(const QByteArray& section, const QStringList& cells, int icon) const {
    auto* row = new QTreeWidgetItem;
    for (int i = 0; i < cells.size() && i < m_columns.size(); ++i) {
        row->setText(i, cells[i]);
        if (m_columns[i].alignment != Qt::AlignLeft)
            row->setTextAlignment(i, m_columns[i].alignment | Qt::AlignVCenter);
    }
    // A long first column is cut by the page's width; its tooltip shows it whole.
    row->setToolTip(0, PlainTip::text(cells.value(0)));
    RowData::set(row, section, icon);
    if (icon >= 0)
        row->setIcon(0, m_icons[icon]);
    return row;
}

std::vector<ListSort::SortKey> EventListPage::keysOf(const QList<QTreeWidgetItem*>& rows) {
    const QCollator collator = ListSort::textCollator();
    const int column = qAbs(m_sortState);
    std::vector<ListSort::SortKey> keys;
    keys.reserve(std::size_t(rows.size()));
    for (const QTreeWidgetItem* row : rows)
        keys.push_back(sortKey(sectionOf(row), column, collator));
    return keys;
}

ListSort::SortKey EventListPage::sortKey(const QByteArray& section, int column, const QCollator& collator) {
    return ListSort::key(sortKind(), column, store(), section, collator);
}

void EventListPage::addInOrder(const QList<QTreeWidgetItem*>& rows) {
    const std::vector<int> order = ListSort::order(keysOf(rows), m_sortState);
    QList<QTreeWidgetItem*> sorted;
    sorted.reserve(rows.size());
    for (const int i : order)
        sorted.append(rows[i]);
    m_list->addTopLevelItems(sorted);
}

void EventListPage::fill(const QList<QTreeWidgetItem*>& rows) {
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    addInOrder(rows);
    m_list->setUpdatesEnabled(true);
    showHeaderSort();
    fitColumns();
    selectionChanged();
}

int EventListPage::cellWidth(const QString& text) const {
    QStyleOptionViewItem option;
    option.initFrom(m_list);
    option.font = m_list->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    option.decorationSize = m_list->iconSize();
    return m_list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), m_list).width();
}

QFont EventListPage::captionFont() const {
    // The style sheet makes captions bold; a caption is measured as it is drawn.
    QFont bold = m_header->font();
    bold.setBold(true);
    return bold;
}

int EventListPage::captionFrame() const {
    // The room the style leaves a caption inside its section: padding and border taken away. The sort arrow
    // stands above the caption (SortHeader::setSortArrowAbove) and takes none.
    QStyleOptionHeader option;
    option.initFrom(m_header);
    option.orientation = Qt::Horizontal;
    constexpr int probe = 1000;
    option.rect = QRect(0, 0, probe, qMax(1, m_header->height()));
    return probe - m_header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, m_header).width();
}

int EventListPage::captionWidth(int column) const {
    // The caption wraps, so its longest word.
    const QFontMetrics metrics(captionFont());
    int widest = 0;
    for (const QString& word : m_list->headerItem()->text(column).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = qMax(widest, metrics.horizontalAdvance(word));
    return captionFrame() + widest;
}

int EventListPage::captionLines(int column, int width) const {
    const QFontMetrics metrics(captionFont());
    const QRect bounds = metrics.boundingRect(QRect(0, 0, qMax(1, width - captionFrame()), 10'000),
                                              Qt::AlignCenter | Qt::TextWordWrap, m_list->headerItem()->text(column));
    return qMax(1, (bounds.height() + metrics.lineSpacing() / 2) / metrics.lineSpacing());
}

void EventListPage::setCaptionLines(int lines) {
    // The header is as tall as its sections ask; each asks for the most lines a caption takes.
    QStyleOptionHeader option;
    option.initFrom(m_header);
    option.orientation = Qt::Horizontal;
    option.text = QStringLiteral("X");
    option.fontMetrics = QFontMetrics(captionFont());
    const int oneLine =
        m_header->style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), m_header).height();
    const QSize hint(0, oneLine + (lines - 1) * option.fontMetrics.lineSpacing());
    if (m_list->headerItem()->sizeHint(0) == hint)
        return;
    for (int i = 0; i < m_list->columnCount(); ++i)
        m_list->headerItem()->setSizeHint(i, hint);
}

void EventListPage::fitColumns() {
    int others = 0;
    int lines = 1;
    for (int column = 1; column < m_list->columnCount(); ++column) {
        int width = 0;
        for (const QString& text : possibleTexts(column + 1))
            width = qMax(width, cellWidth(text));
        // A hand-edited record can hold what no editor writes: such a text widens its column rather than being cut.
        for (int i = 0; i < m_list->topLevelItemCount(); ++i)
            width = qMax(width, cellWidth(m_list->topLevelItem(i)->text(column)));
        width = qMax(width, captionWidth(column));
        lines = qMax(lines, captionLines(column, width));
        m_header->resizeSection(column, width);
        others += width;
    }
    setCaptionLines(lines);
    m_otherColumnsWidth = others;
    placeFirstColumn();
}

void EventListPage::placeFirstColumn() {
    const int readable =
        m_list->iconSize().width() + m_columns.first().leastCharacters * m_list->fontMetrics().averageCharWidth();
    const int least = qMax(m_header->minimumSectionSize(), readable);
    m_header->resizeSection(0, qMax(least, m_list->viewport()->width() - m_otherColumnsWidth));
}

void EventListPage::sortList() {
    const QByteArray selected = sectionOf(selectedRow());
    m_list->setUpdatesEnabled(false);
    addInOrder(m_list->invisibleRootItem()->takeChildren());
    selectRecord(selected);
    m_list->setUpdatesEnabled(true);
    showHeaderSort();
    selectionChanged();
}

void EventListPage::selectRecord(const QByteArray& section) {
    QTreeWidgetItem* row = nullptr;
    for (int i = 0; !section.isEmpty() && i < m_list->topLevelItemCount() && !row; ++i)
        if (sectionOf(m_list->topLevelItem(i)) == section)
            row = m_list->topLevelItem(i);
    // No row at all rather than another: "Delete" must only ever act on a record the user picked.
    m_list->setCurrentItem(row);
    if (!row) {
        m_list->clearSelection();
        return;
    }
    row->setSelected(true);
    m_list->scrollToItem(row);
}

void EventListPage::showHeaderSort() {
    const int state = m_sortState;
    QHeaderView* header = m_list->header();
    header->setSortIndicatorShown(qAbs(state) >= 1 && qAbs(state) <= int(m_columns.size()));
    header->setSortIndicator(qAbs(state) - 1, state < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void EventListPage::ListView1ColumnClick(int column) {
    // Records leave the store while a list is shown: the scheduler retires a fired alarm, for one. The list
    // would hand the selection of a dropped row to its neighbour; it stays with the record picked, or goes.
    const QByteArray selected = sectionOf(selectedRow());
    const TXMLIniFile& records = store();
    for (int i = m_list->topLevelItemCount() - 1; i >= 0; --i)
        if (!records.HasSection(sectionOf(m_list->topLevelItem(i))))
            delete m_list->takeTopLevelItem(i);
    selectRecord(selected);
    m_sortState = column == qAbs(m_sortState) ? -m_sortState : column;
    sortList();
}

void EventListPage::selectionChanged() {
    const bool selected = selectedRow() != nullptr;
    m_delete->setEnabled(selected);
    m_edit->setEnabled(selected);
}

bool EventListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list->viewport() && event->type() == QEvent::Resize)
        placeFirstColumn();
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        // A double click edits, also on the empty part of the list (the first three lists then open their
        // editor for a new record).
        editSelected();
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyPress)
        return ListActions::listKey(m_context, m_list, static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

void EventListPage::deleteSelected() {
    const QTreeWidgetItem* row = selectedRow();
    if (!row)
        return;
    deleteRecord(row);
    ListActions::removeSelectedRow(m_list);
}

void EventListPage::deleteRecord(const QTreeWidgetItem* row) {
    store().EraseSection(RowData::section(row));
}
