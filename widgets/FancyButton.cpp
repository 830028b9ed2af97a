#include "widgets/FancyButton.h"

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVariantAnimation>

namespace {
QColor mix(const QColor& a, const QColor& b, qreal t) {
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor colour, int alpha) {
    colour.setAlpha(alpha);
    return colour;
}
} // namespace

FancyButton::FancyButton(QWidget* parent)
    : FancyButton(QString(), parent) {}

FancyButton::FancyButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
    , m_animation(new QVariantAnimation(this)) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    m_animation->setDuration(140);
    connect(m_animation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) { setGlow(value.toReal()); });
}

void FancyButton::setGlow(qreal glow) {
    glow = qBound(0.0, glow, 1.0);
    if (qFuzzyCompare(m_glow + 1.0, glow + 1.0))
        return;
    m_glow = glow;
    update();
}

void FancyButton::glowTo(qreal target) {
    m_animation->stop();
    m_animation->setStartValue(m_glow);
    m_animation->setEndValue(target);
    m_animation->start();
}

QString FancyButton::withKey(const QString& caption, const QList<QKeySequence>& taken) {
    QString escaped = caption;
    escaped.replace(QLatin1Char('&'), QLatin1String("&&"));
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped.at(i) == QLatin1Char('&')) {
            ++i; // the second "&" of a shown one
            continue;
        }
        if (!escaped.at(i).isLetterOrNumber())
            continue;
        const QString marked = escaped.left(i) + QLatin1Char('&') + escaped.mid(i);
        if (!taken.contains(QKeySequence::mnemonic(marked)))
            return marked;
    }
    return escaped;
}

void FancyButton::addShortcut(const QKeySequence& key) {
    // A QShortcut of the button is bound to it as its Alt key is: it acts only while the button is shown, so a
    // page that is not shown keeps its keys to itself.
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, [this] {
        if (isEnabled())
            animateClick();
    });
}

int FancyButton::textFlags() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                           : Qt::TextHideMnemonic;
}

QSize FancyButton::sizeHint() const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    int width = metrics.size(Qt::TextShowMnemonic, text()).width() + 2 * line;
    if (!icon().isNull())
        width += iconSize().width() + line / 2;
    return QSize(qMax(width, line * 5), qMax(line * 2, iconSize().height() + line / 2));
}

QSize FancyButton::minimumSizeHint() const {
    const QFontMetrics metrics(font());
    const int line = metrics.height();
    return QSize(metrics.size(Qt::TextShowMnemonic, text()).width() + line, line + line / 2);
}

void FancyButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = palette();
    const bool enabled = isEnabled();
    const bool primary = isDefault() && enabled;
    const QColor accent = pal.color(QPalette::Active, QPalette::Highlight);

    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF body = outer.adjusted(2, 2, -2, -2);
    const qreal radius = qMin(body.height() / 2.0, qreal(fontMetrics().height()) * 0.55);

    // The halo around a lit button.
    if (enabled && m_glow > 0.0) {
        painter.setPen(QPen(withAlpha(accent.lighter(130), int(150 * m_glow)), 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), radius + 1, radius + 1);
    }

    QColor face = primary ? accent : pal.color(QPalette::Active, QPalette::Button);
    if (!enabled)
        face = mix(pal.color(QPalette::Window), pal.color(QPalette::Button), 0.5);
    face = mix(face, face.lighter(primary ? 125 : 150), m_glow);
    if (isDown())
        face = face.darker(125);

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, isDown() ? face : face.lighter(112));
    fill.setColorAt(1.0, isDown() ? face.lighter(105) : face.darker(108));
    QColor edge = primary ? accent.lighter(135) : mix(pal.color(QPalette::Active, QPalette::Light), accent, m_glow);
    if (!enabled)
        edge = pal.color(QPalette::Disabled, QPalette::Light);
    painter.setPen(QPen(edge, 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, radius, radius);

    // Content: icon and caption centred together; pressed content sinks by a pixel.
    QColor ink = primary ? pal.color(QPalette::Active, QPalette::HighlightedText)
                         : pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
    if (enabled && !primary)
        ink = mix(ink, pal.color(QPalette::Active, QPalette::BrightText), m_glow);
    QRectF content = body;
    if (isDown())
        content.translate(0, 1);
    QFont captionFont = font();
    if (primary)
        captionFont.setBold(true);
    painter.setFont(captionFont);
    const QFontMetricsF metrics(captionFont);
    const QString caption = text();
    qreal width = metrics.size(Qt::TextShowMnemonic, caption).width();
    const QIcon picture = icon();
    const QSize pictureSize = iconSize();
    const qreal gap = picture.isNull() || caption.isEmpty() ? 0 : metrics.height() / 3;
    if (!picture.isNull())
        width += pictureSize.width() + gap;
    qreal x = content.center().x() - width / 2;
    if (!picture.isNull()) {
        const QPointF at(x, content.center().y() - pictureSize.height() / 2.0);
        picture.paint(&painter, QRect(at.toPoint(), pictureSize), Qt::AlignCenter,
                      enabled ? QIcon::Normal : QIcon::Disabled);
        x += pictureSize.width() + gap;
    }
    painter.setPen(ink);
    painter.drawText(QRectF(x, content.top(), content.right() - x, content.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | textFlags(), caption);

    if (hasFocus()) {
        painter.setPen(QPen(withAlpha(pal.color(QPalette::Active, QPalette::BrightText), 150), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(body.adjusted(3, 3, -3, -3), radius - 2, radius - 2);
    }
}

void FancyButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier)) {
        event->accept();
        if (!event->isAutoRepeat())
            click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void FancyButton::enterEvent(QEnterEvent* event) {
    m_hovered = true;
    if (isEnabled())
        glowTo(1.0);
    QPushButton::enterEvent(event);
}

void FancyButton::leaveEvent(QEvent* event) {
    m_hovered = false;
    if (!hasFocus())
        glowTo(0.0);
    QPushButton::leaveEvent(event);
}

void FancyButton::focusInEvent(QFocusEvent* event) {
    glowTo(0.75);
    QPushButton::focusInEvent(event);
}

void FancyButton::focusOutEvent(QFocusEvent* event) {
    glowTo(m_hovered ? 1.0 : 0.0);
    QPushButton::focusOutEvent(event);
}

void FancyButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_animation->stop();
        setGlow(0.0);
    }
    QPushButton::changeEvent(event);
}
