#pragma once

#include "app/AppOnly.h"

#include <QList>

class QWidget;

// A focused control that acts on Enter itself (a link, an icon) keeps that key even while a window-wide
// shortcut for it is active: otherwise the main menu's Enter would win over "open this link".
namespace ClaimedKeys {

void claim(QWidget* control, const QList<int>& keys);
// Return, Enter and Space.
void claimActivation(QWidget* control);

} // namespace ClaimedKeys
