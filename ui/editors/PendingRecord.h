#pragma once

#include "context/EditRoute.h"

#include <QByteArray>
#include <functional>

class TXMLIniFile;

// What an editor hands the confirmation page with its text: the record to write when the user confirms. It is
// read from the editor's controls at that moment, so a time given as "after" counts from the confirmation.
struct PendingRecord {
    EditRoute::Editor editor = EditRoute::Editor::Alarm;
    // Writes the record into section of events; gives the day the calendar view shows after a commit from it.
    std::function<double(TXMLIniFile& events, const QByteArray& section, double now)> write;
};
