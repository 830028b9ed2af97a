#pragma once

#include "TestClock.h"

#include "scheduler/DayCount.h"
#include "scheduler/EventRecord.h"
#include "scheduler/NotificationSink.h"
#include "scheduler/Scheduler.h"
#include "store/XMLIniFile.h"

#include <QList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// What the windows would have been asked to show.
class RecordingSink final : public NotificationSink {
public:
    void showAlarm(const AlarmNotice& notice) override {
        holding = false; // as the windows: a window made ahead is shown or goes
        alarms.append(notice);
    }
    void startPowerCountdown(const PowerNotice& notice) override {
        powers.append(notice);
        if (onCountdown)
            onCountdown(notice);
    }
    void showBirthday(const BirthdayNotice& notice) override { birthdays.append(notice); }
    void firingDone() override { ++rehides; }
    void prepareAlarm(const AlarmNotice& notice) override {
        prepared.append(notice);
        held = notice;
        holding = true;
    }
    void dropPrepared() override {
        ++drops;
        holding = false;
    }
    // As the windows: only the window made ahead for an equal notice is shown first.
    bool showPrepared(const AlarmNotice& notice) override {
        if (!holding || held != notice)
            return false;
        holding = false;
        alarms.append(notice);
        shownFirst.append(notice);
        if (onShownFirst)
            onShownFirst(notice);
        return true;
    }

    int shown() const { return int(alarms.size() + powers.size() + birthdays.size()); }

    QList<AlarmNotice> alarms;
    QList<PowerNotice> powers;
    QList<BirthdayNotice> birthdays;
    int rehides = 0;
    QList<AlarmNotice> prepared; // every prepareAlarm() call
    int drops = 0;
    QList<AlarmNotice> shownFirst; // also in alarms
    std::function<void(const AlarmNotice&)> onShownFirst;
    std::function<void(const PowerNotice&)> onCountdown;

private:
    AlarmNotice held;
    bool holding = false;
};

// A record as the commit writes it; only what a test sets is written beyond the always-written keys.
struct RecordFields {
    QByteArray kind = EventRecord::KindAlarm;
    QDateTime date;
    bool repeat = false;
    int reptype = 0;
    int repval = 1;
    bool bypass = false;
    bool sound = true;
    QStringList lines{QStringLiteral("Meeting")};
    QByteArray days;   // empty: all days
    QByteArray months; // empty: all months
    int shuttype = 0;
    QDate birth;
    QByteArray name = "Ann";
    int before = 0;
};

// Two stores in a temporary folder, a test clock, a recording sink and the scheduler over them.
class SchedulerHarness {
public:
    explicit SchedulerHarness(const QDateTime& start = QDateTime(QDate(2026, 5, 4), QTime(9, 0)))
        : clock(start) {
        events = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("Alarms.xml")));
        pastAlarms = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("PAlarms.xml")));
        scheduler = std::make_unique<Scheduler>(*events, *pastAlarms, clock, sink);
        scheduler->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    void write(const QByteArray& s, const RecordFields& r) {
        using namespace EventRecord;
        TXMLIniFile::Batch batch(*events);
        events->WriteString(s, Key::AlType, r.kind);
        events->WriteDouble(s, Key::Date, DayCount::fromDateTime(r.date));
        if (r.kind == KindBirth) {
            events->WriteDouble(s, Key::BirthDate, DayCount::fromDate(r.birth));
            events->WriteString(s, Key::Name, r.name);
            events->WriteFlag(s, Key::Sound, r.sound);
            events->WriteInt(s, Key::Before, r.before);
            batch.commit();
            return;
        }
        events->WriteFlag(s, Key::Repeat, r.repeat);
        if (r.kind == KindAlarm) {
            events->WriteFlag(s, Key::Bypass, r.bypass);
            events->WriteFlag(s, Key::Sound, r.sound);
            writeTextBlock(*events, s, r.lines);
        } else {
            events->WriteInt(s, Key::ShutType, r.shuttype);
        }
        if (r.repeat) {
            events->WriteInt(s, Key::RepVal, r.repval);
            events->WriteInt(s, Key::RepType, r.reptype);
            events->WriteFlag(s, Key::AllDays, r.days.isEmpty());
            events->WriteFlag(s, Key::AllMonths, r.months.isEmpty());
            if (!r.days.isEmpty())
                events->WriteString(s, Key::Days, r.days);
            if (!r.months.isEmpty())
                events->WriteString(s, Key::Months, r.months);
        }
        batch.commit();
    }

    QDateTime dateOf(const QByteArray& s) const {
        return DayCount::toDateTime(events->ReadDouble(s, EventRecord::Key::Date, 0));
    }

    // One tick at the current time; returns the interval it set.
    int tick() {
        scheduler->TimerTimer();
        return scheduler->interval();
    }

    QTemporaryDir dir;
    TestClock clock;
    RecordingSink sink;
    std::unique_ptr<TXMLIniFile> events;
    std::unique_ptr<TXMLIniFile> pastAlarms;
    std::unique_ptr<Scheduler> scheduler;
};
