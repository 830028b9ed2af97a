// Firing from an arbitrary "Alarms.xml" with the clock standing still: the scheduler ticks until a tick fires
// nothing. Afterwards nothing is due that did not fire, every one-time alarm that fired is in the past-alarm
// store with its date, sound and text (every line key it held, beyond "linecount" or without one), no one-time
// alarm is in both stores, both files reload as saved, and a damaged "Alarms.xml" was kept aside as found.
#include "FuzzSupport.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/NotificationSink.h"
#include "scheduler/Scheduler.h"
#include "scheduler/SchedulerClock.h"
#include "store/Exception.h"
#include "store/IniText.h"
#include "store/XMLIniFile.h"

#include <QDateTime>
#include <QSet>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <memory>

namespace {

class StillClock final : public SchedulerClock {
public:
    double now() const override { return m_now; }
    qint64 monotonicMs() const override { return 1'000'000; }

private:
    double m_now = DayCount::fromDateTime(QDateTime(QDate(2026, 5, 4), QTime(9, 0)));
};

class CountingSink final : public NotificationSink {
public:
    void showAlarm(const AlarmNotice& notice) override { alarms.append(notice); }
    void startPowerCountdown(const PowerNotice&) override {}
    void showBirthday(const BirthdayNotice&) override {}
    void firingDone() override {}
    QList<AlarmNotice> alarms;
};

// Dates compared as stored: 15 significant digits.
struct PastRecord {
    QByteArray date;
    bool sound;
    QStringList lines;
    bool operator==(const PastRecord& other) const {
        return date == other.date && sound == other.sound && lines == other.lines;
    }
};

// The line keys "0", "1", … a section holds, as long as the numbers follow on: what a move must not drop.
QByteArrayList lineKeys(const TXMLIniFile& store, const QByteArray& section) {
    const QByteArrayList keys = store.ReadSection(section);
    QByteArrayList lines;
    while (keys.contains(QByteArray::number(lines.size())))
        lines.append(store.ReadString(section, QByteArray::number(lines.size()), {}));
    return lines;
}

PastRecord recordOf(const TXMLIniFile& store, const QByteArray& section) {
    using namespace EventRecord;
    return {IniText::fromDouble(store.ReadDouble(section, Key::Date, 0)), store.ReadFlag(section, Key::Sound, true),
            readTextBlock(store, section)};
}

bool isOneTimeAlarm(const TXMLIniFile& events, const QByteArray& section) {
    using namespace EventRecord;
    return events.ReadString(section, Key::AlType, KindAlarm) == KindAlarm &&
           !events.ReadFlag(section, Key::Repeat, false);
}

bool firedKind(const QByteArray& kind) {
    using namespace EventRecord;
    return kind == KindAlarm || kind == KindShut || kind == KindBirth;
}

std::unique_ptr<TXMLIniFile> open(const QString& path) {
    try {
        return std::make_unique<TXMLIniFile>(path);
    } catch (const Exception&) {
        return nullptr;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("TZ", "Europe/Berlin");
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace EventRecord;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString eventsPath = Fuzz::writeScratch(QStringLiteral("Alarms.xml"), input);
    const QString pastPath = Fuzz::scratchFile(QStringLiteral("PAlarms.xml"));
    QFile::remove(pastPath);
    std::unique_ptr<TXMLIniFile> events = open(eventsPath);
    if (!events)
        return 0;
    // Left out, as only a hand-edited file has them: two sections of one name (the second copy is passed over
    // once the first has fired) and a section without a name (its firing cannot write it, and the error stops
    // every tick before the records behind it).
    const QByteArrayList names = events->ReadSections();
    if (QSet<QByteArray>(names.cbegin(), names.cend()).size() != names.size() || names.contains(QByteArray()))
        return 0;
    TXMLIniFile pastAlarms(pastPath);
    StillClock clock;
    CountingSink sink;
    Scheduler scheduler(*events, pastAlarms, clock, sink);
    scheduler.setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));

