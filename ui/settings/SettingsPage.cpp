#include "ui/settings/SettingsPage.h"

#include "context/PageIndex.h"
#include "context/SettingsKeys.h"
#include "platform/Autostart.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"
#include "ui/Named.h"
#include "ui/PageContext.h"
#include "ui/settings/DataFolderRelocation.h"
#include "ui/settings/DataFolders.h"
#include "ui/settings/FileChooser.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/ClickableLabel.h"
#include "widgets/FancyButton.h"
#include "widgets/ShadowLabel.h"
#include "widgets/Theme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

const QString dataFolderName = QStringLiteral("Alarms Directory");

} // namespace

SettingsPage::SettingsPage(PageContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context) {
    setObjectName(QStringLiteral("SetTab"));
    setAccessibleName(tr("Settings"));

    myaSuperLabel64 = named(new ShadowLabel(tr("Settings"), this), "myaSuperLabel64");
    myLabel3d13 = named(new ClickableLabel(tr("Disable &Tray"), this), "myLabel3d13");
    myLabel3d13->setFocusPolicy(Qt::StrongFocus);
    myLabel3d13->setAccessibleName(tr("Switch the tray icon"));
    autostartLabel = named(new ChoiceLabel(tr("Start Zentick when I log in"), this), "autostartLabel");
    autostartLabel->setFocusPolicy(Qt::StrongFocus);
    autostartLabel->setVisible(!m_context.autostartFolder.isEmpty());
    myaSuperLabel65 = named(new QLabel(tr("Alarm Sound:"), this), "myaSuperLabel65");
    myLabel3d22 = named(new ChoiceLabel(tr("&Use Default."), this), "myLabel3d22");
    myLabel3d23 = named(new ChoiceLabel(tr("&Custom:"), this), "myLabel3d23");
    for (ChoiceLabel* choice : {myLabel3d22, myLabel3d23})
        choice->setFocusPolicy(Qt::StrongFocus);
    Edit11 = named(new QLineEdit(this), "Edit11");
    Edit11->setReadOnly(true);
    Edit11->setAccessibleName(tr("Sound file"));
    DsFancyButton49 = named(new FancyButton(QStringLiteral("..."), this), "DsFancyButton49");
    DsFancyButton49->setAccessibleName(tr("Choose a sound file"));
    myaSuperLabel66 = named(new QLabel(tr("Change Alarms' Directory:"), this), "myaSuperLabel66");
    Edit12 = named(new QLineEdit(this), "Edit12");
    Edit12->setReadOnly(true);
    Edit12->setAccessibleName(tr("Data folder"));
    myaSuperLabel66->setBuddy(Edit12);
    DsFancyButton50 = named(new FancyButton(QStringLiteral("..."), this), "DsFancyButton50");
    DsFancyButton50->setAccessibleName(tr("Choose the data folder"));
    DsFancyButton48 = named(new FancyButton(tr("&Apply"), this), "DsFancyButton48");
    DsFancyButton48->setDefault(true);
    DsFancyButton48->setEnabled(false);
    noticesLabel = named(new ChoiceLabel(tr("Desktop &notices"), this), "noticesLabel");
    noticesLabel->setInGroup(false);
    noticesLabel->setFocusPolicy(Qt::StrongFocus);
    noticesLabel->setAccessibleName(tr("Desktop notices beside the alarm windows"));
    noticesLabel->setToolTip(tr("Each alarm, birthday and countdown window is also announced on the desktop, so it is "
                                "seen where a window cannot come to the front."));
    calendarsButton = named(new FancyButton(tr("Ca&lendars and Sync…"), this), "calendarsButton");
    DsFancyButton47 = named(new FancyButton(tr("<<&Back"), this), "DsFancyButton47");
    DsFancyButton47->setAccessibleName(tr("Back to the main menu"));
    for (FancyButton* small : {DsFancyButton49, DsFancyButton50})
        small->setMinimumWidth(small->fontMetrics().horizontalAdvance(QStringLiteral("....")) * 2);

    toggleRow = new QGridLayout;
    toggleRow->setHorizontalSpacing(16);
    toggleRow->addWidget(myLabel3d13, 0, 0);
    toggleRow->addWidget(autostartLabel, 0, 1);
    toggleRow->setColumnStretch(2, 1);

    auto* sound = new QGridLayout;
    sound->setHorizontalSpacing(8);
    sound->addWidget(myLabel3d22, 0, 0);
    sound->addWidget(myLabel3d23, 1, 0);
    sound->addWidget(Edit11, 1, 1);
    sound->addWidget(DsFancyButton49, 1, 2);
    sound->setColumnStretch(1, 1);

    auto* folder = new QHBoxLayout;
    folder->addWidget(Edit12, 1);
    folder->addWidget(DsFancyButton50);

    // Under the specified controls, so none of them moves.
    auto* more = new QHBoxLayout;
    more->addWidget(noticesLabel);
    more->addStretch(1);
    more->addWidget(calendarsButton);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DsFancyButton47);
    buttons->addStretch();
    buttons->addWidget(DsFancyButton48);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 4, 12, 8);
    layout->setSpacing(4);
    layout->addWidget(myaSuperLabel64);
    layout->addLayout(toggleRow);
    layout->addSpacing(6);
    layout->addWidget(myaSuperLabel65);
    layout->addLayout(sound);
    layout->addSpacing(6);
    layout->addWidget(myaSuperLabel66);
    layout->addLayout(folder);
    layout->addSpacing(10);
    layout->addLayout(more);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // A long path shows its end in the field; the whole of it on the pointer.
    for (QLineEdit* path : {Edit11, Edit12})
        connect(path, &QLineEdit::textChanged, path, &QLineEdit::setToolTip);

    connect(myLabel3d13, &ClickableLabel::clicked, this, &SettingsPage::myLabel3d13Click);
    connect(autostartLabel, &ChoiceLabel::clicked, this, &SettingsPage::autostartLabelClick);
    connect(myLabel3d22, &ChoiceLabel::clicked, this, &SettingsPage::myLabel3d22Click);
    connect(myLabel3d23, &ChoiceLabel::clicked, this, &SettingsPage::myLabel3d23Click);
    connect(DsFancyButton49, &FancyButton::clicked, this, &SettingsPage::DsFancyButton49Click);
    connect(DsFancyButton50, &FancyButton::clicked, this, &SettingsPage::DsFancyButton50Click);
    connect(DsFancyButton48, &FancyButton::clicked, this, &SettingsPage::DsFancyButton48Click);
    connect(DsFancyButton47, &FancyButton::clicked, this, &SettingsPage::DsFancyButton47Click);
    QWidget::setTabOrder(DsFancyButton50, noticesLabel);
    QWidget::setTabOrder(noticesLabel, calendarsButton);
    connect(noticesLabel, &ChoiceLabel::clicked, this, &SettingsPage::noticesLabelClick);
    connect(calendarsButton, &FancyButton::clicked, this, [this] { m_context.navigation.showPage(CalendarsTab); });
}

