#pragma once

#include <QDateTime>

class TXMLIniFile;

// A dozen records of every kind, as a user's stores might hold them after a few months, dated from `now` on so
// that nothing is due while the pictures are taken.
namespace SampleEvents {

void fill(TXMLIniFile& events, TXMLIniFile& pastAlarms, TXMLIniFile& settings, const QDateTime& now);

} // namespace SampleEvents
