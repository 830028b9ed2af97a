#include "ui/views/ListHeader.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>

namespace {

// A caption's text is drawn inside the section's padding; the arrow of the sorted column sits in the top
// padding, centred.
constexpr int ArrowWidth = 7;
constexpr int ArrowHeight = 4;
constexpr int ArrowTop = 1;

} // namespace

ListHeader::ListHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent) {
    // Half the sides' usual padding: on a list as narrow as the window the columns need every pixel, and the
    // separators keep the captions apart.
    setStyleSheet(QStringLiteral("QHeaderView::section { padding-left: 3px; padding-right: 3px; }"));
}

QString ListHeader::caption(int logicalIndex) const {
    return model() ? model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString() : QString();
}

QFont ListHeader::captionFont() const {
    // The style sheet makes captions bold; a caption is measured as it is drawn.
    QFont bold = font();
    bold.setBold(true);
    return bold;
}

int ListHeader::textWidth(const QString& text) const {
    // The room the style leaves the caption inside a section: its padding and border taken away.
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.sortIndicator = QStyleOptionHeader::None;
    constexpr int probe = 1000;
    option.rect = QRect(0, 0, probe, qMax(1, height()));
    const int frame = probe - style()->subElementRect(QStyle::SE_HeaderLabel, &option, this).width();
    return frame + QFontMetrics(captionFont()).horizontalAdvance(text);
}

int ListHeader::captionWidth(int logicalIndex) const {
    int widest = 0;
    for (const QString& word : caption(logicalIndex).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = qMax(widest, textWidth(word));
    return widest;
}

int ListHeader::captionLines(int logicalIndex, int width) const {
    const QString text = caption(logicalIndex);
    const QFontMetrics metrics(captionFont());
    const int padding = textWidth(text) - metrics.horizontalAdvance(text);
    const QRect bounds =
        metrics.boundingRect(QRect(0, 0, qMax(1, width - padding), 10'000), Qt::AlignCenter | Qt::TextWordWrap, text);
    return qMax(1, (bounds.height() + metrics.lineSpacing() / 2) / metrics.lineSpacing());
}

void ListHeader::setCaptionLines(int lines) {
    lines = qMax(1, lines);
    if (lines == m_captionLines)
        return;
    m_captionLines = lines;
    updateGeometry();
    // The list places its rows below the header by the header's size hint.
    emit geometriesChanged();
}

QSize ListHeader::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.rheight() += (m_captionLines - 1) * QFontMetrics(captionFont()).lineSpacing();
    return size;
}

void ListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    const bool sorted = isSortIndicatorShown() && sortIndicatorSection() == logicalIndex;
    // The style would keep room for its arrow beside the caption and cut the caption short.
    option.sortIndicator = QStyleOptionHeader::None;
    // The flag travels with the alignment to the text drawing.
    option.textAlignment = Qt::Alignment(QFlag(int(option.textAlignment) | Qt::TextWordWrap));
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
    if (!sorted)
        return;
    const double left = rect.center().x() + 0.5 - ArrowWidth / 2.0;
    const double top = rect.top() + ArrowTop;
    QPainterPath arrow;
    // Pointing down for ascending, as the style draws it.
    if (sortIndicatorOrder() == Qt::DescendingOrder) {
        arrow.moveTo(left, top + ArrowHeight);
        arrow.lineTo(left + ArrowWidth, top + ArrowHeight);
        arrow.lineTo(left + ArrowWidth / 2.0, top);
    } else {
        arrow.moveTo(left, top);
        arrow.lineTo(left + ArrowWidth, top);
        arrow.lineTo(left + ArrowWidth / 2.0, top + ArrowHeight);
    }
    arrow.closeSubpath();
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(arrow, option.palette.color(QPalette::ButtonText));
    painter->restore();
}
