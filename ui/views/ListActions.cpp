#include "ui/views/ListActions.h"

#include "context/PageIndex.h"
#include "scheduler/EventRecord.h"
#include "scheduler/Snooze.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "ui/PageContext.h"
#include "ui/views/AlarmListPage.h"
#include "ui/views/DayListPage.h"
#include "ui/views/EventIcons.h"
#include "ui/views/EventListPage.h"
#include "ui/views/RowData.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTreeWidget>

namespace ListActions {

namespace {

QTreeWidgetItem* selected(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> rows = list ? list->selectedItems() : QList<QTreeWidgetItem*>();
    return rows.isEmpty() ? nullptr : rows.first();
}

void editRecord(PageContext& context, const QTreeWidgetItem* row) {
    context.edit.editSection = RowData::sectionNumber(row);
}

// The alarm list shown with a repeating alarm selected: the one whose next occurrence the menu can skip.
AlarmListPage* alarmListWithRepeatingSelection(PageContext& context, QByteArray* section) {
    auto* page = qobject_cast<AlarmListPage*>(context.navigation.page(context.navigation.currentPage()));
    if (!page || !page->selectedRow())
        return nullptr;
    *section = EventListPage::sectionOf(page->selectedRow());
    const TXMLIniFile& events = context.stores.eventStore();
    const bool repeatingAlarm =
        events.ReadString(*section, EventRecord::Key::AlType, EventRecord::KindAlarm) == EventRecord::KindAlarm &&
        events.ReadFlag(*section, EventRecord::Key::Repeat, false);
    return repeatingAlarm ? page : nullptr;
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

void Delete1Click(PageContext& context) {
    QObject* page = context.navigation.page(context.navigation.currentPage());
    if (auto* listPage = qobject_cast<EventListPage*>(page))
        listPage->deleteSelected();
    else if (auto* dayList = qobject_cast<DayListPage*>(page))
        dayList->deleteSelected();
}

void Edit4Click(PageContext& context) {
    QObject* widget = context.navigation.page(context.navigation.currentPage());
    if (auto* listPage = qobject_cast<EventListPage*>(widget))
        listPage->editSelected();
    else if (auto* dayList = qobject_cast<DayListPage*>(widget))
        dayList->ListView6DblClick();
}

void SkipNext1Click(PageContext& context) {
    QByteArray section;
    AlarmListPage* page = alarmListWithRepeatingSelection(context, &section);
    if (!page)
        return;
    try {
        if (!SkipOccurrence::skipNext(context.stores.eventStore(), section))
            return;
    } catch (const Exception& e) {
        if (context.showMessage)
            context.showMessage(e.message());
        return;
    }
    // The row shows the occurrence after the one skipped.
    page->ViewTabAlShow();
    page->selectRecord(section);
    if (context.rearmScheduler)
        context.rearmScheduler();
}

void editFromList(PageContext& context, const QTreeWidgetItem* row, int editorPage) {
    if (row) {
        editRecord(context, row);
        context.edit.editFromList = true;
    }
    context.navigation.showPage(editorPage);
}

void editPastAlarm(PageContext& context, const QTreeWidgetItem* row) {
    if (!row)
        return;
    context.edit.editPastAlarm = true;
    editRecord(context, row);
    context.navigation.showPage(AlarmTab);
}

void editFromCalendar(PageContext& context, const QTreeWidgetItem* row) {
    if (!row)
        return;
    context.edit.editFromCalendar = true;
    editRecord(context, row);
    const int icon = RowData::icon(row);
    context.navigation.showPage(icon == EventIcons::AlarmSound ? AlarmTab
                                : icon == EventIcons::Birthday ? BirthTab
                                                               : ShutTab);
}

QMenu* PopupMenu1(PageContext& context) {
    if (auto* menu = context.window->findChild<QMenu*>(QStringLiteral("PopupMenu1")))
        return menu;
    auto* menu = new QMenu(context.window);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction* edit = menu->addAction(QCoreApplication::translate("ListActions", "Edit"));
    edit->setObjectName(QStringLiteral("Edit4"));
    edit->setShortcut(QKeySequence(Qt::Key_Return));
    QFont bold = edit->font();
    bold.setBold(true);
    edit->setFont(bold);
    QAction* remove = menu->addAction(QCoreApplication::translate("ListActions", "Delete"));
    remove->setObjectName(QStringLiteral("Delete1"));
    remove->setShortcut(QKeySequence(QKeySequence::Delete));
    QObject::connect(edit, &QAction::triggered, menu, [&context] { Edit4Click(context); });
    QObject::connect(remove, &QAction::triggered, menu, [&context] { Delete1Click(context); });
    // Added to the menu only while it is of use (ListView3ContextPopup).
    auto* skip = new QAction(QObject::tr("Skip Next Occurrence"), menu);
    skip->setObjectName(QStringLiteral("SkipNext1"));
    QObject::connect(skip, &QAction::triggered, menu, [&context] { SkipNext1Click(context); });
    menu->setDefaultAction(edit);
    return menu;
}

void ListView3ContextPopup(PageContext& context, QTreeWidget* list, const QPoint& pos) {
    if (!selected(list))
        return;
    QMenu* menu = PopupMenu1(context);
    auto* skip = menu->findChild<QAction*>(QStringLiteral("SkipNext1"));
    QByteArray section;
    if (alarmListWithRepeatingSelection(context, &section))
        menu->addAction(skip);
    else
        menu->removeAction(skip);
    menu->popup(list->viewport()->mapToGlobal(pos));
    // Opened with the Menu key, the first Return takes "Edit" rather than only highlighting it.
    menu->setActiveAction(menu->defaultAction());
}

bool listKey(PageContext& context, QTreeWidget* list, int key) {
    if (!selected(list))
        return false;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Edit4Click(context);
        return true;
    case Qt::Key_Delete:
        Delete1Click(context);
        return true;
    default:
        return false;
    }
}

} // namespace ListActions
