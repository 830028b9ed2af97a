#include "app/TForm1.h"

#include "app/TrayController.h"
#include "context/SettingsKeys.h"
#include "ui/settings/DataFolderRelocation.h"

#include "app/LegacyImport.h"
#include "app/MainMenuPage.h"
#include "app/SchedulerHost.h"
#include "app/SyncController.h"
#include "context/PageIndex.h"
#include "platform/FilesLock.h"
#include "scheduler/DayCount.h"
#include "scheduler/SchedulerClock.h"
#include "store/Exception.h"
#include "store/XMLIniFile.h"
#include "ui/LocaleDateTimeText.h"
#include "ui/PageContext.h"
#include "ui/notify/TMsgfrm.h"
#include "ui/settings/DataFolders.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>
#include <cerrno>

namespace {

constexpr int ClientWidth = 410;
constexpr int ClientHeight = 322;

QString titlePrefix() {
    return QStringLiteral("Morvi© Zentick®  ");
}

} // namespace

TForm1::TForm1(const AppContext& context, QWidget* parent)
    : QMainWindow(parent)
    , m_clock(*context.clock)
    , m_startHidden(context.startHidden)
    , m_trayAvailable(context.trayAvailable)
    , m_autostartFolder(context.autostartFolder)
    , m_stores(context.exeFolder)
    , m_lockDataFolder(context.lockDataFolder)
    , m_makeSyncRunner(context.makeSyncRunner) {
    buildPageContext();
    m_pageContext->credentials = context.credentials;
    buildWindow();
    buildPages();
    refreshTitle();
    showMainMenuPage();
    openSettingsStore();
    recoverCutSettings();
    m_settingsNamedDataFolder = settingsStore().HasKey(SettingsKey::Section, SettingsKey::DataFolder);
    const bool importLegacy = legacyImportWanted();
    if (importLegacy)
        importLegacySettings();
    if (!settingsStore().HasKey(SettingsKey::Section, SettingsKey::DataFolder) ||
        (importLegacy && LegacyImport::isWindowsPath(storedDataFolder())))
        setUpDefaultDataFolder();
    const QString dataFolder = resolveDataFolder();
    if (!lockDataFolder(dataFolder))
        throw DataFolderInUse{FilesLock(dataFolder).holderChannel()};
    finishInterruptedDataFolderMove();
    // The main menu needs no record. A hidden start has no frame to wait for, and the import writes the stores.
    if (context.storesAfterFirstFrame && !m_startHidden && !importLegacy)
        m_stores.openDataStoresLater(dataFolder);
    else
        openDataStores(dataFolder);
    if (importLegacy)
        importLegacyDataFiles();
    createWorkingLists();
    selectStartupChoices();
    applyTraySetting();
    m_schedulerHost = std::make_unique<SchedulerHost>(*this);
    m_pageContext->registry = &m_schedulerHost->registry();
    connect(&m_stores, &DataStores::storesReplaced, m_schedulerHost.get(), &SchedulerHost::storesReplaced);
    m_credentials = context.credentials;
    if (!m_stores.dataStoresPending())
        finishStart();
}

void TForm1::finishStart() {
    if (m_started)
        return;
    m_stores.openPendingDataStores();
    m_started = true;
    m_schedulerHost->start();
    connect(&m_schedulerHost->watchdog().Timer1, &QTimer::timeout, tray, &TrayController::refreshHint);
    // An icon the setting keeps hidden is not made at all: making it asks the session bus for a notification area.
    // Switching the tray on makes it then.
    if (tray->isIconShown())
        tray->TrayIcon();
    reportDamagedFiles();
    startSync(m_credentials);
}

void TForm1::startSync(CredentialStore* credentials) {
    SyncController::RunnerFactory makeRunner;
    if (m_makeSyncRunner)
        makeRunner = [this] {
            return m_makeSyncRunner(m_stores);
        };
    m_syncController =
        std::make_unique<SyncController>(m_stores, m_clock, credentials, makeRunner, SyncController::Timing{});
    m_syncController->setStoresWritten([this] { m_pageContext->storesWritten(); });
    m_syncController->setTell([this](const QString& text) { ShowMsg(text); });
    m_pageContext->sync = m_syncController.get();
    m_syncController->start();
}

