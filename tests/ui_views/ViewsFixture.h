#pragma once

#include "Records.h"
#include "ui_editors/EditorFixture.h"
#include "ui_editors/EditorTestSupport.h"

#include "context/PageIndex.h"
#include "ui/views/EventListPage.h"
#include "ui/views/RowData.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidget>

// The real main window on a temporary folder with a clock the test sets; the scheduler is held, so records
// dated before the clock stay where the test put them.
class ViewsFixture : public EditorFixture {
public:
    explicit ViewsFixture(const QDateTime& now)
        : EditorFixture(now) {
        scheduler().setEnabled(false);
    }

    TXMLIniFile& events() { return form().eventStore(); }
    TXMLIniFile& past() { return form().pastAlarmStore(); }
    template <class T> T* find(const char* name) { return form().findChild<T*>(QLatin1String(name)); }
    QTreeWidget* list(const char* name) { return find<QTreeWidget>(name); }

    // "caption|column 2|...#icon" for every row, top to bottom, as UTF-8.
    static QByteArrayList rows(const QTreeWidget* list) {
        QByteArrayList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* row = list->topLevelItem(i);
            QStringList cells;
            for (int c = 0; c < list->columnCount(); ++c)
                cells << row->text(c);
            out << (cells.join(QLatin1Char('|')) + QLatin1Char('#') + QString::number(RowData::icon(row))).toUtf8();
        }
        return out;
    }
    static QByteArrayList captions(const QTreeWidget* list) {
        QByteArrayList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(0).toUtf8();
        return out;
    }
    static QByteArray selectedCaption(const QTreeWidget* list) {
        const QList<QTreeWidgetItem*> selected = list->selectedItems();
        return selected.isEmpty() ? QByteArray() : selected.first()->text(0).toUtf8();
    }
    static void selectRow(QTreeWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
    static void clickHeader(QTreeWidget* list, int column) {
        QHeaderView* header = list->header();
        const int logical = column - 1;
        // Bring the column into view, as the user would scroll to it.
        list->scrollToItem(list->topLevelItem(0));
        const int x = header->sectionViewportPosition(logical) + header->sectionSize(logical) / 2;
        if (x >= header->viewport()->width())
            list->horizontalScrollBar()->setValue(list->horizontalScrollBar()->maximum());
        const int at = header->sectionViewportPosition(logical) + header->sectionSize(logical) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(at, header->height() / 2));
    }
};
