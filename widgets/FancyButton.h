#pragma once

#include <QPushButton>

class QVariantAnimation;

// The pages' push button ("Next>>", "<<Back", "OK", "Show>>"...): flat and rounded, it lights up smoothly while
// the pointer is over it or it has the keyboard focus, and darkens while pressed. setDefault(true) gives it the
// accent colour of the button that moves the user on. Space, Enter and Return press it when it has the focus,
// inside or outside a dialog. Drawn from the palette (Button, ButtonText, Highlight), so it follows the theme;
// its size follows the font, so it scales with the text.
//
// A "&" in the caption marks its Alt key, as on every Qt button ("&&" shows one "&"); the letter is underlined
// when the style underlines them. addShortcut() gives it more keys (Escape on a "<<Back") without taking the Alt
// key away, as QAbstractButton::setShortcut() would: the Alt key stays the one a screen reader is told.
class FancyButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(qreal glow READ glow WRITE setGlow)
public:
    explicit FancyButton(QWidget* parent = nullptr);
    explicit FancyButton(const QString& text, QWidget* parent = nullptr);

    // 0 = resting, 1 = fully lit; animated by hover and focus.
    qreal glow() const { return m_glow; }
    void setGlow(qreal glow);

    // The caption with the Alt key on its first letter or digit that none of taken (Alt keys of the same window)
    // holds, its own "&" shown as they are; unmarked when every letter is taken. For captions made at run time.
    static QString withKey(const QString& caption, const QList<QKeySequence>& taken);

    // One more key that presses the button while it is shown and enabled.
    void addShortcut(const QKeySequence& key);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int textFlags() const;
    void glowTo(qreal target);

    QVariantAnimation* m_animation = nullptr;
    qreal m_glow = 0.0;
    bool m_hovered = false;
};
