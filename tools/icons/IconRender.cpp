// Renders an SVG icon to square PNGs, for the hicolor icon theme and for looking at the tray icon on panels.
//   zentick_iconrender theme <svg> <theme folder> <icon name> <size>...
//       writes <theme folder>/<size>x<size>/apps/<icon name>.png for every size
//   zentick_iconrender panels <svg> <png> <size>...
//       one picture: the icon at every size on a light and on a dark panel, side by side

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cstdio>

namespace {

QImage render(QSvgRenderer& svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return image;
}

QList<int> sizesFrom(const QStringList& arguments) {
    QList<int> sizes;
    for (const QString& argument : arguments) {
        bool ok = false;
        const int size = argument.toInt(&ok);
        if (!ok || size < 1 || size > 1024)
            return {};
        sizes << size;
    }
    return sizes;
}

int writeTheme(QSvgRenderer& svg, const QString& themeFolder, const QString& name, const QList<int>& sizes) {
    for (const int size : sizes) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(themeFolder).arg(size);
        const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(folder) || !render(svg, size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}

// Panels differ in colour far more than in size: the icon has to hold its shape on both kinds.
int writePanels(QSvgRenderer& svg, const QString& file, const QList<int>& sizes) {
    constexpr int Gap = 8;
    int width = Gap;
    int tallest = 0;
    for (const int size : sizes) {
        width += size + Gap;
        tallest = std::max(tallest, size);
    }
    const int rowHeight = tallest + 2 * Gap;
    QImage sheet(width, 2 * rowHeight, QImage::Format_RGB32);
    QPainter painter(&sheet);
    const QColor panels[] = {QColor(0xf2, 0xf2, 0xf2), QColor(0x1e, 0x1f, 0x22)};
    for (int row = 0; row < 2; ++row) {
        painter.fillRect(0, row * rowHeight, width, rowHeight, panels[row]);
        int x = Gap;
        for (const int size : sizes) {
            painter.drawImage(x, row * rowHeight + (rowHeight - size) / 2, render(svg, size));
            x += size + Gap;
        }
    }
    painter.end();
    if (!sheet.save(file, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: zentick_iconrender theme <svg> <theme folder> <icon name> <size>...\n"
                         "       zentick_iconrender panels <svg> <png> <size>...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 4)
        return usage();
    QSvgRenderer svg(arguments.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments.at(1)));
        return 1;
    }
    if (arguments.at(0) == QStringLiteral("theme") && arguments.size() >= 5) {
        const QList<int> sizes = sizesFrom(arguments.mid(4));
        return sizes.isEmpty() ? usage() : writeTheme(svg, arguments.at(2), arguments.at(3), sizes);
    }
    if (arguments.at(0) == QStringLiteral("panels")) {
        const QList<int> sizes = sizesFrom(arguments.mid(3));
        return sizes.isEmpty() ? usage() : writePanels(svg, arguments.at(2), sizes);
    }
    return usage();
}
