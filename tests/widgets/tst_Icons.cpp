#include "widgets/Icons.h"
#include "widgets/RawPicture.h"
#include "widgets/Theme.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QResource>
#include <QSvgRenderer>
#include <QTest>
#include <QWidget>

#include <algorithm>

// The pictures are drawn when asked for, at the size asked for, and once only.
class TestIcons : public QObject {
    Q_OBJECT

private slots:
    void pngPicturesLoadNoImageFormatPlugin(); // first: a later case may load the plugins for its own reasons
    void iconIsDrawnAtTheSizeAsked_data();
    void iconIsDrawnAtTheSizeAsked();
    void missingFileGivesNullPictures();
    void aPictureIsDrawnOncePerSize();
    void picturesDrawnAtBuildTimeAreTheOnesDrawnNow();
    void rawPicturesAreCheckedBeforeUse_data();
    void rawPicturesAreCheckedBeforeUse();
    void everyMenuEntryHasBothPictures();
    void windowIconLeftForLaterComesAfterTheFirstPaint_data();
    void windowIconLeftForLaterComesAfterTheFirstPaint();
};

// The window's and the tray's icons are PNGs read soon after start: naming the format keeps Qt from loading every
// image-format plugin (and libjpeg with them) to guess it, memory the program then keeps all day.
void TestIcons::pngPicturesLoadNoImageFormatPlugin() {
    QVERIFY(!Icons::prerendered(Icons::application(), QSize(64, 64)).isEmpty());
    QVERIFY(!Icons::pixmap(Icons::application(), QSize(64, 64)).isNull());
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QVERIFY(!maps.readAll().contains("/imageformats/"));
}

void TestIcons::iconIsDrawnAtTheSizeAsked_data() {
    QTest::addColumn<int>("side");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("tray, 22 px") << 22 << 1.0;
    QTest::newRow("menu, 16 px at scale 2") << 16 << 2.0;
    QTest::newRow("window, 256 px") << 256 << 1.0;
}

void TestIcons::iconIsDrawnAtTheSizeAsked() {
    QFETCH(int, side);
    QFETCH(qreal, ratio);
    const QIcon icon = Icons::icon(Icons::tray());
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(side, side)));
    const QPixmap picture = icon.pixmap(QSize(side, side), ratio);
    QCOMPARE(picture.size(), QSize(side, side) * ratio);
    QCOMPARE(picture.devicePixelRatio(), ratio);
    // Drawn, not blank: some pixel is opaque.
    const QImage image = picture.toImage();
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y)
        for (int x = 0; x < image.width() && !drawn; ++x)
            drawn = qAlpha(image.pixel(x, y)) > 0;
    QVERIFY(drawn);

    // A disabled menu item still gets a picture, in the style's dimmed form.
    QCOMPARE(icon.pixmap(QSize(side, side), ratio, QIcon::Disabled).size(), QSize(side, side) * ratio);
}

void TestIcons::missingFileGivesNullPictures() {
    const QString missing = QStringLiteral(":/icons/no-such-picture.svg");
    QVERIFY(Icons::icon(missing).isNull());
    QVERIFY(Icons::pixmap(missing, QSize(32, 32)).isNull());
    QVERIFY(Icons::pixmap(Icons::tray(), QSize()).isNull());
}

void TestIcons::aPictureIsDrawnOncePerSize() {
    const QPixmap first = Icons::pixmap(Icons::about(false), QSize(40, 40));
    QVERIFY(!first.isNull());
    QCOMPARE(Icons::pixmap(Icons::about(false), QSize(40, 40)).cacheKey(), first.cacheKey());
    QVERIFY(Icons::pixmap(Icons::about(false), QSize(40, 40), 2.0).cacheKey() != first.cacheKey());
    QVERIFY(Icons::pixmap(Icons::about(true), QSize(40, 40)).cacheKey() != first.cacheKey());
}

