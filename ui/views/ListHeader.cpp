#include "ui/views/ListHeader.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>

namespace {

// The arrow of the sorted column sits in the section's top padding, centred.
constexpr int ArrowWidth = 7;
constexpr int ArrowHeight = 4;
constexpr int ArrowTop = 1;

} // namespace

ListHeader::ListHeader(QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent) {}

void ListHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    const bool sorted = isSortIndicatorShown() && sortIndicatorSection() == logicalIndex;
    // The style would keep room for its arrow beside the caption and cut the caption short.
    option.sortIndicator = QStyleOptionHeader::None;
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
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillPath(arrow, option.palette.color(QPalette::ButtonText));
    painter->restore();
}
