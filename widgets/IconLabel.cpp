#include "widgets/IconLabel.h"

#include "widgets/Icons.h"

#include <QPainter>
#include <QStyle>

IconLabel::IconLabel(QWidget* parent)
    : ClickableLabel(parent) {
    setAlignment(Qt::AlignCenter);
}

void IconLabel::setIcons(const QString& normal, const QString& highlighted) {
    m_normal = normal;
    m_highlighted = highlighted;
    update();
}

void IconLabel::setIconSize(const QSize& size) {
    if (m_iconSize == size)
        return;
    m_iconSize = size;
    updateGeometry();
    update();
}

void IconLabel::setHighlighted(bool highlighted) {
    if (m_forced == highlighted)
        return;
    m_forced = highlighted;
    update();
}

void IconLabel::setHoverLight(bool on) {
    if (m_hoverLight == on)
        return;
    m_hoverLight = on;
    update();
}

bool IconLabel::isLit() const {
    return m_forced || (m_hoverLight && isHovered() && isEnabled());
}

QSize IconLabel::sizeHint() const {
    const QMargins m = contentsMargins();
    return m_iconSize + QSize(m.left() + m.right(), m.top() + m.bottom());
}

void IconLabel::paintEvent(QPaintEvent* event) {
    ClickableLabel::paintEvent(event);
    const QString path = isLit() && !m_highlighted.isEmpty() ? m_highlighted : m_normal;
    if (path.isEmpty())
        return;
    QPixmap picture = Icons::pixmap(path, m_iconSize, devicePixelRatioF());
    if (picture.isNull())
        return;
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.4);
    const QRect area = QStyle::alignedRect(layoutDirection(), alignment(), m_iconSize, contentsRect());
    painter.drawPixmap(area.topLeft(), picture);
}
