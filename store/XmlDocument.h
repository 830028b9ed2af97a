#pragma once

#include <QByteArray>
#include <QString>

// The text scanners and escaping of the store's XML document format. Positions count from 1,
// as the format's reader has always done; 0 means "not found / stop".
namespace XmlDocument {

inline constexpr char Prolog[] = "<?xml version = \"1.0\"?>";

QByteArray StrToXML(const QByteArray& value);
// Throws EXMLException with the integer-conversion message when an escape has no hex digits.
QByteArray XMLtoStr(const QByteArray& text);

struct Found {
    QByteArray content;
    qsizetype position = 0;
};
Found FastParseTag(const QByteArray& text, const QByteArray& open, const QByteArray& close, qsizetype position);
Found FastParseTagXML(const QByteArray& text, const QByteArray& name, qsizetype position);
QByteArray getTagContent(const QByteArray& text, const QByteArray& wantedName);

// Whole-file input and output of a document. Save is atomic (temporary file, fsync, rename), keeps an
// existing file's mode and creates files readable by their owner only. Failures throw
// Exception("Cannot create file <path>: <reason>") / Exception("Cannot open file <path>: <reason>"), the reason
// as the system gave it ("No space left on device", "Permission denied", ...).
void SaveStringToFile(const QByteArray& text, const QString& fileName);
// A new file of exactly these bytes under exactly this name, readable by its owner only, whole or not at all.
// Never replaces anything: false when the name is taken (by a file, a folder or a link). Throws like
// SaveStringToFile for any other failure.
bool SaveNewFile(const QByteArray& text, const QString& fileName);
// A save killed in the moment between naming its complete temporary file and renaming it leaves that file
// ("<name>.zentick-" and eight letters or digits); the first save of a run removes such files.
void RemoveLeftoverTemporaries(const QString& fileName);
// Every byte of the file; empty for a missing one.
QByteArray LoadBytesFromFile(const QString& fileName);
// The bytes up to the first zero byte, as the text of a document has always been taken.
QByteArray LoadStringFromFile(const QString& fileName);

} // namespace XmlDocument
