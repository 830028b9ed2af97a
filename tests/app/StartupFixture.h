#pragma once

// Folder trees for start-up tests. A case under tests/data/app/startup/<case>/ holds "before/" (copied
// into the executable's folder), "after/" (the exact tree expected afterwards) and optionally "error"
// (the message start-up ends with). "@EXE@" in a file stands for the executable's folder, escaped as
// the store escapes values in ".xml" files. A start that ends with an error leaves every file as it was. A ".keep" file
// only makes its folder part of the tree.

#include "store/XmlDocument.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QStringList>

namespace StartupFixture {

inline QString caseFolder(const QString& name) {
    return qEnvironmentVariable("ZENTICK_TEST_DATA") + QStringLiteral("/app/startup/") + name;
}

inline QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray substituted(const QString& relativePath, QByteArray content, const QString& exeFolder) {
    const QByteArray path = exeFolder.toUtf8();
    const bool xml = relativePath.endsWith(QLatin1String(".xml"));
    return content.replace("@EXE@", xml ? XmlDocument::StrToXML(path) : path);
}

inline bool isMarker(const QString& path) {
    return path.endsWith(QLatin1String("/.keep")) || path == QLatin1String(".keep");
}

// Relative paths of every folder (with a trailing "/") and file below root, markers left out.
inline QStringList treeOf(const QString& root, const QSet<QString>& ignored = {}) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString relative = QDir(root).relativeFilePath(it.filePath());
        if (isMarker(relative) || ignored.contains(relative))
            continue;
        entries << (it.fileInfo().isDir() ? relative + QLatin1Char('/') : relative);
    }
    entries.sort();
    return entries;
}

inline void copyBefore(const QString& caseName, const QString& exeFolder) {
    const QString from = caseFolder(caseName) + QStringLiteral("/before");
    for (const QString& entry : treeOf(from)) {
        if (entry.endsWith(QLatin1Char('/'))) {
            QDir(exeFolder).mkpath(entry);
            continue;
        }
        QFile out(exeFolder + QLatin1Char('/') + entry);
        if (out.open(QIODevice::WriteOnly))
            out.write(substituted(entry, readAll(from + QLatin1Char('/') + entry), exeFolder));
    }
}

// Empty when the folder holds exactly the expected tree, byte for byte; otherwise the first difference.
inline QString differenceFromAfter(const QString& caseName, const QString& exeFolder,
                                   const QSet<QString>& ignored = {}) {
    const QString expectedRoot = caseFolder(caseName) + QStringLiteral("/after");
    const QStringList expected = treeOf(expectedRoot);
    const QStringList actual = treeOf(exeFolder, ignored);
    if (expected != actual)
        return QStringLiteral("tree differs: expected [%1], found [%2]")
            .arg(expected.join(QStringLiteral(", ")), actual.join(QStringLiteral(", ")));
    for (const QString& entry : expected) {
        if (entry.endsWith(QLatin1Char('/')))
            continue;
        const QByteArray want = substituted(entry, readAll(expectedRoot + QLatin1Char('/') + entry), exeFolder);
        const QByteArray got = readAll(exeFolder + QLatin1Char('/') + entry);
        if (want != got)
            return QStringLiteral("%1 differs:\n--- expected\n%2\n--- found\n%3")
                .arg(entry, QString::fromUtf8(want), QString::fromUtf8(got));
    }
    return {};
}

inline QString expectedError(const QString& caseName, const QString& exeFolder) {
    return QString::fromUtf8(
        substituted(QStringLiteral("error"), readAll(caseFolder(caseName) + QStringLiteral("/error")), exeFolder));
}

inline QStringList caseNames() {
    return {QStringLiteral("first-start"),
            QStringLiteral("full-import"),
            QStringLiteral("own-data-folder"),
            QStringLiteral("alm-beside-xml"),
            QStringLiteral("vanished-data-folder"),
            QStringLiteral("bad-diary"),
            QStringLiteral("unreadable-store"),
            QStringLiteral("calendar-folder"),
            QStringLiteral("windows-data-folder"),
            QStringLiteral("windows-path-in-settings"),
            QStringLiteral("data-folder-move-cut-short")};
}

} // namespace StartupFixture