QString SettingsPage::soundFilter() {
    return QStringLiteral("%1 (*.mp3 *.wave *.wav *.mid *.wma);;Wave (*.wave *.wav);;Midi (*.mid);;WMA (*.wma);;"
                          "Mp3 (*.mp3)")
        .arg(tr("All"));
}

QString SettingsPage::dataFolderFor(const QString& chosen) {
    if (QFileInfo(chosen).fileName() == dataFolderName)
        return chosen;
    return chosen + (chosen.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/")) + dataFolderName;
}

QString SettingsPage::storedDataFolder(const QString& fallback) const {
    return storedTextToDisplay(m_context.stores.settingsStore().ReadString(
        SettingsKey::Section, SettingsKey::DataFolder, displayTextToStored(fallback)));
}

QString SettingsPage::defaultDataFolder() const {
    return m_context.stores.exeFolder() + QLatin1Char('/') + dataFolderName;
}

void SettingsPage::showTrayState(bool shown) {
    myLabel3d13->setText(shown ? tr("Disable &Tray") : tr("Enable &Tray"));
    myLabel3d13->setColour(shown ? Theme::chosenColour() : Theme::unchosenColour());
}

void SettingsPage::SetTabShow() {
    if (!m_trayFollowed && m_context.tray) {
        // "Disable Tray" of the tray menu switches the icon while this page may be showing.
        connect(m_context.tray, &TraySwitch::iconShownChanged, this, &SettingsPage::showTrayState);
        m_trayFollowed = true;
    }
    if (m_context.tray)
        showTrayState(m_context.tray->isIconShown());
    showAutostartState();

    TXMLIniFile& settings = m_context.stores.settingsStore();
    noticesLabel->setChosen(settings.ReadFlag(SettingsKey::Section, SettingsKey::DesktopNotices, true));
    const QByteArray soundPath = settings.ReadString(SettingsKey::Section, SettingsKey::SoundPath, QByteArray());
    m_initialSoundFile = storedTextToDisplay(soundPath);
    Edit12->setText(storedDataFolder(m_context.stores.exeFolder()));
    if (!m_initialSoundFile.isEmpty() && QFileInfo(m_initialSoundFile).isFile()) {
        Edit11->setText(m_initialSoundFile);
        if (settings.ReadFlag(SettingsKey::Section, SettingsKey::DefaultSound, true))
            myLabel3d22Click();
        else
            myLabel3d23Click();
    } else {
        Edit11->clear();
        myLabel3d22Click();
        // Only a path that names something is cleared: showing the page alone never rewrites the file.
        if (!soundPath.isEmpty())
            settings.WriteString(SettingsKey::Section, SettingsKey::SoundPath, QByteArray());
    }
    DsFancyButton48->setEnabled(false);
}

void SettingsPage::myLabel3d13Click() {
    const bool shown = m_context.stores.settingsStore().ReadFlag(SettingsKey::Section, SettingsKey::Tray, true);
    m_context.stores.settingsStore().WriteFlag(SettingsKey::Section, SettingsKey::Tray, !shown);
    if (m_context.tray)
        m_context.tray->setIconShown(!shown);
    showTrayState(!shown);
}

Autostart SettingsPage::autostart() const {
    return Autostart(m_context.autostartFolder, Autostart::programFor(QCoreApplication::applicationFilePath()));
}

// The entry is the state: the desktop's own session settings may have changed it since the page was last shown.
void SettingsPage::showAutostartState() {
    if (m_context.autostartFolder.isEmpty())
        return;
    const bool enabled = autostart().isEnabled();
    autostartLabel->setChosen(enabled);
    autostartLabel->setAccessibleName(enabled ? tr("Start Zentick when I log in: on")
                                              : tr("Start Zentick when I log in: off"));
}

void SettingsPage::autostartLabelClick() {
    if (m_context.autostartFolder.isEmpty())
        return;
    Autostart entry = autostart();
    const bool enable = !entry.isEnabled();
    if (!entry.setEnabled(enable)) {
        const QString what = enable ? tr("Zentick cannot be set to start when you log in.")
                                    : tr("Zentick cannot be kept from starting when you log in.");
        m_context.showMessage(QStringLiteral("%1\n\"%2\": %3").arg(what, entry.filePath(), entry.errorString()));
    }
    showAutostartState();
}

// The notice windows read the key each time one opens: the next alarm follows the switch.
void SettingsPage::noticesLabelClick() {
    TXMLIniFile& settings = m_context.stores.settingsStore();
    const bool shown = !settings.ReadFlag(SettingsKey::Section, SettingsKey::DesktopNotices, true);
    settings.WriteFlag(SettingsKey::Section, SettingsKey::DesktopNotices, shown);
    noticesLabel->setChosen(shown);
}

void SettingsPage::myLabel3d22Click() {
    myLabel3d22->setChosen(true);
    myLabel3d23->setChosen(false);
    DsFancyButton48->setEnabled(true);
    DsFancyButton49->setEnabled(false);
    Edit11->setEnabled(false);
}

void SettingsPage::myLabel3d23Click() {
    myLabel3d23->setChosen(true);
    myLabel3d22->setChosen(false);
    DsFancyButton48->setEnabled(true);
    DsFancyButton49->setEnabled(true);
    Edit11->setEnabled(true);
}

// The chosen file is written at once, before "Apply".
void SettingsPage::DsFancyButton49Click() {
    const QString file = FileChooser::instance().chooseFile(this, m_initialSoundFile, soundFilter());
    if (file.isEmpty())
        return;
    Edit11->setText(file);
    DsFancyButton48->setEnabled(true);
    TXMLIniFile& settings = m_context.stores.settingsStore();
    TXMLIniFile::Batch batch(settings);
    settings.WriteFlag(SettingsKey::Section, SettingsKey::DefaultSound, false);
    settings.WriteString(SettingsKey::Section, SettingsKey::SoundPath, displayTextToStored(file));
    batch.commit();
}

void SettingsPage::DsFancyButton50Click() {
    const QString folder = FileChooser::instance().chooseFolder(this, dataFolderName);
    if (folder.isEmpty())
        return;
    Edit12->setText(dataFolderFor(folder));
    DsFancyButton48->setEnabled(true);
}

void SettingsPage::applySound() {
    TXMLIniFile& settings = m_context.stores.settingsStore();
    TXMLIniFile::Batch batch(settings);
    if (myLabel3d23->isChosen() && QFileInfo(Edit11->text()).isFile()) {
        settings.WriteFlag(SettingsKey::Section, SettingsKey::DefaultSound, false);
        settings.WriteString(SettingsKey::Section, SettingsKey::SoundPath, displayTextToStored(Edit11->text()));
    } else {
        settings.WriteFlag(SettingsKey::Section, SettingsKey::DefaultSound, true);
    }
    batch.commit();
}

void SettingsPage::DsFancyButton48Click() {
    DsFancyButton48->setEnabled(false);
    applySound();
    const QString newFolder = Edit12->text();
    if (newFolder == storedDataFolder(defaultDataFolder()))
        return;
    const bool created = !QFileInfo(newFolder).isDir();
    if (created)
        DataFolders::createFolder(newFolder);
    if (!QFileInfo(newFolder).isDir()) {
        m_context.showMessage(tr("Failed to Create the Directory"));
        Edit12->setText(storedDataFolder(defaultDataFolder()));
        return;
    }
    moveDataFolder(newFolder, created);
}

// The stores let go of their files before these move, and are opened anew on the new folder.
void SettingsPage::moveDataFolder(const QString& newFolder, bool created) {
    TXMLIniFile& settings = m_context.stores.settingsStore();
    const QString oldFolder = storedDataFolder(defaultDataFolder());
    // The same folder under another spelling: nothing to move.
    const QString oldCanonical = QFileInfo(oldFolder).canonicalFilePath();
    if (!oldCanonical.isEmpty() && oldCanonical == QFileInfo(newFolder).canonicalFilePath()) {
        settings.WriteString(SettingsKey::Section, SettingsKey::DataFolder, displayTextToStored(newFolder));
        m_context.stores.openDataStores(storedDataFolder(defaultDataFolder()));
        return;
    }
    // Another instance, from another program folder, may work on the files there.
    if (!m_context.lockDataFolder(newFolder)) {
        if (created)
            QDir().rmdir(newFolder);
        Edit12->setText(oldFolder);
        m_context.showMessage(tr("The data files were not moved: Zentick, started from another folder, works on "
                                 "the files in \"%1\". Nothing changed.")
                                  .arg(newFolder));
        return;
    }
    m_context.stores.closeDataStores();
    DataFolderRelocation::Outcome outcome;
    try {
        outcome = DataFolderRelocation::move(settings, oldFolder, newFolder);
    } catch (...) {
        // The settings could not be written: the pages still need stores, on whichever folder the settings name.
        m_context.stores.openDataStores(storedDataFolder(defaultDataFolder()));
        m_context.lockDataFolder(m_context.stores.dataFolder());
        throw;
    }
    m_context.stores.openDataStores(storedDataFolder(defaultDataFolder()));
    m_context.lockDataFolder(m_context.stores.dataFolder());
    if (outcome.failure) {
        // Nothing moved: a folder made for the move goes again, and the field shows the folder still in use.
        if (created)
            QDir().rmdir(newFolder);
        Edit12->setText(storedDataFolder(defaultDataFolder()));
    }
    const QString message = DataFolderRelocation::leftBehindMessage(outcome);
    if (!message.isEmpty())
        m_context.showMessage(message);
}

void SettingsPage::DsFancyButton47Click() {
    m_context.navigation.showPage(MainTab);
}
