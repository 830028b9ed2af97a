#pragma once

#include <QColor>
#include <QPalette>

class QApplication;
class QWidget;

// Zentick's one look: a deep blue-grey palette on the Fusion style, the stylesheet ":/zentick.qss" for the
// standard controls (fields, lists, menus, tick boxes, scroll bars, tooltips) and the colours that carry meaning.
// Call Theme::apply(app) once in main(), before the first window is built (the program leaves the stylesheet until
// its main window is on the screen). The kit's own controls draw their
// meaningful colours themselves, so they keep them even where the stylesheet is missing (tests).
namespace Theme {

QColor chosenColour();    // the chosen caption of a choice group: 230, 224, 0
QColor unchosenColour();  // the other captions: 224, 224, 224
QColor hoverColour();     // a caption under the pointer: 255, 255, 255
QColor filterOffColour(); // "Advanced" while no day or month filter is set: 192, 220, 192
QColor filterOnColour();  // "Advanced" while a filter is set: 255, 255, 0
QColor accentColour();    // selection, focus and the default button

QPalette palette();

enum class WindowIcon { Now, Later };
enum class StyleSheet { Now, Later };

// Fusion style, palette and, unless they are left for later, the stylesheet and the window icon. Returns false when
// ":/zentick.qss" could not be read (resources/resources.qrc not linked, or its initialiser dropped by the static
// link: call Q_INIT_RESOURCE(resources) in main()); the palette is applied all the same.
// A stylesheet left for later comes at the first of: holdStyleSheetFor()'s window painted (see there), any widget
// polished that is not one of that window's as it was built (a message box, a tooltip, a menu popped up, another
// window), and, once the window is held, any widget made with a parent (a page built). So nothing but the first
// window is ever drawn or measured without it.
bool apply(QApplication& app, WindowIcon icon = WindowIcon::Now, StyleSheet sheet = StyleSheet::Now);

// For a start that left the stylesheet for later: window and every widget it holds now may be polished and drawn
// without it. Call it once the window is built, before it is shown; the window's widgets must look the same either
// way (the stylesheet's rules are for the standard controls, which the main menu does not show: tst_StartLook).
void holdStyleSheetFor(QWidget* window);
// The held stylesheet after window's first paint (FirstPaint::runAfter: show the window first, or it comes at the
// next turn of the event loop), unless something else has brought it sooner.
void applyStyleSheetAfterFirstPaint(QWidget* window);
// Whether the application has its stylesheet (applied now, or left for later and applied since).
bool hasStyleSheet();

// The window icon of every window, for a start that left it for later: once the first window has been put on the
// screen (painted), or at the next turn of the event loop when none is shown. The icon goes to the window manager
// in all its sizes, a few hundred kilobytes decoded and sent, and a window that is mapped with it waits for that;
// the window looks the same either way, only the frame's icon comes a moment after it.
void applyWindowIconAfterFirstPaint(QWidget* firstWindow);

} // namespace Theme
