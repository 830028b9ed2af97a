// TForm1: its pages, the navigation between them and the tray icon.

#include "app/AboutPage.h"
#include "app/MainMenuPage.h"
#include "app/PageControl.h"
#include "app/TForm1.h"
#include "app/TrayController.h"
#include "context/PageIndex.h"
#include "ui/PageContext.h"
#include "ui/editors/AlarmEditorPage.h"
#include "ui/editors/BirthdayEditorPage.h"
#include "ui/editors/CategoryPage.h"
#include "ui/editors/ConfirmationPage.h"
#include "ui/editors/DayMonthFilterPage.h"
#include "ui/editors/PowerActionEditorPage.h"
#include "ui/personal/AddressBookPage.h"
#include "ui/personal/AddressEntryPage.h"
#include "ui/personal/DiaryNotePage.h"
#include "ui/personal/DiaryPage.h"
#include "ui/settings/CalendarsPage.h"
#include "ui/settings/SettingsPage.h"
#include "ui/tools/TForm8.h"
#include "ui/tools/TimerPage.h"
#include "ui/views/AlarmListPage.h"
#include "ui/views/BirthdayListPage.h"
#include "ui/views/CalendarViewPage.h"
#include "ui/views/DayListPage.h"
#include "ui/views/PastAlarmListPage.h"
#include "ui/views/PowerActionListPage.h"
#include "widgets/ShadowLabel.h"
#include "widgets/TextFit.h"

#include <QLabel>
#include <QLayout>
#include <QTreeWidget>

// One line per page, in index order; each page is built the first time it is shown or asked for (lazy<Page>() makes
// it with the page context): `PageControl1->addPage(AlarmTab, lazy<AlarmPage>(), &AlarmPage::AlarmTabShow);`.
void TForm1::buildPages() {
    PageControl1 = new PageControl(this);
    setCentralWidget(PageControl1);
    // The pages ask for a page; the page control is the main window's alone.
    m_navigation.setPageControl([this] { return PageControl1->currentIndex(); },
                                [this](int index) -> QObject* { return PageControl1->widget(index); });
    connect(&m_navigation, &Navigation::pageRequested, this, &TForm1::showPage);
    connect(PageControl1, &PageControl::pageShown, this, &TForm1::fitCaptions);
    PageControl1->addPage(
        MainTab, [this] { return new MainMenuPage(*this); }, &MainMenuPage::MainTabShow);
    PageControl1->addPage(AlarmTab, wired<AlarmEditorPage>(), &AlarmEditorPage::AlarmTabShow);
    PageControl1->addPage(ShutTab, wired<PowerActionEditorPage>(), &PowerActionEditorPage::ShutTabShow);
    PageControl1->addPage(BirthTab, wired<BirthdayEditorPage>(), &BirthdayEditorPage::BirthTabShow);
    PageControl1->addPage(ViewTabAl, lazy<AlarmListPage>(), &AlarmListPage::ViewTabAlShow);
    PageControl1->addPage(ViewTabShut, lazy<PowerActionListPage>(), &PowerActionListPage::ViewTabShutShow);
    PageControl1->addPage(ViewTabBirthDay, lazy<BirthdayListPage>(), &BirthdayListPage::ViewTabBirthDayShow);
    PageControl1->addPage(ViewTabPast, lazy<PastAlarmListPage>(), &PastAlarmListPage::ViewTabPastShow);
    PageControl1->addPage(ConfirmTab, wired<ConfirmationPage>());
    PageControl1->addPage(AboutTab, [this] { return about = makeAboutPage(); });
    PageControl1->addPage(MoreTab, lazy<DayMonthFilterPage>());
    PageControl1->addPage(CategoryTab, wired<CategoryPage>(), &CategoryPage::CategoryTabShow);
    PageControl1->addPage(AddressTab, wired<AddressBookPage>(), &AddressBookPage::AddressTabShow);
    PageControl1->addPage(AddAddressTab, lazy<AddressEntryPage>(), &AddressEntryPage::AddAddressTabShow);
    PageControl1->addPage(CalendarTab, wired<DiaryPage>(), &DiaryPage::CalendarTabShow);
    PageControl1->addPage(EditCalendarTab, wired<DiaryNotePage>(), &DiaryNotePage::EditCalendarTabShow);
    PageControl1->addPage(SetTab, lazy<SettingsPage>(), &SettingsPage::SetTabShow);
    PageControl1->addPage(TimerTab, lazy<TimerPage>(), &TimerPage::TimerTabShow);
    PageControl1->addPage(EditTab, wired<CalendarViewPage>(), &CalendarViewPage::EditTabShow);
    PageControl1->addPage(EditViewTab, lazy<DayListPage>());
    PageControl1->addPage(CalendarsTab, lazy<CalendarsPage>(), &CalendarsPage::CalendarsTabShow);

    // Shown at start, or at least chosen from (a start into the tray selects "New Alarm").
    mainMenu = PageControl1->page<MainMenuPage>(MainTab);
    // The update window is made on the first check: most runs never ask.
    connect(mainMenu, &MainMenuPage::updateCheckRequested, this, [this] {
        auto* window = findChild<TForm8*>(QString(), Qt::FindDirectChildrenOnly);
        if (window == nullptr)
            window = new TForm8([this] { return UpdateCheck::Config::fromSettings(settingsStore()); }, this);
        window->Image11Click();
    });
    tray = new TrayController(*this, this);
    m_pageContext->tray = tray;
}

