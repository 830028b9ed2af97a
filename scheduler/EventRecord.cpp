#include "scheduler/EventRecord.h"

#include "store/StoredText.h"
#include "store/XMLIniFile.h"

#include <QSet>

#include <algorithm>

namespace EventRecord {

namespace {

// The decimal value of a line key, or -1 for any other key.
qint64 lineIndex(const QByteArray& key) {
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    return ok && value >= 0 && key == QByteArray::number(value) ? value : -1;
}

} // namespace

QByteArray firstFreeSection(const TXMLIniFile& store) {
    qint64 n = 0;
    while (store.HasSection(QByteArray::number(n)))
        ++n;
    return QByteArray::number(n);
}

QByteArrayList readStoredTextBlock(const TXMLIniFile& store, const QByteArray& section) {
    qint64 lineCount = store.ReadInt(section, Key::LineCount, 0);
    if (lineCount <= 0)
        return {};
    // A damaged "linecount" must not conjure up two billion empty lines; past any count a text could
    // have, the block ends with its last stored line.
    if (lineCount > MaxBlankLines) {
        qint64 lastStored = -1;
        const QByteArrayList keys = store.ReadSection(section);
        for (const QByteArray& key : keys)
            lastStored = std::max(lastStored, lineIndex(key));
        lineCount = std::min(lineCount, lastStored + 1);
    }
    QByteArrayList lines;
    lines.reserve(lineCount);
    for (qint64 i = 0; i < lineCount; ++i)
        lines.append(store.ReadString(section, QByteArray::number(i), QByteArray()));
    return lines;
}

QStringList textLines(const QString& text, EmptyText empty) {
    if (text.isEmpty() && empty == EmptyText::NoLine)
        return {};
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = normalised.split(u'\n');
    if (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList readTextBlock(const TXMLIniFile& store, const QByteArray& section) {
    const QByteArrayList stored = readStoredTextBlock(store, section);
    QStringList lines;
    lines.reserve(stored.size());
    for (const QByteArray& line : stored)
        lines.append(storedTextToDisplay(line));
    return lines;
}

void writeStoredTextBlock(TXMLIniFile& store, const QByteArray& section, const QByteArrayList& lines) {
    TXMLIniFile::Batch batch(store);
    store.WriteInt(section, Key::LineCount, int(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        store.WriteString(section, QByteArray::number(i), lines.at(i));
    batch.commit();
}

MovedTextBlock readTextBlockToMove(const TXMLIniFile& store, const QByteArray& section) {
    MovedTextBlock block;
    block.lines = readStoredTextBlock(store, section);
    block.shown = block.lines.size();
    const QByteArrayList keys = store.ReadSection(section);
    const QSet<QByteArray> held(keys.cbegin(), keys.cend());
    for (QByteArray key = QByteArray::number(block.lines.size()); held.contains(key);
         key = QByteArray::number(block.lines.size()))
        block.lines.append(store.ReadString(section, key, {}));
    return block;
}

void writeMovedTextBlock(TXMLIniFile& store, const QByteArray& section, const MovedTextBlock& block) {
    TXMLIniFile::Batch batch(store);
    store.WriteInt(section, Key::LineCount, int(block.shown));
    for (qsizetype i = 0; i < block.lines.size(); ++i)
        store.WriteString(section, QByteArray::number(i), block.lines.at(i));
    batch.commit();
}

void writeTextBlock(TXMLIniFile& store, const QByteArray& section, const QStringList& lines) {
    QByteArrayList stored;
    stored.reserve(lines.size());
    for (const QString& line : lines)
        stored.append(displayTextToStored(line));
    writeStoredTextBlock(store, section, stored);
}

} // namespace EventRecord
