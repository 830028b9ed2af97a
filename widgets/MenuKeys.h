#pragma once

class QWidget;

// The Menu key and Shift+F10 open a control's popup menu, as a right click does: a list's at its current row (the
// middle of the list when it has none), any other control's at its middle. The control's own context-menu
// handling answers (Qt::CustomContextMenu's customContextMenuRequested, or contextMenuEvent), with the position in
// the same coordinates a click gives: a list's viewport's. Qt leaves these keys to the platform, and X11 sends
// nothing for Shift+F10.
namespace MenuKeys {

void install(QWidget* control);

} // namespace MenuKeys
