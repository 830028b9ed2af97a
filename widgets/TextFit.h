#pragma once

#include <QSize>

class QWidget;

// Whether a control's text fits the room its control has: a label's text (wrapped when the label wraps) inside
// its contents, a button's caption inside the button (its minimum size hint). Longer captions of another language are
// the usual reason one does not.
namespace TextFit {

// How much wider and taller widget would have to be to show its whole text; (0, 0) when it fits or is not a
// label or button with a plain text.
QSize shortfall(const QWidget* widget);

// The largest shortfall among the visible labels and buttons inside root.
QSize largestShortfall(const QWidget* root);

} // namespace TextFit
