#pragma once

#include <QColor>
#include <QKeySequence>
#include <QLabel>

// A caption the user presses like a button: with the mouse, or with Space / Enter / Return once it has the
// keyboard focus. Menu entries, choice captions, links and the text beside a tick box are built on it.
//
// The caption is drawn by the label itself in captionColour(), so no stylesheet rule can repaint it in another
// colour: the colours of these captions carry meaning (which entry is chosen, whether a filter is active).
// A focused label draws a rounded focus ring inside its margins. Plain text only.
//
// A "&" in the caption marks its Alt key, as on a button ("&&" shows one "&"): the letter is underlined when the
// style underlines them, and Alt with it presses the label (or, for a label with a buddy, the buddy) while the
// label is shown. A label that shows the user's own text says setMarksKey(false): its "&" stay as they are.
//
//   clicked()          press and release of the left button on the label, or Space / Enter / Return
//   click()            what a press does, for whoever presses it another way (an assistive technology)
//   doubleClicked()    a double click (the first click of the pair still sends clicked())
//   hoveredChanged()   the pointer entered or left the label
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget* parent = nullptr);
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

    bool isHovered() const { return m_hovered; }

    // Hides QLabel::setText so that the Alt key follows the caption; one set through a QLabel pointer is taken up
    // when the label is next shown or painted.
    void setText(const QString& text);
    // The caption as the user reads it: without the marker of the Alt key.
    QString shownText() const;
    bool marksKey() const { return m_marksKey; }
    void setMarksKey(bool marks);

    // Sends clicked() as a press would; nothing while the label is disabled.
    void click();
    // Whether anyone listens to its clicks: one that nobody listens to is a picture or a text, not a control.
    bool isClickable() const;

    // The colour of the caption when captionColour() is not overridden; invalid means the palette's text colour.
    void setColour(const QColor& colour);
    QColor colour() const { return m_colour; }

    // The colour the caption is drawn in right now (disabled labels are drawn dimmed on top of this).
    virtual QColor captionColour() const;
    // The font the caption is drawn in right now (links underline themselves while lit).
    virtual QFont captionFont() const { return font(); }
    // Whether the focus ring is drawn: while it has the keyboard focus, or the control it names has.
    virtual bool showsFocus() const { return hasFocus(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();
    void doubleClicked();
    void hoveredChanged(bool hovered);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    // Called when the pointer enters or leaves; subclasses recolour or swap pictures here.
    virtual void hoverChange(bool hovered);
    // Text flags for drawing the caption: alignment and word wrap as set on the label, and the Alt key's mark.
    int textFlags() const;
    // Takes the Alt key of the caption now (a label with a buddy leaves it to QLabel, which presses the buddy).
    void updateKey();
    // The width QLabel's size hints give the key's marker, which is not drawn.
    int markerWidth() const;

private:
    void setHovered(bool hovered);

    QColor m_colour;
    bool m_pressed = false;
    bool m_hovered = false;
    bool m_marksKey = true;
    QKeySequence m_key;
    int m_shortcutId = 0;
};
