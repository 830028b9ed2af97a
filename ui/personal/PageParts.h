#pragma once

#include <QString>

// Small pieces the personal-data and settings pages build their controls with.
namespace PageParts {

// The control under its own name, so tests and the accessibility tree find it.
template <class Widget> Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace PageParts
