// Draws the program's own pictures at the sizes a start asks for, as Icons::pixmap would draw them, into files and a
// resource file that lists them, so that a start takes them as they are instead of parsing and drawing SVG.
//   zentick_prerender <resource folder> <output folder> <qrc file> <picture>@<size>,<size>...[:raw] ...
// <picture> is relative to the resource folder ("icons/menu/alarm.svg"); each picture is listed as
// ":/icons/png/<picture without .svg>-<size>.png", or with ":raw" as ":/icons/raw/<picture without .svg>-<size>.argb":
// the pixels as the program draws them (Icons::RawHeader, then premultiplied ARGB32 in this machine's byte order),
// which the main window's first frame draws straight from the program's own bytes.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

#include "widgets/RawPicture.h"

#include <cstdio>

namespace {

// Icons::pixmap's drawing, on the raster image a pixmap is on every platform the program runs on.
QImage render(QSvgRenderer& svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return image;
}

bool saveRaw(const QImage& image, const QString& file) {
    QFile out(file);
    const QByteArray bytes = RawPicture::encode(image);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: zentick_prerender <resource folder> <output folder> <qrc file> "
                             "<picture>@<size>,<size>... ...\n");
        return 2;
    }
    const QDir source(arguments.at(0));
    const QDir output(arguments.at(1));
    if (!output.mkpath(QStringLiteral(".")))
        return 1;
    QByteArray pngs;
    QByteArray raws;
    for (QString item : arguments.mid(3)) {
        const bool raw = item.endsWith(QStringLiteral(":raw"));
        if (raw)
            item.chop(4);
        const QString picture = item.section(QLatin1Char('@'), 0, 0);
        QSvgRenderer svg(source.filePath(picture));
        if (!svg.isValid()) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(source.filePath(picture)));
            return 1;
        }
        QString stem = picture;
        stem.remove(QRegularExpression(QStringLiteral("^icons/"))).chop(4);
        for (const QString& side : item.section(QLatin1Char('@'), 1).split(QLatin1Char(','))) {
            const int size = side.toInt();
            const QString name =
                stem + u'-' + QString::number(size) + (raw ? QStringLiteral(".argb") : QStringLiteral(".png"));
            const QString file = output.filePath((raw ? QStringLiteral("raw/") : QStringLiteral("png/")) + name);
            const bool saved = size >= 1 && QDir().mkpath(QFileInfo(file).path()) &&
                               (raw ? saveRaw(render(svg, size), file) : render(svg, size).save(file, "PNG"));
            if (!saved) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
                return 1;
            }
            (raw ? raws : pngs) += "    <file alias=\"" + name.toUtf8() + "\">" + file.toUtf8() + "</file>\n";
        }
    }
    const QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/icons/png\">\n" + pngs +
                           "</qresource>\n<qresource prefix=\"/icons/raw\">\n" + raws + "</qresource>\n</RCC>\n";
    QFile list(arguments.at(2));
    if (!list.open(QIODevice::WriteOnly) || list.write(qrc) != qrc.size())
        return 1;
    return 0;
}
