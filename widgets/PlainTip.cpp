#include "widgets/PlainTip.h"

namespace PlainTip {

QString text(const QString& plain) {
    if (plain.isEmpty())
        return plain;
    // "pre" keeps the lines and blanks as they are, and keeps a long line from being wrapped where plain text
    // would not be.
    return QStringLiteral("<p style='white-space:pre'>") + plain.toHtmlEscaped() + QStringLiteral("</p>");
}

} // namespace PlainTip
