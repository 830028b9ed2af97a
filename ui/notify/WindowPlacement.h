#pragma once

class QWidget;

// Where the popup windows appear. They have no parent window, so the window manager has nothing to
// centre them on by itself.
namespace WindowPlacement {

void centreOnDesktop(QWidget* window);
void centreOnWindow(QWidget* window, const QWidget* other);

} // namespace WindowPlacement
