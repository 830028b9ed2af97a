#include "app/PageControl.h"

PageControl::PageControl(QWidget* parent)
    : QStackedWidget(parent) {
    setObjectName(QStringLiteral("PageControl1"));
}

// Indices are part of the contract between pages ("a list page is listPage + 3"), so a page that lands
// anywhere but its own index is a programming error, caught at start-up rather than as a wrong page later.
void PageControl::insertPage(int index, QWidget* page, std::function<void()> onShow) {
    if (index != count())
        qFatal("PageControl: page %d added at position %d", index, int(count()));
    addWidget(page);
    m_showHandlers.push_back(std::move(onShow));
}

void PageControl::showPage(int index) {
    if (index < 0 || index >= count())
        return;
    setCurrentIndex(index);
    // A page names the control to start on (its default button or first field) as its focus proxy.
    if (QWidget* page = widget(index); page->focusProxy())
        page->setFocus(Qt::OtherFocusReason);
    if (const auto& handler = m_showHandlers[std::size_t(index)])
        handler();
    emit pageShown(index);
}
