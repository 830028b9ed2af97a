#include "KillFolder.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "store/Exception.h"
#include "store/IniText.h"
#include "store/SectionCollection.h"
#include "store/XMLIniFile.h"
#include "store/XmlDocument.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr double MsPerDay = 86'400'000.0;
const QStringList Documents{QStringLiteral("Alarms.xml"), QStringLiteral("PAlarms.xml"),
                            QStringLiteral("AddressBook.xml"), QStringLiteral("Calendar.xml")};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every record element of a document by the name its first text line gives it, duplicates included.
// Reads the collection itself: a TXMLIniFile would save on closing and hide what the program left.
struct Records {
    QHash<QByteArray, int> count;
    QHash<QByteArray, double> date;
};

Records recordsOf(const QString& path) {
    Records records;
    TSectionCollection sections;
    sections.LoadFromFile(path);
    for (qsizetype i = 0; i < sections.Count(); ++i) {
        const TDataCollection& keys = sections.item(i)->SectionData();
        const TDataCollectionItem* line = keys.find("0");
        const TDataCollectionItem* date = keys.find(EventRecord::Key::Date);
        if (!line)
            continue;
        ++records.count[line->Value()];
        records.date.insert(line->Value(), date ? IniText::toDouble(date->Value()).value_or(NAN) : NAN);
    }
    return records;
}

double now() {
    return DayCount::fromDateTime(QDateTime::currentDateTime());
}

} // namespace

KillFolder::KillFolder(QString exeFolder)
    : m_exeFolder(std::move(exeFolder)) {
    QDir().mkpath(dataFolder());
}

void KillFolder::seed(int dueOnce, int repeating) {
    using namespace EventRecord;
    const QString path = dataFolder() + QStringLiteral("/Alarms.xml");
    const QString copy = m_scratch.filePath(QStringLiteral("Alarms.xml"));
    QFile::remove(copy);
    if (QFile::exists(path) && !QFile::copy(path, copy))
        throw Exception(QStringLiteral("Cannot copy %1").arg(path));
    TXMLIniFile events(copy);
    TXMLIniFile::Batch batch(events);
    const double current = now();
    const QSet<QByteArray> waiting = stillInEvents(m_onceSeeded);
    const auto add = [&](const QByteArray& name, double date, bool repeat) {
        const QByteArray section = firstFreeSection(events);
        events.WriteString(section, Key::AlType, KindAlarm);
        events.WriteDouble(section, Key::Date, date);
        events.WriteFlag(section, Key::Repeat, repeat);
        events.WriteFlag(section, Key::Bypass, false);
        events.WriteFlag(section, Key::Sound, false);
        events.WriteString(section, Key::Category, "General");
        if (repeat) {
            events.WriteInt(section, Key::RepVal, m_repeating.value(name).minutes);
            events.WriteInt(section, Key::RepType, int(AlarmUnit::Minutes));
            events.WriteFlag(section, Key::AllDays, true);
            events.WriteFlag(section, Key::AllMonths, true);
        }
        writeTextBlock(events, section, {QString::fromLatin1(name)});
    };
    for (qsizetype i = waiting.size(); i < dueOnce; ++i) {
        const QByteArray name = "once " + QByteArray::number(m_nextOnce++);
        m_onceSeeded.insert(name);
        add(name, current - double(i + 1) / 1440, false);
    }
    if (m_repeating.isEmpty()) {
        for (int i = 0; i < repeating; ++i) {
            const QByteArray name = "every " + QByteArray::number(i);
            const double base = std::floor(current) - 1 - i / 24.0;
            m_repeating.insert(name, {base, 1 + i % 5, base});
            add(name, base, true);
        }
    } else {
        // Back to a grid point between the origin and now, so that it is due again.
        for (const QByteArray& section : events.ReadSections()) {
            const auto it = m_repeating.find(events.ReadString(section, "0", {}));
            if (it == m_repeating.end())
                continue;
            const double steps = std::floor((current - it->base) * 1440 / it->minutes);
            const double date = it->base + std::floor(steps / 2) * it->minutes / 1440.0;
            events.WriteDouble(section, Key::Date, date);
            it->lastSeen = events.ReadDouble(section, Key::Date, date);
        }
    }
    batch.commit();
    // One rename, as the program would save it, and the bytes any later save is told apart from.
    if (::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()) != 0)
        throw Exception(QStringLiteral("Cannot replace %1").arg(path));
    if (m_documents.contains(path))
        m_documents.insert(path, readAll(path));
}

QSet<QByteArray> KillFolder::stillInEvents(const QSet<QByteArray>& names) const {
    QSet<QByteArray> found;
    try {
        const Records events = recordsOf(dataFolder() + QStringLiteral("/Alarms.xml"));
        for (const QByteArray& name : names)
            if (events.count.value(name) > 0)
                found.insert(name);
    } catch (const Exception&) {
        return names; // a document that does not load is a failure check() reports
    }
    return found;
}

KillFolder::Result KillFolder::check(bool doublesAllowed) {
    Result result;
    checkDocuments(result);
    if (result.failures.isEmpty())
        checkAlarms(doublesAllowed, result);
    checkStray(result);
    checkLock(result);
    m_retired = result.retired;
    return result;
}

