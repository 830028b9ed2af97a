#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

// Where Zentick's own pictures live. They are SVG files in resources/resources.qrc, which is linked into the
// program (not into this library): a test that shows them adds resources/resources.qrc to its own sources.
//
// Main-menu entries by menuChoice, 1 to 8 as the menu numbers them:
//   1 alarm, 2 shutdown, 3 birthday, 4 events, 5 timer, 6 addressbook, 7 diary, 8 settings
//   -> ":/icons/menu/<name>.svg", highlighted ":/icons/menu/<name>-lit.svg"
namespace Icons {

QString menu(int menuChoice, bool highlighted); // empty for a number outside 1..8
QString about(bool highlighted);                // ":/icons/about.svg", ":/icons/about-lit.svg"
QString update(bool highlighted);               // ":/icons/update.svg", ":/icons/update-lit.svg"
QString tray();                                 // ":/icons/tray.svg" (drawn to read at 16, 22 and 32 px)
QString application();                          // ":/icons/zentick.svg"

// The picture at a size in device-independent pixels, rendered for the given device pixel ratio, so it stays
// sharp at any scaling; drawn once per size and kept in Qt's pixmap cache. A null pixmap when the file is missing.
// The sizes a start shows were drawn at build time; those are taken as they are (the main menu's, kept as pixels)
// or decoded (the window's and the tray's icons, kept as PNG), not drawn.
QPixmap pixmap(const QString& path, const QSize& size, qreal devicePixelRatio = 1.0);

// Where the build-time drawing of a picture at a size in device pixels is: ":/icons/png/<name>-<side>.png" for
// ":/icons/<name>.svg" (it may not have been drawn at that size); empty for other paths and for sizes not square.
QString prerendered(const QString& path, const QSize& pixels);
// The same, kept as its pixels (widgets/RawPicture.h): ":/icons/raw/<name>-<side>.argb".
QString prerenderedPixels(const QString& path, const QSize& pixels);
// Such a picture over the resource's own bytes; a null image when there is none.
QImage pixelsOf(const QString& resource);

// An icon for windows, menus and the tray, offering the usual sizes (16 to 256); each is drawn only when it is
// first asked for. A null icon when the file is missing.
QIcon icon(const QString& path);

} // namespace Icons
