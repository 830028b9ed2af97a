#include "ui/notify/OpenAlarmRegistry.h"

void OpenAlarmRegistry::enter(int number, QWidget* window) {
    const qsizetype at = openAlarmNumbers.indexOf(number);
    if (at < 0) {
        openAlarmNumbers.append(number);
        openAlarmWindows.append(window);
        return;
    }
    // Closing the old window runs its close handler, which clears this entry; take it first.
    QPointer<QWidget> old = openAlarmWindows[at];
    openAlarmWindows[at] = window;
    if (old && old != window)
        old->close();
}

void OpenAlarmRegistry::windowClosed(const QWidget* window) {
    for (QPointer<QWidget>& entry : openAlarmWindows) {
        if (entry == window)
            entry = nullptr;
    }
}

void OpenAlarmRegistry::remove(int number) {
    const qsizetype at = openAlarmNumbers.indexOf(number);
    if (at < 0)
        return;
    openAlarmNumbers.removeAt(at);
    openAlarmWindows.removeAt(at);
}

QWidget* OpenAlarmRegistry::windowFor(int number) const {
    const qsizetype at = openAlarmNumbers.indexOf(number);
    return at < 0 ? nullptr : openAlarmWindows[at].data();
}
