#pragma once

#include <QLatin1String>

// Names of systemd-logind's bus interface.
namespace Logind {
inline constexpr QLatin1String Service("org.freedesktop.login1");
inline constexpr QLatin1String ManagerPath("/org/freedesktop/login1");
inline constexpr QLatin1String ManagerInterface("org.freedesktop.login1.Manager");
inline constexpr QLatin1String SessionInterface("org.freedesktop.login1.Session");
} // namespace Logind
