#include "ui/personal/DiaryNotes.h"

#include "store/StoredText.h"
#include "store/XMLIniFile.h"

namespace {

const QByteArray lineCountKey = QByteArrayLiteral("linecount");
const QDate dayZero(1899, 12, 30);

} // namespace

namespace DiaryNotes {

QByteArray section(QDate date) {
    return QByteArray::number(dayZero.daysTo(date));
}

QStringList linesOf(const QString& text) {
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString textOf(const QStringList& lines) {
    QString text = lines.join(QLatin1Char('\n'));
    // linesOf() drops one final empty line, so a note ending in an empty line needs one more break.
    if (!lines.isEmpty() && lines.last().isEmpty())
        text += QLatin1Char('\n');
    return text;
}

QStringList read(const TXMLIniFile& store, QDate date) {
    const QByteArray s = section(date);
    const int count = store.ReadInt(s, lineCountKey, 0);
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(storedTextToDisplay(store.ReadString(s, QByteArray::number(i), QByteArray())));
    return lines;
}

void write(TXMLIniFile& store, QDate date, const QStringList& lines) {
    const QByteArray s = section(date);
    if (lines.isEmpty()) {
        store.EraseSection(s);
        return;
    }
    TXMLIniFile::Batch batch(store);
    store.WriteInt(s, lineCountKey, int(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        store.WriteString(s, QByteArray::number(i), displayTextToStored(lines.at(i)));
    batch.commit();
}

QString hint(const TXMLIniFile& store, const QByteArray& section) {
    const QString first = storedTextToDisplay(store.ReadString(section, "0", QByteArray()));
    const bool longer = store.ReadInt(section, lineCountKey, 1) >= 2;
    return QLatin1Char('"') + first + (longer ? QStringLiteral("...\"") : QStringLiteral("\""));
}

} // namespace DiaryNotes
