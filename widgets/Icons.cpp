#include "widgets/Icons.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include "widgets/RawPicture.h"

#include <array>

// The pictures drawn at build time (resources/CMakeLists.txt), linked in with this library.
static void initPrerendered() {
    Q_INIT_RESOURCE(prerendered);
}

namespace {
constexpr std::array<const char*, 8> menuNames{"alarm", "shutdown",    "birthday", "events",
                                               "timer", "addressbook", "diary",    "settings"};

QString variant(const QString& stem, bool highlighted) {
    return highlighted ? stem + QStringLiteral("-lit.svg") : stem + QStringLiteral(".svg");
}

// Draws the picture at the size it is asked for, when it is asked for: a tray icon that no tray shows, or a menu
// that is never opened, costs nothing.
class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(QString path)
        : m_path(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State /*state*/) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, draw(rect.size(), mode, ratio));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/) override {
        return draw(size, mode, 1.0);
    }
    // QIcon asks with the size in device pixels.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State /*state*/, qreal scale) override {
        const qreal ratio = scale > 0 ? scale : 1.0;
        return draw((QSizeF(size) / ratio).toSize(), mode, ratio);
    }
    QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override { return size; }
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    }
    bool isNull() override { return !QFile::exists(m_path); }
    QString key() const override { return QStringLiteral("zentick-svg"); }
    QIconEngine* clone() const override { return new SvgIconEngine(m_path); }

private:
    QPixmap draw(const QSize& size, QIcon::Mode mode, qreal ratio) const {
        QPixmap picture = Icons::pixmap(m_path, size, ratio);
        if (mode == QIcon::Normal || picture.isNull() || !QApplication::style())
            return picture;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

    QString m_path;
};
} // namespace

namespace Icons {

QString menu(int menuChoice, bool highlighted) {
    if (menuChoice < 1 || menuChoice > int(menuNames.size()))
        return {};
    return variant(QStringLiteral(":/icons/menu/") + QLatin1String(menuNames[std::size_t(menuChoice - 1)]),
                   highlighted);
}

QString about(bool highlighted) {
    return variant(QStringLiteral(":/icons/about"), highlighted);
}

QString update(bool highlighted) {
    return variant(QStringLiteral(":/icons/update"), highlighted);
}

QString tray() {
    return QStringLiteral(":/icons/tray.svg");
}

QString application() {
    return QStringLiteral(":/icons/zentick.svg");
}

namespace {
// "<name>-<side>" of a picture the build may have drawn at that size; empty for other paths and sizes not square.
QString drawnName(const QString& path, const QSize& pixels) {
    static const QString pictures = QStringLiteral(":/icons/");
    if (pixels.width() != pixels.height() || !path.startsWith(pictures) || !path.endsWith(QStringLiteral(".svg")))
        return {};
    return path.mid(pictures.size()).chopped(4) + u'-' + QString::number(pixels.width());
}
} // namespace

QString prerendered(const QString& path, const QSize& pixels) {
    const QString name = drawnName(path, pixels);
    return name.isEmpty() ? QString() : QStringLiteral(":/icons/png/") + name + QStringLiteral(".png");
}

QString prerenderedPixels(const QString& path, const QSize& pixels) {
    const QString name = drawnName(path, pixels);
    return name.isEmpty() ? QString() : QStringLiteral(":/icons/raw/") + name + QStringLiteral(".argb");
}

QImage pixelsOf(const QString& resource) {
    const QResource bytes(resource);
    if (!bytes.isValid() || bytes.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return RawPicture::decode(bytes.data(), bytes.size());
}

namespace {

// What the build drew at this size: its pixels as they are linked in, else its PNG (read as PNG by name, so that
// Qt loads no image-format plugin to guess); null when the build drew no such size.
QImage drawnAtBuildTime(const QString& path, const QSize& pixels) {
    static const bool linked = (initPrerendered(), true);
    Q_UNUSED(linked);
    QImage image = pixelsOf(prerenderedPixels(path, pixels));
    if (!image.isNull())
        return image;
    const QString png = prerendered(path, pixels);
    if (png.isEmpty() || !QFile::exists(png))
        return {};
    QImageReader reader(png, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

// Each picture is drawn once per size and ratio and then taken from Qt's pixmap cache: the labels repaint on every
// hover, and parsing an SVG file costs far more than drawing a pixmap. The sizes a start asks for were drawn at build
// time, the same way, and only need decoding, or not even that.
QPixmap pixmap(const QString& path, const QSize& size, qreal devicePixelRatio) {
    if (size.isEmpty())
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QString key =
        QStringLiteral("zentick-icon:%1:%2x%3@%4").arg(path).arg(size.width()).arg(size.height()).arg(ratio);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    const QImage drawn = drawnAtBuildTime(path, size * ratio);
    if (!drawn.isNull()) {
        picture = QPixmap::fromImage(drawn, Qt::NoFormatConversion);
    } else {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return {};
        picture = QPixmap(size * ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    picture.setDevicePixelRatio(ratio);
    QPixmapCache::insert(key, picture);
    return picture;
}

QIcon icon(const QString& path) {
    return QIcon(new SvgIconEngine(path));
}

} // namespace Icons
