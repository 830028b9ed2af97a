#include "ui/notify/DescriptionPages.h"

#include "scheduler/TextPreview.h"

#include <algorithm>

namespace DescriptionPages {

bool pages(const QStringList& lines) {
    return lines.size() > LinesPerPage;
}

QString text(const QStringList& lines, int pageStart) {
    const int end = std::min<int>(pageStart + LinesPerPage, int(lines.size()));
    QString shown;
    for (int i = pageStart; i < end; ++i)
        shown += TextPreview::breakable(lines[i]) + QLatin1Char('\n');
    if (end < lines.size())
        shown += QLatin1String("...");
    return shown;
}

int next(const QStringList& lines, int pageStart) {
    const int start = pageStart + LinesPerPage;
    return start < lines.size() ? start : 0;
}

} // namespace DescriptionPages
