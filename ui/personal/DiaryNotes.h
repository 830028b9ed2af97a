#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

class TXMLIniFile;

// The diary store: one section per date that has a note, named by the date's whole-day number (days since
// 30 December 1899, negative before), holding "linecount" and one key per line "0", "1", ... Keys beyond
// "linecount" may remain from an earlier, longer note; nothing reads them.
namespace DiaryNotes {

QByteArray section(QDate date);

// The lines of a typed text, split at line breaks: a final empty line is not counted, so "a\n" is one line
// and "\n" one empty line; an empty text has none.
QStringList linesOf(const QString& text);
// The text that gives those lines back through linesOf().
QString textOf(const QStringList& lines);

QStringList read(const TXMLIniFile& store, QDate date);
// One save: no lines erase the date's note; otherwise "linecount" and each line are written over the section
// as it is.
void write(TXMLIniFile& store, QDate date, const QStringList& lines);

// A marked day's hint: its first line in double quotes, with "..." before the closing one when the note has
// more lines.
QString hint(const TXMLIniFile& store, const QByteArray& section);

} // namespace DiaryNotes
