#include "platform/Autostart.h"

#include "platform/XdgConfigHome.h"

#include "ProductIdentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstring>

namespace {

// Characters that make an Exec argument need quotes, and those that need a backslash inside the quotes.
constexpr char Reserved[] = " \t\n\"'\\><~|&;$*?#()`";
constexpr char EscapedInQuotes[] = "\"`$\\";

QString quotedArgument(const QString& argument) {
    const bool plain = std::none_of(argument.cbegin(), argument.cend(), [](QChar c) {
        return c.unicode() < 128 && std::strchr(Reserved, c.toLatin1()) != nullptr;
    });
    QString quoted;
    if (plain) {
        quoted = argument;
    } else {
        quoted = QStringLiteral("\"");
        for (const QChar c : argument) {
            if (c.unicode() < 128 && std::strchr(EscapedInQuotes, c.toLatin1()) != nullptr)
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted += QLatin1Char('"');
    }
    // The Exec value is a string value too: its own backslashes double, and % starts a field code.
    return quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('%'), QStringLiteral("%%"));
}

// The value of key in the [Desktop Entry] group, or a null string.
QString entryValue(const QByteArray& contents, const QByteArray& key) {
    bool inEntry = false;
    for (const QByteArray& raw : contents.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry || !line.startsWith(key))
            continue;
        const QByteArray rest = line.mid(key.size()).trimmed();
        if (rest.startsWith('='))
            return QString::fromUtf8(rest.mid(1).trimmed());
    }
    return QString();
}

} // namespace

Autostart::Autostart(QString folder, QString program)
    : m_folder(std::move(folder))
    , m_program(std::move(program)) {}

Autostart Autostart::forCurrentUser() {
    return Autostart(userFolder(), programFor(QCoreApplication::applicationFilePath()));
}

QString Autostart::userFolder() {
    return xdgConfigHome() + QStringLiteral("/autostart");
}

QString Autostart::programFor(const QString& executable) {
    QString name = QFileInfo(executable).fileName();
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == QFileInfo(executable).canonicalFilePath())
        return name;
    return QFileInfo(executable).absoluteFilePath();
}

QString Autostart::filePath() const {
    return m_folder + QLatin1Char('/') + QLatin1String(ProductIdentity::AppId) + QStringLiteral(".desktop");
}

bool Autostart::isEnabled() const {
    QFile file(filePath());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray contents = file.readAll();
    if (entryValue(contents, "Type").isNull())
        return false;
    return entryValue(contents, "Hidden") != QStringLiteral("true") &&
           entryValue(contents, "X-GNOME-Autostart-enabled") != QStringLiteral("false");
}

bool Autostart::setEnabled(bool enabled) {
    m_error.clear();
    const QString path = filePath();
    if (!enabled) {
        QFile file(path);
        if (!QFileInfo::exists(path) || file.remove())
            return true;
        m_error = file.errorString();
        return false;
    }
    if (!QDir().mkpath(m_folder)) {
        m_error = QCoreApplication::translate("Autostart", "The folder \"%1\" cannot be made.").arg(m_folder);
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(entry()) >= 0 && file.commit())
        return true;
    m_error = file.errorString();
    return false;
}

QByteArray Autostart::entry() const {
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Zentick\n"
                                        "Comment=Starts Zentick hidden behind its tray icon\n"
                                        "Exec=%1 -h\n"
                                        "Icon=%2\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(quotedArgument(m_program), QLatin1String(ProductIdentity::AppId));
    return text.toUtf8();
}
