#include "ui/notify/DescriptionPages.h"

#include <algorithm>

namespace DescriptionPages {

namespace {

constexpr int LongestUnbrokenRun = 40;

// The label wraps at blanks only; a long run without one (a web address, a row of signs) would widen the
// window past the screen, so it is given places to break.
QString breakable(const QString& line) {
    QString out;
    out.reserve(line.size() + line.size() / LongestUnbrokenRun);
    int run = 0;
    for (const QChar c : line) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongestUnbrokenRun && !c.isLowSurrogate()) {
            out += QChar(0x200B);
            run = 1;
        }
        out += c;
    }
    return out;
}

} // namespace

bool pages(const QStringList& lines) {
    return lines.size() > LinesPerPage;
}

QString text(const QStringList& lines, int pageStart) {
    const int end = std::min<int>(pageStart + LinesPerPage, int(lines.size()));
    QString shown;
    for (int i = pageStart; i < end; ++i)
        shown += breakable(lines[i]) + QLatin1Char('\n');
    if (end < lines.size())
        shown += QLatin1String("...");
    return shown;
}

int next(const QStringList& lines, int pageStart) {
    const int start = pageStart + LinesPerPage;
    return start < lines.size() ? start : 0;
}

} // namespace DescriptionPages
