#include "context/NetModuleLoader.h"

#include "InstallLayout.h"
#include "context/NetModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPluginLoader>

namespace {

QString& chosenFolder() {
    static QString folder;
    return folder;
}

} // namespace

namespace NetModuleLoader {

QString path(const QString& executableFolder) {
    return InstallLayout::helperPath(executableFolder, QLatin1String(FileName),
                                     [](const QFileInfo& file) { return file.isFile(); });
}

void setExecutableFolder(const QString& folder) {
    chosenFolder() = folder;
}

NetModule* instance(QString* error) {
    const QString folder = chosenFolder().isEmpty() ? QCoreApplication::applicationDirPath() : chosenFolder();
    // One loader per file: the library stays loaded for the rest of the run (QPluginLoader never unloads it unless
    // asked), and a folder without the plugin does not hide one loaded before.
    static QHash<QString, QPluginLoader*> loaders;
    const QString file = path(folder);
    QPluginLoader*& loader = loaders[file];
    if (loader == nullptr)
        loader = new QPluginLoader(file, QCoreApplication::instance());
    auto* module = qobject_cast<NetModule*>(loader->instance());
    if (module == nullptr && error != nullptr)
        *error = QFileInfo::exists(file) ? loader->errorString()
                                         : QCoreApplication::translate("NetModuleLoader", "%1 was not found")
                                               .arg(QDir::toNativeSeparators(file));
    return module;
}

QString unavailableText(const QString& error) {
    return QCoreApplication::translate("NetModuleLoader",
                                       "Zentick's network module could not be loaded (%1); reinstall Zentick.")
        .arg(error);
}

} // namespace NetModuleLoader
