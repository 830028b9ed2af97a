#include "widgets/LabelToggle.h"

#include "widgets/Theme.h"

#include <QAbstractButton>
#include <QEvent>

LabelToggle::LabelToggle(QWidget* parent)
    : LabelToggle(QString(), nullptr, parent) {}

LabelToggle::LabelToggle(const QString& text, QAbstractButton* box, QWidget* parent)
    : ClickableLabel(text, parent) {
    setFocusPolicy(Qt::NoFocus);
    connect(this, &ClickableLabel::clicked, this, &LabelToggle::invertBox);
    // A quick second click is a second toggle, not a gesture of its own.
    connect(this, &ClickableLabel::doubleClicked, this, &LabelToggle::invertBox);
    setBox(box);
}

void LabelToggle::setBox(QAbstractButton* box) {
    if (m_box)
        m_box->removeEventFilter(this);
    m_box = box;
    m_watched = box;
    if (box)
        box->installEventFilter(this);
    setBuddy(box);
    // With a buddy QLabel holds the Alt key itself and presses the box with it.
    updateKey();
    if (box != nullptr && box->text().isEmpty() && box->accessibleName().isEmpty())
        box->setAccessibleName(shownText());
}

QColor LabelToggle::captionColour() const {
    return colour().isValid() ? colour() : Theme::unchosenColour();
}

bool LabelToggle::showsFocus() const {
    return m_box && m_box->hasFocus();
}

bool LabelToggle::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_watched && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        update();
    return ClickableLabel::eventFilter(watched, event);
}

void LabelToggle::invertBox() {
    if (!m_box || !m_box->isEnabled())
        return;
    m_box->setFocus(Qt::MouseFocusReason);
    m_box->click();
}
