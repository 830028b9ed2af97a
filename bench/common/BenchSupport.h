#pragma once

// What the benchmarks that run the built program share: a folder laid out as an installed copy, alarms written as
// the editor writes them, and a polite end to the program.

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/XMLIniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace BenchSupport {

inline double nowDayCount() {
    return DayCount::fromDateTime(QDateTime::currentDateTime());
}

// The executable, its sound helper and the default melody beside the files it will create, and a private runtime folder
// ("run"), so it never meets another running instance.
inline bool prepareInstalledFolder(const QTemporaryDir& dir, const QString& exe) {
    if (!dir.isValid() || !QFile::copy(exe, dir.filePath(QStringLiteral("zentick"))))
        return false;
    // The melody and the sound helper (zentick-sound; an older build played with the program itself).
    for (const char* name : {"hurryup.mid", "zentick-sound"}) {
        const QString file = QFileInfo(exe).dir().filePath(QLatin1String(name));
        if (QFile::exists(file))
            QFile::copy(file, dir.filePath(QLatin1String(name)));
    }
    QDir(dir.path()).mkpath(QStringLiteral("run"));
    QFile::setPermissions(dir.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QDir(dir.path()).mkpath(QStringLiteral("Alarms Directory"));
}

inline QString eventStoreOf(const QTemporaryDir& dir) {
    return dir.filePath(QStringLiteral("Alarms Directory/Alarms.xml"));
}

// A one-time alarm on every day and month, as the alarm editor writes it.
inline void writeAlarm(TXMLIniFile& events, const QByteArray& section, double date, bool sound, const QString& text) {
    namespace Key = EventRecord::Key;
    events.WriteString(section, Key::AlType, EventRecord::KindAlarm);
    events.WriteDouble(section, Key::Date, date);
    events.WriteFlag(section, Key::Repeat, false);
    events.WriteFlag(section, Key::Sound, sound);
    events.WriteFlag(section, Key::Bypass, false);
    events.WriteFlag(section, Key::AllDays, true);
    events.WriteFlag(section, Key::AllMonths, true);
    EventRecord::writeTextBlock(events, section, {text});
}

inline void stopProgram(QProcess& process) {
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

} // namespace BenchSupport
