#pragma once

#include "fakes/FakePlatform.h"
#include "scheduler/TestClock.h"
#include "store/XMLIniFile.h"
#include "ui/notify/NotifyServices.h"
#include "ui/notify/OpenAlarmRegistry.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The stores in a temporary folder, fake sound and power, a hand-moved clock, and the messages the
// windows would have shown.
struct NotifyFixture {
    NotifyFixture()
        : clock(QDateTime(QDate(2026, 11, 14), QTime(8, 0))) {
        QVERIFY(dir.isValid());
        settings = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("Settings.xml")));
        events = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("Alarms.xml")));
        past = std::make_unique<TXMLIniFile>(dir.filePath(QStringLiteral("PAlarms.xml")));
        services.settings = [this]() -> TXMLIniFile& {
            return *settings;
        };
        services.events = [this]() -> TXMLIniFile& {
            return *events;
        };
        services.pastAlarms = [this]() -> TXMLIniFile& {
            return *past;
        };
        services.registry = &registry;
        services.clock = &clock;
        services.makeSoundPlayer = players.factory();
        services.power = &power;
        services.showMsg = [this](const QString& text) {
            messages.append(text);
        };
        services.setSchedulerEnabled = [this](bool on) {
            schedulerOn = on;
        };
        services.defaultSoundFile = dir.filePath(QStringLiteral("hurryup.mid"));
    }

    QTemporaryDir dir;
    TestClock clock;
    std::unique_ptr<TXMLIniFile> settings, events, past;
    OpenAlarmRegistry registry;
    FakeSoundPlayers players;
    FakePowerBackend power;
    QStringList messages;
    bool schedulerOn = false;
    NotifyServices services;
};
