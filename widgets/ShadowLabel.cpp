#include "widgets/ShadowLabel.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

ShadowLabel::ShadowLabel(QWidget* parent)
    : ShadowLabel(QString(), parent) {}

ShadowLabel::ShadowLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setScale(1.6);
}

void ShadowLabel::setColour(const QColor& colour) {
    m_colour = colour;
    update();
}

void ShadowLabel::setShadowColour(const QColor& colour) {
    m_shadow = colour;
    update();
}

void ShadowLabel::setScale(qreal scale) {
    QFont title = QApplication::font(this);
    title.setBold(true);
    if (title.pointSizeF() > 0)
        title.setPointSizeF(title.pointSizeF() * scale);
    else
        title.setPixelSize(qRound(title.pixelSize() * scale));
    setFont(title);
}

qreal ShadowLabel::shadowOffset() const {
    return qMax(1.0, QFontMetricsF(font()).height() / 14.0);
}

QSize ShadowLabel::sizeHint() const {
    const int extra = qCeil(shadowOffset() * 1.5);
    return QLabel::sizeHint() + QSize(extra, extra);
}

QSize ShadowLabel::minimumSizeHint() const {
    const int extra = qCeil(shadowOffset() * 1.5);
    return QLabel::minimumSizeHint() + QSize(extra, extra);
}

void ShadowLabel::paintEvent(QPaintEvent* event) {
    // Only the frame comes from the base; QLabel would paint the caption again without its shadow.
    QFrame::paintEvent(event); // NOLINT(bugprone-parent-virtual-call)
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());

    const qreal offset = shadowOffset();
    QRectF area =
        QRectF(contentsRect()).adjusted(margin(), margin(), -margin() - offset * 1.5, -margin() - offset * 1.5);
    int flags = int(QStyle::visualAlignment(layoutDirection(), alignment()));
    if (wordWrap())
        flags |= Qt::TextWordWrap;

    // A wide faint shadow under a close dark one reads as a soft blur without a blur pass.
    QColor far = m_shadow;
    far.setAlphaF(m_shadow.alphaF() * 0.35F);
    painter.setPen(far);
    painter.drawText(area.translated(offset * 1.5, offset * 1.5), flags, text());
    painter.setPen(m_shadow);
    painter.drawText(area.translated(offset, offset), flags, text());

    QColor ink = m_colour.isValid() ? m_colour : palette().color(QPalette::Active, QPalette::BrightText);
    if (!isEnabled())
        ink = palette().color(QPalette::Disabled, QPalette::WindowText);
    painter.setPen(ink);
    painter.drawText(area, flags, text());
}