    QList<QByteArray> fired;
    QList<PastRecord> oneTimeFired;
    QList<QByteArrayList> oneTimeFiredLines; // the line keys each of them held
    QObject::connect(&scheduler, &Scheduler::recordFired, &scheduler,
                     [&](const QByteArray& section, double) { fired.append(section); });
    QString failure;
    QObject::connect(&scheduler, &Scheduler::failed, &scheduler, [&](const QString& message) { failure = message; });

    // Each tick fires at most one record, and a record read from disk fires once per section element.
    const qsizetype bound = events->ReadSections().size() + 1;
    for (qsizetype tick = 0;; ++tick) {
        FUZZ_CHECK(tick <= bound, "still firing after %lld ticks", static_cast<long long>(tick));
        const qsizetype before = fired.size();
        // What a one-time alarm was before it fired, to find it again in the past-alarm store.
        QHash<QByteArray, PastRecord> oneTime;
        QHash<QByteArray, QByteArrayList> oneTimeLines;
        for (const QByteArray& section : events->ReadSections())
            if (events->HasSection(section) && isOneTimeAlarm(*events, section)) {
                oneTime.insert(section, recordOf(*events, section));
                oneTimeLines.insert(section, lineKeys(*events, section));
            }
        scheduler.TimerTimer();
        FUZZ_CHECK(failure.isEmpty(), "a firing failed: %s", qPrintable(failure));
        if (fired.size() == before)
            break;
        FUZZ_CHECK(fired.size() == before + 1, "one tick fired %lld records",
                   static_cast<long long>(fired.size() - before));
        if (oneTime.contains(fired.last())) {
            oneTimeFired.append(oneTime.value(fired.last()));
            oneTimeFiredLines.append(oneTimeLines.value(fired.last()));
        }
    }

    const double now = clock.now();
    for (const QByteArray& section : events->ReadSections()) {
        if (!events->HasSection(section))
            continue;
        const double date = events->ReadDouble(section, Key::Date, 0);
        if (firedKind(events->ReadString(section, Key::AlType, KindAlarm)) && date <= now)
            FUZZ_CHECK(fired.contains(section), "[%s] is still due and never fired", section.constData());
    }

    QList<PastRecord> past;
    QList<QByteArrayList> pastLines;
    for (const QByteArray& section : pastAlarms.ReadSections())
        if (pastAlarms.HasSection(section)) {
            past.append(recordOf(pastAlarms, section));
            pastLines.append(lineKeys(pastAlarms, section));
        }
    FUZZ_CHECK(past.size() == oneTimeFired.size(), "%lld one-time alarms fired, %lld past records",
               static_cast<long long>(oneTimeFired.size()), static_cast<long long>(past.size()));
    for (qsizetype i = 0; i < oneTimeFired.size(); ++i) {
        const QByteArrayList& held = oneTimeFiredLines.at(i);
        bool found = false;
        for (qsizetype k = 0; k < past.size() && !found; ++k)
            found = past.at(k) == oneTimeFired.at(i) &&
                    pastLines.at(k).first(std::min(held.size(), pastLines.at(k).size())) == held;
        FUZZ_CHECK(found, "a fired one-time alarm is missing from the past-alarm store, or some of its text");
    }
    for (const QByteArray& section : events->ReadSections())
        if (events->HasSection(section) && isOneTimeAlarm(*events, section))
            FUZZ_CHECK(!past.contains(recordOf(*events, section)), "[%s] is in both stores", section.constData());

    Fuzz::checkDamagedCopy(*events, input);
    // Both files on disk are what the stores hold.
    FUZZ_CHECK(Fuzz::readScratch(QStringLiteral("PAlarms.xml")) == pastAlarms.GetXML() || past.isEmpty(),
               "the past-alarm file differs from the store");
    if (!fired.isEmpty())
        FUZZ_CHECK(Fuzz::readScratch(QStringLiteral("Alarms.xml")) == events->GetXML(),
                   "the event file differs from the store");
    return 0;
}
