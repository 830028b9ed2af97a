#include "store/IniText.h"

#include <QTest>

#include <cfloat>
#include <cmath>
#include <limits>

// The written form of a double next to the ends of the range: it must read back, and a value read back must be
// written the same way again, so a file does not drift from save to save.
class TestIniText : public QObject {
    Q_OBJECT

private slots:
    void doubleAtTheEndsOfTheRange_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        const double below = std::nextafter(DBL_MAX, 0.0);
        QTest::newRow("largest") << DBL_MAX << QByteArray("1.79769313486231E308");
        QTest::newRow("largest, negative") << -DBL_MAX << QByteArray("-1.79769313486231E308");
        QTest::newRow("one below the largest") << below << QByteArray("1.79769313486231E308");
        QTest::newRow("one below, negative") << -below << QByteArray("-1.79769313486231E308");
        // From here down the rounding stays in range, and the text is what it always was.
        QTest::newRow("rounds down near the largest") << 1.7976931348623145e308 << QByteArray("1.79769313486231E308");
        QTest::newRow("15 digits near the largest") << 1.79769313486231e308 << QByteArray("1.79769313486231E308");
        QTest::newRow("1e308") << 1e308 << QByteArray("1E308");
        QTest::newRow("rounds up to 1E308") << 9.999999999999999e307 << QByteArray("1E308");
        QTest::newRow("smallest normal") << DBL_MIN << QByteArray("2.2250738585072E-308");
        QTest::newRow("smallest subnormal")
            << std::numeric_limits<double>::denorm_min() << QByteArray("4.94065645841247E-324");
        QTest::newRow("smallest subnormal, negative")
            << -std::numeric_limits<double>::denorm_min() << QByteArray("-4.94065645841247E-324");
    }
    void doubleAtTheEndsOfTheRange() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(IniText::fromDouble(value), text);
        const std::optional<double> read = IniText::toDouble(text);
        QVERIFY2(read.has_value(), "the written text does not read back");
        QVERIFY(std::isfinite(*read));
        QVERIFY2(std::fabs(*read - value) <= std::fabs(value) * 1e-14, "read back beyond the 15th digit");
        QCOMPARE(IniText::fromDouble(*read), text);
    }
};

QTEST_GUILESS_MAIN(TestIniText)
#include "tst_initext.moc"
