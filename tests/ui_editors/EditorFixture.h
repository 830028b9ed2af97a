#pragma once

#include "app/AppContext.h"
#include "app/MainMenuPage.h"
#include "app/PageControl.h"
#include "app/SchedulerHost.h"
#include "app/TForm1.h"
#include "scheduler/Scheduler.h"
#include "scheduler/TestClock.h"
#include "ui/notify/TMsgfrm.h"
#include "widgets/ChoiceLabel.h"
#include "widgets/FancyButton.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// The real main window on a temporary folder, with a clock the test moves. Messages are answered at
// once and collected, so a refusal never waits for a person.
class EditorFixture {
public:
    // adjust: what the test hands the main window beyond the folders and the clock.
    explicit EditorFixture(const QDateTime& start, const std::function<void(AppContext&)>& adjust = {})
        : m_clock(start) {
        // Without a notification area (offscreen) Qt's tray icon complains about a signal only X11 has.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
        TMsgfrm::setAutoAnswer(true);
        TMsgfrm::autoAnswered().clear();
        AppContext context{m_dir.path(), &m_clock};
        // Not there yet: the first switch on makes it, as on a fresh account.
        context.autostartFolder = m_dir.filePath(QStringLiteral("config/autostart"));
        if (adjust)
            adjust(context);
        m_form = std::make_unique<TForm1>(context);
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        if (!QTest::qWaitForWindowActive(m_form.get()))
            qWarning("The main window did not become active; focus tests may fail.");
        // Leave the main menu as "Next>>" does: until then its arrow keys and Enter act window-wide.
        m_form->mainMenu->DsFancyButton1Click();
    }
    ~EditorFixture() { TMsgfrm::setAutoAnswer(false); }
    EditorFixture(const EditorFixture&) = delete;
    EditorFixture& operator=(const EditorFixture&) = delete;

    TForm1& form() { return *m_form; }
    TestClock& clock() { return m_clock; }
    QStringList messages() const { return TMsgfrm::autoAnswered(); }

    void show(int index) { m_form->showPage(index); }
    int current() const { return m_form->currentPage(); }
    // The page at index, built when it was not yet.
    template <class Page> Page* page(int index) { return m_form->PageControl1->page<Page>(index); }

    Scheduler& scheduler() { return m_form->schedulerHost().scheduler(); }
    int schedulerInterval() { return scheduler().interval(); }
    void setSchedulerInterval(int interval) { scheduler().setInterval(interval); }

    QString dataFile(const QString& name) const { return m_form->dataFolder() + QLatin1Char('/') + name; }

    // As the user does it: choose the entry on the main menu, then "Next>>".
    void openMainMenuEntry(int entry) {
        show(0);
        MainMenuPage* menu = m_form->mainMenu;
        QTest::mouseClick(menu->caption(entry), Qt::LeftButton);
        QTest::mouseClick(menu->DsFancyButton1, Qt::LeftButton);
    }

private:
    QTemporaryDir m_dir;
    TestClock m_clock;
    std::unique_ptr<TForm1> m_form;
};
