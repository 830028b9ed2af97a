#include "ui/views/DayListPage.h"

#include "context/PageIndex.h"
#include "scheduler/EventRecord.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/views/CalendarMonth.h"
#include "ui/views/EventTexts.h"
#include "ui/views/ListActions.h"
#include "ui/views/RowData.h"
#include "widgets/FancyButton.h"
#include "widgets/PlainTip.h"
#include "widgets/ShadowLabel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString none = QStringLiteral("-----");

} // namespace

DayListPage::DayListPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("EditViewTab"));
    setAccessibleName(tr("Events of the day"));

    myaSuperLabel78 = named(new ShadowLabel(tr("Edit Alarms"), this), "myaSuperLabel78");
    ListView6 = named(new QTreeWidget(this), "ListView6");
    ListView6->setAccessibleName(tr("Events of the day"));
    RowData::prepareList(ListView6, {{tr("Event"), Qt::AlignLeft},
                                     {tr("Time"), Qt::AlignHCenter},
                                     {tr("Repeat"), Qt::AlignHCenter},
                                     {tr("Sound"), Qt::AlignHCenter}});
    ListView6->header()->setSectionsClickable(false);
    ListView6->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    ListView6->viewport()->installEventFilter(this);
    ListView6->installEventFilter(this);

    DsFancyButton56 = named(new FancyButton(tr("&Edit>>"), this), "DsFancyButton56");
    DsFancyButton56->setAccessibleName(tr("Edit the selected event"));
    DsFancyButton57 = named(new FancyButton(tr("&Delete"), this), "DsFancyButton57");
    DsFancyButton57->setAccessibleName(tr("Delete the selected event"));
    DsFancyButton55 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton55");
    DsFancyButton55->setAccessibleName(tr("Back to the calendar"));
    DsFancyButton55->addShortcut(QKeySequence(Qt::Key_Escape));
    DsFancyButton56->setEnabled(false);
    DsFancyButton57->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton55);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton57);
    buttons->addWidget(DsFancyButton56);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(myaSuperLabel78);
    layout->addWidget(ListView6, 1);
    layout->addLayout(buttons);

    connect(ListView6, &QTreeWidget::itemSelectionChanged, this, &DayListPage::ListView6SelectItem);
    connect(ListView6, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { ListActions::ListView3ContextPopup(m_context, ListView6, pos); });
    connect(DsFancyButton56, &FancyButton::clicked, this, &DayListPage::ListView6DblClick);
    connect(DsFancyButton57, &FancyButton::clicked, this, [this] { ListActions::Delete1Click(m_context); });
    connect(DsFancyButton55, &FancyButton::clicked, this, &DayListPage::DsFancyButton55Click);

    // The bottom row from the left.
    setTabOrder(ListView6, DsFancyButton55);
    setTabOrder(DsFancyButton55, DsFancyButton57);
    setTabOrder(DsFancyButton57, DsFancyButton56);
    setFocusProxy(ListView6);
}

QTreeWidgetItem* DayListPage::makeRow(const QByteArray& section) const {
    using namespace EventRecord;
    const TXMLIniFile& events = m_context.stores.eventStore();
    const QByteArray kind = events.ReadString(section, Key::AlType, {});
    auto* row = new QTreeWidgetItem;
    int icon = -1;
    if (kind == KindAlarm) {
        icon = EventIcons::AlarmSound;
        row->setText(0, CalendarMonth::alarmSummary(events, section));
        row->setText(1, EventTexts::timeText(events.ReadDouble(section, Key::Date, 0)));
        row->setText(2, EventTexts::yesNo(events.ReadFlag(section, Key::Repeat, false)));
        row->setText(3, EventTexts::yesNo(events.ReadFlag(section, Key::Sound, true)));
    } else if (kind == KindShut) {
        const int action = events.ReadInt(section, Key::ShutType, 0);
        icon = EventIcons::forPowerAction(action);
        row->setText(0, EventTexts::powerActionName(action));
        row->setText(1, EventTexts::timeText(events.ReadDouble(section, Key::Date, 0)));
        row->setText(2, EventTexts::yesNo(events.ReadFlag(section, Key::Repeat, false)));
        row->setText(3, none);
    } else {
        icon = EventIcons::Birthday;
        const QString name = storedTextToDisplay(events.ReadString(section, Key::Name, QByteArrayLiteral("Unnamed")));
        row->setText(0, EventTexts::birthdayLine(name, events.ReadInt(section, Key::Before, 0)));
        row->setText(1, none);
        row->setText(2, none);
        row->setText(3, EventTexts::yesNo(events.ReadFlag(section, Key::Sound, true)));
    }
    for (int i = 1; i < 4; ++i)
        row->setTextAlignment(i, Qt::AlignHCenter | Qt::AlignVCenter);
    row->setToolTip(0, PlainTip::text(row->text(0)));
    RowData::set(row, section, icon);
    if (icon >= 0)
        row->setIcon(0, m_icons[icon]);
    return row;
}

void DayListPage::showDay(QDate date, const QByteArrayList& sections) {
    ListView6->clear();
    const TXMLIniFile& events = m_context.stores.eventStore();
    // The marks are a month old at most: a record deleted since is left out.
    for (const QByteArray& section : sections)
        if (events.HasSection(section))
            ListView6->addTopLevelItem(makeRow(section));
    ListView6SelectItem();
    myaSuperLabel78->setText(QLocale().toString(date, QLocale::ShortFormat));
}

QTreeWidgetItem* DayListPage::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListView6->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void DayListPage::ListView6SelectItem() {
    const bool selected = selectedRow() != nullptr;
    DsFancyButton56->setEnabled(selected);
    DsFancyButton57->setEnabled(selected);
}

void DayListPage::ListView6DblClick() {
    ListActions::editFromCalendar(m_context, selectedRow());
}

void DayListPage::DsFancyButton55Click() {
    m_context.edit.returnToEditor = true;
    m_context.navigation.showPage(EditTab);
}

bool DayListPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView6->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ListView6DblClick();
        return true;
    }
    if (watched == ListView6 && event->type() == QEvent::KeyPress)
        return ListActions::listKey(m_context, ListView6, static_cast<QKeyEvent*>(event)->key());
    return QWidget::eventFilter(watched, event);
}

void DayListPage::deleteSelected() {
    const QList<QTreeWidgetItem*> rows = ListView6->selectedItems();
    if (rows.isEmpty())
        return;
    m_context.stores.eventStore().EraseSection(RowData::section(rows.first()));
    ListActions::removeSelectedRow(ListView6);
}
