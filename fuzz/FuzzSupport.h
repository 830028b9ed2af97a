#pragma once

// Shared by the fuzz targets: a scratch folder (in memory where the system has one, since every run writes
// and renames files), a file writer, and a check that stops the fuzzer with a message.

#include "store/XMLIniFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

inline const QString& scratchFolder() {
    static const QTemporaryDir dir(
        (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
        QStringLiteral("/zentick-fuzz-XXXXXX"));
    static const QString path = dir.path();
    return path;
}

inline QString scratchFile(const QString& name) {
    return scratchFolder() + QLatin1Char('/') + name;
}

// Replaces the file; a missing content removes it.
inline QString writeScratch(const QString& name, const QByteArray& content) {
    const QString path = scratchFile(name);
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

inline QByteArray readScratch(const QString& name) {
    QFile file(scratchFile(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A broken property: print what broke and abort, so libFuzzer keeps the input as a finding.
#define FUZZ_CHECK(condition, ...)                                                                                     \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "check failed: %s: ", #condition);                                                    \
            std::fprintf(stderr, __VA_ARGS__);                                                                         \
            std::fputc('\n', stderr);                                                                                  \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// What a load leaves of a name or value: blanks and control bytes at either end are dropped.
inline QByteArray trimmedControls(QByteArray text) {
    while (!text.isEmpty() && static_cast<unsigned char>(text.front()) <= 0x20)
        text.remove(0, 1);
    while (!text.isEmpty() && static_cast<unsigned char>(text.back()) <= 0x20)
        text.chop(1);
    return text;
}

inline bool printableDocument(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7F)
            continue;
        // Line breaks only as CR LF pairs.
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

// A store that loaded a damaged document copies it aside, as found, before its first save: a file of its own
// (never a link, even for a store opened through one) holding exactly the bytes found. The copy is checked and
// removed: over millions of runs the copies would pile up, and each new one looks further for a free name.
inline void checkDamagedCopy(TXMLIniFile& store, const QByteArray& found) {
    if (!store.isDamaged() || store.saveCount() == 0)
        return;
    const QString copy = store.keepDamagedCopy();
    QFile file(copy);
    FUZZ_CHECK(!QFileInfo(copy).isSymLink(), "the damaged copy %s is a link", qPrintable(copy));
    FUZZ_CHECK(file.open(QIODevice::ReadOnly) && file.readAll() == found,
               "the damaged copy %s is not the file as found", qPrintable(copy));
    file.remove();
}

} // namespace Fuzz
