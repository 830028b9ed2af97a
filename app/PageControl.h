#pragma once

#include <QStackedWidget>

#include <functional>
#include <vector>

// The main window's pages, one shown at a time and no tabs: pages change only through their own buttons. A
// page may have a show handler that runs every time the page is switched to, even while the window is hidden,
// because pages are filled from the stores each time they are shown.
//
//   addPage(index, page, &Page::XTabShow)   put a page at its fixed index (PageIndex.h), in index order
//   showPage(index)                         switch, focus the page's focus proxy (its default control) when it
//                                           has one, run the page's show handler; pageShown(index) follows
class PageControl final : public QStackedWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    template <class Page> Page* addPage(int index, Page* page, void (Page::*onShow)() = nullptr) {
        std::function<void()> handler;
        if (onShow)
            handler = [page, onShow] {
                (page->*onShow)();
            };
        insertPage(index, page, std::move(handler));
        return page;
    }

    void showPage(int index);

signals:
    void pageShown(int index);

private:
    void insertPage(int index, QWidget* page, std::function<void()> onShow);

    std::vector<std::function<void()>> m_showHandlers;
};
