#include "ui/editors/KeptText.h"

#include "store/StoredText.h"
#include "ui/editors/EventCommit.h"

#include <QStringList>

void KeptText::read(const QByteArray& stored, const QString& shown) {
    m_read = true;
    m_stored = stored;
    m_shown = shown;
}

void KeptText::forget() {
    *this = KeptText();
}

QByteArray KeptText::toStore(const QString& text) const {
    return unchanged(text) ? m_stored : displayTextToStored(text);
}

void KeptLines::read(const QByteArrayList& stored, const QString& shown) {
    m_stored = stored;
    m_shown = shown;
}

void KeptLines::forget() {
    *this = KeptLines();
}

QByteArrayList KeptLines::toStore(const QString& text) const {
    // Unchanged, the block goes back whole, an empty last line and all.
    if (text == m_shown)
        return m_stored;
    const QStringList shownLines = m_shown.split(QLatin1Char('\n'));
    // Line i of the box showed line i of the record only when no stored line held a line break of its own.
    const bool aligned = !m_stored.isEmpty() && shownLines.size() == m_stored.size();
    const QStringList lines = EventCommit::textLines(text);
    QByteArrayList stored;
    stored.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        stored.append(aligned && i < shownLines.size() && lines[i] == shownLines[i] ? m_stored[i]
                                                                                    : displayTextToStored(lines[i]));
    return stored;
}
