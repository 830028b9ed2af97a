#pragma once

#include <QString>

class QDateTime;

namespace DateTimeText {

// The locale's short date, a blank and its long time; the time left out at exactly midnight, as a
// date-only moment has always been written. Qt's long time carries a zone name, which is dropped.
QString shortDateLongTime(const QDateTime& moment);

} // namespace DateTimeText
