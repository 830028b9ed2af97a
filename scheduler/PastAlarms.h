#pragma once

#include <QByteArray>

class TXMLIniFile;

namespace PastAlarms {

// Moves an alarm to the past-alarm store: a new past-alarm record (first free number) with "date" =
// date, the record's "sound" and description, then the event record is erased. Used by the firing of
// a one-time alarm (the scheduled moment), "Disable Repetition" and "Delete" on the alarm list (the
// stored "date"). Both stores are saved once. Returns the past-alarm section name.
QByteArray retire(TXMLIniFile& events, TXMLIniFile& pastAlarms, const QByteArray& section, double date);

} // namespace PastAlarms
