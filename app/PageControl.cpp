#include "app/PageControl.h"

#include <QAccessibleWidget>

#include <memory>

namespace {

// Qt's accessibility reports a hidden page's list cells as showing (a cell asks only whether it lies inside its
// list's rectangle, not whether the list is shown), so a screen reader walking the window would find the lists
// of every page seen before. The page control offers a screen reader the shown page alone, as a sighted user
// sees it.
class AccessiblePageControl final : public QAccessibleWidget {
public:
    explicit AccessiblePageControl(PageControl* pages)
        : QAccessibleWidget(pages, QAccessible::LayeredPane) {}

    int childCount() const override { return shownPage() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && shownPage() ? QAccessible::queryAccessibleInterface(shownPage()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && shownPage() && child->object() == shownPage() ? 0 : -1;
    }

private:
    QWidget* shownPage() const { return static_cast<PageControl*>(widget())->currentWidget(); }
};

QAccessibleInterface* pageControlFactory(const QString& /*className*/, QObject* object) {
    if (auto* pages = qobject_cast<PageControl*>(object))
        return new AccessiblePageControl(pages); // owned by Qt's accessibility cache
    return nullptr;
}

} // namespace

PageControl::PageControl(QWidget* parent)
    : QStackedWidget(parent) {
    setObjectName(QStringLiteral("PageControl1"));
    static const bool accessible = [] {
        QAccessible::installFactory(&pageControlFactory);
        return true;
    }();
    Q_UNUSED(accessible);
    // A screen reader learns of the new page and reads it afresh.
    connect(this, &QStackedWidget::currentChanged, this, [this] {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    });
}

// Indices are part of the contract between pages ("a list page is listPage + 3"), so a page that lands
// anywhere but its own index is a programming error, caught at start-up rather than as a wrong page later.
void PageControl::insertPage(int index, std::function<QWidget*()> make, std::function<void(QWidget*)> onShow) {
    if (index != count())
        qFatal("PageControl: page %d added at position %d", index, int(count()));
    auto* standIn = new QWidget(this);
    standIn->setObjectName(QStringLiteral("PageNotBuilt"));
    addWidget(standIn);
    m_factories.push_back(std::move(make));
    m_showHandlers.push_back(std::move(onShow));
    m_starts.emplace_back();
}

bool PageControl::isBuilt(int index) const {
    return index >= 0 && index < count() && !m_factories[std::size_t(index)];
}

QWidget* PageControl::widget(int index) {
    if (index < 0 || index >= count())
        return nullptr;
    if (auto& factory = m_factories[std::size_t(index)]) {
        // Cleared before the call: a page that asks for itself while it is being built gets the stand-in.
        const auto make = std::move(factory);
        factory = nullptr;
        QWidget* page = make();
        // A page that is its own focus proxy would be a Tab stop of its own, one that always leads to the proxy: Tab
        // would leap back to the start control instead of going round the page. The page only names where to start.
        m_starts[std::size_t(index)] = page->focusProxy();
        page->setFocusProxy(nullptr);
        std::unique_ptr<QWidget> standIn(QStackedWidget::widget(index));
        const bool standInShown = currentIndex() == index;
        // The page goes in before the stand-in comes out, so the current page never changes on the way. Going
        // into this window rebuilds its focus chain in the order its controls were made, so the tab order the
        // page set is read before and put back after.
        const QList<QWidget*> tabOrder = tabStopsOf(page);
        insertWidget(index, page);
        for (qsizetype i = 1; i < tabOrder.size(); ++i)
            setTabOrder(tabOrder[i - 1], tabOrder[i]);
        if (standInShown)
            setCurrentIndex(index);
        removeWidget(standIn.get());
    }
    return QStackedWidget::widget(index);
}

QList<QWidget*> PageControl::tabStopsOf(QWidget* page) {
    QList<QWidget*> stops;
    for (QWidget* widget = page->nextInFocusChain(); widget && widget != page; widget = widget->nextInFocusChain()) {
        if (!page->isAncestorOf(widget) || (widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
            continue;
        // The parts inside a control (a calendar's grid) go along with it.
        bool inner = false;
        for (QWidget* up = widget->parentWidget(); up && up != page && !inner; up = up->parentWidget())
            inner = stops.contains(up);
        if (!inner)
            stops << widget;
    }
    return stops;
}

QWidget* PageControl::startControl(int index) {
    if (!widget(index))
        return nullptr;
    return m_starts[std::size_t(index)].data();
}

void PageControl::buildAllPages() {
    for (int index = 0; index < count(); ++index)
        widget(index);
}

void PageControl::showPage(int index) {
    QWidget* page = widget(index);
    if (!page)
        return;
    setCurrentIndex(index);
    // A page names the control to start on (its default button or first field) as its focus proxy.
    if (QWidget* start = startControl(index))
        start->setFocus(Qt::OtherFocusReason);
    if (const auto& handler = m_showHandlers[std::size_t(index)])
        handler(page);
    emit pageShown(index);
}
