#include "scheduler/TextPreview.h"

#include "scheduler/EventRecord.h"
#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <algorithm>

namespace TextPreview {

namespace {

// A UTF-8 character takes at most four bytes; a Windows-1252 one takes one.
constexpr qsizetype MaxLineBytes = qsizetype(MaxLineChars) * 4;

bool isContinuationByte(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Cut on a character boundary, so valid UTF-8 stays valid and is not taken for Windows-1252.
QByteArray headOf(const QByteArray& stored) {
    if (stored.size() <= MaxLineBytes)
        return stored;
    qsizetype end = MaxLineBytes;
    for (int back = 0; back < 3 && end > 0 && isContinuationByte(stored.at(end)); ++back)
        --end;
    return stored.left(end);
}

QString ellipsisLine() {
    return QString(Ellipsis);
}

} // namespace

QString line(const QString& text) {
    if (text.size() <= MaxLineChars)
        return text;
    qsizetype end = MaxLineChars;
    if (text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end) + Ellipsis;
}

QString storedLine(const QByteArray& stored) {
    const QByteArray head = headOf(stored);
    const QString shown = line(storedTextToDisplay(head));
    if (head.size() < stored.size() && !shown.endsWith(Ellipsis))
        return shown + Ellipsis;
    return shown;
}

QStringList lines(const QStringList& text) {
    QStringList shown;
    const qsizetype kept = std::min<qsizetype>(text.size(), MaxLines);
    shown.reserve(kept + 1);
    for (qsizetype i = 0; i < kept; ++i)
        shown.append(line(text.at(i)));
    if (text.size() > MaxLines)
        shown.append(ellipsisLine());
    return shown;
}

QString text(const QString& text) {
    QStringList shown;
    qsizetype from = 0;
    while (shown.size() < MaxLines) {
        const qsizetype end = text.indexOf(QLatin1Char('\n'), from);
        // Only as much of a line as is shown is copied out of the text.
        const qsizetype length = (end < 0 ? text.size() : end) - from;
        shown.append(line(text.mid(from, std::min<qsizetype>(length, MaxLineChars + 1))));
        if (end < 0)
            return shown.join(QLatin1Char('\n'));
        from = end + 1;
    }
    if (from <= text.size())
        shown.append(ellipsisLine());
    return shown.join(QLatin1Char('\n'));
}

QString breakable(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / LongestUnbrokenRun);
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongestUnbrokenRun && !c.isLowSurrogate()) {
            out += QChar(0x200B);
            run = 1;
        }
        out += c;
    }
    return out;
}

QStringList readTextBlock(const TXMLIniFile& store, const QByteArray& section) {
    const int lineCount = store.ReadInt(section, EventRecord::Key::LineCount, 0);
    QStringList shown;
    const int kept = std::min(lineCount, MaxLines);
    for (int i = 0; i < kept; ++i)
        shown.append(storedLine(store.ReadString(section, QByteArray::number(i), QByteArray())));
    if (lineCount > MaxLines)
        shown.append(ellipsisLine());
    return shown;
}

} // namespace TextPreview
