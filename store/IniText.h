#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The text forms of the typed keys. They fix the contents of every file, so they never follow the process
// locale: "." is the only decimal separator, digits are ASCII.
namespace IniText {

// Optional leading blanks, then a signed decimal number in the 32-bit range, or (unsigned) "$", "x", "X", "0x"
// or "0X" and up to 32 bits of hexadecimal digits, taken as a bit pattern. Nothing may follow.
std::optional<qint32> toInt(QByteArrayView text);

// General format with at most 15 significant digits: fixed-point, or "E" notation for magnitudes below
// 0.00001 and from 1E15 on. Every finite value's text reads back: where rounding to 15 digits would step past
// the largest double, the digits are cut instead.
QByteArray fromDouble(double value);

// Optional blanks around an optional sign, digits with at most one ".", and an optional exponent.
std::optional<double> toDouble(QByteArrayView text);

} // namespace IniText
