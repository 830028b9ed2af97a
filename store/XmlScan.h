#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The scanners on views, so that reading a large document does not copy every element's text once per level.
// Same positions and results as the public functions of XmlDocument.h.
namespace XmlDocument {

struct ScanResult {
    QByteArrayView content;
    qsizetype position = 0;
};

ScanResult scanTag(QByteArrayView text, QByteArrayView open, QByteArrayView close, qsizetype position);
ScanResult scanElement(QByteArrayView text, QByteArrayView name, qsizetype position);
QByteArrayView rootContent(QByteArrayView text, QByteArrayView wantedName);
// As rootContent, but a root element whose end tag is missing (a file cut off) gives everything after its start
// tag, with `cut` set.
struct RootElement {
    QByteArrayView content;
    bool cut = false;
};
RootElement findRoot(QByteArrayView text, QByteArrayView wantedName);

QByteArray unescape(QByteArrayView text);
// Without the control characters and blanks (bytes up to 0x20) at either end, as every value is read.
QByteArrayView trimControls(QByteArrayView text);
void appendEscaped(QByteArray& out, QByteArrayView value);
// The length of the value once escaped, and the escaped value written at `out`, returning the end of it.
qsizetype escapedSize(QByteArrayView value);
char* writeEscaped(char* out, QByteArrayView value);

} // namespace XmlDocument
