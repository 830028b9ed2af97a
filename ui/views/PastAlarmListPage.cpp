#include "ui/views/PastAlarmListPage.h"

#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"
#include "ui/PageContext.h"
#include "ui/views/EventTexts.h"
#include "ui/views/ListActions.h"

#include <QTreeWidget>

namespace {

const EventListPage::Names names = {"ViewTabPast",
                                    "myaSuperLabel10",
                                    "ListView4",
                                    "Del",
                                    "Edit3",
                                    "myLabel3d30",
                                    {"DsFancyButton17", "DsFancyButton25", "DsFancyButton26", "DsFancyButton27"},
                                    "DsFancyButton10"};

} // namespace

PastAlarmListPage::PastAlarmListPage(PageContext& context, QWidget* parent)
    : EventListPage(context, 4, names, tr("Past Alarms"),
                    {{QT_TRANSLATE_NOOP("EventListPage", "Description"), Qt::AlignLeft, 12},
                     {QT_TRANSLATE_NOOP("EventListPage", "Date"), Qt::AlignHCenter},
                     {QT_TRANSLATE_NOOP("EventListPage", "Sound"), Qt::AlignHCenter}},
                    parent) {
    myaSuperLabel10 = title();
    ListView4 = list();
    Del = deleteButton();
    Edit3 = editButton();
}

TXMLIniFile& PastAlarmListPage::store() {
    return m_context.stores.pastAlarmStore();
}

QStringList PastAlarmListPage::possibleTexts(int column) const {
    if (column == 2)
        return EventTexts::possibleDateTexts(true);
    return {EventTexts::yesNo(true), EventTexts::yesNo(false)};
}

void PastAlarmListPage::ViewTabPastShow() {
    using namespace EventRecord;
    m_context.edit.listPage = 4;
    const TXMLIniFile& past = m_context.stores.pastAlarmStore();
    const QByteArrayList sections = past.ReadSections();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(sections.size());
    // Every record is listed, whatever it holds.
    for (const QByteArray& section : sections)
        rows.append(makeRow(section,
                            {EventTexts::descriptionText(readTextBlock(past, section)),
                             EventTexts::dateText(past.ReadDouble(section, Key::Date, 0)),
                             EventTexts::yesNo(past.ReadFlag(section, Key::Sound, true))},
                            EventIcons::PastAlarm));
    fill(rows);
}

void PastAlarmListPage::ListView4DblClick() {
    ListActions::editPastAlarm(m_context, selectedRow());
}
