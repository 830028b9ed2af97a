// The number and date readers against the stored reading rules: integers and flags (decimal within 32 bits, or
// hexadecimal bit patterns), doubles ("." only, agreeing with the C library where both read a text, and
// written with 15 significant digits that read back), locale date-time texts (what is read formats and reads
// back the same) and day counts (a count and its calendar date and time name the same moment).
#include "FuzzSupport.h"

#include "scheduler/DayCount.h"
#include "store/IniText.h"
#include "ui/LocaleDateTimeText.h"

#include <QLocale>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allOf(QByteArrayView text, bool (*test)(char)) {
    for (const char c : text)
        if (!test(c))
            return false;
    return true;
}

bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The integer rules, read a second way: which texts are numbers and what they are.
std::optional<qint32> expectedInt(QByteArrayView text) {
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    QByteArrayView hex;
    if (text.startsWith("0x") || text.startsWith("0X"))
        hex = text.sliced(2);
    else if (!text.isEmpty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X'))
        hex = text.sliced(1);
    if (hex.data() != nullptr) {
        if (hex.isEmpty() || !allOf(hex, isHexDigit))
            return std::nullopt;
        errno = 0;
        const unsigned long long value = std::strtoull(hex.toByteArray().constData(), nullptr, 16);
        if (errno == ERANGE || value > 0xFFFFFFFFULL)
            return std::nullopt;
        return static_cast<qint32>(static_cast<quint32>(value));
    }
    QByteArrayView digits = text;
    if (!digits.isEmpty() && (digits.front() == '+' || digits.front() == '-'))
        digits = digits.sliced(1);
    if (digits.isEmpty() || !allOf(digits, isDigit))
        return std::nullopt;
    errno = 0;
    const long long value = std::strtoll(text.toByteArray().constData(), nullptr, 10);
    if (errno == ERANGE || value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<qint32>(value);
}

void checkInt(const QByteArray& text) {
    const std::optional<qint32> read = IniText::toInt(text);
    const std::optional<qint32> expected = expectedInt(text);
    FUZZ_CHECK(read == expected, "'%s' read as %s, expected %s", text.constData(),
               read ? QByteArray::number(*read).constData() : "nothing",
               expected ? QByteArray::number(*expected).constData() : "nothing");
    if (read)
        FUZZ_CHECK(IniText::toInt(QByteArray::number(*read)) == read, "%d does not read back", *read);
}

bool isDecimalChar(char c) {
    return isDigit(c) || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-' || c == ' ';
}

void checkDoubleText(const QByteArray& text) {
    const std::optional<double> read = IniText::toDouble(text);
    const QByteArray trimmed = text.trimmed();
    if (!allOf(text, isDecimalChar))
        return; // other blanks, or letters the C library would read as "inf", "nan" or hex
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(trimmed.constData(), &end);
    if (errno == ERANGE)
        return; // out of range: the rules do not say
    const bool whole = !trimmed.isEmpty() && end == trimmed.constData() + trimmed.size();
    FUZZ_CHECK(read.has_value() == whole, "'%s' is %s a number", text.constData(), read ? "" : "not");
    if (read)
        FUZZ_CHECK(*read == value, "'%s' read as %.17g, the C library reads %.17g", text.constData(), *read, value);
}

void checkDoubleValue(double value) {
    const QByteArray text = IniText::fromDouble(value);
    FUZZ_CHECK(Fuzz::printableDocument(text) && !text.contains(' '), "%.17g written as '%s'", value, text.constData());
    if (!std::isfinite(value))
        return;
    char rounded[40];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    const double nearest = std::strtod(rounded, nullptr);
    const std::optional<double> read = IniText::toDouble(text);
    FUZZ_CHECK(read && std::isfinite(*read), "%.17g written as '%s' does not read back", value, text.constData());
    if (std::isinf(nearest)) {
        // Rounding to 15 digits steps past the largest double: the digits are cut, toward zero.
        FUZZ_CHECK(std::fabs(*read) < std::fabs(value) && std::fabs(*read - value) <= std::fabs(value) * 1e-14,
                   "%.17g written as '%s' reads back as %.17g", value, text.constData(), *read);
    } else {
        FUZZ_CHECK(*read == nearest, "%.17g written as '%s' reads back as %.17g", value, text.constData(), *read);
    }
    FUZZ_CHECK(IniText::fromDouble(*read) == text, "'%s' is written differently the second time", text.constData());
}

// Days from the epoch on one straight line: before it, a count's whole part counts back and its fraction forward.
double linearDays(double count) {
    const double whole = std::trunc(count);
    return whole + std::fabs(count - whole);
}

void checkDayCount(double count) {
    const QDate date = DayCount::toDate(count);
    const QTime time = DayCount::toTime(count);
    FUZZ_CHECK(date.isValid() == time.isValid(), "%.17g has a date without a time or the other way", count);
    if (!date.isValid())
        return;
    const double days = DayCount::fromDate(date);
    const double fraction = time.msecsSinceStartOfDay() / 86'400'000.0;
    const double again = days < 0 ? days - fraction : days + fraction;
    FUZZ_CHECK(std::fabs(linearDays(again) - linearDays(count)) * 86'400'000.0 <= 1.0, "%.17g is %s %s, which is %.17g",
               count, qPrintable(date.toString(Qt::ISODate)), qPrintable(time.toString(Qt::ISODateWithMs)), again);
}

const QList<QLocale>& locales() {
    static const QList<QLocale> all{QLocale(QLocale::English, QLocale::UnitedKingdom),
                                    QLocale(QLocale::German, QLocale::Germany),
                                    QLocale(QLocale::English, QLocale::UnitedStates)};
    return all;
}

void checkDateText(const QString& text) {
    const int thisYear = QDate::currentDate().year();
    for (const QLocale& locale : locales()) {
        const auto read = LocaleDateTimeText::parse(text, locale);
        if (!read)
            continue;
        FUZZ_CHECK(read->date.isValid() && read->time.isValid(), "'%s' read as an invalid date-time", qPrintable(text));
        const QDateTime moment(read->date, read->time);
        // Two-digit years are written for some locales, and a skipped hour cannot be written at all.
        if (std::abs(read->date.year() - thisYear) >= 49 || moment.time() != read->time)
            continue;
        const QString written = LocaleDateTimeText::format(moment, locale);
        const auto again = LocaleDateTimeText::parse(written, locale);
        FUZZ_CHECK(again && again->date == read->date && again->time.hour() == read->time.hour() &&
                       again->time.minute() == read->time.minute(),
                   "'%s' read in %s, written as '%s', reads differently", qPrintable(text), qPrintable(locale.name()),
                   qPrintable(written));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("TZ", "Europe/Berlin");
    tzset();
    std::setlocale(LC_ALL, "C");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    checkInt(input);
    checkDoubleText(input);
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        checkDoubleValue(value);
        checkDayCount(value);
    }
    if (const std::optional<double> count = IniText::toDouble(input))
        checkDayCount(*count);
    // No date-time text of any locale is longer; the locale readers are the slow part of a run.
    if (size <= 64)
        checkDateText(QString::fromUtf8(input));
    return 0;
}