void KillFolder::checkDocuments(Result& result) {
    QStringList paths{m_exeFolder + QStringLiteral("/Settings.xml")};
    for (const QString& name : Documents)
        paths << dataFolder() + QLatin1Char('/') + name;
    for (const QString& path : paths) {
        if (!QFile::exists(path))
            continue;
        const QByteArray bytes = readAll(path);
        try {
            TSectionCollection sections;
            sections.LoadFromFile(path);
            QByteArray again(XmlDocument::Prolog);
            sections.appendXML(again);
            if (again != bytes)
                result.failures << QStringLiteral("%1 saves to other bytes than it holds").arg(path);
        } catch (const Exception& e) {
            result.failures << QStringLiteral("%1 does not load: %2").arg(path, e.message());
        }
    }
}

void KillFolder::checkAlarms(bool doublesAllowed, Result& result) {
    const Records events = recordsOf(dataFolder() + QStringLiteral("/Alarms.xml"));
    const Records past = recordsOf(dataFolder() + QStringLiteral("/PAlarms.xml"));
    for (const QByteArray& name : std::as_const(m_onceSeeded)) {
        const int inEvents = events.count.value(name);
        const int inPast = past.count.value(name);
        result.retired += inPast > 0 ? 1 : 0;
        if (inEvents == 0 && inPast == 0)
            result.failures << QStringLiteral("'%1' is lost").arg(QString::fromLatin1(name));
        else if (inEvents > 1 || inPast > 1)
            result.failures << QStringLiteral(
                                   "'%1' is %2 times in the event store and %3 times in the past-alarm store")
                                   .arg(QString::fromLatin1(name))
                                   .arg(inEvents)
                                   .arg(inPast);
        else if (inEvents == 1 && inPast == 1)
            result.doubles.insert(name);
    }
    if (!doublesAllowed && !result.doubles.isEmpty())
        result.failures << QStringLiteral("%1 one-time alarms in both stores after a start").arg(result.doubles.size());
    for (auto it = m_repeating.begin(); it != m_repeating.end(); ++it) {
        const QString name = QString::fromLatin1(it.key());
        if (events.count.value(it.key()) != 1 || past.count.value(it.key()) != 0) {
            result.failures << QStringLiteral("'%1' is not once in the event store alone").arg(name);
            continue;
        }
        const double date = events.date.value(it.key());
        const double stepMs = it->minutes * 60'000.0;
        const double offsetMs = (date - it->base) * MsPerDay;
        const double off = std::fabs(offsetMs - std::round(offsetMs / stepMs) * stepMs);
        if (!(off <= 1.0))
            result.failures
                << QStringLiteral("'%1' left its %2-minute grid by %3 ms").arg(name).arg(it->minutes).arg(off);
        if ((it->lastSeen - date) * MsPerDay > 1.0) // stored dates keep 15 significant digits
            result.failures << QStringLiteral("'%1' went back in time").arg(name);
        it->lastSeen = date;
    }
}

void KillFolder::checkStray(Result& result) {
    QHash<QString, QByteArray> documents;
    QStringList strays;
    const QStringList folders{m_exeFolder, dataFolder()};
    for (const QString& folder : folders) {
        const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        for (const QFileInfo& entry : entries) {
            const QString name = entry.fileName();
            if (name == QLatin1String("Settings.xml") || Documents.contains(name))
                documents.insert(entry.filePath(), readAll(entry.filePath()));
            // The executable, and the files lock the running program holds beside it and in the data folder.
            else if (name != QLatin1String("Zentick.lock") &&
                     (folder != m_exeFolder || name != QLatin1String("zentick")))
                strays << entry.filePath();
        }
    }
    if (strays.size() > 1)
        result.failures << QStringLiteral("stray files: %1").arg(strays.join(QStringLiteral(", ")));
    if (!strays.isEmpty())
        result.stray = strays.first();
    // The document a stray belongs to is the one whose name it starts with (its temporary file).
    if (!m_lastStray.isEmpty() && QFile::exists(m_lastStray) && readAll(m_lastStray) == m_lastStrayBytes) {
        const QString folder = QFileInfo(m_lastStray).path();
        const QString stray = QFileInfo(m_lastStray).fileName();
        for (auto it = documents.cbegin(); it != documents.cend(); ++it) {
            const QString name = QFileInfo(it.key()).fileName();
            const bool owner = QFileInfo(it.key()).path() == folder &&
                               (stray.startsWith(name) || stray.startsWith(QLatin1Char('.') + name));
            if (owner && m_documents.contains(it.key()) && m_documents.value(it.key()) != it.value())
                result.failures << QStringLiteral("%1 outlived the next save of %2").arg(m_lastStray, name);
        }
    }
    m_documents = documents;
    m_lastStray = result.stray;
    m_lastStrayBytes = result.stray.isEmpty() ? QByteArray() : readAll(result.stray);
}

void KillFolder::checkLock(Result& result) const {
    for (const QString& folder : {m_exeFolder, dataFolder()}) {
        const QByteArray path = QFile::encodeName(folder + QStringLiteral("/Zentick.lock"));
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            result.failures << QStringLiteral("the files lock in %1 is still held after the program's end").arg(folder);
        ::close(fd); // drops the lock taken just now
    }
}
