#include "widgets/LinkLabel.h"

LinkLabel::LinkLabel(QWidget* parent)
    : LinkLabel(QString(), parent) {}

LinkLabel::LinkLabel(const QString& text, QWidget* parent)
    : ClickableLabel(text, parent) {}

QColor LinkLabel::captionColour() const {
    return colour().isValid() ? colour() : palette().color(QPalette::Active, QPalette::Link);
}

QFont LinkLabel::captionFont() const {
    QFont lined = font();
    lined.setUnderline(isEnabled() && (isHovered() || hasFocus()));
    return lined;
}
