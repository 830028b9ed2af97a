#include "app/TrayController.h"
#include "context/SettingsKeys.h"

#include "app/MainMenuPage.h"
#include "app/TForm1.h"
#include "context/PageIndex.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"
#include "scheduler/Snooze.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "ui/views/TrayHint.h"
#include "widgets/Icons.h"

#include <QAction>
#include <QMenu>

TrayController::TrayController(TForm1& form, QObject* parent)
    : TraySwitch(parent)
    , m_form(form) {
    setObjectName(QStringLiteral("TrayController"));
    buildMenu();
    // No tray reports the pointer entering the icon; the menu at least is always current when it opens.
    connect(PopupMenu2, &QMenu::aboutToShow, this, &TrayController::TrayIconMouseEnter);
}

QSystemTrayIcon* TrayController::TrayIcon() {
    if (m_icon == nullptr) {
        m_icon = new QSystemTrayIcon(Icons::icon(Icons::tray()), this);
        m_icon->setObjectName(QStringLiteral("TrayIcon"));
        m_icon->setToolTip(m_toolTip);
        m_icon->setContextMenu(PopupMenu2);
        connect(m_icon, &QSystemTrayIcon::activated, this, &TrayController::activated);
        m_icon->setVisible(m_shown);
    }
    return m_icon;
}

// The menu is a top-level widget with no parent to delete it.
TrayController::~TrayController() {
    delete PopupMenu2;
}

