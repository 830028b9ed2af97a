#include "SoundSetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <memory>

namespace {

// Lives until the process ends, then removes the link folder.
std::unique_ptr<QTemporaryDir>& soundFontRoot() {
    static std::unique_ptr<QTemporaryDir> root;
    return root;
}

bool prepared = false;

void pinSoundFont(const QString& soundFont) {
    const QFileInfo font(soundFont);
    if (!font.isFile())
        return;
    auto root = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/zentick-soundfont-XXXXXX"));
    if (!root->isValid())
        return;
    const QString folder = root->path() + QStringLiteral("/sounds/sf2");
    if (!QDir().mkpath(folder) || !QFile::link(font.absoluteFilePath(), folder + QLatin1Char('/') + font.fileName()))
        return;

    QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QByteArrayLiteral("/usr/local/share/:/usr/share/"); // the XDG default
    qputenv("XDG_DATA_DIRS", QFile::encodeName(root->path()) + ':' + dataDirs);
    soundFontRoot() = std::move(root);
}

} // namespace

void prepareSoundPlayback(const QString& soundFont) {
    if (prepared)
        return;
    prepared = true;
    qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("gstreamer"));
    pinSoundFont(soundFont);
}

QString pinnedSoundFontRoot() {
    return soundFontRoot() ? soundFontRoot()->path() : QString();
}
