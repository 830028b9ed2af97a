#pragma once

#include "widgets/ClickableLabel.h"

// A clickable picture: a menu entry's icon, the About icon, the update icon. It shows the normal picture, and
// the highlighted one while it is highlighted: set by program (a chosen menu entry) or while the pointer is over
// it (switch off with setHoverLight(false)). Pictures are SVG paths (see Icons) drawn at iconSize() in
// device-independent pixels, so they stay sharp at any scaling. Give it an accessible name when it can take the
// focus; a menu icon that only accompanies its caption should get setFocusPolicy(Qt::NoFocus).
//
//   setIcons(normal, highlighted)   the two pictures (highlighted may be empty: then normal is always shown)
//   setIconSize(size)               default 32 x 32
//   setHighlighted(bool)            highlighted by program, whatever the pointer does
//   isLit()                         which picture is shown now
class IconLabel : public ClickableLabel {
    Q_OBJECT
public:
    explicit IconLabel(QWidget* parent = nullptr);

    void setIcons(const QString& normal, const QString& highlighted = QString());
    QString normalIcon() const { return m_normal; }
    QString highlightedIcon() const { return m_highlighted; }

    void setIconSize(const QSize& size);
    QSize iconSize() const { return m_iconSize; }

    void setHighlighted(bool highlighted);
    bool isHighlighted() const { return m_forced; }

    void setHoverLight(bool on);
    bool isLit() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_normal;
    QString m_highlighted;
    QSize m_iconSize{32, 32};
    bool m_forced = false;
    bool m_hoverLight = true;
};
