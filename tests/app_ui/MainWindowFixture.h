#pragma once

#include "app/FixedClock.h"

#include "app/PageControl.h"
#include "app/TForm1.h"
#include "store/XMLIniFile.h"

#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A main window on a temporary folder, with settings written before it starts. Shown and active, so that the
// window's keyboard shortcuts act. The desktop has a notification area unless tray says otherwise.
struct MainWindowFixture {
    explicit MainWindowFixture(const QList<QPair<QByteArray, QByteArray>>& settings = {}, bool show = true,
                               bool tray = true) {
        // Without a notification area (offscreen) Qt's tray icon complains about a signal only the X11 plugin has.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.core.qobject.connect.warning=false"));
        if (!settings.isEmpty()) {
            TXMLIniFile store(folder.filePath(QStringLiteral("Settings.xml")));
            for (const auto& [key, value] : settings)
                store.WriteString("settings", key, value);
        }
        form = std::make_unique<TForm1>(AppContext{folder.path(), &clock, !show, [tray] {
                                                       return tray;
                                                   }});
        if (show) {
            form->show();
            form->activateWindow();
        }
    }

    bool waitUntilActive() { return QTest::qWaitForWindowActive(form.get()); }
    int page() const { return form->PageControl1->currentIndex(); }
    // Pages are built when first needed; a control on a page not shown yet is there once every page is built.
    template <class T> T* find(const char* name) const {
        if (T* control = form->findChild<T*>(QLatin1String(name)))
            return control;
        form->PageControl1->buildAllPages();
        return form->findChild<T*>(QLatin1String(name));
    }

    QTemporaryDir folder;
    const FixedClock clock{QDateTime(QDate(2024, 3, 5), QTime(10, 0))};
    std::unique_ptr<TForm1> form;
};
