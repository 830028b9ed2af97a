#pragma once

#include "platform/DataFolderMove.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class TXMLIniFile;

// Moving the data files to another folder as one step that a kill cannot leave half done. Before the first file
// moves, the settings are saved with the new folder and, beside it, the folder the files come from; after the
// last, that second key goes. A start that finds the key finishes the move before it opens the stores, so the
// program never opens an empty folder while the user's alarms wait in the other one.
namespace DataFolderRelocation {

// The data files, in the order they move.
QStringList dataFileNames();

struct Outcome {
    QString from;
    QString to;
    // What stayed in the old folder (a file of that name already in the new one, a failed copy).
    QList<DataFolderMove::FileLeft> left;
    // Set when nothing moved: why (an empty name: the new folder cannot take the files at all). "alpath" is as
    // it was and the old folder stays the data folder.
    std::optional<DataFolderMove::FileLeft> failure;
};

// Makes `to` the data folder and moves the data files there, all of them or none; the stores must be closed.
// Only a file of the same name already in `to` stays behind (that one is used from then on). Throws what the
// settings store throws: when recording the move fails, nothing has moved and the old folder stays the data
// folder; when ending the record fails, the files have moved and the next start ends it.
Outcome move(TXMLIniFile& settings, const QString& from, const QString& to);

// At start, before the stores open: finishes a move that was recorded and not ended. Nothing when none was.
std::optional<Outcome> finishInterrupted(TXMLIniFile& settings);

// Tells the user which files stayed behind, or why none moved; empty when all did.
QString leftBehindMessage(const Outcome& outcome);

} // namespace DataFolderRelocation
