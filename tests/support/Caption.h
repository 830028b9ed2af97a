#pragma once

#include <QKeySequence>
#include <QString>

// A control's caption as the user reads it: a single "&" only marks the letter after it as the control's
// Alt key and is not shown, "&&" shows one "&". Tests compare what the user reads, not where the marker sits.
namespace Caption {

inline QString shown(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text;
}

// The Alt key the caption gives its control; empty when it marks none.
inline QKeySequence key(const QString& caption) {
    return QKeySequence::mnemonic(caption);
}

} // namespace Caption
