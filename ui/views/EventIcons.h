#pragma once

#include <QIcon>

// The row pictures shared by the four event lists and the calendar's day list. The index is what a row
// carries: the day list chooses the editor by it.
namespace EventIcons {

enum Index : int {
    ShutDown = 0,
    Restart = 1,
    LogOff = 2,
    AlarmSilent = 3, // no repetition, no sound
    AlarmSound = 4,  // no repetition, with sound; every alarm of the day list
    AlarmRepeat = 5,
    Birthday = 6,
    PastAlarm = 7,
    StandBy = 8,
    Hibernate = 9,
    Count = 10
};

// The ten pictures, loaded once by each list that shows them: a row takes a copy, which shares the picture.
class Set {
public:
    Set();
    const QIcon& operator[](int index) const; // a null icon outside 0..9

private:
    QIcon m_icons[Count];
    QIcon m_none;
};

// The picture of a power action by "shuttype"; -1 for a type outside 0..4.
int forPowerAction(int shutType);
// The same on the power-action list, where a type outside 0..4 shows the picture of its own index (a type of 7
// the past alarm's); -1 outside the set.
int forPowerActionRow(int shutType);

} // namespace EventIcons
