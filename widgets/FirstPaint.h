#pragma once

#include <functional>

class QWidget;

namespace FirstPaint {

// How long a window that is shown may stay unpainted before the work runs all the same.
constexpr int LatestMs = 2000;

// Runs work once, after window has been put on the screen: queued behind its first paint, so the event loop sends
// what the paint produced before anything else is done; at the next turn of the event loop when the window is not
// shown (hidden or minimised); and after latestMs at the latest, for a window hidden again before it was ever
// painted. What a start can leave until its window is seen goes here.
void runAfter(QWidget* window, std::function<void()> work, int latestMs = LatestMs);

} // namespace FirstPaint
