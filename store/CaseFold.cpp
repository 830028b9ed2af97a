#include "store/CaseFold.h"

#include <QString>

#include <algorithm>

namespace {

bool isAscii(QByteArrayView text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

QByteArray asciiLower(QByteArrayView text) {
    QByteArray out = text.toByteArray();
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

} // namespace

QByteArray caseFolded(QByteArrayView name) {
    if (isAscii(name) || !name.isValidUtf8())
        return asciiLower(name);
    return QString::fromUtf8(name).toCaseFolded().toUtf8();
}

bool equalIgnoringCase(QByteArrayView a, QByteArrayView b) {
    if (isAscii(a) && isAscii(b))
        return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
    return caseFolded(a) == caseFolded(b);
}
