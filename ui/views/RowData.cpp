#include "ui/views/RowData.h"

#include "widgets/MenuKeys.h"
#include "widgets/SortHeader.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace RowData {

namespace {
constexpr int NumberRole = Qt::UserRole;
constexpr int NameRole = Qt::UserRole + 1;
constexpr int IconRole = Qt::UserRole + 2;
} // namespace

void set(QTreeWidgetItem* row, const QByteArray& section, int icon) {
    row->setData(0, NumberRole, section.toInt());
    row->setData(0, NameRole, section);
    row->setData(0, IconRole, icon);
}

QByteArray section(const QTreeWidgetItem* row) {
    return row ? row->data(0, NameRole).toByteArray() : QByteArray();
}

int sectionNumber(const QTreeWidgetItem* row) {
    return row ? row->data(0, NumberRole).toInt() : 0;
}

int icon(const QTreeWidgetItem* row) {
    if (!row)
        return -1;
    bool ok = false;
    const int index = row->data(0, IconRole).toInt(&ok);
    return ok ? index : -1;
}

void prepareList(QTreeWidget* list, const QList<QPair<QString, Qt::Alignment>>& columns) {
    // A list that sorts by column can be sorted from the keyboard too (Shift+Tab from the rows).
    list->setHeader(new SortHeader(Qt::Horizontal, list));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSortingEnabled(false);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    MenuKeys::install(list);
    list->setIconSize(QSize(16, 16));
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    list->setColumnCount(int(columns.size()));
    auto* header = new QTreeWidgetItem;
    for (int i = 0; i < columns.size(); ++i) {
        header->setText(i, columns[i].first);
        header->setTextAlignment(i, columns[i].second | Qt::AlignVCenter);
    }
    list->setHeaderItem(header);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    list->header()->setResizeContentsPrecision(200);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setMinimumSectionSize(40);
}

} // namespace RowData
