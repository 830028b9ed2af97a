#include "ui/views/EventIcons.h"

#include <array>

namespace EventIcons {

Set::Set() {
    static constexpr std::array<const char*, Count> files = {"0-shutdown",    "1-restart",      "2-logoff",   "3-alarm",
                                                             "4-alarm-sound", "5-alarm-repeat", "6-birthday", "7-past",
                                                             "8-standby",     "9-hibernate"};
    for (int i = 0; i < Count; ++i)
        m_icons[i] = QIcon(QStringLiteral(":/icons/events/%1.svg").arg(QLatin1String(files[std::size_t(i)])));
}

const QIcon& Set::operator[](int index) const {
    return index >= 0 && index < Count ? m_icons[index] : m_none;
}

int forPowerAction(int shutType) {
    static constexpr std::array<int, 5> icons = {ShutDown, Restart, LogOff, Hibernate, StandBy};
    return shutType >= 0 && shutType < 5 ? icons[std::size_t(shutType)] : -1;
}

int forPowerActionRow(int shutType) {
    const int known = forPowerAction(shutType);
    if (known >= 0)
        return known;
    return shutType >= 0 && shutType < Count ? shutType : -1;
}

} // namespace EventIcons
