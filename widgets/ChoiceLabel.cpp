#include "widgets/ChoiceLabel.h"

#include "widgets/ChoiceGroup.h"
#include "widgets/Theme.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLayout>

#include <algorithm>

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

void ChoiceLabel::setGroup(const ChoiceGroup* group) {
    m_group = group;
    if (group)
        m_inGroup = 1;
}

QList<ChoiceLabel*> ChoiceLabel::groupCaptions() const {
    QList<ChoiceLabel*> captions;
    if (m_group) {
        for (const int id : m_group->ids())
            captions << m_group->label(id);
    } else if (isInGroup() && parentWidget()) {
        // The captions beside it in its layout; failing those, the grouped captions of its parent that belong to
        // no ChoiceGroup. Both in reading order.
        const QLayout* layout = layoutHolding(parentWidget()->layout(), this);
        for (int i = 0; layout && i < layout->count(); ++i) {
            if (auto* other = qobject_cast<ChoiceLabel*>(layout->itemAt(i)->widget()); other && !other->m_group)
                captions << other;
        }
        if (captions.size() < 2) {
            captions.clear();
            const auto siblings = parentWidget()->findChildren<ChoiceLabel*>(Qt::FindDirectChildrenOnly);
            for (ChoiceLabel* other : siblings) {
                if (!other->m_group && other->isInGroup())
                    captions << other;
            }
        }
        std::stable_sort(captions.begin(), captions.end(), [](const ChoiceLabel* a, const ChoiceLabel* b) {
            return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
        });
    }
    captions.removeIf([this](const ChoiceLabel* caption) {
        return !caption || (caption != this && (!caption->isEnabled() || !caption->isVisible()));
    });
    if (!captions.contains(this))
        captions = {const_cast<ChoiceLabel*>(this)};
    return captions;
}

void ChoiceLabel::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    if ((event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            step = -1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            step = 1;
            break;
        default:
            break;
        }
    }
    const QList<ChoiceLabel*> captions = step != 0 ? groupCaptions() : QList<ChoiceLabel*>();
    if (captions.size() < 2) {
        ClickableLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    const qsizetype here = captions.indexOf(this);
    ChoiceLabel* next = captions.at((here + step + captions.size()) % captions.size());
    next->setFocus(Qt::OtherFocusReason);
    next->click();
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
