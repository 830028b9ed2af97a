#include "ui/views/ListActions.h"

#include "app/PageIndex.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "scheduler/EventRecord.h"
#include "scheduler/PastAlarms.h"
#include "store/XMLIniFile.h"
#include "ui/views/DayListPage.h"
#include "ui/views/EventIcons.h"
#include "ui/views/EventListPage.h"
#include "ui/views/RowData.h"

#include <QMenu>
#include <QTreeWidget>

namespace ListActions {

namespace {

QTreeWidget* listOfPage(TForm1& form, int page) {
    QWidget* widget = form.PageControl1->widget(page);
    if (auto* listPage = qobject_cast<EventListPage*>(widget))
        return listPage->list();
    if (auto* dayList = qobject_cast<DayListPage*>(widget))
        return dayList->ListView6;
    return nullptr;
}

QTreeWidgetItem* selected(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> rows = list ? list->selectedItems() : QList<QTreeWidgetItem*>();
    return rows.isEmpty() ? nullptr : rows.first();
}

void editRecord(TForm1& form, const QTreeWidgetItem* row) {
    form.editSection = RowData::sectionNumber(row);
}

} // namespace

void removeSelectedRow(QTreeWidget* list) {
    QTreeWidgetItem* row = selected(list);
    if (!row)
        return;
    const int at = list->indexOfTopLevelItem(row);
    delete list->takeTopLevelItem(at);
    list->clearSelection();
    const int count = list->topLevelItemCount();
    if (count == 0)
        return;
    QTreeWidgetItem* next = list->topLevelItem(at < count ? at : at - 1);
    list->setCurrentItem(next);
    next->setSelected(true);
}

void Delete1Click(TForm1& form) {
    const int page = form.currentPage();
    QTreeWidget* list = listOfPage(form, page);
    const QTreeWidgetItem* row = selected(list);
    if (!row)
        return;
    const QByteArray section = RowData::section(row);
    switch (page) {
    case ViewTabAl: {
        TXMLIniFile& events = form.eventStore();
        PastAlarms::retire(events, form.pastAlarmStore(), section,
                           events.ReadDouble(section, EventRecord::Key::Date, 0));
        // A window still open for it no longer belongs to any record: a new record may take its number.
        form.schedulerHost().registry().remove(RowData::sectionNumber(row));
        break;
    }
    case ViewTabShut:
    case ViewTabBirthDay:
    case EditViewTab:
        form.eventStore().EraseSection(section);
        break;
    case ViewTabPast:
        form.pastAlarmStore().EraseSection(section);
        break;
    default:
        return;
    }
    removeSelectedRow(list);
}

void Edit4Click(TForm1& form) {
    QWidget* widget = form.PageControl1->widget(form.currentPage());
    if (auto* listPage = qobject_cast<EventListPage*>(widget))
        listPage->editSelected();
    else if (auto* dayList = qobject_cast<DayListPage*>(widget))
        dayList->ListView6DblClick();
}

void editFromList(TForm1& form, const QTreeWidgetItem* row, int editorPage) {
    if (row) {
        editRecord(form, row);
        form.editFromList = true;
    }
    form.showPage(editorPage);
}

void editPastAlarm(TForm1& form, const QTreeWidgetItem* row) {
    if (!row)
        return;
    form.editPastAlarm = true;
    editRecord(form, row);
    form.showPage(AlarmTab);
}

void editFromCalendar(TForm1& form, const QTreeWidgetItem* row) {
    if (!row)
        return;
    form.editFromCalendar = true;
    editRecord(form, row);
    const int icon = RowData::icon(row);
    form.showPage(icon == EventIcons::AlarmSound ? AlarmTab : icon == EventIcons::Birthday ? BirthTab : ShutTab);
}

QMenu* PopupMenu1(TForm1& form) {
    if (auto* menu = form.findChild<QMenu*>(QStringLiteral("PopupMenu1")))
        return menu;
    auto* menu = new QMenu(&form);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* edit = menu->addAction(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit4"));
    edit->setShortcut(QKeySequence(Qt::Key_Return));
    QFont bold = edit->font();
    bold.setBold(true);
    edit->setFont(bold);
    QAction* remove = menu->addAction(QStringLiteral("Delete"));
    remove->setObjectName(QStringLiteral("Delete1"));
    remove->setShortcut(QKeySequence(QKeySequence::Delete));
    QObject::connect(edit, &QAction::triggered, &form, [&form] { Edit4Click(form); });
    QObject::connect(remove, &QAction::triggered, &form, [&form] { Delete1Click(form); });
    menu->setDefaultAction(edit);
    return menu;
}

void ListView3ContextPopup(TForm1& form, QTreeWidget* list, const QPoint& pos) {
    if (!selected(list))
        return;
    QMenu* menu = PopupMenu1(form);
    menu->popup(list->viewport()->mapToGlobal(pos));
    // Opened with the Menu key, the first Return takes "Edit" rather than only highlighting it.
    menu->setActiveAction(menu->defaultAction());
}

bool listKey(TForm1& form, QTreeWidget* list, int key) {
    if (!selected(list))
        return false;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Edit4Click(form);
        return true;
    case Qt::Key_Delete:
        Delete1Click(form);
        return true;
    default:
        return false;
    }
}

} // namespace ListActions
