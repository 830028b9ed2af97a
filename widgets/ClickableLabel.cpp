#include "widgets/ClickableLabel.h"

#include "widgets/AccessibleLabels.h"
#include "widgets/KeyMarker.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>

namespace {
// Room for the focus ring around the caption, in device-independent pixels.
constexpr int ringMargin = 3;
} // namespace

ClickableLabel::ClickableLabel(QWidget* parent)
    : ClickableLabel(QString(), parent) {}

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setContentsMargins(ringMargin + 1, ringMargin - 1, ringMargin + 1, ringMargin - 1);
    setAttribute(Qt::WA_Hover);
    AccessibleLabels::install();
    updateKey();
}

void ClickableLabel::setText(const QString& text) {
    QLabel::setText(text);
    updateKey();
}

QString ClickableLabel::shownText() const {
    return m_marksKey ? KeyMarker::shown(text()) : text();
}

void ClickableLabel::setMarksKey(bool marks) {
    if (m_marksKey == marks)
        return;
    m_marksKey = marks;
    updateKey();
    updateGeometry();
    update();
}

void ClickableLabel::updateKey() {
    const QKeySequence key = m_marksKey && !buddy() ? QKeySequence::mnemonic(text()) : QKeySequence();
    if (key == m_key)
        return;
    if (m_shortcutId != 0)
        releaseShortcut(m_shortcutId);
    m_shortcutId = key.isEmpty() ? 0 : grabShortcut(key);
    m_key = key;
}

bool ClickableLabel::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (m_shortcutId != 0 && shortcut->shortcutId() == m_shortcutId) {
            // Two controls with one key: the key only moves the focus between them, as on Qt's buttons.
            if (focusPolicy() & Qt::TabFocus)
                setFocus(Qt::ShortcutFocusReason);
            if (!shortcut->isAmbiguous())
                click();
            return true;
        }
    }
    return QLabel::event(event);
}

void ClickableLabel::showEvent(QShowEvent* event) {
    updateKey();
    QLabel::showEvent(event);
}

bool ClickableLabel::isClickable() const {
    return isSignalConnected(QMetaMethod::fromSignal(&ClickableLabel::clicked)) ||
           isSignalConnected(QMetaMethod::fromSignal(&ClickableLabel::doubleClicked));
}

void ClickableLabel::click() {
    if (isEnabled())
        emit clicked();
}

void ClickableLabel::setColour(const QColor& colour) {
    if (m_colour == colour)
        return;
    m_colour = colour;
    update();
}

QColor ClickableLabel::captionColour() const {
    return m_colour.isValid() ? m_colour : palette().color(QPalette::Active, QPalette::WindowText);
}

QSize ClickableLabel::sizeHint() const {
    // QLabel's own hint leaves out nothing we draw, but a label without text still needs a line's height.
    const QSize hint = QLabel::sizeHint() - QSize(markerWidth(), 0);
    const QMargins m = contentsMargins();
    return hint.expandedTo(QSize(m.left() + m.right(), fontMetrics().height() + m.top() + m.bottom()));
}

QSize ClickableLabel::minimumSizeHint() const {
    return (QLabel::minimumSizeHint() - QSize(markerWidth(), 0))
        .expandedTo(QSize(0, fontMetrics().height() + contentsMargins().top() + contentsMargins().bottom()));
}

int ClickableLabel::markerWidth() const {
    // QLabel measures a marker as a character unless it holds the key for a buddy; it is never drawn.
    if (!m_marksKey || buddy() || wordWrap() || !text().contains(u'&'))
        return 0;
    return fontMetrics().horizontalAdvance(text()) - fontMetrics().horizontalAdvance(shownText());
}

int ClickableLabel::textFlags() const {
    int flags = int(QStyle::visualAlignment(layoutDirection(), alignment()));
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    if (m_marksKey)
        flags |= style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? Qt::TextShowMnemonic
                                                                                 : Qt::TextHideMnemonic;
    return flags;
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    // The frame and any stylesheet background come from QFrame; the caption is ours (QLabel would paint it twice).
    QFrame::paintEvent(event); // NOLINT(bugprone-parent-virtual-call)
    updateKey();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    if (showsFocus()) {
        // Full strength and two pixels wide: a thinner or see-through ring is lost on the dark theme.
        painter.setPen(QPen(palette().color(QPalette::Active, QPalette::Highlight), 2.0));
        painter.setBrush(Qt::NoBrush);
        const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
        painter.drawRoundedRect(box, 5, 5);
    }

    QColor pen = captionColour();
    if (!isEnabled()) {
        // Dimmed towards the background, so a disabled chosen caption still shows which one it was.
        const QColor back = palette().color(QPalette::Window);
        pen = QColor((pen.red() + back.red() * 2) / 3, (pen.green() + back.green() * 2) / 3,
                     (pen.blue() + back.blue() * 2) / 3);
    }
    painter.setPen(pen);
    painter.setFont(captionFont());
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    painter.drawText(area, textFlags(), text());
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        if (rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // The release that follows must not count as one more click.
        m_pressed = false;
        event->accept();
        emit doubleClicked();
        return;
    }
    QLabel::mouseDoubleClickEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            event->accept();
            if (!event->isAutoRepeat())
                emit clicked();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::enterEvent(QEnterEvent* event) {
    setHovered(true);
    QLabel::enterEvent(event);
}

void ClickableLabel::leaveEvent(QEvent* event) {
    setHovered(false);
    QLabel::leaveEvent(event);
}

void ClickableLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_pressed = false;
        setHovered(false);
    }
    QLabel::changeEvent(event);
}

void ClickableLabel::focusInEvent(QFocusEvent* event) {
    update();
    QLabel::focusInEvent(event);
}

void ClickableLabel::focusOutEvent(QFocusEvent* event) {
    update();
    QLabel::focusOutEvent(event);
}

void ClickableLabel::hoverChange(bool /*hovered*/) {}

void ClickableLabel::setHovered(bool hovered) {
    if (m_hovered == hovered)
        return;
    m_hovered = hovered;
    hoverChange(hovered);
    update();
    emit hoveredChanged(hovered);
}
