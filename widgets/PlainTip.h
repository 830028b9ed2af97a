#pragma once

#include <QString>

// Qt shows a tooltip as rich text as soon as its first line looks like markup: a typed "<b>" would vanish, "&amp;"
// turn into "&" and "<img src=x>" into a broken picture. A text that comes from the user or a file goes through
// here: escaped and marked as rich text, it shows exactly as written, its line breaks, blanks and tabs included.
namespace PlainTip {

// Empty stays empty, so that a cell or day without a text shows no tooltip.
QString text(const QString& plain);

} // namespace PlainTip
