#pragma once

#include <QByteArray>
#include <QString>

// Stored strings are bytes: the store never interprets them, and files of the earlier Windows version
// hold Windows-1252 text. Only what is shown is decoded, and only what the user typed is encoded.

// UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252 (its five unassigned bytes as the C1
// controls, as Windows itself maps them).
QString storedTextToDisplay(const QByteArray& stored);
// What the user typed, for the store: UTF-8.
QByteArray displayTextToStored(const QString& text);
