#pragma once

#include "app/AppOnly.h"

#include <QPointer>
#include <QStackedWidget>

#include <functional>
#include <type_traits>
#include <vector>

// The main window's pages, one shown at a time and no tabs: pages change only through their own buttons. A
// page may have a show handler that runs every time the page is switched to, even while the window is hidden,
// because pages are filled from the stores each time they are shown.
//
// Pages are built the first time they are needed, not at start: most runs open two or three of the twenty,
// and many open none (the program starts into the tray). Until then an empty stand-in holds the page's index.
//
//   addPage(index, [this] { return new Page(*this); }, &Page::XTabShow)
//                                           put a page's factory at its fixed index (PageIndex.h), in index order
//   showPage(index)                         build the page if need be, switch, focus the page's start control
//                                           when it has one, run the page's show handler; pageShown(index) follows
//   startControl(index)                     the control a page starts on (its default button or first field): a
//                                           page names it as its focus proxy when it is built, and the page control
//                                           takes it over, so that Tab goes round the page from there
//   widget(index), page<Page>(index)        the page, built on the spot if it was not yet: whoever asks for a
//                                           page gets it, shown or not
class PageControl final : public QStackedWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    template <class Make, class Page = std::remove_pointer_t<std::invoke_result_t<Make&>>>
    void addPage(int index, Make make, void (Page::*onShow)() = nullptr) {
        static_assert(std::is_base_of_v<QWidget, Page>, "a page factory returns a new page");
        std::function<void(QWidget*)> handler;
        if (onShow)
            handler = [onShow](QWidget* page) {
                (static_cast<Page*>(page)->*onShow)();
            };
        insertPage(
            index, [make = std::move(make)]() mutable -> QWidget* { return make(); }, std::move(handler));
    }

    // A page handed over already built would cost its construction at start-up for every run.
    template <class Page, class... Rest, std::enable_if_t<std::is_base_of_v<QWidget, Page>, int> = 0>
    void addPage(int /*index*/, Page* /*page*/, Rest... /*rest*/) {
        static_assert(!sizeof(Page), "pass a factory: addPage(index, lazy<Page>(), ...)");
    }

    void showPage(int index);

    // Hides QStackedWidget::widget() so that every caller through the page control gets the real page.
    QWidget* widget(int index);
    template <class Page> Page* page(int index) { return qobject_cast<Page*>(widget(index)); }
    bool isBuilt(int index) const;
    QWidget* startControl(int index);
    // For tools that look controls up by name across all pages (tests, screenshots).
    void buildAllPages();

signals:
    void pageShown(int index);

private:
    // The controls of a page that Tab stops at, in the page's focus chain.
    static QList<QWidget*> tabStopsOf(QWidget* page);
    void insertPage(int index, std::function<QWidget*()> make, std::function<void(QWidget*)> onShow);

    std::vector<std::function<QWidget*()>> m_factories; // empty once the page is built
    std::vector<std::function<void(QWidget*)>> m_showHandlers;
    std::vector<QPointer<QWidget>> m_starts;
};
