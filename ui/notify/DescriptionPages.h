#pragma once

#include <QStringList>

// An alarm's description shown seven lines at a time; "..." says that more lines follow, and a
// click on the text moves to the next seven, back to the first after the last.
namespace DescriptionPages {

inline constexpr int LinesPerPage = 7;

// Whether clicking the text does anything at all.
bool pages(const QStringList& lines);
// The text of the page starting at line pageStart.
QString text(const QStringList& lines, int pageStart);
// Where the page after the one at pageStart starts.
int next(const QStringList& lines, int pageStart);

} // namespace DescriptionPages