// A store file that was not a whole document is read as far as it goes; before anything replaces it, the
// file as found is copied aside, and the user learns of both once the window is up: how much was read, and for
// the settings whether the data folder was among it, since the alarms live there.
void TForm1::reportDamagedFiles() {
    QStringList lines;
    for (TXMLIniFile* store : {&m_stores.settingsStore(), &m_stores.eventStore(), &m_stores.pastAlarmStore(),
                               &m_stores.addressBookStore(), &m_stores.diaryStore()}) {
        if (!store->isDamaged())
            continue;
        QString read;
        if (store != &m_stores.settingsStore()) {
            const qsizetype records = store->sectionsRead();
            read = tr("What could be read from it is loaded: %1.")
                       .arg(records == 1 ? tr("1 record") : tr("%n records", nullptr, int(records)));
        } else if (m_settingsNamedDataFolder) {
            read = tr("What could be read from it is loaded, the data folder \"%1\" with it.").arg(dataFolder());
        } else {
            read = tr("What could be read from it is loaded, but no data folder: \"%1\" is used.").arg(dataFolder());
        }
        try {
            const QString copy = store->keepDamagedCopy();
            lines << tr("The file \"%1\" was damaged. %2 The file as it was is kept as \"%3\".")
                         .arg(store->FileName(), read, copy);
        } catch (const Exception& e) {
            lines << tr("The file \"%1\" is damaged. %2 No copy of it could be made (%3); it is not "
                        "saved over until a copy can be made.")
                         .arg(store->FileName(), read, e.message());
        }
    }
    if (!lines.isEmpty())
        QTimer::singleShot(0, this, [this, text = lines.join(QStringLiteral("\n\n"))] { ShowMsg(text); });
}

TForm1::~TForm1() = default;

void TForm1::buildPageContext() {
    m_pageContext = std::make_unique<PageContext>(m_stores, m_clock, m_edit, m_navigation);
    PageContext& context = *m_pageContext;
    context.window = this;
    context.showMessage = [this](const QString& text) {
        ShowMsg(text);
    };
    // A short first interval: the scheduler looks at the stores again right away.
    context.rearmScheduler = [this] {
        m_schedulerHost->scheduler().setInterval(50);
    };
    context.storesWritten = [this] {
        m_schedulerHost->scheduler().setInterval(50);
        refreshShownView();
    };
    context.soundPlayerFactory = [this] {
        return m_schedulerHost->notificationWindows().services().makeSoundPlayer;
    };
    context.defaultSoundFile = &SchedulerHost::defaultSoundFile;
    context.autostartFolder = m_autostartFolder;
    context.lockDataFolder = [this](const QString& folder) {
        return lockDataFolder(folder);
    };
}

bool TForm1::lockDataFolder(const QString& folder) {
    if (!m_lockDataFolder || (m_dataFolderLock && m_dataFolderLock->path() == FilesLock(folder).path()))
        return true;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (!canonical.isEmpty() && canonical == QFileInfo(exeFolder()).canonicalFilePath()) {
        releaseDataFolderLock();
        return true;
    }
    auto lock = std::make_unique<FilesLock>(folder);
    switch (lock->take()) {
    case ExclusiveLock::Result::HeldByOther:
        return false;
    case ExclusiveLock::Result::NoFile:
        lock.reset(); // a folder nothing can be saved in: the user is told so
        break;
    case ExclusiveLock::Result::Taken:
        if (!m_instanceChannel.isEmpty())
            lock->setChannel(m_instanceChannel);
        break;
    }
    releaseDataFolderLock();
    m_dataFolderLock = std::move(lock);
    return true;
}

