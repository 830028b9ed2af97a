#include "widgets/ChoiceLabel.h"

#include "widgets/Theme.h"

#include <QAccessible>
#include <QLayout>

ChoiceLabel::ChoiceLabel(QWidget* parent)
    : ChoiceLabel(QString(), parent) {}

ChoiceLabel::ChoiceLabel(const QString& text, QWidget* parent)
    : ClickableLabel(text, parent) {}

void ChoiceLabel::setChosen(bool chosen) {
    if (m_chosen == chosen)
        return;
    const bool wasHighlighted = isHighlighted();
    m_chosen = chosen;
    update();
    // Lets a screen reader say that the caption is now chosen, or no longer.
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
    emit chosenChanged(chosen);
    updateHighlight(wasHighlighted);
}

void ChoiceLabel::setHoverLight(bool on) {
    if (m_hoverLight == on)
        return;
    const bool wasHighlighted = isHighlighted();
    m_hoverLight = on;
    update();
    updateHighlight(wasHighlighted);
}

namespace {
// The innermost layout below root that holds widget as one of its own items.
QLayout* layoutHolding(QLayout* root, const QWidget* widget) {
    if (!root)
        return nullptr;
    for (int i = 0; i < root->count(); ++i) {
        QLayoutItem* item = root->itemAt(i);
        if (item->widget() == widget)
            return root;
        if (QLayout* found = layoutHolding(item->layout(), widget))
            return found;
    }
    return nullptr;
}
} // namespace

bool ChoiceLabel::isInGroup() const {
    if (m_inGroup >= 0)
        return m_inGroup == 1;
    QLayout* layout = parentWidget() ? layoutHolding(parentWidget()->layout(), this) : nullptr;
    if (!layout)
        return false;
    for (int i = 0; i < layout->count(); ++i) {
        QWidget* other = layout->itemAt(i)->widget();
        if (other != this && qobject_cast<ChoiceLabel*>(other))
            return true;
    }
    return false;
}

bool ChoiceLabel::isHighlighted() const {
    return m_chosen || (m_hoverLight && isHovered());
}

QColor ChoiceLabel::captionColour() const {
    if (m_chosen)
        return Theme::chosenColour();
    if (m_hoverLight && isHovered())
        return Theme::hoverColour();
    return Theme::unchosenColour();
}

void ChoiceLabel::hoverChange(bool hovered) {
    // isHovered() already tells the new state; the old one is its opposite.
    const bool wasHighlighted = m_chosen || (m_hoverLight && !hovered);
    updateHighlight(wasHighlighted);
}

void ChoiceLabel::updateHighlight(bool wasHighlighted) {
    const bool now = isHighlighted();
    if (now != wasHighlighted)
        emit highlightChanged(now);
}
