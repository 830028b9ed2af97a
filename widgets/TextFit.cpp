#include "widgets/TextFit.h"

#include <QAbstractButton>
#include <QLabel>

namespace TextFit {

QSize shortfall(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const QString text = label->text();
        if (text.isEmpty() || label->textFormat() == Qt::RichText || Qt::mightBeRichText(text))
            return {};
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int flags = Qt::TextShowMnemonic | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(
            QRect(0, 0, label->wordWrap() ? room.width() : 100000, 100000), flags, text);
        // A pixel of rounding either way is no cut.
        return {qMax(0, needed.width() - room.width() - 1), qMax(0, needed.height() - room.height() - 1)};
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        if (button->text().isEmpty())
            return {};
        // The least a button needs to show its caption whole (its size hint adds room to breathe).
        const QSize wanted = button->minimumSizeHint();
        return {qMax(0, wanted.width() - button->width()), qMax(0, wanted.height() - button->height())};
    }
    return {};
}

QSize largestShortfall(const QWidget* root) {
    QSize largest;
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->isVisibleTo(root))
            largest = largest.expandedTo(shortfall(widget));
    }
    return largest.expandedTo(QSize(0, 0));
}

} // namespace TextFit
