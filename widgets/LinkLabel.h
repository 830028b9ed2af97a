#pragma once

#include "widgets/ClickableLabel.h"

// A caption that leads somewhere ("Advanced", ">>", "Switch to Classic View", the web site): underlined while
// the pointer is over it or it has the focus, drawn in the palette's link colour unless setColour() gives one
// (the "Advanced" links show the filter state that way). Sends clicked() like every ClickableLabel; a page opens
// a URL itself (QDesktopServices) so that tests can stand in for the browser.
class LinkLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

    QColor captionColour() const override;
    QFont captionFont() const override;
};