// What the pages ask of each other; a page asked for is built on the spot when it was not yet.
void TForm1::wire(AlarmEditorPage* page) {
    page->setFilterPage(PageControl1->page<DayMonthFilterPage>(MoreTab));
    connect(page, &AlarmEditorPage::confirmRequested, this, &TForm1::confirm);
}

void TForm1::wire(PowerActionEditorPage* page) {
    page->setFilterPage(PageControl1->page<DayMonthFilterPage>(MoreTab));
    connect(page, &PowerActionEditorPage::confirmRequested, this, &TForm1::confirm);
}

void TForm1::wire(BirthdayEditorPage* page) {
    connect(page, &BirthdayEditorPage::confirmRequested, this, &TForm1::confirm);
}

void TForm1::wire(ConfirmationPage* page) {
    connect(page, &ConfirmationPage::calendarMonthRequested, this,
            [this](QDate day) { PageControl1->page<CalendarViewPage>(EditTab)->showMonthOf(day); });
}

void TForm1::wire(CalendarViewPage* page) {
    connect(page, &CalendarViewPage::dayRequested, this, [this](QDate date, const QByteArrayList& sections) {
        DayListPage* dayList = PageControl1->page<DayListPage>(EditViewTab);
        dayList->ListView6->clear();
        if (!sections.isEmpty())
            dayList->showDay(date, sections);
    });
}

void TForm1::wire(CategoryPage* page) {
    connect(page, &CategoryPage::categoriesChanged, this,
            [this] { PageControl1->page<AlarmEditorPage>(AlarmTab)->loadCategories(); });
}

void TForm1::wire(AddressBookPage* page) {
    connect(page, &AddressBookPage::editRequested, this, [this](const QByteArray& section) {
        PageControl1->page<AddressEntryPage>(AddAddressTab)->editEntry(section);
    });
    // An entry page not built yet has no entry chosen.
    connect(page, &AddressBookPage::entriesReloaded, this, [this] {
        if (PageControl1->isBuilt(AddAddressTab))
            PageControl1->page<AddressEntryPage>(AddAddressTab)->forgetEntry();
    });
}

void TForm1::wire(DiaryPage* page) {
    connect(page, &DiaryPage::dayRequested, this,
            [this](QDate date) { PageControl1->page<DiaryNotePage>(EditCalendarTab)->setPickerDate(date); });
}

// The note page belongs to the diary's selected date; the diary stays the one place that keeps it.
void TForm1::wire(DiaryNotePage* page) {
    page->setDiaryDay([this] { return PageControl1->page<DiaryPage>(CalendarTab)->calendarDate(); });
    connect(page, &DiaryNotePage::dayChosen, this,
            [this](QDate date) { PageControl1->page<DiaryPage>(CalendarTab)->setCalendarDate(date); });
}

void TForm1::confirm(const QString& text, const PendingRecord& pending) {
    PageControl1->page<ConfirmationPage>(ConfirmTab)->confirm(text, pending);
    showPage(ConfirmTab);
}

void TForm1::showPage(int index) {
    PageControl1->showPage(index);
}

void TForm1::refreshShownView() {
    switch (currentPage()) {
    case ViewTabAl:
    case ViewTabShut:
    case ViewTabBirthDay:
    case ViewTabPast:
    case CalendarTab:
    case EditTab:
        showPage(currentPage());
        break;
    default:
        break;
    }
}

void TForm1::fitCaptions() {
    // Every caption fits the window's size in English; another language's longer captions widen the window
    // (once, for good) instead of being cut off. A few rounds, as a row that widens may leave another short.
    for (int round = 0; round < 8; ++round) {
        if (QLayout* layout = PageControl1->currentWidget() ? PageControl1->currentWidget()->layout() : nullptr)
            layout->activate();
        const QSize missing = TextFit::largestShortfall(PageControl1->currentWidget());
        if (missing.width() <= 0 && missing.height() <= 0)
            return;
        setFixedSize(size() + missing);
        if (QLayout* layout = this->layout())
            layout->activate();
    }
}

int TForm1::currentPage() const {
    return PageControl1->currentIndex();
}

void TForm1::showMainMenuPage() {
    showPage(MainTab);
}

void TForm1::showMainWindow() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TForm1::hideMainWindow() {
    if (trayAvailable())
        hide();
    else
        showMinimized();
}

void TForm1::applyTraySetting() {
    tray->applyStartupSetting();
}

AboutPage* TForm1::makeAboutPage() {
    auto* page = new AboutPage;
    page->myaSuperLabel20->setText(AboutPage::productName());
    page->myaSuperLabel23->setText(AboutPage::companyName());
    connect(page, &AboutPage::backClicked, this, [this] { showPage(MainTab); });
    return page;
}
