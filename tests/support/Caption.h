#pragma once

#include "widgets/KeyMarker.h"

#include <QKeySequence>
#include <QString>

// A control's caption as the user reads it: a single "&" only marks the letter after it as the control's
// Alt key and is not shown, "&&" shows one "&". Tests compare what the user reads, not where the marker sits.
namespace Caption {

inline QString shown(const QString& caption) {
    return KeyMarker::shown(caption);
}

// The Alt key the caption gives its control; empty when it marks none.
inline QKeySequence key(const QString& caption) {
    return QKeySequence::mnemonic(caption);
}

} // namespace Caption
