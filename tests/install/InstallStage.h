#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

// The build installed with `cmake --install --prefix /usr` into a temporary staging folder (DESTDIR), as a
// package build does.
struct InstallStage {
    // Empty when the install went well, else what cmake said.
    QString install() {
        if (!stage.isValid())
            return QStringLiteral("no temporary folder");
        QProcess cmake;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), stage.path());
        cmake.setProcessEnvironment(environment);
        cmake.setProcessChannelMode(QProcess::MergedChannels);
        cmake.start(qEnvironmentVariable("ZENTICK_CMAKE"),
                    {QStringLiteral("--install"), qEnvironmentVariable("ZENTICK_BUILD_DIR"), QStringLiteral("--prefix"),
                     QStringLiteral("/usr")});
        if (!cmake.waitForFinished(60'000) || cmake.exitStatus() != QProcess::NormalExit || cmake.exitCode() != 0)
            return QStringLiteral("cmake --install failed:\n") + QString::fromLocal8Bit(cmake.readAll());
        return QString();
    }

    // A path below the prefix, such as "bin/zentick".
    QString path(const QString& relative) const { return stage.path() + QStringLiteral("/usr/") + relative; }

    QTemporaryDir stage;
};

// What a command printed and how it ended; exitCode -1 when it could not be started or did not end.
struct CommandResult {
    int exitCode = -1;
    QString output;
};

inline CommandResult runCommand(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(60'000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(" could not be run: ") + process.errorString()};
    return {process.exitCode(), QString::fromLocal8Bit(process.readAll())};
}
