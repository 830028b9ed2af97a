#include "widgets/Icons.h"

#include <QPainter>
#include <QSvgRenderer>

#include <array>

namespace {
constexpr std::array<const char*, 8> menuNames{"alarm", "shutdown",    "birthday", "events",
                                               "timer", "addressbook", "diary",    "settings"};

QString variant(const QString& stem, bool highlighted) {
    return highlighted ? stem + QStringLiteral("-lit.svg") : stem + QStringLiteral(".svg");
}
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

QPixmap pixmap(const QString& path, const QSize& size, qreal devicePixelRatio) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid() || size.isEmpty())
        return {};
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap picture(size * ratio);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
    }
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QIcon icon(const QString& path) {
    QIcon result;
    for (const int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QPixmap picture = pixmap(path, QSize(side, side));
        if (!picture.isNull())
            result.addPixmap(picture);
    }
    return result;
}

} // namespace Icons
