#include "store/XmlDocument.h"

#include "store/Exception.h"
#include "store/HexDigit.h"
#include "store/XmlScan.h"

#include <algorithm>
#include <array>

namespace {

// Bytes written as they are; everything else becomes "&#xHH;", so a document holds only printable ASCII
// besides the line breaks between elements.
constexpr std::array<bool, 256> keptBytes = [] {
    std::array<bool, 256> kept{};
    const auto keep = [&kept](int from, int to) {
        for (int c = from; c <= to; ++c)
            kept[static_cast<std::size_t>(c)] = true;
    };
    keep(0x20, 0x21);
    keep(0x2C, 0x3B);
    keep(0x3D, 0x3D);
    keep(0x41, 0x5D);
    keep(0x5F, 0x5F);
    keep(0x61, 0x7A);
    return kept;
}();

// The escape's two characters are converted as the integer text "$XY"; its failure message names that text.
char decodeEscape(char high, char low) {
    const int h = hexDigitValue(high);
    const int l = hexDigitValue(low);
    if (h < 0 || l < 0) {
        const QByteArray passed = QByteArray("$") + high + low;
        throw EXMLException(QStringLiteral("'") + QString::fromLatin1(passed) +
                            QStringLiteral("' is not a valid integer value"));
    }
    return static_cast<char>(h * 16 + l);
}

bool startsWithIgnoringCase(QByteArrayView text, QByteArrayView prefix) {
    return text.size() >= prefix.size() && text.first(prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0;
}

} // namespace

namespace XmlDocument {

QByteArrayView trimControls(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && static_cast<unsigned char>(text[from]) <= 0x20)
        ++from;
    while (to > from && static_cast<unsigned char>(text[to - 1]) <= 0x20)
        --to;
    return text.sliced(from, to - from);
}

void appendEscaped(QByteArray& out, QByteArrayView value) {
    const qsizetype before = out.size();
    out.resize(before + escapedSize(value));
    writeEscaped(out.data() + before, value);
}

qsizetype escapedSize(QByteArrayView value) {
    qsizetype size = value.size();
    for (const char ch : value)
        size += keptBytes[static_cast<unsigned char>(ch)] ? 0 : 5;
    return size;
}

char* writeEscaped(char* out, QByteArrayView value) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    for (const char ch : value) {
        const auto byte = static_cast<unsigned char>(ch);
        if (keptBytes[byte]) {
            *out++ = ch;
        } else {
            *out++ = '&';
            *out++ = '#';
            *out++ = 'x';
            *out++ = hexDigits[byte >> 4];
            *out++ = hexDigits[byte & 0xF];
            *out++ = ';';
        }
    }
    return out;
}

QByteArray StrToXML(const QByteArray& value) {
    QByteArray out;
    out.reserve(value.size());
    appendEscaped(out, value);
    return out;
}

QByteArray XMLtoStr(const QByteArray& text) {
    return unescape(text);
}

QByteArray unescape(QByteArrayView text) {
    if (startsWithIgnoringCase(text, "<![CDATA[")) {
        const QByteArrayView rest = text.sliced(9);
        return rest.first(std::max<qsizetype>(0, rest.size() - 3)).toByteArray();
    }
    if (!text.contains('&'))
        return trimControls(text).toByteArray();

    // The escapes are decoded from the right, and a decoded byte takes part in the escapes to its left, as it
    // always has. `reversed` holds the already decoded right part of the text, last byte first.
    const qsizetype n = text.size();
    if (n < 6)
        return trimControls(text).toByteArray();
    QByteArray reversed;
    reversed.reserve(n);
    for (qsizetype k = n - 1; k >= n - 5; --k)
        reversed.append(text[k]);
    for (qsizetype k = n - 6; k >= 0; --k) {
        const qsizetype top = reversed.size() - 1;
        // An escape needs "#x", two digits and the character that the decoded byte replaces.
        if (text[k] == '&' && reversed.size() >= 5 && reversed[top] == '#' && reversed[top - 1] == 'x') {
            const char byte = decodeEscape(reversed[top - 2], reversed[top - 3]);
            reversed.chop(4);
            reversed[reversed.size() - 1] = byte;
        } else {
            reversed.append(text[k]);
        }
    }
    std::reverse(reversed.begin(), reversed.end());
    return trimControls(reversed).toByteArray();
}

