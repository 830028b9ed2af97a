#include "SoundSetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool prepared = false;
QString pinnedRoot;

// <runtime dir>/zentick-soundfont/sounds/sf2 holding nothing but a link to soundFont. The runtime
// folder is private to the user, so nobody else can slip a font of their own in; it is kept from run to
// run because the program may end without running its exit handlers.
QString makeSoundFontRoot(const QFileInfo& font) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return QString();
    QString root = runtime + QStringLiteral("/zentick-soundfont");
    QDir folder(root + QStringLiteral("/sounds/sf2"));
    if (!folder.mkpath(QStringLiteral(".")))
        return QString();

    const QString link = folder.filePath(font.fileName());
    const QStringList entries = folder.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry != font.fileName())
            folder.remove(entry);
    }
    if (QFileInfo(link).symLinkTarget() != font.absoluteFilePath()) {
        QFile::remove(link);
        if (!QFile::link(font.absoluteFilePath(), link))
            return QString();
    }
    return root;
}

} // namespace

void prepareSoundPlayback(const QString& soundFont) {
    if (prepared)
        return;
    prepared = true;
    qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("gstreamer"));

    const QFileInfo font(soundFont);
    if (!font.isFile())
        return;
    const QString root = makeSoundFontRoot(font);
    if (root.isEmpty())
        return;
    QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QByteArrayLiteral("/usr/local/share/:/usr/share/"); // the XDG default
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root) + ':' + dataDirs);
    pinnedRoot = root;
}

QString pinnedSoundFontRoot() {
    return pinnedRoot;
}
