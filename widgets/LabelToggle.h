#pragma once

#include "widgets/ClickableLabel.h"

#include <QPointer>

class QAbstractButton;

// The text beside a tick box: clicking it inverts the box, exactly as a click on the box would (the box's
// clicked() and toggled() are sent, so handlers bound to the box run too). A disabled box is left alone.
// The label takes no keyboard focus of its own: the box is the keyboard stop, and setBox() gives the box this
// text as its accessible name when the box has no text of its own. While the box has the focus the label draws
// the focus ring round its text, where the eye looks for it (the box alone only changes its border). Drawn in
// Theme::unchosenColour() unless setColour() says otherwise.
//
//   setBox(box) / box()   the tick box this text belongs to
class LabelToggle : public ClickableLabel {
    Q_OBJECT
public:
    explicit LabelToggle(QWidget* parent = nullptr);
    explicit LabelToggle(const QString& text, QAbstractButton* box = nullptr, QWidget* parent = nullptr);

    void setBox(QAbstractButton* box);
    QAbstractButton* box() const { return m_box.data(); }

    QColor captionColour() const override;
    bool showsFocus() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void invertBox();

    QPointer<QAbstractButton> m_box;
    // The box as the event filter sees it: only compared, never followed, because the box's own destructor still
    // sends events through the filter, when it is no longer a button.
    const QObject* m_watched = nullptr;
};