Found FastParseTag(const QByteArray& text, const QByteArray& open, const QByteArray& close, qsizetype position) {
    const ScanResult r = scanTag(text, open, close, position);
    return {r.content.toByteArray(), r.position};
}

Found FastParseTagXML(const QByteArray& text, const QByteArray& name, qsizetype position) {
    const ScanResult r = scanElement(text, name, position);
    return {r.content.toByteArray(), r.position};
}

QByteArray getTagContent(const QByteArray& text, const QByteArray& wantedName) {
    return rootContent(text, wantedName).toByteArray();
}

ScanResult scanTag(QByteArrayView text, QByteArrayView open, QByteArrayView close, qsizetype position) {
    if (position <= 0 || position >= text.size() || open.isEmpty() || close.isEmpty())
        return {};
    const qsizetype c = text.indexOf(open, position - 1);
    if (c < 0)
        return {};
    const qsizetype contentStart = c + open.size();
    const qsizetype d = text.indexOf(close, contentStart);
    if (d < 0)
        return {};
    return {text.sliced(contentStart, d - contentStart), d + close.size() + 1};
}

ScanResult scanElement(QByteArrayView text, QByteArrayView name, qsizetype position) {
    if (position <= 0 || position >= text.size() || name.isEmpty())
        return {};
    const QByteArray startTag = '<' + name.toByteArray() + '>';
    const QByteArray endTag = "</" + name.toByteArray() + '>';
    const qsizetype s = text.indexOf(startTag, position - 1);
    if (s < 0)
        return {};
    const qsizetype start = s + startTag.size();
    qsizetype depth = 1;
    qsizetype from = start;
    qsizetype f = -1;
    while (true) {
        f = text.indexOf(endTag, from);
        if (f < 0)
            break;
        --depth;
        // Only start tags wholly between the last end tag and this one open a nested element of the same name.
        const QByteArrayView between = text.sliced(from, f - from);
        for (qsizetype p = between.indexOf(startTag); p >= 0; p = between.indexOf(startTag, p + startTag.size()))
            ++depth;
        from = f + endTag.size();
        if (depth == 0)
            break;
    }
    if (depth != 0)
        return {};
    return {text.sliced(start, f - start), f + endTag.size() + 1};
}

QByteArrayView rootContent(QByteArrayView text, QByteArrayView wantedName) {
    const RootElement root = findRoot(text, wantedName);
    return root.cut ? QByteArrayView() : root.content;
}

RootElement findRoot(QByteArrayView text, QByteArrayView wantedName) {
    qsizetype scan = 1;
    const qsizetype doctype = text.indexOf("<!DOCTYPE ");
    if (doctype >= 0) {
        const qsizetype subsetEnd = text.indexOf("]>", doctype + 10);
        if (subsetEnd >= 0)
            scan = subsetEnd + 2 + 1;
    }
    qsizetype element = 1;
    QByteArrayView name;
    QByteArrayView content;
    while (true) {
        const ScanResult tag = scanTag(text, "<", ">", scan);
        name = tag.content;
        scan = tag.position;
        if (!startsWithIgnoringCase(name, "?xml")) {
            const qsizetype from = element;
            const ScanResult found = scanElement(text, name, element);
            content = found.content;
            scan = element = found.position;
            if (found.position == 0 && !name.isEmpty() && name.compare(wantedName, Qt::CaseInsensitive) == 0) {
                const QByteArray startTag = '<' + name.toByteArray() + '>';
                const qsizetype start = from > 0 ? text.indexOf(startTag, from - 1) : -1;
                if (start >= 0)
                    return {text.sliced(start + startTag.size()), true};
            }
        }
        if (scan == 0 || element == 0 || scan > text.size() || name.compare(wantedName, Qt::CaseInsensitive) == 0)
            break;
    }
    if (name.compare(wantedName, Qt::CaseInsensitive) == 0)
        return {content, false};
    return {};
}

} // namespace XmlDocument
