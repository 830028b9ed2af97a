#pragma once

#include <QString>

namespace KeyMarker {

// A caption as the user reads it: a single "&" only marks the letter after it as the control's Alt key and is not
// shown, "&&" shows one "&".
inline QString shown(const QString& caption) {
    if (!caption.contains(QLatin1Char('&')))
        return caption;
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        text += caption.at(i);
    }
    return text;
}

} // namespace KeyMarker
