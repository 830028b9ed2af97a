#include "app/PageControl.h"

#include <memory>

PageControl::PageControl(QWidget* parent)
    : QStackedWidget(parent) {
    setObjectName(QStringLiteral("PageControl1"));
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
        std::unique_ptr<QWidget> standIn(QStackedWidget::widget(index));
        const bool standInShown = currentIndex() == index;
        // The page goes in before the stand-in comes out, so the current page never changes on the way.
        insertWidget(index, page);
        if (standInShown)
            setCurrentIndex(index);
        removeWidget(standIn.get());
    }
    return QStackedWidget::widget(index);
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
    if (page->focusProxy())
        page->setFocus(Qt::OtherFocusReason);
    if (const auto& handler = m_showHandlers[std::size_t(index)])
        handler(page);
    emit pageShown(index);
}
