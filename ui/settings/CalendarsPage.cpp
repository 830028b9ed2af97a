#include "ui/settings/CalendarsPage.h"

#include "calendar/CalendarExchange.h"
#include "context/PageIndex.h"
#include "context/SettingsKeys.h"
#include "context/SyncControl.h"
#include "platform/CredentialStore.h"
#include "scheduler/SchedulerClock.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/LocaleDateTimeText.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/settings/FileChooser.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CalendarsPage::CalendarsPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("CalendarsTab"));
    setAccessibleName(tr("Calendars"));

    title = named(new ShadowLabel(tr("Calendars"), this), "title");
    exchangeLabel = named(new QLabel(tr("Calendar Files (iCalendar):"), this), "exchangeLabel");
    exportButton = named(new FancyButton(tr("&Export…"), this), "exportButton");
    exportButton->setAccessibleName(tr("Export to a calendar file"));
    importButton = named(new FancyButton(tr("&Import…"), this), "importButton");
    importButton->setAccessibleName(tr("Import from a calendar file"));
    powerActionsChoice = named(new ChoiceLabel(tr("Export power ac&tions too"), this), "powerActionsChoice");
    powerActionsChoice->setInGroup(false);
    powerActionsChoice->setFocusPolicy(Qt::StrongFocus);
    powerActionsChoice->setToolTip(tr("Power actions switch this computer off or on: another one may not want them."));
    syncLabel = named(new QLabel(tr("Calendar Sync (CalDAV):"), this), "syncLabel");
    urlEdit = named(new QLineEdit(this), "urlEdit");
    urlEdit->setPlaceholderText(tr("https://server/dav/"));
    userEdit = named(new QLineEdit(this), "userEdit");
    passwordEdit = named(new QLineEdit(this), "passwordEdit");
    passwordEdit->setEchoMode(QLineEdit::Password);
    passwordEdit->setPlaceholderText(tr("kept in the desktop's secret store"));
    auto* urlCaption = named(new QLabel(tr("&Address:"), this), "urlCaption");
    auto* userCaption = named(new QLabel(tr("&User Name:"), this), "userCaption");
    auto* passwordCaption = named(new QLabel(tr("&Password:"), this), "passwordCaption");
    urlCaption->setBuddy(urlEdit);
    userCaption->setBuddy(userEdit);
    passwordCaption->setBuddy(passwordEdit);
    urlEdit->setAccessibleName(tr("CalDAV server address"));
    userEdit->setAccessibleName(tr("User name on the server"));
    passwordEdit->setAccessibleName(tr("Password on the server"));
    syncNowButton = named(new FancyButton(tr("S&ync Now"), this), "syncNowButton");
    syncNowButton->setAccessibleName(tr("Sync with the server now"));
    syncStatus = named(new QLabel(this), "syncStatus");
    syncStatus->setWordWrap(true);
    syncStatus->setTextFormat(Qt::PlainText);
    syncStatus->setAccessibleName(tr("Last sync"));
    backButton = named(new FancyButton(tr("<<&Back"), this), "backButton");
    backButton->setAccessibleName(tr("Back to the settings"));

    auto* exchange = new QHBoxLayout;
    exchange->setSpacing(8);
    exchange->addWidget(exportButton);
    exchange->addWidget(importButton);
    exchange->addSpacing(8);
    exchange->addWidget(powerActionsChoice);
    exchange->addStretch(1);

    auto* account = new QGridLayout;
    account->setHorizontalSpacing(8);
    account->setVerticalSpacing(3);
    account->addWidget(urlCaption, 0, 0);
    account->addWidget(urlEdit, 0, 1);
    account->addWidget(userCaption, 1, 0);
    account->addWidget(userEdit, 1, 1);
    account->addWidget(passwordCaption, 2, 0);
    account->addWidget(passwordEdit, 2, 1);
    account->setColumnStretch(1, 1);

    auto* sync = new QHBoxLayout;
    sync->setSpacing(8);
    sync->addWidget(syncNowButton, 0, Qt::AlignTop);
    sync->addWidget(syncStatus, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(backButton);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(title);
    layout->addWidget(exchangeLabel);
    layout->addLayout(exchange);
    layout->addSpacing(6);
    layout->addWidget(syncLabel);
    layout->addLayout(account);
    layout->addLayout(sync);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(exportButton, &FancyButton::clicked, this, &CalendarsPage::exportClick);
    connect(importButton, &FancyButton::clicked, this, &CalendarsPage::importClick);
    connect(powerActionsChoice, &ChoiceLabel::clicked, this,
            [this] { powerActionsChoice->setChosen(!powerActionsChoice->isChosen()); });
    connect(urlEdit, &QLineEdit::editingFinished, this, &CalendarsPage::saveAccount);
    connect(userEdit, &QLineEdit::editingFinished, this, &CalendarsPage::saveAccount);
    connect(passwordEdit, &QLineEdit::editingFinished, this, [this] { savePassword(); });
    connect(syncNowButton, &FancyButton::clicked, this, &CalendarsPage::syncNowClick);
    connect(backButton, &FancyButton::clicked, this, [this] { m_context.navigation.showPage(SetTab); });
}

QString CalendarsPage::calendarFilter() {
    return tr("iCalendar (*.ics *.ical *.ifb);;All files (*)");
}

QString CalendarsPage::initialFile() const {
    return m_lastFile.isEmpty() ? QDir::home().filePath(QStringLiteral("Zentick.ics")) : m_lastFile;
}

