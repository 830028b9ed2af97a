#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TXMLIniFile;

// What a window shows of a text that may be of any size: a bounded part of each line and of the whole,
// an ellipsis where something was left out. Only the shown part is ever decoded or laid out, so a
// megabyte line or a text of hundreds of megabytes shows as fast as a short one. The stored bytes are
// never touched.
namespace TextPreview {

inline constexpr int MaxLineChars = 200;
inline constexpr int MaxLines = 70; // ten pages of seven lines
inline constexpr QChar Ellipsis = QChar(0x2026);

// The first MaxLineChars characters of a stored line, decoded as storedTextToDisplay does.
QString storedLine(const QByteArray& stored);
// The same for a line already decoded.
QString line(const QString& text);
// At most MaxLines lines, each bounded; a last line of just the ellipsis says that more follow.
QStringList lines(const QStringList& text);
// A multi-line text ("\n") bounded in the same way.
QString text(const QString& text);

// Labels wrap at blanks only; a long run without one (a web address, a row of signs) would widen a window or
// page past its border, so every LongestUnbrokenRun characters such a run gets a place to break (U+200B).
inline constexpr int LongestUnbrokenRun = 40;
QString breakable(const QString& text);

// The description of an event record, bounded as above, read without decoding the rest.
QStringList readTextBlock(const TXMLIniFile& store, const QByteArray& section);

} // namespace TextPreview
