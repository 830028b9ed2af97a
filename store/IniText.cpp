#include "store/IniText.h"

#include "store/HexDigit.h"

#include <QStringBuilder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::optional<qint32> hexNumber(QByteArrayView digits) {
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (const char c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + quint64(digit);
        if (value > 0xFFFFFFFFU)
            return std::nullopt;
    }
    return static_cast<qint32>(static_cast<quint32>(value));
}

std::optional<qint32> decimalNumber(QByteArrayView digits, bool negative) {
    if (digits.isEmpty())
        return std::nullopt;
    const quint64 limit = negative ? 2147483648U : 2147483647U;
    quint64 value = 0;
    for (const char c : digits) {
        if (!isDigit(c))
            return std::nullopt;
        value = value * 10 + quint64(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -qint64(value) : qint64(value));
}

// Lowers "d.dddde+xx" by one in its last mantissa digit. Only called on a mantissa that was rounded up, so
// the borrow never runs out of digits.
void cutLastDigit(char* begin, char* end) {
    char* digit = std::find(begin, end, 'e');
    while (digit != begin) {
        --digit;
        if (*digit == '.')
            continue;
        if (*digit != '0') {
            --*digit;
            return;
        }
        *digit = '9';
    }
}

QByteArray zeros(qsizetype count) {
    return QByteArray(count, '0');
}

} // namespace

namespace IniText {

std::optional<qint32> toInt(QByteArrayView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    const QByteArrayView rest = text.sliced(i);
    if (rest.isEmpty())
        return std::nullopt;
    switch (rest[0]) {
    case '+':
        return decimalNumber(rest.sliced(1), false);
    case '-':
        return decimalNumber(rest.sliced(1), true);
    case '$':
    case 'x':
    case 'X':
        return hexNumber(rest.sliced(1));
    case '0':
        if (rest.size() >= 2 && (rest[1] == 'x' || rest[1] == 'X'))
            return hexNumber(rest.sliced(2));
        break;
    default:
        break;
    }
    return decimalNumber(rest, false);
}

QByteArray fromDouble(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    if (value == 0)
        return "0";

    // Rounded to 15 significant digits first: "d.dddddddddddddde±xx".
    char buffer[32];
    const auto converted =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    // Next to the largest double the rounding can step past it, and that text would read back as out of range:
    // there the 15 digits are cut instead, the nearest 15-digit text that reads back.
    double check = 0;
    if (std::from_chars(buffer, converted.ptr, check).ec == std::errc::result_out_of_range)
        cutLastDigit(buffer, converted.ptr);
    const QByteArrayView scientific(buffer, converted.ptr - buffer);
    const qsizetype e = scientific.indexOf('e');
    QByteArray digits = scientific.first(1).toByteArray() + scientific.sliced(2, e - 2).toByteArray();
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    const int exponent = std::atoi(QByteArray(scientific.sliced(e + 1).toByteArray()).constData());
    // Digits before the decimal point (zero or negative when the first digit lies behind it).
    const int integerDigits = exponent + 1;

    QByteArray text = value < 0 ? QByteArray("-") : QByteArray();
    if (integerDigits > 15 || integerDigits < -4) {
        text += digits.first(1);
        if (digits.size() > 1)
            text += '.' + digits.sliced(1);
        text += 'E';
        text += QByteArray::number(exponent);
    } else if (integerDigits <= 0) {
        text += "0." + zeros(-integerDigits) + digits;
    } else if (digits.size() <= integerDigits) {
        text += digits + zeros(integerDigits - digits.size());
    } else {
        text += digits.first(integerDigits) + '.' + digits.sliced(integerDigits);
    }
    return text;
}

std::optional<double> toDouble(QByteArrayView text) {
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text[from] == ' ')
        ++from;
    while (to > from && text[to - 1] == ' ')
        --to;
    QByteArrayView number = text.sliced(from, to - from);

    // from_chars knows no "+" and would accept "inf" and "nan": the grammar is checked here.
    bool negative = false;
    if (!number.isEmpty() && (number[0] == '+' || number[0] == '-')) {
        negative = number[0] == '-';
        number = number.sliced(1);
    }
    qsizetype i = 0;
    qsizetype mantissaDigits = 0;
    while (i < number.size() && isDigit(number[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < number.size() && number[i] == '.') {
        ++i;
        while (i < number.size() && isDigit(number[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < number.size() && isDigit(number[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != number.size())
        return std::nullopt;

    double value = 0;
    const char* end = number.data() + number.size();
    const auto result = std::from_chars(number.data(), end, value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace IniText
