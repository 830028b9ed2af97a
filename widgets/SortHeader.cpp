#include "widgets/SortHeader.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QStyleOptionHeader>

namespace {

bool isBacktab(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    return key->key() == Qt::Key_Backtab || (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
}

bool isTab(const QKeyEvent* key) {
    return key->key() == Qt::Key_Tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
           !(key->modifiers() & Qt::ShiftModifier);
}

bool isActivation(const QKeyEvent* key) {
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
           key->key() == Qt::Key_Select;
}

// The arrow above the caption: its size and its distance from the section's top.
constexpr int ArrowWidth = 7;
constexpr int ArrowHeight = 4;
constexpr int ArrowTop = 1;

} // namespace

SortHeader::SortHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent) {
    setFocusPolicy(Qt::NoFocus);
    if (parent)
        parent->installEventFilter(this);
    setAccessibleName(tr("Column headers"));
    setAccessibleDescription(tr("Left and Right choose a column; Space or Enter sorts the list by it, "
                                "again turns the order round"));
}

int SortHeader::chosenSection() const {
    const int visible = count();
    if (visible == 0)
        return -1;
    return logicalIndex(qBound(0, m_chosenVisual, visible - 1));
}

// Whether the header can be reached follows whether a click on it does anything, which the page decides after
// building it.
bool SortHeader::reachable() const {
    return sectionsClickable() && isVisible() && isEnabled() && count() > 0;
}

bool SortHeader::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::KeyPress && reachable() &&
        isBacktab(static_cast<QKeyEvent*>(event))) {
        setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return QHeaderView::eventFilter(watched, event);
}

bool SortHeader::event(QEvent* event) {
    // A page-wide shortcut on Enter (the default button, an "Edit" item) must not take the key from the header.
    if (event->type() == QEvent::ShortcutOverride && isActivation(static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress && parentWidget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isTab(key)) {
            parentWidget()->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (isBacktab(key)) {
            focusBeforeList();
            return true;
        }
    }
    return QHeaderView::event(event);
}

// Shift+Tab on the header goes where Shift+Tab on the rows would have gone.
void SortHeader::focusBeforeList() {
    QWidget* list = parentWidget();
    for (QWidget* before = list->previousInFocusChain(); before && before != list;
         before = before->previousInFocusChain()) {
        if (before == this || list->isAncestorOf(before) || before->window() != window())
            continue;
        if ((before->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && before->isVisible() && before->isEnabled()) {
            before->setFocus(Qt::BacktabFocusReason);
            return;
        }
    }
    list->setFocus(Qt::BacktabFocusReason);
}

void SortHeader::keyPressEvent(QKeyEvent* event) {
    const int visible = count();
    if (visible == 0 || !sectionsClickable()) {
        QHeaderView::keyPressEvent(event);
        return;
    }
    if (isActivation(event)) {
        if (!event->isAutoRepeat())
            emit sectionClicked(chosenSection());
        event->accept();
        return;
    }
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft && orientation() == Qt::Horizontal;
    switch (event->key()) {
    case Qt::Key_Left:
        choose(m_chosenVisual + (rightToLeft ? 1 : -1));
        break;
    case Qt::Key_Right:
        choose(m_chosenVisual + (rightToLeft ? -1 : 1));
        break;
    case Qt::Key_Home:
        choose(0);
        break;
    case Qt::Key_End:
        choose(visible - 1);
        break;
    default:
        QHeaderView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void SortHeader::choose(int visual) {
    const int last = count() - 1;
    // Hidden columns are stepped over.
    const int step = visual < m_chosenVisual ? -1 : 1;
    visual = qBound(0, visual, last);
    while (visual > 0 && visual < last && isSectionHidden(logicalIndex(visual)))
        visual += step;
    m_chosenVisual = visual;
    reveal(logicalIndex(visual));
    viewport()->update();
}

// The list scrolls sideways so that the chosen column can be seen; the header follows the list's scroll bar.
void SortHeader::reveal(int logical) {
    auto* view = qobject_cast<QAbstractItemView*>(parentWidget());
    if (!view || orientation() != Qt::Horizontal || logical < 0)
        return;
    QScrollBar* bar = view->horizontalScrollBar();
    if (view->horizontalScrollMode() == QAbstractItemView::ScrollPerItem) {
        const int visual = visualIndex(logical);
        if (visual < bar->value() || sectionViewportPosition(logical) + sectionSize(logical) > viewport()->width())
            bar->setValue(visual);
        return;
    }
    const int left = sectionPosition(logical);
    const int right = left + sectionSize(logical);
    if (left < offset())
        bar->setValue(left);
    else if (right > offset() + viewport()->width())
        bar->setValue(qMin(left, right - viewport()->width()));
}

void SortHeader::setSortArrowAbove(bool above) {
    m_arrowAbove = above;
    viewport()->update();
}

void SortHeader::paintArrowAbove(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    // The style would keep room for its arrow beside the caption and cut the caption short.
    option.sortIndicator = QStyleOptionHeader::None;
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
    if (!isSortIndicatorShown() || sortIndicatorSection() != logicalIndex)
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

void SortHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid())
        return;
    if (m_arrowAbove)
        paintArrowAbove(painter, rect, logicalIndex);
    else
        QHeaderView::paintSection(painter, rect, logicalIndex);
    if (!hasFocus() || logicalIndex != chosenSection())
        return;
    painter->save();
    // The style can leave the painter clipped to less than the section (to nothing, with the program's style
    // sheet); the frame goes round the whole section.
    painter->setClipRect(rect);
    painter->setRenderHint(QPainter::Antialiasing);
    QPen pen(palette().color(QPalette::Active, QPalette::Highlight), 2);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5), 3, 3);
    painter->restore();
}

// The frame starts on the column the list is sorted by, where there is one.
void SortHeader::focusInEvent(QFocusEvent* event) {
    QHeaderView::focusInEvent(event);
    if (isSortIndicatorShown() && sortIndicatorSection() >= 0 && sortIndicatorSection() < count())
        m_chosenVisual = visualIndex(sortIndicatorSection());
    choose(qBound(0, m_chosenVisual, qMax(0, count() - 1)));
}

void SortHeader::focusOutEvent(QFocusEvent* event) {
    QHeaderView::focusOutEvent(event);
    viewport()->update();
}
