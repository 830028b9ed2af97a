#pragma once

#include <QLabel>

// Text with a soft drop shadow: page titles ("New Alarm", "Diary"...), the About page's product name and the
// large "Zentick" behind the main menu. Starts bold at 1.6 times the application's font size (a relative size, so
// it scales with the user's font and the screen); change it with setScale() or setFont(). The shadow's offset
// follows the font size. Plain text only.
//
//   setColour(c)        the text colour (default: the palette's bright text)
//   setShadowColour(c)  the shadow colour (default: black, two thirds opaque)
//   setScale(f)         the text size relative to the application font
class ShadowLabel : public QLabel {
    Q_OBJECT
public:
    explicit ShadowLabel(QWidget* parent = nullptr);
    explicit ShadowLabel(const QString& text, QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }
    void setShadowColour(const QColor& colour);
    QColor shadowColour() const { return m_shadow; }
    void setScale(qreal scale);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal shadowOffset() const;

    QColor m_colour;
    QColor m_shadow{0, 0, 0, 170};
};