void TrayController::buildMenu() {
    PopupMenu2 = new QMenu;
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    const auto item = [this](const char* name, const QString& text, void (TrayController::*handler)(),
                             const QString& icon = QString()) {
        QAction* action = PopupMenu2->addAction(text);
        action->setObjectName(QLatin1String(name));
        if (!icon.isEmpty())
            action->setIcon(Icons::icon(icon));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const auto separator = [this](const char* name) {
        PopupMenu2->addSeparator()->setObjectName(QLatin1String(name));
    };

    Restore1 = item("Restore1", tr("Main Menu"), &TrayController::Restore1Click, Icons::application());
    QFont bold = Restore1->font();
    bold.setBold(true);
    Restore1->setFont(bold);
    separator("N1");
    NewAlarm1 = item("NewAlarm1", tr("New Alarm"), &TrayController::NewAlarm1Click, Icons::menu(1, false));
    ScheduledShutDown1 = item("ScheduledShutDown1", tr("Scheduled Shut Down"), &TrayController::ScheduledShutDown1Click,
                              Icons::menu(2, false));
    AddBirthday1 = item("AddBirthday1", tr("Add Birthday"), &TrayController::AddBirthday1Click, Icons::menu(3, false));
    ViewEditAlarms1 =
        item("ViewEditAlarms1", tr("View/Edit Alarms"), &TrayController::ViewEditAlarms1Click, Icons::menu(4, false));
    CancelSnooze1 = new QMenu(tr("Cancel Snooze"), PopupMenu2);
    CancelSnooze1->setObjectName(QStringLiteral("CancelSnooze1"));
    CancelSnooze1->menuAction()->setObjectName(QStringLiteral("CancelSnoozeItem"));
    separator("N2");
    CountDown1 = item("CountDown1", tr("Timer - Countdown"), &TrayController::CountDown1Click, Icons::menu(5, false));
    AddressBook1 = item("AddressBook1", tr("Address Book"), &TrayController::AddressBook1Click, Icons::menu(6, false));
    Calendar1 = item("Calendar1", tr("Diary"), &TrayController::Calendar1Click, Icons::menu(7, false));
    separator("N3");
    Settings1 = item("Settings1", tr("Settings"), &TrayController::Settings1Click, Icons::menu(8, false));
    DisableTray1 = item("DisableTray1", tr("Disable Tray"), &TrayController::DisableTray1Click);
    separator("N4");
    Quit1 = item("Quit1", tr("Quit"), &TrayController::Quit1Click);
}

void TrayController::applyStartupSetting() {
    showIcon(m_form.settingsStore().ReadFlag(SettingsKey::Section, SettingsKey::Tray, true), false);
}

void TrayController::setIconShown(bool shown) {
    showIcon(shown, true);
}

void TrayController::showIcon(bool shown, bool makeIcon) {
    if (m_icon != nullptr || (makeIcon && shown))
        TrayIcon()->setVisible(shown);
    if (m_shown == shown)
        return;
    m_shown = shown;
    emit iconShownChanged(shown);
}

// Whatever the user was doing in the window before it was closed or left is forgotten: an editor opened from a list
// must not come back as "New Alarm".
void TrayController::Restore1Click() {
    m_form.clearModeFlags();
    m_form.showPage(MainTab);
    m_form.showMainWindow();
}

void TrayController::openEntry(int choice) {
    Restore1Click();
    m_form.mainMenu->selectEntry(choice);
    m_form.mainMenu->DsFancyButton1Click();
}

void TrayController::NewAlarm1Click() {
    openEntry(1);
}
void TrayController::ScheduledShutDown1Click() {
    openEntry(2);
}
void TrayController::AddBirthday1Click() {
    openEntry(3);
}
void TrayController::ViewEditAlarms1Click() {
    openEntry(4);
}
void TrayController::CountDown1Click() {
    openEntry(5);
}
void TrayController::AddressBook1Click() {
    openEntry(6);
}
void TrayController::Calendar1Click() {
    openEntry(7);
}
void TrayController::Settings1Click() {
    openEntry(8);
}

void TrayController::DisableTray1Click() {
    m_form.settingsStore().WriteFlag(SettingsKey::Section, SettingsKey::Tray, false);
    setIconShown(false);
}

void TrayController::Quit1Click() {
    m_form.endProgram();
}

// Unlike the menu, the double click keeps the mode flags: it only brings the window back.
void TrayController::TrayIconDblClick() {
    m_form.showPage(MainTab);
    m_form.showMainWindow();
}

void TrayController::TrayIconMouseEnter() {
    const TXMLIniFile& events = m_form.eventStore();
    const TXMLIniFile& settings = m_form.settingsStore();
    m_hintChange = events.changeCount();
    m_hintSnoozeChange = settings.changeCount();
    m_hintDay = DayCount::toDate(m_form.clock().now());
    QString hint = TrayHint::text(m_hintTable, events, m_hintDay);
    const QString snoozed = TrayHint::snoozed(settings);
    if (!snoozed.isEmpty())
        hint += QStringLiteral("\n\n") + snoozed;
    m_toolTip = hint;
    if (m_icon != nullptr)
        m_icon->setToolTip(hint);
    rebuildSnoozeMenu();
}

void TrayController::rebuildSnoozeMenu() {
    CancelSnooze1->clear();
    const QList<Snooze::Entry> entries = Snooze::entries(m_form.settingsStore());
    for (const Snooze::Entry& entry : entries) {
        QAction* action = CancelSnooze1->addAction(TrayHint::snoozeLine(entry.untilMs, entry.lines));
        action->setObjectName(QString::fromLatin1(entry.id));
        const QByteArray id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { cancelSnooze(id); });
    }
    QAction* item = CancelSnooze1->menuAction();
    if (entries.isEmpty())
        PopupMenu2->removeAction(item);
    else if (!PopupMenu2->actions().contains(item))
        PopupMenu2->insertAction(PopupMenu2->actions().at(PopupMenu2->actions().indexOf(ViewEditAlarms1) + 1), item);
}

void TrayController::cancelSnooze(const QByteArray& id) {
    try {
        Snooze::cancel(m_form.settingsStore(), id);
    } catch (const Exception& e) {
        m_form.ShowMsg(e.message());
    }
    TrayIconMouseEnter();
}

void TrayController::refreshHint() {
    const TXMLIniFile& events = m_form.eventStore();
    if (events.changeCount() != m_hintChange || m_form.settingsStore().changeCount() != m_hintSnoozeChange ||
        DayCount::toDate(m_form.clock().now()) != m_hintDay)
        TrayIconMouseEnter();
}

// A single click (the only click that desktops speaking the StatusNotifier protocol report) brings the window to the
// front as it is: an editor page in progress stays. Only the double click goes to the main menu.
void TrayController::activated(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick)
        TrayIconDblClick();
    else if (reason == QSystemTrayIcon::Trigger)
        m_form.showMainWindow();
}
