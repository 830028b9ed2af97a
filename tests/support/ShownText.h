#pragma once

#include <QLabel>
#include <QTextDocument>

// What the user reads where a text is shown. A label set to rich text, and a label or tooltip left to decide for
// itself (a tooltip always is) whose first line looks like markup, shows the text as rendered markup.
namespace ShownText {

inline QString of(const QString& text, Qt::TextFormat format) {
    const bool rich = format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text));
    if (!rich)
        return text;
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

inline QString ofToolTip(const QString& text) {
    return of(text, Qt::AutoText);
}

inline QString ofLabel(const QLabel* label) {
    return of(label->text(), label->textFormat());
}

} // namespace ShownText
