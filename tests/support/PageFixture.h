#pragma once

#include "context/DataStores.h"
#include "context/EditSession.h"
#include "context/Navigation.h"
#include "scheduler/TestClock.h"
#include "ui/PageContext.h"
#include "ui/notify/TMsgfrm.h"

#include <QDir>
#include <QList>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>

// One page on its own, built as the main window builds it but without the window: a PageContext with the five
// stores in a temporary folder, a clock the test moves, the message window answering at once (its texts in
// TMsgfrm::autoAnswered()), and a Navigation that records the pages asked for instead of switching. Asking for the
// page itself runs its show handler (if it has one), as the page control does. Fill in what else the page reads from
// `context` (the sound factory, the sound file) before calling show().
//
// For a test of one page; a test of the way between pages keeps the whole main window.
template <class Page> class PageFixture {
public:
    using ShowHandler = void (Page::*)();

    PageFixture(int index, ShowHandler onShow, const QDateTime& start)
        : clock(start)
        , m_stores(m_folder.path())
        , context(m_stores, clock, edit, navigation)
        , m_index(index)
        , m_onShow(onShow) {
        TMsgfrm::setAutoAnswer(true);
        TMsgfrm::autoAnswered().clear();
        m_stores.openSettingsStore();
        const QString data = m_folder.filePath(QStringLiteral("Alarms Directory"));
        QDir().mkpath(data);
        m_stores.openDataStores(data);
        // The page fills the main window's client area, as in the page control.
        window.setFixedSize(410, 322);
        auto* area = new QVBoxLayout(&window);
        area->setContentsMargins(0, 0, 0, 0);
        context.window = &window;
        context.showMessage = [this](const QString& text) {
            TMsgfrm(&window).ShowMsg(text);
        };
        context.rearmScheduler = [this] {
            ++rearms;
        };
        context.soundPlayerFactory = [] {
            return SoundPlayerFactory();
        };
        context.defaultSoundFile = [] {
            return QString();
        };
        context.autostartFolder = m_folder.filePath(QStringLiteral("autostart"));
        QObject::connect(&navigation, &Navigation::pageRequested, &window, [this](int page) {
            requested << page;
            m_current = page;
            if (page == m_index && this->page && m_onShow)
                (this->page->*m_onShow)();
        });
        navigation.setPageControl([this] { return m_current; },
                                  [this](int page) -> QObject* { return page == m_index ? this->page : nullptr; });
        m_page = std::make_unique<Page>(context, &window);
        this->page = m_page.get();
        area->addWidget(this->page);
    }
    ~PageFixture() {
        m_page.reset();
        TMsgfrm::setAutoAnswer(false);
    }
    PageFixture(const PageFixture&) = delete;
    PageFixture& operator=(const PageFixture&) = delete;

    // The page shown, its show handler run.
    void show() {
        window.show();
        navigation.showPage(m_index);
    }
    int currentPage() const { return m_current; }
    DataStores& stores() { return m_stores; }
    QString dataFile(const QString& name) const { return m_stores.dataFolder() + QLatin1Char('/') + name; }

    TestClock clock;
    EditSession edit;
    Navigation navigation;
    QWidget window; // stands in for the main window: the page's parent
    QList<int> requested;
    int rearms = 0;

private:
    QTemporaryDir m_folder;
    DataStores m_stores;

public:
    PageContext context;
    Page* page = nullptr;

private:
    int m_index;
    ShowHandler m_onShow;
    int m_current = -1;
    std::unique_ptr<Page> m_page;
};