// What a start shows was drawn at build time: every picture of the main menu at its size, the window's and the tray's
// icons at every size they are asked for. Each is exactly what drawing the SVG now gives, and what Icons::pixmap
// hands out. The main menu's, which its first frame draws, are kept as their pixels and drawn from the program's own
// bytes, not decoded or copied.
void TestIcons::picturesDrawnAtBuildTimeAreTheOnesDrawnNow() {
    QStringList drawn;
    for (const QString& folder : {QStringLiteral(":/icons/png"), QStringLiteral(":/icons/raw")}) {
        QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            drawn << it.next();
    }
    QCOMPARE(drawn.size(), 36);
    const QRegularExpression name(QStringLiteral("^:/icons/(png|raw)/(.+)-(\\d+)\\.(png|argb)$"));
    for (const QString& file : drawn) {
        const QRegularExpressionMatch match = name.match(file);
        QVERIFY2(match.hasMatch(), qPrintable(file));
        const bool raw = match.captured(1) == QLatin1String("raw");
        QCOMPARE(match.captured(4), QString::fromLatin1(raw ? "argb" : "png"));
        const QString svg = QStringLiteral(":/icons/") + match.captured(2) + QStringLiteral(".svg");
        const int side = match.captured(3).toInt();
        QCOMPARE(raw ? Icons::prerenderedPixels(svg, QSize(side, side)) : Icons::prerendered(svg, QSize(side, side)),
                 file);
        QImage now(side, side, QImage::Format_ARGB32_Premultiplied);
        now.fill(Qt::transparent);
        {
            QPainter painter(&now);
            painter.setRenderHint(QPainter::Antialiasing);
            QSvgRenderer(svg).render(&painter);
        }
        if (raw) {
            const QImage pixels = Icons::pixelsOf(file);
            QVERIFY2(pixels == now, qPrintable(file));
            QCOMPARE(pixels.format(), QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(pixels.constBits(), QResource(file).data() + RawPicture::HeaderSize); // not a copy
        } else {
            QVERIFY2(QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied) == now, qPrintable(file));
        }
        QVERIFY2(Icons::pixmap(svg, QSize(side, side)).toImage() == now, qPrintable(file));
    }
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256})
        QVERIFY(drawn.contains(Icons::prerendered(Icons::application(), QSize(side, side))));
    for (const bool lit : {false, true}) {
        for (int entry = 1; entry <= 8; ++entry)
            QVERIFY(drawn.contains(Icons::prerenderedPixels(Icons::menu(entry, lit), QSize(30, 30))));
        QVERIFY(drawn.contains(Icons::prerenderedPixels(Icons::about(lit), QSize(26, 26))));
        QVERIFY(drawn.contains(Icons::prerenderedPixels(Icons::update(lit), QSize(26, 26))));
    }
}

// Anything but a whole picture written on this machine is no picture.
void TestIcons::rawPicturesAreCheckedBeforeUse_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QImage picture(3, 2, QImage::Format_ARGB32_Premultiplied);
    picture.fill(qRgba(10, 20, 30, 40));
    const QByteArray whole = RawPicture::encode(picture);
    QByteArray otherOrder = whole;
    std::reverse(otherOrder.begin() + 12, otherOrder.begin() + 16);
    QByteArray otherMark = whole;
    otherMark[0] = 'X';
    QTest::newRow("whole") << whole << true;
    QTest::newRow("a pixel short") << whole.chopped(4) << false;
    QTest::newRow("a byte over") << whole + QByteArray(1, '\0') << false;
    QTest::newRow("other byte order") << otherOrder << false;
    QTest::newRow("other mark") << otherMark << false;
    QTest::newRow("header only") << whole.left(RawPicture::HeaderSize) << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestIcons::rawPicturesAreCheckedBeforeUse() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QImage picture(3, 2, QImage::Format_ARGB32_Premultiplied);
    picture.fill(qRgba(10, 20, 30, 40));
    // On a 4-byte boundary, and off it (then copied).
    for (const int offset : {0, 1}) {
        QByteArray buffer(offset, '\0');
        buffer += bytes;
        const QImage image =
            RawPicture::decode(reinterpret_cast<const uchar*>(buffer.constData()) + offset, bytes.size());
        QCOMPARE(!image.isNull(), valid);
        if (valid)
            QCOMPARE(image, picture);
    }
}

// The main menu's eight entries, plain and highlighted, are in the resources; there is no entry 0 or 9.
void TestIcons::everyMenuEntryHasBothPictures() {
    for (int entry = 1; entry <= 8; ++entry) {
        QVERIFY(!Icons::pixmap(Icons::menu(entry, false), QSize(32, 32)).isNull());
        QVERIFY(!Icons::pixmap(Icons::menu(entry, true), QSize(32, 32)).isNull());
    }
    QVERIFY(Icons::menu(0, false).isEmpty());
    QVERIFY(Icons::menu(9, true).isEmpty());
}

namespace {
// Notes whether the program's window icon was already there when the window was first painted.
class PaintProbe final : public QWidget {
public:
    int paints = 0;
    bool iconAtFirstPaint = false;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        if (paints++ == 0)
            iconAtFirstPaint = !QApplication::windowIcon().isNull();
    }
};
} // namespace

void TestIcons::windowIconLeftForLaterComesAfterTheFirstPaint_data() {
    QTest::addColumn<bool>("shown");
    QTest::newRow("window shown") << true;
    QTest::newRow("started hidden") << false;
}

// A start leaves the icon (every size decoded and sent to the window manager) until its window is on the screen;
// every window has it all the same once the start is over.
void TestIcons::windowIconLeftForLaterComesAfterTheFirstPaint() {
    QFETCH(bool, shown);
    QApplication::setWindowIcon(QIcon());
    Theme::apply(*qApp, Theme::WindowIcon::Later);
    QVERIFY(QApplication::windowIcon().isNull());
    PaintProbe window;
    window.resize(200, 100);
    if (shown)
        window.show();
    Theme::applyWindowIconAfterFirstPaint(&window);
    QTRY_VERIFY(!QApplication::windowIcon().isNull());
    QCOMPARE(window.windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    if (shown) {
        QTRY_VERIFY(window.paints > 0);
        QVERIFY2(!window.iconAtFirstPaint, "the icon was made before the window was painted");
    }
    QVERIFY(!QApplication::windowIcon().pixmap(QSize(32, 32)).isNull());
}

QTEST_MAIN(TestIcons)
#include "tst_Icons.moc"
