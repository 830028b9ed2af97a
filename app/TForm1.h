#pragma once

#include "app/AppOnly.h"

#include "app/AppContext.h"
#include "app/PageControl.h"
#include "context/DataStores.h"
#include "context/EditSession.h"
#include "context/Navigation.h"
#include "platform/InstanceChannel.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class AboutPage;
class CredentialStore;
class AddressBookPage;
class AlarmEditorPage;
class CategoryPage;
class DiaryNotePage;
class DiaryPage;
class BirthdayEditorPage;
class CalendarViewPage;
class ConfirmationPage;
class PowerActionEditorPage;
struct PendingRecord;
class FilesLock;
class MainMenuPage;
struct PageContext;
class QDateTime;
class SchedulerClock;
class SchedulerHost;
class SyncRunner;
class SyncController;
class TrayController;
class TXMLIniFile;

// Thrown by the constructor when another instance, started from another program folder, already works on the
// same data folder; the start hands over to it (through the channel it wrote, when there is one) and ends.
struct DataFolderInUse {
    QString holderChannel;
};

// The main window: lives from start to end of the process and owns the five stores, the state the pages share
// and the page context they are built with. Its constructor prepares the file set, importing the earlier
// version's files once.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    // Throws Exception when start-up cannot go on (a store that cannot be read, a legacy diary section
    // that is no date); the caller shows it and ends the program.
    explicit TForm1(const AppContext& context, QWidget* parent = nullptr);
    ~TForm1() override;

    DataStores& stores() { return m_stores; }
    TXMLIniFile& settingsStore() { return m_stores.settingsStore(); }
    TXMLIniFile& eventStore() { return m_stores.eventStore(); }
    TXMLIniFile& pastAlarmStore() { return m_stores.pastAlarmStore(); }
    TXMLIniFile& addressBookStore() { return m_stores.addressBookStore(); }
    TXMLIniFile& diaryStore() { return m_stores.diaryStore(); }

    const QString& exeFolder() const { return m_stores.exeFolder(); }
    const QString& dataFolder() const { return m_stores.dataFolder(); }
    const SchedulerClock& clock() const { return m_clock; }
    bool startHidden() const { return m_startHidden; }
    const QString& autostartFolder() const { return m_autostartFolder; }
    // Without a notification area there is no icon to bring a hidden window back: the window is minimised
    // wherever it would otherwise be hidden.
    bool trayAvailable() const;
    // Shown, or with "-h" hidden (minimised where the desktop has no notification area).
    void showAtStart();
    // Reads the data stores and arms the scheduler, the clock watchdog and the sync, and reports damaged files: at
    // construction, or for a start that leaves the stores until its window is shown (AppContext), when called
    // after the first frame. Throws Exception when a store cannot be read. Once only.
    void finishStart();

    // Replaces the four data stores by ones on the files of dataFolder; the old ones save once more.
    void openDataStores(const QString& dataFolder);
    // Takes the files lock in folder, and lets go of the one held so far (nothing to take in the folder of
    // "Settings.xml", whose lock the program holds already, nor in a folder where no lock file can be made). False,
    // keeping the lock held so far, when another instance holds it.
    bool lockDataFolder(const QString& folder);
    // Where a start from another session reaches this instance; written into every files lock it holds.
    void setInstanceChannel(const QString& serverPath);
    void releaseDataFolderLock();
    // Lets go of the four data stores before their files move to another folder; nothing may read them until
    // openDataStores() has brought them back.
    void closeDataStores();

    // "Morvi© Zentick®  " and the date-time as the user reads it; the clock watchdog refreshes it every
    // second.
    static QString titleText(const QDateTime& now);
    void refreshTitle();

    // Tells the user something in the message window and returns once it is closed.
    void ShowMsg(const QString& text);
    // The scheduler, the notification windows and the clock watchdog; created with the window.
    SchedulerHost& schedulerHost() { return *m_schedulerHost; }
    // The calendar sync's schedule; made by finishStart(), started at once.
    SyncController& syncController() { return *m_syncController; }

    // A second start of the program asks to show this window or to end the program.
    void handleInstanceMessage(InstanceMessage message);
    // Ends the process. No window is asked: the main window refuses every close to hide in the tray, and
    // a nested message loop (a modal message) must not keep the program alive. Without a program end set
    // (tests), the event loop is told to exit.
    void endProgram();
    void setProgramEnd(std::function<void()> end) { m_programEnd = std::move(end); }
    // Back to the front, un-minimised; a window that was hidden comes back on the main menu page.
    void showFromInstanceMessage();

    // What the pages share: the edit in progress and where it leads, and the page wanted next.
    EditSession& edit() { return m_edit; }
    const EditSession& edit() const { return m_edit; }
    Navigation& navigation() { return m_navigation; }
    // What every page is built with.
    PageContext& pageContext() { return *m_pageContext; }
    void clearModeFlags() { m_edit.clearModeFlags(); }

    // The pages (PageIndex.h), the main menu, About and the tray icon; TForm1Pages.cpp. A page is built when it is
    // first shown: the main menu at start, About when it is first opened (null until then).
    PageControl* PageControl1 = nullptr;
    MainMenuPage* mainMenu = nullptr;
    AboutPage* about = nullptr;
    TrayController* tray = nullptr;
    // Switches to a page and runs its show handler, also while the window is hidden.
    void showPage(int index);
    int currentPage() const;
    // The window and its taskbar button come and go together. Hiding minimises instead where the desktop
    // has no notification area, so the user never loses the window.
    void showMainWindow();
    void hideMainWindow();
    // A list, the calendar view or the diary in view reads the stores again after they were written from
    // elsewhere; an editor in view keeps what the user typed.
    void refreshShownView();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPageContext();
    void buildWindow();
    void fitCaptions();
    void buildPages();
    void showMainMenuPage();
    void openSettingsStore();
    void recoverCutSettings();
    bool legacyImportWanted() const;
    void importLegacySettings();
    void setUpDefaultDataFolder();
    QString storedDataFolder() const;
    QString resolveDataFolder();
    // A data-folder move a kill cut short is finished before the stores open on the folder it was going to.
    void finishInterruptedDataFolderMove();
    void importLegacyDataFiles();
    void createWorkingLists();
    void selectStartupChoices();
    void applyTraySetting();
    void reportDamagedFiles();
    void startSync(CredentialStore* credentials);
    AboutPage* makeAboutPage();
    // The factory of a page made with the main window, for PageControl1->addPage.
    template <class Page> auto lazy() {
        return [this] {
            return new Page(*m_pageContext);
        };
    }
    // A page whose requests the main window carries out: wire() connects them when the page is built.
    template <class Page> auto wired() {
        return [this] {
            auto* page = new Page(*m_pageContext);
            wire(page);
            return page;
        };
    }
    void wire(AlarmEditorPage* page);
    void wire(PowerActionEditorPage* page);
    void wire(BirthdayEditorPage* page);
    void wire(ConfirmationPage* page);
    void wire(CalendarViewPage* page);
    void wire(CategoryPage* page);
    void wire(AddressBookPage* page);
    void wire(DiaryPage* page);
    void wire(DiaryNotePage* page);
    void confirm(const QString& text, const PendingRecord& pending);

    // "Settings.xml" named a data folder when it was read: a damaged one is reported with what became of it.
    bool m_settingsNamedDataFolder = false;
    const SchedulerClock& m_clock;
    bool m_startHidden = false;
    std::function<bool()> m_trayAvailable;
    QString m_autostartFolder;
    DataStores m_stores;
    EditSession m_edit;
    Navigation m_navigation;
    std::unique_ptr<PageContext> m_pageContext;
    std::function<void()> m_programEnd;
    bool m_lockDataFolder = false;
    std::unique_ptr<FilesLock> m_dataFolderLock;
    QString m_instanceChannel;
    std::function<std::unique_ptr<SyncRunner>(DataStores&)> m_makeSyncRunner;
    CredentialStore* m_credentials = nullptr;
    bool m_started = false;
    // Last, so they go before the stores they read.
    std::unique_ptr<SchedulerHost> m_schedulerHost;
    std::unique_ptr<SyncController> m_syncController;
};
