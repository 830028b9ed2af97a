#pragma once

#include <QByteArray>
#include <QByteArrayList>

// The states the crash writer saves one after another: state i is section "state" with "counter" = i and ten
// padding keys whose text depends on i, about 300 KB in all, so a document mixed from two saves, or cut off,
// is told apart from every saved one.
namespace CrashStates {

inline constexpr int paddingKeys = 10;

inline QByteArray paddingKey(int j) {
    return "padding" + QByteArray::number(j);
}

inline QByteArray padding(qint64 state, int j) {
    const QByteArray unit = "[state " + QByteArray::number(state) + " key " + QByteArray::number(j) + " <&>]";
    return unit.repeated(28000 / unit.size());
}

} // namespace CrashStates
