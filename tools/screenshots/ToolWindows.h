#pragma once

#include <QPixmap>

class QWidget;

// Pictures of the stopwatch window and the update window in the states a user meets them in.
namespace ToolWindows {

// A stopwatch running for 1 h 23 min 45.678 s.
QPixmap runningStopwatch();
// A five-minute countdown that has ended.
QPixmap expiredCountdown();

enum class UpdateState { Checking, UpToDate, NewVersion, Failed };
// The update window over parent, asking a server on the loopback interface started for the picture.
QPixmap updateWindow(UpdateState state, QWidget* parent);

} // namespace ToolWindows