void TForm1::setInstanceChannel(const QString& serverPath) {
    m_instanceChannel = serverPath;
    if (m_dataFolderLock)
        m_dataFolderLock->setChannel(serverPath);
}

void TForm1::releaseDataFolderLock() {
    m_dataFolderLock.reset();
}

void TForm1::ShowMsg(const QString& text) {
    if (m_schedulerHost) {
        m_schedulerHost->messageWindow().ShowMsg(text);
        return;
    }
    TMsgfrm(this).ShowMsg(text); // during start-up, before the reused one exists
}

QString TForm1::titleText(const QDateTime& now) {
    return titlePrefix() + LocaleDateTimeText::format(now);
}

void TForm1::refreshTitle() {
    setWindowTitle(titleText(DayCount::toDateTime(m_clock.now())));
}

void TForm1::buildWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    if (const QScreen* desktop = screen())
        move(desktop->availableGeometry().center() - rect().center());
}

void TForm1::createWorkingLists() {}

void TForm1::selectStartupChoices() {
    mainMenu->myLabel3d1Click();
}

void TForm1::openSettingsStore() {
    m_stores.openSettingsStore();
    if (!QFileInfo::exists(settingsStore().FileName()))
        return;
    if (const int reason = DataFolders::unusableReason(exeFolder())) {
        const QString message = DataFolders::settingsFolderMessage(exeFolder(), reason);
        QTimer::singleShot(0, this, [this, message] { ShowMsg(message); });
    }
}

// The written form puts a section's name after its keys, so a "Settings.xml" cut off in its settings section
// loses that section with its name. Its whole keys are still there; they are the settings section's when they
// name the data folder, a key no other section holds. Put back, they keep the alarms where they are.
void TForm1::recoverCutSettings() {
    TXMLIniFile& settings = settingsStore();
    if (!settings.isDamaged() || settings.HasSection(SettingsKey::Section))
        return;
    const QList<std::pair<QByteArray, QByteArray>> keys = settings.keysOfCutSection();
    if (std::none_of(keys.cbegin(), keys.cend(), [](const auto& key) { return key.first == SettingsKey::DataFolder; }))
        return;
    TXMLIniFile::Batch batch(settings);
    for (const auto& [key, value] : keys) {
        // Of two keys of one name the first counts, as in any section read.
        if (!settings.ReadSection(SettingsKey::Section).contains(key))
            settings.WriteString(SettingsKey::Section, key, value);
    }
    batch.commit();
}

// Only the first start of this version over an installation of the earlier one imports; once
// "Settings.xml" exists, leftover ".alm" files are never looked at again.
bool TForm1::legacyImportWanted() const {
    return !QFileInfo::exists(exeFolder() + QStringLiteral("/Settings.xml")) &&
           QFileInfo::exists(exeFolder() + QStringLiteral("/Settings.alm"));
}

void TForm1::importLegacySettings() {
    LegacyImport::importFile(exeFolder() + QStringLiteral("/Settings.alm"), settingsStore(),
                             LegacyImport::Conversion::Merge);
}

// The earlier version kept its data files beside the executable; they move along into the new folder.
void TForm1::setUpDefaultDataFolder() {
    const QString folder = exeFolder() + QStringLiteral("/Alarms Directory");
    DataFolders::createFolder(folder);
    for (const char* name : {"Alarms.alm", "PAlarms.alm", "Calendar.alm", "AddressBook.alm"}) {
        const QString file = QLatin1Char('/') + QLatin1String(name);
        DataFolders::moveWithoutReplacing(exeFolder() + file, folder + file);
    }
    settingsStore().WriteString(SettingsKey::Section, SettingsKey::DataFolder, folder.toUtf8());
}

QString TForm1::storedDataFolder() const {
    const QByteArray fallback = (exeFolder() + QStringLiteral("/Alarms Directory")).toUtf8();
    return QString::fromUtf8(
        m_stores.settingsStore().ReadString(SettingsKey::Section, SettingsKey::DataFolder, fallback));
}

