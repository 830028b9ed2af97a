#pragma once

#include <QString>

// The control under its own name, so tests and the accessibility tree find it: every page builds its controls with
// it, `Button = named(new FancyButton(...), "Button")`.
template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
