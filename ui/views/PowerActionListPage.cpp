#include "ui/views/PowerActionListPage.h"

#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"
#include "ui/PageContext.h"
#include "ui/editors/PowerActionEditorPage.h"
#include "ui/views/EventTexts.h"
#include "ui/views/ListActions.h"

#include <QTreeWidget>

namespace {

const EventListPage::Names names = {"ViewTabShut",
                                    "myaSuperLabel5",
                                    "ListView2",
                                    "Del1",
                                    "Ed2",
                                    "myLabel3d28",
                                    {"DsFancyButton13", "DsFancyButton14", "DsFancyButton21", "DsFancyButton22"},
                                    "DsFancyButton9"};

} // namespace

PowerActionListPage::PowerActionListPage(PageContext& context, QWidget* parent)
    : EventListPage(context, 2, names, tr("Shut Downs"),
                    {{QT_TRANSLATE_NOOP("EventListPage", "Action"), Qt::AlignLeft},
                     {QT_TRANSLATE_NOOP("EventListPage", "Date"), Qt::AlignHCenter},
                     {QT_TRANSLATE_NOOP("EventListPage", "Repeat"), Qt::AlignHCenter}},
                    parent) {
    myaSuperLabel5 = title();
    ListView2 = list();
    Del1 = deleteButton();
    Ed2 = editButton();
}

TXMLIniFile& PowerActionListPage::store() {
    return m_context.stores.eventStore();
}

QStringList PowerActionListPage::possibleTexts(int column) const {
    if (column == 2)
        return EventTexts::possibleDateTexts(true);
    const int most = PowerActionEditorPage::MaximumCount;
    return {EventTexts::powerRepeatText(false, 1, 0), EventTexts::powerRepeatText(true, most, 0),
            EventTexts::powerRepeatText(true, most, 1)};
}

void PowerActionListPage::ViewTabShutShow() {
    using namespace EventRecord;
    m_context.edit.listPage = 2;
    const TXMLIniFile& events = m_context.stores.eventStore();
    const QByteArrayList sections = events.ReadSections();
    QList<QTreeWidgetItem*> rows;
    for (const QByteArray& section : sections) {
        if (events.ReadString(section, Key::AlType, {}) != KindShut)
            continue;
        const int action = events.ReadInt(section, Key::ShutType, 0);
        // The record holds the start of the 30-second countdown; the list shows the moment the user chose.
        const double moment = DayCount::addSeconds(events.ReadDouble(section, Key::Date, 0), 30);
        rows.append(makeRow(section,
                            {EventTexts::powerActionName(action), EventTexts::dateText(moment),
                             EventTexts::powerRepeatText(events.ReadFlag(section, Key::Repeat, false),
                                                         events.ReadInt(section, Key::RepVal, 1),
                                                         events.ReadInt(section, Key::RepType, 0))},
                            EventIcons::forPowerActionRow(action)));
    }
    fill(rows);
}

void PowerActionListPage::ListView2DblClick() {
    ListActions::editFromList(m_context, selectedRow(), ShutTab);
}