// A Windows folder or a relative one (which would land wherever the program happened to be started) names no
// folder here: the default one serves, and the setting stays as it was written.
// A folder that is there but cannot be used is never replaced by an empty one; a missing one is made again, and the
// user learns of either once the window is up.
QString TForm1::resolveDataFolder() {
    QString folder = storedDataFolder();
    const bool named = !LegacyImport::isWindowsPath(folder) && !QDir::isRelativePath(folder);
    if (!named)
        folder = exeFolder() + QStringLiteral("/Alarms Directory");
    const bool moving = settingsStore().HasKey(SettingsKey::Section, SettingsKey::DataFolderMovingFrom);
    int reason = DataFolders::unusableReason(folder);
    bool madeAnew = false;
    if (reason == ENOENT && moving && QDir().mkpath(folder)) // the files on their way there follow
        reason = 0;
    else if (reason == ENOENT) {
        reason = DataFolders::createFolder(folder);
        // The default folder in place of a path from another system is made as on a first start.
        madeAnew = reason == 0 && named;
        if (reason == 0 && !named)
            return folder;
    }
    if (reason != 0 || madeAnew) {
        const QString message = DataFolders::dataFolderMessage(folder, reason, madeAnew);
        QTimer::singleShot(0, this, [this, message] { ShowMsg(message); });
    }
    return folder;
}

void TForm1::finishInterruptedDataFolderMove() {
    const std::optional<DataFolderRelocation::Outcome> outcome =
        DataFolderRelocation::finishInterrupted(settingsStore());
    if (!outcome)
        return;
    const QString message = DataFolderRelocation::leftBehindMessage(*outcome);
    if (!message.isEmpty())
        QTimer::singleShot(0, this, [this, message] { ShowMsg(message); });
}

void TForm1::openDataStores(const QString& dataFolder) {
    m_stores.openDataStores(dataFolder);
}

void TForm1::closeDataStores() {
    m_stores.closeDataStores();
}

void TForm1::importLegacyDataFiles() {
    using LegacyImport::Conversion;
    const auto legacy = [this](const char* name) -> QString {
        return dataFolder() + QLatin1Char('/') + QLatin1String(name);
    };
    LegacyImport::importFile(legacy("Alarms.alm"), eventStore(), Conversion::Records);
    LegacyImport::importFile(legacy("PAlarms.alm"), pastAlarmStore(), Conversion::Records);
    LegacyImport::importFile(legacy("AddressBook.alm"), addressBookStore(), Conversion::Merge);
    LegacyImport::importFile(legacy("Calendar.alm"), diaryStore(), Conversion::Diary);
}

void TForm1::handleInstanceMessage(InstanceMessage message) {
    switch (message) {
    case InstanceMessage::Show:
        showFromInstanceMessage();
        break;
    case InstanceMessage::Terminate:
        // Queued, so the second start gets its answer before the process goes.
        QMetaObject::invokeMethod(this, &TForm1::endProgram, Qt::QueuedConnection);
        break;
    }
}

void TForm1::endProgram() {
    // The end below runs no destructor.
    releaseDataFolderLock();
    if (m_programEnd)
        m_programEnd();
    else
        QCoreApplication::exit(0);
}

void TForm1::showFromInstanceMessage() {
    const bool wasHidden = !isVisible();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    if (wasHidden)
        showMainMenuPage();
}

bool TForm1::trayAvailable() const {
    return m_trayAvailable ? m_trayAvailable() : QSystemTrayIcon::isSystemTrayAvailable();
}

void TForm1::showAtStart() {
    if (!m_startHidden)
        show();
    else if (!trayAvailable())
        showMinimized();
}

// The program runs on behind the tray: closing only hides the window (or minimises it, without a tray),
// and whatever was under way is dropped, so the next showing starts afresh on the main menu.
void TForm1::closeEvent(QCloseEvent* event) {
    event->ignore();
    hideMainWindow();
    showPage(MainTab);
    clearModeFlags();
}
