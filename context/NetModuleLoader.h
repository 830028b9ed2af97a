#pragma once

#include <QString>

class NetModule;

// Finds and loads the network plugin (NetModule.h) at its first use, and keeps it for the rest of the run.
namespace NetModuleLoader {

constexpr const char* FileName = "zentick-net.so";

// Beside the executable first (a build tree, a portable copy), then in the installed library folder (lib/zentick
// beside bin), as the sound helper is found. When neither holds it, the place beside the executable.
QString path(const QString& executableFolder);

// The folder path() starts from; the executable's unless set (tests point at the build tree, or at an empty
// folder for a program installed without the plugin).
void setExecutableFolder(const QString& folder);

// The module, loaded now if it was not yet; null when it cannot be loaded, with the reason in error.
NetModule* instance(QString* error = nullptr);

// The sentence the update check and the sync show when the plugin is missing or broken.
QString unavailableText(const QString& error);

} // namespace NetModuleLoader