void CalendarsPage::CalendarsTabShow() {
    if (!m_syncFollowed && m_context.sync) {
        connect(m_context.sync, &SyncControl::changed, this, &CalendarsPage::showSyncState);
        m_syncFollowed = true;
    }
    const TXMLIniFile& settings = m_context.stores.settingsStore();
    urlEdit->setText(storedTextToDisplay(settings.ReadString(SettingsKey::Section, SettingsKey::SyncUrl, {})));
    userEdit->setText(storedTextToDisplay(settings.ReadString(SettingsKey::Section, SettingsKey::SyncUser, {})));
    passwordEdit->clear();
    showSyncState();
}

void CalendarsPage::showSyncState() {
    const SyncControl::State state = m_context.sync ? m_context.sync->state() : SyncControl::State::Unavailable;
    syncNowButton->setEnabled(state == SyncControl::State::Idle);
    QString text;
    switch (state) {
    case SyncControl::State::Unavailable:
        text = tr("This Zentick has no calendar sync built in: the account is kept for one that has.");
        break;
    case SyncControl::State::NoAccount:
        text = tr("Type the address of your CalDAV server to sync.");
        break;
    case SyncControl::State::Running:
        text = tr("Syncing…");
        break;
    case SyncControl::State::Idle: {
        const SyncControl::Report last = m_context.sync->lastReport();
        text = last.finishedAt.isValid()
                   ? tr("Last sync %1: %2").arg(LocaleDateTimeText::format(last.finishedAt.toLocalTime()), last.status)
                   : tr("Not synced yet.");
        break;
    }
    }
    syncStatus->setText(text);
    syncStatus->setToolTip(text);
}

void CalendarsPage::saveAccount() {
    TXMLIniFile& settings = m_context.stores.settingsStore();
    const QByteArray url = displayTextToStored(urlEdit->text().trimmed());
    const QByteArray user = displayTextToStored(userEdit->text());
    const bool urlChanged = url != settings.ReadString(SettingsKey::Section, SettingsKey::SyncUrl, {});
    const bool userChanged = user != settings.ReadString(SettingsKey::Section, SettingsKey::SyncUser, {});
    if (!urlChanged && !userChanged)
        return;
    TXMLIniFile::Batch batch(settings);
    if (urlChanged)
        settings.WriteString(SettingsKey::Section, SettingsKey::SyncUrl, url);
    if (userChanged)
        settings.WriteString(SettingsKey::Section, SettingsKey::SyncUser, user);
    batch.commit();
    if (m_context.sync)
        m_context.sync->accountChanged();
    showSyncState();
}

void CalendarsPage::savePassword(std::function<void()> then) {
    if (!passwordEdit->isModified()) {
        if (then)
            then();
        return;
    }
    passwordEdit->setModified(false);
    if (!m_context.credentials) {
        m_context.showMessage(tr("No secret store of the desktop answers, so the password cannot be kept. Zentick "
                                 "never writes it into its own files."));
        return;
    }
    m_context.credentials->write(
        QLatin1String(CredentialStore::SyncPasswordKey), passwordEdit->text(), this,
        [this, then = std::move(then)](const QString& error) {
            if (!error.isEmpty()) {
                m_context.showMessage(
                    tr("The password could not be kept in the desktop's secret store: %1").arg(error));
                return;
            }
            if (m_context.sync)
                m_context.sync->accountChanged();
            if (then)
                then();
        });
}

// What was typed is kept first; the sync reads the password from the secret store, so it waits for it to be there.
void CalendarsPage::syncNowClick() {
    saveAccount();
    savePassword([this] {
        if (m_context.sync)
            m_context.sync->syncNow();
    });
}

// The file is written whole beside its place and renamed over it, so a full disk or a kill never leaves half a
// calendar where a good one was.
void CalendarsPage::exportClick() {
    const QString file = FileChooser::instance().chooseSaveFile(this, initialFile(), calendarFilter());
    if (file.isEmpty())
        return;
    m_lastFile = file;
    CalendarExchange::ExportOptions options;
    options.powerActions = powerActionsChoice->isChosen();
    const QString error =
        CalendarExchange::exportToFile(file, m_context.stores.eventStore(), &m_context.stores.diaryStore(), options);
    if (!error.isEmpty()) {
        m_context.showMessage(
            tr("The calendar file \"%1\" could not be written: %2. Nothing was written.").arg(file, error));
        return;
    }
    m_context.showMessage(options.powerActions
                              ? tr("The alarms, birthdays, power actions and diary notes are in \"%1\".").arg(file)
                              : tr("The alarms, birthdays and diary notes are in \"%1\".").arg(file));
}

// What was added is told with what could not be taken as it was; a file that is no whole calendar changes nothing.
void CalendarsPage::importClick() {
    const QString file = FileChooser::instance().chooseFile(this, initialFile(), calendarFilter());
    if (file.isEmpty())
        return;
    m_lastFile = file;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        m_context.showMessage(tr("The calendar file \"%1\" could not be read: %2").arg(file, in.errorString()));
        return;
    }
    const CalendarExchange::ImportReport report = CalendarExchange::importCalendar(
        in.readAll(), m_context.stores.eventStore(), &m_context.stores.diaryStore(), m_context.clock.now());
    if (!report.error.isEmpty()) {
        m_context.showMessage(tr("\"%1\" was not imported: %2\nNothing was changed.").arg(file, report.error));
        return;
    }
    if ((report.added > 0 || report.notesAdded > 0) && m_context.storesWritten)
        m_context.storesWritten();
    m_context.showMessage(report.summary().trimmed());
}
