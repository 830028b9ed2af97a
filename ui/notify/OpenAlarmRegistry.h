#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// The alarm windows open for repeating alarm records: at most one per record, so an alarm that
// repeats while its window is still open replaces that window instead of piling up new ones.
// Two parallel lists, as the rest of the program reads them: a record number keeps its place after
// its window closed (the window becomes none) until the repetition is disabled or the record deleted.
class OpenAlarmRegistry {
public:
    // Registers window for record number; a window still open for that record is closed first.
    void enter(int number, QWidget* window);
    // The window closed: its entry becomes none, the number stays.
    void windowClosed(const QWidget* window);
    // The record no longer repeats or no longer exists. Its open window, if any, stays open.
    void remove(int number);

    QWidget* windowFor(int number) const;
    bool contains(int number) const { return openAlarmNumbers.contains(number); }
    int size() const { return int(openAlarmNumbers.size()); }

    QList<int> openAlarmNumbers;
    QList<QPointer<QWidget>> openAlarmWindows;
};
