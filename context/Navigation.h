#pragma once

#include <QObject>

#include <functional>

// How a page asks for another page: it names the page wanted (PageIndex.h) and the main window, which owns the
// pages, switches to it and runs its show handler before showPage() returns. The pages never see the page control.
class Navigation final : public QObject {
    Q_OBJECT
public:
    explicit Navigation(QObject* parent = nullptr)
        : QObject(parent) {}

    void showPage(int index) { emit pageRequested(index); }
    int currentPage() const { return m_currentPage ? m_currentPage() : -1; }
    // The page at index, built on the spot when it was not yet.
    QObject* page(int index) const { return m_page ? m_page(index) : nullptr; }
    template <class Page> Page* page(int index) const { return qobject_cast<Page*>(page(index)); }

    // The main window answers for the page control.
    void setPageControl(std::function<int()> currentPage, std::function<QObject*(int)> page) {
        m_currentPage = std::move(currentPage);
        m_page = std::move(page);
    }

signals:
    void pageRequested(int index);

private:
    std::function<int()> m_currentPage;
    std::function<QObject*(int)> m_page;
};
